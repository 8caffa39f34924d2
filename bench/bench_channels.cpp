#include "BenchImages.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "Layout.h"
#include "ListRecords.h"
#include "NewCodePlug.h"

#include <benchmark/benchmark.h>

using namespace codeplug;

namespace {

QList<int> everyOther()
{
    QList<int> rows;
    for (int i = 0; i < lists::channels.count; i += 2)
        rows.append(i);
    return rows;
}

QList<int> all()
{
    QList<int> rows;
    for (int i = 0; i < lists::channels.count; ++i)
        rows.append(i);
    return rows;
}

void BM_SortChannels(benchmark::State &state)
{
    const FileImage full = benchimages::fullChannelImage();
    ProtectedChannelList protectedNames;
    protectedNames.add(QStringLiteral("Ch 17"));
    for (auto _ : state) {
        FileImage image = full;
        sortChannels(image, protectedNames);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_SortChannels)->Unit(benchmark::kMillisecond);

void BM_DeleteAllChannels(benchmark::State &state)
{
    const FileImage full = benchimages::fullChannelImage(500);
    const QList<int> rows = all();
    for (auto _ : state) {
        FileImage image = full;
        // Half the channels are referenced: each refusal is answered with OK.
        benchmark::DoNotOptimize(deleteChannelSelection(image, rows, {}, [](const QString &) { return true; }));
    }
}
BENCHMARK(BM_DeleteAllChannels)->Unit(benchmark::kMillisecond);

void BM_MoveSelection(benchmark::State &state)
{
    const FileImage full = benchimages::fullChannelImage();
    const QList<int> rows = everyOther();
    for (auto _ : state) {
        FileImage image = full;
        benchmark::DoNotOptimize(moveChannelSelection(image, rows, -1));
    }
}
BENCHMARK(BM_MoveSelection)->Unit(benchmark::kMillisecond);

void BM_MoveSelectionToTop(benchmark::State &state)
{
    const FileImage full = benchimages::fullChannelImage();
    const QList<int> rows = everyOther().mid(1);
    for (auto _ : state) {
        FileImage image = full;
        benchmark::DoNotOptimize(moveChannelSelection(image, rows, 1000));
    }
}
BENCHMARK(BM_MoveSelectionToTop)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
