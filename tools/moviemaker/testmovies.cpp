// The test movies of tst_swfsamples, one per group of features, each judged by Ruffle's picture
// (tools/swfjudge). Stages of 240 × 180 pixels; coordinates below are in pixels, twips() turns
// pixels into twips.

#include "tools/moviemaker/rili.h"

#include "tools/swfwriter/swfwriter.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <map>

using namespace movie;

namespace {

constexpr int twips(double pixels)
{
    return int(pixels * 20);
}

SwfWriter stage(const QColor &background)
{
    SwfWriter writer(QRect(0, 0, twips(240), twips(180)), 12);
    writer.setBackground(background);
    return writer;
}

// A gradient across the box (x, y, w, h): its square of 32768 twips fitted to the box.
WriterFill gradient(WriterFill::Kind kind, const QRectF &box, const QGradientStops &stops,
                    int spread = swf::PadSpread, qreal shrink = 1)
{
    WriterFill fill;
    fill.kind = kind;
    fill.stops = stops;
    fill.spread = spread;
    const qreal sx = twips(box.width()) / 32768.0 * shrink,
                sy = twips(box.height()) / 32768.0 * shrink;
    fill.matrix = QTransform(sx, 0, 0, sy, twips(box.center().x()), twips(box.center().y()));
    return fill;
}

int box(SwfWriter &writer, const QRectF &r, const WriterFill &fill, int version = 4)
{
    ShapeBuilder shape;
    shape.rect(QRect(twips(r.x()), twips(r.y()), twips(r.width()), twips(r.height())),
               shape.addFill(fill));
    return writer.defineShape(shape, version);
}

// Fill kinds: solid with alpha; linear pad, reflect and repeat; radial; focal; linear-RGB
// interpolation; fifteen stops; ratios that go back; bitmaps clipped, repeated and not smoothed.
QByteArray fills()
{
    SwfWriter w = stage(QColor(255, 255, 255));
    const QColor red(220, 40, 40), blue(40, 60, 210), yellow(240, 210, 40);
    const QGradientStops two{{0, red}, {1, blue}};
    int depth = 1;
    const auto place = [&](int id) {
        w.timeline().place(depth++, id);
    };
    place(box(w, {5, 5, 70, 50}, WriterFill::solid(QColor(20, 140, 60))));
    place(box(w, {40, 30, 70, 50}, WriterFill::solid(QColor(40, 60, 210, 128))));
    place(box(w, {120, 5, 115, 25}, gradient(WriterFill::Linear, {120, 5, 115, 25}, two)));
    place(box(w, {120, 35, 115, 25},
              gradient(WriterFill::Linear, {120, 35, 115, 25}, two, swf::ReflectSpread, 0.3)));
    place(box(w, {120, 65, 115, 25},
              gradient(WriterFill::Linear, {120, 65, 115, 25}, two, swf::RepeatSpread, 0.3)));
    place(box(w, {5, 95, 55, 55},
              gradient(WriterFill::Radial, {5, 95, 55, 55}, {{0, yellow}, {0.6, red}, {1, blue}})));
    WriterFill focal = gradient(WriterFill::Focal, {65, 95, 55, 55}, two);
    focal.focal = 0.75;
    place(box(w, {65, 95, 55, 55}, focal));
    WriterFill reflected
        = gradient(WriterFill::Radial, {125, 95, 55, 55}, two, swf::ReflectSpread, 0.4);
    place(box(w, {125, 95, 55, 55}, reflected));
    WriterFill linearRgb
        = gradient(WriterFill::Linear, {185, 95, 50, 25}, {{0, Qt::black}, {1, QColor(0, 255, 0)}});
    linearRgb.linearRgb = true;
    place(box(w, {185, 95, 50, 25}, linearRgb));
    QGradientStops fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen.append({i / 14.0, QColor::fromHsv(i * 24, 200, 230)});
    place(box(w, {185, 125, 50, 25}, gradient(WriterFill::Linear, {185, 125, 50, 25}, fifteen)));
    // Ratios 0, 0.7, 0.3, 1: the third stop goes back, the colour changes at once at 0.7.
    place(box(w, {5, 155, 110, 20},
              gradient(WriterFill::Linear, {5, 155, 110, 20},
                       {{0, red}, {0.7, yellow}, {0.3, blue}, {1, QColor(20, 140, 60)}})));
    // A 4 × 4 checker bitmap: repeated and not smoothed at 3 pixels a texel, and clipped and
    // smoothed (beyond it, its edge pixels stretch).
    QImage checker(4, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            checker.setPixelColor(x, y, (x + y) % 2 ? QColor(30, 30, 30) : QColor(250, 170, 40));
    const int bitmap = w.defineBitmap(checker);
    WriterFill tiled;
    tiled.kind = WriterFill::Bitmap;
    tiled.bitmapId = bitmap;
    tiled.bitmapType = swf::HardRepeatingBitmapFill;
    tiled.matrix = QTransform(twips(3), 0, 0, twips(3), twips(120), twips(155));
    place(box(w, {120, 155, 55, 20}, tiled, 3));
    WriterFill clipped = tiled;
    clipped.bitmapType = swf::ClippedBitmapFill;
    clipped.matrix = QTransform(twips(3), 0, 0, twips(3), twips(180), twips(157));
    place(box(w, {180, 155, 55, 20}, clipped, 3));
    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

// DefineShape4 line styles: each cap, different start and end caps, each join with a miter
// limit, a hairline, a line drawn with a gradient fill, no close.
QByteArray lines()
{
    SwfWriter w = stage(QColor(250, 245, 235));
    const QColor ink(30, 40, 90);
    ShapeBuilder shape;
    const int caps[3][2] = {
        {swf::RoundCap, swf::RoundCap}, {swf::NoCap, swf::NoCap}, {swf::SquareCap, swf::SquareCap}};
    for (int i = 0; i < 3; ++i) {
        WriterLine line{twips(8), ink, caps[i][0], swf::RoundJoin};
        shape.setStyles(0, 0, shape.addLine(line));
        shape.moveTo(twips(15), twips(15 + i * 15));
        shape.lineTo(twips(75), twips(15 + i * 15));
    }
    WriterLine mixed{twips(8), QColor(160, 40, 40), swf::RoundCap, swf::RoundJoin};
    mixed.endCap = swf::SquareCap;
    shape.setStyles(0, 0, shape.addLine(mixed));
    shape.moveTo(twips(15), twips(60));
    shape.lineTo(twips(75), twips(60));
    WriterLine flatStart = mixed;
    flatStart.cap = swf::NoCap;
    flatStart.endCap = swf::RoundCap;
    shape.setStyles(0, 0, shape.addLine(flatStart));
    shape.moveTo(twips(15), twips(75));
    shape.lineTo(twips(75), twips(75));
    const int joins[4] = {swf::RoundJoin, swf::BevelJoin, swf::MiterJoin, swf::MiterJoin};
    for (int i = 0; i < 4; ++i) {
        WriterLine line{twips(7), QColor(20, 110, 60), swf::NoCap, joins[i]};
        line.miterLimit = i == 3 ? 1.5 : 4;
        shape.setStyles(0, 0, shape.addLine(line));
        const int x = 95 + i * 36;
        shape.moveTo(twips(x), twips(40));
        shape.lineTo(twips(x + 12), twips(12));
        shape.lineTo(twips(x + 24), twips(40));
    }
    shape.setStyles(0, 0, shape.addLine({0, Qt::black}));
    shape.moveTo(twips(95), twips(55));
    shape.lineTo(twips(235), twips(60));
    WriterLine filled{twips(10), Qt::transparent, swf::RoundCap, swf::RoundJoin};
    filled.fill = gradient(WriterFill::Linear, {95, 65, 140, 10},
                           {{0, QColor(220, 40, 40)}, {1, QColor(40, 60, 210)}});
    shape.setStyles(0, 0, shape.addLine(filled));
    shape.moveTo(twips(100), twips(75));
    shape.lineTo(twips(230), twips(75));
    // A square outline that returns to its start: joined there, and capped there with no close.
    for (int i = 0; i < 2; ++i) {
        WriterLine line{twips(6), QColor(120, 60, 160), swf::SquareCap, swf::MiterJoin};
        line.noClose = i == 1;
        shape.setStyles(0, 0, shape.addLine(line));
        const int x = 20 + i * 40;
        shape.moveTo(twips(x), twips(90));
        shape.lineTo(twips(x + 25), twips(90));
        shape.lineTo(twips(x + 25), twips(110));
        shape.lineTo(twips(x), twips(110));
        shape.lineTo(twips(x), twips(90));
    }
    w.timeline().place(1, w.defineShape(shape, 4));

    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

// A cross with a curve, drawn with a line of each scaling (both ways, no horizontal, no vertical,
// none), under a matrix that scales by 3; and a hairline. Ruffle's WebGL renderer draws every
// stroke as if it scaled, so this movie is judged by its Canvas renderer, which keeps the flags.
QByteArray lineScaling()
{
    SwfWriter w = stage(QColor(250, 245, 235));
    const WriterLine::Scaling scalings[4]
        = {WriterLine::Both, WriterLine::NoHScale, WriterLine::NoVScale, WriterLine::NoScale};
    for (int i = 0; i < 5; ++i) {
        ShapeBuilder cross;
        WriterLine line{i < 4 ? twips(3) : 0, QColor(200, 90, 20), swf::RoundCap, swf::RoundJoin};
        line.scaling = scalings[i % 4];
        cross.setStyles(0, 0, cross.addLine(line));
        cross.moveTo(twips(-10), 0);
        cross.lineTo(twips(10), 0);
        cross.moveTo(0, twips(-10));
        cross.lineTo(0, twips(10));
        cross.moveTo(twips(-8), twips(-8));
        cross.curveTo(twips(8), twips(-12), twips(8), twips(8));
        w.timeline().place(
            1 + i, w.defineShape(cross, 4),
            QTransform(3, 0, 0, 3, twips(45 + (i % 3) * 75), twips(45 + i / 3 * 90)));
    }
    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

// A pentagram and two overlapping squares drawn as one contour each, even-odd (DefineShape3)
// on the left and non-zero (DefineShape4's winding rule) on the right.
QByteArray fillRules()
{
    SwfWriter w = stage(QColor(20, 20, 30));
    for (int rule = 0; rule < 2; ++rule) {
        ShapeBuilder shape;
        const int fill = shape.addFill(WriterFill::solid(QColor(240, 200, 60)));
        std::vector<QPoint> star;
        for (int i = 0; i < 5; ++i) {
            const double angle = -M_PI / 2 + i * 4 * M_PI / 5;
            star.push_back(
                QPoint(twips(60 + 50 * std::cos(angle)), twips(60 + 50 * std::sin(angle))));
        }
        shape.polygon(star, fill);
        // Two squares, both clockwise, as one contour through a shared corner.
        shape.polygon({QPoint(twips(20), twips(120)), QPoint(twips(70), twips(120)),
                       QPoint(twips(70), twips(170)), QPoint(twips(45), twips(170)),
                       QPoint(twips(45), twips(145)), QPoint(twips(95), twips(145)),
                       QPoint(twips(95), twips(175)), QPoint(twips(20), twips(175))},
                      fill);
        if (rule == 1)
            shape.setFillRule(ShapeBuilder::FillRule::NonZero);
        w.timeline().place(1 + rule, w.defineShape(shape, rule == 0 ? 3 : 4),
                           QTransform::fromTranslate(twips(rule * 120), 0));
    }
    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

// Over three frames: colour transforms with alpha, a sprite in a sprite playing on, a depth whose
// character is replaced and another removed; two background colours, of which the first stays.
QByteArray timeline()
{
    SwfWriter w = stage(QColor(230, 240, 250));
    w.setBackground(QColor(90, 20, 20));
    const QColor red(220, 40, 40), blue(40, 60, 210), green(20, 140, 60);
    const int redSquare = box(w, {0, 0, 40, 40}, WriterFill::solid(red), 3);
    const int blueDisc = [&] {
        ShapeBuilder shape;
        shape.setStyles(0, shape.addFill(WriterFill::solid(blue)), 0);
        shape.moveTo(twips(20), 0);
        shape.curveTo(twips(40), 0, twips(40), twips(20));
        shape.curveTo(twips(40), twips(40), twips(20), twips(40));
        shape.curveTo(0, twips(40), 0, twips(20));
        shape.curveTo(0, 0, twips(20), 0);
        return w.defineShape(shape, 3);
    }();
    const int greenBar = box(w, {0, 0, 200, 20}, WriterFill::solid(green), 3);
    // Inner sprite: a red square stepping right; the outer one holds it twice, the second
    // half transparent and tinted.
    TimelineBuilder inner;
    for (int frame = 0; frame < 3; ++frame) {
        if (frame == 0)
            inner.place(1, redSquare, QTransform::fromScale(0.5, 0.5));
        else
            inner.move(1, QTransform(0.5, 0, 0, 0.5, twips(frame * 20), 0));
        inner.showFrame();
    }
    const int innerSprite = w.defineSprite(inner);
    TimelineBuilder outer;
    outer.place(1, innerSprite);
    outer.place(2, innerSprite, QTransform::fromTranslate(0, twips(25)),
                WriterColorTransform{{256, 256, 256, 128}, {0, 0, 120, 0}});
    outer.showFrame();
    const int outerSprite = w.defineSprite(outer);

    TimelineBuilder &main = w.timeline();
    main.place(1, greenBar, QTransform::fromTranslate(twips(20), twips(120)));
    // Over the bar: alpha halved and a red tint; alpha from an add term alone.
    main.place(2, redSquare, QTransform::fromTranslate(twips(30), twips(110)),
               WriterColorTransform{{256, 256, 256, 128}, {0, 0, 0, 0}});
    main.place(3, blueDisc, QTransform::fromTranslate(twips(90), twips(110)),
               WriterColorTransform{{128, 256, 256, 0}, {100, 0, 0, 160}});
    main.place(4, redSquare, QTransform::fromTranslate(twips(160), twips(20)));
    main.place(5, blueDisc, QTransform::fromTranslate(twips(160), twips(70)));
    main.place(6, outerSprite, QTransform::fromTranslate(twips(20), twips(20)));
    main.showFrame();
    main.replace(4, blueDisc); // keeps its place
    main.remove(5);
    main.showFrame();
    main.replace(4, redSquare);
    main.place(5, redSquare, QTransform::fromTranslate(twips(200), twips(70)));
    main.showFrame();
    return w.finish(SwfWriter::Plain);
}

// Frame actions that move timelines, each row a timeline of squares stepping right: the main
// timeline's bar jumps over a stop, goes to a label past a frame that places a green square and
// stops there, before a frame that would place a red one; sprite S stops on its third frame;
// T goes from its second frame to its fourth and plays on; U goes from its second frame to its
// fourth, whose own action plays on; V steps to its next frame from its second, and stops.
QByteArray actions()
{
    SwfWriter w = stage(QColor(250, 246, 236));
    const QColor rows[]
        = {{40, 60, 210}, {200, 120, 20}, {130, 40, 160}, {20, 140, 140}, {120, 120, 120}};
    const auto square = [&](const QColor &colour) {
        return box(w, {0, 0, 20, 20}, WriterFill::solid(colour), 3);
    };
    // A sprite of `count` frames, its square stepping 20 pixels a frame, with `frameActions`
    // on the frames they name.
    const auto stepper
        = [&](const QColor &colour, int count, const std::map<int, QByteArray> &frameActions) {
              const int id = square(colour);
              TimelineBuilder sprite;
              for (int frame = 0; frame < count; ++frame) {
                  const QTransform at = QTransform::fromTranslate(twips(10 + 20 * frame), 0);
                  frame == 0 ? sprite.place(1, id, at) : sprite.move(1, at);
                  if (const auto it = frameActions.find(frame); it != frameActions.end())
                      sprite.doAction(it->second);
                  sprite.showFrame();
              }
              return w.defineSprite(sprite);
          };
    const QByteArray goto3 = actionRecord(swf::ActionGotoFrame, actionFrame(3));
    const int s = stepper(rows[1], 4, {{2, actionRecord(swf::ActionStop)}});
    const int t = stepper(rows[2], 5, {{1, goto3 + actionRecord(swf::ActionPlay)}});
    const int u = stepper(rows[3], 4, {{1, goto3}, {3, actionRecord(swf::ActionPlay)}});
    const int v = stepper(rows[4], 4, {{1, actionRecord(swf::ActionNextFrame)}});

    TimelineBuilder &main = w.timeline();
    const int bar = box(w, {0, 0, 10, 20}, WriterFill::solid(rows[0]), 3);
    const int green = square(QColor(20, 160, 60));
    const int red = square(QColor(220, 30, 30));
    for (int frame = 0; frame < 6; ++frame) {
        const QTransform at = QTransform::fromTranslate(twips(10 + 20 * frame), twips(10));
        frame == 0 ? main.place(1, bar, at) : main.move(1, at);
        if (frame == 0) {
            int depth = 2;
            for (const int sprite : {s, t, u, v}) {
                main.place(depth, sprite, QTransform::fromTranslate(0, twips(35 * depth - 25)));
                ++depth;
            }
        }
        if (frame == 1) // jumps over the stop
            main.doAction(actionRecord(swf::ActionJump, actionFrame(1))
                          + actionRecord(swf::ActionStop));
        if (frame == 2)
            main.doAction(actionRecord(swf::ActionGotoLabel, QByteArray("ende", 5)));
        if (frame == 3)
            main.place(6, green, QTransform::fromTranslate(twips(170), twips(10)));
        if (frame == 4)
            main.frameLabel("ende");
        if (frame == 5)
            main.place(7, red, QTransform::fromTranslate(twips(200), twips(10)));
        main.showFrame();
    }
    return w.finish(SwfWriter::Plain);
}

// Bitmap `id` of `size` pixels, clipped and scaled by `scale`, in a box of its size at `at`.
void placePicture(SwfWriter &w, int depth, int id, QPointF at, QSize size, qreal scale)
{
    WriterFill picture;
    picture.kind = WriterFill::Bitmap;
    picture.bitmapId = id;
    picture.bitmapType = swf::ClippedBitmapFill;
    picture.matrix = QTransform(twips(scale), 0, 0, twips(scale), twips(at.x()), twips(at.y()));
    w.timeline().place(
        depth, box(w, {at.x(), at.y(), size.width() * scale, size.height() * scale}, picture, 3));
}

// A picture as Qt's JPEG writer makes it: a diagonal colour sweep with a disc, `hue` apart.
QByteArray jpegPicture(int hue)
{
    QImage image(48, 36, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sweep(0, 0, 48, 36);
    sweep.setColorAt(0, QColor::fromHsv(hue, 200, 240));
    sweep.setColorAt(1, QColor::fromHsv((hue + 120) % 360, 220, 120));
    painter.fillRect(image.rect(), sweep);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(14, 8, 20, 20));
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(85);
    writer.write(image);
    return buffer.data();
}

// Two pictures in DefineBits sharing one JPEGTables, as Flash's early tools wrote them, the tables
// behind the erroneous header (FF D9 FF D8) those tools put in front of some streams.
QByteArray jpegTables()
{
    SwfWriter w = stage(QColor(240, 240, 240));
    const auto [tables, first] = SwfWriter::splitJpeg(jpegPicture(10));
    const auto [sameTables, second] = SwfWriter::splitJpeg(jpegPicture(200));
    if (tables != sameTables)
        qFatal("moviemaker: the two pictures' JPEG tables differ");
    w.jpegTables(QByteArray("\xff\xd9\xff\xd8", 4) + tables);
    const int ids[] = {w.defineBits(first), w.defineBits(second)};
    for (int i = 0; i < 2; ++i)
        placePicture(w, i + 1, ids[i], {15.0 + i * 110, 40}, {48, 36}, 2);
    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

// The other pictures the JPEG tags may hold, and DefineBitsJPEG4: a PNG with alpha in
// DefineBitsJPEG2 and in DefineBitsJPEG4 (no alpha data of its own), and in DefineBitsJPEG4 a
// JPEG with alpha data and a deblocking strength.
QByteArray pictureFormats()
{
    SwfWriter w = stage(QColor(250, 245, 230));
    QImage ring(40, 40, QImage::Format_ARGB32);
    ring.fill(Qt::transparent);
    {
        QPainter painter(&ring);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(200, 40, 90, 200), 6));
        painter.drawEllipse(QRectF(5, 5, 30, 30));
        painter.fillRect(QRectF(14, 14, 12, 12), QColor(30, 90, 200));
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ring.save(&png, "png");
    QByteArray alpha;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 48; ++x)
            alpha += char(std::min(255, (x + y) * 4)); // clear at the top left, opaque beyond
    const int ids[] = {w.defineJpeg(png.data()), w.defineJpeg4(png.data(), {}, 0),
                       w.defineJpeg4(jpegPicture(60), alpha, 0x0100)};
    const QSize sizes[] = {{40, 40}, {40, 40}, {48, 36}};
    for (int i = 0; i < 3; ++i)
        placePicture(w, i + 1, ids[i], {10.0 + i * 75, 50}, sizes[i], 1.5);
    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

// Buttons as they stand with no pointer over them: DefineButton2 with a translucent record and
// states over, down and hit that must not show, placed twice (once turned), and DefineButton
// whose record scales its shape.
QByteArray buttons()
{
    SwfWriter w = stage(QColor(235, 240, 250));
    const int green = box(w, {0, 0, 60, 40}, WriterFill::solid(QColor(40, 150, 70)), 3);
    const int red = box(w, {0, 0, 60, 40}, WriterFill::solid(QColor(210, 40, 40)), 3);
    const int blue = box(w, {10, 10, 30, 14}, WriterFill::solid(QColor(30, 60, 200)), 3);
    const int hit = box(w, {-5, -5, 70, 50}, WriterFill::solid(Qt::black), 3);
    WriterColorTransform half;
    half.mul[3] = 128;
    const int second = w.defineButton(
        {{swf::ButtonStateUp, green, 1, {}, {}},
         {0x02 | 0x04, red, 1, {}, {}}, // over and down
         {0x08, hit, 2, {}, {}},        // the area the pointer meets
         {swf::ButtonStateUp, blue, 3, QTransform::fromTranslate(twips(15), twips(12)), half}},
        2);
    const int yellow = box(w, {0, 0, 30, 20}, WriterFill::solid(QColor(230, 190, 30)), 3);
    const int first
        = w.defineButton({{swf::ButtonStateUp, yellow, 1, QTransform(2, 0, 0, 1.5, 0, 0), {}},
                          {0x02, red, 1, {}, {}}},
                         1);
    w.timeline().place(1, second, QTransform::fromTranslate(twips(20), twips(20)));
    QTransform turned = QTransform::fromTranslate(twips(60), twips(100));
    turned.rotate(20);
    w.timeline().place(2, second, turned);
    w.timeline().place(3, first, QTransform::fromTranslate(twips(140), twips(40)));
    w.timeline().showFrame();
    return w.finish(SwfWriter::Plain);
}

} // namespace

QList<std::pair<QString, QByteArray>> makeTestMovies()
{
    return QList<std::pair<QString, QByteArray>>{
               {QStringLiteral("ours_fills"), fills()},
               {QStringLiteral("ours_lines"), lines()},
               {QStringLiteral("ours_linescaling"), lineScaling()},
               {QStringLiteral("ours_fillrules"), fillRules()},
               {QStringLiteral("ours_timeline"), timeline()},
               {QStringLiteral("ours_actions"), actions()},
               {QStringLiteral("ours_jpegtables"), jpegTables()},
               {QStringLiteral("ours_buttons"), buttons()},
               {QStringLiteral("ours_pictureformats"), pictureFormats()}}
           + makeGradientMovies() + makeTextMovies() + makeMorphMovies() + makeBlendMovies();
}
