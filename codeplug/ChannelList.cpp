#include "ChannelList.h"

#include "ChannelRecord.h"
#include "NameCodec.h"
#include "RecordList.h"

#include <algorithm>

namespace codeplug {

const ListDescriptor listdescriptors::channels = {
    lists::channels,
    initChannelRecord,
    "Channel %1",
    "Channel 1",
    channelReferences,
    "Cannot delete channel \"%1\".\n\nIt's used in %2 setting",
    [](const FileImage &image, int index, int) { return channelName(image, index); },
};

namespace {

RecordList channelList(FileImage &image)
{
    return RecordList(image, listdescriptors::channels);
}

// The name as the sort compares it; empty when it decodes to nothing.
QByteArray sortKey(const FileImage &image, int index)
{
    const ListLayout &layout = lists::channels;
    return decodeName(image, layout.nameFieldOffset(index), layout.nameUnits, -1).toLower().toLatin1();
}

} // namespace

int addChannel(FileImage &image)
{
    return channelList(image).add();
}

int insertChannel(FileImage &image, int p)
{
    return channelList(image).insert(std::max(p, 0));
}

QList<int> moveChannelSelection(FileImage &image, const QList<int> &selected, int n)
{
    return channelList(image).moveSelection(selected, n);
}

int deleteChannelSelection(FileImage &image, const QList<int> &selected, const ProtectedChannelList &protectedNames,
    const RefusalHandler &askContinue)
{
    const auto isProtected = [&](int index) { return protectedNames.matches(channelName(image, index)); };
    return channelList(image).remove(selected, isProtected, askContinue).count;
}

void sortChannels(FileImage &image, const ProtectedChannelList &protectedNames)
{
    RecordList list = channelList(image);
    const int used = list.usedCount();
    RecordOrder order = list.identityOrder();
    const auto firstUnprotected = std::stable_partition(order.begin(), order.begin() + used,
        [&](int index) { return protectedNames.matches(channelName(image, index)); });
    std::vector<QByteArray> keys(static_cast<std::size_t>(used));
    for (int index = 0; index < used; ++index)
        keys[std::size_t(index)] = sortKey(image, index);
    const std::vector<int> ranks = keyRanks(keys);
    // A name that decodes to nothing sorts by the text it shows, which names its current place.
    const auto key = [&](int row, int position) {
        const QByteArray &name = keys[std::size_t(row)];
        return name.isEmpty() ? QByteArrayLiteral("no_name-") + QByteArray::number(position + 1) : name;
    };
    exchangeSort(order, int(firstUnprotected - order.begin()), used, [&](int a, int posA, int b, int posB) {
        if (keys[std::size_t(a)].isEmpty() || keys[std::size_t(b)].isEmpty())
            return key(a, posA) < key(b, posB);
        return ranks[std::size_t(a)] < ranks[std::size_t(b)];
    });
    list.applyOrder(order);
}

QByteArray copyChannels(const FileImage &image, const QList<int> &selected)
{
    const QList<int> rows = usedRecordRows(image, lists::channels, selected);
    return rows.isEmpty() ? QByteArray() : copyRecords(image, lists::channels, rows);
}

int pasteChannelsOver(FileImage &image, const QByteArray &block, const QList<int> &selected)
{
    RecordList list = channelList(image);
    return list.pasteOver(block, list.usedRows(selected));
}

int pasteNewChannels(FileImage &image, const QByteArray &block)
{
    return channelList(image).pasteNew(block).row;
}

} // namespace codeplug
