#include "RecordName.h"

namespace codeplug {

QString recordName(const FileImage &image, const ListLayout &list, int index)
{
    if (!list.validIndex(index))
        return {};
    return decodeName(image, list.nameFieldOffset(index), list.nameUnits, index + 1);
}

bool renameRecord(FileImage &image, const ListLayout &list, int index, const QString &text, NameEncoding encoding)
{
    const QString trimmed = trimControl(text);
    if (trimmed.isEmpty() || !isRecordUsed(image, list, index))
        return false;
    encodeName(image, list.nameFieldOffset(index), list.nameUnits, trimmed, encoding);
    return true;
}

} // namespace codeplug
