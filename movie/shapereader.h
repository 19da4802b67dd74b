#pragma once

#include "movie/bitreader.h"
#include "movie/swf.h"

namespace movie {

// Reads the SHAPEWITHSTYLE of DefineShape `version` (1 to 4; the shape id is already read) and
// builds it into paths once: each fill's edges, whether the fill lies on their left (fill0) or
// their right (fill1), are joined into closed contours per fill; each line style's edges into one
// stroke path. Reading stops after `edgeBudget` edges.
Shape ReadShape(BitReader &in, int version, int edgeBudget, int maxStyles);

// Stops in sRGB that follow a gradient interpolated in linear light.
QGradientStops LinearRgbStops(const QGradientStops &stops);

} // namespace movie
