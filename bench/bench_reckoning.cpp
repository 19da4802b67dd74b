// One full reckoning, from the five list texts to the weight line and the verse.

#include "boneweight/reckoning.h"

#include <benchmark/benchmark.h>

static void BM_ReckonListItems(benchmark::State &state)
{
    const BirthTexts texts{QStringLiteral("1990年"), QStringLiteral("1月"), QStringLiteral("1日"),
                           QStringLiteral("0"), QStringLiteral("00")};
    for (auto _ : state) {
        auto reading = reckon(texts);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReckonListItems);

static void BM_ReckonIncomplete(benchmark::State &state)
{
    const BirthTexts texts{QStringLiteral("出生年份"), QStringLiteral("月份"),
                           QStringLiteral("日期"), QStringLiteral("时"), QStringLiteral("分")};
    for (auto _ : state) {
        auto reading = reckon(texts);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReckonIncomplete);

BENCHMARK_MAIN();
