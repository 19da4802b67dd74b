#include "framecompare.h"

#include "movie/displaylist.h"
#include "movie/framepainter.h"
#include "movie/swfreader.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The tolerance. A tile is 16 × 16 pixels. Two players that agree may still differ by
// - one screen pixel of shift: their edges round to pixels differently. Each pixel is therefore
//   matched against the 3 × 3 neighbourhood of the same place in the other picture: it must lie
//   within the range of colours found there, give or take StrayLevels. Checked both ways, so that
//   a thin line missing on either side is found;
// - antialiasing: an edge pixel is a mix of the colours on either side, by a coverage that each
//   player reckons its own way (or not at all, at Flash's low quality). A mix of two neighbours
//   lies within their range. Where two fills of one shape share an edge, though, we antialias
//   each on its own and a little of what lies below shows through along the edge: a mix of three
//   colours that may lie outside the range. So a tile may hold StrayPixels such pixels, one row
//   of an edge across it, and fails with more;
// - the mean colour of a tile, by an edge moved by one pixel across the whole tile: one of its 16
//   columns changes colour, at most 255 / 16 = 16 levels, so MeanLevels is 18.
constexpr int Tile = 16;
constexpr int StrayLevels = 40;
constexpr int StrayPixels = 16;
constexpr double MeanLevels = 18;

using Rgb = std::array<int, 3>;

Rgb rgbAt(const QImage &image, int x, int y)
{
    const QRgb p = reinterpret_cast<const QRgb *>(image.constScanLine(y))[x];
    return {qRed(p), qGreen(p), qBlue(p)};
}

// How far `colour` lies outside the range of colours in the 3 × 3 neighbourhood of (x, y).
int strayDistance(const Rgb &colour, const QImage &other, int x, int y)
{
    Rgb low{255, 255, 255}, high{0, 0, 0};
    for (int ny = std::max(0, y - 1); ny <= std::min(other.height() - 1, y + 1); ++ny)
        for (int nx = std::max(0, x - 1); nx <= std::min(other.width() - 1, x + 1); ++nx) {
            const Rgb c = rgbAt(other, nx, ny);
            for (int i = 0; i < 3; ++i) {
                low[i] = std::min(low[i], c[i]);
                high[i] = std::max(high[i], c[i]);
            }
        }
    int distance = 0;
    for (int i = 0; i < 3; ++i)
        distance = std::max({distance, low[i] - colour[i], colour[i] - high[i]});
    return distance;
}

QImage opaque(const QImage &image)
{
    // Pictures with transparency are seen over white, as a player's page shows them.
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

} // namespace

QImage renderStage(const QByteArray &swf, int frames)
{
    const movie::Movie movie = movie::readSwf(swf);
    const QSize size(int(std::lround(movie.stage.width() / 20)),
                     int(std::lround(movie.stage.height() / 20)));
    QImage image(size.expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    if (movie.isEmpty())
        return image;
    movie::ListCounts counts;
    movie::DisplayList list(movie, movie.timeline, 0, counts);
    movie::DirtyArea ignored;
    for (int frame = 1; frame < frames; ++frame)
        list.advance(QTransform(), ignored);
    // Drawn twice, as the player draws a frame that stands still: the second time from the
    // pictures and outlines its cache kept.
    movie::FrameCache cache;
    QPainter painter(&image);
    for (int time = 0; time < 2; ++time)
        movie::paintFrame(painter, movie, list, QRectF(QPointF(0, 0), size), &cache);
    return image;
}

QString FrameDifference::describe() const
{
    return QStringLiteral("%1 of %2 tiles differ; worst tile at (%3,%4): mean off by %5 levels, "
                          "%6 stray pixels")
        .arg(failedTiles)
        .arg(tiles)
        .arg(worstTile.x())
        .arg(worstTile.y())
        .arg(worstMean, 0, 'f', 1)
        .arg(worstStray);
}

FrameDifference compareFrames(const QImage &oursIn, const QImage &expectedIn)
{
    FrameDifference result;
    if (oursIn.size() != expectedIn.size() || oursIn.isNull()) {
        result.failedTiles = 1;
        return result;
    }
    const QImage ours = opaque(oursIn);
    const QImage expected = opaque(expectedIn);
    double worstScore = -1;
    for (int ty = 0; ty < ours.height(); ty += Tile)
        for (int tx = 0; tx < ours.width(); tx += Tile) {
            std::array<double, 3> sumOurs{}, sumExpected{};
            int stray = 0, pixels = 0;
            for (int y = ty; y < std::min(ty + Tile, ours.height()); ++y)
                for (int x = tx; x < std::min(tx + Tile, ours.width()); ++x) {
                    const Rgb a = rgbAt(ours, x, y);
                    const Rgb b = rgbAt(expected, x, y);
                    for (int i = 0; i < 3; ++i) {
                        sumOurs[size_t(i)] += a[size_t(i)];
                        sumExpected[size_t(i)] += b[size_t(i)];
                    }
                    if (strayDistance(a, expected, x, y) > StrayLevels
                        || strayDistance(b, ours, x, y) > StrayLevels)
                        ++stray;
                    ++pixels;
                }
            double mean = 0;
            for (size_t i = 0; i < 3; ++i)
                mean = std::max(mean, std::abs(sumOurs[i] - sumExpected[i]) / pixels);
            ++result.tiles;
            const bool failed = mean > MeanLevels || stray > StrayPixels;
            result.failedTiles += failed;
            const double score = mean / MeanLevels + double(stray) / StrayPixels;
            if (score > worstScore) {
                worstScore = score;
                result.worstMean = mean;
                result.worstStray = stray;
                result.worstTile = {tx, ty};
            }
        }
    return result;
}
