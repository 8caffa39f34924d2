#include "MemberLists.h"

#include "ChannelRecord.h"
#include "ContactRecord.h"

#include <algorithm>
#include <numeric>

namespace codeplug {

namespace {

bool isGroupContact(const FileImage &image, int index)
{
    return isContactUsed(image, index) && contactCallType(image, index) == GroupCall;
}

bool isUsedChannel(const FileImage &image, int index)
{
    return isRecordUsed(image, lists::channels, index);
}

} // namespace

const MemberDescriptor memberdescriptors::rxGroupLists
    = { listdescriptors::rxGroupLists, members::rxGroupListContacts, lists::contacts, "contact", isGroupContact };
const MemberDescriptor memberdescriptors::zones
    = { listdescriptors::zones, members::zoneChannels, lists::channels, "channel", isUsedChannel };
const MemberDescriptor memberdescriptors::scanLists
    = { listdescriptors::scanLists, members::scanListChannels, lists::channels, "channel", isUsedChannel };

MemberList::MemberList(FileImage &image, const MemberDescriptor &members, int record)
    : m_image(image)
    , m_members(members)
    , m_record(record)
{
}

bool MemberList::isOwnerUsed() const
{
    return isRecordUsed(m_image, m_members.slots.owner, m_record);
}

bool MemberList::isMember(int value) const
{
    return value >= 1 && value <= m_members.memberList.count;
}

QList<int> MemberList::members() const
{
    QList<int> listed;
    if (!isOwnerUsed())
        return listed;
    for (int slot = 0; slot < capacity(); ++slot) {
        const int value = m_image.u16(slotOffset(slot));
        if (isMember(value))
            listed.append(value);
    }
    return listed;
}

QList<int> MemberList::available() const
{
    const QList<int> listed = members();
    QList<int> numbers;
    for (int index = 0; index < m_members.memberList.count; ++index) {
        if (m_members.offerable(m_image, index) && !listed.contains(index + 1))
            numbers.append(index + 1);
    }
    return numbers;
}

bool MemberList::isAvailable(int number) const
{
    return isMember(number) && isOwnerUsed() && m_members.offerable(m_image, number - 1) && !members().contains(number);
}

QString MemberList::memberName(int number) const
{
    return ownerName(m_image, m_members.memberList, number - 1);
}

QList<int> MemberList::add(const QList<int> &numbers)
{
    QList<int> notAdded;
    if (!isOwnerUsed())
        return numbers;
    for (int number : numbers) {
        if (!isMember(number) || members().contains(number))
            continue;
        int slot = 0;
        while (slot < capacity() && isMember(m_image.u16(slotOffset(slot))))
            ++slot;
        if (slot == capacity())
            notAdded.append(number);
        else
            m_image.setU16(slotOffset(slot), std::uint16_t(number));
    }
    return notAdded;
}

void MemberList::remove(const QList<int> &numbers)
{
    if (!isOwnerUsed())
        return;
    QList<int> kept = members();
    kept.removeIf([&](int value) { return numbers.contains(value); });
    write(kept);
}

QList<int> MemberList::move(const QList<int> &rows, int n)
{
    const QList<int> listed = members();
    QList<int> selected = rows;
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    selected.removeIf([&](int row) { return row < 0 || row >= listed.size(); });
    RecordOrder order(std::size_t(listed.size()));
    std::iota(order.begin(), order.end(), 0);
    n = moveRowsInOrder(order, selected, n, int(listed.size()));
    if (n == 0)
        return selected;
    QList<int> moved;
    for (int from : order)
        moved.append(listed.at(from));
    write(moved);
    for (int &row : selected)
        row -= n;
    return selected;
}

// The members in slots 0..M-1 and 0 in every later slot; whatever else the slots held is gone.
void MemberList::write(const QList<int> &members)
{
    for (int slot = 0; slot < capacity(); ++slot)
        m_image.setU16(slotOffset(slot), std::uint16_t(slot < members.size() ? members.at(slot) : 0));
}

} // namespace codeplug
