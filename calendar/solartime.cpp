#include "calendar/solartime.h"

#include "calendar/lunar.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>
#include <numbers>

namespace calendar {

namespace {

constexpr double degree = std::numbers::pi / 180.0;

double sinDeg(double x)
{
    return std::sin(x * degree);
}

double cosDeg(double x)
{
    return std::cos(x * degree);
}

// "＋5.2" or "－63.7": the full-width signs of GB 2312, which every Chinese face draws as plus
// and minus (U+2212 is missing from GBK).
QString signedMinutes(double minutes)
{
    const QString number = QString::number(std::abs(minutes), 'f', 1);
    if (number == u"0.0")
        return number;
    return (minutes < 0 ? QStringLiteral("\uFF0D") : QStringLiteral("\uFF0B")) + number;
}

} // namespace

double equationOfTime(const QDateTime &instant)
{
    // Julian centuries from J2000.0. Universal time stands in for dynamical time: the minute or
    // so between them moves the equation of time by well under a thousandth of a minute.
    const double jd = 2440587.5 + double(instant.toMSecsSinceEpoch()) / 86400000.0;
    const double t = (jd - 2451545.0) / 36525.0;

    const double meanLongitude = 280.46646 + t * (36000.76983 + t * 0.0003032);
    const double anomaly = 357.52911 + t * (35999.05029 - t * 0.0001537);
    const double centre = (1.914602 - t * (0.004817 + t * 0.000014)) * sinDeg(anomaly)
                          + (0.019993 - t * 0.000101) * sinDeg(2 * anomaly)
                          + 0.000289 * sinDeg(3 * anomaly);
    const double node = 125.04452 - 1934.136261 * t;
    const double apparentLongitude = meanLongitude + centre - 0.00569 - 0.00478 * sinDeg(node);
    const double meanObliquity
        = 23.0 + (26.0 + (21.448 - t * (46.815 + t * 0.00059)) / 60.0) / 60.0;
    const double obliquity = meanObliquity + 0.00256 * cosDeg(node);
    const double rightAscension
        = std::atan2(cosDeg(obliquity) * sinDeg(apparentLongitude), cosDeg(apparentLongitude))
          / degree;
    // Nutation in longitude (Meeus 22, its four largest terms), in degrees.
    const double moonLongitude = 218.3165 + 481267.8813 * t;
    const double nutation = (-17.20 * sinDeg(node) - 1.32 * sinDeg(2 * meanLongitude)
                             - 0.23 * sinDeg(2 * moonLongitude) + 0.21 * sinDeg(2 * node))
                            / 3600.0;
    double e = meanLongitude - 0.0057183 - rightAscension + nutation * cosDeg(obliquity);
    e = std::remainder(e, 360.0);
    return e * 4.0;
}

SolarTime trueSolarTime(QDate date, QTime time, int standardOffset, double longitude)
{
    const QDateTime utc = QDateTime(date, time, QTimeZone::utc()).addSecs(-standardOffset);
    SolarTime solar;
    solar.longitudeMinutes = longitude * 4.0 - standardOffset / 60.0;
    solar.equationMinutes = equationOfTime(utc);
    const double shift = (solar.longitudeMinutes + solar.equationMinutes) * 60.0;
    const QDateTime apparent
        = QDateTime(date, time, QTimeZone::utc()).addSecs(qint64(std::llround(shift)));
    solar.date = apparent.date();
    solar.time = apparent.time();
    return solar;
}

QString solarTimeLine(const SolarTime &solar)
{
    return QCoreApplication::translate("SolarTime", "真太阳时 %1（经度 %2 分，均时差 %3 分）%4时")
        .arg(solar.time.toString(u"HH:mm"), signedMinutes(solar.longitudeMinutes),
             signedMinutes(solar.equationMinutes), hourBranch(solar.time.hour()));
}

std::optional<double> parseLongitude(QStringView text)
{
    // Full-width digits and signs, as a Chinese input method types them, read as ASCII.
    QString typed = text.trimmed().toString();
    for (QChar &c : typed) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFEE0);
    }
    static const QRegularExpression form(
        QStringLiteral(R"(^(东经|西经|[EW])?\s*([+-]?)([0-9]+(?:\.[0-9]+)?)\s*)"
                       R"((?:(?:°|度)\s*(?:([0-9]+(?:\.[0-9]+)?)\s*(?:′|'|分)\s*)"
                       R"((?:([0-9]+(?:\.[0-9]+)?)\s*(?:″|"|''|秒))?)?)?\s*([EW东西])?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(typed);
    if (!m.hasMatch())
        return std::nullopt;
    const QString before = m.captured(1).toUpper();
    const QString after = m.captured(6).toUpper();
    const bool signedNumber = !m.captured(2).isEmpty();
    if ((!before.isEmpty() + !after.isEmpty() + signedNumber) > 1)
        return std::nullopt; // two hemispheres given, even if they agree: a typing slip
    const bool hasMinutes = m.hasCaptured(4) && !m.captured(4).isEmpty();
    const bool hasSeconds = m.hasCaptured(5) && !m.captured(5).isEmpty();
    double degrees = m.captured(3).toDouble();
    const double minutes = hasMinutes ? m.captured(4).toDouble() : 0.0;
    const double seconds = hasSeconds ? m.captured(5).toDouble() : 0.0;
    if (hasMinutes && (m.captured(3).contains(u'.') || minutes >= 60.0))
        return std::nullopt;
    if (hasSeconds && (m.captured(4).contains(u'.') || seconds >= 60.0))
        return std::nullopt;
    degrees += minutes / 60.0 + seconds / 3600.0;
    if (degrees > 180.0)
        return std::nullopt;
    const bool west = before == u"西经" || before == u"W" || after == u"W" || after == u"西"
                      || m.captured(2) == u"-";
    return west ? -degrees : degrees;
}

} // namespace calendar
