#pragma once

// Summer time taken back to standard time, for any place's zone. China kept summer time (UTC+9)
// in 1919, in some years of the 1940s and from 1986 to 1991; Hong Kong, Macau and Taiwan in
// other years. A clock reading of those days is taken back to the zone's standard time here; the
// periods come from the system's time-zone data (tzdata, through QTimeZone), not from a list of
// ours, and each zone's own periods apply, never another zone's.

#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <optional>

namespace calendar {

enum class SummerTime { NotKept, TakenBack };

struct StandardTime
{
    QDate date;
    QTime time;
    SummerTime summerTime = SummerTime::NotKept;
    int standardOffset = 0; // the zone's standard offset from UTC then, in seconds east
};

// The clock reading `time` of `date` in `zone` as the zone's standard time. At a switch:
// - forward: the skipped time never showed on a clock; it is read as standard time, unchanged
//   (the clock had not been put forward yet);
// - back: a time that showed twice is read as its first showing, still summer time, and taken
//   back.
// Taken back from just after midnight it lands on the day before. Nothing for a zone the system
// has no data for, so that no reading is guessed.
std::optional<StandardTime> standardTime(const QTimeZone &zone, QDate date, QTime time);

struct StandardHour
{
    QDate date;
    int hour = 0;
    SummerTime summerTime = SummerTime::NotKept;
};

// The clock hour `hour` (0 to 23) of `date` as Beijing standard time (Asia/Shanghai). Every
// switch of China's clocks fell on a whole hour, so the minute never matters.
std::optional<StandardHour> chinaStandardHour(QDate date, int hour);

} // namespace calendar
