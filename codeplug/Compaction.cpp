#include "Compaction.h"

#include "Layout.h"
#include "ListRecords.h"

#include <algorithm>

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
    if (next == list.count)
        return;
    // Every empty record holds the same bytes: the first is initialised and copied to the rest.
    initRecord(image, list, next, QString());
    for (int i = next + 1; i < list.count; ++i)
        image.copy(list.recordOffset(next), list.recordOffset(i), list.recordSize);
}

void compactMembers(FileImage &image, const MemberLayout &members)
{
    for (int record = 0; record < members.owner.count; ++record) {
        // Members are 16-bit values; moving whole byte pairs keeps them as they were.
        const auto field = image.span(members.memberOffset(record, 0), 2 * members.count);
        std::size_t next = 0;
        for (std::size_t at = 0; at < field.size(); at += 2) {
            if ((field[at] | field[at + 1]) == 0)
                continue;
            field[next] = field[at];
            field[next + 1] = field[at + 1];
            next += 2;
        }
        std::fill(field.begin() + std::ptrdiff_t(next), field.end(), std::uint8_t(0));
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
