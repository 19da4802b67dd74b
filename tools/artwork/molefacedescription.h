#pragma once

// The face-mole description language of tools/artwork/README.md: one line per picture, naming
// the view and where its moles lie. Patterns (rows, rings, grids, scatters) are worked out into
// single moles here, and every mole is checked against its place and the outline, so that a
// mistake stops the run with a message naming the line, the item and the statement.

#include "tools/artwork/checks.h"
#include "tools/artwork/moleface.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace artwork {

struct FaceParse
{
    QList<FacePicture> pictures; // in file order
    QStringList errors;          // "FILE:LINE: gNN: what, in "statement""
};

// Reads every line, then refuses two different places whose moles, in any two pictures of one
// view, lie closer than PlacesApart: at real size the reader could not tell which is meant.
FaceParse ParseFaceDescriptions(const QString &text, const QString &fileName);

inline constexpr double PlacesApart = 4.0;
QStringList PlacesTooClose(const QList<FacePicture> &pictures, const QString &fileName);

// A plain difference in any colour channel; JPEG noise stays far below it.
inline constexpr PixelStep FacePixelStep{60, PixelStep::Measure::Largest};

// Two pictures whose moles differ by fewer pixels than a reader could see at real size.
// Returns one message per such pair.
QStringList SimilarFacePictures(const QList<std::pair<QString, QImage>> &pictures);

} // namespace artwork
