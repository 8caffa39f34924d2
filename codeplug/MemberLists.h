#pragma once

#include "FileImage.h"
#include "Layout.h"
#include "RecordList.h"

#include <QList>
#include <QString>

namespace codeplug {

// A list whose records hold members: group lists hold contacts, zones and scan lists channels.
struct MemberDescriptor
{
    const ListDescriptor &list;
    const MemberLayout &slots;
    const ListLayout &memberList; // the list the members are records of
    const char *memberNoun; // "contact", "channel"
    // Whether the record (0-based) may be offered for adding, leaving aside whether it is a
    // member already.
    bool (*offerable)(const FileImage &image, int memberIndex);
};

namespace memberdescriptors {
extern const MemberDescriptor rxGroupLists;
extern const MemberDescriptor zones;
extern const MemberDescriptor scanLists;
} // namespace memberdescriptors

// The members of one record. Members are record numbers of the member list (1..its capacity) in
// slots 0..M-1; a slot holding any other value is free. Rows are positions among the listed
// members.
class MemberList
{
public:
    MemberList(FileImage &image, const MemberDescriptor &members, int record);

    int record() const { return m_record; }
    int capacity() const { return m_members.slots.count; }
    // The listed members in slot order.
    QList<int> members() const;
    // The member numbers the page offers: offerable records that are not members, in record order.
    QList<int> available() const;
    bool isAvailable(int number) const;
    // The member's name as the page shows it.
    QString memberName(int number) const;

    // Stores each number in the first free slot; members already listed are skipped. Returns the
    // numbers that found no free slot.
    QList<int> add(const QList<int> &numbers);
    // Clears every slot holding one of the numbers, then closes up.
    void remove(const QList<int> &numbers);
    // Moves the members at the given rows by n places (towards slot 0 for positive n), limited
    // like a selection move; the members then stand closed up. Returns the new rows.
    QList<int> move(const QList<int> &rows, int n);

private:
    bool isOwnerUsed() const;
    bool isMember(int value) const;
    int slotOffset(int slot) const { return m_members.slots.memberOffset(m_record, slot); }
    void write(const QList<int> &members);

    FileImage &m_image;
    const MemberDescriptor &m_members;
    int m_record;
};

} // namespace codeplug
