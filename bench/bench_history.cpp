#include "BenchImages.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "EditHistory.h"
#include "Layout.h"
#include "ListRecords.h"
#include "NewCodePlug.h"

#include <benchmark/benchmark.h>

using namespace codeplug;

namespace {

// A field edit: one byte of one channel, then the step is closed (a new step each time: no key).
void BM_CloseStepAfterFieldEdit(benchmark::State &state)
{
    FileImage image = benchimages::fullChannelImage();
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
    const FileImage full = benchimages::fullChannelImage();
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
    FileImage image = benchimages::fullChannelImage();
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
