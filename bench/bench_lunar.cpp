// One Gregorian date to the lunar calendar, and a whole Gregorian reckoning, beside the lunar
// reckoning of bench_reckoning.

#include "boneweight/gregorianbirth.h"
#include "calendar/lunar.h"
#include "calendar/summertime.h"

#include <benchmark/benchmark.h>

static void BM_ToLunar(benchmark::State &state)
{
    const QDate date(1990, 8, 15);
    for (auto _ : state) {
        auto lunar = calendar::toLunar(date);
        benchmark::DoNotOptimize(lunar);
    }
}
BENCHMARK(BM_ToLunar);

static void BM_ToGregorian(benchmark::State &state)
{
    const calendar::LunarDate date{2033, 11, calendar::MonthKind::Leap, 30};
    for (auto _ : state) {
        auto gregorian = calendar::toGregorian(date);
        benchmark::DoNotOptimize(gregorian);
    }
}
BENCHMARK(BM_ToGregorian);

static void BM_ChinaStandardHour(benchmark::State &state)
{
    const QDate date(1990, 8, 15);
    for (auto _ : state) {
        auto standard = calendar::chinaStandardHour(date, 14);
        benchmark::DoNotOptimize(standard);
    }
}
BENCHMARK(BM_ChinaStandardHour);

static void BM_ReckonGregorian(benchmark::State &state)
{
    const BirthTexts texts{QStringLiteral("1990年"), QStringLiteral("8月"), QStringLiteral("15日"),
                           QStringLiteral("14"), QStringLiteral("20")};
    for (auto _ : state) {
        auto reading = reckonGregorian(texts);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReckonGregorian);

BENCHMARK_MAIN();
