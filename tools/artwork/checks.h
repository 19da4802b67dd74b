#pragma once

// Checks that any catalogue of pictures can run before its files are written: whether two
// pictures of one catalogue can be told apart at the size the user sees them.

#include <QImage>
#include <QList>

namespace artwork {

// How many pixels of two pictures differ plainly: by more than `tolerance` summed over red,
// green and blue. Pictures of different sizes are compared over the rows and columns they share.
int VisibleDifference(const QImage &a, const QImage &b, int tolerance = 120);

struct LookAlike
{
    qsizetype first = 0, second = 0; // indexes into the list, first < second
    int differingPixels = 0;
};

// Every pair of `pictures` that differs in fewer than `minimumPixels` plainly differing pixels,
// in index order.
QList<LookAlike> FindLookAlikes(const QList<QImage> &pictures, int minimumPixels,
                                int tolerance = 120);

} // namespace artwork
