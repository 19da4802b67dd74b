#include "tools/swfwriter/swfwriter.h"

#include <QImage>

#include <zlib.h>

#include <algorithm>
#include <cmath>

namespace movie {

namespace {

int unsignedWidth(qint64 value)
{
    int n = 0;
    while (value > 0) {
        ++n;
        value >>= 1;
    }
    return n;
}

qint64 fixed(qreal value)
{
    return qint64(std::llround(value * 65536));
}

} // namespace

void BitWriter::bits(std::uint32_t value, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        if (m_used == 8) {
            m_data.append('\0');
            m_used = 0;
        }
        if ((value >> i) & 1)
            m_data.back() = char(uchar(m_data.back()) | (0x80 >> m_used));
        ++m_used;
    }
}

void BitWriter::align()
{
    m_used = 8;
}

void BitWriter::u8(int value)
{
    align();
    m_data.append(char(value & 0xff));
}

void BitWriter::u16(int value)
{
    u8(value);
    u8(value >> 8);
}

void BitWriter::u32(std::uint32_t value)
{
    u16(int(value & 0xffff));
    u16(int(value >> 16));
}

void BitWriter::rgb(const QColor &colour)
{
    u8(colour.red());
    u8(colour.green());
    u8(colour.blue());
}

void BitWriter::rgba(const QColor &colour)
{
    rgb(colour);
    u8(colour.alpha());
}

void BitWriter::rect(const QRect &r)
{
    align();
    const int n = signedWidth({r.left(), r.right() + 1, r.top(), r.bottom() + 1});
    bits(std::uint32_t(n), 5);
    signedBits(r.left(), n);
    signedBits(r.right() + 1, n);
    signedBits(r.top(), n);
    signedBits(r.bottom() + 1, n);
    align();
}

void BitWriter::matrix(const QTransform &t)
{
    align();
    const bool scale = t.m11() != 1 || t.m22() != 1;
    bits(scale, 1);
    if (scale) {
        const int n = signedWidth({fixed(t.m11()), fixed(t.m22())});
        bits(std::uint32_t(n), 5);
        signedBits(std::int32_t(fixed(t.m11())), n);
        signedBits(std::int32_t(fixed(t.m22())), n);
    }
    const bool rotate = t.m12() != 0 || t.m21() != 0;
    bits(rotate, 1);
    if (rotate) {
        const int n = signedWidth({fixed(t.m12()), fixed(t.m21())});
        bits(std::uint32_t(n), 5);
        signedBits(std::int32_t(fixed(t.m12())), n);
        signedBits(std::int32_t(fixed(t.m21())), n);
    }
    const qint64 tx = std::llround(t.dx());
    const qint64 ty = std::llround(t.dy());
    const int n = (tx == 0 && ty == 0) ? 0 : signedWidth({tx, ty});
    bits(std::uint32_t(n), 5);
    signedBits(std::int32_t(tx), n);
    signedBits(std::int32_t(ty), n);
    align();
}

void BitWriter::bytes(const QByteArray &data)
{
    align();
    m_data.append(data);
}

const QByteArray &BitWriter::data()
{
    return m_data;
}

int BitWriter::signedWidth(std::initializer_list<qint64> values)
{
    int n = 1;
    for (qint64 v : values)
        n = std::max(n, unsignedWidth(v < 0 ? ~v : v) + 1);
    return n;
}

// Shapes

int ShapeBuilder::addFill(const WriterFill &fill)
{
    m_groups.back().fills.push_back(fill);
    return int(m_groups.back().fills.size());
}

int ShapeBuilder::addLine(const WriterLine &line)
{
    m_groups.back().lines.push_back(line);
    return int(m_groups.back().lines.size());
}

void ShapeBuilder::newStyles()
{
    m_groups.push_back(Group());
    Record record{Record::Style};
    record.newStyles = true;
    m_records.push_back(record);
}

void ShapeBuilder::setStyles(int fill0, int fill1, int line)
{
    Record record{Record::Style};
    record.styles = true;
    record.fill0 = fill0;
    record.fill1 = fill1;
    record.line = line;
    m_records.push_back(record);
}

