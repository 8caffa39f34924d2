#include "ContactRecord.h"

#include "Layout.h"
#include "NameCodec.h"

namespace codeplug {

void initContactRecord(FileImage &image, int index, const QString &name)
{
    const ListLayout &list = lists::contacts;
    if (!list.validIndex(index))
        return;
    const int record = list.recordOffset(index);
    image.fill(record, list.recordSize, 0);
    if (name.isEmpty()) {
        image.fill(record, 3, 0xFF);
        image.setU8(record + 3, 0xC0);
        return;
    }
    image.setU8(record + 3, 0xC1);
    encodeName(image, record + list.nameOffset, list.nameUnits, name);
}

} // namespace codeplug
