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

// Watches the application's events for the window's first expose. Its first frame is painted
// and flushed while that expose is handled, so the stamp is taken from a zero timer just after.
class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QWidget *window, bool quit)
        : QObject(window)
        , m_window(window)
        , m_quit(quit)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched == m_window->windowHandle()
            && m_window->windowHandle()->isExposed()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { stamp(); });
        }
        return false;
    }

private:
    void stamp()
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        // Then the process's CPU time so far, all threads, to the same frame.
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        std::fprintf(stderr, "first-frame %lld %lld\n",
                     static_cast<long long>(
                         std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                     static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec);
        std::fflush(stderr);
        if (m_quit)
            QCoreApplication::exit(0);
    }

    QWidget *m_window;
    bool m_quit;
};

} // namespace

namespace {

class AfterFirstFrame : public QObject
{
public:
    AfterFirstFrame(QWidget *window, std::function<void()> work)
        : QObject(window)
        , m_window(window)
        , m_work(std::move(work))
    {
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, [this] { run(); });
        m_timer.start(1000);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched == m_window->windowHandle()
            && m_window->windowHandle()->isExposed()) {
            qApp->removeEventFilter(this);
            // The frame is painted and flushed while the expose is handled. A call posted now
            // runs after that; the timer it starts goes off in a later turn of the loop, so that
            // what is posted beside it (the frame's other business) comes first.
            QMetaObject::invokeMethod(
                this, [this] { m_timer.start(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void run()
    {
        qApp->removeEventFilter(this);
        const std::function<void()> work = std::move(m_work);
        deleteLater();
        if (work)
            work();
    }

    QWidget *m_window;
    std::function<void()> m_work;
    QTimer m_timer;
};

} // namespace

void afterFirstFrame(QWidget *window, std::function<void()> work)
{
    qApp->installEventFilter(new AfterFirstFrame(window, std::move(work)));
}

void watchFirstFrame(QWidget *window)
{
    if (!qEnvironmentVariableIsSet("LORVEX_FIRST_FRAME"))
        return;
    const bool quit = qgetenv("LORVEX_FIRST_FRAME") == "quit";
    qApp->installEventFilter(new FirstFrameWatch(window, quit));
}

} // namespace base
