#include "tools/artwork/checks.h"

#include <algorithm>
#include <cstdlib>

namespace artwork {

int VisibleDifference(const QImage &a, const QImage &b, PixelStep step)
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

QList<LookAlike> FindLookAlikes(const QList<QImage> &pictures, int minimumPixels, PixelStep step)
{
    QList<LookAlike> out;
    for (qsizetype i = 0; i < pictures.size(); ++i)
        for (qsizetype j = i + 1; j < pictures.size(); ++j) {
            const int d = VisibleDifference(pictures.at(i), pictures.at(j), step);
            if (d < minimumPixels)
                out.append({i, j, d});
        }
    return out;
}

QStringList DescribeLookAlikes(const QStringList &names, const QList<QImage> &pictures,
                               int minimumPixels, PixelStep step, const QString &message)
{
    QStringList out;
    for (const LookAlike &pair : FindLookAlikes(pictures, minimumPixels, step))
        out.append(
            message.arg(names.at(pair.first), names.at(pair.second)).arg(pair.differingPixels));
    return out;
}

} // namespace artwork
