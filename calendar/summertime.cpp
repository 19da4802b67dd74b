#include "calendar/summertime.h"

#include <QDateTime>

namespace calendar {

namespace {

QDateTime utcAt(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs, QTimeZone::utc());
}

} // namespace

std::optional<StandardTime> standardTime(const QTimeZone &zone, QDate date, QTime time)
{
    if (!zone.isValid() || !date.isValid() || !time.isValid())
        return std::nullopt;
    // The clock reading counted as if it were UTC: an instant u showed it when u plus the
    // offset in force at u equals it.
    const qint64 wall = QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();
    constexpr qint64 day = 86400;
    const QDateTime before = utcAt(wall - 2 * day);
    QTimeZone::OffsetData first = zone.offsetData(before);
    QList<QTimeZone::OffsetData> offsets{first};
    offsets += zone.transitions(before, utcAt(wall + 2 * day));

    std::optional<QTimeZone::OffsetData> shown;
    for (const QTimeZone::OffsetData &candidate : offsets) {
        const QDateTime at = utcAt(wall - candidate.offsetFromUtc);
        if (zone.offsetFromUtc(at) != candidate.offsetFromUtc)
            continue;
        if (!shown || at < utcAt(wall - shown->offsetFromUtc))
            shown = zone.offsetData(at);
    }
    if (!shown) // skipped by a switch forward: read as standard time
        return StandardTime{date, time, SummerTime::NotKept, first.standardTimeOffset};
    const int summer = shown->offsetFromUtc - shown->standardTimeOffset;
    if (summer == 0)
        return StandardTime{date, time, SummerTime::NotKept, shown->standardTimeOffset};
    const QDateTime back = utcAt(wall - summer);
    return StandardTime{back.date(), back.time(), SummerTime::TakenBack, shown->standardTimeOffset};
}

std::optional<StandardHour> chinaStandardHour(QDate date, int hour)
{
    static const QTimeZone shanghai(QByteArrayLiteral("Asia/Shanghai"));
    const std::optional<StandardTime> standard = standardTime(shanghai, date, QTime(hour, 0));
    if (!standard)
        return std::nullopt;
    return StandardHour{standard->date, standard->time.hour(), standard->summerTime};
}

} // namespace calendar
