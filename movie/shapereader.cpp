#include "movie/shapereader.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <unordered_map>

namespace movie {

namespace {

struct Point
{
    qint64 x = 0;
    qint64 y = 0;
    bool operator==(const Point &) const = default;
};

struct PointHash
{
    size_t operator()(const Point &p) const { return std::hash<qint64>()(p.x * 1000003 ^ p.y); }
};

struct Edge
{
    Point from;
    Point control;
    Point to;
    bool curved = false;

    Edge reversed() const { return {to, control, from, curved}; }
};

QPointF toPointF(const Point &p)
{
    return QPointF(qreal(p.x), qreal(p.y));
}

void addEdge(QPainterPath &path, const Edge &edge)
{
    if (edge.curved)
        path.quadTo(toPointF(edge.control), toPointF(edge.to));
    else
        path.lineTo(toPointF(edge.to));
}

// Joins a fill's edges into closed contours: from each unused edge, follow edges that start where
// the last one ended until the contour returns to its start or finds no continuation.
QPainterPath fillPath(const std::vector<Edge> &edges, Qt::FillRule rule)
{
    std::unordered_map<Point, std::vector<int>, PointHash> starting;
    for (int i = int(edges.size()) - 1; i >= 0; --i)
        starting[edges[size_t(i)].from].push_back(i);
    std::vector<bool> used(edges.size(), false);
    QPainterPath path;
    path.setFillRule(rule);
    for (size_t first = 0; first < edges.size(); ++first) {
        if (used[first])
            continue;
        const Point start = edges[first].from;
        path.moveTo(toPointF(start));
        size_t current = first;
        while (true) {
            used[current] = true;
            addEdge(path, edges[current]);
            const Point end = edges[current].to;
            if (end == start)
                break;
            const auto found = starting.find(end);
            if (found == starting.end())
                break;
            std::vector<int> &candidates = found->second;
            while (!candidates.empty() && used[size_t(candidates.back())])
                candidates.pop_back();
            if (candidates.empty())
                break;
            current = size_t(candidates.back());
            candidates.pop_back();
        }
        path.closeSubpath();
    }
    return path;
}

// A line style's edges as strokes: edges that follow on from each other are one contour; a
// contour that ends where it began is closed (joined there) unless the style says no close.
QPainterPath linePath(const std::vector<Edge> &edges, bool noClose)
{
    QPainterPath path;
    bool first = true;
    Point pen, start;
    const auto closeIfReturned = [&] {
        if (!first && !noClose && pen == start && path.elementCount() > 2)
            path.closeSubpath();
    };
    for (const Edge &edge : edges) {
        if (first || !(edge.from == pen)) {
            closeIfReturned();
            path.moveTo(toPointF(edge.from));
            start = edge.from;
        }
        addEdge(path, edge);
        pen = edge.to;
        first = false;
    }
    closeIfReturned();
    return path;
}

// One record of a SHAPE: a style change, with its flags and the style indices as the file gives
// them, or an edge.
struct ShapeRecord
{
    enum Kind { End, StyleChange, EdgeRecord };
    Kind kind = End;
    std::uint32_t flags = 0;
    std::uint32_t fill0 = 0, fill1 = 0, line = 0;
    Edge edge;
};

// Reads the next record: a style change moves the pen where it says, an edge starts at the pen
// and moves it to its end. The end of the shape, or of the data, is End.
ShapeRecord readRecord(BitReader &in, int fillBits, int lineBits, Point &pen)
{
    ShapeRecord record;
    if (in.bits(1) == 0) {
        record.flags = in.bits(5);
        if (record.flags == 0 || in.overrun())
            return record;
        record.kind = ShapeRecord::StyleChange;
        if (record.flags & swf::ChangeMoveTo) {
            const int n = int(in.bits(5));
            pen.x = in.signedBits(n);
            pen.y = in.signedBits(n);
        }
        if (record.flags & swf::ChangeFill0)
            record.fill0 = in.bits(fillBits);
        if (record.flags & swf::ChangeFill1)
            record.fill1 = in.bits(fillBits);
        if (record.flags & swf::ChangeLine)
            record.line = in.bits(lineBits);
        return record;
    }
    Edge &edge = record.edge;
    edge.from = pen;
    const bool straight = in.bits(1);
    const int n = int(in.bits(4)) + 2;
    if (straight) {
        if (in.bits(1)) {
            pen.x += in.signedBits(n);
            pen.y += in.signedBits(n);
        } else if (in.bits(1)) {
            pen.y += in.signedBits(n);
        } else {
            pen.x += in.signedBits(n);
        }
        edge.control = pen;
    } else {
        edge.curved = true;
        pen.x += in.signedBits(n);
        pen.y += in.signedBits(n);
        edge.control = pen;
        pen.x += in.signedBits(n);
        pen.y += in.signedBits(n);
    }
    edge.to = pen;
    if (!in.overrun())
        record.kind = ShapeRecord::EdgeRecord;
    return record;
}

// A group of a shape's edges, gathered by style, then built into its layers.
class EdgeGroup
{
public:
    void add(const Edge &edge, int fill0, int fill1, int line)
    {
        if (fill0 >= 0)
            m_fillEdges[fill0].push_back(edge.reversed());
        if (fill1 >= 0)
            m_fillEdges[fill1].push_back(edge);
        if (line >= 0)
            m_lineEdges[line].push_back(edge);
    }

