#include "TextMessages.h"

#include "ListRecords.h"
#include "NameCodec.h"
#include "RecordList.h"
#include "RecordName.h"

namespace codeplug {

QString textMessageText(const FileImage &image, int index)
{
    if (!isRecordUsed(image, lists::textMessages, index))
        return {};
    return decodeName(image, lists::textMessages.nameFieldOffset(index), lists::textMessages.nameUnits, -1);
}

bool storeTextMessage(FileImage &image, int index, const QString &text)
{
    const QString trimmed = trimControl(text);
    const QString stored = trimmed.isEmpty() ? QStringLiteral("Message %1").arg(index + 1) : trimmed;
    return renameRecord(image, lists::textMessages, index, stored);
}

int addTextMessage(FileImage &image, const QString &text)
{
    const int index = RecordList(image, listdescriptors::textMessages).add();
    const QString trimmed = trimControl(text);
    if (index >= 0 && !trimmed.isEmpty())
        initTextMessageRecord(image, index, trimmed);
    return index;
}

} // namespace codeplug
