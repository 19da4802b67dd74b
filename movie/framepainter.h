#pragma once

// Draws a display list with QPainter: shapes as their prebuilt paths, antialiased, under the
// objects' matrices and colour transforms; masks (clip depths) clip the depths they cover.

#include "movie/displaylist.h"
#include "movie/swf.h"

#include <QImage>
#include <QPen>

#include <array>
#include <map>
#include <set>
#include <vector>

class QPainter;

namespace movie {

// What the drawing of one movie keeps from one frame to the next: the picture of each shape on
// the main timeline that stands still, drawn once over nothing at its place on the device, so
// that a frame redrawn around something that moves puts it down in one blend instead of
// rasterizing it again. A shape is kept from its second drawing unchanged on (a shape that moves
// every frame is never kept); a change of its character, a morph's ratio, its matrix or colour
// transform, or of the device transform, lets it go. Blending a kept picture differs from drawing
// the shape by the rounding of one 8-bit step at most in each channel.
//
// The background with every kept picture over it is kept too, as the underlay: where the lowest
// objects reaching into an area are all kept, the area is copied from it, and only what lies
// above them is drawn.
//
// A shape that moves is kept too, once it comes back to a pose it was drawn in before (its exact
// matrix and colour transform on the device's pixels), as a looping movie's shapes do, or from
// its first drawing when the movie is known to loop soon (setReturning): packed
// without its transparent pixels, and with runs of one opaque colour as that colour alone, so
// that a turning wheel costs a few copies a frame instead of its rasterizing. A translucent layer
// is kept in a picture of its own, blended as drawing blends it. These pictures hold at most
// PoseBudget frame buffers' bytes together; once they are full, poses not kept are drawn.
class FrameCache
{
public:
    static constexpr int PoseBudget = 3;

    void clear();
    // Whether what is drawn comes back in later drawings, as in a movie that loops soon: poses
    // are then kept from their first drawing on, not their second.
    void setReturning(bool returning) { m_returning = returning; }
    // The bytes the pictures of poses hold now.
    qint64 poseBytes() const { return m_poseBytes; }

    // The outline of `path`, a shape's stroke, as `pen` (non-cosmetic, its width in the shape's
    // units) draws it: made once and filled from then on, the same stroke without its making.
    // `path` must live as long as the cache, as a movie's shapes do.
    const QPainterPath &strokeOutline(const QPainterPath &path, const QPen &pen);

private:
    friend struct CachedDrawing;
    struct Entry
    {
        const Character *character = nullptr;
        int ratio = 0; // a morph's
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
    // A pose, on the device's own pixels. Poses a whole number of pixels apart are one, as the
    // clouds of a row are: the transform's move is kept only in its part of a pixel.
    struct PoseKey
    {
        const Character *character;
        int ratio;                       // a morph's
        std::array<qreal, 10> transform; // and the device's pixel ratio
        std::array<int, 8> colour;
        auto operator<=>(const PoseKey &) const = default;
    };
    // A picture by rows, each a few runs of its pixels that are not transparent.
    struct PackedPicture
    {
        enum Kind : quint8 { Fill, Copy, Blend, BlendFill };
        struct Run
        {
            quint32 x : 16, length : 14;
            quint32 kind : 2; // a Kind
            quint32 value;    // Fill, BlendFill: the pixel; Copy, Blend: the first in `pixels`
        };
        static constexpr int MaxWidth = (1 << 14) - 1;
        QRect rect;                     // on the device
        std::vector<quint32> rowStarts; // each row's first run, and the end
        std::vector<Run> runs;
        std::vector<QRgb> pixels;
        qint64 bytes() const;
    };
    struct Pose
    {
        QPoint pixel; // the whole pixels of the move its pictures were drawn at
        std::vector<PackedPicture> pictures; // one for each layer or more
    };
    std::map<PoseKey, Pose> m_poses;
    std::set<PoseKey> m_posesSeen;
    qint64 m_poseBytes = 0;
    bool m_posesFull = false;
    bool m_returning = false;
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
