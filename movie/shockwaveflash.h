#pragma once

// The animation panel's player: our stand-in for the Flash control. It takes one request,
// LoadMovie(layer, path), reads that one local file and plays the movie in its rectangle, the
// whole stage fitted in ("show all"), antialiased, repeating at the movie's frame rate. A
// missing or unreadable file is nothing to show. Nothing in a movie is ever run or fetched,
// whatever a stored AllowScriptAccess would say: a movie must not act on the machine.
//
// While hidden it draws nothing and sets no timer, yet keeps its place in time: shown again, it
// shows the frame that playing on would have reached. Only the part of a frame that changed is
// repainted, so the controls in front of it are left alone when nothing under them moves.

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

namespace movie {
class Playback;
}

class TShockwaveFlash : public QWidget
{
    Q_OBJECT
public:
    // Larger files are not movies for us.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    explicit TShockwaveFlash(QWidget *parent = nullptr);
    ~TShockwaveFlash() override;

    // Loads the movie at `url` (a local path or a file: URL) into `layer`: layer 0 is the base
    // movie, whose stage, background and frame rate rule; higher layers are drawn above it; an
    // empty url empties the layer. Succeeds whenever the request is accepted, whatever the file
    // holds; fails only for a negative layer, with errorString() saying why.
    bool LoadMovie(int layer, const QString &url);
    QString errorString() const { return m_error; }

    // Milliseconds since an arbitrary start; tests put a clock of their own here.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);

    // Whether a frame timer is running (never while hidden or with nothing that moves).
    bool isTicking() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    struct Layer;
    void catchUp();
    void renderPending();
    void restartTimer();
    qreal frameRate() const;
    QRectF target() const;

    std::map<int, std::unique_ptr<Layer>> m_layers;
    Clock m_clock;
    QElapsedTimer m_elapsed;
    QBasicTimer m_timer;
    QString m_error;
    QImage m_frame; // what the panel shows; only the pending areas are drawn again
    QRegion m_pending;
};
