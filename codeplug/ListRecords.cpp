#include "ListRecords.h"

#include "ChannelRecord.h"
#include "ContactRecord.h"
#include "Layout.h"
#include "NameCodec.h"
#include "RecordList.h"

namespace codeplug {

namespace {

// Clears the record and writes its name; false when the index is outside the list.
bool clearNamed(FileImage &image, const ListLayout &list, int index, const QString &name)
{
    if (!list.validIndex(index))
        return false;
    image.fill(list.recordOffset(index), list.recordSize, 0);
    encodeName(image, list.nameFieldOffset(index), list.nameUnits, name);
    return true;
}

// A blank name reads after the number the record shows as the deletion walk stands.
template <const ListLayout &list> QString shownName(const FileImage &image, int index, int shownNumber)
{
    return decodeName(image, list.nameFieldOffset(index), list.nameUnits, shownNumber);
}

// A refused message is named by its number.
QString messageNumber(const FileImage &, int, int shownNumber)
{
    return QString::number(shownNumber);
}

} // namespace

const ListDescriptor listdescriptors::rxGroupLists = {
    lists::rxGroupLists,
    initRxGroupListRecord,
    "Group %1",
    "Group 1",
    rxGroupListReferences,
    "Cannot delete group \"%1\".\n\nIt's used in %2 setting",
    shownName<lists::rxGroupLists>,
};

const ListDescriptor listdescriptors::zones = {
    lists::zones,
    initZoneRecord,
    "Zone %1",
    "Zone 1",
    zoneReferences,
    "",
    shownName<lists::zones>,
};

const ListDescriptor listdescriptors::scanLists = {
    lists::scanLists,
    initScanListRecord,
    "Scan List %1",
    "Scan List 1",
    scanListReferences,
    "Cannot delete scan list \"%1\".\n\nIt's used in %2 setting",
    shownName<lists::scanLists>,
};

const ListDescriptor listdescriptors::emergencySystems = {
    lists::emergencySystems,
    initEmergencySystemRecord,
    "System %1",
    "System 1",
    emergencySystemReferences,
    "Cannot delete emergency system \"%1\".\n\nIt's used in %2 setting",
    shownName<lists::emergencySystems>,
};

const ListDescriptor listdescriptors::textMessages = {
    lists::textMessages,
    initTextMessageRecord,
    "Hello",
    "Hello",
    textMessageReferences,
    "Cannot delete text message \"%1\".\n\nIt's used in %2 setting",
    messageNumber,
};

void initTextMessageRecord(FileImage &image, int index, const QString &text)
{
    clearNamed(image, lists::textMessages, index, text);
}

void initEmergencySystemRecord(FileImage &image, int index, const QString &name)
{
    if (!clearNamed(image, lists::emergencySystems, index, name))
        return;
    const int record = lists::emergencySystems.recordOffset(index);
    image.setU8(record + 32, 0x01);
    image.setU8(record + 33, 15);
    image.setU8(record + 34, 5);
    image.setU8(record + 35, 10);
    image.setU8(record + 38, 0xFF);
    image.setU8(record + 39, 0xFF);
}

void initRxGroupListRecord(FileImage &image, int index, const QString &name)
{
    clearNamed(image, lists::rxGroupLists, index, name);
}

void initZoneRecord(FileImage &image, int index, const QString &name)
{
    clearNamed(image, lists::zones, index, name);
}

void initScanListRecord(FileImage &image, int index, const QString &name)
{
    if (!clearNamed(image, lists::scanLists, index, name))
        return;
    const int record = lists::scanLists.recordOffset(index);
    image.fill(record + 32, 6, 0xFF);
    image.setU8(record + 38, 0xF1);
    image.setU8(record + 39, 20);
    image.setU8(record + 40, 8);
    image.setU8(record + 41, 0xFF);
}

void initRecord(FileImage &image, const ListLayout &list, int index, const QString &name)
{
    using Initialiser = void (*)(FileImage &, int, const QString &);
    const std::pair<int, Initialiser> initialisers[] = {
        { lists::textMessages.offset, initTextMessageRecord },
        { lists::emergencySystems.offset, initEmergencySystemRecord },
        { lists::contacts.offset, initContactRecord },
        { lists::rxGroupLists.offset, initRxGroupListRecord },
        { lists::zones.offset, initZoneRecord },
        { lists::scanLists.offset, initScanListRecord },
        { lists::channels.offset, initChannelRecord },
    };
    for (const auto &[offset, init] : initialisers) {
        if (offset == list.offset)
            init(image, index, name);
    }
}

} // namespace codeplug
