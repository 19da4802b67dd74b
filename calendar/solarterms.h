#pragma once

// The 24 solar terms (节气) as the Sun reaches each fifteenth degree of apparent longitude,
// computed from calendar/sky rather than read from a table, so that any day of 1900 to 2101 can
// be asked about. Terms are numbered in the order a Gregorian year meets them: 0 小寒, 1 大寒,
// 2 立春 … 23 冬至. Even numbers are the 节 that open the months of the almanac, odd ones the
// 中气 that fix the lunar months. Days are China's civil days, UTC+8. Nothing is computed until
// asked: a year of terms costs about 3 ms, a day's term under 0.1 ms (bench/bench_sky).

#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

namespace calendar {

inline constexpr int solarTermCount = 24;

// The Gregorian years whose terms are computed; outside them every function returns nothing.
inline constexpr int firstSolarTermYear = 1900;
inline constexpr int lastSolarTermYear = 2101;

// True for the 中气 (大寒, 雨水 … 冬至), false for the 节.
constexpr bool isPrincipalTerm(int term)
{
    return term % 2 == 1;
}

// The Sun's apparent longitude at the term, in degrees: 285 for 小寒 … 270 for 冬至.
constexpr int solarTermLongitude(int term)
{
    return (285 + 15 * term) % 360;
}

// The moment of a term in UTC, to the millisecond; invalid outside the years or terms.
QDateTime solarTermMoment(int year, int term);
// All 24 moments of a year, in the order of their numbers; invalid ones outside the years.
std::array<QDateTime, solarTermCount> solarTermsOf(int year);

// The term whose moment falls on the day (UTC+8); nothing on the other days.
std::optional<int> solarTermOn(QDate date);

struct NextSolarTerm
{
    int year = 0; // the Gregorian year the term belongs to
    int term = 0;
    QDateTime moment; // UTC
    int days = 0;     // from the day asked about to the term's day (UTC+8), at least 1
};

// The first term on a day after the given one.
std::optional<NextSolarTerm> nextSolarTerm(QDate date);

// 小寒 … 冬至, translated; empty outside 0 to 23.
QString solarTermName(int term);

namespace detail {
// The moment of a term as a Julian day on Terrestrial Time.
double solarTermJde(int year, int term);
// China's civil day (UTC+8) of a moment given as a Julian day on Universal Time.
QDate chinaDayOf(double jdUniversal);
// The Julian day (Universal Time) at which a civil day of China begins.
double chinaDayStart(QDate date);
// The same for the days the lunar months are reckoned on: Beijing's mean time (UTC+7:45:40)
// before 1929, as the calendars of those years were made, UTC+8 since.
QDate reckoningDayOf(double jdUniversal);
double reckoningDayStart(QDate date);
} // namespace detail

} // namespace calendar
