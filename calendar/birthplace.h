#pragma once

// A birth read at its birthplace: the clock time taken back to standard time by the place's own
// zone, then to true solar time, which decides the double hour and may move the day; the 子时
// rule for births from 23:00; and the next day a lunar birthday falls on.

#include "calendar/lunar.h"
#include "calendar/places.h"
#include "calendar/solartime.h"
#include "calendar/summertime.h"

#include <optional>

namespace calendar {

// The double hour 子 runs from 23:00 to 1:00. Counted whole (NextDay), a birth from 23:00
// belongs to the next day; split (SameDay), to the day the clock shows.
enum class ZiHour { SameDay, NextDay };

// The day a birth at `time` of `date` counts for.
QDate countedDay(QDate date, QTime time, ZiHour rule);
// The same for a lunar date picked as it stands; nothing outside the convertible days.
std::optional<LunarDate> countedLunarDay(const LunarDate &date, QTime time, ZiHour rule);

struct BirthplaceTime
{
    StandardTime standard; // the clock time with summer time taken back
    SolarTime solar;       // true solar time: its hour gives the double hour
    QDate day; // the day the birth counts for: the 子时 rule applied to the solar time
    ClockNote note = ClockNote::None;
};

// A clock reading at `place`. Nothing when the system has no data for the place's zone.
std::optional<BirthplaceTime> readBirthplace(const Place &place, QDate date, QTime time,
                                             ZiHour rule);

// How the lunar birthday was placed in the year it falls in.
struct BirthdayRules
{
    bool leapAsOrdinary = false;         // born in a leap month the year lacks: the ordinary month
    bool thirtiethAsTwentyNinth = false; // born on a 三十 the month lacks: its 廿九
};

struct NextBirthday
{
    QDate date;
    LunarDate lunar; // the lunar date it falls on that year
    BirthdayRules rules;
};

// The first day from `today` on (today included) on which the lunar birthday `birth` (month,
// leap or not, day; its year is not used) falls. Nothing past the convertible days.
std::optional<NextBirthday> nextLunarBirthday(const LunarDate &birth, QDate today);

} // namespace calendar
