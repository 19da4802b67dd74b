#include "movie/shockwaveflash.h"

#include "movie/framepainter.h"
#include "movie/playback.h"
#include "movie/swfreader.h"

#include <QFile>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QSemaphore>
#include <QThreadPool>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal MaxFrameRate = 60; // faster movies play at this rate: more would only cost

// The one file a request may read: a local path, or a file: URL. Any other address names
// nothing we fetch.
QString localPath(const QString &url)
{
    const QUrl parsed(url);
    if (parsed.isLocalFile())
        return parsed.toLocalFile();
    // "C:\..." parses as scheme "c"; a real scheme is longer than a drive letter.
    if (parsed.scheme().size() > 1)
        return {};
    return url;
}

std::shared_ptr<const movie::Movie> readMovie(const QString &path)
{
    const QFileInfo info(path);
    // Only a regular file: a pipe or a device would block or never end.
    if (path.isEmpty() || !info.isFile() || info.size() > TShockwaveFlash::MaxFileSize)
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = file.read(TShockwaveFlash::MaxFileSize);
    auto read = std::make_shared<movie::Movie>(movie::ReadSwf(bytes));
    return read->isEmpty() ? nullptr : read;
}

} // namespace

struct TShockwaveFlash::Layer
{
    movie::Playback playback;
    qint64 startMs = 0;
};

TShockwaveFlash::TShockwaveFlash(QWidget *parent)
    : QWidget(parent)
{
    m_elapsed.start();
    m_clock = [this] {
        return m_elapsed.elapsed();
    };
    // Every pixel is ours: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::NoContextMenu);
}

TShockwaveFlash::~TShockwaveFlash() = default;

void TShockwaveFlash::setClock(Clock clock)
{
    m_clock = std::move(clock);
    for (auto &[number, layer] : m_layers)
        layer->startMs
            = m_clock() - layer->playback.tick() * 1000 / std::max<qreal>(1, frameRate());
}

bool TShockwaveFlash::LoadMovie(int layer, const QString &url)
{
    if (layer < 0) {
        m_error = QStringLiteral("The parameter is incorrect");
        return false;
    }
    m_error.clear();
    m_layers.erase(layer);
    if (auto read = readMovie(localPath(url)))
        m_layers[layer].reset(new Layer{movie::Playback(std::move(read)), m_clock()});
    restartTimer();
    m_pending = rect();
    update();
    return true;
}

qreal TShockwaveFlash::frameRate() const
{
    if (m_layers.empty())
        return 0;
    return std::min(m_layers.begin()->second->playback.movie().frameRate, MaxFrameRate);
}

QRectF TShockwaveFlash::target() const
{
    return QRectF(rect());
}

void TShockwaveFlash::restartTimer()
{
    m_timer.stop();
    const qreal rate = frameRate();
    const bool moves = std::any_of(m_layers.begin(), m_layers.end(), [](const auto &layer) {
        return layer.second->playback.animates();
    });
    if (isVisible() && moves && rate > 0)
        m_timer.start(std::max(1, int(std::lround(1000 / rate))), Qt::CoarseTimer, this);
}

// Brings every layer to the frame its clock has reached and repaints what changed.
void TShockwaveFlash::catchUp()
{
    const qreal rate = frameRate();
    if (rate <= 0 || m_layers.empty())
        return;
    const qint64 now = m_clock();
    const QTransform toDevice
        = movie::ShowAllTransform(m_layers.begin()->second->playback.movie().stage, target());
    QRegion area;
    for (auto &[number, layer] : m_layers) {
        const qint64 tick = qint64(std::floor((now - layer->startMs) * rate / 1000));
        for (const QRectF &dirty : layer->playback.advanceTo(tick))
            area += toDevice.mapRect(dirty).toAlignedRect().adjusted(-2, -2, 2, 2) & rect();
    }
    if (!area.isEmpty()) {
        m_pending += area;
        update(area);
    }
}

// Qt's raster engine hands large span fills to the global thread pool unless it already runs in
// one of the pool's threads; measured here the hand-offs cost more CPU than the drawing itself
// (bench/README.md). So the changed areas are drawn into the frame buffer from a pool thread
// while this thread waits: one drawing at a time, never alongside anything of ours.
void TShockwaveFlash::renderPending()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_frame.size() != pixels) {
        m_frame = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_frame.setDevicePixelRatio(ratio);
        m_pending = rect();
    }
    if (m_pending.isEmpty() || m_frame.isNull())
        return;
    const QRegion areas = m_pending;
    m_pending = QRegion();
    const auto draw = [this, &areas] {
        QPainter painter(&m_frame);
        if (m_layers.empty()) {
            painter.fillRect(rect(), palette().window());
            return;
        }
        // Each area on its own, with a plain rectangle clip: only the objects reaching into it
        // are drawn. The base movie's stage rules: upper layers are drawn under its "show all".
        const QRectF stage = m_layers.begin()->second->playback.movie().stage;
        for (const QRect &area : areas) {
            painter.setClipRect(area);
            bool first = true;
            for (const auto &[number, layer] : m_layers) {
                if (first)
                    layer->playback.paint(painter, target());
                else
                    layer->playback.paintOver(painter, stage, target());
                first = false;
            }
        }
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
    catchUp();
    m_pending = rect();
    update();
    restartTimer();
}

void TShockwaveFlash::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

void TShockwaveFlash::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return QWidget::timerEvent(event);
    if (!isVisible()) {
        m_timer.stop();
        return;
    }
    catchUp();
}
