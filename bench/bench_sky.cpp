// The sky the calendar is computed from: a year of solar terms (asked for when an almanac page
// turns to a new year: must stay well under a 16 ms frame), one day's term and almanac (well
// under a millisecond), and the pieces the table maker spends its time in.

#include "calendar/almanac.h"
#include "calendar/sky.h"
#include "calendar/skycalendar.h"
#include "calendar/solarterms.h"

#include <benchmark/benchmark.h>

static void BM_SolarTermsOfYear(benchmark::State &state)
{
    for (auto _ : state) {
        auto moments = calendar::solarTermsOf(2027);
        benchmark::DoNotOptimize(moments);
    }
}
BENCHMARK(BM_SolarTermsOfYear)->Unit(benchmark::kMicrosecond);

static void BM_SolarTermOn(benchmark::State &state)
{
    const QDate date(2027, 2, 4);
    for (auto _ : state) {
        auto term = calendar::solarTermOn(date);
        benchmark::DoNotOptimize(term);
    }
}
BENCHMARK(BM_SolarTermOn)->Unit(benchmark::kMicrosecond);

static void BM_NextSolarTerm(benchmark::State &state)
{
    const QDate date(2027, 1, 10);
    for (auto _ : state) {
        auto next = calendar::nextSolarTerm(date);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_NextSolarTerm)->Unit(benchmark::kMicrosecond);

static void BM_AlmanacDay(benchmark::State &state)
{
    const QDate date(2027, 2, 4);
    for (auto _ : state) {
        auto day = calendar::almanacDay(date);
        benchmark::DoNotOptimize(day);
    }
}
BENCHMARK(BM_AlmanacDay)->Unit(benchmark::kMicrosecond);

static void BM_SunLongitude(benchmark::State &state)
{
    double jde = 2461438.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calendar::sky::apparentSunLongitude(jde));
        jde += 0.001;
    }
}
BENCHMARK(BM_SunLongitude)->Unit(benchmark::kMicrosecond);

static void BM_NewMoon(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(calendar::sky::newMoonOfLunation(337));
}
BENCHMARK(BM_NewMoon)->Unit(benchmark::kMicrosecond);

static void BM_MonthsOfSui(benchmark::State &state)
{
    for (auto _ : state) {
        auto months = calendar::monthsOfSui(2027);
        benchmark::DoNotOptimize(months);
    }
}
BENCHMARK(BM_MonthsOfSui)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
