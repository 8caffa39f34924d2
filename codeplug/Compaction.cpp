#include "Compaction.h"

#include "Layout.h"
#include "ListRecords.h"

namespace codeplug {

namespace {

void compactList(FileImage &image, const ListLayout &list)
{
    int next = 0;
    for (int i = 0; i < list.count; ++i) {
        if (!isRecordUsed(image, list, i))
            continue;
        if (i != next)
            image.copy(list.recordOffset(i), list.recordOffset(next), list.recordSize);
        ++next;
    }
    for (int i = next; i < list.count; ++i)
        initRecord(image, list, i, QString());
}

void compactMembers(FileImage &image, const MemberLayout &members)
{
    for (int record = 0; record < members.owner.count; ++record) {
        int next = 0;
        for (int m = 0; m < members.count; ++m) {
            const std::uint16_t value = image.u16(members.memberOffset(record, m));
            if (value != 0)
                image.setU16(members.memberOffset(record, next++), value);
        }
        for (int m = next; m < members.count; ++m)
            image.setU16(members.memberOffset(record, m), 0);
    }
}

} // namespace

void compactLists(FileImage &image)
{
    compactList(image, lists::textMessages);
    compactList(image, lists::emergencySystems);
    compactList(image, lists::contacts);
    compactMembers(image, members::rxGroupListContacts);
    compactList(image, lists::rxGroupLists);
    compactMembers(image, members::zoneChannels);
    compactList(image, lists::zones);
    compactMembers(image, members::scanListChannels);
    compactList(image, lists::scanLists);
    compactList(image, lists::channels);
}

} // namespace codeplug
