#include "movie/framepainter.h"

#include "movie/swfreader.h"

#include <QMutex>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <atomic>
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

// The cache of stroke outlines for an object's shape: a morph's shapes are let go as its ratio
// moves on, and the cache keeps outlines by their paths' addresses, so they are stroked anew.
FrameCache *outlines(const DisplayObject &object, FrameCache *cache)
{
    return object.character && object.character->morph ? nullptr : cache;
}

// The layers of `shape` from `first` up to `last`, all of them unless told.
void paintShape(QPainter &painter, const Shape &shape, const QTransform &toDevice,
                const ColorTransform &cx, const Movie *movie, FrameCache *cache, size_t first = 0,
                size_t last = std::numeric_limits<size_t>::max())
{
    painter.setTransform(toDevice);
    last = std::min(last, shape.layers.size());
    for (size_t i = first; i < last; ++i) {
        const ShapeLayer &layer = shape.layers[i];
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

// How `object` is drawn: as usual, or apart and mixed in by its blend mode. Alpha and Erase act
// on the layer of a parent whose mode is Layer; anywhere else they would act on the opaque stage,
// where they change nothing, so Flash passes them over.
enum class Drawing { Normal, Apart, Nothing };

Drawing drawing(const DisplayObject &object, bool inLayer)
{
    if (!object.blended())
        return Drawing::Normal;
    if (object.blendMode == BlendAlpha || object.blendMode == BlendErase)
        return inLayer ? Drawing::Apart : Drawing::Nothing;
    return Drawing::Apart;
}

// A mask's outline in device coordinates: the fills of its shapes.
QPainterPath maskPath(const DisplayObject &object, const QTransform &toDevice)
{
    QPainterPath path;
    if (!object.character || !object.visible)
        return path;
    const QTransform transform = object.matrix * toDevice;
    if (const auto shape = object.shape()) {
        for (const ShapeLayer &layer : shape->layers)
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
            if (found == list.objects().end() || found->second.character != entry->second.character
                || found->second.morphRatio() != entry->second.ratio
                || drawing(found->second, false) != Drawing::Normal) {
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

    // Draws the shape at `depth` (`shape`, what it shows) from its kept picture, keeping it first
    // if it has stood still since an earlier drawing; false when it must be drawn as usual.
    bool draw(QPainter &painter, int depth, const DisplayObject &object, const Shape &shape,
              const QTransform &transform, const ColorTransform &cx, const QRectF &bounds);

    // Draws a shape that moves from the picture kept of its pose, keeping it first if the pose
    // was seen in an earlier drawing or will come back (FrameCache::setReturning); false when it
    // must be drawn as usual.
    bool drawPose(QPainter &painter, const DisplayObject &object, const Shape &shape,
                  const QTransform &transform, const ColorTransform &cx, const QRectF &bounds);

    // The device's pixels a picture of a shape within `bounds` covers: its own, widened by one for
    // antialiasing (a frame buffer of a finer screen has more than one to each unit drawn in).
    static QRect pictureArea(const QRectF &bounds, qreal ratio)
    {
        return QRectF(bounds.topLeft() * ratio, bounds.size() * ratio)
                   .toAlignedRect()
                   .adjusted(-1, -1, 1, 1)
               & QRect(-(1 << 20), -(1 << 20), 1 << 21, 1 << 21);
    }

    using PackedPicture = FrameCache::PackedPicture;
    static PackedPicture pack(const QImage &picture, QPoint at);
    // `packed`, moved by `by`, over `image` (32 bits a pixel, premultiplied or opaque), which
    // must hold all of it.
    static void blend(const PackedPicture &packed, QImage &image, QPoint by = {});

    // The shape (its layers from `first` up to `last`) alone over nothing, on `area` of the
    // device's pixels.
    QImage picture(const DisplayObject &object, const Shape &shape, const QTransform &transform,
                   const ColorTransform &cx, const QRect &area, qreal ratio, size_t first = 0,
                   size_t last = std::numeric_limits<size_t>::max()) const
    {
        QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
        if (picture.isNull())
            return picture;
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter onPicture(&picture);
        onPicture.setRenderHint(QPainter::Antialiasing);
        paintShape(onPicture, shape,
                   transform * QTransform::fromTranslate(-area.x() / ratio, -area.y() / ratio), cx,
                   &movie, outlines(object, &cache), first, last);
        return picture;
    }
};

namespace {

// Runs of this many equal pixels or more are kept as one; gaps of this many transparent pixels
// or fewer are kept with the pixels around them.
constexpr int MinimumFill = 4;
constexpr int MaximumGap = 3;

// How a layer of a shape is kept in the picture of a pose. A translucent layer goes alone, so
// that it is blended once, as drawing it blends it: put down over another translucent layer of
// the same picture, it would be rounded once more. Opaque layers are kept together.
enum class LayerKeeping { Together, Alone, Never };

LayerKeeping keeping(const Shape &shape, const ShapeLayer &layer, const ColorTransform &cx)
{
    if (layer.fill >= 0) {
        const FillStyle &style = shape.fills[size_t(layer.fill)];
        return style.kind == FillStyle::Solid && cx.apply(style.colour).alpha() == 255
                   ? LayerKeeping::Together
                   : LayerKeeping::Alone;
    }
    if (layer.line >= 0) {
        const LineStyle &style = shape.lines[size_t(layer.line)];
        if (!style.hasFill && cx.apply(style.colour).alpha() == 255)
            return LayerKeeping::Together;
        // A stroke with two caps is drawn in two blends.
        return style.startCap == style.endCap ? LayerKeeping::Alone : LayerKeeping::Never;
    }
    return LayerKeeping::Together;
}

// A premultiplied pixel over another, rounded as QPainter's source-over rounds.
inline QRgb over(QRgb source, QRgb destination)
{
    const uint alpha = 255 - qAlpha(source);
    quint64 t
        = ((quint64(destination) | (quint64(destination) << 24)) & 0x00ff00ff00ff00ffULL) * alpha;
    t = (t + ((t >> 8) & 0x00ff00ff00ff00ffULL) + 0x0080008000800080ULL) >> 8;
    t &= 0x00ff00ff00ff00ffULL;
    return source + (QRgb(t) | QRgb(t >> 24));
}

} // namespace

CachedDrawing::PackedPicture CachedDrawing::pack(const QImage &picture, QPoint at)
{
    PackedPicture packed;
    packed.rect = QRect(at, picture.size());
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        packed.rowStarts.push_back(quint32(packed.runs.size()));
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        const auto sameFrom = [&](int x) {
            int end = x + 1;
            while (end < width && row[end] == row[x])
                ++end;
            return end;
        };
        // Premultiplied, a transparent pixel is 0; most of a picture is, four at a time.
        const auto transparentFrom = [&](int x) {
            while (x + 4 <= width && (row[x] | row[x + 1] | row[x + 2] | row[x + 3]) == 0)
                x += 4;
            while (x < width && row[x] == 0)
                ++x;
            return x;
        };
        for (int x = transparentFrom(0); x < width; x = transparentFrom(x)) {
            if (const int end = sameFrom(x); end - x >= MinimumFill) {
                const bool opaque = qAlpha(row[x]) == 255;
                packed.runs.push_back({quint32(x), quint32(end - x),
                                       opaque ? PackedPicture::Fill : PackedPicture::BlendFill,
                                       row[x]});
                x = end;
                continue;
            }
            // Pixels one by one up to a long run or a wider gap; blended unless all are opaque.
            int end = x + 1;
            while (end < width && sameFrom(end) - end < MinimumFill) {
                const int gapEnd = transparentFrom(end);
                if (gapEnd - end > MaximumGap || gapEnd == width)
                    break;
                end = std::max(end + 1, gapEnd);
            }
            const bool opaque
                = std::all_of(row + x, row + end, [](QRgb pixel) { return qAlpha(pixel) == 255; });
            packed.runs.push_back({quint32(x), quint32(end - x),
                                   opaque ? PackedPicture::Copy : PackedPicture::Blend,
                                   quint32(packed.pixels.size())});
            packed.pixels.insert(packed.pixels.end(), row + x, row + end);
            x = end;
        }
    }
    packed.rowStarts.push_back(quint32(packed.runs.size()));
    packed.rowStarts.shrink_to_fit();
    packed.runs.shrink_to_fit();
    packed.pixels.shrink_to_fit();
    return packed;
}

void CachedDrawing::blend(const PackedPicture &packed, QImage &image, QPoint by)
{
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRect rect = packed.rect.translated(by);
    for (int y = 0; y < rect.height(); ++y) {
        auto *const row = reinterpret_cast<QRgb *>(bits + (rect.y() + y) * stride) + rect.x();
        for (quint32 i = packed.rowStarts[size_t(y)]; i < packed.rowStarts[size_t(y) + 1]; ++i) {
            const PackedPicture::Run &run = packed.runs[i];
            QRgb *const to = row + run.x;
            const QRgb *const from = packed.pixels.data();
            switch (run.kind) {
            case PackedPicture::Fill:
                std::fill_n(to, run.length, QRgb(run.value));
                break;
            case PackedPicture::Copy:
                std::copy_n(from + run.value, run.length, to);
                break;
            case PackedPicture::Blend:
                for (int k = 0; k < run.length; ++k)
                    to[k] = over(from[run.value + k], to[k]);
                break;
            case PackedPicture::BlendFill:
                for (int k = 0; k < run.length; ++k)
                    to[k] = over(QRgb(run.value), to[k]);
                break;
            }
        }
    }
}

qint64 FrameCache::PackedPicture::bytes() const
{
    return qint64(sizeof(PackedPicture)) + qint64(rowStarts.capacity() * sizeof(quint32))
           + qint64(runs.capacity() * sizeof(Run)) + qint64(pixels.capacity() * sizeof(QRgb));
}

namespace {

struct ActiveMask
{
    int lastDepth;
    QPainterPath clip;
};

void paintList(QPainter &painter, const DisplayList &list, const QTransform &toDevice,
               const ColorTransform &cx, const Movie &movie, const QRectF &visible,
               FrameCache *cache, CachedDrawing *cached = nullptr,
               int underlaid = std::numeric_limits<int>::min(), bool nested = false,
               bool inLayer = false);

// Subtract and Invert, which QPainter has no mode for: `layer` (premultiplied) becomes what the
// device's pixels under it turn into, so that it can be put down in their place.
bool mixByHand(QPainter &painter, int mode, QImage &layer, QPoint at)
{
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return false;
    const auto &image = *static_cast<const QImage *>(device);
    if (image.format() != QImage::Format_RGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    for (int y = 0; y < layer.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(layer.scanLine(y));
        const auto *under
            = reinterpret_cast<const QRgb *>(image.constScanLine(at.y() + y)) + at.x();
        const bool opaque = image.format() == QImage::Format_RGB32;
        for (int x = 0; x < layer.width(); ++x) {
            const QRgb s = row[x], d = opaque ? under[x] | 0xff000000 : under[x];
            const int sa = qAlpha(s), da = qAlpha(d);
            const auto channel = [&](int sc, int dc) {
                if (mode == BlendSubtract)
                    return std::max(0, dc - sc);
                // The destination's colour turned over within its alpha, as far as the source
                // covers it.
                return (dc * (255 - sa) + (da - dc) * sa + 127) / 255;
            };
            const int alpha = mode == BlendSubtract ? sa + da - (sa * da + 127) / 255 : da;
            row[x] = qRgba(std::min(channel(qRed(s), qRed(d)), alpha),
                           std::min(channel(qGreen(s), qGreen(d)), alpha),
                           std::min(channel(qBlue(s), qBlue(d)), alpha), alpha);
        }
    }
    return true;
}

// `object` (a shape, a morph or a sprite with all its children) drawn into a layer of its own, as
// far as it reaches into `visible` and the device, then mixed in over what lies under it by its
// blend mode. An Alpha layer covers all of `visible`: where it draws nothing, its parent's layer
// is cleared.
void paintBlended(QPainter &painter, const DisplayObject &object, const QTransform &transform,
                  const ColorTransform &cx, const Movie &movie, const QRectF &visible,
                  const QRectF &bounds, FrameCache *cache)
{
    QPaintDevice *device = painter.device();
    if (!device)
        return;
    const qreal ratio = device->devicePixelRatio();
    QRectF area = object.blendMode == BlendAlpha ? visible : bounds & visible;
    painter.setTransform(QTransform());
    if (painter.hasClipping())
        area &= painter.clipBoundingRect();
    const QRect pixels = QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect()
                         & QRect(0, 0, device->width(), device->height());
    if (pixels.isEmpty())
        return;
    QImage layer(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull())
        return;
    layer.fill(Qt::transparent);
    layer.setDevicePixelRatio(ratio);
    const QPointF origin = QPointF(pixels.topLeft()) / ratio;
    {
        QPainter onLayer(&layer);
        onLayer.setRenderHint(QPainter::Antialiasing);
        const QTransform shifted = transform * QTransform::fromTranslate(-origin.x(), -origin.y());
        if (const auto shape = object.shape())
            paintShape(onLayer, *shape, shifted, cx, &movie, outlines(object, cache));
        else if (object.sprite)
            paintList(onLayer, *object.sprite, shifted, cx, movie, visible.translated(-origin),
                      cache, nullptr, CachedDrawing::none, true, object.blendMode == BlendLayer);
    }
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (object.blendMode) {
    case BlendMultiply:
        mode = QPainter::CompositionMode_Multiply;
        break;
    case BlendScreen:
        mode = QPainter::CompositionMode_Screen;
        break;
    case BlendLighten:
        mode = QPainter::CompositionMode_Lighten;
        break;
    case BlendDarken:
        mode = QPainter::CompositionMode_Darken;
        break;
    case BlendDifference:
        mode = QPainter::CompositionMode_Difference;
        break;
    case BlendAdd:
        mode = QPainter::CompositionMode_Plus;
        break;
    case BlendOverlay:
        mode = QPainter::CompositionMode_Overlay;
        break;
    case BlendHardLight:
        mode = QPainter::CompositionMode_HardLight;
        break;
    case BlendAlpha:
        mode = QPainter::CompositionMode_DestinationIn;
        break;
    case BlendErase:
        mode = QPainter::CompositionMode_DestinationOut;
        break;
    case BlendSubtract:
    case BlendInvert:
        if (mixByHand(painter, object.blendMode, layer, pixels.topLeft())) {
            mode = QPainter::CompositionMode_Source;
        } else {
            static std::atomic<bool> told = false;
            if (!told.exchange(true))
                qCWarning(lcSwf, "blend mode %d drawn as normal on this device", object.blendMode);
        }
        break;
    default:
        break;
    }
    painter.save();
    painter.setCompositionMode(mode);
    painter.drawImage(origin, layer);
    painter.restore();
}

// Objects in depth order; a mask clips the depths up to its clip depth, within any outer clip.
// `cached` is given for the main timeline, whose depths name its objects, and for the sprites
// in it that no mask clips (`nested`), whose shapes are kept by pose alone. Objects with a blend
// mode are drawn apart, never kept; `inLayer`: the list is a Layer's, which its Alpha and Erase
// children act on.
void paintList(QPainter &painter, const DisplayList &list, const QTransform &toDevice,
               const ColorTransform &cx, const Movie &movie, const QRectF &visible,
               FrameCache *cache, CachedDrawing *cached, int underlaid, bool nested, bool inLayer)
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
        // An Alpha child reaches all of its Layer: where it is not, the layer is cleared.
        const QRectF bounds = object.bounds(toDevice);
        if (!bounds.intersects(visible) && !(inLayer && object.blendMode == BlendAlpha))
            continue;
        const QTransform transform = object.matrix * toDevice;
        const ColorTransform combined = cx.after(object.colorTransform);
        if (const Drawing how = drawing(object, inLayer); how != Drawing::Normal) {
            if (how == Drawing::Apart)
                paintBlended(painter, object, transform, combined, movie, visible, bounds, cache);
            continue;
        }
        const auto shape = object.shape();
        if (cached && masks.empty() && shape
            && (nested ? cached->drawPose(painter, object, *shape, transform, combined, bounds)
                       : cached->draw(painter, depth, object, *shape, transform, combined, bounds)))
            continue;
        if (shape)
            paintShape(painter, *shape, transform, combined, &movie, outlines(object, cache));
        else if (object.sprite)
            paintList(painter, *object.sprite, transform, combined, movie, visible, cache,
                      masks.empty() ? cached : nullptr, CachedDrawing::none, true);
    }
    if (!masks.empty()) {
        masks.clear();
        setClip();
    }
}

} // namespace

bool CachedDrawing::draw(QPainter &painter, int depth, const DisplayObject &object,
                         const Shape &shape, const QTransform &transform, const ColorTransform &cx,
                         const QRectF &bounds)
{
    FrameCache::Entry &entry = cache.m_entries[depth];
    if (entry.character != object.character || entry.ratio != object.morphRatio()
        || entry.transform != transform || entry.colorTransform != cx) {
        forget(entry);
        entry = {object.character, object.morphRatio(), transform, cx, cache.m_paints, {}, {}};
        return drawPose(painter, object, shape, transform, cx, bounds);
    }
    if (entry.picture.isNull()) {
        if (entry.firstPaint == cache.m_paints) // not yet seen standing still
            return drawPose(painter, object, shape, transform, cx, bounds);
        const qreal ratio = painter.device()->devicePixelRatio();
        const QRect area = pictureArea(bounds, ratio);
        const qint64 pixels = qint64(area.width()) * area.height();
        if (area.isEmpty() || cache.m_keptPixels + pixels > budget(painter))
            return false;
        const QImage picture = this->picture(object, shape, transform, cx, area, ratio);
        if (picture.isNull())
            return false;
        entry.picture = picture;
        entry.at = area.topLeft();
        cache.m_keptPixels += pixels;
        ++cache.m_keptVersion;
    }
    painter.setTransform(QTransform());
    painter.drawImage(QPointF(entry.at) / entry.picture.devicePixelRatio(), entry.picture);
    return true;
}

bool CachedDrawing::drawPose(QPainter &painter, const DisplayObject &object, const Shape &shape,
                             const QTransform &transform, const ColorTransform &cx,
                             const QRectF &bounds)
{
    QPaintDevice *device = painter.device();
    if (cache.m_posesFull || !device || device->devType() != QInternal::Image)
        return false;
    auto &image = *static_cast<QImage *>(device);
    if (image.format() != QImage::Format_RGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    const qreal ratio = image.devicePixelRatio();
    const QRect area = pictureArea(bounds, ratio);
    // Put down pixel by pixel, past the painter: only where the clip lets all of it through.
    painter.setTransform(QTransform());
    QRectF open(QPointF(0, 0), QSizeF(image.size()));
    if (painter.hasClipping()) {
        const QRectF clip = painter.clipBoundingRect();
        open &= QRectF(clip.topLeft() * ratio, clip.size() * ratio);
    }
    const QRect inside(
        QPoint(int(std::ceil(open.left())), int(std::ceil(open.top()))),
        QPoint(int(std::floor(open.right())) - 1, int(std::floor(open.bottom())) - 1));
    if (area.isEmpty() || area.width() > PackedPicture::MaxWidth || !inside.contains(area))
        return false;
    // The move on the device's pixels, in whole pixels and a part of one.
    const QPointF move(transform.m31() * ratio, transform.m32() * ratio);
    const QPointF whole(std::floor(move.x()), std::floor(move.y()));
    if (std::abs(whole.x()) > (1 << 20) || std::abs(whole.y()) > (1 << 20))
        return false;
    const QPoint pixel = whole.toPoint();
    const FrameCache::PoseKey key{
        object.character,
        object.morphRatio(),
        {transform.m11(), transform.m12(), transform.m13(), transform.m21(), transform.m22(),
         transform.m23(), move.x() - whole.x(), move.y() - whole.y(), transform.m33(), ratio},
        {cx.mul[0], cx.mul[1], cx.mul[2], cx.mul[3], cx.add[0], cx.add[1], cx.add[2], cx.add[3]}};
    auto found = cache.m_poses.find(key);
    if (found != cache.m_poses.end()) {
        // Kept at another place: put down there only if all of it is let through here too.
        const QPoint by = pixel - found->second.pixel;
        for (const PackedPicture &picture : found->second.pictures)
            if (!inside.contains(picture.rect.translated(by)))
                return false;
        for (const PackedPicture &picture : found->second.pictures)
            blend(picture, image, by);
        return true;
    }
    // The first drawing is the window's first frame, the one a start-up waits for: its poses
    // are kept when they come round again.
    if (cache.m_paints <= 1)
        return false;
    // Kept from its second drawing on, unless it will come back: a pose never seen again
    // costs nothing.
    if (!cache.m_returning && cache.m_posesSeen.insert(key).second) {
        if (cache.m_posesSeen.size() > 4096)
            cache.m_posesSeen.clear();
        return false;
    }
    // The layers in pictures of their own where they must be.
    std::vector<std::pair<size_t, size_t>> groups;
    bool together = false;
    for (size_t i = 0; i < shape.layers.size(); ++i) {
        const LayerKeeping how = keeping(shape, shape.layers[i], cx);
        if (how == LayerKeeping::Never)
            return false;
        if (how == LayerKeeping::Together && together)
            groups.back().second = i + 1;
        else
            groups.emplace_back(i, i + 1);
        together = how == LayerKeeping::Together;
    }
    std::vector<PackedPicture> pictures;
    qint64 bytes = 0;
    for (const auto &[first, last] : groups) {
        const QImage picture
            = this->picture(object, shape, transform, cx, area, ratio, first, last);
        if (picture.isNull())
            return false;
        pictures.push_back(pack(picture, area.topLeft()));
        bytes += pictures.back().bytes();
    }
    if (cache.m_poseBytes + bytes
        > FrameCache::PoseBudget * qint64(image.bytesPerLine()) * image.height()) {
        cache.m_posesFull = true; // drawn this once from what was made
        for (const PackedPicture &picture : pictures)
            blend(picture, image);
        return true;
    }
    cache.m_posesSeen.erase(key);
    cache.m_poseBytes += bytes;
    for (const PackedPicture &picture : pictures)
        blend(picture, image);
    cache.m_poses.emplace(key, FrameCache::Pose{pixel, std::move(pictures)});
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
    m_poses.clear();
    m_posesSeen.clear();
    m_poseBytes = 0;
    m_posesFull = false;
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
