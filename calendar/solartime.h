#pragma once

// True solar time: the time the sun keeps at the birthplace, which the double hours belong to.
// A clock's standard time becomes local mean time by the place's longitude (four minutes a
// degree from the meridian of the zone's standard offset), and apparent solar time by the
// equation of time, computed from the Sun's position after Meeus, "Astronomical Algorithms",
// chapters 25 and 28 (within 0.1 minute of an ephemeris from 1901 to 2100).

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

namespace calendar {

// Apparent minus mean solar time at `instant`, in minutes (about −14 in mid-February, +16 early in
// November).
double equationOfTime(const QDateTime &instant);

struct SolarTime
{
    QDate date;
    QTime time;                    // to the second
    double longitudeMinutes = 0.0; // local mean time minus the zone's standard time
    double equationMinutes = 0.0;  // apparent minus mean solar time
};

// `date` and `time` are standard time (summer time already taken back) at `standardOffset`
// seconds east of UTC; `longitude` in degrees east. The result may fall on another day.
SolarTime trueSolarTime(QDate date, QTime time, int standardOffset, double longitude);

// "真太阳时 10:44（经度 －63.7 分，均时差 －12.5 分）巳时", translated where it is shown.
QString solarTimeLine(const SolarTime &solar);

// A longitude typed by hand, in degrees east: "东经104.1", "东经104°6′", "E104.1", "104.1",
// "104°6'30\"E", "西经73.9", "W73.9", "-73.9". Nothing for a text that is not one, or lies beyond
// 180 degrees.
std::optional<double> parseLongitude(QStringView text);

} // namespace calendar
