#include "Layout.h"

namespace codeplug {

int usedRecordCount(const FileImage &image, const ListLayout &list)
{
    int used = 0;
    for (int i = 0; i < list.count; ++i)
        used += isRecordUsed(image, list, i) ? 1 : 0;
    return used;
}

int firstEmptyRecord(const FileImage &image, const ListLayout &list)
{
    for (int i = 0; i < list.count; ++i) {
        if (!isRecordUsed(image, list, i))
            return i;
    }
    return -1;
}

} // namespace codeplug