    // Paints the group: its fills first, in style order, then its lines.
    void flush(Shape &shape)
    {
        for (auto &[fill, edges] : m_fillEdges) {
            ShapeLayer layer;
            layer.path = fillPath(edges, shape.fillRule);
            layer.fill = fill;
            shape.bounds |= layer.path.boundingRect();
            shape.layers.push_back(std::move(layer));
        }
        for (auto &[line, edges] : m_lineEdges) {
            ShapeLayer layer;
            layer.path = linePath(edges, shape.lines[size_t(line)].noClose);
            layer.line = line;
            const LineStyle &style = shape.lines[size_t(line)];
            if (style.scaling != StrokeScaling::Both)
                shape.nonScalingWidth = std::max(shape.nonScalingWidth, style.width + 40);
            const qreal half = std::max(style.width, 20) / 2.0 + 20;
            shape.bounds |= layer.path.boundingRect().adjusted(-half, -half, half, half);
            shape.layers.push_back(std::move(layer));
        }
        m_fillEdges.clear();
        m_lineEdges.clear();
    }

private:
    std::map<int, std::vector<Edge>> m_fillEdges;
    std::map<int, std::vector<Edge>> m_lineEdges;
};

int styleIndex(std::uint32_t index, int base, int count)
{
    return index == 0 || int(index) > count ? -1 : base + int(index) - 1;
}

// A focal point is kept this far inside its circle: on the circle itself the ratio behind the
// point grows without bound. Ruffle keeps it there too, and its pictures judge ours.
constexpr qreal MaxFocal = 0.98;

FillStyle::Kind gradientKind(int type)
{
    return type == swf::LinearGradientFill   ? FillStyle::Linear
           : type == swf::RadialGradientFill ? FillStyle::Radial
                                             : FillStyle::Focal;
}

QGradient::Spread spreadOf(std::uint32_t code)
{
    return code == swf::ReflectSpread  ? QGradient::ReflectSpread
           : code == swf::RepeatSpread ? QGradient::RepeatSpread
                                       : QGradient::PadSpread;
}

// A gradient's stops from those the file gives; a gradient without any is a clear fill.
void setStops(FillStyle &style, const QGradientStops &raw, bool linearRgb)
{
    style.stops = increasingStops(raw);
    if (style.stops.isEmpty()) {
        style.kind = FillStyle::Solid;
        style.colour = Qt::transparent;
    } else if (linearRgb) {
        style.stops = linearRgbStops(style.stops);
    }
}

// A bitmap fill of FILLSTYLE's `type`: smoothed from file version 8 on unless it says not.
void setBitmapKind(FillStyle &style, int type, int fileVersion)
{
    style.kind = FillStyle::Bitmap;
    style.repeat = (type & 0x01) == 0;
    style.smooth = (type & 0x02) == 0 && fileVersion >= 8;
}

Qt::PenCapStyle capStyle(std::uint32_t code)
{
    return code == swf::NoCap ? Qt::FlatCap : code == swf::SquareCap ? Qt::SquareCap : Qt::RoundCap;
}

// LINESTYLE2's flags after its width, and the miter limit that may follow them.
void readLineFlags(BitReader &in, LineStyle &style)
{
    const auto flags = in.fields(swf::LineStyle2Flags);
    style.startCap = capStyle(flags[swf::StartCap]);
    style.endCap = capStyle(flags[swf::EndCap]);
    const std::uint32_t join = flags[swf::Join];
    style.join = join == swf::BevelJoin   ? Qt::BevelJoin
                 : join == swf::MiterJoin ? Qt::MiterJoin
                                          : Qt::RoundJoin;
    const bool noH = flags[swf::NoHScale], noV = flags[swf::NoVScale];
    style.scaling = noH && noV ? StrokeScaling::None
                    : noH      ? StrokeScaling::VerticalOnly
                    : noV      ? StrokeScaling::HorizontalOnly
                               : StrokeScaling::Both;
    style.noClose = flags[swf::NoClose];
    style.hasFill = flags[swf::HasFill];
    // Pixel hinting snaps strokes to whole pixels: our antialiased strokes stay where they are.
    if (join == swf::MiterJoin)
        style.miterLimit = std::max(1.0, in.u16() / 256.0);
}

// The colour a line drawn with a fill stands for where one colour is wanted.
void colourFromFill(LineStyle &style)
{
    style.colour = style.fill.kind == FillStyle::Solid ? style.fill.colour
                   : style.fill.stops.isEmpty()        ? QColor(Qt::transparent)
                                                       : style.fill.stops.first().second;
}

class ShapeReader
{
public:
    ShapeReader(BitReader &in, int version, int fileVersion, const ShapeLimits &limits)
        : m_in(in)
        , m_version(version)
        , m_fileVersion(fileVersion)
        , m_edgeBudget(std::max(0, limits.edgeBudget))
        , m_maxStyles(limits.maxStyles)
    {}

