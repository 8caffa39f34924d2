#include "RecordList.h"

#include <algorithm>
#include <numeric>

namespace codeplug {

namespace {

// The Move of one entry inside an order: entry i goes to place t, the ones between shift towards i.
void moveInOrder(RecordOrder &order, int i, int t)
{
    const auto at = [&](int k) { return order.begin() + k; };
    if (t < i)
        std::rotate(at(t), at(i), at(i + 1));
    else if (t > i)
        std::rotate(at(i), at(i + 1), at(t + 1));
}

} // namespace

RecordList::RecordList(FileImage &image, const ListDescriptor &list)
    : m_image(image)
    , m_list(list)
{
}

QList<int> usedRecordRows(const FileImage &image, const ListLayout &list, const QList<int> &rows)
{
    QList<int> used = rows;
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    used.removeIf([&](int index) { return !isRecordUsed(image, list, index); });
    return used;
}

QByteArray copyRecords(const FileImage &image, const ListLayout &list, const QList<int> &rows)
{
    QByteArray records;
    std::uint32_t count = 0;
    for (int row : rows) {
        if (!isRecordUsed(image, list, row))
            continue;
        const std::span<const std::uint8_t> record = image.span(list.recordOffset(row), list.recordSize);
        records.append(reinterpret_cast<const char *>(record.data()), list.recordSize);
        ++count;
    }
    QByteArray block(4, '\0');
    for (int i = 0; i < 4; ++i)
        block[i] = char(count >> (8 * i));
    return block + records;
}

RecordOrder RecordList::identityOrder() const
{
    RecordOrder order(static_cast<std::size_t>(capacity()));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

int RecordList::add(const QByteArray &record)
{
    const int index = firstEmptyRecord(m_image, m_list.layout);
    if (index < 0)
        return -1;
    if (record.isEmpty()) {
        const QString name = QString::fromLatin1(m_list.newName);
        m_list.init(m_image, index, name.contains(QLatin1String("%1")) ? name.arg(index + 1) : name);
        return index;
    }
    if (!isNamed(record))
        return -1;
    writeRecord(index, record);
    return index;
}

int RecordList::insert(int p)
{
    const int index = add();
    if (index < 0 || p < 0 || p >= index)
        return index;
    return move(index, index - p);
}

int RecordList::move(int index, int n)
{
    if (!isUsed(index))
        return index;
    const int target = std::clamp(index - n, 0, usedCount() - 1);
    if (target == index)
        return index;
    RecordOrder order = identityOrder();
    moveInOrder(order, index, target);
    applyOrder(order);
    return target;
}

int moveRowsInOrder(RecordOrder &order, const QList<int> &rows, int n, int count)
{
    if (rows.isEmpty())
        return 0;
    n = std::max(std::min(n, rows.first()), rows.last() + 1 - count);
    // Moving the leading row first (up) or the trailing row first (down) keeps the shape.
    if (n > 0) {
        for (int row : rows)
            moveInOrder(order, row, row - n);
    } else if (n < 0) {
        for (auto it = rows.crbegin(); it != rows.crend(); ++it)
            moveInOrder(order, *it, *it - n);
    }
    return n;
}

QList<int> RecordList::moveSelection(const QList<int> &rows, int n)
{
    QList<int> selected = usedRows(rows);
    RecordOrder order = identityOrder();
    n = moveRowsInOrder(order, selected, n, usedCount());
    if (n == 0)
        return selected;
    applyOrder(order);
    for (int &row : selected)
        row -= n;
    return selected;
}

bool RecordList::swap(int first, int second)
{
    if (first == second || !isUsed(first) || !isUsed(second))
        return false;
    RecordOrder order = identityOrder();
    std::swap(order[std::size_t(first)], order[std::size_t(second)]);
    applyOrder(order);
    return true;
}

void RecordList::applyOrder(const RecordOrder &order)
{
    const ListLayout &layout = m_list.layout;
    const std::span<std::uint8_t> section = m_image.span(layout.offset, layout.count * layout.recordSize);
    if (section.empty() || order.size() != std::size_t(layout.count))
        return;
    const std::vector<std::uint8_t> before(section.begin(), section.end());
    Renumbering renumbering { std::vector<int>(std::size_t(layout.count) + 1, 0), {} };
    for (std::size_t p = 0; p < order.size(); ++p) {
        const auto from = before.begin() + std::ptrdiff_t(order[p]) * layout.recordSize;
        std::copy(from, from + layout.recordSize, section.begin() + std::ptrdiff_t(p) * layout.recordSize);
        renumbering.newNumber[std::size_t(order[p]) + 1] = int(p) + 1;
    }
    renumberReferences(m_image, m_list.references(), renumbering);
}

QString RecordList::deleteRefusal(int index) const
{
    if (!m_list.layout.validIndex(index))
        return {};
    const ReferenceTable table = m_list.references();
    const ReferenceEntry entry = firstBlockingReference(m_image, table, index + 1);
    if (!entry.found())
        return {};
    return refusalMessage(index, index + 1, placeText(m_image, table, entry));
}

// Deleting earlier records only renumbers, so each selected record is checked against the
// references as they stand before the deletion and all deletions are applied together.
ListResult RecordList::remove(
    const QList<int> &rows, const std::function<bool(int index)> &isProtected, const RefusalHandler &askContinue)
{
    ListResult result;
    const QList<int> selected = usedRows(rows);
    const ReferenceTable table = m_list.references();
    const std::vector<ReferenceEntry> blockers = firstBlockingReferences(m_image, table, capacity());
    std::vector<bool> deleted(std::size_t(capacity()), false);
    for (int index : selected) {
        if (isProtected && isProtected(index))
            continue;
        const ReferenceEntry &blocker = blockers[std::size_t(index) + 1];
        if (blocker.found()) {
            const QString place = placeText(m_image, table, blocker);
            if (askContinue && !askContinue(refusalMessage(index, index + 1 - result.count, place))) {
                result.stopped = true;
                break;
            }
            continue;
        }
        deleted[std::size_t(index)] = true;
        ++result.count;
    }
    if (result.count > 0) {
        removeMarked(deleted);
        result.row = std::min(int(selected.last()), usedCount() - 1);
    }
    return result;
}

// Closes the gaps, clears the freed records at the end and renumbers every reference: a number
// goes down by the deleted numbers below it.
void RecordList::removeMarked(const std::vector<bool> &deleted)
{
    const ListLayout &layout = m_list.layout;
    Renumbering renumbering { std::vector<int>(std::size_t(capacity()) + 1, 0), std::vector<bool>(1, false) };
    renumbering.deleted.insert(renumbering.deleted.end(), deleted.begin(), deleted.end());
    int next = 0;
    for (int i = 0; i < capacity(); ++i) {
        renumbering.newNumber[std::size_t(i) + 1] = next + 1;
        if (deleted[std::size_t(i)])
            continue;
        if (i != next)
            m_image.copy(layout.recordOffset(i), layout.recordOffset(next), layout.recordSize);
        ++next;
    }
    for (int i = next; i < capacity(); ++i)
        m_list.init(m_image, i, QString());
    if (!isUsed(0))
        m_list.init(m_image, 0, QString::fromLatin1(m_list.defaultName));
    renumberReferences(m_image, m_list.references(), renumbering);
}

QString RecordList::refusalMessage(int index, int shownNumber, const QString &place) const
{
    return QString::fromLatin1(m_list.refusal).arg(m_list.refusalName(m_image, index, shownNumber), place);
}

bool RecordList::isNamed(const QByteArray &record) const
{
    const int name = m_list.layout.nameOffset;
    return record.size() == m_list.layout.recordSize && (record.at(name) != 0 || record.at(name + 1) != 0);
}

QList<QByteArray> RecordList::blockRecords(const QByteArray &block) const
{
    QList<QByteArray> records;
    if (block.size() < 4)
        return records;
    const auto byte = [&](int i) { return std::uint32_t(std::uint8_t(block.at(i))); };
    const std::uint32_t count = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    const int size = m_list.layout.recordSize;
    const qsizetype available = (block.size() - 4) / size;
    const qsizetype n = std::min<qsizetype>({ qsizetype(count), available, qsizetype(capacity()) });
    for (qsizetype k = 0; k < n; ++k)
        records.append(block.mid(4 + k * size, size));
    return records;
}

void RecordList::writeRecord(int index, const QByteArray &record)
{
    const int size = m_list.layout.recordSize;
    const std::span<std::uint8_t> target = m_image.span(m_list.layout.recordOffset(index), size);
    if (!target.empty() && record.size() == size)
        std::copy(record.begin(), record.end(), target.begin());
}

int RecordList::pasteOver(const QByteArray &block, const QList<int> &rows)
{
    const QList<QByteArray> records = blockRecords(block);
    if (records.isEmpty())
        return 0;
    int written = 0;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const QByteArray &record = records.at(k % records.size());
        // An unnamed record would leave a hole inside the used records.
        if (!isUsed(rows.at(k)) || !isNamed(record))
            continue;
        writeRecord(rows.at(k), record);
        ++written;
    }
    return written;
}

ListResult RecordList::pasteNew(const QByteArray &block)
{
    ListResult result;
    for (const QByteArray &record : blockRecords(block)) {
        if (!isNamed(record))
            continue;
        const int index = add(record);
        if (index < 0)
            break;
        if (result.row < 0)
            result.row = index;
        ++result.count;
    }
    return result;
}

} // namespace codeplug
