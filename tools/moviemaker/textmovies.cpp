// The text movie of tst_swfsamples: static text in each of the formats a font's glyphs come in
// (DefineFont, DefineFont2, DefineFont3) and both text tags (DefineText in RGB, DefineText2 with
// alpha), its glyph outlines taken from two fonts of Debian's (DejaVu Sans and AR PL SungtiL GB).
// A stage of 200 × 120 pixels.

#include "tools/moviemaker/rili.h"

#include "tools/swfwriter/swfwriter.h"

#include <QPainterPath>
#include <QRawFont>

#include <cmath>

using namespace movie;

namespace {

constexpr int twips(double pixels)
{
    return int(std::lround(pixels * 20));
}

// A font's glyphs for `text` in units of `unitsPerEm`, and each glyph's advance at `height`
// pixels, in twips.
struct Glyphs
{
    std::vector<ShapeBuilder> shapes;
    std::vector<int> advances;
};

Glyphs glyphsOf(const QString &fontFile, const QString &text, int unitsPerEm, qreal height)
{
    Glyphs glyphs;
    const QRawFont font(fontFile, 1024);
    const QList<quint32> indexes = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
    const qreal scale = unitsPerEm / 1024.0;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        const QPainterPath path = font.pathForGlyph(indexes[i]);
        ShapeBuilder shape;
        QPointF pen;
        const auto at = [&](const QPointF &p) {
            return QPoint(qRound(p.x() * scale), qRound(p.y() * scale));
        };
        for (int e = 0; e < path.elementCount(); ++e) {
            const QPainterPath::Element element = path.elementAt(e);
            const QPointF point(element.x, element.y);
            if (element.isMoveTo()) {
                shape.setStyles(0, 1, 0);
                shape.moveTo(at(point).x(), at(point).y());
            } else if (element.isLineTo()) {
                shape.lineTo(at(point).x(), at(point).y());
            } else if (element.isCurveTo()) {
                // TrueType's quadratic curves, which Qt hands over raised to cubic ones.
                const QPointF c1 = point, c2(path.elementAt(e + 1).x, path.elementAt(e + 1).y);
                const QPointF end(path.elementAt(e + 2).x, path.elementAt(e + 2).y);
                const QPointF control = (3 * (c1 + c2) - (pen + end)) / 4;
                shape.curveTo(at(control).x(), at(control).y(), at(end).x(), at(end).y());
                e += 2;
                pen = end;
                continue;
            }
            pen = point;
        }
        glyphs.shapes.push_back(shape);
        glyphs.advances.push_back(twips(advances[i].x() * height / 1024));
    }
    return glyphs;
}

SwfWriter::TextRun run(int font, const QColor &colour, QPoint at, qreal height,
                       const Glyphs &glyphs, int first, int count)
{
    SwfWriter::TextRun r{font, colour, twips(at.x()), twips(at.y()), twips(height), {}};
    for (int i = first; i < first + count; ++i)
        r.glyphs.emplace_back(i, glyphs.advances[size_t(i)]);
    return r;
}

QByteArray text()
{
    const QString dejaVu = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    const QString song = QStringLiteral("/usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf");
    SwfWriter w(QRect(0, 0, twips(200), twips(120)), 12);
    w.setBackground(QColor(250, 250, 245));
    const QRect bounds(0, 0, twips(200), twips(120));

    // DefineFont3 (20480 units to the em) in DefineText2: a word and a translucent one over it.
    const Glyphs palm = glyphsOf(dejaVu, QStringLiteral("Palm reading"), 20480, 22);
    const int font3 = w.defineFont(palm.shapes, 3);
    w.timeline().place(
        1, w.defineText(bounds, {},
                        {run(font3, Qt::black, {8, 30}, 22, palm, 0, 4),
                         run(font3, QColor(200, 30, 30, 140), {60, 36}, 22, palm, 5, 7)},
                        true));
    // DefineFont2 of a Chinese face in DefineText, placed by a matrix that scales and moves it.
    const Glyphs hand = glyphsOf(song, QStringLiteral("掌纹手相"), 1024, 18);
    const int font2 = w.defineFont(hand.shapes, 2);
    w.timeline().place(
        2,
        w.defineText(bounds, {}, {run(font2, QColor(30, 60, 180), {0, 0}, 18, hand, 0, 4)}, false),
        QTransform(1.5, 0, 0, 1.5, twips(10), twips(75)));
    // DefineFont in DefineText with a turned text matrix.
    const Glyphs abc = glyphsOf(dejaVu, QStringLiteral("ABC"), 1024, 16);
    const int font1 = w.defineFont(abc.shapes, 1);
    QTransform turned;
    turned.translate(twips(150), twips(70));
    turned.rotate(-30);
    w.timeline().place(3, w.defineText(bounds, turned,
                                       {run(font1, QColor(20, 130, 60), {0, 0}, 16, abc, 0, 3)},
                                       false));
    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

} // namespace

QList<std::pair<QString, QByteArray>> makeTextMovies()
{
    return {{QStringLiteral("ours_text"), text()}};
}