    Shape read()
    {
        (void)m_in.rect(); // declared bounds: ours are measured from the paths
        if (m_version == 4) {
            (void)m_in.rect(); // edge bounds
            // The stroke hints (scaling, non-scaling strokes) only summarise the line styles.
            if (m_in.u8() & swf::UsesFillWindingRule)
                m_shape.fillRule = Qt::WindingFill;
        }
        if (!readStyles())
            return m_shape;
        readRecords();
        flushGroup();
        return m_shape;
    }

    QPainterPath readGlyph(int &edges)
    {
        m_shape.fills.resize(1); // the glyph's inside
        m_fillCount = 1;
        m_fillBits = int(m_in.bits(4));
        m_lineBits = int(m_in.bits(4));
        readRecords();
        flushGroup();
        edges = m_shape.edges;
        QPainterPath glyph;
        for (const ShapeLayer &layer : m_shape.layers)
            if (layer.fill >= 0)
                glyph.addPath(layer.path);
        return glyph;
    }

private:
    bool readStyles()
    {
        m_fillBase = int(m_shape.fills.size());
        m_lineBase = int(m_shape.lines.size());
        int fills = m_in.u8();
        if (fills == 0xff && m_version >= 2)
            fills = m_in.u16();
        for (int i = 0; i < fills && !m_in.overrun(); ++i) {
            FillStyle style;
            if (!readFill(style))
                return false;
            m_shape.fills.push_back(style);
        }
        int lines = m_in.u8();
        if (lines == 0xff && m_version >= 2)
            lines = m_in.u16();
        for (int i = 0; i < lines && !m_in.overrun(); ++i) {
            LineStyle style;
            if (!readLine(style))
                return false;
            m_shape.lines.push_back(style);
        }
        m_fillCount = int(m_shape.fills.size()) - m_fillBase;
        m_lineCount = int(m_shape.lines.size()) - m_lineBase;
        m_fillBits = int(m_in.bits(4));
        m_lineBits = int(m_in.bits(4));
        m_fill0 = m_fill1 = m_line = -1;
        // Styles beyond the limit end the shape: each new style array would otherwise add more.
        return !m_in.overrun() && int(m_shape.fills.size() + m_shape.lines.size()) <= m_maxStyles;
    }

