#pragma once

#include "movie/bitreader.h"
#include "movie/swf.h"

namespace movie {

// Reads the SHAPEWITHSTYLE of DefineShape `version` (1 to 4; the shape id is already read) and
// builds it into paths once: each fill's edges, whether the fill lies on their left (fill0) or
// their right (fill1), are joined into closed contours per fill; each line style's edges into one
// stroke path. Reading stops after `edgeBudget` edges. `fileVersion` is the movie's: bitmap fills
// are smoothed from version 8 on.
struct ShapeLimits
{
    int edgeBudget = 0;
    int maxStyles = 0;
};
Shape readShape(BitReader &in, int version, int fileVersion, const ShapeLimits &limits);

// Reads DefineMorphShape (`version` 1) or DefineMorphShape2 (2) after its id: its styles and the
// start's records, then pairs each start edge with an edge of the end shape. `edges` counts both
// (the start's stop at half the budget); `problem` says what was left out, if anything. Null when
// its styles can't be read.
std::shared_ptr<const Morph> readMorph(BitReader &in, int version, int fileVersion,
                                       const ShapeLimits &limits, int &edges, QString &problem);

// Reads a font's glyph (a SHAPE: records whose only fill, 1, is the glyph's inside) into one path
// in its font's units, and counts its edges; reading stops after `edgeBudget` edges.
QPainterPath readGlyph(BitReader &in, int edgeBudget, int &edges);

// A gradient's stops as the file gives them (ratios in 0..1, in file order, not always
// increasing) as Qt wants them: strictly increasing, with the colours Flash shows.
QGradientStops increasingStops(const QGradientStops &raw);

// Stops in sRGB that follow a gradient interpolated in linear light.
QGradientStops linearRgbStops(const QGradientStops &stops);

} // namespace movie
