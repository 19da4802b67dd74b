#pragma once

// Review sheets: PNG pages on which a person checks pictures against their texts. They are made
// on demand and never shipped.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace artwork {

struct ReviewEntry
{
    QImage image;
    QString title; // e.g. "Image12"
    QString text;  // the full text the picture goes with
    QImage finer;  // its drawing at twice the size; when null, the picture doubled pixel by pixel
};

// Writes DIRECTORY/BASE-NN.png, `perSheet` entries to a sheet, one row each: the picture at real
// size, at twice its size as a finer screen shows it, and the title and whole text wrapped beside
// them in a Song face. Returns the files written; empty when one could not be written.
QStringList writeReviewSheets(const QList<ReviewEntry> &entries, const QString &directory,
                              const QString &baseName, int perSheet = 8);

// The slots of one catalogue page as the program shows them.
struct PageGrid
{
    int columns = 4;
    int rows = 2;
    QSize slot{100, 142}; // a picture larger than its slot is cut at the right and bottom
    int gap = 1;          // pixels between neighbouring slots
};

// Writes DIRECTORY/BASE-pN.png, one real-size sheet per page of `grid`, the entries filling the
// slots row by row, with "BASE N/M" above the slots. Returns the files written; empty on failure.
QStringList writePageSheets(const QList<ReviewEntry> &entries, const QString &directory,
                            const QString &baseName, const PageGrid &grid);

} // namespace artwork