void ShapeBuilder::moveTo(qint64 x, qint64 y)
{
    Record record{Record::Style};
    record.move = true;
    record.x = x;
    record.y = y;
    m_records.push_back(record);
    extend(x, y);
}

void ShapeBuilder::lineTo(qint64 x, qint64 y)
{
    Record record{Record::Line};
    record.x = x;
    record.y = y;
    m_records.push_back(record);
    extend(x, y);
}

void ShapeBuilder::curveTo(qint64 cx, qint64 cy, qint64 x, qint64 y)
{
    Record record{Record::Curve};
    record.cx = cx;
    record.cy = cy;
    record.x = x;
    record.y = y;
    m_records.push_back(record);
    extend(cx, cy);
    extend(x, y);
}

void ShapeBuilder::polygon(const std::vector<QPoint> &points, int fill1, int line)
{
    if (points.empty())
        return;
    setStyles(0, fill1, line);
    moveTo(points.front().x(), points.front().y());
    for (size_t i = 1; i < points.size(); ++i)
        lineTo(points[i].x(), points[i].y());
    lineTo(points.front().x(), points.front().y());
}

void ShapeBuilder::rect(const QRect &r, int fill1, int line)
{
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    polygon({r.topLeft(), {right, r.top()}, {right, bottom}, {r.left(), bottom}}, fill1, line);
}

void ShapeBuilder::extend(qint64 x, qint64 y)
{
    const QRect point(int(x), int(y), 1, 1);
    m_bounds = m_bounds ? m_bounds->united(point) : point;
}

static void writeFill(BitWriter &out, const WriterFill &fill, int version)
{
    const auto colour = [&](const QColor &c) {
        version >= 3 ? out.rgba(c) : out.rgb(c);
    };
    out.u8(fill.kind == WriterFill::Bitmap ? fill.bitmapType : fill.kind);
    switch (fill.kind) {
    case WriterFill::Solid:
        colour(fill.colour);
        break;
    case WriterFill::Linear:
    case WriterFill::Radial:
    case WriterFill::Focal:
        out.matrix(fill.matrix);
        out.fields(swf::GradientFlags,
                   {std::uint32_t(fill.spread), fill.linearRgb ? swf::LinearRgb : swf::NormalRgb,
                    std::uint32_t(std::min<qsizetype>(fill.stops.size(), 15))});
        for (qsizetype i = 0; i < std::min<qsizetype>(fill.stops.size(), 15); ++i) {
            out.u8(int(std::lround(fill.stops[i].first * 255)));
            colour(fill.stops[i].second);
        }
        if (fill.kind == WriterFill::Focal)
            out.u16(int(std::lround(fill.focal * 256)));
        break;
    case WriterFill::Bitmap:
        out.u16(fill.bitmapId);
        out.matrix(fill.matrix);
        break;
    }
}

// A style array's count: a byte, or 0xff and 16 bits from 255 on.
static void writeStyleCount(BitWriter &out, size_t n)
{
    if (n >= 0xff) {
        out.u8(0xff);
        out.u16(int(n));
    } else {
        out.u8(int(n));
    }
}

static void writeStyles(BitWriter &out, const std::vector<WriterFill> &fills,
                        const std::vector<WriterLine> &lines, int version)
{
    writeStyleCount(out, fills.size());
    for (const WriterFill &fill : fills)
        writeFill(out, fill, version);
    writeStyleCount(out, lines.size());
    for (const WriterLine &line : lines) {
        out.u16(line.width);
        if (version < 4) {
            version >= 3 ? out.rgba(line.colour) : out.rgb(line.colour);
            continue;
        }
        const bool noH
            = line.scaling == WriterLine::NoHScale || line.scaling == WriterLine::NoScale;
        const bool noV
            = line.scaling == WriterLine::NoVScale || line.scaling == WriterLine::NoScale;
        const int endCap = line.endCap >= 0 ? line.endCap : line.cap;
        out.fields(swf::LineStyle2Flags,
                   {std::uint32_t(line.cap), std::uint32_t(line.join), line.fill.has_value(), noH,
                    noV, 0, 0, line.noClose, std::uint32_t(endCap)});
        if (line.join == swf::MiterJoin)
            out.u16(int(std::lround(line.miterLimit * 256)));
        if (line.fill)
            writeFill(out, *line.fill, version);
        else
            out.rgba(line.colour);
    }
}

