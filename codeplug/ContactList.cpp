#include "ContactList.h"

#include "ContactRecord.h"
#include "NameCodec.h"
#include "RecordList.h"

#include <algorithm>

namespace codeplug {

const ListDescriptor listdescriptors::contacts = {
    lists::contacts,
    initContactRecord,
    "Contact %1",
    "Contact 1",
    contactReferences,
    "Cannot delete contact \"%1\".\n\nIt's used in %2 setting",
    [](const FileImage &image, int index, int shownNumber) {
        const ListLayout &list = lists::contacts;
        return decodeName(image, list.nameFieldOffset(index), list.nameUnits, shownNumber);
    },
};

namespace {

RecordList contactList(FileImage &image)
{
    return RecordList(image, listdescriptors::contacts);
}

int orNoFree(int index)
{
    return index < 0 ? kNoFreeContact : index;
}

bool isProtected(const FileImage &image, int row, const ProtectedIdList &protectedIds)
{
    return isContactUsed(image, row) && protectedIds.contains(contactId(image, row));
}

// Sort keys of the records as they stand before the sort, looked up by old row.
class SortKeys
{
public:
    SortKeys(const FileImage &image, ContactSortKey key)
        : m_key(key)
    {
        const int used = contactCount(image);
        for (int row = 0; row < used; ++row) {
            const QString name = decodeName(image, lists::contacts.nameFieldOffset(row), lists::contacts.nameUnits, -1);
            m_names.push_back(name.toLatin1().toLower()); // letters A-Z only; other bytes compare as they are
            m_ids.push_back(contactId(image, row));
            m_types.push_back(contactCallType(image, row));
            m_tones.push_back(contactRxTone(image, row));
        }
        m_nameRanks = keyRanks(m_names);
    }

    // Whether old row a, standing at position posA, sorts strictly before old row b at position posB.
    bool operator()(int a, int posA, int b, int posB) const
    {
        const auto i = std::size_t(a);
        const auto j = std::size_t(b);
        switch (m_key) {
        case ContactSortKey::Name:
            if (!m_names[i].isEmpty() && !m_names[j].isEmpty())
                return m_nameRanks[i] < m_nameRanks[j];
            return nameKey(a, posA) < nameKey(b, posB);
        case ContactSortKey::Id:
            return m_ids[i] < m_ids[j];
        case ContactSortKey::Type:
            return m_types[i] < m_types[j];
        case ContactSortKey::RxTone:
            return m_tones[i] && !m_tones[j];
        }
        return false;
    }

private:
    // A blank name sorts by the text it is shown with, which names the record's current position.
    QByteArray nameKey(int row, int position) const
    {
        const QByteArray &name = m_names[std::size_t(row)];
        return name.isEmpty() ? QByteArrayLiteral("no_name-") + QByteArray::number(position + 1) : name;
    }

    ContactSortKey m_key;
    std::vector<QByteArray> m_names;
    std::vector<int> m_nameRanks;
    std::vector<std::uint32_t> m_ids;
    std::vector<int> m_types;
    std::vector<bool> m_tones;
};

} // namespace

int addContact(FileImage &image)
{
    return orNoFree(contactList(image).add());
}

int insertContact(FileImage &image, int before)
{
    return orNoFree(contactList(image).insert(before));
}

ContactDeletion deleteContacts(
    FileImage &image, const QList<int> &rows, const ProtectedIdList &protectedIds, const RefusalHandler &refused)
{
    const ListResult result = contactList(image).remove(
        rows, [&](int row) { return isProtected(image, row, protectedIds); }, refused);
    return { result.count, result.stopped, result.row };
}

QList<int> moveContacts(FileImage &image, const QList<int> &rows, int delta)
{
    return contactList(image).moveSelection(rows, delta);
}

std::optional<ContactSortKey> contactSortKeyForColumn(const QString &title)
{
    const std::pair<const char *, ContactSortKey> columns[] = {
        { "Name", ContactSortKey::Name },
        { "ID", ContactSortKey::Id },
        { "Type", ContactSortKey::Type },
        { "Rx Tone", ContactSortKey::RxTone },
    };
    for (const auto &[column, key] : columns) {
        if (title == QLatin1String(column))
            return key;
    }
    return std::nullopt;
}

void sortContacts(FileImage &image, ContactSortKey key, const ProtectedIdList &protectedIds)
{
    RecordList list = contactList(image);
    const int used = list.usedCount();
    RecordOrder order = list.identityOrder();
    const auto firstOther = std::stable_partition(
        order.begin(), order.begin() + used, [&](int row) { return isProtected(image, row, protectedIds); });
    exchangeSort(order, int(firstOther - order.begin()), used, SortKeys(image, key));
    list.applyOrder(order);
}

QByteArray copyContacts(const FileImage &image, const QList<int> &rows)
{
    return copyRecords(image, lists::contacts, rows);
}

int pasteContactsOver(FileImage &image, const QList<int> &rows, const QByteArray &block)
{
    return contactList(image).pasteOver(block, rows);
}

ContactPaste pasteNewContacts(FileImage &image, const QByteArray &block)
{
    const ListResult result = contactList(image).pasteNew(block);
    return { result.row, result.count };
}

ContactMerger::ContactMerger(FileImage &image, const ProtectedIdList &protectedIds)
    : m_image(image)
    , m_protected(protectedIds)
    , m_used(firstEmptyRecord(image, lists::contacts))
{
    if (m_used < 0)
        m_used = kMaxContacts;
    // The first of equal IDs is the one updated; later rows do not take its place.
    for (int row = m_used - 1; row >= 0; --row)
        m_rows.insert(contactId(image, row), row);
}

ContactMerger::Outcome ContactMerger::store(std::uint32_t id, int callType, bool rxTone, const QString &name)
{
    const auto found = m_rows.constFind(id);
    if (found != m_rows.cend()) {
        if (m_protected.contains(id))
            return Left;
        updateContact(m_image, found.value(), callType, rxTone, name);
        return Updated;
    }
    if (full())
        return Left;
    writeContact(m_image, m_used, id, callType, rxTone, name);
    m_rows.insert(id, m_used++);
    return Added;
}

} // namespace codeplug
