#include "movie/shockwaveflash.h"

#include "movie/framepainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSemaphore>
#include <QThreadPool>

TShockwaveFlash::TShockwaveFlash(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel is ours: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(&m_player, &movie::Player::updated, this, &TShockwaveFlash::frameUpdated);
}

TShockwaveFlash::~TShockwaveFlash() = default;

bool TShockwaveFlash::LoadMovie(int layer, const QString &url)
{
    if (!m_player.load(layer, url)) {
        m_error = QStringLiteral("The parameter is incorrect");
        return false;
    }
    m_error.clear();
    m_pending = rect();
    update();
    return true;
}

// The areas of a new frame that changed, a little wider for antialiased edges, are drawn
// again at the next paint.
void TShockwaveFlash::frameUpdated(const QRectF &area)
{
    const QTransform toDevice = movie::showAllTransform(m_player.stage(), QRectF(rect()));
    const QRect pixels = toDevice.mapRect(area).toAlignedRect().adjusted(-2, -2, 2, 2) & rect();
    if (pixels.isEmpty())
        return;
    m_pending += pixels;
    update(pixels);
}

// A departure from the program's one-thread run, where the user-interface thread does
// everything and there are no worker threads: the changed areas are drawn into the frame buffer
// from a thread of Qt's global pool while this thread waits for it. Qt 6.4's raster engine
// splits every span fill of more than about 96 spans over that pool unless it already runs in
// one of the pool's threads, and waits; drawn here, those hand-offs cost more CPU than the
// drawing. Measured with bench/movie_cpu, the whole program with "rili.swf" playing in view:
// 1.65% of a core drawn from the pool, 2.93% and 3.33% drawn here, over the 2% the panel may
// take; cutting the areas into bands of 16 rows to keep fills small was worse still (6.07%).
// What keeps it one thread in effect: the drawing reads only what this thread owns, this thread
// does nothing until it is done, and only one drawing runs at a time.
void TShockwaveFlash::renderPending()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_frame.size() != pixels) {
        // Opaque, as every frame is (the background first): copied to the screen as it is, not
        // blended pixel by pixel.
        m_frame = QImage(pixels, QImage::Format_RGB32);
        m_frame.setDevicePixelRatio(ratio);
        m_pending = rect();
    }
    if (m_pending.isEmpty() || m_frame.isNull())
        return;
    const QRegion areas = m_pending;
    m_pending = QRegion();
    const auto draw = [this, &areas] {
        QPainter painter(&m_frame);
        if (!m_player.hasMovie())
            painter.fillRect(rect(), palette().window());
        else
            m_player.paint(painter, QRectF(rect()), areas);
    };
    QSemaphore done;
    if (QThreadPool::globalInstance()->tryStart([&] {
            draw();
            done.release();
        }))
        done.acquire();
    else
        draw(); // no free thread in the pool: here, at the cost of the hand-offs
}

void TShockwaveFlash::paintEvent(QPaintEvent *event)
{
    renderPending();
    QPainter painter(this);
    for (const QRect &area : event->region())
        painter.drawImage(area, m_frame,
                          QRectF(QPointF(area.topLeft()) * m_frame.devicePixelRatio(),
                                 QSizeF(area.size()) * m_frame.devicePixelRatio()));
}

void TShockwaveFlash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_player.start();
    m_pending = rect();
    update();
}

void TShockwaveFlash::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_player.stop();
}
