#include "movie/framepainter.h"

#include <QMutex>
#include <QPainter>
#include <QtMath>

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace movie {

namespace {

constexpr qreal GradientHalf = 16384; // the gradient square, in twips

// A clipped bitmap: Flash stretches its edge pixels beyond it, where a brush would repeat it.
// So the bitmap is padded with copies of its edges as far as `area` (the shape's) reaches, at
// least one texel (smoothing never reaches round to the other side) and at most 64 a side.
// Padded copies are kept for the next frames, a few at a time; drawing may run on pool threads.
QImage clampedBitmap(const QImage &image, const QTransform &matrix, const QRectF &area,
                     QPoint &offset)
{
    bool invertible = false;
    const QRectF texels = matrix.inverted(&invertible).mapRect(area);
    if (!invertible)
        return image;
    const auto margin = [](qreal beyond) {
        return beyond > 0 ? int(std::ceil(std::min<qreal>(beyond, 63))) + 1 : 1;
    };
    const int left = margin(-texels.left()), top = margin(-texels.top());
    const int right = margin(texels.right() - image.width());
    const int bottom = margin(texels.bottom() - image.height());
    offset = QPoint(left, top);

    static QMutex mutex;
    static std::map<std::tuple<qint64, int, int, int, int>, QImage> cache;
    const auto key = std::make_tuple(image.cacheKey(), left, top, right, bottom);
    QMutexLocker lock(&mutex);
    if (const auto found = cache.find(key); found != cache.end())
        return found->second;
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage padded(image.width() + left + right, image.height() + top + bottom,
                  QImage::Format_ARGB32_Premultiplied);
    if (padded.isNull())
        return image;
    for (int y = 0; y < padded.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(
            source.constScanLine(std::clamp(y - top, 0, image.height() - 1)));
        auto *to = reinterpret_cast<QRgb *>(padded.scanLine(y));
        for (int x = 0; x < padded.width(); ++x)
            to[x] = from[std::clamp(x - left, 0, image.width() - 1)];
    }
    if (cache.size() >= 4)
        cache.clear();
    cache.emplace(key, padded);
    return padded;
}

QBrush brushFor(const FillStyle &style, const ColorTransform &cx, const Movie *movie,
                const QRectF &area = {})
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
        // Flash mixes the stops' colours as they are, then applies their alpha.
        gradient.setInterpolationMode(QGradient::ComponentInterpolation);
        QBrush brush(gradient);
        brush.setTransform(style.matrix);
        return brush;
    }
    case FillStyle::Bitmap: {
        const Character *bitmap = movie ? movie->character(style.bitmapId) : nullptr;
        if (!bitmap || bitmap->kind != Character::BitmapCharacter || bitmap->bitmap.isNull())
            return Qt::NoBrush;
        if (style.repeat || area.isEmpty()) {
            QBrush brush(bitmap->bitmap);
            brush.setTransform(style.matrix);
            return brush;
        }
        QPoint offset;
        QBrush brush(clampedBitmap(bitmap->bitmap, style.matrix, area, offset));
        brush.setTransform(QTransform::fromTranslate(-offset.x(), -offset.y()) * style.matrix);
        return brush;
    }
    }
    return Qt::NoBrush;
}

// How much a stroke widens under `toDevice` (twips to pixels), as Flash Player reckons it: by
// the image of the diagonal (1, 1), divided by its length, in the directions its style allows.
// A stroke that scales with nothing is as wide in pixels as in stage pixels (twips / 20).
qreal widthScale(StrokeScaling scaling, const QTransform &toDevice)
{
    const qreal x = std::abs(toDevice.m11() + toDevice.m21());
    const qreal y = std::abs(toDevice.m12() + toDevice.m22());
    switch (scaling) {
    case StrokeScaling::Both:
        return std::sqrt((x * x + y * y) / 2);
    case StrokeScaling::HorizontalOnly:
        return x;
    case StrokeScaling::VerticalOnly:
        return y;
    case StrokeScaling::None:
        break;
    }
    return 1.0 / 20;
}

