#include "ChannelList.h"

#include "ChannelRecord.h"
#include "Layout.h"
#include "NameCodec.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace codeplug {

namespace {

const ListLayout &kChannels = lists::channels;
constexpr int kRecordSize = 64;

enum class Referrer { EmergencySystem, Zone, ScanList, Dtmf, Gps };

// One place in another section that holds a channel number.
struct ChannelReference
{
    int offset;
    Referrer referrer;
    int owner; // index of the owning record or entry
    bool ownerIsNamed; // moves and swaps renumber only entries of named owners
};

// Every channel reference, in the order the delete check visits them.
std::vector<ChannelReference> channelReferences(const FileImage &image)
{
    std::vector<ChannelReference> refs;
    refs.reserve(32 + 250 * 16 + 250 * 31 + 8 + 16);
    const ListLayout &systems = lists::emergencySystems;
    for (int r = 0; r < systems.count; ++r)
        refs.push_back({ systems.recordOffset(r) + 36, Referrer::EmergencySystem, r, isRecordUsed(image, systems, r) });
    const auto addMembers = [&](const MemberLayout &layout, Referrer referrer) {
        for (int r = 0; r < layout.owner.count; ++r) {
            const bool named = isRecordUsed(image, layout.owner, r);
            for (int m = 0; m < layout.count; ++m)
                refs.push_back({ layout.memberOffset(r, m), referrer, r, named });
        }
    };
    addMembers(members::zoneChannels, Referrer::Zone);
    addMembers(members::scanListChannels, Referrer::ScanList);
    for (int k = 0; k < 8; ++k)
        refs.push_back({ sectionOffset(Section::Dtmf) + 724 + 24 * k, Referrer::Dtmf, k, true });
    for (int k = 0; k < 16; ++k)
        refs.push_back({ sectionOffset(Section::Gps) + 16 * k, Referrer::Gps, k, true });
    return refs;
}

bool isChannelNumber(int value)
{
    return value >= 1 && value <= kChannels.count;
}

QString ownerName(const FileImage &image, const ListLayout &list, int owner)
{
    return decodeName(image, list.nameFieldOffset(owner), list.nameUnits, owner + 1);
}

QString refusalMessage(const FileImage &image, int index, const ChannelReference &ref)
{
    QString section;
    QString name;
    switch (ref.referrer) {
    case Referrer::EmergencySystem:
        section = QStringLiteral("EMERGENCY SYSTEM");
        name = ownerName(image, lists::emergencySystems, ref.owner);
        break;
    case Referrer::Zone:
        section = QStringLiteral("ZONES");
        name = ownerName(image, lists::zones, ref.owner);
        break;
    case Referrer::ScanList:
        section = QStringLiteral("SCAN LIST");
        name = ownerName(image, lists::scanLists, ref.owner);
        break;
    case Referrer::Dtmf:
        section = QStringLiteral("DTMF");
        name = QStringLiteral("DTMF-%1").arg(ref.owner + 1);
        break;
    case Referrer::Gps:
        section = QStringLiteral("GPS");
        name = QStringLiteral("GPS-DECODE-%1").arg(ref.owner + 1);
        break;
    }
    return QStringLiteral("Cannot delete channel \"%1\".\n\nIt's used in %2 \"%3\" setting")
        .arg(channelName(image, index), section, name);
}

// For every channel number, the first reference the delete check meets, or -1.
std::vector<int> firstReferences(const FileImage &image, const std::vector<ChannelReference> &refs)
{
    std::vector<int> first(std::size_t(kChannels.count) + 1, -1);
    for (std::size_t r = 0; r < refs.size(); ++r) {
        const int value = image.u16(refs[r].offset);
        if (isChannelNumber(value) && first[std::size_t(value)] < 0)
            first[std::size_t(value)] = int(r);
    }
    return first;
}

// Puts old record order[p] at place p for every p and renumbers the references of named owners
// (and all DTMF and GPS entries) to follow their channels.
void applyOrder(FileImage &image, const std::vector<int> &order)
{
    const std::span<std::uint8_t> section = image.span(kChannels.offset, kChannels.count * kRecordSize);
    if (section.empty())
        return;
    const std::vector<std::uint8_t> before(section.begin(), section.end());
    std::vector<int> newNumber(std::size_t(kChannels.count) + 1, 0);
    for (std::size_t p = 0; p < order.size(); ++p) {
        const auto from = before.begin() + std::ptrdiff_t(order[p]) * kRecordSize;
        std::copy(from, from + kRecordSize, section.begin() + std::ptrdiff_t(p) * kRecordSize);
        newNumber[std::size_t(order[p]) + 1] = int(p) + 1;
    }
    for (const ChannelReference &ref : channelReferences(image)) {
        const int value = image.u16(ref.offset);
        if (ref.ownerIsNamed && isChannelNumber(value))
            image.setU16(ref.offset, std::uint16_t(newNumber[std::size_t(value)]));
    }
}

std::vector<int> identityOrder()
{
    std::vector<int> order(std::size_t(kChannels.count));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// The Move of one entry inside an order: entry i goes to place t, the ones between shift towards i.
void moveInOrder(std::vector<int> &order, int i, int t)
{
    const auto at = [&](int k) { return order.begin() + k; };
    if (t < i)
        std::rotate(at(t), at(i), at(i + 1));
    else if (t > i)
        std::rotate(at(i), at(i + 1), at(t + 1));
}

// Removes the marked records, closes the gap and renumbers every reference (whatever its owner's
// name); the freed records take the empty form.
void removeChannels(FileImage &image, const std::vector<bool> &deleted)
{
    std::vector<int> below(std::size_t(kChannels.count) + 1, 0); // deleted numbers below each number
    int next = 0;
    for (int i = 0; i < kChannels.count; ++i) {
        below[std::size_t(i) + 1] = i - next;
        if (deleted[std::size_t(i)])
            continue;
        if (i != next)
            image.copy(kChannels.recordOffset(i), kChannels.recordOffset(next), kRecordSize);
        ++next;
    }
    for (int i = next; i < kChannels.count; ++i)
        initChannelRecord(image, i, QString());
    if (!isRecordUsed(image, kChannels, 0))
        initChannelRecord(image, 0, QStringLiteral("Channel 1"));
    for (const ChannelReference &ref : channelReferences(image)) {
        const int value = image.u16(ref.offset);
        if (isChannelNumber(value))
            image.setU16(ref.offset, std::uint16_t(value - below[std::size_t(value)]));
    }
}

QList<int> usedSelection(const FileImage &image, QList<int> selected)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    selected.removeIf([&](int index) { return !isRecordUsed(image, kChannels, index); });
    return selected;
}

bool isNamedRecord(const QByteArray &record)
{
    return record.size() == kRecordSize && (record.at(32) != 0 || record.at(33) != 0);
}

QList<QByteArray> blockRecords(const QByteArray &block, int limit)
{
    QList<QByteArray> records;
    if (block.size() < 4)
        return records;
    const auto byte = [&](int i) { return std::uint32_t(std::uint8_t(block.at(i))); };
    const std::uint32_t count = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    const qsizetype available = (block.size() - 4) / kRecordSize;
    const qsizetype n = std::min<qsizetype>({ qsizetype(count), available, qsizetype(limit) });
    for (qsizetype k = 0; k < n; ++k)
        records.append(block.mid(4 + k * kRecordSize, kRecordSize));
    return records;
}

void writeRecord(FileImage &image, int index, const QByteArray &record)
{
    const std::span<std::uint8_t> target = image.span(kChannels.recordOffset(index), kRecordSize);
    if (!target.empty() && record.size() == kRecordSize)
        std::copy(record.begin(), record.end(), target.begin());
}

} // namespace

