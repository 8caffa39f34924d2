#pragma once

#include "FileImage.h"
#include "Layout.h"
#include "References.h"
#include "Refusal.h"

#include <algorithm>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QString>

namespace codeplug {

// What the list engine needs to know of one list.
struct ListDescriptor
{
    const ListLayout &layout;
    void (*init)(FileImage &image, int index, const QString &name); // empty name: the unused form
    const char *newName; // "%1", where present, takes the record number
    const char *defaultName; // the record kept when the list would become empty
    ReferenceTable (*references)();
    const char *refusal; // "%1" takes the record's name, "%2" the place that refers to it
    // The record's name in a refusal; a blank name reads after `shownNumber`, its number as the
    // deletion walk stands (channels show the number before the walk).
    QString (*refusalName)(const FileImage &image, int index, int shownNumber);
};

namespace listdescriptors {
extern const ListDescriptor channels;
extern const ListDescriptor contacts;
extern const ListDescriptor rxGroupLists;
extern const ListDescriptor zones;
extern const ListDescriptor scanLists;
extern const ListDescriptor emergencySystems;
extern const ListDescriptor textMessages;
} // namespace listdescriptors

// The used rows among `rows`, ascending and without repeats.
QList<int> usedRecordRows(const FileImage &image, const ListLayout &list, const QList<int> &rows);
// The clipboard block: a 32-bit little-endian count, then the given used records raw, in the
// order given.
QByteArray copyRecords(const FileImage &image, const ListLayout &list, const QList<int> &rows);

// The outcome of a list operation.
struct ListResult
{
    int count = 0; // records deleted or written
    bool stopped = false; // a refusal was answered with Cancel
    int row = -1; // the row to select afterwards (first written, or near the deleted ones); -1: none
};

// The new position of each record: order[p] is the index of the record that goes to place p.
using RecordOrder = std::vector<int>;

// Moves the entries at `rows` (ascending, without repeats, inside 0..count-1) of an order by n
// places towards its front (towards the back for negative n), limited so that they stay inside
// the first `count` entries and keep their shape. Returns the n applied.
int moveRowsInOrder(RecordOrder &order, const QList<int> &rows, int n, int count);

// The operations every list shares, on one image. Indexes are 0-based record indexes (the page's
// rows); the used records stay contiguous and every reference in the list's table follows its
// record.
class RecordList
{
public:
    RecordList(FileImage &image, const ListDescriptor &list);

    int capacity() const { return m_list.layout.count; }
    bool isUsed(int index) const { return isRecordUsed(m_image, m_list.layout, index); }
    int usedCount() const { return usedRecordCount(m_image, m_list.layout); }
    QList<int> usedRows(const QList<int> &rows) const { return usedRecordRows(m_image, m_list.layout, rows); }

    // A new record named after its number, or the given raw named record, in the first empty
    // record. Returns its index, or -1 when the list is full or the record is not a named one.
    int add(const QByteArray &record = {});
    // Adds a new record and moves it to place p (a plain add when p is not a used place).
    int insert(int p);
    // Moves used record i up by n places (down for negative n) within the used records; returns
    // its new index.
    int move(int index, int n);
    // Moves the selection by n places, limited so that it stays inside the used records and keeps
    // its shape; returns the new selection.
    QList<int> moveSelection(const QList<int> &rows, int n);
    // Exchanges two used records; false (nothing changed) otherwise.
    bool swap(int first, int second);
    // Puts the records in the given order (a permutation of all records), moving each once and
    // renumbering the references once.
    void applyOrder(const RecordOrder &order);

    // The refusal that blocks deleting record i, or an empty string.
    QString deleteRefusal(int index) const;
    // Deletes the used selected rows in one pass: protected ones are skipped silently, refused ones
    // ask `askContinue` (none: go on). The list never empties: the record numbered 1 stays.
    ListResult remove(
        const QList<int> &rows, const std::function<bool(int index)> &isProtected, const RefusalHandler &askContinue);

    // Writes block record k (cycling) over used row k; unnamed block records are skipped.
    // Returns the number of records written.
    int pasteOver(const QByteArray &block, const QList<int> &rows);
    // Writes the block's named records into the free records; `row` is the first one written.
    ListResult pasteNew(const QByteArray &block);

    // The identity order over all records.
    RecordOrder identityOrder() const;

private:
    QString refusalMessage(int index, int shownNumber, const QString &place) const;
    bool isNamed(const QByteArray &record) const;
    QList<QByteArray> blockRecords(const QByteArray &block) const;
    void writeRecord(int index, const QByteArray &record);
    void removeMarked(const std::vector<bool> &deleted);

    FileImage &m_image;
    const ListDescriptor &m_list;
};

// The exchange sort the radio's lists have always had (not stable), run on an order only:
// before(a, posA, b, posB) tells whether record a, standing at place posA, sorts before record b.
template <typename Before> void exchangeSort(RecordOrder &order, int first, int end, Before before)
{
    for (int i = first; i < end - 1; ++i) {
        for (int j = i + 1; j < end; ++j) {
            if (before(order[std::size_t(j)], j, order[std::size_t(i)], i))
                std::swap(order[std::size_t(i)], order[std::size_t(j)]);
        }
    }
}

// Ranks of keys (equal keys, equal ranks) so that a sort compares integers, not the keys.
template <typename Key> std::vector<int> keyRanks(const std::vector<Key> &keys)
{
    std::vector<Key> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> ranks(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        ranks[i] = int(std::lower_bound(sorted.begin(), sorted.end(), keys[i]) - sorted.begin());
    return ranks;
}

} // namespace codeplug