// A stroke is drawn in the shape's coordinates, so that it stretches with the shape as Flash
// draws it (thicker where the shape is stretched across it); a stroke that may not scale in some
// direction is made thinner there to match. A stroke thinner than a pixel on the device (a
// hairline among them) is drawn one pixel wide, as Flash does.
QPen penFor(const LineStyle &style, const ColorTransform &cx, const QTransform &toDevice,
            const Movie *movie)
{
    const qreal scale = widthScale(StrokeScaling::Both, toDevice);
    const qreal width = style.width * widthScale(style.scaling, toDevice);
    QPen pen(style.hasFill ? brushFor(style.fill, cx, movie) : QBrush(cx.apply(style.colour)),
             scale > 0 ? width / scale : 0);
    if (!(width >= 1) || !(scale > 0)) {
        pen.setWidthF(1);
        pen.setCosmetic(true);
    }
    pen.setCapStyle(style.startCap);
    pen.setJoinStyle(style.join);
    pen.setMiterLimit(style.miterLimit);
    return pen;
}

// The cap `cap` beyond `end` of a stroke `width` wide that arrives there going along
// `direction`: the part that lies past the end of a stroke without caps, so the two never overlap
// (which a translucent stroke would show).
void addCap(QPainterPath &caps, Qt::PenCapStyle cap, QPointF end, QPointF direction, qreal width)
{
    const qreal length = std::hypot(direction.x(), direction.y());
    if (cap == Qt::FlatCap || !(length > 0))
        return;
    const QPointF along = direction / length * (width / 2);
    const QPointF across(-along.y(), along.x());
    QPolygonF outline;
    if (cap == Qt::SquareCap) {
        outline << end - across << end - across + along << end + across + along << end + across;
    } else {
        constexpr int steps = 16;
        for (int i = 0; i <= steps; ++i) {
            const qreal t = M_PI * i / steps;
            outline << end - across * std::cos(t) + along * std::sin(t);
        }
    }
    caps.addPolygon(outline);
    caps.closeSubpath();
}

// The caps of each open contour of `path`, whose two ends have different caps.
QPainterPath twoCaps(const QPainterPath &path, const LineStyle &style, qreal width)
{
    QPainterPath caps;
    caps.setFillRule(Qt::WindingFill);
    const auto point = [&](int i) {
        return QPointF(path.elementAt(i).x, path.elementAt(i).y);
    };
    for (int first = 0; first < path.elementCount();) {
        int last = first + 1;
        while (last < path.elementCount() && !path.elementAt(last).isMoveTo())
            ++last;
        --last; // the contour's last point
        if (last > first && point(first) != point(last)) {
            addCap(caps, style.startCap, point(first), point(first) - point(first + 1), width);
            addCap(caps, style.endCap, point(last), point(last) - point(last - 1), width);
        }
        first = last + 1;
    }
    return caps;
}

void strokeLine(QPainter &painter, const QPainterPath &path, const LineStyle &style,
                const QTransform &toDevice, const ColorTransform &cx, const Movie *movie,
                FrameCache *cache)
{
    QPen pen = penFor(style, cx, toDevice, movie);
    if (style.startCap == style.endCap) {
        if (cache && !pen.isCosmetic())
            painter.fillPath(cache->strokeOutline(path, pen), pen.brush());
        else
            painter.strokePath(path, pen);
        return;
    }
    // QPen has one cap for both ends: the stroke goes without, and its caps are filled apart.
    pen.setCapStyle(Qt::FlatCap);
    painter.strokePath(path, pen);
    if (!pen.isCosmetic()) {
        painter.fillPath(twoCaps(path, style, pen.widthF()), pen.brush());
        return;
    }
    // A cosmetic pen's width is in device pixels: its caps are made there.
    QBrush brush = pen.brush();
    brush.setTransform(brush.transform() * toDevice);
    painter.setTransform(QTransform());
    painter.fillPath(twoCaps(toDevice.map(path), style, pen.widthF()), brush);
    painter.setTransform(toDevice);
}

