#pragma once

// The day the program believes it is: the year list ends at its year, a kept card is dated with
// it. The system's date, unless a test has put another in its place.

#include <QDate>

#include <functional>

namespace base {

QDate today();
// Puts a clock in place of the system's; an empty function gives the system's back.
void setToday(std::function<QDate()> clock);

} // namespace base
