#pragma once

// A birth picked as a Gregorian date, read as the lunar date and hour the bone-weight tables are
// meant for: the clock hour taken back to standard time where China kept summer time, then the
// date converted to the lunar calendar. The lunar year number, month and day are weighed as a
// lunar pick would be; a leap month weighs as the month it follows.

#include "boneweight/reckoning.h"
#include "calendar/lunar.h"
#include "calendar/summertime.h"

#include <variant>

// Why a picked Gregorian date gives no reading; the page shows it where the weight line goes.
struct Refusal
{
    QString message;
};

struct LunarBirth
{
    calendar::LunarDate date;
    int hour = 0; // in standard time
    calendar::SummerTime summerTime = calendar::SummerTime::NotKept;
};

inline constexpr const char *OutOfRangePrompt
    = QT_TRANSLATE_NOOP("GregorianBirth", "农历换算只收1901年2月19日至2100年的生日");

// Refuses a month, day or hour that does not exist ("1990年2月没有30日") and a date outside the
// convertible days. Raises base::Failure when the system has no time-zone data for China: a
// reading without the summer-time rule would be a guess.
std::variant<Refusal, LunarBirth> readGregorianBirth(const BirthData &data);

// What was weighed, as the page shows it: "农历1990年六月廿五 未时 · 庚午年（属马）", followed by
// " · 已按夏令时减一小时" when summer time was taken back.
QString convertedLine(const LunarBirth &birth);

int totalWeight(const LunarBirth &birth);

struct ConvertedReading
{
    Reading reading;
    QString converted;
};

// The reckoning of texts picked as a Gregorian date: nothing for an incomplete choice (the page
// shows the prompt), a Refusal, or the reading with its converted line. The texts are cut and
// converted exactly as reckon() does, so a part that is not a number raises the same failure.
std::optional<std::variant<Refusal, ConvertedReading>> reckonGregorian(const BirthTexts &texts);
