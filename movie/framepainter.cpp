#include "movie/framepainter.h"

#include <QPainter>
#include <QtMath>

#include <cmath>
#include <vector>

namespace movie {

namespace {

constexpr qreal GradientHalf = 16384; // the gradient square, in twips

QBrush brushFor(const FillStyle &style, const ColorTransform &cx, const Movie *movie)
{
    switch (style.kind) {
    case FillStyle::Solid:
        return QBrush(cx.apply(style.colour));
    case FillStyle::Linear:
    case FillStyle::Radial:
    case FillStyle::Focal: {
        QGradientStops stops = style.stops;
        if (!cx.isIdentity())
            for (auto &stop : stops)
                stop.second = cx.apply(stop.second);
        QGradient gradient;
        if (style.kind == FillStyle::Linear)
            gradient = QLinearGradient(-GradientHalf, 0, GradientHalf, 0);
        else
            gradient = QRadialGradient(QPointF(0, 0), GradientHalf,
                                       QPointF(style.focal * GradientHalf, 0));
        gradient.setStops(stops);
        gradient.setSpread(style.spread);
        QBrush brush(gradient);
        brush.setTransform(style.matrix);
        return brush;
    }
    case FillStyle::Bitmap: {
        const Character *bitmap = movie ? movie->character(style.bitmapId) : nullptr;
        if (!bitmap || bitmap->kind != Character::BitmapCharacter || bitmap->bitmap.isNull())
            return Qt::NoBrush;
        QBrush brush(bitmap->bitmap);
        brush.setTransform(style.matrix);
        return brush;
    }
    }
    return Qt::NoBrush;
}

// Strokes scale with the object; one thinner than a pixel is drawn one pixel wide, as Flash does.
QPen penFor(const LineStyle &style, const ColorTransform &cx, const QTransform &toDevice,
            const Movie *movie)
{
    const qreal scale = std::sqrt(std::abs(toDevice.determinant()));
    QPen pen(style.hasFill ? brushFor(style.fill, cx, movie) : QBrush(cx.apply(style.colour)),
             style.width);
    if (!(style.width * scale >= 1)) {
        pen.setWidthF(1);
        pen.setCosmetic(true);
    }
    pen.setCapStyle(style.cap);
    pen.setJoinStyle(style.join);
    pen.setMiterLimit(style.miterLimit);
    return pen;
}

void paintShape(QPainter &painter, const Shape &shape, const QTransform &toDevice,
                const ColorTransform &cx, const Movie *movie)
{
    painter.setTransform(toDevice);
    for (const ShapeLayer &layer : shape.layers) {
        if (layer.fill >= 0) {
            const FillStyle &style = shape.fills[size_t(layer.fill)];
            painter.setRenderHint(QPainter::SmoothPixmapTransform,
                                  style.kind != FillStyle::Bitmap || style.smooth);
            painter.fillPath(layer.path, brushFor(style, cx, movie));
        } else if (layer.line >= 0) {
            painter.strokePath(layer.path,
                               penFor(shape.lines[size_t(layer.line)], cx, toDevice, movie));
        }
    }
}

// A mask's outline in device coordinates: the fills of its shapes.
QPainterPath maskPath(const DisplayObject &object, const QTransform &toDevice)
{
    QPainterPath path;
    if (!object.character)
        return path;
    const QTransform transform = object.matrix * toDevice;
    if (object.character->kind == Character::ShapeCharacter) {
        for (const ShapeLayer &layer : object.character->shape.layers)
            if (layer.fill >= 0)
                path.addPath(transform.map(layer.path));
    } else if (object.sprite) {
        for (const auto &[depth, child] : object.sprite->objects())
            path.addPath(maskPath(child, transform));
    }
    return path;
}

struct ActiveMask
{
    int lastDepth;
    QPainterPath clip;
};

// Objects in depth order; a mask clips the depths up to its clip depth, within any outer clip.
void paintList(QPainter &painter, const DisplayList &list, const QTransform &toDevice,
               const ColorTransform &cx, const Movie &movie, const QRectF &visible)
{
    std::vector<ActiveMask> masks;
    bool outerRead = false;
    bool outerClipping = false;
    QPainterPath outerClip;
    const auto setClip = [&] {
        painter.setTransform(QTransform());
        if (!outerRead) {
            outerRead = true;
            outerClipping = painter.hasClipping();
            outerClip = outerClipping ? painter.clipPath() : QPainterPath();
        }
        if (outerClipping)
            painter.setClipPath(outerClip);
        else
            painter.setClipping(false);
        if (!masks.empty())
            painter.setClipPath(masks.back().clip,
                                outerClipping ? Qt::IntersectClip : Qt::ReplaceClip);
    };
    for (const auto &[depth, object] : list.objects()) {
        const size_t before = masks.size();
        while (!masks.empty() && masks.back().lastDepth < depth)
            masks.pop_back();
        if (object.clipDepth > 0) {
            QPainterPath clip = maskPath(object, toDevice);
            if (!masks.empty())
                clip = clip.intersected(masks.back().clip);
            masks.push_back({object.clipDepth, clip});
        }
        if (masks.size() != before || object.clipDepth > 0)
            setClip();
        if (object.clipDepth > 0 || !object.character)
            continue;
        // Only what reaches the area being drawn: a frame is mostly redrawn in small pieces.
        if (!object.bounds(toDevice).intersects(visible))
            continue;
        const QTransform transform = object.matrix * toDevice;
        const ColorTransform combined = cx.after(object.colorTransform);
        if (object.character->kind == Character::ShapeCharacter)
            paintShape(painter, object.character->shape, transform, combined, &movie);
        else if (object.sprite)
            paintList(painter, *object.sprite, transform, combined, movie, visible);
    }
    if (!masks.empty()) {
        masks.clear();
        setClip();
    }
}

} // namespace

QTransform ShowAllTransform(const QRectF &stage, const QRectF &target)
{
    if (stage.isEmpty() || target.isEmpty())
        return QTransform::fromScale(0, 0);
    const qreal scale = std::min(target.width() / stage.width(), target.height() / stage.height());
    const QPointF offset = target.center() - stage.center() * scale;
    return QTransform(scale, 0, 0, scale, offset.x(), offset.y());
}

void PaintFrame(QPainter &painter, const Movie &movie, const DisplayList &list,
                const QRectF &target)
{
    painter.fillRect(target, movie.background);
    const QTransform toDevice = ShowAllTransform(movie.stage, target);
    PaintObjects(painter, movie, list, toDevice, toDevice.mapRect(movie.stage));
}

void PaintObjects(QPainter &painter, const Movie &movie, const DisplayList &list,
                  const QTransform &toDevice, const QRectF &clip)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(QTransform());
    painter.setClipRect(clip, Qt::IntersectClip);
    paintList(painter, list, toDevice, ColorTransform(), movie, painter.clipBoundingRect());
    painter.restore();
}

} // namespace movie
