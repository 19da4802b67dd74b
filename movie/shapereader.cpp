#include "movie/shapereader.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
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

// A focal point is kept this far inside its circle: on the circle itself the ratio behind the
// point grows without bound. Ruffle keeps it there too, and its pictures judge ours.
constexpr qreal MaxFocal = 0.98;

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
            style.kind = type == swf::LinearGradientFill   ? FillStyle::Linear
                         : type == swf::RadialGradientFill ? FillStyle::Radial
                                                           : FillStyle::Focal;
            style.matrix = m_in.matrix();
            const auto flags = m_in.fields(swf::GradientFlags);
            style.spread = flags[swf::Spread] == swf::ReflectSpread  ? QGradient::ReflectSpread
                           : flags[swf::Spread] == swf::RepeatSpread ? QGradient::RepeatSpread
                                                                     : QGradient::PadSpread;
            QGradientStops raw;
            for (std::uint32_t i = 0; i < flags[swf::StopCount]; ++i) {
                const qreal at = m_in.u8() / 255.0;
                raw.append({at, colour()});
            }
            style.stops = increasingStops(raw);
            if (type == swf::FocalGradientFill)
                style.focal = std::clamp(m_in.s16() / 256.0, -MaxFocal, MaxFocal);
            if (style.stops.isEmpty()) {
                style.kind = FillStyle::Solid;
                style.colour = Qt::transparent;
            } else if (flags[swf::Interpolation] == swf::LinearRgb) {
                style.stops = linearRgbStops(style.stops);
            }
            return true;
        }
        case swf::RepeatingBitmapFill:
        case swf::ClippedBitmapFill:
        case swf::HardRepeatingBitmapFill:
        case swf::HardClippedBitmapFill:
            style.kind = FillStyle::Bitmap;
            style.bitmapId = m_in.u16();
            style.matrix = m_in.matrix();
            style.repeat = (type & 0x01) == 0;
            style.smooth = (type & 0x02) == 0 && m_fileVersion >= 8;
            return true;
        default:
            return false; // unknown fill: its length is unknown, so the shape ends here
        }
    }

    static Qt::PenCapStyle capStyle(std::uint32_t code)
    {
        return code == swf::NoCap       ? Qt::FlatCap
               : code == swf::SquareCap ? Qt::SquareCap
                                        : Qt::RoundCap;
    }

    bool readLine(LineStyle &style)
    {
        style.width = m_in.u16();
        if (m_version < 4) {
            style.colour = colour();
            return true;
        }
        const auto flags = m_in.fields(swf::LineStyle2Flags);
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
            style.miterLimit = std::max(1.0, m_in.u16() / 256.0);
        if (style.hasFill) {
            if (!readFill(style.fill))
                return false;
            style.colour = style.fill.kind == FillStyle::Solid ? style.fill.colour
                           : style.fill.stops.isEmpty()        ? QColor(Qt::transparent)
                                                               : style.fill.stops.first().second;
        } else {
            style.colour = m_in.rgba();
        }
        return true;
    }

    int styleIndex(std::uint32_t index, int base, int count) const
    {
        return index == 0 || int(index) > count ? -1 : base + int(index) - 1;
    }

    void readRecords()
    {
        Point pen;
        while (!m_in.overrun() && m_shape.edges < m_edgeBudget) {
            if (m_in.bits(1) == 0) {
                const std::uint32_t flags = m_in.bits(5);
                if (flags == 0 || m_in.overrun())
                    return;
                if (flags & swf::ChangeMoveTo) {
                    const int n = int(m_in.bits(5));
                    pen.x = m_in.signedBits(n);
                    pen.y = m_in.signedBits(n);
                }
                if (flags & swf::ChangeFill0)
                    m_fill0 = styleIndex(m_in.bits(m_fillBits), m_fillBase, m_fillCount);
                if (flags & swf::ChangeFill1)
                    m_fill1 = styleIndex(m_in.bits(m_fillBits), m_fillBase, m_fillCount);
                if (flags & swf::ChangeLine)
                    m_line = styleIndex(m_in.bits(m_lineBits), m_lineBase, m_lineCount);
                // New style arrays exist from DefineShape2 on.
                if ((flags & swf::ChangeNewStyles) && m_version >= 2) {
                    flushGroup();
                    m_in.align();
                    if (!readStyles())
                        return;
                }
                continue;
            }
            Edge edge;
            edge.from = pen;
            const bool straight = m_in.bits(1);
            const int n = int(m_in.bits(4)) + 2;
            if (straight) {
                if (m_in.bits(1)) {
                    pen.x += m_in.signedBits(n);
                    pen.y += m_in.signedBits(n);
                } else if (m_in.bits(1)) {
                    pen.y += m_in.signedBits(n);
                } else {
                    pen.x += m_in.signedBits(n);
                }
                edge.control = pen;
            } else {
                edge.curved = true;
                pen.x += m_in.signedBits(n);
                pen.y += m_in.signedBits(n);
                edge.control = pen;
                pen.x += m_in.signedBits(n);
                pen.y += m_in.signedBits(n);
            }
            if (m_in.overrun())
                return;
            edge.to = pen;
            ++m_shape.edges;
            if (m_fill0 >= 0)
                m_fillEdges[m_fill0].push_back(edge.reversed());
            if (m_fill1 >= 0)
                m_fillEdges[m_fill1].push_back(edge);
            if (m_line >= 0)
                m_lineEdges[m_line].push_back(edge);
        }
    }

    // Paints the current style group: its fills first, in style order, then its lines.
    void flushGroup()
    {
        for (auto &[fill, edges] : m_fillEdges) {
            ShapeLayer layer;
            layer.path = fillPath(edges, m_shape.fillRule);
            layer.fill = fill;
            m_shape.bounds |= layer.path.boundingRect();
            m_shape.layers.push_back(std::move(layer));
        }
        for (auto &[line, edges] : m_lineEdges) {
            ShapeLayer layer;
            layer.path = linePath(edges, m_shape.lines[size_t(line)].noClose);
            layer.line = line;
            const LineStyle &style = m_shape.lines[size_t(line)];
            if (style.scaling != StrokeScaling::Both)
                m_shape.nonScalingWidth = std::max(m_shape.nonScalingWidth, style.width + 40);
            const qreal half = std::max(style.width, 20) / 2.0 + 20;
            m_shape.bounds |= layer.path.boundingRect().adjusted(-half, -half, half, half);
            m_shape.layers.push_back(std::move(layer));
        }
        m_fillEdges.clear();
        m_lineEdges.clear();
    }

    BitReader &m_in;
    const int m_version;
    const int m_fileVersion;
    const int m_edgeBudget;
    const int m_maxStyles;
    Shape m_shape;
    int m_fillBase = 0, m_lineBase = 0, m_fillCount = 0, m_lineCount = 0;
    int m_fillBits = 0, m_lineBits = 0;
    int m_fill0 = -1, m_fill1 = -1, m_line = -1;
    std::map<int, std::vector<Edge>> m_fillEdges;
    std::map<int, std::vector<Edge>> m_lineEdges;
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

} // namespace

Shape readShape(BitReader &in, int version, int fileVersion, const ShapeLimits &limits)
{
    return ShapeReader(in, version, fileVersion, limits).read();
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
