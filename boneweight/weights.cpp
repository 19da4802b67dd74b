#include "boneweight/weights.h"

#include <array>
#include <cstddef>

namespace {

// Looks a value up in a table that starts at `first`. The bounds test is done on the distance
// from `first` as an unsigned number, so values below the table (negative ones too) and values
// above it fail alike, and the subtraction cannot overflow.
template<std::size_t N>
int lookUp(const std::array<unsigned char, N> &table, std::int32_t first, std::int32_t value)
{
    const auto offset = static_cast<std::uint32_t>(value) - static_cast<std::uint32_t>(first);
    return offset < N ? table[offset] : 0;
}

// 1880 to 2005, ten years a row. The years repeat every sixty; we keep them written out so the
// table reads like the almanac it comes from.
constexpr std::array<unsigned char, 126> kYears = {
    12, 6,  8,  7,  5,  15, 6,  16, 15, 8,  // 1880
    9,  12, 10, 7,  15, 6,  5,  14, 14, 9,  // 1890
    7,  7,  9,  12, 8,  7,  13, 5,  14, 5,  // 1900
    9,  17, 5,  7,  12, 8,  8,  6,  19, 6,  // 1910
    8,  16, 10, 7,  12, 9,  6,  7,  12, 5,  // 1920
    9,  8,  7,  8,  15, 9,  16, 8,  8,  19, // 1930
    12, 6,  8,  7,  5,  15, 6,  16, 15, 8,  // 1940
    9,  12, 10, 7,  15, 6,  5,  14, 14, 9,  // 1950
    7,  7,  9,  12, 8,  7,  13, 5,  14, 5,  // 1960
    9,  17, 5,  7,  12, 8,  8,  6,  19, 6,  // 1970
    8,  16, 10, 7,  12, 9,  6,  7,  12, 5,  // 1980
    9,  8,  7,  8,  15, 9,  16, 8,  8,  19, // 1990
    12, 6,  8,  7,  5,  15,                 // 2000
};

constexpr std::array<unsigned char, 12> kMonths = {6, 7, 18, 9, 5, 5, 9, 15, 16, 8, 9, 5};

constexpr std::array<unsigned char, 31> kDays = {
    6,  10, 8, 15, 16, 15, 8, 16, 8,  16, // 1..10
    9,  17, 8, 17, 10, 8,  9, 8,  5,  15, // 11..20
    10, 9,  8, 9,  15, 18, 7, 8,  16, 6,  // 21..30
    6,                                    // 31
};

// 0 to 23. The hours pair up as (23, 0), (1, 2) ... (21, 22) and both of a pair weigh the same.
constexpr std::array<unsigned char, 24> kHours = {
    16, 6, 6, 7, 7, 10, 10, 9, 9, 16, 16, 8, 8, 8, 8, 8, 8, 9, 9, 6, 6, 6, 6, 16,
};

} // namespace

int YearWeight(std::int32_t year)
{
    return lookUp(kYears, 1880, year);
}

int MonthWeight(std::int32_t month)
{
    return lookUp(kMonths, 1, month);
}

int DayWeight(std::int32_t day)
{
    return lookUp(kDays, 1, day);
}

int HourWeight(std::int32_t hour)
{
    return lookUp(kHours, 0, hour);
}
