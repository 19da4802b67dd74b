// A day's card on the almanac tab, which is made when a day button is pressed or the picker moves:
// the items from calendar/ (a lunar date, the Sun's longitude for the month, the day's and the
// next solar term), and the same with its rich text laid out in a document as the card shows it.
// Both must stay well under a millisecond.

#include "almanac/almanaccard.h"

#include <QFont>
#include <QTextDocument>

#include <benchmark/benchmark.h>

static void BM_AlmanacCard(benchmark::State &state)
{
    QDate day(2027, 1, 1);
    for (auto _ : state) {
        auto card = almanac::almanacCard(day);
        benchmark::DoNotOptimize(card);
        day = day.addDays(1); // a different day each time, as the buttons ask
    }
}
BENCHMARK(BM_AlmanacCard)->Unit(benchmark::kMicrosecond);

static void BM_AlmanacCardLaidOut(benchmark::State &state)
{
    QDate day(2027, 1, 1);
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("AR PL SungtiL GB")));
    document.setTextWidth(597);
    for (auto _ : state) {
        document.setHtml(almanac::cardHtml(*almanac::almanacCard(day)));
        benchmark::DoNotOptimize(document.size());
        day = day.addDays(1);
    }
}
BENCHMARK(BM_AlmanacCardLaidOut)->Unit(benchmark::kMicrosecond);
