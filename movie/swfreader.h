#pragma once

// Reads a SWF movie from bytes: "FWS" (plain) or "CWS" (zlib). It never throws and never trusts a
// count or a length in the file: what it can't read is left out and named in Movie::problems. A
// movie without a single frame is empty (nothing to show).
//
// Static text (DefineText and DefineText2, with the glyphs of DefineFont, DefineFont2 or
// DefineFont3) becomes a shape of its glyphs. Bitmaps come from DefineBitsLossless 1 and 2,
// DefineBitsJPEG2, 3 and 4 (a JPEG, or a PNG or GIF), and DefineBits with the movie's JPEGTables. A
// button shows its up state. A morph (DefineMorphShape, DefineMorphShape2) is drawn at the ratio
// its placing gives. Scripts, sounds, edit text and filters are passed over; nothing in a movie
// is run and nothing is fetched.

#include "movie/swf.h"

#include <QByteArrayView>
#include <QLoggingCategory>

namespace movie {

// Why a movie was read in part or not at all ("lorvex.swf"): each of Movie::problems as a warning.
Q_DECLARE_LOGGING_CATEGORY(lcSwf)

// Hostile files are bounded here.
struct ReadLimits
{
    qsizetype maxUncompressed = 64 * 1024 * 1024; // a zlib bomb inflates no further
    int maxEdgesPerShape = 200000;                // each further edge is dropped
    int maxEdgesPerMovie = 1000000;               // shapes after the budget are left empty
    int maxStylesPerShape = 4096;
    qint64 maxBitmapPixels = 2048 * 2048;   // larger bitmaps are passed over...
    qint64 maxPixelsPerMovie = 4096 * 2048; // ...and so are bitmaps beyond this sum
};

// `name` (a file's path, say) heads what is logged of its problems.
Movie readSwf(QByteArrayView bytes, const ReadLimits &limits = {}, const QString &name = {});

} // namespace movie
