// The morph movie of tst_swfsamples: shape tweens at several ratios, judged by Ruffle's pictures
// of its three frames. A stage of 240 × 180 pixels; coordinates below are in pixels, twips()
// turns pixels into twips.

#include "tools/moviemaker/rili.h"

#include "tools/swfwriter/swfwriter.h"

#include <QImage>

using namespace movie;

namespace {

constexpr int twips(double pixels)
{
    return int(pixels * 20);
}

QTransform at(double x, double y)
{
    return QTransform::fromTranslate(twips(x), twips(y));
}

ShapeBuilder rect(const QRectF &r, const WriterFill &fill)
{
    ShapeBuilder shape;
    shape.rect(QRect(twips(r.x()), twips(r.y()), twips(r.width()), twips(r.height())),
               shape.addFill(fill));
    return shape;
}

// The end of a morph: its edges and moves alone, its styles the end values of the start's.
ShapeBuilder ending(const std::vector<WriterFill> &fills, const std::vector<WriterLine> &lines = {})
{
    ShapeBuilder shape;
    for (const WriterFill &fill : fills)
        shape.addFill(fill);
    for (const WriterLine &line : lines)
        shape.addLine(line);
    return shape;
}

void polygon(ShapeBuilder &shape, const std::vector<QPointF> &points)
{
    shape.moveTo(twips(points.front().x()), twips(points.front().y()));
    for (size_t i = 1; i < points.size(); ++i)
        shape.lineTo(twips(points[i].x()), twips(points[i].y()));
    shape.lineTo(twips(points.front().x()), twips(points.front().y()));
}

WriterFill linear(const QRectF &box, qreal turn, const QColor &from, const QColor &to)
{
    WriterFill fill;
    fill.kind = WriterFill::Linear;
    fill.stops = {{0, from}, {1, to}};
    fill.matrix = QTransform::fromScale(twips(box.width()) / 32768.0, twips(box.height()) / 32768.0)
                  * QTransform().rotate(turn)
                  * QTransform::fromTranslate(twips(box.center().x()), twips(box.center().y()));
    return fill;
}

// Frame 1: a solid morph at ratios 0, a third and 65535; a line whose width and colour change; a
// linear gradient that turns and changes its colours; straight edges that become curves; a
// DefineMorphShape2 of square caps and miter joins; a bitmap fill that grows; and a morph placed
// at ratio 0. Frame 2 moves that one to its end by a ratio alone, frame 3 moves it without a
// ratio, which keeps its ratio.
QByteArray morphs()
{
    SwfWriter w(QRect(0, 0, twips(240), twips(180)), 12);
    w.setBackground(QColor(245, 245, 235));
    const QColor red(220, 40, 40), blue(40, 60, 210), green(20, 140, 60), orange(240, 150, 30);
    TimelineBuilder &main = w.timeline();

    // A square becomes a wider, lower box, red becoming a translucent blue.
    const int solid
        = w.defineMorphShape(rect({0, 0, 40, 40}, WriterFill::solid(red)),
                             rect({10, 15, 60, 25}, WriterFill::solid(QColor(40, 60, 210, 160))));
    main.place(1, solid, at(5, 5), {}, 0, 0);
    main.place(2, solid, at(80, 5), {}, 0, 21845);
    main.place(3, solid, at(160, 5), {}, 0, 65535);

    // A zigzag of round caps: 2 pixels wide and green, then 10 and orange, its points moved.
    {
        ShapeBuilder start;
        start.setStyles(0, 0, start.addLine({twips(2), green}));
        start.moveTo(0, twips(40));
        start.lineTo(twips(20), 0);
        start.lineTo(twips(40), twips(40));
        start.lineTo(twips(50), twips(10));
        ShapeBuilder end = ending({}, {{twips(10), orange}});
        end.moveTo(0, twips(20));
        end.lineTo(twips(20), twips(40));
        end.lineTo(twips(40), 0);
        end.lineTo(twips(50), twips(30));
        main.place(4, w.defineMorphShape(start, end), at(8, 62), {}, 0, 21845);
    }

    // A gradient left to right, red to blue, turns to top to bottom, yellow to green.
    {
        const QRectF box(0, 0, 50, 45);
        const int id = w.defineMorphShape(rect(box, linear(box, 0, red, blue)),
                                          rect(box, linear(box, 90, QColor(240, 210, 40), green)));
        main.place(5, id, at(68, 62), {}, 0, 32768);
    }

    // A diamond of straight edges becomes a circle of curves: each straight edge pairs with a
    // curve through its middle; the last one stays straight.
    {
        ShapeBuilder start;
        start.setStyles(0, start.addFill(WriterFill::solid(QColor(130, 40, 160))), 0);
        polygon(start, {{25, 0}, {50, 25}, {25, 50}, {0, 25}});
        ShapeBuilder end = ending({WriterFill::solid(QColor(130, 40, 160))});
        end.moveTo(twips(25), 0);
        end.curveTo(twips(50), 0, twips(50), twips(25));
        end.curveTo(twips(50), twips(50), twips(25), twips(50));
        end.curveTo(0, twips(50), 0, twips(25));
        end.lineTo(twips(25), 0);
        main.place(6, w.defineMorphShape(start, end), at(128, 62), {}, 0, 32768);
    }

    // DefineMorphShape2: a star of crossing edges outlined with square caps and miter joins, 3
    // pixels wide becoming 6. Its winding bit is set as DefineShape4 would have it; in a morph the
    // bit is reserved, and the star is filled even-odd, its middle empty.
    {
        ShapeBuilder start;
        WriterLine outline{twips(3), QColor(20, 20, 20)};
        outline.cap = swf::SquareCap;
        outline.join = swf::MiterJoin;
        outline.miterLimit = 4;
        start.setFillRule(ShapeBuilder::FillRule::NonZero);
        start.setStyles(0, start.addFill(WriterFill::solid(orange)), start.addLine(outline));
        const std::vector<QPointF> star{{25, 0}, {40, 45}, {2, 17}, {48, 17}, {10, 45}};
        polygon(start, star);
        WriterLine thick = outline;
        thick.width = twips(6);
        thick.colour = blue;
        ShapeBuilder end = ending({WriterFill::solid(red)}, {thick});
        polygon(end, {{25, 5}, {45, 45}, {0, 20}, {50, 20}, {5, 45}});
        main.place(7, w.defineMorphShape2(start, end), at(185, 62), {}, 0, 21845);
    }

    // A 4 × 4 checker, clipped, at 3 pixels a texel growing to 6 and turning.
    {
        QImage checker(4, 4, QImage::Format_ARGB32);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                checker.setPixelColor(x, y, (x + y) % 2 ? QColor(30, 30, 30) : orange);
        WriterFill picture;
        picture.kind = WriterFill::Bitmap;
        picture.bitmapId = w.defineBitmap(checker);
        picture.bitmapType = swf::ClippedBitmapFill;
        picture.matrix = QTransform::fromScale(twips(3), twips(3));
        WriterFill grown = picture;
        grown.matrix = QTransform::fromScale(twips(6), twips(6)) * QTransform().rotate(20)
                       * QTransform::fromTranslate(twips(10), 0);
        main.place(8,
                   w.defineMorphShape(rect({0, 0, 40, 40}, picture), rect({0, 0, 40, 40}, grown)),
                   at(95, 125), {}, 0, 32768);
    }

    // Placed at its start; frame 2 moves it to its end by a ratio alone.
    const int moved
        = w.defineMorphShape(rect({0, 0, 30, 50}, WriterFill::solid(green)),
                             rect({0, 20, 70, 30}, WriterFill::solid(QColor(240, 210, 40))));
    main.place(9, moved, at(8, 122), {}, 0, 0);
    main.showFrame();
    main.move(9, at(8, 122), {}, 65535);
    main.showFrame();
    main.move(9, at(150, 122));
    main.showFrame();
    return w.finish(SwfWriter::Plain);
}

} // namespace

QList<std::pair<QString, QByteArray>> makeMorphMovies()
{
    return {{QStringLiteral("ours_morph"), morphs()}};
}
