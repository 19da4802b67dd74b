#pragma once

// fontconfig reads its configuration and its caches the first time anything asks it for a font:
// a dozen milliseconds of parsing on a Debian desktop, which Qt would pay on the main thread when
// the first control measures its text. Started before QApplication, that work runs in a thread of
// Qt's global pool while this thread connects to the display and waits for its answers, which
// takes longer. A second departure from the one-thread run, beside the movie's drawing, and in
// the same pool: the thread is the one the movie draws its first frame in a moment later, so the
// program has no thread (nor memory arena) it would not have had.

#include <QSemaphore>

namespace base {

class FontSetUpAhead
{
public:
    FontSetUpAhead();
    ~FontSetUpAhead();
    FontSetUpAhead(const FontSetUpAhead &) = delete;
    FontSetUpAhead &operator=(const FontSetUpAhead &) = delete;

    // Returns once fontconfig is set up. Call it before anything measures or draws a text: Qt's
    // own first request would otherwise read a second configuration beside this one.
    void wait();

private:
    QSemaphore m_done;
    bool m_pending = false;
};

} // namespace base
