#pragma once

// Draws a display list with QPainter: shapes as their prebuilt paths, antialiased, under the
// objects' matrices and colour transforms; masks (clip depths) clip the depths they cover.

#include "movie/displaylist.h"
#include "movie/swf.h"

#include <QPen>

#include <map>

class QPainter;

namespace movie {

// What the drawing of one movie keeps from one frame to the next: the picture of each shape on
// the main timeline that stands still, drawn once over nothing at its place on the device, so
// that a frame redrawn around something that moves puts it down in one blend instead of
// rasterizing it again. A shape is kept from its second drawing unchanged on (a shape that moves
// every frame is never kept); a change of its character, matrix or colour transform, or of the
// device transform, lets it go. Blending a kept picture differs from drawing the shape by the
// rounding of one 8-bit step at most in each channel.
//
// The background with every kept picture over it is kept too, as the underlay: where the lowest
// objects reaching into an area are all kept, the area is copied from it, and only what lies
// above them is drawn.
class FrameCache
{
public:
    void clear();

    // The outline of `path`, a shape's stroke, as `pen` (non-cosmetic, its width in the shape's
    // units) draws it: made once and filled from then on, the same stroke without its making.
    // `path` must live as long as the cache, as a movie's shapes do.
    const QPainterPath &strokeOutline(const QPainterPath &path, const QPen &pen);

private:
    friend struct CachedDrawing;
    struct Entry
    {
        const Character *character = nullptr;
        QTransform transform;
        ColorTransform colorTransform;
        qint64 firstPaint = 0; // the drawing in which it was first seen as it is
        QImage picture;        // null until kept
        QPoint at;             // its top left in the device's own pixels
    };
    QTransform m_toDevice;
    std::map<int, Entry> m_entries; // by depth
    struct OutlineKey
    {
        const QPainterPath *path;
        qreal width;
        int cap, join;
        qreal miterLimit;
        auto operator<=>(const OutlineKey &) const = default;
    };
    std::map<OutlineKey, QPainterPath> m_outlines;
    qint64 m_paints = 0;
    qint64 m_keptPixels = 0;
    qint64 m_keptVersion = 0; // counts each picture kept or let go
    QImage m_underlay;
    qint64 m_underlayVersion = -1;
    QRectF m_underlayTarget;
    QColor m_underlayBackground;
    qreal m_underlayRatio = 0;
};

// "Show all": the whole stage fitted into `target`, proportions kept, centred.
QTransform showAllTransform(const QRectF &stage, const QRectF &target);

// The stage's background over `target`, then the display list clipped to the stage.
void paintFrame(QPainter &painter, const Movie &movie, const DisplayList &list,
                const QRectF &target, FrameCache *cache = nullptr);

// The display list alone under `toDevice`, clipped to `clip` (device), over what is there.
void paintObjects(QPainter &painter, const Movie &movie, const DisplayList &list,
                  const QTransform &toDevice, const QRectF &clip, FrameCache *cache = nullptr);

} // namespace movie
