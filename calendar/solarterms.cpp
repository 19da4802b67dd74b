#include "calendar/solarterms.h"

#include "calendar/sky.h"

#include <QCoreApplication>

#include <cmath>

namespace calendar {

namespace {

const char *const termNames[solarTermCount] = {
    QT_TRANSLATE_NOOP("Almanac", "小寒"), QT_TRANSLATE_NOOP("Almanac", "大寒"),
    QT_TRANSLATE_NOOP("Almanac", "立春"), QT_TRANSLATE_NOOP("Almanac", "雨水"),
    QT_TRANSLATE_NOOP("Almanac", "惊蛰"), QT_TRANSLATE_NOOP("Almanac", "春分"),
    QT_TRANSLATE_NOOP("Almanac", "清明"), QT_TRANSLATE_NOOP("Almanac", "谷雨"),
    QT_TRANSLATE_NOOP("Almanac", "立夏"), QT_TRANSLATE_NOOP("Almanac", "小满"),
    QT_TRANSLATE_NOOP("Almanac", "芒种"), QT_TRANSLATE_NOOP("Almanac", "夏至"),
    QT_TRANSLATE_NOOP("Almanac", "小暑"), QT_TRANSLATE_NOOP("Almanac", "大暑"),
    QT_TRANSLATE_NOOP("Almanac", "立秋"), QT_TRANSLATE_NOOP("Almanac", "处暑"),
    QT_TRANSLATE_NOOP("Almanac", "白露"), QT_TRANSLATE_NOOP("Almanac", "秋分"),
    QT_TRANSLATE_NOOP("Almanac", "寒露"), QT_TRANSLATE_NOOP("Almanac", "霜降"),
    QT_TRANSLATE_NOOP("Almanac", "立冬"), QT_TRANSLATE_NOOP("Almanac", "小雪"),
    QT_TRANSLATE_NOOP("Almanac", "大雪"), QT_TRANSLATE_NOOP("Almanac", "冬至"),
};

constexpr double unixEpoch = 2440587.5; // 1970-01-01 00:00 UT as a Julian day
constexpr double standardOffset = 8.0 / 24;
// The lunar months were reckoned on Beijing's mean time (116°25' E, UTC+7:45:40) until the end of
// 1928, and on the standard time of 120° E, UTC+8, since.
constexpr double beijingOffset = (7 + 45.0 / 60 + 40.0 / 3600) / 24;
constexpr qint64 standardSince = 2425613; // 1929-01-01

bool inRange(int year)
{
    return year >= firstSolarTermYear && year <= lastSolarTermYear;
}

QDateTime utcOf(double jdUniversal)
{
    return QDateTime::fromMSecsSinceEpoch(std::llround((jdUniversal - unixEpoch) * 86400000.0),
                                          Qt::UTC);
}

} // namespace

namespace detail {

double solarTermJde(int year, int term)
{
    // 小寒 falls about 5 January; the Sun then takes about 15.2 days a term.
    const double guess = QDate(year, 1, 5).toJulianDay() + 15.2184 * term;
    return sky::sunReachesLongitude(solarTermLongitude(term), sky::terrestrialFromUniversal(guess));
}

QDate chinaDayOf(double jdUniversal)
{
    return QDate::fromJulianDay(qint64(std::floor(jdUniversal + 0.5 + standardOffset)));
}

double chinaDayStart(QDate date)
{
    return double(date.toJulianDay()) - 0.5 - standardOffset;
}

QDate reckoningDayOf(double jdUniversal)
{
    const qint64 day = qint64(std::floor(jdUniversal + 0.5 + standardOffset));
    if (day >= standardSince)
        return QDate::fromJulianDay(day);
    return QDate::fromJulianDay(qint64(std::floor(jdUniversal + 0.5 + beijingOffset)));
}

double reckoningDayStart(QDate date)
{
    const qint64 day = date.toJulianDay();
    return double(day) - 0.5 - (day >= standardSince ? standardOffset : beijingOffset);
}

} // namespace detail

QDateTime solarTermMoment(int year, int term)
{
    if (!inRange(year) || term < 0 || term >= solarTermCount)
        return {};
    return utcOf(sky::universalFromTerrestrial(detail::solarTermJde(year, term)));
}

std::array<QDateTime, solarTermCount> solarTermsOf(int year)
{
    std::array<QDateTime, solarTermCount> moments;
    for (int term = 0; term < solarTermCount; ++term)
        moments[std::size_t(term)] = solarTermMoment(year, term);
    return moments;
}

std::optional<int> solarTermOn(QDate date)
{
    if (!date.isValid() || !inRange(date.year()))
        return std::nullopt;
    // A term falls on the day when the Sun passes a fifteenth degree between its two midnights.
    const double start = sky::terrestrialFromUniversal(detail::chinaDayStart(date));
    const double before = sky::apparentSunLongitude(start);
    const double after = sky::apparentSunLongitude(start + 1);
    const double passed = std::floor(after / 15) * 15;
    if (std::fmod(passed - before + 360, 360) > 2) // before is past it: no multiple between
        return std::nullopt;
    return int(std::fmod(passed - 285 + 360, 360) / 15);
}

std::optional<NextSolarTerm> nextSolarTerm(QDate date)
{
    if (!date.isValid() || !inRange(date.year()))
        return std::nullopt;
    const double end = sky::terrestrialFromUniversal(detail::chinaDayStart(date.addDays(1)));
    const double now = sky::apparentSunLongitude(end);
    const double target = std::fmod(std::ceil(now / 15) * 15, 360);
    const double jde = sky::sunReachesLongitude(target, end + std::fmod(target - now + 360, 360));
    const double jd = sky::universalFromTerrestrial(jde);
    const QDate day = detail::chinaDayOf(jd);
    const int term = int(std::fmod(target - 285 + 360, 360) / 15);
    return NextSolarTerm{day.year(), term, utcOf(jd), int(date.daysTo(day))};
}

QString solarTermName(int term)
{
    if (term < 0 || term >= solarTermCount)
        return {};
    return QCoreApplication::translate("Almanac", termNames[term]);
}

} // namespace calendar