    QColor colour() { return m_version >= 3 ? m_in.rgba() : m_in.rgb(); }

    bool readFill(FillStyle &style)
    {
        const int type = m_in.u8();
        switch (type) {
        case swf::SolidFill:
            style.kind = FillStyle::Solid;
            style.colour = colour();
            return true;
        case swf::LinearGradientFill:
        case swf::RadialGradientFill:
        case swf::FocalGradientFill: {
            style.kind = gradientKind(type);
            style.matrix = m_in.matrix();
            const auto flags = m_in.fields(swf::GradientFlags);
            style.spread = spreadOf(flags[swf::Spread]);
            QGradientStops raw;
            for (std::uint32_t i = 0; i < flags[swf::StopCount]; ++i) {
                const qreal at = m_in.u8() / 255.0;
                raw.append({at, colour()});
            }
            if (type == swf::FocalGradientFill)
                style.focal = std::clamp(m_in.s16() / 256.0, -MaxFocal, MaxFocal);
            setStops(style, raw, flags[swf::Interpolation] == swf::LinearRgb);
            return true;
        }
        case swf::RepeatingBitmapFill:
        case swf::ClippedBitmapFill:
        case swf::HardRepeatingBitmapFill:
        case swf::HardClippedBitmapFill:
            style.bitmapId = m_in.u16();
            style.matrix = m_in.matrix();
            setBitmapKind(style, type, m_fileVersion);
            return true;
        default:
            return false; // unknown fill: its length is unknown, so the shape ends here
        }
    }

    bool readLine(LineStyle &style)
    {
        style.width = m_in.u16();
        if (m_version < 4) {
            style.colour = colour();
            return true;
        }
        readLineFlags(m_in, style);
        if (style.hasFill) {
            if (!readFill(style.fill))
                return false;
            colourFromFill(style);
        } else {
            style.colour = m_in.rgba();
        }
        return true;
    }

    void readRecords()
    {
        Point pen;
        while (!m_in.overrun() && m_shape.edges < m_edgeBudget) {
            const ShapeRecord record = readRecord(m_in, m_fillBits, m_lineBits, pen);
            if (record.kind == ShapeRecord::End)
                return;
            if (record.kind == ShapeRecord::EdgeRecord) {
                ++m_shape.edges;
                m_group.add(record.edge, m_fill0, m_fill1, m_line);
                continue;
            }
            if (record.flags & swf::ChangeFill0)
                m_fill0 = styleIndex(record.fill0, m_fillBase, m_fillCount);
            if (record.flags & swf::ChangeFill1)
                m_fill1 = styleIndex(record.fill1, m_fillBase, m_fillCount);
            if (record.flags & swf::ChangeLine)
                m_line = styleIndex(record.line, m_lineBase, m_lineCount);
            // New style arrays exist from DefineShape2 on.
            if ((record.flags & swf::ChangeNewStyles) && m_version >= 2) {
                flushGroup();
                m_in.align();
                if (!readStyles())
                    return;
            }
        }
    }

    void flushGroup() { m_group.flush(m_shape); }

    BitReader &m_in;
    const int m_version;
    const int m_fileVersion;
    const int m_edgeBudget;
    const int m_maxStyles;
    Shape m_shape;
    int m_fillBase = 0, m_lineBase = 0, m_fillCount = 0, m_lineCount = 0;
    int m_fillBits = 0, m_lineBits = 0;
    int m_fill0 = -1, m_fill1 = -1, m_line = -1;
    EdgeGroup m_group;
};

QColor mixColours(const QColor &a, const QColor &b, qreal t)
{
    const auto mix = [t](int x, int y) {
        return int(std::lround(x + (y - x) * t));
    };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()),
                  mix(a.alpha(), b.alpha()));
}

