#pragma once

// Checks that any catalogue of pictures can run before its files are written: whether two
// pictures of one catalogue can be told apart at the size the user sees them.

#include <QImage>
#include <QList>
#include <QStringList>

namespace artwork {

// When one pixel of two pictures counts as plainly different: its colours lie more than `step`
// apart, measured as the sum of the red, green and blue differences, or as the largest of them.
struct PixelStep
{
    enum class Measure { Sum, Largest };
    int step = 120;
    Measure measure = Measure::Sum;
};

// How many pixels of two pictures differ plainly. Pictures of different sizes are compared over
// the rows and columns they share.
int visibleDifference(const QImage &a, const QImage &b, PixelStep step = {});

struct LookAlike
{
    qsizetype first = 0, second = 0; // indexes into the list, first < second
    int differingPixels = 0;
};

// Every pair of `pictures` that differs in fewer than `minimumPixels` plainly differing pixels,
// in index order.
QList<LookAlike> findLookAlikes(const QList<QImage> &pictures, int minimumPixels,
                                PixelStep step = {});

// The same pairs as messages: `message` gets the two pictures' names as %1 and %2 and the
// differing pixels as %3.
QStringList describeLookAlikes(const QStringList &names, const QList<QImage> &pictures,
                               int minimumPixels, PixelStep step, const QString &message);

// What is wrong with `finer`, the drawing of `name` at twice its size: nothing when it is exactly
// twice as large and, halved, shows what the picture shows (no more than one pixel in a hundred
// plainly different).
QStringList checkFinerDrawing(const QImage &picture, const QImage &finer, const QString &name);

} // namespace artwork