QByteArray ShapeBuilder::body(int id, int version) const
{
    BitWriter out;
    out.u16(id);
    // The shape's bounds hold its strokes, the edge bounds its edges alone.
    const QRect edges = m_bounds.value_or(QRect());
    int widest = 0;
    bool scaling = false, nonScaling = false;
    for (const Group &group : m_groups)
        for (const WriterLine &line : group.lines) {
            widest = std::max(widest, line.width);
            (line.scaling == WriterLine::Both ? scaling : nonScaling) = true;
        }
    out.rect(m_bounds ? edges.adjusted(-widest / 2, -widest / 2, widest / 2, widest / 2) : edges);
    if (version == 4) {
        out.rect(edges);
        out.u8((m_fillRule == FillRule::NonZero ? swf::UsesFillWindingRule : 0)
               | (nonScaling ? swf::UsesNonScalingStrokes : 0)
               | (scaling ? swf::UsesScalingStrokes : 0));
    }
    size_t group = 0;
    int fillBits = 0, lineBits = 0;
    const auto startGroup = [&] {
        const Group &g = m_groups[group];
        writeStyles(out, g.fills, g.lines, version);
        fillBits = unsignedWidth(qint64(g.fills.size()));
        lineBits = unsignedWidth(qint64(g.lines.size()));
        out.bits(std::uint32_t(fillBits), 4);
        out.bits(std::uint32_t(lineBits), 4);
    };
    startGroup();
    writeRecords(out, fillBits, lineBits, [&] {
        ++group;
        out.align();
        startGroup();
    });
    return out.data();
}

// MORPHFILLSTYLE: `end` gives the end values of `start`'s.
static void writeMorphFill(BitWriter &out, const WriterFill &start, const WriterFill &end)
{
    out.u8(start.kind == WriterFill::Bitmap ? start.bitmapType : start.kind);
    switch (start.kind) {
    case WriterFill::Solid:
        out.rgba(start.colour);
        out.rgba(end.colour);
        break;
    case WriterFill::Linear:
    case WriterFill::Radial:
    case WriterFill::Focal: {
        out.matrix(start.matrix);
        out.matrix(end.matrix);
        const qsizetype stops = std::min<qsizetype>(start.stops.size(), 15);
        out.fields(swf::GradientFlags,
                   {std::uint32_t(start.spread), start.linearRgb ? swf::LinearRgb : swf::NormalRgb,
                    std::uint32_t(stops)});
        for (qsizetype i = 0; i < stops; ++i) {
            const QGradientStop &to = i < end.stops.size() ? end.stops[i] : start.stops[i];
            out.u8(int(std::lround(start.stops[i].first * 255)));
            out.rgba(start.stops[i].second);
            out.u8(int(std::lround(to.first * 255)));
            out.rgba(to.second);
        }
        if (start.kind == WriterFill::Focal) {
            out.u16(int(std::lround(start.focal * 256)));
            out.u16(int(std::lround(end.focal * 256)));
        }
        break;
    }
    case WriterFill::Bitmap:
        out.u16(start.bitmapId);
        out.matrix(start.matrix);
        out.matrix(end.matrix);
        break;
    }
}