int addChannel(FileImage &image, const QByteArray &record)
{
    const int index = firstEmptyRecord(image, kChannels);
    if (index < 0)
        return -1;
    if (record.isEmpty()) {
        initChannelRecord(image, index, QStringLiteral("Channel %1").arg(index + 1));
        return index;
    }
    if (!isNamedRecord(record))
        return -1;
    writeRecord(image, index, record);
    return index;
}

int moveChannel(FileImage &image, int index, int n)
{
    const int used = usedRecordCount(image, kChannels);
    if (!isRecordUsed(image, kChannels, index))
        return index;
    const int target = std::clamp(index - n, 0, used - 1);
    if (target == index)
        return index;
    std::vector<int> order = identityOrder();
    moveInOrder(order, index, target);
    applyOrder(image, order);
    return target;
}

bool swapChannels(FileImage &image, int first, int second)
{
    if (first == second || !isRecordUsed(image, kChannels, first) || !isRecordUsed(image, kChannels, second))
        return false;
    std::vector<int> order = identityOrder();
    std::swap(order[std::size_t(first)], order[std::size_t(second)]);
    applyOrder(image, order);
    return true;
}

QList<int> moveChannelSelection(FileImage &image, const QList<int> &selected, int n)
{
    QList<int> rows = usedSelection(image, selected);
    if (rows.isEmpty())
        return rows;
    const int used = usedRecordCount(image, kChannels);
    n = std::max(std::min(n, rows.first()), rows.last() + 1 - used);
    if (n == 0)
        return rows;
    std::vector<int> order = identityOrder();
    if (n > 0) {
        for (int row : rows)
            moveInOrder(order, row, row - n);
    } else {
        for (auto it = rows.crbegin(); it != rows.crend(); ++it)
            moveInOrder(order, *it, *it - n);
    }
    applyOrder(image, order);
    for (int &row : rows)
        row -= n;
    return rows;
}

