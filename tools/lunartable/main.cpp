// Writes calendar/lunartable.cpp, the compact table of the lunar years 1901 to 2100, from our own
// computation of new moons and solar terms (calendar/skycalendar):
//
//   lunartable calendar/lunartable.cpp
//
// Each lunar year becomes the Gregorian month and day of its 正月初一, its leap month (0 for
// none) and one bit per month, in the order the months come, set when the month has 30 days.
// It also prints every new moon and every solar term of those years that falls within three
// minutes of a midnight in China: where a day could go either way (see calendar/README.md).

#include "calendar/sky.h"
#include "calendar/skycalendar.h"
#include "calendar/solarterms.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

constexpr int firstYear = 1901;
constexpr int lastYear = 2100;
constexpr double closeMinutes = 3;

// Minutes from the moment to the nearest midnight in China, negative before it.
double minutesFromMidnight(double jdUniversal, bool reckoning)
{
    using namespace calendar::detail;
    const QDate day = reckoning ? reckoningDayOf(jdUniversal) : chinaDayOf(jdUniversal);
    const double sinceStart
        = jdUniversal - (reckoning ? reckoningDayStart(day) : chinaDayStart(day));
    return (sinceStart < 0.5 ? sinceStart : sinceStart - 1) * 1440;
}

// New moons on the days the months are reckoned on, terms on UTC+8.
void printClose(const char *what, double jdUniversal, bool reckoning)
{
    const double minutes = minutesFromMidnight(jdUniversal, reckoning);
    if (std::abs(minutes) > closeMinutes)
        return;
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(
        std::llround((jdUniversal - 2440587.5) * 86400000.0), Qt::UTC);
    std::printf("%s %s UTC, %s in China, %+.2f min from midnight\n", what,
                qPrintable(utc.toString(u"yyyy-MM-dd HH:mm:ss")),
                qPrintable((reckoning ? calendar::detail::reckoningDayOf(jdUniversal)
                                      : calendar::detail::chinaDayOf(jdUniversal))
                               .toString(Qt::ISODate)),
                minutes);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lunartable lunartable.cpp\n");
        return 2;
    }
    const QList<calendar::detail::LunarYear> years
        = calendar::lunarYearsFromSky(firstYear, lastYear);
    if (years.size() != lastYear - firstYear + 1) {
        std::fprintf(stderr, "lunartable: %d lunar years computed\n", int(years.size()));
        return 1;
    }
    for (int sui = firstYear; sui <= lastYear + 1; ++sui)
        for (const calendar::LunarMonthStart &month : calendar::monthsOfSui(sui))
            printClose("new moon", month.newMoonUniversal, true);
    for (int year = firstYear; year <= lastYear; ++year)
        for (int term = 0; term < calendar::solarTermCount; ++term)
            printClose(
                qPrintable(calendar::solarTermName(term)),
                calendar::sky::universalFromTerrestrial(calendar::detail::solarTermJde(year, term)),
                false);

    QFile output(QString::fromLocal8Bit(argv[1]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate)) {
        std::fprintf(stderr, "lunartable: cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream out(&output);
    out << "// Written by tools/lunartable from our computation of new moons and solar terms\n"
           "// (calendar/skycalendar, GB/T 33661-2017 rules). Do not edit.\n"
           "\n"
           "#include \"calendar/lunartable.h\"\n"
           "\n"
           "namespace calendar::detail {\n"
           "\n"
           "// clang-format off\n"
           "const std::array<LunarYear, 200> lunarYears = {{\n"
           "    // 正月初一 (month, day), leap month, months of 30 days (bit i: the year's (i+1)th "
           "month)\n";
    for (int i = 0; i < years.size(); ++i) {
        const calendar::detail::LunarYear &year = years[i];
        out << QStringLiteral("    {%1, %2, %3, 0x%4}, // %5\n")
                   .arg(year.newYearMonth)
                   .arg(year.newYearDay, 2)
                   .arg(year.leapMonth, 2)
                   .arg(year.longMonths, 4, 16, QLatin1Char('0'))
                   .arg(firstYear + i);
    }
    out << "}};\n"
           "// clang-format on\n"
           "\n"
           "} // namespace calendar::detail\n";
    return 0;
}