QByteArray ShapeBuilder::morphBody(int id, const ShapeBuilder &end, int version) const
{
    const auto bounds = [](const ShapeBuilder &shape) {
        int widest = 0;
        for (const WriterLine &line : shape.m_groups.front().lines)
            widest = std::max(widest, line.width);
        const QRect edges = shape.m_bounds.value_or(QRect());
        return shape.m_bounds ? edges.adjusted(-widest / 2, -widest / 2, widest / 2, widest / 2)
                              : edges;
    };
    const Group &styles = m_groups.front();
    const Group &endStyles = end.m_groups.front();
    BitWriter out;
    out.u16(id);
    out.rect(bounds(*this));
    out.rect(bounds(end));
    if (version == 2) {
        out.rect(m_bounds.value_or(QRect()));
        out.rect(end.m_bounds.value_or(QRect()));
        bool scaling = false, nonScaling = false;
        for (const WriterLine &line : styles.lines)
            (line.scaling == WriterLine::Both ? scaling : nonScaling) = true;
        out.u8((m_fillRule == FillRule::NonZero ? swf::UsesFillWindingRule : 0)
               | (nonScaling ? swf::UsesNonScalingStrokes : 0)
               | (scaling ? swf::UsesScalingStrokes : 0));
    }
    // The styles and the start's records; the offset that comes first counts them.
    BitWriter rest;
    writeStyleCount(rest, styles.fills.size());
    for (size_t i = 0; i < styles.fills.size(); ++i)
        writeMorphFill(rest, styles.fills[i],
                       i < endStyles.fills.size() ? endStyles.fills[i] : styles.fills[i]);
    writeStyleCount(rest, styles.lines.size());
    for (size_t i = 0; i < styles.lines.size(); ++i) {
        const WriterLine &line = styles.lines[i];
        const WriterLine &to = i < endStyles.lines.size() ? endStyles.lines[i] : line;
        rest.u16(line.width);
        rest.u16(to.width);
        if (version == 2) {
            const bool noH
                = line.scaling == WriterLine::NoHScale || line.scaling == WriterLine::NoScale;
            const bool noV
                = line.scaling == WriterLine::NoVScale || line.scaling == WriterLine::NoScale;
            const int endCap = line.endCap >= 0 ? line.endCap : line.cap;
            rest.fields(swf::LineStyle2Flags,
                        {std::uint32_t(line.cap), std::uint32_t(line.join), line.fill.has_value(),
                         noH, noV, 0, 0, line.noClose, std::uint32_t(endCap)});
            if (line.join == swf::MiterJoin)
                rest.u16(int(std::lround(line.miterLimit * 256)));
            if (line.fill) {
                writeMorphFill(rest, *line.fill, to.fill.value_or(*line.fill));
                continue;
            }
        }
        rest.rgba(line.colour);
        rest.rgba(to.colour);
    }
    const int fillBits = unsignedWidth(qint64(styles.fills.size()));
    const int lineBits = unsignedWidth(qint64(styles.lines.size()));
    rest.bits(std::uint32_t(fillBits), 4);
    rest.bits(std::uint32_t(lineBits), 4);
    writeRecords(rest, fillBits, lineBits, nullptr);
    const qsizetype endOffset = rest.data().size();
    const int none = 0; // the end's records have no styles
    rest.bits(0, 4);
    rest.bits(0, 4);
    end.writeRecords(rest, none, none, nullptr);
    out.u32(std::uint32_t(endOffset));
    out.bytes(rest.data());
    return out.data();
}

QByteArray ShapeBuilder::glyphBody() const
{
    BitWriter out;
    const int fillBits = 1, lineBits = 0; // one fill, the glyph's inside
    out.bits(std::uint32_t(fillBits), 4);
    out.bits(std::uint32_t(lineBits), 4);
    writeRecords(out, fillBits, lineBits, nullptr);
    return out.data();
}

