#pragma once

// The compact table the lunar conversion walks, one entry a lunar year from 1901 to 2100. It is
// written by tools/lunartable from our computation of the sky (skycalendar.h), never by hand.

#include <array>
#include <cstdint>

namespace calendar::detail {

struct LunarYear
{
    std::uint8_t newYearMonth; // the Gregorian month and day of 正月初一
    std::uint8_t newYearDay;
    std::uint8_t leapMonth; // the month the leap month follows; 0 in a year without one
    std::uint16_t
        longMonths; // bit i set: the year's (i+1)th month, leap month counted, has 30 days
};

inline constexpr int firstLunarYear = 1901;

extern const std::array<LunarYear, 200> lunarYears;

} // namespace calendar::detail
