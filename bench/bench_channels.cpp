#include "ChannelList.h"
#include "ChannelRecord.h"
#include "Layout.h"
#include "ListRecords.h"
#include "NewCodePlug.h"

#include <benchmark/benchmark.h>

using namespace codeplug;

namespace {

// 1000 channels with scrambled names, every zone and scan list named and full of the numbers of
// the first `referenced` channels.
FileImage fullImage(int referenced = 1000)
{
    FileImage image = makeNewCodePlug(2, 0);
    std::uint32_t seed = 12345;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < lists::channels.count; ++i)
        initChannelRecord(image, i, QStringLiteral("Ch %1").arg(next() % 5000));
    const auto fill = [&](const ListLayout &owner, const MemberLayout &layout) {
        for (int r = 0; r < owner.count; ++r) {
            initRecord(image, owner, r, QStringLiteral("List %1").arg(r + 1));
            for (int m = 0; m < layout.count; ++m)
                image.setU16(layout.memberOffset(r, m), std::uint16_t(1 + next() % std::uint32_t(referenced)));
        }
    };
    fill(lists::zones, members::zoneChannels);
    fill(lists::scanLists, members::scanListChannels);
    return image;
}

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
    const FileImage full = fullImage();
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
    const FileImage full = fullImage(500);
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
    const FileImage full = fullImage();
    const QList<int> rows = everyOther();
    for (auto _ : state) {
        FileImage image = full;
        benchmark::DoNotOptimize(moveChannelSelection(image, rows, -1));
    }
}
BENCHMARK(BM_MoveSelection)->Unit(benchmark::kMillisecond);

void BM_MoveSelectionToTop(benchmark::State &state)
{
    const FileImage full = fullImage();
    const QList<int> rows = everyOther().mid(1);
    for (auto _ : state) {
        FileImage image = full;
        benchmark::DoNotOptimize(moveChannelSelection(image, rows, 1000));
    }
}
BENCHMARK(BM_MoveSelectionToTop)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