// The records, then the end of the shape. `fillBits` and `lineBits` are read as each record is
// written: `nextGroup` changes them at new style arrays.
void ShapeBuilder::writeRecords(BitWriter &out, const int &fillBits, const int &lineBits,
                                const std::function<void()> &nextGroup) const
{
    qint64 penX = 0, penY = 0;
    for (const Record &r : m_records) {
        switch (r.kind) {
        case Record::Style: {
            out.bits(0, 1);
            out.bits((r.newStyles ? swf::ChangeNewStyles : 0)
                         | (r.styles ? swf::ChangeLine | swf::ChangeFill1 | swf::ChangeFill0 : 0)
                         | (r.move ? swf::ChangeMoveTo : 0),
                     5);
            if (r.move) {
                const int n = BitWriter::signedWidth({r.x, r.y});
                out.bits(std::uint32_t(n), 5);
                out.signedBits(std::int32_t(r.x), n);
                out.signedBits(std::int32_t(r.y), n);
                penX = r.x;
                penY = r.y;
            }
            if (r.styles) {
                out.bits(std::uint32_t(r.fill0), fillBits);
                out.bits(std::uint32_t(r.fill1), fillBits);
                out.bits(std::uint32_t(r.line), lineBits);
            }
            if (r.newStyles && nextGroup)
                nextGroup();
            break;
        }
        case Record::Line: {
            const qint64 dx = r.x - penX;
            const qint64 dy = r.y - penY;
            const int n = std::max(2, BitWriter::signedWidth({dx, dy}));
            out.bits(1, 1);
            out.bits(1, 1);
            out.bits(std::uint32_t(n - 2), 4);
            if (dx != 0 && dy != 0) {
                out.bits(1, 1);
                out.signedBits(std::int32_t(dx), n);
                out.signedBits(std::int32_t(dy), n);
            } else {
                out.bits(0, 1);
                out.bits(dx == 0, 1);
                out.signedBits(std::int32_t(dx == 0 ? dy : dx), n);
            }
            penX = r.x;
            penY = r.y;
            break;
        }
        case Record::Curve: {
            const qint64 cdx = r.cx - penX, cdy = r.cy - penY;
            const qint64 adx = r.x - r.cx, ady = r.y - r.cy;
            const int n = std::max(2, BitWriter::signedWidth({cdx, cdy, adx, ady}));
            out.bits(1, 1);
            out.bits(0, 1);
            out.bits(std::uint32_t(n - 2), 4);
            out.signedBits(std::int32_t(cdx), n);
            out.signedBits(std::int32_t(cdy), n);
            out.signedBits(std::int32_t(adx), n);
            out.signedBits(std::int32_t(ady), n);
            penX = r.x;
            penY = r.y;
            break;
        }
        }
    }
    out.bits(0, 6); // end of shape
    out.align();
}

// Timelines

static void writeColorTransform(BitWriter &out, const WriterColorTransform &cx, bool alpha)
{
    const int channels = alpha ? 4 : 3;
    bool hasMul = false, hasAdd = false;
    for (int i = 0; i < channels; ++i) {
        hasMul |= cx.mul[size_t(i)] != 256;
        hasAdd |= cx.add[size_t(i)] != 0;
    }
    int n = 1;
    for (int i = 0; i < channels; ++i) {
        if (hasMul)
            n = std::max(n, BitWriter::signedWidth({cx.mul[size_t(i)]}));
        if (hasAdd)
            n = std::max(n, BitWriter::signedWidth({cx.add[size_t(i)]}));
    }
    out.align();
    out.bits(hasAdd, 1);
    out.bits(hasMul, 1);
    out.bits(std::uint32_t(n), 4);
    for (int i = 0; i < channels && hasMul; ++i)
        out.signedBits(cx.mul[size_t(i)], n);
    for (int i = 0; i < channels && hasAdd; ++i)
        out.signedBits(cx.add[size_t(i)], n);
    out.align();
}

void TimelineBuilder::place(int depth, int id, const QTransform &matrix,
                            const std::optional<WriterColorTransform> &cx, int clipDepth, int ratio,
                            int blendMode)
{
    BitWriter out;
    out.u8(swf::PlaceHasCharacter | swf::PlaceHasMatrix | (cx ? swf::PlaceHasColorTransform : 0)
           | (ratio >= 0 ? swf::PlaceHasRatio : 0) | (clipDepth > 0 ? swf::PlaceHasClipDepth : 0));
    if (blendMode > 0)
        out.u8(swf::PlaceHasBlendMode);
    out.u16(depth);
    out.u16(id);
    out.matrix(matrix);
    if (cx)
        writeColorTransform(out, *cx, true);
    if (ratio >= 0)
        out.u16(ratio);
    if (clipDepth > 0)
        out.u16(clipDepth);
    if (blendMode > 0)
        out.u8(blendMode);
    tag(blendMode > 0 ? swf::PlaceObject3 : swf::PlaceObject2, out.data());
}

