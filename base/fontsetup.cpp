#include "base/fontsetup.h"

#include <QThreadPool>

#include <fontconfig/fontconfig.h>

namespace base {

FontSetUpAhead::FontSetUpAhead()
{
    // No free thread: Qt sets fontconfig up on this thread when it first needs it, as it would.
    m_pending = QThreadPool::globalInstance()->tryStart([this] {
        FcInit();
        m_done.release();
    });
}

FontSetUpAhead::~FontSetUpAhead()
{
    wait();
}

void FontSetUpAhead::wait()
{
    if (m_pending)
        m_done.acquire();
    m_pending = false;
}

} // namespace base