void paintShape(QPainter &painter, const Shape &shape, const QTransform &toDevice,
                const ColorTransform &cx, const Movie *movie, FrameCache *cache)
{
    painter.setTransform(toDevice);
    for (const ShapeLayer &layer : shape.layers) {
        if (layer.fill >= 0) {
            const FillStyle &style = shape.fills[size_t(layer.fill)];
            painter.setRenderHint(QPainter::SmoothPixmapTransform,
                                  style.kind != FillStyle::Bitmap || style.smooth);
            painter.fillPath(layer.path, brushFor(style, cx, movie, layer.path.boundingRect()));
        } else if (layer.line >= 0) {
            strokeLine(painter, layer.path, shape.lines[size_t(layer.line)], toDevice, cx, movie,
                       cache);
        }
    }
}

// A mask's outline in device coordinates: the fills of its shapes.
QPainterPath maskPath(const DisplayObject &object, const QTransform &toDevice)
{
    QPainterPath path;
    if (!object.character || !object.visible)
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

} // namespace

// The cache's work for one drawing of a display list.
struct CachedDrawing
{
    FrameCache &cache;
    const Movie &movie;

    // Pictures kept at most: twice the pixels of the largest device drawn on, so that a hostile
    // movie can't make it grow without bound.
    static qint64 budget(const QPainter &painter)
    {
        const QPaintDevice *device = painter.device();
        return device ? 2 * qint64(device->width()) * device->height() : 0;
    }

    void begin(const DisplayList &list, const QTransform &toDevice)
    {
        ++cache.m_paints;
        if (toDevice != cache.m_toDevice) {
            cache.clear();
            cache.m_toDevice = toDevice;
        }
        // Depths emptied or given another character since let their pictures go, and so do
        // shapes moved, tinted, hidden or made a mask since: the underlay must hold only what
        // stands as it is.
        for (auto entry = cache.m_entries.begin(); entry != cache.m_entries.end();) {
            const auto found = list.objects().find(entry->first);
            if (found == list.objects().end()
                || found->second.character != entry->second.character) {
                forget(entry->second);
                entry = cache.m_entries.erase(entry);
                continue;
            }
            if (!entry->second.picture.isNull()
                && (!found->second.visible || found->second.clipDepth > 0
                    || entry->second.transform != found->second.matrix * toDevice
                    || entry->second.colorTransform
                           != ColorTransform().after(found->second.colorTransform)))
                forget(entry->second);
            ++entry;
        }
    }

    void forget(FrameCache::Entry &entry)
    {
        if (entry.picture.isNull())
            return;
        cache.m_keptPixels -= qint64(entry.picture.width()) * entry.picture.height();
        entry.picture = QImage();
        ++cache.m_keptVersion;
    }

    // Where the lowest objects reaching into `visible` are all kept, copies the area from the
    // underlay (made again first if pictures were kept or let go since) and returns the depth of
    // the last of them; otherwise returns `none` and copies nothing.
    static constexpr int none = std::numeric_limits<int>::min();
    int putUnderlay(QPainter &painter, const DisplayList &list, const QRectF &target,
                    const QRectF &stage, const QColor &background);

    // Draws the shape at `depth` from its kept picture, keeping it first if it has stood still
    // since an earlier drawing; false when it must be drawn as usual.
    bool draw(QPainter &painter, int depth, const DisplayObject &object,
              const QTransform &transform, const ColorTransform &cx, const QRectF &bounds);
};

