#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// "rili.swf": the first tab's movie, 705 × 437. A taiji turns slowly inside a ring of the eight
// trigrams, a ring of gold beads turns the other way, and auspicious clouds drift along the top
// and the bottom; all of it in the part of the stage that the form in front leaves open (right of
// x 216 and below y 111; right of x 68 at the bottom). Ten seconds at 10 frames a second, and the
// last frame leads into the first without a seam.
QByteArray makeRili();

// Small movies, one per tag and fill kind the player reads: the fuzzer's seeds.
QList<QByteArray> makeSeeds();

// The test movies of tst_swfsamples by name ("ours_fills", ...), whose expected pictures Ruffle
// draws (tools/swfjudge).
QList<std::pair<QString, QByteArray>> makeTestMovies();

// The gradient movies among them ("ours_grad_unordered", ...): one for each way a gradient may be
// written.
QList<std::pair<QString, QByteArray>> makeGradientMovies();

// The morph movie: shape tweens at several ratios, moved to a new ratio by a later placing.
QList<std::pair<QString, QByteArray>> makeMorphMovies();

// The blend mode movie: shapes and sprites put down by each blend mode over stripes.
QList<std::pair<QString, QByteArray>> makeBlendMovies();

// The text movie: glyphs of each font format in both static text tags. Needs a QGuiApplication.
QList<std::pair<QString, QByteArray>> makeTextMovies();
