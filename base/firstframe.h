#pragma once

// A start-up measurement hook. Only when the environment variable LORVEX_FIRST_FRAME is set does
// it do anything: once `window` has put its first frame on the screen it writes
// "first-frame <ns>" (the monotonic clock, in nanoseconds) to standard error, and when the value
// is "quit" it then ends the event loop, so that a driver can also read the run's peak memory.

class QWidget;

namespace base {

// Call before the window is first shown.
void watchFirstFrame(QWidget *window);

} // namespace base