namespace {

struct ActiveMask
{
    int lastDepth;
    QPainterPath clip;
};

// Objects in depth order; a mask clips the depths up to its clip depth, within any outer clip.
// `cached` is given for the main timeline alone, whose depths name its objects.
void paintList(QPainter &painter, const DisplayList &list, const QTransform &toDevice,
               const ColorTransform &cx, const Movie &movie, const QRectF &visible,
               FrameCache *cache, CachedDrawing *cached = nullptr,
               int underlaid = std::numeric_limits<int>::min())
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
        if (depth <= underlaid)
            continue; // already there, copied from the underlay
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
        if (object.clipDepth > 0 || !object.character || !object.visible)
            continue;
        // Only what reaches the area being drawn: a frame is mostly redrawn in small pieces.
        const QRectF bounds = object.bounds(toDevice);
        if (!bounds.intersects(visible))
            continue;
        const QTransform transform = object.matrix * toDevice;
        const ColorTransform combined = cx.after(object.colorTransform);
        if (cached && masks.empty() && object.character->kind == Character::ShapeCharacter
            && cached->draw(painter, depth, object, transform, combined, bounds))
            continue;
        if (object.character->kind == Character::ShapeCharacter)
            paintShape(painter, object.character->shape, transform, combined, &movie, cache);
        else if (object.sprite)
            paintList(painter, *object.sprite, transform, combined, movie, visible, cache);
    }
    if (!masks.empty()) {
        masks.clear();
        setClip();
    }
}

} // namespace

bool CachedDrawing::draw(QPainter &painter, int depth, const DisplayObject &object,
                         const QTransform &transform, const ColorTransform &cx,
                         const QRectF &bounds)
{
    FrameCache::Entry &entry = cache.m_entries[depth];
    if (entry.character != object.character || entry.transform != transform
        || entry.colorTransform != cx) {
        forget(entry);
        entry = {object.character, transform, cx, cache.m_paints, {}, {}};
        return false;
    }
    if (entry.picture.isNull()) {
        if (entry.firstPaint == cache.m_paints)
            return false; // not yet seen standing still
        // The whole shape on the device's own pixels (a frame buffer of a finer screen has more
        // than one to each unit drawn in), widened by a pixel for antialiasing.
        const qreal ratio = painter.device()->devicePixelRatio();
        const QRect area = QRectF(bounds.topLeft() * ratio, bounds.size() * ratio)
                               .toAlignedRect()
                               .adjusted(-1, -1, 1, 1)
                           & QRect(-(1 << 20), -(1 << 20), 1 << 21, 1 << 21);
        const qint64 pixels = qint64(area.width()) * area.height();
        if (area.isEmpty() || cache.m_keptPixels + pixels > budget(painter))
            return false;
        QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
        if (picture.isNull())
            return false;
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter onPicture(&picture);
        onPicture.setRenderHint(QPainter::Antialiasing);
        paintShape(onPicture, object.character->shape,
                   transform * QTransform::fromTranslate(-area.x() / ratio, -area.y() / ratio), cx,
                   &movie, &cache);
        onPicture.end();
        entry.picture = picture;
        entry.at = area.topLeft();
        cache.m_keptPixels += pixels;
        ++cache.m_keptVersion;
    }
    painter.setTransform(QTransform());
    painter.drawImage(QPointF(entry.at) / entry.picture.devicePixelRatio(), entry.picture);
    return true;
}

int CachedDrawing::putUnderlay(QPainter &painter, const DisplayList &list, const QRectF &target,
                               const QRectF &stage, const QColor &background)
{
    const QRectF visible = painter.hasClipping() ? painter.clipBoundingRect() & target : target;
    int last = none;
    bool above = false; // past the first object that is not kept
    for (const auto &[depth, object] : list.objects()) {
        if (object.clipDepth > 0)
            return none; // a mask clips what lies above it: drawn as usual
        if (!object.character || !object.visible
            || !object.bounds(cache.m_toDevice).intersects(visible & stage))
            continue;
        const auto entry = cache.m_entries.find(depth);
        const bool kept = entry != cache.m_entries.end() && !entry->second.picture.isNull();
        if (kept && above)
            return none; // the underlay would put it below what lies under it
        if (kept)
            last = depth;
        else
            above = true;
    }
    if (last == none)
        return none;
    QPaintDevice *device = painter.device();
    const qreal ratio = device->devicePixelRatio();
    // Made and copied in the device's own pixels, as the frame buffer holds them.
    if (cache.m_underlayVersion != cache.m_keptVersion || cache.m_underlayTarget != target
        || cache.m_underlayBackground != background
        || cache.m_underlay.size() != QSize(device->width(), device->height())
        || cache.m_underlayRatio != ratio) {
        cache.m_underlay = QImage(device->width(), device->height(), QImage::Format_RGB32);
        if (cache.m_underlay.isNull())
            return none;
        cache.m_underlay.setDevicePixelRatio(ratio);
        {
            // The background and the stage's clip as the frame is drawn: in its units.
            QPainter onUnderlay(&cache.m_underlay);
            onUnderlay.fillRect(target, background);
            onUnderlay.setClipRect(stage);
            onUnderlay.setRenderHint(QPainter::Antialiasing);
            for (const auto &[depth, entry] : cache.m_entries)
                if (!entry.picture.isNull())
                    onUnderlay.drawImage(QPointF(entry.at) / ratio, entry.picture);
        }
        cache.m_underlayVersion = cache.m_keptVersion;
        cache.m_underlayTarget = target;
        cache.m_underlayBackground = background;
        cache.m_underlayRatio = ratio;
    }
    painter.save();
    painter.setTransform(QTransform());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect pixels = QRectF(visible.topLeft() * ratio, visible.size() * ratio).toAlignedRect();
    painter.drawImage(QRectF(QPointF(pixels.topLeft()) / ratio, QSizeF(pixels.size()) / ratio),
                      cache.m_underlay, pixels);
    painter.restore();
    return last;
}

