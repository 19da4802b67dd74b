#include "calendar/skycalendar.h"

#include "calendar/sky.h"
#include "calendar/solarterms.h"

#include <algorithm>

namespace calendar {

namespace {

// The last new moon whose civil day (UTC+8) is no later than the given day.
int lunationStartingBy(QDate day)
{
    const double nextMidnight = detail::reckoningDayStart(day.addDays(1));
    return sky::lunationAtOrBefore(sky::terrestrialFromUniversal(nextMidnight) - 1e-9);
}

double newMoonUniversal(int lunation)
{
    return sky::universalFromTerrestrial(sky::newMoonOfLunation(lunation));
}

QDate termDay(int year, int term)
{
    return detail::reckoningDayOf(sky::universalFromTerrestrial(detail::solarTermJde(year, term)));
}

} // namespace

QList<LunarMonthStart> monthsOfSui(int suiYear)
{
    constexpr int winterSolstice = 23;
    const int first = lunationStartingBy(termDay(suiYear - 1, winterSolstice));
    const int next = lunationStartingBy(termDay(suiYear, winterSolstice));

    // The 中气 of the 岁: 冬至 of the year before, then 大寒 … 冬至 of this one.
    QList<QDate> principal{termDay(suiYear - 1, winterSolstice)};
    for (int term = 1; term < solarTermCount; term += 2)
        principal.append(termDay(suiYear, term));

    QList<LunarMonthStart> months;
    for (int k = first; k <= next; ++k) {
        const double moment = newMoonUniversal(k);
        months.append({detail::reckoningDayOf(moment), 0, MonthKind::Ordinary, moment});
    }
    const bool leapSui = months.size() == 14; // thirteen months and the next eleventh
    bool leapFound = false;
    int number = 10;
    for (qsizetype i = 0; i + 1 < months.size(); ++i) {
        const QDate begin = months[i].firstDay;
        const QDate end = months[i + 1].firstDay;
        const bool hasPrincipal = std::any_of(principal.begin(), principal.end(),
                                              [&](QDate d) { return d >= begin && d < end; });
        if (leapSui && !leapFound && !hasPrincipal) {
            leapFound = true;
            months[i].kind = MonthKind::Leap;
            months[i].number = number;
        } else {
            number = number % 12 + 1;
            months[i].number = number;
        }
    }
    months.removeLast(); // the next 岁's eleventh month
    return months;
}

QList<detail::LunarYear> lunarYearsFromSky(int first, int last)
{
    // Months in order from the 岁 holding the first 正月 to the one after the last.
    QList<LunarMonthStart> months;
    for (int sui = first; sui <= last + 1; ++sui)
        months += monthsOfSui(sui);
    QList<detail::LunarYear> years;
    int index = 0; // the month's place in its year
    for (qsizetype i = 0; i + 1 < months.size(); ++i, ++index) {
        const LunarMonthStart &month = months[i];
        if (month.number == 1 && month.kind == MonthKind::Ordinary) {
            if (month.firstDay.year() > last)
                break;
            years.append(
                {std::uint8_t(month.firstDay.month()), std::uint8_t(month.firstDay.day()), 0, 0});
            index = 0;
        }
        if (years.isEmpty())
            continue;
        detail::LunarYear &year = years.last();
        if (month.kind == MonthKind::Leap)
            year.leapMonth = std::uint8_t(month.number);
        if (month.firstDay.daysTo(months[i + 1].firstDay) == 30)
            year.longMonths = std::uint16_t(year.longMonths | (1u << index));
    }
    return years;
}

} // namespace calendar
