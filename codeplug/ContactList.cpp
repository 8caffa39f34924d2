#include "ContactList.h"

#include "ContactRecord.h"
#include "ContactReferences.h"
#include "Layout.h"
#include "NameCodec.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace codeplug {

namespace {

const ListLayout &list()
{
    return lists::contacts;
}

// order[newRow] = oldRow over all records.
using Order = std::vector<int>;

Order identityOrder()
{
    Order order(kMaxContacts);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// Puts the records in the given order and makes every reference follow its contact, in one pass.
void applyOrder(FileImage &image, const Order &order)
{
    if (order == identityOrder())
        return;
    const FileImage before = image;
    std::vector<int> newNumber(std::size_t(kMaxContacts) + 1);
    std::iota(newNumber.begin(), newNumber.end(), 0);
    for (int row = 0; row < kMaxContacts; ++row) {
        const int old = order[std::size_t(row)];
        setContactRecordBytes(image, row, contactRecordBytes(before, old));
        newNumber[std::size_t(old) + 1] = row + 1;
    }
    renumberContactReferences(image, ContactReferenceScope::MoveAndSwap, newNumber);
}

void moveInOrder(Order &order, int from, int to)
{
    const int moved = order[std::size_t(from)];
    order.erase(order.begin() + from);
    order.insert(order.begin() + to, moved);
}

// Valid rows of used contacts, ascending and without repeats.
QList<int> usedRows(const FileImage &image, const QList<int> &rows)
{
    QList<int> result;
    for (int row : rows) {
        if (isContactUsed(image, row))
            result.append(row);
    }
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

bool isProtected(const FileImage &image, int row, const ProtectedIdList &protectedIds)
{
    return isContactUsed(image, row) && protectedIds.contains(contactId(image, row));
}

// Protected contacts first, each group keeping its order; free records stay behind.
Order protectedFirstOrder(const FileImage &image, const ProtectedIdList &protectedIds, int &protectedCount)
{
    Order order = identityOrder();
    const int used = contactCount(image);
    const auto firstOther = std::stable_partition(
        order.begin(), order.begin() + used, [&](int row) { return isProtected(image, row, protectedIds); });
    protectedCount = int(firstOther - order.begin());
    return order;
}

} // namespace

int addContact(FileImage &image, const QByteArray &source)
{
    const int index = firstEmptyRecord(image, list());
    if (index < 0)
        return kNoFreeContact;
    if (source.size() == list().recordSize)
        setContactRecordBytes(image, index, source);
    else
        initContactRecord(image, index, QStringLiteral("Contact %1").arg(index + 1));
    return index;
}

int insertContact(FileImage &image, int before)
{
    const int added = addContact(image);
    if (added < 0 || before < 0 || before >= added)
        return added;
    return moveContact(image, added, added - before);
}

QString contactDeleteRefusal(const FileImage &image, int number)
{
    if (number < 1 || number > kMaxContacts)
        return {};
    return contactReferenceRefusal(image, number, contactName(image, number - 1));
}

int deleteContact(FileImage &image, int number, const RefusalHandler &refused)
{
    const int index = number - 1;
    if (!isContactUsed(image, index))
        return DeleteRefusedContinue;
    const QString message = contactDeleteRefusal(image, number);
    if (!message.isEmpty())
        return !refused || refused(message) ? DeleteRefusedContinue : DeleteRefusedStop;
    const int size = list().recordSize;
    image.copy(list().recordOffset(index + 1), list().recordOffset(index), size * (kMaxContacts - 1 - index));
    initContactRecord(image, kMaxContacts - 1, QString());
    if (!isContactUsed(image, 0))
        initContactRecord(image, 0, QStringLiteral("Contact 1"));
    std::vector<int> newNumber(std::size_t(kMaxContacts) + 1);
    std::iota(newNumber.begin(), newNumber.end(), 0);
    for (int r = number + 1; r <= kMaxContacts; ++r)
        newNumber[std::size_t(r)] = r - 1;
    renumberContactReferences(image, ContactReferenceScope::Deletion, newNumber);
    return ContactDeleted;
}

ContactDeletion deleteContacts(
    FileImage &image, const QList<int> &rows, const ProtectedIdList &protectedIds, const RefusalHandler &refused)
{
    ContactDeletion result;
    const QList<int> selected = usedRows(image, rows);
    for (int row : selected) {
        const int index = row - result.deleted;
        if (isProtected(image, index, protectedIds))
            continue;
        const int code = deleteContact(image, index + 1, refused);
        if (code == ContactDeleted)
            ++result.deleted;
        if (code == DeleteRefusedStop) {
            result.stopped = true;
            break;
        }
    }
    if (result.deleted > 0)
        result.selectRow = std::min(int(selected.last()), contactCount(image) - 1);
    return result;
}

int moveContact(FileImage &image, int from, int delta)
{
    if (!isContactUsed(image, from) || delta == 0)
        return from;
    const int to = std::clamp(from - delta, 0, contactCount(image) - 1);
    if (to == from)
        return from;
    Order order = identityOrder();
    moveInOrder(order, from, to);
    applyOrder(image, order);
    return to;
}

QList<int> moveContacts(FileImage &image, const QList<int> &rows, int delta)
{
    QList<int> selected = usedRows(image, rows);
    if (selected.isEmpty())
        return selected;
    const int used = contactCount(image);
    if (delta > selected.first())
        delta = selected.first();
    else if (delta < selected.last() + 1 - used)
        delta = selected.last() + 1 - used;
    if (delta == 0)
        return selected;
    Order order = identityOrder();
    // Moving the leading row first (up) or the trailing row first (down) keeps the block's shape.
    if (delta < 0)
        std::reverse(selected.begin(), selected.end());
    for (int &row : selected) {
        moveInOrder(order, row, row - delta);
        row -= delta;
    }
    applyOrder(image, order);
    std::sort(selected.begin(), selected.end());
    return selected;
}

int swapContacts(FileImage &image, int a, int b)
{
    if (!list().validIndex(a))
        return SwapFirstOutOfRange;
    if (!list().validIndex(b))
        return SwapSecondOutOfRange;
    if (a == b)
        return SwapSameIndex;
    Order order = identityOrder();
    std::swap(order[std::size_t(a)], order[std::size_t(b)]);
    applyOrder(image, order);
    return SwapDone;
}

void protectedContactsToFront(FileImage &image, const ProtectedIdList &protectedIds)
{
    int protectedCount = 0;
    applyOrder(image, protectedFirstOrder(image, protectedIds, protectedCount));
}

std::optional<ContactSortKey> contactSortKeyForColumn(const QString &title)
{
    if (title == QLatin1String("Name"))
        return ContactSortKey::Name;
    if (title == QLatin1String("ID"))
        return ContactSortKey::Id;
    if (title == QLatin1String("Type"))
        return ContactSortKey::Type;
    if (title == QLatin1String("Rx Tone"))
        return ContactSortKey::RxTone;
    return std::nullopt;
}

namespace {

// Sort keys of the records as they stand before the sort, looked up by old row.
class SortKeys
{
public:
    SortKeys(const FileImage &image, ContactSortKey key)
        : m_key(key)
    {
        const int used = contactCount(image);
        for (int row = 0; row < used; ++row) {
            const QString name = decodeName(image, list().nameFieldOffset(row), list().nameUnits, -1);
            m_names.append(name.toLatin1().toLower()); // letters A-Z only; other bytes compare as they are
            m_ids.append(contactId(image, row));
            m_types.append(contactCallType(image, row));
            m_tones.append(contactRxTone(image, row));
        }
    }

    // Whether old row a, standing at position posA, sorts strictly before old row b at position posB.
    bool before(int a, int posA, int b, int posB) const
    {
        switch (m_key) {
        case ContactSortKey::Name:
            if (!m_names[a].isEmpty() && !m_names[b].isEmpty())
                return m_names[a] < m_names[b];
            return nameKey(a, posA) < nameKey(b, posB);
        case ContactSortKey::Id:
            return m_ids[a] < m_ids[b];
        case ContactSortKey::Type:
            return m_types[a] < m_types[b];
        case ContactSortKey::RxTone:
            return m_tones[a] && !m_tones[b];
        }
        return false;
    }

private:
    // A blank name sorts by the text it is shown with, which names the record's current position.
    QByteArray nameKey(int row, int position) const
    {
        const QByteArray &name = m_names[row];
        return name.isEmpty() ? QByteArrayLiteral("no_name-") + QByteArray::number(position + 1) : name;
    }

    ContactSortKey m_key;
    QList<QByteArray> m_names;
    QList<std::uint32_t> m_ids;
    QList<int> m_types;
    QList<bool> m_tones;
};

// The exchange sort over rows first..used-1 of the order, run on the keys only.
void exchangeSort(Order &order, int first, int used, const SortKeys &keys)
{
    for (int i = first; i < used - 1; ++i) {
        for (int j = i + 1; j < used; ++j) {
            if (keys.before(order[std::size_t(j)], j, order[std::size_t(i)], i))
                std::swap(order[std::size_t(i)], order[std::size_t(j)]);
        }
    }
}

} // namespace

void sortContacts(FileImage &image, ContactSortKey key, const ProtectedIdList &protectedIds)
{
    int protectedCount = 0;
    Order order = protectedFirstOrder(image, protectedIds, protectedCount);
    if (protectedCount < kMaxContacts - 1)
        exchangeSort(order, protectedCount, contactCount(image), SortKeys(image, key));
    applyOrder(image, order);
}

namespace {

QList<QByteArray> clipboardRecords(const QByteArray &block)
{
    QList<QByteArray> records;
    if (block.size() < 4)
        return records;
    const std::uint32_t count = std::uint8_t(block[0]) | std::uint8_t(block[1]) << 8 | std::uint8_t(block[2]) << 16
        | std::uint32_t(std::uint8_t(block[3])) << 24;
    const qsizetype size = list().recordSize;
    const qsizetype present = (block.size() - 4) / size;
    const qsizetype taken = std::min<qsizetype>({ qsizetype(count), qsizetype(kMaxContacts), present });
    for (qsizetype k = 0; k < taken; ++k)
        records.append(block.mid(4 + k * size, size));
    return records;
}

// A record whose name starts with a 0 unit would leave a hole among the used records.
bool hasName(const QByteArray &record)
{
    const int name = lists::contacts.nameOffset;
    return record.size() > name + 1 && (record[name] != 0 || record[name + 1] != 0);
}

} // namespace

QByteArray copyContacts(const FileImage &image, const QList<int> &rows)
{
    QByteArray records;
    std::uint32_t count = 0;
    for (int row : rows) {
        if (!isContactUsed(image, row))
            continue;
        records.append(contactRecordBytes(image, row));
        ++count;
    }
    QByteArray block(4, '\0');
    for (int i = 0; i < 4; ++i)
        block[i] = char(count >> (8 * i));
    return block + records;
}

int pasteContactsOver(FileImage &image, const QList<int> &rows, const QByteArray &block)
{
    const QList<QByteArray> records = clipboardRecords(block);
    if (records.isEmpty())
        return 0;
    int pasted = 0;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const QByteArray &record = records[k % records.size()];
        if (!isContactUsed(image, rows[k]) || !hasName(record))
            continue;
        setContactRecordBytes(image, rows[k], record);
        ++pasted;
    }
    return pasted;
}

ContactPaste pasteNewContacts(FileImage &image, const QByteArray &block)
{
    ContactPaste result;
    int next = firstEmptyRecord(image, list());
    for (const QByteArray &record : clipboardRecords(block)) {
        if (next < 0 || next >= kMaxContacts)
            break;
        if (!hasName(record))
            continue;
        setContactRecordBytes(image, next, record);
        if (result.first < 0)
            result.first = next;
        ++result.count;
        ++next;
    }
    return result;
}

} // namespace codeplug
