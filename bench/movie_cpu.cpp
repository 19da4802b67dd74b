// The CPU the whole program takes while the movie plays: the player at 705 × 437 on the first of
// two tabs, behind a group box with a memo, a panel with combo boxes, a button and a label, as
// on the bone-weight tab. Run it in a real display (Xvfb will do):
//
//   movie_cpu visible 40     the movie's tab in front
//   movie_cpu hidden 40      the other tab in front
//   movie_cpu minimised 40   the window minimised
//   movie_cpu floor 40       Qt's own part: the areas the movie changed in 100 frames of the
//                            settling, updated again at its frame rate and painted from one
//                            picture of it, with nothing drawn
//
// After 3 s of settling (or the seconds given third) it reads its own user and system time from
// /proc/self/stat over the given seconds and prints the share of one core, and how many paint
// events the player got. The player keeps the poses of what moves in the movie's second loop and
// draws from them from the third: `movie_cpu visible 30 21` measures only that.

#include "movie/shockwaveflash.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <unistd.h>

#include <cstdio>

static double cpuSeconds()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // Fields after the command's closing parenthesis: utime and stime are the 12th and 13th.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

class PaintCounter : public QObject
{
public:
    int paints = 0;
    QList<QRegion> areas; // of the last paints, up to a loop of rili.swf
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            areas.append(static_cast<QPaintEvent *>(event)->region());
            if (areas.size() > 100)
                areas.removeFirst();
        }
        return false;
    }
};

// The movie's repaints without the movie: each tick updates the areas one frame of it changed, and
// paints them from a still picture.
class Floor : public QWidget
{
public:
    Floor(QWidget *parent, QImage still, QList<QRegion> areas, int interval)
        : QWidget(parent)
        , m_still(std::move(still))
        , m_areas(std::move(areas))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        m_timer.callOnTimeout(this, [this] {
            if (!m_areas.isEmpty())
                update(m_areas[m_next++ % m_areas.size()]);
        });
        m_timer.start(interval);
    }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        QPainter painter(this);
        for (const QRect &area : event->region())
            painter.drawImage(area, m_still, area);
    }

private:
    QImage m_still;
    QList<QRegion> m_areas;
    qsizetype m_next = 0;
    QTimer m_timer;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("visible");
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 40;
    const int settle = argc > 3 ? std::atoi(argv[3]) : 3;

    QTabWidget tabs;
    tabs.setGeometry(100, 100, 633, 441);
    auto *page = new QWidget;
    page->setAutoFillBackground(true);
    tabs.addTab(page, QStringLiteral(" 我有几两命？ "));
    tabs.addTab(new QLabel(QStringLiteral("another tab")), QStringLiteral(" 看手相 "));

    auto *fla = new TShockwaveFlash(page);
    fla->setGeometry(-3, 4, 705, 437);
    auto *panel = new QFrame(page);
    panel->setAutoFillBackground(true);
    panel->setGeometry(0, 0, 625, 115);
    auto *birth = new QGroupBox(QStringLiteral(" 出生资料 "), panel);
    birth->setGeometry(254, 8, 337, 59);
    for (int i = 0; i < 5; ++i) {
        auto *list = new QComboBox(birth);
        list->setEditable(true);
        list->setGeometry(16 + i * 62, 24, 55, 21);
    }
    (new QPushButton(QStringLiteral("算一卦"), page))->setGeometry(504, 78, 75, 25);
    (new QLabel(QStringLiteral("你的命重："), panel))->setGeometry(273, 82, 200, 16);
    auto *box = new QGroupBox(QStringLiteral(" 命书 "), page);
    box->setGeometry(0, 8, 213, 279);
    (new QPlainTextEdit(box))->setGeometry(3, 16, 204, 257);
    auto *corner = new QFrame(page);
    corner->setAutoFillBackground(true);
    corner->setGeometry(0, 287, 65, 127);

    PaintCounter counter;
    fla->installEventFilter(&counter);
    fla->LoadMovie(0, QStringLiteral(LORVEX_RILI_SWF));
    tabs.show();
    if (mode == QLatin1String("hidden"))
        tabs.setCurrentIndex(1);
    else if (mode == QLatin1String("minimised"))
        tabs.showMinimized();

    double start = 0;
    int paintsAtStart = 0;
    Floor *floor = nullptr;
    QTimer::singleShot(settle * 1000, [&] {
        if (mode == QLatin1String("floor")) {
            const QImage still = fla->grab().toImage().convertToFormat(QImage::Format_RGB32);
            floor = new Floor(page, still, counter.areas, 100);
            floor->setGeometry(fla->geometry());
            floor->stackUnder(panel);
            floor->show();
            delete fla;
            fla = nullptr;
        }
        start = cpuSeconds();
        paintsAtStart = counter.paints;
    });
    QTimer::singleShot((settle + seconds) * 1000, [&] {
        const double used = cpuSeconds() - start;
        std::printf("%s: %.2f%% of one core over %d s (%.3f s CPU), %d paints of the player, "
                    "ticking %s\n",
                    qPrintable(mode), 100 * used / seconds, seconds, used,
                    floor ? floor->paints : counter.paints - paintsAtStart,
                    floor || fla->player().state() == movie::Player::State::Running ? "yes" : "no");
        app.quit();
    });
    return app.exec();
}