int insertChannel(FileImage &image, int p)
{
    const int index = addChannel(image);
    if (index < 0)
        return -1;
    return moveChannel(image, index, index - std::clamp(p, 0, index));
}

QString channelDeleteRefusal(const FileImage &image, int index)
{
    if (!kChannels.validIndex(index))
        return {};
    const std::vector<ChannelReference> refs = channelReferences(image);
    for (const ChannelReference &ref : refs) {
        if (image.u16(ref.offset) == index + 1)
            return refusalMessage(image, index, ref);
    }
    return {};
}

DeleteResult deleteChannel(FileImage &image, int number, const RefusalHandler &askContinue)
{
    const QString refusal = channelDeleteRefusal(image, number - 1);
    if (!refusal.isEmpty())
        return askContinue(refusal) ? DeleteResult::RefusedContinue : DeleteResult::RefusedStop;
    if (!isRecordUsed(image, kChannels, number - 1))
        return DeleteResult::RefusedContinue;
    std::vector<bool> deleted(std::size_t(kChannels.count), false);
    deleted[std::size_t(number) - 1] = true;
    removeChannels(image, deleted);
    return DeleteResult::Deleted;
}

// Deleting earlier channels only renumbers, so each selected channel can be checked against the
// references as they stand now and all deletions applied together.
int deleteChannelSelection(FileImage &image, const QList<int> &selected, const ProtectedChannelList &protectedNames,
    const RefusalHandler &askContinue)
{
    const std::vector<ChannelReference> refs = channelReferences(image);
    const std::vector<int> first = firstReferences(image, refs);
    std::vector<bool> deleted(std::size_t(kChannels.count), false);
    int count = 0;
    for (int index : usedSelection(image, selected)) {
        if (protectedNames.matches(channelName(image, index)))
            continue;
        const int ref = first[std::size_t(index) + 1];
        if (ref >= 0) {
            if (!askContinue(refusalMessage(image, index, refs[std::size_t(ref)])))
                break;
            continue;
        }
        deleted[std::size_t(index)] = true;
        ++count;
    }
    if (count > 0)
        removeChannels(image, deleted);
    return count;
}

void sortChannels(FileImage &image, const ProtectedChannelList &protectedNames)
{
    const int used = usedRecordCount(image, kChannels);
    std::vector<int> order = identityOrder();
    const auto firstUnprotected = std::stable_partition(order.begin(), order.begin() + used,
        [&](int index) { return protectedNames.matches(channelName(image, index)); });
    const int protectedCount = int(firstUnprotected - order.begin());
    if (protectedCount < kChannels.count - 1) {
        std::vector<QByteArray> keys(std::size_t(kChannels.count));
        for (int p = protectedCount; p < used; ++p)
            keys[std::size_t(p)] = trimControl(channelName(image, order[std::size_t(p)])).toLower().toLatin1();
        // The exchange sort the radio's lists have always had (not stable), run on the keys only.
        for (int i = protectedCount; i < used - 1; ++i) {
            for (int j = i + 1; j < used; ++j) {
                if (keys[std::size_t(i)] > keys[std::size_t(j)]) {
                    std::swap(keys[std::size_t(i)], keys[std::size_t(j)]);
                    std::swap(order[std::size_t(i)], order[std::size_t(j)]);
                }
            }
        }
    }
    applyOrder(image, order);
}

QByteArray copyChannels(const FileImage &image, const QList<int> &selected)
{
    QList<int> rows = selected;
    std::sort(rows.begin(), rows.end());
    rows.removeIf([](int index) { return !kChannels.validIndex(index); });
    if (rows.isEmpty())
        return {};
    QByteArray block;
    const auto count = std::uint32_t(rows.size());
    for (int shift = 0; shift < 32; shift += 8)
        block.append(char(std::uint8_t(count >> shift)));
    for (int index : rows) {
        const std::span<const std::uint8_t> record = image.span(kChannels.recordOffset(index), kRecordSize);
        block.append(reinterpret_cast<const char *>(record.data()), kRecordSize);
    }
    return block;
}

int pasteChannelsOver(FileImage &image, const QByteArray &block, const QList<int> &selected)
{
    const QList<QByteArray> records = blockRecords(block, kChannels.count);
    if (records.isEmpty())
        return 0;
    int written = 0;
    const QList<int> rows = usedSelection(image, selected);
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const QByteArray &record = records.at(k % records.size());
        // An unnamed record would leave a hole inside the used records.
        if (!isNamedRecord(record))
            continue;
        writeRecord(image, rows.at(k), record);
        ++written;
    }
    return written;
}

int pasteNewChannels(FileImage &image, const QByteArray &block)
{
    const int empty = kChannels.count - usedRecordCount(image, kChannels);
    int firstWritten = -1;
    for (const QByteArray &record : blockRecords(block, empty)) {
        const int index = addChannel(image, record);
        if (firstWritten < 0)
            firstWritten = index;
    }
    return firstWritten;
}

} // namespace codeplug
