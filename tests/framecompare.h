#pragma once

// Our frame beside another player's picture of it, compared tile by tile.

#include <QImage>
#include <QPoint>
#include <QString>

// Frame `frames` (1: the first) of a movie, drawn at its stage size: one pixel per 20 twips, as
// the player draws it again while it stands still.
QImage renderStage(const QByteArray &swf, int frames);

struct FrameDifference
{
    int tiles = 0;
    int failedTiles = 0;
    double worstMean = 0; // the largest difference of a tile's mean colour, in levels of 255
    int worstStray = 0;   // the most pixels of one tile with no match near them
    QPoint worstTile;     // top left of the worst tile

    bool passes() const { return tiles > 0 && failedTiles == 0; }
    QString describe() const;
};

FrameDifference compareFrames(const QImage &ours, const QImage &expected);
