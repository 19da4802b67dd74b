#pragma once

// The Chinese calendar worked out from the sky by the national rules (GB/T 33661-2017): a month
// begins on the day (UTC+8; Beijing's mean time before 1929, as the calendars of those years were
// made) of its new moon; the month holding 冬至 is the eleventh; when the
// twelve-and-more months from one eleventh month to the next (a 岁) are thirteen, the first of
// them without a 中气 is the leap month and repeats the number of the month before it. This is
// what tools/lunartable writes the shipped year table from, and what the tests hold it against;
// the program itself walks the table (lunar.h).

#include "calendar/lunar.h"
#include "calendar/lunartable.h"

#include <QDate>
#include <QList>

namespace calendar {

struct LunarMonthStart
{
    QDate firstDay;
    int number = 0; // 1 to 12
    MonthKind kind = MonthKind::Ordinary;
    double newMoonUniversal = 0; // the new moon's moment, Julian day on Universal Time
};

// The months of the 岁 that runs from the eleventh month holding 冬至 of suiYear − 1 up to the
// one holding 冬至 of suiYear, in order; suiYear from 1901 to 2101.
QList<LunarMonthStart> monthsOfSui(int suiYear);

// The year table of the lunar years first to last (each numbered by the Gregorian year of its
// 正月初一), as lunartable.cpp holds it; first and last from 1901 to 2100.
QList<detail::LunarYear> lunarYearsFromSky(int first, int last);

} // namespace calendar
