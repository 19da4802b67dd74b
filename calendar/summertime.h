#pragma once

// China kept summer time (UTC+9) in 1919, in some years of the 1940s and from 1986 to 1991. A
// clock reading of those days is taken back to standard time, UTC+8, here; the periods come from
// the system's time-zone data for Asia/Shanghai (tzdata), not from a list of ours.

#include <QDate>

#include <optional>

namespace calendar {

enum class SummerTime { NotKept, TakenBack };

struct StandardHour
{
    QDate date;
    int hour = 0;
    SummerTime summerTime = SummerTime::NotKept;
};

// The clock hour `hour` (0 to 23) of `date` as Beijing standard time. Every switch of China's
// clocks fell on a whole hour, so the minute never matters. At a switch:
// - forward: the skipped hour never showed on a clock; it is read as standard time, unchanged
//   (the clock had not been put forward yet);
// - back: the hour that showed twice is read as its first showing, still summer time, and taken
//   back one hour.
// A summer-time hour taken back from 0 lands on 23 of the day before. Nothing when the system
// has no data for Asia/Shanghai, so that no reading is guessed.
std::optional<StandardHour> chinaStandardHour(QDate date, int hour);

} // namespace calendar
