#include "calendar/birthplace.h"

namespace calendar {

QDate countedDay(QDate date, QTime time, ZiHour rule)
{
    return rule == ZiHour::NextDay && time.hour() >= 23 ? date.addDays(1) : date;
}

std::optional<LunarDate> countedLunarDay(const LunarDate &date, QTime time, ZiHour rule)
{
    if (rule == ZiHour::SameDay || time.hour() < 23)
        return toGregorian(date) ? std::optional<LunarDate>(date) : std::nullopt;
    const std::optional<QDate> gregorian = toGregorian(date);
    if (!gregorian)
        return std::nullopt;
    return toLunar(gregorian->addDays(1));
}

std::optional<BirthplaceTime> readBirthplace(const Place &place, QDate date, QTime time,
                                             ZiHour rule)
{
    const std::optional<StandardTime> standard = standardTime(placeZone(place), date, time);
    if (!standard)
        return std::nullopt;
    BirthplaceTime birth;
    birth.standard = *standard;
    birth.solar
        = trueSolarTime(standard->date, standard->time, standard->standardOffset, place.longitude);
    birth.day = countedDay(birth.solar.date, birth.solar.time, rule);
    birth.note = clockNote(place, date);
    return birth;
}

namespace {

// The birthday in lunar year `year`, by the two rules; nothing past the convertible days.
std::optional<NextBirthday> birthdayIn(int year, const LunarDate &birth)
{
    const std::optional<int> leap = leapMonthOf(year);
    if (!leap)
        return std::nullopt;
    NextBirthday next;
    next.lunar = LunarDate{year, birth.month, birth.kind, birth.day};
    if (birth.kind == MonthKind::Leap && *leap != birth.month) {
        next.lunar.kind = MonthKind::Ordinary;
        next.rules.leapAsOrdinary = true;
    }
    std::optional<QDate> date = toGregorian(next.lunar);
    if (!date && birth.day == 30) {
        next.lunar.day = 29;
        next.rules.thirtiethAsTwentyNinth = true;
        date = toGregorian(next.lunar);
    }
    if (!date)
        return std::nullopt;
    next.date = *date;
    return next;
}

} // namespace

std::optional<NextBirthday> nextLunarBirthday(const LunarDate &birth, QDate today)
{
    const std::optional<LunarDate> now = toLunar(today);
    if (!now || birth.month < 1 || birth.month > 12 || birth.day < 1 || birth.day > 30)
        return std::nullopt;
    // This lunar year's birthday, or else next year's.
    for (int year = now->year; year <= now->year + 1; ++year) {
        const std::optional<NextBirthday> next = birthdayIn(year, birth);
        if (next && next->date >= today)
            return next;
    }
    return std::nullopt;
}

} // namespace calendar
