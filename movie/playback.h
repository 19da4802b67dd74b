#pragma once

// A movie playing: its display list and its place in time, counted in frames since it started;
// movie::Player keeps one for each layer and moves it on by its clock. Skipping ahead costs no
// drawing; a long skip is shortened by whole periods of the movie, after which every timeline in
// it stands where it stood.

#include "movie/displaylist.h"
#include "movie/framepainter.h"
#include "movie/swf.h"

#include <memory>

class QPainter;

namespace movie {

class Playback
{
public:
    explicit Playback(std::shared_ptr<const Movie> movie);
    ~Playback();

    const Movie &movie() const { return *m_movie; }
    qint64 tick() const { return m_tick; }

    // Whether anything in it moves from now on: a still movie, or one whose timelines have all
    // stopped, needs no clock.
    bool animates() const { return (m_period > 1 || m_period == 0) && !m_list->settled(); }

    // Plays on to frame `tick` (counted from the start, never backwards). Returns the stage areas
    // (twips) whose drawing changed, none when nothing did.
    std::vector<QRectF> advanceTo(qint64 tick);

    // The frame with its background, the stage fitted into `target`.
    void paint(QPainter &painter, const QRectF &target) const;
    // The frame alone, over what is there, under another movie's stage fitted into `target`.
    void paintOver(QPainter &painter, const QRectF &stage, const QRectF &target) const;

    // What its drawings keep from one to the next.
    const FrameCache &cache() const { return m_cache; }

private:
    // Says once, through the reader's category, that a frame placed more sprites than it may.
    void tellCut();

    std::shared_ptr<const Movie> m_movie;
    ListCounts m_counts;
    std::unique_ptr<DisplayList> m_list;
    qint64 m_tick = 0;
    qint64 m_period = 1; // 0: too long to know
    bool m_toldCut = false;
    // Kept across drawings; drawing changes nothing that is seen, so it may happen in const.
    mutable FrameCache m_cache;
};

} // namespace movie
