#pragma once

// The animation panel's player: our stand-in for the Flash control. It takes one request,
// LoadMovie(layer, path), and shows what its movie::Player plays in its rectangle, the whole
// stage fitted in ("show all"), antialiased, repeating at the movie's frame rate. A missing or
// unreadable file is nothing to show. Nothing in a movie is ever run or fetched, whatever a
// stored AllowScriptAccess would say: a movie must not act on the machine.
//
// While hidden the player is stopped: no timer, no drawing, yet it keeps its place in time, so
// shown again the panel shows the frame that playing on would have reached. Only the part of a
// frame that changed is repainted, so the controls in front of it are left alone when nothing
// under them moves.

#include "movie/player.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

class TShockwaveFlash : public QWidget
{
    Q_OBJECT
public:
    explicit TShockwaveFlash(QWidget *parent = nullptr);
    ~TShockwaveFlash() override;

    // Loads the movie at `url` (a local path or a file: URL) into `layer`: layer 0 is the base
    // movie, whose stage, background and frame rate rule; higher layers are drawn above it; an
    // empty url empties the layer. Succeeds whenever the request is accepted, whatever the file
    // holds; fails only for a negative layer, with errorString() saying why.
    bool LoadMovie(int layer, const QString &url);
    QString errorString() const { return m_error; }

    // What plays, as QLabel::movie() gives its QMovie.
    movie::Player &player() { return m_player; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void frameUpdated(const QRectF &area);
    void renderPending();

    movie::Player m_player;
    QString m_error;
    QImage m_frame; // what the panel shows; only the pending areas are drawn again
    QRegion m_pending;
};
