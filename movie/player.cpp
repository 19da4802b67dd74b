#include "movie/player.h"

#include "movie/framepainter.h"
#include "movie/playback.h"
#include "movie/swfreader.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRegion>
#include <QTimerEvent>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace movie {

namespace {

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

std::shared_ptr<const Movie> readMovie(const QString &url, const QString &path)
{
    if (url.isEmpty())
        return nullptr; // an empty request empties the layer: nothing to say
    const QFileInfo info(path);
    // Only a regular file: a pipe or a device would block or never end.
    if (path.isEmpty() || !info.isFile() || info.size() > Player::MaxFileSize) {
        qCWarning(lcSwf, "%s not read: %s", qUtf8Printable(url),
                  path.isEmpty()   ? "not a local file"
                  : !info.exists() ? "no such file"
                  : !info.isFile() ? "not a regular file"
                                   : "larger than a movie may be");
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSwf, "%s not read: %s", qUtf8Printable(path),
                  qUtf8Printable(file.errorString()));
        return nullptr;
    }
    const QByteArray bytes = file.read(Player::MaxFileSize);
    auto read = std::make_shared<Movie>(readSwf(bytes, {}, path));
    return read->isEmpty() ? nullptr : read;
}

} // namespace

struct Player::Layer
{
    Playback playback;
    qint64 startMs = 0;
};

Player::Player(QObject *parent)
    : QObject(parent)
{
    m_elapsed.start();
    m_clock = [this] {
        return m_elapsed.elapsed();
    };
}

Player::~Player() = default;

bool Player::load(int layer, const QString &url)
{
    if (layer < 0)
        return false;
    m_layers.erase(layer);
    if (auto read = readMovie(url, localPath(url)))
        m_layers[layer].reset(new Layer{Playback(std::move(read)), m_clock()});
    restartTimer();
    return true;
}

QRectF Player::stage() const
{
    return m_layers.empty() ? QRectF() : m_layers.begin()->second->playback.movie().stage;
}

qreal Player::frameRate() const
{
    if (m_layers.empty())
        return 0;
    return std::min(m_layers.begin()->second->playback.movie().frameRate, MaxFrameRate);
}

qint64 Player::currentFrameNumber() const
{
    return m_layers.empty() ? 0 : m_layers.begin()->second->playback.tick();
}

void Player::setClock(Clock clock)
{
    m_clock = std::move(clock);
    const qreal rate = std::max<qreal>(1, frameRate());
    for (auto &[number, layer] : m_layers)
        layer->startMs = m_clock() - qint64(std::ceil(layer->playback.tick() * 1000 / rate));
}

void Player::start()
{
    m_started = true;
    catchUp();
    restartTimer();
}

void Player::stop()
{
    m_started = false;
    m_timer.stop();
}

bool Player::animates() const
{
    return std::any_of(m_layers.begin(), m_layers.end(),
                       [](const auto &layer) { return layer.second->playback.animates(); });
}

void Player::restartTimer()
{
    m_timer.stop();
    const qreal rate = frameRate();
    if (m_started && animates() && rate > 0)
        m_timer.start(std::max(1, int(std::lround(1000 / rate))), Qt::CoarseTimer, this);
}

// Brings every layer to the frame the clock has reached and says where the drawing changed.
void Player::catchUp()
{
    const qreal rate = frameRate();
    if (rate <= 0)
        return;
    const qint64 now = m_clock();
    std::vector<QRectF> changed;
    for (auto &[number, layer] : m_layers) {
        const qint64 tick = qint64(std::floor((now - layer->startMs) * rate / 1000));
        const std::vector<QRectF> areas = layer->playback.advanceTo(tick);
        changed.insert(changed.end(), areas.begin(), areas.end());
    }
    if (m_timer.isActive() && !animates())
        m_timer.stop(); // every timeline has stopped for good
    for (const QRectF &area : changed)
        emit updated(area);
}

void Player::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return QObject::timerEvent(event);
    catchUp();
}

void Player::paint(QPainter &painter, const QRectF &target, const QRegion &areas) const
{
    if (m_layers.empty())
        return;
    const QRectF base = stage();
    for (const QRect &area : areas) {
        painter.setClipRect(area);
        bool first = true;
        for (const auto &[number, layer] : m_layers) {
            if (first)
                layer->playback.paint(painter, target);
            else
                layer->playback.paintOver(painter, base, target);
            first = false;
        }
    }
}

} // namespace movie
