#pragma once

// A start-up measurement hook. Only when the environment variable LORVEX_FIRST_FRAME is set does
// it do anything: once `window` has put its first frame on the screen it writes
// "first-frame <ns> <cpu ns>" (the monotonic clock, then the process's CPU time, in nanoseconds)
// to standard error, and when the value
// is "quit" it then ends the event loop, so that a driver can also read the run's peak memory.

#include <functional>

class QWidget;

namespace base {

// Call before the window is first shown.
void watchFirstFrame(QWidget *window);

// Runs `work` once, in a turn of the event loop after the one that put `window`'s first frame on
// the screen: what the first frame does not need waits until the window is there. A window that
// is not exposed within a second (started minimised, say) gets its work done then.
void afterFirstFrame(QWidget *window, std::function<void()> work);

} // namespace base