void FrameCache::clear()
{
    m_entries.clear();
    m_keptPixels = 0;
    ++m_keptVersion;
    m_underlay = QImage();
    m_outlines.clear();
}

const QPainterPath &FrameCache::strokeOutline(const QPainterPath &path, const QPen &pen)
{
    const OutlineKey key{&path, pen.widthF(), int(pen.capStyle()), int(pen.joinStyle()),
                         pen.miterLimit()};
    if (const auto found = m_outlines.find(key); found != m_outlines.end())
        return found->second;
    // A movie whose strokes change width every frame would otherwise fill it without end.
    if (m_outlines.size() >= 1024)
        m_outlines.clear();
    return m_outlines.emplace(key, QPainterPathStroker(pen).createStroke(path)).first->second;
}

QTransform showAllTransform(const QRectF &stage, const QRectF &target)
{
    if (stage.isEmpty() || target.isEmpty())
        return QTransform::fromScale(0, 0);
    const qreal scale = std::min(target.width() / stage.width(), target.height() / stage.height());
    const QPointF offset = target.center() - stage.center() * scale;
    return QTransform(scale, 0, 0, scale, offset.x(), offset.y());
}

namespace {

// The objects of `list` over what is there, clipped to `clip`; with a cache, the background and
// the lowest kept pictures first come from its underlay where they can.
void drawObjects(QPainter &painter, const Movie &movie, const DisplayList &list,
                 const QTransform &toDevice, const QRectF &clip, FrameCache *cache,
                 const QRectF *target = nullptr)
{
    painter.save();
    painter.setTransform(QTransform());
    std::optional<CachedDrawing> cached;
    int underlaid = CachedDrawing::none;
    if (cache) {
        cached.emplace(CachedDrawing{*cache, movie});
        cached->begin(list, toDevice);
        if (target)
            underlaid = cached->putUnderlay(painter, list, *target, clip, movie.background);
    }
    if (target && underlaid == CachedDrawing::none)
        painter.fillRect(*target, movie.background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(clip, Qt::IntersectClip);
    paintList(painter, list, toDevice, ColorTransform(), movie, painter.clipBoundingRect(), cache,
              cached ? &*cached : nullptr, underlaid);
    painter.restore();
}

} // namespace

void paintFrame(QPainter &painter, const Movie &movie, const DisplayList &list,
                const QRectF &target, FrameCache *cache)
{
    const QTransform toDevice = showAllTransform(movie.stage, target);
    drawObjects(painter, movie, list, toDevice, toDevice.mapRect(movie.stage), cache, &target);
}

void paintObjects(QPainter &painter, const Movie &movie, const DisplayList &list,
                  const QTransform &toDevice, const QRectF &clip, FrameCache *cache)
{
    drawObjects(painter, movie, list, toDevice, clip, cache);
}

} // namespace movie
