#pragma once

// A birth picked as a Gregorian date, read as the lunar date and hour the bone-weight tables are
// meant for: the clock time taken back to standard time where its place kept summer time (Beijing
// time when no place is given), on request turned into true solar time at the place, then the
// day the 子时 rule counts it for converted to the lunar calendar. The lunar year number, month
// and day are weighed as a lunar pick would be; a leap month weighs as the month it follows.

#include "boneweight/reckoning.h"
#include "calendar/birthplace.h"

#include <QStringList>

#include <variant>

// Why a picked date gives no reading; the page shows it where the weight line goes.
struct Refusal
{
    QString message;
};

enum class HourBy { Clock, TrueSolarTime };

// How a birth time is read beyond its numbers.
struct BirthClock
{
    // Where the clock stood. Nothing: Beijing time with Asia/Shanghai's history, as a birth
    // without a place has always been read; the minute is then never looked at.
    std::optional<calendar::Place> place;
    HourBy hourBy = HourBy::Clock; // true solar time needs a place
    calendar::ZiHour ziHour = calendar::ZiHour::SameDay;
};

struct LunarBirth
{
    calendar::LunarDate date;
    int hour = 0; // in standard time, or in true solar time when `solar` is set
    calendar::SummerTime summerTime = calendar::SummerTime::NotKept;
    std::optional<calendar::SolarTime> solar{}; // the true solar time the hour was read from
    bool countedNextDay = false;                // born from 23:00, counted for the next day
    calendar::ClockNote note = calendar::ClockNote::None;
    int summerMinutes = 60; // how far summer time was taken back
};

inline constexpr const char *OutOfRangePrompt
    = QT_TRANSLATE_NOOP("GregorianBirth", "农历换算只收1901年2月19日至2100年的生日");

// Refuses a month, day, hour or (with a place) minute that does not exist ("1990年2月没有30日")
// and a date outside the convertible days. Raises base::Failure for a minute that is not a
// number, and when the system has no time-zone data for the zone: a reading without its
// summer-time rule would be a guess.
std::variant<Refusal, LunarBirth> readGregorianBirth(const BirthData &data,
                                                     const BirthClock &clock = {});

// What was weighed, as the page shows it: "农历1990年六月廿五 未时 · 庚午年（属马）", followed by
// " · 已按夏令时减一小时" when summer time was taken back.
QString convertedLine(const LunarBirth &birth);

// convertedLine, then what else was done, one a line: the true solar time, the note on the clocks
// before 1949, the 子时 rule's move to the next day.
QStringList convertedLines(const LunarBirth &birth);

int totalWeight(const LunarBirth &birth);

struct ConvertedReading
{
    Reading reading;
    QStringList converted; // the lines of convertedLines()
    LunarBirth lunar;      // what was weighed
};

// The reckoning of texts picked as a Gregorian date: nothing for an incomplete choice (the page
// shows the prompt), a Refusal, or the reading with its converted lines. The texts are cut and
// converted exactly as reckon() does, so a part that is not a number raises the same failure.
std::optional<std::variant<Refusal, ConvertedReading>>
reckonGregorian(const BirthTexts &texts, const BirthClock &clock = {});

// A lunar pick with the 子时 counted whole: a birth from 23:00 is weighed as the next lunar day,
// which only the calendar knows (a month has 29 or 30 days), so a date it lacks is refused. Any
// other pick is reckon()'s reading with no converted line.
std::optional<std::variant<Refusal, ConvertedReading>>
reckonLunar(const BirthTexts &texts, calendar::ZiHour rule = calendar::ZiHour::SameDay);
