#include "ChannelRecord.h"
#include "Layout.h"
#include "ListRecords.h"
#include "NewCodePlug.h"
#include "RecordList.h"

#include <benchmark/benchmark.h>

using namespace codeplug;

namespace {

// 1000 channels, 250 zones and 250 scan lists full of channel numbers. Every channel names a
// group list and one of the scan lists 101..250, so that deleting scan lists 1..100 goes through
// and renumbers every channel; every scan list's first priority channel names a channel.
FileImage fullImage()
{
    FileImage image = makeNewCodePlug(2, 0);
    for (int i = 0; i < lists::channels.count; ++i) {
        initChannelRecord(image, i, QStringLiteral("Ch %1").arg(i));
        setChannelField(image, i, channelfields::scanList, 101 + i % 150);
        setChannelField(image, i, channelfields::rxGroupList, 1 + i % 250);
    }
    for (int r = 0; r < 250; ++r) {
        initZoneRecord(image, r, QStringLiteral("Zone %1").arg(r + 1));
        initScanListRecord(image, r, QStringLiteral("Scan %1").arg(r + 1));
        for (int m = 0; m < members::zoneChannels.count; ++m)
            image.setU16(members::zoneChannels.memberOffset(r, m), std::uint16_t(1 + (r * 16 + m) % 1000));
        for (int m = 0; m < members::scanListChannels.count; ++m)
            image.setU16(members::scanListChannels.memberOffset(r, m), std::uint16_t(1 + (r * 31 + m) % 1000));
        image.setU16(lists::scanLists.recordOffset(r) + 32, std::uint16_t(1 + r));
    }
    return image;
}

void BM_DeleteScanLists(benchmark::State &state)
{
    const FileImage full = fullImage();
    QList<int> rows;
    for (int i = 0; i < 100; ++i)
        rows.append(i);
    int deleted = 0;
    for (auto _ : state) {
        FileImage image = full;
        deleted = RecordList(image, listdescriptors::scanLists).remove(rows, {}, {}).count;
        benchmark::DoNotOptimize(deleted);
    }
    state.counters["deleted"] = deleted;
}
BENCHMARK(BM_DeleteScanLists)->Unit(benchmark::kMillisecond);

// 100 selected records, every other one of the first 200, moved by n places.
void BM_MoveSelection(benchmark::State &state, const ListDescriptor *list, int n)
{
    const FileImage full = fullImage();
    QList<int> rows;
    for (int i = 0; i < 200; i += 2)
        rows.append(i + 1);
    for (auto _ : state) {
        FileImage image = full;
        benchmark::DoNotOptimize(RecordList(image, *list).moveSelection(rows, n));
    }
}
BENCHMARK_CAPTURE(BM_MoveSelection, zones, &listdescriptors::zones, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MoveSelection, group_lists, &listdescriptors::rxGroupLists, -10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
