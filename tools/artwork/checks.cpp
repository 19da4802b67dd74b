#include "tools/artwork/checks.h"

#include <algorithm>
#include <cstdlib>

namespace artwork {

int visibleDifference(const QImage &a, const QImage &b, PixelStep step)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(x.width(), y.width());
    const int height = std::min(x.height(), y.height());
    const bool largest = step.measure == PixelStep::Measure::Largest;
    int count = 0;
    for (int row = 0; row < height; ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < width; ++column) {
            const int red = std::abs(qRed(p[column]) - qRed(q[column]));
            const int green = std::abs(qGreen(p[column]) - qGreen(q[column]));
            const int blue = std::abs(qBlue(p[column]) - qBlue(q[column]));
            const int d = largest ? std::max({red, green, blue}) : red + green + blue;
            if (d > step.step)
                ++count;
        }
    }
    return count;
}

QList<LookAlike> findLookAlikes(const QList<QImage> &pictures, int minimumPixels, PixelStep step)
{
    QList<LookAlike> out;
    for (qsizetype i = 0; i < pictures.size(); ++i)
        for (qsizetype j = i + 1; j < pictures.size(); ++j) {
            const int d = visibleDifference(pictures.at(i), pictures.at(j), step);
            if (d < minimumPixels)
                out.append({i, j, d});
        }
    return out;
}

QStringList describeLookAlikes(const QStringList &names, const QList<QImage> &pictures,
                               int minimumPixels, PixelStep step, const QString &message)
{
    QStringList out;
    for (const LookAlike &pair : findLookAlikes(pictures, minimumPixels, step))
        out.append(
            message.arg(names.at(pair.first), names.at(pair.second)).arg(pair.differingPixels));
    return out;
}

namespace {

// Each 2 × 2 block of `finer` averaged into one pixel.
QImage halved(const QImage &finer)
{
    const QImage x = finer.convertToFormat(QImage::Format_RGB32);
    QImage out(x.width() / 2, x.height() / 2, QImage::Format_RGB32);
    for (int row = 0; row < out.height(); ++row) {
        const auto *a = reinterpret_cast<const QRgb *>(x.constScanLine(2 * row));
        const auto *b = reinterpret_cast<const QRgb *>(x.constScanLine(2 * row + 1));
        auto *o = reinterpret_cast<QRgb *>(out.scanLine(row));
        for (int column = 0; column < out.width(); ++column) {
            const QRgb q[4] = {a[2 * column], a[2 * column + 1], b[2 * column], b[2 * column + 1]};
            const auto mean = [&q](int (*channel)(QRgb)) {
                return (channel(q[0]) + channel(q[1]) + channel(q[2]) + channel(q[3]) + 2) / 4;
            };
            o[column] = qRgb(mean(qRed), mean(qGreen), mean(qBlue));
        }
    }
    return out;
}

} // namespace

QStringList checkFinerDrawing(const QImage &picture, const QImage &finer, const QString &name)
{
    if (finer.size() != picture.size() * 2)
        return {QStringLiteral("%1: the finer drawing is %2 × %3, not twice %4 × %5")
                    .arg(name)
                    .arg(finer.width())
                    .arg(finer.height())
                    .arg(picture.width())
                    .arg(picture.height())};
    const int differing
        = visibleDifference(picture, halved(finer), {96, PixelStep::Measure::Largest});
    const int allowed = picture.width() * picture.height() / 100;
    if (differing > allowed)
        return {QStringLiteral("%1: the finer drawing, halved, differs from the picture in %2 "
                               "pixels (at most %3)")
                    .arg(name)
                    .arg(differing)
                    .arg(allowed)};
    return {};
}

} // namespace artwork
