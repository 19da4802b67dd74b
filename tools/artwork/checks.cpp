#include "tools/artwork/checks.h"

#include <algorithm>
#include <cstdlib>

namespace artwork {

int VisibleDifference(const QImage &a, const QImage &b, int tolerance)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(x.width(), y.width());
    const int height = std::min(x.height(), y.height());
    int count = 0;
    for (int row = 0; row < height; ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < width; ++column) {
            const int d = std::abs(qRed(p[column]) - qRed(q[column]))
                          + std::abs(qGreen(p[column]) - qGreen(q[column]))
                          + std::abs(qBlue(p[column]) - qBlue(q[column]));
            if (d > tolerance)
                ++count;
        }
    }
    return count;
}

QList<LookAlike> FindLookAlikes(const QList<QImage> &pictures, int minimumPixels, int tolerance)
{
    QList<LookAlike> out;
    for (qsizetype i = 0; i < pictures.size(); ++i)
        for (qsizetype j = i + 1; j < pictures.size(); ++j) {
            const int d = VisibleDifference(pictures.at(i), pictures.at(j), tolerance);
            if (d < minimumPixels)
                out.append({i, j, d});
        }
    return out;
}

} // namespace artwork