void TimelineBuilder::move(int depth, const QTransform &matrix,
                           const std::optional<WriterColorTransform> &cx, int ratio)
{
    BitWriter out;
    out.u8(swf::PlaceMove | swf::PlaceHasMatrix | (cx ? swf::PlaceHasColorTransform : 0)
           | (ratio >= 0 ? swf::PlaceHasRatio : 0));
    out.u16(depth);
    out.matrix(matrix);
    if (cx)
        writeColorTransform(out, *cx, true);
    if (ratio >= 0)
        out.u16(ratio);
    tag(swf::PlaceObject2, out.data());
}

void TimelineBuilder::replace(int depth, int id)
{
    BitWriter out;
    out.u8(swf::PlaceMove | swf::PlaceHasCharacter);
    out.u16(depth);
    out.u16(id);
    tag(swf::PlaceObject2, out.data());
}

void TimelineBuilder::remove(int depth)
{
    BitWriter out;
    out.u16(depth);
    tag(swf::RemoveObject2, out.data());
}

void TimelineBuilder::placeObject1(int depth, int id, const QTransform &matrix)
{
    BitWriter out;
    out.u16(id);
    out.u16(depth);
    out.matrix(matrix);
    tag(swf::PlaceObject, out.data());
}

void TimelineBuilder::placeObject3(int depth, int id, const QTransform &matrix)
{
    BitWriter out;
    out.u8(swf::PlaceHasCharacter | swf::PlaceHasMatrix);
    out.u8(swf::PlaceHasClassName); // which the player passes over
    out.u16(depth);
    out.bytes(QByteArrayLiteral("Ours"));
    out.u8(0);
    out.u16(id);
    out.matrix(matrix);
    tag(swf::PlaceObject3, out.data());
}

void TimelineBuilder::removeObject1(int depth, int id)
{
    BitWriter out;
    out.u16(id);
    out.u16(depth);
    tag(swf::RemoveObject, out.data());
}

void TimelineBuilder::showFrame()
{
    tag(swf::ShowFrame, {});
    ++m_frames;
}

void TimelineBuilder::tag(int code, const QByteArray &body)
{
    m_tags += SwfWriter::tagBytes(code, body);
}

QByteArray actionRecord(int code, const QByteArray &data)
{
    BitWriter record;
    record.u8(code);
    if (code >= 0x80)
        record.u16(int(data.size()));
    return record.data() + data;
}

QByteArray actionFrame(int frame)
{
    BitWriter out;
    out.u16(frame);
    return out.data();
}

void TimelineBuilder::doAction(const QByteArray &records)
{
    tag(swf::DoAction, records + actionRecord(swf::ActionEnd));
}

void TimelineBuilder::frameLabel(const QByteArray &name)
{
    tag(swf::FrameLabel, name + '\0');
}

// The movie

SwfWriter::SwfWriter(const QRect &stageTwips, qreal frameRate)
    : m_stage(stageTwips)
    , m_rate(frameRate)
{}

QByteArray SwfWriter::tagBytes(int code, const QByteArray &body)
{
    BitWriter out;
    if (body.size() < 0x3f) {
        out.u16(code << 6 | int(body.size()));
    } else {
        out.u16(code << 6 | 0x3f);
        out.u32(std::uint32_t(body.size()));
    }
    out.bytes(body);
    return out.data();
}

void SwfWriter::tag(int code, const QByteArray &body)
{
    m_definitions += tagBytes(code, body);
}

void SwfWriter::setBackground(const QColor &colour)
{
    BitWriter out;
    out.rgb(colour);
    tag(swf::SetBackgroundColor, out.data());
}

int SwfWriter::defineShape(const ShapeBuilder &shape, int version)
{
    static constexpr int codes[]
        = {swf::DefineShape, swf::DefineShape2, swf::DefineShape3, swf::DefineShape4};
    const int id = m_nextId++;
    tag(codes[std::clamp(version, 1, 4) - 1], shape.body(id, version));
    return id;
}

int SwfWriter::defineMorphShape(const ShapeBuilder &start, const ShapeBuilder &end)
{
    const int id = m_nextId++;
    tag(swf::DefineMorphShape, start.morphBody(id, end, 1));
    return id;
}

int SwfWriter::defineMorphShape2(const ShapeBuilder &start, const ShapeBuilder &end)
{
    const int id = m_nextId++;
    tag(swf::DefineMorphShape2, start.morphBody(id, end, 2));
    return id;
}

