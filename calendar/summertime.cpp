#include "calendar/summertime.h"

#include <QDateTime>
#include <QTimeZone>

namespace calendar {

std::optional<StandardHour> chinaStandardHour(QDate date, int hour)
{
    static const QTimeZone shanghai(QByteArrayLiteral("Asia/Shanghai"));
    if (!shanghai.isValid())
        return std::nullopt;
    constexpr int summer = 9 * 3600;
    // The clock read `hour` in summer time when the instant an hour before it in standard time
    // was one at which Shanghai's offset was UTC+9.
    const QDateTime wall(date, QTime(hour, 0), QTimeZone::utc());
    const QDateTime asSummer = wall.addSecs(-summer);
    if (shanghai.offsetFromUtc(asSummer) == summer) {
        const QDateTime back = wall.addSecs(-3600);
        return StandardHour{back.date(), back.time().hour(), SummerTime::TakenBack};
    }
    return StandardHour{date, hour, SummerTime::NotKept};
}

} // namespace calendar
