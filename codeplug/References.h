#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <span>
#include <vector>

#include <QString>

namespace codeplug {

// A test on one owner of a reference place: the owning record or fixed entry, by index.
using OwnerTest = bool (*)(const FileImage &image, int owner);
// The words naming a place in a refusal, e.g. `ZONES "Home"` or `GPS 3`.
using PlaceText = QString (*)(const FileImage &image, int owner, int member);

// When a place's entries take part in a renumbering or block a deletion.
enum class When {
    Never,
    Always,
    OwnerUsed, // the owning record is used (its owner list's name field is set)
    OwnerHolds, // the condition's test holds for the owner
};

struct Condition
{
    When when = When::Always;
    OwnerTest test = nullptr; // for When::OwnerHolds
};

// What a non-blocking entry that names a deleted record becomes.
inline constexpr int kRenumberDeleted = -1; // stays, then shifts down like every other number

// One place that holds record numbers of a list: `owners` owners, `ownerStride` apart from
// `offset`, each with `members` fields `memberStride` apart; a field is 8 or 16 bits wide.
struct ReferencePlace
{
    int offset;
    int ownerStride;
    int owners;
    int memberStride = 0;
    int members = 1;
    int width = 2; // bytes
    const ListLayout *ownerList = nullptr; // the list the owners are records of; none for fixed entries
    Condition onMove; // renumbered when records move or are sorted
    Condition onDelete; // renumbered when records are deleted
    Condition blocks; // refuses deleting the record it names
    PlaceText text = nullptr;
    int onDeleted = kRenumberDeleted; // or the value a non-blocking entry naming a deleted record takes

    constexpr int fieldOffset(int owner, int member) const
    {
        return offset + owner * ownerStride + member * memberStride;
    }

    // Fixed entries: `count` fields `stride` apart.
    static constexpr ReferencePlace entries(int offset, int stride, int count, PlaceText text)
    {
        ReferencePlace place {};
        place.offset = offset;
        place.ownerStride = stride;
        place.owners = count;
        place.text = text;
        return place;
    }
    // A field of every record of a list; moves renumber it in used records only.
    static constexpr ReferencePlace field(const ListLayout &list, int fieldOffset, PlaceText text)
    {
        ReferencePlace place = entries(list.offset + fieldOffset, list.recordSize, list.count, text);
        place.ownerList = &list;
        place.onMove = { When::OwnerUsed };
        return place;
    }
    // The 16-bit members of every record of an owning list; moves renumber used owners only.
    static constexpr ReferencePlace memberList(const MemberLayout &layout, PlaceText text)
    {
        ReferencePlace place = field(layout.owner, layout.firstMemberOffset, text);
        place.memberStride = 2;
        place.members = layout.count;
        return place;
    }

    constexpr ReferencePlace movedWhen(Condition condition) const
    {
        ReferencePlace place = *this;
        place.onMove = condition;
        return place;
    }
    // Renumbered by moves and deletions alike only when the condition holds.
    constexpr ReferencePlace followsWhen(Condition condition) const
    {
        ReferencePlace place = *this;
        place.onMove = condition;
        place.onDelete = condition;
        return place;
    }
    constexpr ReferencePlace blocksWhen(Condition condition) const
    {
        ReferencePlace place = *this;
        place.blocks = condition;
        return place;
    }
    // An 8-bit field.
    constexpr ReferencePlace bytes() const
    {
        ReferencePlace place = *this;
        place.width = 1;
        return place;
    }
    constexpr ReferencePlace deletedBecomes(int value) const
    {
        ReferencePlace place = *this;
        place.onDeleted = value;
        return place;
    }
};

// Every place holding numbers of one list, in the order a deletion check visits them: the first
// blocking place decides the refusal message.
using ReferenceTable = std::span<const ReferencePlace>;

// How record numbers change. newNumber[n] is the number that record n (1..capacity) takes;
// `deleted` marks the deleted numbers of a deletion (empty for a move or sort).
struct Renumbering
{
    std::vector<int> newNumber;
    std::vector<bool> deleted;

    bool isDeletion() const { return !deleted.empty(); }
};

// Rewrites every entry of the table that the renumbering concerns. A move or sort touches the
// places whose onMove holds; a deletion every entry. Values outside 1..capacity stay as they are.
void renumberReferences(FileImage &image, ReferenceTable table, const Renumbering &renumbering);

// One entry of a table.
struct ReferenceEntry
{
    int place = -1; // index into the table; -1: none
    int owner = 0;
    int member = 0;

    bool found() const { return place >= 0; }
};

// For every number 0..capacity, the first entry that blocks deleting it (none for 0).
std::vector<ReferenceEntry> firstBlockingReferences(const FileImage &image, ReferenceTable table, int capacity);
// The first entry that blocks deleting record `number`.
ReferenceEntry firstBlockingReference(const FileImage &image, ReferenceTable table, int number);

// The refusal's place words of an entry.
QString placeText(const FileImage &image, ReferenceTable table, const ReferenceEntry &entry);

// The name of a record of a list, as refusals quote their owners.
QString ownerName(const FileImage &image, const ListLayout &list, int owner);

// The places that hold the numbers of each list.
ReferenceTable channelReferences();
ReferenceTable contactReferences();
ReferenceTable rxGroupListReferences();
ReferenceTable zoneReferences();
ReferenceTable scanListReferences();
ReferenceTable emergencySystemReferences();
ReferenceTable textMessageReferences();

} // namespace codeplug