double toLinear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double toSrgb(double c)
{
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

// A morph's fill: its start and end values, gradients with their stops as the file gives them
// (they are put in order once blended).
struct MorphFill
{
    FillStyle start, end;
    bool linearRgb = false;
};

struct MorphLine
{
    LineStyle start, end; // the end's width, colour and fill; the start's flags for both
    bool linearRgb = false;
};

// A start edge and its end edge, with the styles of the start's records where it stands.
struct MorphEdge
{
    Edge start, end;
    int fill0 = -1, fill1 = -1, line = -1;
};

qint64 mix(qint64 a, qint64 b, qreal t)
{
    return a + std::llround(qreal(b - a) * t);
}

qreal mix(qreal a, qreal b, qreal t)
{
    return a + (b - a) * t;
}

QTransform mixMatrices(const QTransform &a, const QTransform &b, qreal t)
{
    return QTransform(mix(a.m11(), b.m11(), t), mix(a.m12(), b.m12(), t), mix(a.m21(), b.m21(), t),
                      mix(a.m22(), b.m22(), t), mix(a.dx(), b.dx(), t), mix(a.dy(), b.dy(), t));
}

FillStyle mixFills(const FillStyle &a, const FillStyle &b, bool linearRgb, qreal t)
{
    FillStyle style = a;
    style.colour = mixColours(a.colour, b.colour, t);
    style.matrix = mixMatrices(a.matrix, b.matrix, t);
    style.focal = mix(a.focal, b.focal, t);
    if (a.kind == FillStyle::Linear || a.kind == FillStyle::Radial || a.kind == FillStyle::Focal) {
        QGradientStops raw;
        for (qsizetype i = 0; i < a.stops.size() && i < b.stops.size(); ++i)
            raw.append({mix(a.stops[i].first, b.stops[i].first, t),
                        mixColours(a.stops[i].second, b.stops[i].second, t)});
        setStops(style, raw, linearRgb);
    }
    return style;
}

// A straight edge paired with a curve is the curve through its middle, as Flash pairs them.
QPointF controlOf(const Edge &edge)
{
    return edge.curved ? toPointF(edge.control) : (toPointF(edge.from) + toPointF(edge.to)) / 2;
}

Edge mixEdges(const Edge &a, const Edge &b, qreal t)
{
    Edge edge;
    edge.curved = a.curved || b.curved;
    // Ends meet where they met at both ends of the morph: each end is blended on its own values.
    edge.from = {mix(a.from.x, b.from.x, t), mix(a.from.y, b.from.y, t)};
    edge.to = {mix(a.to.x, b.to.x, t), mix(a.to.y, b.to.y, t)};
    const QPointF control = controlOf(a) + (controlOf(b) - controlOf(a)) * t;
    edge.control
        = edge.curved ? Point{std::llround(control.x()), std::llround(control.y())} : edge.to;
    return edge;
}

class MorphShape final : public Morph
{
public:
    std::shared_ptr<const Shape> shapeAt(int ratio) const override
    {
        ratio = std::clamp(ratio, 0, 65535);
        const std::lock_guard lock(m_mutex);
        const auto found = std::find_if(m_kept.begin(), m_kept.end(),
                                        [ratio](const auto &kept) { return kept.first == ratio; });
        if (found != m_kept.end()) {
            std::rotate(found, found + 1, m_kept.end()); // the latest last
            return m_kept.back().second;
        }
        if (m_kept.size() >= Kept)
            m_kept.erase(m_kept.begin());
        m_kept.emplace_back(ratio, std::make_shared<const Shape>(build(ratio / 65535.0)));
        return m_kept.back().second;
    }

    // The area of the shape at any ratio: each point lies between its start and its end.
    void measure()
    {
        QRectF area;
        const auto add = [&](const Edge &edge) {
            area |= QRectF(toPointF(edge.from), toPointF(edge.to)).normalized();
            area |= QRectF(toPointF(edge.from), controlOf(edge)).normalized();
        };
        for (const MorphEdge &edge : edges) {
            add(edge.start);
            add(edge.end);
        }
        int widest = -1;
        for (const MorphLine &line : lines) {
            const int width = std::max(line.start.width, line.end.width);
            widest = std::max(widest, width);
            if (line.start.scaling != StrokeScaling::Both)
                nonScalingWidth = std::max(nonScalingWidth, width + 40);
        }
        const qreal half = widest < 0 ? 0 : std::max(widest, 20) / 2.0 + 20;
        bounds = edges.empty() ? QRectF() : area.adjusted(-half, -half, half, half);
    }

    std::vector<MorphFill> fills;
    std::vector<MorphLine> lines;
    std::vector<MorphEdge> edges;

private:
    Shape build(qreal t) const
    {
        Shape shape;
        for (const MorphFill &fill : fills)
            shape.fills.push_back(mixFills(fill.start, fill.end, fill.linearRgb, t));
        for (const MorphLine &line : lines) {
            LineStyle style = line.start;
            style.width = int(mix(qint64(line.start.width), qint64(line.end.width), t));
            style.colour = mixColours(line.start.colour, line.end.colour, t);
            if (style.hasFill) {
                style.fill = mixFills(line.start.fill, line.end.fill, line.linearRgb, t);
                colourFromFill(style);
            }
            shape.lines.push_back(style);
        }
        EdgeGroup group;
        for (const MorphEdge &edge : edges)
            group.add(mixEdges(edge.start, edge.end, t), edge.fill0, edge.fill1, edge.line);
        group.flush(shape);
        shape.edges = int(edges.size());
        return shape;
    }

    static constexpr size_t Kept = 4;
    mutable std::mutex m_mutex;
    mutable std::vector<std::pair<int, std::shared_ptr<const Shape>>> m_kept;
};

// DefineMorphShape (`version` 1) or DefineMorphShape2 (2), its id already read.
class MorphReader
{
public:
    MorphReader(BitReader &in, int version, int fileVersion, const ShapeLimits &limits)
        : m_in(in)
        , m_version(version)
        , m_fileVersion(fileVersion)
        , m_edgeBudget(std::max(0, limits.edgeBudget))
        , m_maxStyles(limits.maxStyles)
    {}

    // The morph, null when its styles can't be read; `problem` says what was left out.
    std::shared_ptr<MorphShape> read(QString &problem)
    {
        auto morph = std::make_shared<MorphShape>();
        (void)m_in.rect(); // start and end bounds: ours are measured
        (void)m_in.rect();
        if (m_version == 2) {
            (void)m_in.rect(); // start and end edge bounds
            (void)m_in.rect();
            // The stroke hints only summarise the line styles. The bit that asks DefineShape4 for
            // non-zero winding is reserved here: a morph is filled even-odd, as Ruffle fills it.
            (void)m_in.u8();
        }
        const qsizetype offset = m_in.u32();
        const QByteArrayView afterOffset = m_in.rest();
        if (!readStyles(*morph)) {
            problem = QStringLiteral("passed over: its styles can't be read");
            return nullptr;
        }
        const std::vector<ShapeRecord> start = readStart(*morph);
        // The end edges follow the start's; where the start was not read to its end, the offset
        // finds them.
        BitReader end = m_in;
        if (m_cut || m_in.overrun())
            end = BitReader(offset <= afterOffset.size() ? afterOffset.sliced(offset)
                                                         : QByteArrayView());
        pair(*morph, start, end, problem);
        if (m_cut)
            problem = QStringLiteral("cut at %1 edges").arg(m_edgeBudget);
        morph->measure();
        return morph;
    }

    int edges() const { return m_edges; }

private:
    int count()
    {
        const int n = m_in.u8();
        return n == 0xff ? m_in.u16() : n;
    }

    bool readStyles(MorphShape &morph)
    {
        const int fills = count();
        for (int i = 0; i < fills && !m_in.overrun(); ++i) {
            MorphFill fill;
            if (!readFill(fill.start, fill.end, fill.linearRgb))
                return false;
            morph.fills.push_back(fill);
        }
        const int lines = count();
        for (int i = 0; i < lines && !m_in.overrun(); ++i) {
            MorphLine line;
            line.start.width = m_in.u16();
            line.end.width = m_in.u16();
            if (m_version == 2) {
                readLineFlags(m_in, line.start);
                if (line.start.hasFill && !readFill(line.start.fill, line.end.fill, line.linearRgb))
                    return false;
            }
            if (!line.start.hasFill) {
                line.start.colour = m_in.rgba();
                line.end.colour = m_in.rgba();
            }
            morph.lines.push_back(line);
        }
        return !m_in.overrun() && int(morph.fills.size() + morph.lines.size()) <= m_maxStyles;
    }

    // MORPHFILLSTYLE: each value at the start, then at the end.
    bool readFill(FillStyle &start, FillStyle &end, bool &linearRgb)
    {
        const int type = m_in.u8();
        switch (type) {
        case swf::SolidFill:
            start.colour = m_in.rgba();
            end.colour = m_in.rgba();
            return true;
        case swf::LinearGradientFill:
        case swf::RadialGradientFill:
        case swf::FocalGradientFill: {
            start.kind = gradientKind(type);
            start.matrix = m_in.matrix();
            end.matrix = m_in.matrix();
            const auto flags = m_in.fields(swf::GradientFlags);
            start.spread = spreadOf(flags[swf::Spread]);
            linearRgb = flags[swf::Interpolation] == swf::LinearRgb;
            for (std::uint32_t i = 0; i < flags[swf::StopCount]; ++i) {
                const qreal startAt = m_in.u8() / 255.0;
                start.stops.append({startAt, m_in.rgba()});
                const qreal endAt = m_in.u8() / 255.0;
                end.stops.append({endAt, m_in.rgba()});
            }
            if (type == swf::FocalGradientFill) {
                start.focal = std::clamp(m_in.s16() / 256.0, -MaxFocal, MaxFocal);
                end.focal = std::clamp(m_in.s16() / 256.0, -MaxFocal, MaxFocal);
            }
            return true;
        }
        case swf::RepeatingBitmapFill:
        case swf::ClippedBitmapFill:
        case swf::HardRepeatingBitmapFill:
        case swf::HardClippedBitmapFill:
            start.bitmapId = m_in.u16();
            start.matrix = m_in.matrix();
            end.matrix = m_in.matrix();
            setBitmapKind(start, type, m_fileVersion);
            return true;
        default:
            return false;
        }
    }

    // The start's records, up to half the edge budget: each of its edges has one at the end.
    std::vector<ShapeRecord> readStart(const MorphShape &morph)
    {
        std::vector<ShapeRecord> records;
        m_in.align();
        const int fillBits = int(m_in.bits(4));
        const int lineBits = int(m_in.bits(4));
        Point pen;
        int edges = 0;
        while (!m_in.overrun()) {
            if (edges >= m_edgeBudget / 2) {
                m_cut = true;
                break;
            }
            ShapeRecord record = readRecord(m_in, fillBits, lineBits, pen);
            if (record.kind == ShapeRecord::End)
                break;
            if (record.kind == ShapeRecord::StyleChange) {
                // Resolved here; a morph has one set of styles, so new ones are not read.
                const int fills = int(morph.fills.size()), lines = int(morph.lines.size());
                record.fill0 = std::uint32_t(styleIndex(record.fill0, 0, fills));
                record.fill1 = std::uint32_t(styleIndex(record.fill1, 0, fills));
                record.line = std::uint32_t(styleIndex(record.line, 0, lines));
            } else {
                ++edges;
            }
            records.push_back(record);
        }
        return records;
    }

    // Pairs each start edge with the next edge of the end shape. The end's style changes only
    // move its pen; one stands where the start's style changes stand.
    void pair(MorphShape &morph, const std::vector<ShapeRecord> &start, BitReader &end,
              QString &problem)
    {
        end.align();
        const int fillBits = int(end.bits(4));
        const int lineBits = int(end.bits(4));
        Point pen;
        const auto next = [&] {
            ShapeRecord record;
            do
                record = readRecord(end, fillBits, lineBits, pen);
            while (record.kind == ShapeRecord::StyleChange);
            return record;
        };
        int fill0 = -1, fill1 = -1, line = -1;
        for (const ShapeRecord &record : start) {
            if (record.kind == ShapeRecord::StyleChange) {
                if (record.flags & swf::ChangeFill0)
                    fill0 = int(record.fill0);
                if (record.flags & swf::ChangeFill1)
                    fill1 = int(record.fill1);
                if (record.flags & swf::ChangeLine)
                    line = int(record.line);
                BitReader ahead = end;
                Point aheadPen = pen;
                if (readRecord(ahead, fillBits, lineBits, aheadPen).kind
                    == ShapeRecord::StyleChange) {
                    end = ahead;
                    pen = aheadPen;
                }
                continue;
            }
            const ShapeRecord paired = next();
            if (paired.kind != ShapeRecord::EdgeRecord) {
                problem = QStringLiteral("has fewer end edges than start edges: the rest are "
                                         "left out");
                return;
            }
            morph.edges.push_back({record.edge, paired.edge, fill0, fill1, line});
            m_edges += 2;
        }
        if (!m_cut && next().kind == ShapeRecord::EdgeRecord)
            problem = QStringLiteral("has more end edges than start edges: the rest are left out");
    }

    BitReader &m_in;
    const int m_version;
    const int m_fileVersion;
    const int m_edgeBudget;
    const int m_maxStyles;
    bool m_cut = false;
    int m_edges = 0;
};
} // namespace

