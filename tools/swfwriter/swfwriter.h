#pragma once

// A small SWF writer for our own movies: the movie maker writes "rili.swf" with it and the tests
// write the little movies they play. It writes what our player reads: shapes 1 to 4 with solid,
// gradient and bitmap fills and line styles, morphs 1 and 2, lossless and JPEG bitmaps, sprites,
// PlaceObject 1 to 3, RemoveObject 1 and 2, ShowFrame, plain ("FWS") or zlib ("CWS"). The packed
// records are written from the same field tables the reader reads them by (movie/swfformat.h).

#include "movie/swfformat.h"

#include <QByteArray>
#include <QColor>
#include <QGradientStops>
#include <QRect>
#include <QTransform>

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace movie {

class BitWriter
{
public:
    void bits(std::uint32_t value, int count);
    void signedBits(std::int32_t value, int count) { bits(std::uint32_t(value), count); }
    void align();
    void u8(int value);
    void u16(int value);
    void u32(std::uint32_t value);
    void rgb(const QColor &colour);
    void rgba(const QColor &colour);
    void rect(const QRect &twips);
    void matrix(const QTransform &transform); // translation in twips
    void bytes(const QByteArray &data);
    const QByteArray &data();

    template<std::size_t N>
    void fields(const swf::BitLayout<N> &layout, const typename swf::BitLayout<N>::Values &values)
    {
        for (std::size_t i = 0; i < N; ++i)
            bits(values[i], layout.widths[i]);
    }

    // Bits a signed field needs for all of `values`.
    static int signedWidth(std::initializer_list<qint64> values);

private:
    QByteArray m_data;
    int m_used = 8; // bits used in the last byte
};

struct WriterFill
{
    enum Kind { Solid = 0x00, Linear = 0x10, Radial = 0x12, Focal = 0x13, Bitmap = 0x40 };
    Kind kind = Solid;
    QColor colour;
    QGradientStops stops; // positions 0..1
    int spread = 0;       // 0 pad, 1 reflect, 2 repeat
    bool linearRgb = false;
    qreal focal = 0;
    QTransform matrix; // gradient square (-16384..16384) or bitmap pixels into the shape
    int bitmapId = 0;
    int bitmapType = 0x40; // 0x40 to 0x43

    static WriterFill solid(const QColor &colour)
    {
        return {Solid, colour, {}, 0, false, 0, {}, 0};
    }
};

// A line style; all but the width and colour are DefineShape4's alone.
struct WriterLine
{
    enum Scaling { Both, NoHScale, NoVScale, NoScale };
    int width = 20; // twips, 0 for a hairline
    QColor colour;
    int cap = swf::RoundCap; // the start cap, and the end cap unless endCap says otherwise
    int join = swf::RoundJoin;
    int endCap = -1;
    qreal miterLimit = 3;
    Scaling scaling = Both;
    bool noClose = false;
    std::optional<WriterFill> fill = std::nullopt; // a line drawn with a fill instead of a colour
};

// Records of one shape, in twips. Style indices are 1-based into the current style arrays, 0 for
// none, as in the file.
class ShapeBuilder
{
public:
    int addFill(const WriterFill &fill);
    int addLine(const WriterLine &line);
    // Starts new style arrays (DefineShape2 and later); fills and lines added after it go there.
    void newStyles();
    void setStyles(int fill0, int fill1, int line);
    void moveTo(qint64 x, qint64 y);
    void lineTo(qint64 x, qint64 y);
    void curveTo(qint64 cx, qint64 cy, qint64 x, qint64 y);
    // A closed polygon with fill1 (right side) = fill, in the order given.
    void polygon(const std::vector<QPoint> &points, int fill1, int line = 0);
    void rect(const QRect &twips, int fill1, int line = 0);

    // DefineShape4 only: how overlapping contours of one fill are filled.
    enum class FillRule { EvenOdd, NonZero };
    void setFillRule(FillRule rule) { m_fillRule = rule; }

    QByteArray body(int id, int version) const;
    // DefineMorphShape (version 1) or DefineMorphShape2 (2) from this shape to `end`. The end's
    // fills and lines are the end values of this shape's, index for index (a style the end lacks
    // stays as it is); its records are edges and moves alone, an edge for each of this shape's.
    QByteArray morphBody(int id, const ShapeBuilder &end, int version) const;
    // The records alone, as a font's glyph (a SHAPE), with fill1 = 1 for the glyph's inside.
    QByteArray glyphBody() const;

private:
    void writeRecords(BitWriter &out, const int &fillBits, const int &lineBits,
                      const std::function<void()> &nextGroup) const;
    struct Record
    {
        enum Kind { Style, Line, Curve } kind;
        bool move = false;
        bool styles = false; // fill0, fill1, line set
        bool newStyles = false;
        int fill0 = 0, fill1 = 0, line = 0;
        qint64 x = 0, y = 0, cx = 0, cy = 0;
    };
    struct Group
    {
        std::vector<WriterFill> fills;
        std::vector<WriterLine> lines;
    };
    std::vector<Group> m_groups{Group()};
    std::vector<Record> m_records;
    std::optional<QRect> m_bounds;
    FillRule m_fillRule = FillRule::EvenOdd;
    void extend(qint64 x, qint64 y);
};

struct WriterColorTransform
{
    std::array<int, 4> mul{256, 256, 256, 256};
    std::array<int, 4> add{0, 0, 0, 0};
};

// Display-list operations frame by frame, for the main timeline or a sprite.
// One ACTIONRECORD: a code alone, or with its data (codes of 0x80 or more). A goto's frame is
// its UI16 (actionFrame).
QByteArray actionRecord(int code, const QByteArray &data = {});
QByteArray actionFrame(int frame);

class TimelineBuilder
{
public:
    // `ratio` (0..65535, none when negative) is a morph's; a blend mode (1..14, none when 0)
    // makes it PlaceObject3.
    void place(int depth, int id, const QTransform &matrix = {},
               const std::optional<WriterColorTransform> &cx = {}, int clipDepth = 0,
               int ratio = -1, int blendMode = 0);
    void move(int depth, const QTransform &matrix,
              const std::optional<WriterColorTransform> &cx = {}, int ratio = -1);
    void replace(int depth, int id); // PlaceObject2 with move and a character
    void remove(int depth);          // RemoveObject2
    void placeObject1(int depth, int id, const QTransform &matrix);
    void placeObject3(int depth, int id, const QTransform &matrix);
    void removeObject1(int depth, int id);
    void showFrame();
    void tag(int code, const QByteArray &body);
    // DoAction of `records` (made by actionRecord), its end added; FrameLabel.
    void doAction(const QByteArray &records);
    void frameLabel(const QByteArray &name);

    const QByteArray &tags() const { return m_tags; }
    int frames() const { return m_frames; }

private:
    QByteArray m_tags;
    int m_frames = 0;
};

class SwfWriter
{
public:
    SwfWriter(const QRect &stageTwips, qreal frameRate);

    void setBackground(const QColor &colour);
    int defineShape(const ShapeBuilder &shape, int version = 3);
    // A morph from `start` to `end` (see ShapeBuilder::morphBody); DefineMorphShape2 has
    // DefineShape4's line styles and takes the start's fill rule.
    int defineMorphShape(const ShapeBuilder &start, const ShapeBuilder &end);
    int defineMorphShape2(const ShapeBuilder &start, const ShapeBuilder &end);
    int defineSprite(const TimelineBuilder &timeline);
    int defineBitmap(const QImage &image); // DefineBitsLossless2
    // DefineBitsJPEG2 of a JPEG stream, or DefineBitsJPEG3 with one alpha byte a pixel.
    int defineJpeg(const QByteArray &jpeg, const QByteArray &alpha = {});
    // DefineBitsJPEG4: as DefineBitsJPEG3, with a deblocking strength (8.8 fixed point); no
    // alpha data at all when `alpha` is empty.
    int defineJpeg4(const QByteArray &jpeg, const QByteArray &alpha, int deblocking);
    // A JPEG split as Flash's early tools wrote it: its tables (DQT, DHT) once in JPEGTables,
    // each picture without them in DefineBits. `splitJpeg` returns the tables and the picture.
    static std::pair<QByteArray, QByteArray> splitJpeg(const QByteArray &jpeg);
    void jpegTables(const QByteArray &tables);
    int defineBits(const QByteArray &picture);
    // DefineFont (version 1), DefineFont2 or DefineFont3 of glyph shapes in font units (1024 to
    // the em; 20480 in DefineFont3), without layout; its codes are private-use characters.
    int defineFont(const std::vector<ShapeBuilder> &glyphs, int version);
    // DefineText (RGB colours) or DefineText2 (RGBA) of runs of glyphs.
    struct TextRun
    {
        int font = 0;
        QColor colour;
        int x = 0, y = 0;                        // twips, in the text's space
        int height = 0;                          // the em in twips
        std::vector<std::pair<int, int>> glyphs; // index in the font, advance in twips
    };
    int defineText(const QRect &bounds, const QTransform &matrix, const std::vector<TextRun> &runs,
                   bool alpha);
    // DefineButton (no colour transforms) or DefineButton2 of records, without actions.
    struct ButtonRecord
    {
        int states = 0; // swf::ButtonStateUp and the other state bits
        int id = 0;
        int depth = 1;
        QTransform matrix;
        WriterColorTransform cx;
    };
    int defineButton(const std::vector<ButtonRecord> &records, int version);
    void tag(int code, const QByteArray &body);

    TimelineBuilder &timeline() { return m_timeline; }

    enum Compression { Plain, Zlib };
    QByteArray finish(Compression compression = Zlib) const;

    static QByteArray tagBytes(int code, const QByteArray &body);

private:
    QRect m_stage;
    qreal m_rate;
    int m_nextId = 1;
    QByteArray m_definitions;
    TimelineBuilder m_timeline;
};

} // namespace movie
