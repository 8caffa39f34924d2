#include "CodePlugFile.h"
#include "Compaction.h"
#include "NewCodePlug.h"

#include <benchmark/benchmark.h>

// Load-time compaction of a full image: runs on every open.
static void BM_CompactLists(benchmark::State &state)
{
    const codeplug::FileImage fresh = codeplug::makeNewCodePlug(2, 0);
    for (auto _ : state) {
        codeplug::FileImage image = fresh;
        codeplug::compactLists(image);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_CompactLists);

BENCHMARK_MAIN();