int SwfWriter::defineSprite(const TimelineBuilder &timeline)
{
    const int id = m_nextId++;
    BitWriter out;
    out.u16(id);
    out.u16(timeline.frames());
    out.bytes(timeline.tags());
    out.u16(0); // End
    tag(swf::DefineSprite, out.data());
    return id;
}

int SwfWriter::defineBitmap(const QImage &image)
{
    const int id = m_nextId++;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray pixels;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            pixels.append(char(qAlpha(line[x])));
            pixels.append(char(qRed(line[x])));
            pixels.append(char(qGreen(line[x])));
            pixels.append(char(qBlue(line[x])));
        }
    }
    uLongf size = compressBound(uLong(pixels.size()));
    QByteArray packed(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef *>(packed.data()), &size,
              reinterpret_cast<const Bytef *>(pixels.constData()), uLong(pixels.size()), 9);
    packed.truncate(qsizetype(size));
    BitWriter out;
    out.u16(id);
    out.u8(5);
    out.u16(argb.width());
    out.u16(argb.height());
    out.bytes(packed);
    tag(swf::DefineBitsLossless2, out.data());
    return id;
}

int SwfWriter::defineJpeg(const QByteArray &jpeg, const QByteArray &alpha)
{
    const int id = m_nextId++;
    BitWriter out;
    out.u16(id);
    if (alpha.isEmpty()) {
        out.bytes(jpeg);
        tag(swf::DefineBitsJPEG2, out.data());
        return id;
    }
    out.u32(std::uint32_t(jpeg.size()));
    out.bytes(jpeg);
    out.bytes(qCompress(alpha).sliced(4)); // qCompress puts the length in front of zlib's stream
    tag(swf::DefineBitsJPEG3, out.data());
    return id;
}

int SwfWriter::defineFont(const std::vector<ShapeBuilder> &glyphs, int version)
{
    const int id = m_nextId++;
    std::vector<QByteArray> shapes;
    qsizetype shapeBytes = 0;
    for (const ShapeBuilder &glyph : glyphs) {
        shapes.push_back(glyph.glyphBody());
        shapeBytes += shapes.back().size();
    }
    const auto n = qsizetype(glyphs.size());
    BitWriter out;
    out.u16(id);
    if (version == 1) {
        // Offsets from the table's start, which the first one's value also measures.
        qsizetype at = 2 * n;
        for (const QByteArray &shape : shapes) {
            out.u16(int(at));
            at += shape.size();
        }
        for (const QByteArray &shape : shapes)
            out.bytes(shape);
        tag(swf::DefineFont, out.data());
        return id;
    }
    const bool wide = 4 * (n + 1) + shapeBytes > 0xffff;
    out.u8((wide ? 0x08 : 0) | 0x04); // wide offsets if need be, wide codes
    out.u8(0);                        // no language
    const QByteArray name("Lorvex");
    out.u8(int(name.size()));
    out.bytes(name);
    out.u16(int(n));
    qsizetype at = (wide ? 4 : 2) * (n + 1);
    const auto offset = [&](qsizetype value) {
        wide ? out.u32(std::uint32_t(value)) : out.u16(int(value));
    };
    for (const QByteArray &shape : shapes) {
        offset(at);
        at += shape.size();
    }
    offset(at); // the code table's
    for (const QByteArray &shape : shapes)
        out.bytes(shape);
    for (qsizetype code = 0; code < n; ++code)
        out.u16(int(0xe000 + code)); // private-use codes: only the glyphs matter here
    tag(version == 3 ? swf::DefineFont3 : swf::DefineFont2, out.data());
    return id;
}

