#include "ChannelList.h"
#include "ChannelRecord.h"
#include "EditHistory.h"
#include "Layout.h"
#include "ListRecords.h"
#include "NewCodePlug.h"

#include <benchmark/benchmark.h>

using namespace codeplug;

namespace {

// 1000 channels with scrambled names, every zone and scan list full of channel numbers.
FileImage fullImage()
{
    FileImage image = makeNewCodePlug(2, 0);
    std::uint32_t seed = 4711;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < lists::channels.count; ++i)
        initChannelRecord(image, i, QStringLiteral("Ch %1").arg(next() % 5000));
    const auto fill = [&](const ListLayout &owner, const MemberLayout &layout) {
        for (int r = 0; r < owner.count; ++r) {
            initRecord(image, owner, r, QStringLiteral("List %1").arg(r + 1));
            for (int m = 0; m < layout.count; ++m)
                image.setU16(layout.memberOffset(r, m), std::uint16_t(1 + next() % 1000));
        }
    };
    fill(lists::zones, members::zoneChannels);
    fill(lists::scanLists, members::scanListChannels);
    return image;
}

// A field edit: one byte of one channel, then the step is closed (a new step each time: no key).
void BM_CloseStepAfterFieldEdit(benchmark::State &state)
{
    FileImage image = fullImage();
    EditHistory history;
    history.reset(&image);
    const int offset = lists::channels.recordOffset(500) + 20;
    std::uint8_t value = 0;
    for (auto _ : state) {
        image.setU8(offset, ++value);
        benchmark::DoNotOptimize(history.closeStep(QStringLiteral("Edit Rx Freq")));
    }
}
BENCHMARK(BM_CloseStepAfterFieldEdit);

// Sorting 1000 channels rewrites the channel area and every zone and scan list; only the step
// close is timed.
void BM_CloseStepAfterChannelSort(benchmark::State &state)
{
    const FileImage full = fullImage();
    const ProtectedChannelList none;
    FileImage image = full;
    EditHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        image = full;
        history.reset(&image);
        sortChannels(image, none);
        state.ResumeTiming();
        benchmark::DoNotOptimize(history.closeStep(QStringLiteral("Sort by Name")));
    }
}
BENCHMARK(BM_CloseStepAfterChannelSort)->Unit(benchmark::kMicrosecond);

void BM_UndoChannelSort(benchmark::State &state)
{
    FileImage image = fullImage();
    EditHistory history;
    history.reset(&image);
    sortChannels(image, ProtectedChannelList());
    history.closeStep(QStringLiteral("Sort by Name"));
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
}
BENCHMARK(BM_UndoChannelSort)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
