#pragma once

// The movie player, as QMovie is for a label: it owns the files it was asked to load, their
// layers, the clock and the current frame, and says when a new frame is ready and where it
// changed; whoever shows it asks it to paint. No widgets here.
//
// The clock counts whole frames at the base movie's rate from the moment a movie is loaded.
// Stopped (the panel hidden), it does nothing at all, no timer and no drawing, yet the movie keeps
// its place in time: started again, it stands at the frame that playing on would have reached.

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QRectF>

#include <functional>
#include <map>
#include <memory>

class QPainter;
class QRegion;

namespace movie {

class Playback;

class Player : public QObject
{
    Q_OBJECT
public:
    // Running: the frame timer runs, so something on stage moves and the player was started.
    enum class State { NotRunning, Running };
    Q_ENUM(State)
    // Larger files are not movies for us.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    // Faster movies play at this rate: more would only cost.
    static constexpr qreal MaxFrameRate = 60;

    explicit Player(QObject *parent = nullptr);
    ~Player() override;

    // Reads the movie at `url`, a local path or a file: URL (no other address is fetched), into
    // `layer`: layer 0 is the base movie, whose stage, background and frame rate rule, and higher
    // layers are drawn above it under its stage. A missing, unreadable or empty url empties the
    // layer. Fails only for a negative layer.
    bool load(int layer, const QString &url);

    // Whether any layer holds a movie.
    bool hasMovie() const { return !m_layers.empty(); }
    // The base movie's stage (twips), empty without one.
    QRectF stage() const;

    // Plays: the frame the clock has reached is made current at once, then one frame at a time
    // while anything moves. Stop halts the timer; the clock runs on.
    void start();
    void stop();
    State state() const { return m_timer.isActive() ? State::Running : State::NotRunning; }

    // Frames since the base movie was loaded, not wrapped at its end.
    qint64 currentFrameNumber() const;

    // Milliseconds since an arbitrary start; tests put a clock of their own here. The current
    // frame stays where it is.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);

    // The current frame, its stage fitted into `target` ("show all") over the base movie's
    // background, drawn only inside `areas` (device): each area on its own, with a plain
    // rectangle clip, so only the objects reaching into it are drawn.
    void paint(QPainter &painter, const QRectF &target, const QRegion &areas) const;

signals:
    // A new frame is current and its drawing changed inside `area` (stage twips); emitted once
    // for each area that changed.
    void updated(const QRectF &area);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    struct Layer;
    qreal frameRate() const;
    void restartTimer();
    bool animates() const;
    void catchUp();

    std::map<int, std::unique_ptr<Layer>> m_layers;
    Clock m_clock;
    QElapsedTimer m_elapsed;
    QBasicTimer m_timer;
    bool m_started = false;
};

} // namespace movie