Shape readShape(BitReader &in, int version, int fileVersion, const ShapeLimits &limits)
{
    return ShapeReader(in, version, fileVersion, limits).read();
}

std::shared_ptr<const Morph> readMorph(BitReader &in, int version, int fileVersion,
                                       const ShapeLimits &limits, int &edges, QString &problem)
{
    MorphReader reader(in, version, fileVersion, limits);
    std::shared_ptr<const Morph> morph = reader.read(problem);
    edges = reader.edges();
    return morph;
}

QPainterPath readGlyph(BitReader &in, int edgeBudget, int &edges)
{
    return ShapeReader(in, 1, 0, {edgeBudget, 1}).readGlyph(edges);
}

QGradientStops increasingStops(const QGradientStops &raw)
{
    // A point of the gradient takes its colour from the first stop, in file order, whose ratio
    // reaches it, mixed with the stop before that one; beyond every ratio it takes the colour of
    // the last stop in the file. So each span between two stops in file order colours the part of
    // it that no span before it has coloured: a span that goes back colours nothing, and the one
    // after it starts where the colouring so far ended, with its own colour there. Qt wants
    // positions that only increase, so a colour that changes at once changes a hair after the
    // position.
    constexpr qreal hair = 1.0 / 4096;
    QGradientStops out;
    if (raw.isEmpty())
        return out;
    out.append(raw.first());
    qreal last = raw.first().first;
    bool continuous = true; // the last stop appended is the previous stop read
    for (qsizetype i = 1; i < raw.size(); ++i) {
        const auto &[p0, c0] = raw[i - 1];
        const auto &[p1, c1] = raw[i];
        if (p1 <= last) {
            continuous = false;
            continue;
        }
        if (!continuous || p0 < last) {
            const QColor start = mixColours(c0, c1, (last - p0) / (p1 - p0));
            if (last + hair >= p1)
                continue;
            out.append({last + hair, start});
        }
        out.append({p1, c1});
        last = p1;
        continuous = true;
    }
    if (!continuous && last + hair < 1)
        out.append({last + hair, raw.last().second});
    return out;
}

QGradientStops linearRgbStops(const QGradientStops &stops)
{
    // Qt interpolates stops in sRGB; eight steps per span follow the linear-light curve closely.
    constexpr int steps = 8;
    QGradientStops out;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        if (i == 0) {
            out.append(stops[0]);
            continue;
        }
        const auto &[p0, c0] = stops[i - 1];
        const auto &[p1, c1] = stops[i];
        for (int s = 1; s <= steps; ++s) {
            const double t = double(s) / steps;
            const auto mix = [t](double a, double b) {
                return toSrgb(toLinear(a) + (toLinear(b) - toLinear(a)) * t);
            };
            QColor colour = QColor::fromRgbF(float(mix(c0.redF(), c1.redF())),
                                             float(mix(c0.greenF(), c1.greenF())),
                                             float(mix(c0.blueF(), c1.blueF())),
                                             float(c0.alphaF() + (c1.alphaF() - c0.alphaF()) * t));
            out.append({p0 + (p1 - p0) * t, colour});
        }
    }
    return out;
}

} // namespace movie
