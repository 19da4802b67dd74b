#pragma once

// Draws a display list with QPainter: shapes as their prebuilt paths, antialiased, under the
// objects' matrices and colour transforms; masks (clip depths) clip the depths they cover.

#include "movie/displaylist.h"
#include "movie/swf.h"

class QPainter;

namespace movie {

// "Show all": the whole stage fitted into `target`, proportions kept, centred.
QTransform showAllTransform(const QRectF &stage, const QRectF &target);

// The stage's background over `target`, then the display list clipped to the stage.
void paintFrame(QPainter &painter, const Movie &movie, const DisplayList &list,
                const QRectF &target);

// The display list alone under `toDevice`, clipped to `clip` (device), over what is there.
void paintObjects(QPainter &painter, const Movie &movie, const DisplayList &list,
                  const QTransform &toDevice, const QRectF &clip);

} // namespace movie
