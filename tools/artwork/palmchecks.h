#pragma once

// The rules a palm picture keeps before its file is written: labels on their own palace, marks on
// the hand and clear of labels, lines reaching where their description sends them, and no two
// pictures of one topic alike at real size.

#include "tools/artwork/palmdescription.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

namespace artwork {

// What is wrong with one picture as drawn, one message per broken rule, each starting
// "ImageN: RULE:" where RULE is hand, label, mark, line, branch, path or mess. Empty when all
// hold.
QStringList CheckPalmPicture(const PalmPicture &picture);

// Whether a label centred at `at` stands in `palace`'s own part of the palm: nearer to that
// palace than to any other.
bool StandsOnPalace(Palace palace, QPointF at);

struct PalmTopic
{
    const char *name; // the tab's caption
    int first, last;  // ImageFIRST … ImageLAST
};
const QList<PalmTopic> &PalmTopics();

// Pictures that differ in fewer plainly differing pixels than this cannot be told apart at real
// size.
inline constexpr int PalmLookAlikePixels = 40;
// A branch shorter than this (pixels, at real size) reads as a nick in its line, not a branch.
inline constexpr double BranchLeast = 8.0;

// "ImageN and ImageM look alike (K pixels differ)" for every pair of one topic too close to tell.
QStringList CheckPalmLookAlikes(const QHash<int, QImage> &pictures);

// Review sheets of `pictures` per topic (see reviewsheet.h): each picture beside its text from
// `texts`, with any broken rule written under it, and the topic's pages. Returns the number of
// sheets written, or -1 when one could not be written.
int WritePalmReviewSheets(const QList<PalmPicture> &pictures, const QHash<int, QString> &texts,
                          const QString &outDir);

// The analyses of an item table source: lines of the form {N, "text"},
QHash<int, QString> ReadPalmAnalyses(const QString &source);

} // namespace artwork
