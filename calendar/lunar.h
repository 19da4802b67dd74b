#pragma once

// Gregorian dates to Chinese lunar dates and back, 1901-02-19 (正月初一 of lunar 1901) to
// 2100-12-31, walked from a compact table of the lunar years (lunartable.cpp); the traditional
// names of years, months, days and the twelve double hours. Months are named as the Hong Kong
// Observatory's table names them: 正月, 二月 … 十月, 十一月, 十二月 (not 冬月, 腊月), with 闰
// before a leap month.

#include <QDate>
#include <QString>

#include <optional>

namespace calendar {

enum class MonthKind { Ordinary, Leap };

struct LunarDate
{
    int year = 0;  // the Gregorian year in which this lunar year's 正月初一 falls
    int month = 0; // 1 to 12; a leap month carries the number of the month it follows
    MonthKind kind = MonthKind::Ordinary;
    int day = 0; // 1 to 30

    friend bool operator==(const LunarDate &, const LunarDate &) = default;
};

// The first and last day the conversion knows.
QDate firstConvertibleDay();
QDate lastConvertibleDay();

// Nothing outside firstConvertibleDay() to lastConvertibleDay() (and for an invalid date).
std::optional<LunarDate> toLunar(QDate date);

// Nothing for a lunar date that does not exist (a 闰 month the year lacks, a 三十 of a short
// month) or falls outside the convertible days.
std::optional<QDate> toGregorian(const LunarDate &date);

// The month a lunar year repeats as its leap month, 0 for none; nothing outside 1901 to 2100.
std::optional<int> leapMonthOf(int lunarYear);

// 甲子 for 1984: the year's place in the cycle of sixty, as stem and branch.
QString stemBranch(int lunarYear);
// 鼠 for 1984: the animal of the year's branch.
QString zodiacAnimal(int lunarYear);
// 正月 … 十二月, 闰六月; empty for a month outside 1 to 12.
QString monthName(int month, MonthKind kind);
// 初一 … 初十, 十一 … 二十, 廿一 … 廿九, 三十; empty outside 1 to 30.
QString dayName(int day);
// The double hour a clock hour lies in: 子 for 23 and 0, 丑 for 1 and 2 … 亥 for 21 and 22; empty
// outside 0 to 23.
QString hourBranch(int hour);
// 星期一 … 星期日 for Qt's day numbers 1 to 7; empty outside them.
QString weekdayName(int dayOfWeek);

} // namespace calendar
