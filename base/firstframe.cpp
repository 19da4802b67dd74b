#include "base/firstframe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace base {

namespace {

// Calls its handler once, while the window's first expose is handled: the window's first frame is
// painted and flushed then.
class FirstExpose : public QObject
{
public:
    FirstExpose(QWidget *window, std::function<void()> exposed)
        : QObject(window)
        , m_window(window)
        , m_exposed(std::move(exposed))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched == m_window->windowHandle()
            && m_window->windowHandle()->isExposed()) {
            qApp->removeEventFilter(this);
            m_exposed();
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_exposed;
};

void stamp(bool quit)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    // Then the process's CPU time so far, all threads, to the same frame.
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(
        stderr, "first-frame %lld %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
        static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec);
    std::fflush(stderr);
    if (quit)
        QCoreApplication::exit(0);
}

} // namespace

void afterFirstFrame(QWidget *window, std::function<void()> work)
{
    auto *timer = new QTimer(window);
    timer->setSingleShot(true);
    // A call posted while the expose is handled runs after the frame; the timer it starts goes
    // off in a later turn of the loop, so that what is posted beside it (the frame's other
    // business) comes first.
    auto *expose = new FirstExpose(window, [timer] {
        QMetaObject::invokeMethod(
            timer, [timer] { timer->start(0); }, Qt::QueuedConnection);
    });
    QObject::connect(
        timer, &QTimer::timeout, window,
        [timer, expose, work = std::move(work)] {
            delete expose;
            timer->deleteLater();
            work();
        },
        Qt::SingleShotConnection);
    timer->start(1000);
}

void watchFirstFrame(QWidget *window)
{
    if (!qEnvironmentVariableIsSet("LORVEX_FIRST_FRAME"))
        return;
    const bool quit = qgetenv("LORVEX_FIRST_FRAME") == "quit";
    // The stamp from a zero timer just after the frame.
    new FirstExpose(window,
                    [window, quit] { QTimer::singleShot(0, window, [quit] { stamp(quit); }); });
}

} // namespace base
