#pragma once

// The four weight tables of the bone-weight reading. A weight is a whole number of qian
// (10 qian make 1 liang); a value the table does not cover weighs 0.

#include <cstdint>

int YearWeight(std::int32_t year);   // 1880 .. 2005
int MonthWeight(std::int32_t month); // 1 .. 12
int DayWeight(std::int32_t day);     // 1 .. 31, the same for every month
int HourWeight(std::int32_t hour);   // 0 .. 23
