#include "tools/artwork/ink.h"

#include "tools/artwork/lettering.h"

#include <QFont>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace artwork::ink {

QImage canvas(QSize size, int scale, const QColor &paper)
{
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(paper);
    return image;
}

QPen pen(const QColor &colour, double width, Qt::PenStyle style)
{
    return QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
}

void writeOnSkin(QPainter &p, const QPainterPath &glyphs, const QColor &colour, double penWidth,
                 double halo)
{
    p.setPen(pen(Skin, halo));
    p.setBrush(Skin);
    p.drawPath(glyphs);
    p.setPen(pen(colour, penWidth));
    p.setBrush(colour);
    p.drawPath(glyphs);
}

QPainterPath glyphs(const QString &text, int pixelSize, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, Lettering::face(pixelSize), Lettering::write(text));
    path.translate(centre - path.boundingRect().center());
    return path;
}

double length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

QPointF nearest(const QRectF &box, QPointF p)
{
    return {std::clamp(p.x(), box.left(), box.right()), std::clamp(p.y(), box.top(), box.bottom())};
}

QPointF unit(QPointF v, QPointF ifNone)
{
    const double size = length(v);
    return size > 0 ? v / size : ifNone;
}

bool discInside(const QPainterPath &shape, QPointF centre, double radius)
{
    if (!shape.contains(centre))
        return false;
    for (int k = 0; k < 8; ++k) {
        const double a = M_PI / 4 * k;
        if (!shape.contains(centre + QPointF(std::cos(a), std::sin(a)) * radius))
            return false;
    }
    return true;
}

QPointF rotated(QPointF v, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    return {v.x() * std::cos(a) - v.y() * std::sin(a), v.x() * std::sin(a) + v.y() * std::cos(a)};
}

} // namespace artwork::ink