int SwfWriter::defineText(const QRect &bounds, const QTransform &matrix,
                          const std::vector<TextRun> &runs, bool alpha)
{
    const int id = m_nextId++;
    qint64 widestIndex = 0;
    int advanceBits = 1;
    for (const TextRun &run : runs)
        for (const auto &[index, advance] : run.glyphs) {
            widestIndex = std::max<qint64>(widestIndex, index);
            advanceBits = std::max(advanceBits, BitWriter::signedWidth({advance}));
        }
    const int glyphBits = std::max(1, unsignedWidth(widestIndex));
    BitWriter out;
    out.u16(id);
    out.rect(bounds);
    out.matrix(matrix);
    out.u8(glyphBits);
    out.u8(advanceBits);
    for (const TextRun &run : runs) {
        out.u8(0x80 | 0x08 | 0x04 | 0x02 | 0x01); // font, colour, y and x given
        out.u16(run.font);
        alpha ? out.rgba(run.colour) : out.rgb(run.colour);
        out.u16(run.x & 0xffff);
        out.u16(run.y & 0xffff);
        out.u16(run.height);
        out.u8(int(run.glyphs.size()));
        for (const auto &[index, advance] : run.glyphs) {
            out.bits(std::uint32_t(index), glyphBits);
            out.signedBits(advance, advanceBits);
        }
        out.align();
    }
    out.u8(0);
    tag(alpha ? swf::DefineText2 : swf::DefineText, out.data());
    return id;
}

int SwfWriter::defineJpeg4(const QByteArray &jpeg, const QByteArray &alpha, int deblocking)
{
    const int id = m_nextId++;
    BitWriter out;
    out.u16(id);
    out.u32(std::uint32_t(jpeg.size()));
    out.u16(deblocking);
    out.bytes(jpeg);
    if (!alpha.isEmpty()) // a PNG or GIF has none
        out.bytes(qCompress(alpha).sliced(4));
    tag(swf::DefineBitsJPEG4, out.data());
    return id;
}

int SwfWriter::defineButton(const std::vector<ButtonRecord> &records, int version)
{
    const int id = m_nextId++;
    BitWriter out;
    out.u16(id);
    if (version == 2) {
        out.u8(0);  // not a menu
        out.u16(0); // no actions
    }
    for (const ButtonRecord &record : records) {
        out.u8(record.states);
        out.u16(record.id);
        out.u16(record.depth);
        out.matrix(record.matrix);
        if (version == 2)
            writeColorTransform(out, record.cx, true);
    }
    out.u8(0); // end of the records
    if (version != 2)
        out.u8(0); // no actions: their end
    tag(version == 2 ? swf::DefineButton2 : swf::DefineButton, out.data());
    return id;
}

std::pair<QByteArray, QByteArray> SwfWriter::splitJpeg(const QByteArray &jpeg)
{
    const QByteArray start("\xff\xd8", 2), end("\xff\xd9", 2);
    QByteArray tables = start, picture = start;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xff) {
        const int marker = uchar(jpeg[at + 1]);
        if (marker == 0xda) { // start of scan: the rest is the picture's
            picture += jpeg.sliced(at);
            break;
        }
        const qsizetype length = 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
        (marker == 0xdb || marker == 0xc4 ? tables : picture) += jpeg.sliced(at, length);
        at += length;
    }
    return {tables + end, picture};
}

void SwfWriter::jpegTables(const QByteArray &tables)
{
    tag(swf::JPEGTables, tables);
}

int SwfWriter::defineBits(const QByteArray &picture)
{
    const int id = m_nextId++;
    BitWriter out;
    out.u16(id);
    out.bytes(picture);
    tag(swf::DefineBits, out.data());
    return id;
}

QByteArray SwfWriter::finish(Compression compression) const
{
    BitWriter body;
    body.rect(m_stage);
    body.u16(int(std::lround(m_rate * 256)));
    body.u16(m_timeline.frames());
    body.bytes(m_definitions);
    body.bytes(m_timeline.tags());
    body.u16(0); // End
    const QByteArray &plain = body.data();

    BitWriter out;
    out.bytes(compression == Zlib ? QByteArrayLiteral("CWS") : QByteArrayLiteral("FWS"));
    out.u8(10);
    out.u32(std::uint32_t(plain.size() + 8));
    if (compression == Plain) {
        out.bytes(plain);
        return out.data();
    }
    uLongf size = compressBound(uLong(plain.size()));
    QByteArray packed(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef *>(packed.data()), &size,
              reinterpret_cast<const Bytef *>(plain.constData()), uLong(plain.size()), 9);
    packed.truncate(qsizetype(size));
    out.bytes(packed);
    return out.data();
}

} // namespace movie
