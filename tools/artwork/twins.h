#pragma once

// The Traditional twins of the pictures that carry words, drawn in each edition's face whether
// their words change or not; where Taiwan's and Hong Kong's drawings come out the same, one twin
// serves both. The twins stand beside the
// Simplified pictures under assets/pictures, named as the program looks them up:
//
//     hant/palm/Image12.jpg      both Traditional editions
//     hant-tw/chart/i2.jpg       Taiwan only, where Hong Kong's differs
//     hant-hk/chart/i2.jpg       Hong Kong only
//
// each with its finer drawing NAME@2x.jpg beside it.

#include "text/hanconvert.h"
#include "tools/artwork/palmdescription.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace artwork {

// A picture that may carry words: its name under assets/pictures without ".jpg" ("palm/Image12"),
// its drawing at a scale and the rules it keeps (empty when it has none of its own). Both are
// called under the lettering of the edition being drawn.
struct WordedPicture
{
    QString name;
    std::function<QImage(int scale)> draw;
    std::function<QStringList()> check;
};

struct Twin
{
    QString name; // "hant/palm/Image12", "hant-tw/chart/i2"
    QList<text::Edition> editions;
    QImage picture, finer;
};

struct TwinSet
{
    QList<Twin> twins;
    // The pictures' own rules as the twins break them, the finer drawings' and the lettering's
    // (a Simplified-only character, a character without a glyph in the edition's face).
    QStringList problems;
    // Every word drawn in a twin as the Simplified pictures write it, and as the twin does.
    QStringList words, written;
};

TwinSet drawTwins(const QList<WordedPicture> &pictures);

// Every picture the tool draws words in, or could: the palm pictures described (a `label` writes
// a palace's name), the two palm charts, the body moles and Image218. The face moles have none.
QList<WordedPicture> wordedPictures(const QList<PalmPicture> &palms);

// Review sheets DIRECTORY/hant-NN.png, `perSheet` pictures to a sheet: each picture with a twin as
// the Simplified edition shows it, then Taiwan's and Hong Kong's, at real size and then at twice
// the size as their finer drawings. Returns the files written; empty when one could not be.
QStringList writeTwinSheets(const QList<WordedPicture> &pictures, const TwinSet &set,
                            const QString &directory, int perSheet = 6);

// The folder of twins for one edition, or for both ("hant", "hant-tw", "hant-hk").
QString twinFolder(const QList<text::Edition> &editions);

} // namespace artwork
