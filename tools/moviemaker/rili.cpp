#include "tools/moviemaker/rili.h"

#include "tools/swfwriter/swfwriter.h"

#include <QList>
#include <QtMath>

#include <array>
#include <cmath>

using namespace movie;

namespace {

constexpr int Tw = 20; // twips per pixel
constexpr int StageWidth = 705;
constexpr int StageHeight = 437;
constexpr qreal Rate = 10;
constexpr int Frames = 100;
// Clouds step every third frame: they drift so slowly that more steps show nothing, and each
// step repaints their whole band.
constexpr int CloudStep = 3;

// Traditional colours.
const QColor Paper(244, 234, 212);
const QColor Ink(46, 38, 34);
const QColor Ivory(252, 247, 234);
const QColor Cinnabar(170, 52, 38);
const QColor Gold(196, 150, 62);
const QColor CloudBlue(120, 146, 160);

// Where the subject sits, in pixels: right of the group box, below the top panel.
const QPointF Centre(424, 262);
constexpr qreal TaijiRadius = 54;
constexpr qreal TrigramRadius = 100;
constexpr qreal BeadRadius = 72;

qint64 tw(qreal pixels)
{
    return std::llround(pixels * Tw);
}

// A circle of eight quadratic arcs, as Flash's own tools draw one; clockwise on screen.
void circle(ShapeBuilder &shape, QPointF c, qreal r)
{
    const qreal control = r / std::cos(M_PI / 8);
    shape.moveTo(tw(c.x() + r), tw(c.y()));
    for (int i = 1; i <= 8; ++i) {
        const qreal mid = (i - 0.5) * M_PI / 4;
        const qreal end = i * M_PI / 4;
        shape.curveTo(tw(c.x() + control * std::cos(mid)), tw(c.y() + control * std::sin(mid)),
                      tw(c.x() + r * std::cos(end)), tw(c.y() + r * std::sin(end)));
    }
}

// Half a circle from angle `from` through 180 degrees, in the direction of `sign`.
void halfCircle(ShapeBuilder &shape, QPointF c, qreal r, qreal from, int sign)
{
    const qreal control = r / std::cos(M_PI / 8);
    for (int i = 1; i <= 4; ++i) {
        const qreal mid = from + sign * (i - 0.5) * M_PI / 4;
        const qreal end = from + sign * i * M_PI / 4;
        shape.curveTo(tw(c.x() + control * std::cos(mid)), tw(c.y() + control * std::sin(mid)),
                      tw(c.x() + r * std::cos(end)), tw(c.y() + r * std::sin(end)));
    }
}

void disc(ShapeBuilder &shape, QPointF c, qreal r, const QColor &colour)
{
    shape.newStyles();
    shape.setStyles(0, shape.addFill(WriterFill::solid(colour)), 0);
    circle(shape, c, r);
}

// The taiji around its own origin: ivory disc, the ink half with its S-curve, the two eyes and a
// gold rim.
int taiji(SwfWriter &writer)
{
    const qreal r = TaijiRadius;
    ShapeBuilder shape;
    shape.setStyles(0, shape.addFill(WriterFill::solid(Ivory)), 0);
    circle(shape, {0, 0}, r);
    shape.newStyles();
    shape.setStyles(0, shape.addFill(WriterFill::solid(Ink)), 0);
    shape.moveTo(0, tw(-r));
    halfCircle(shape, {0, 0}, r, -M_PI / 2, 1);         // right side, down to the bottom
    halfCircle(shape, {0, r / 2}, r / 2, M_PI / 2, -1); // up to the centre, bulging right
    halfCircle(shape, {0, -r / 2}, r / 2, M_PI / 2, 1); // up to the top, bulging left
    disc(shape, {0, -r / 2}, r / 7, Ivory);
    disc(shape, {0, r / 2}, r / 7, Ink);
    shape.newStyles();
    shape.setStyles(0, 0, shape.addLine({int(tw(2.5)), Gold}));
    circle(shape, {0, 0}, r + 1);
    return writer.defineShape(shape, 3);
}

// The eight trigrams of the Earlier Heaven order, clockwise from the top, lines listed from the
// inside out (yang 1, yin 0).
constexpr std::array<std::array<int, 3>, 8> Trigrams{{
    {1, 1, 1}, // Qian
    {0, 1, 1}, // Xun
    {0, 1, 0}, // Kan
    {0, 0, 1}, // Gen
    {0, 0, 0}, // Kun
    {1, 0, 0}, // Zhen
    {1, 0, 1}, // Li
    {1, 1, 0}, // Dui
}};

void bar(ShapeBuilder &shape, int fill, QPointF centre, qreal angle, qreal along, qreal from,
         qreal to, qreal thickness)
{
    // A bar across the radius at `along` from the centre, from `from` to `to` sideways.
    const QPointF radial(std::cos(angle), std::sin(angle));
    const QPointF side(-radial.y(), radial.x());
    const auto at = [&](qreal a, qreal s) {
        const QPointF p = centre + radial * a + side * s;
        return QPoint(int(tw(p.x())), int(tw(p.y())));
    };
    const qreal h = thickness / 2;
    shape.polygon({at(along - h, from), at(along - h, to), at(along + h, to), at(along + h, from)},
                  fill);
}

int bagua(SwfWriter &writer)
{
    ShapeBuilder shape;
    // A faint cinnabar ring that carries the trigrams.
    const int ring = shape.addFill(WriterFill::solid(QColor(170, 52, 38, 40)));
    shape.setStyles(0, ring, 0);
    circle(shape, {0, 0}, TrigramRadius + 20);
    shape.setStyles(ring, 0, 0);
    circle(shape, {0, 0}, TrigramRadius - 20);
    shape.newStyles();
    const int ink = shape.addFill(WriterFill::solid(Cinnabar));
    for (size_t i = 0; i < Trigrams.size(); ++i) {
        const qreal angle = -M_PI / 2 + qreal(i) * M_PI / 4;
        for (int line = 0; line < 3; ++line) {
            const qreal along = TrigramRadius - 9 + line * 9;
            const qreal half = 11 + line * 2;
            if (Trigrams[i][size_t(line)]) {
                bar(shape, ink, {0, 0}, angle, along, -half, half, 4.5);
            } else {
                bar(shape, ink, {0, 0}, angle, along, -half, -2.5, 4.5);
                bar(shape, ink, {0, 0}, angle, along, 2.5, half, 4.5);
            }
        }
    }
    return writer.defineShape(shape, 3);
}

// Twenty-four gold beads, 15 degrees apart: a turn of 15 degrees brings the ring back.
int beads(SwfWriter &writer)
{
    ShapeBuilder shape;
    const int gold = shape.addFill(WriterFill::solid(Gold));
    for (int i = 0; i < 24; ++i) {
        const qreal a = i * M_PI / 12;
        const qreal r = i % 3 == 0 ? 3.2 : 2;
        shape.setStyles(0, gold, 0);
        circle(shape, {BeadRadius * std::cos(a), BeadRadius * std::sin(a)}, r);
    }
    return writer.defineShape(shape, 3);
}

// A soft glow behind it all: two flat ivory discs, lighter towards the middle (flat fills cost
// far less to draw again each frame than a gradient).
int halo(SwfWriter &writer)
{
    ShapeBuilder shape;
    shape.setStyles(0, shape.addFill(WriterFill::solid(QColor(252, 246, 230, 150))), 0);
    circle(shape, {0, 0}, TrigramRadius + 34);
    shape.newStyles();
    shape.setStyles(0, shape.addFill(WriterFill::solid(QColor(255, 251, 240, 200))), 0);
    circle(shape, {0, 0}, BeadRadius + 12);
    return writer.defineShape(shape, 3);
}

// An auspicious cloud: three puffs on a flat base with a curl, drawn as one outline.
int cloud(SwfWriter &writer, const QColor &colour)
{
    ShapeBuilder shape;
    const int fill = shape.addFill(WriterFill::solid(colour));
    const int line = shape.addLine({int(tw(1.5)), colour.darker(125)});
    shape.setStyles(0, fill, line);
    shape.moveTo(tw(-40), tw(8));
    shape.curveTo(tw(-52), tw(-4), tw(-34), tw(-10)); // left puff
    shape.curveTo(tw(-30), tw(-26), tw(-12), tw(-18));
    shape.curveTo(tw(0), tw(-34), tw(14), tw(-18)); // crown
    shape.curveTo(tw(30), tw(-26), tw(34), tw(-8));
    shape.curveTo(tw(52), tw(-2), tw(40), tw(8)); // right puff
    shape.lineTo(tw(-40), tw(8));
    // The curl inside the crown.
    shape.setStyles(0, 0, line);
    shape.moveTo(tw(-6), tw(-4));
    shape.curveTo(tw(-6), tw(-16), tw(4), tw(-14));
    shape.curveTo(tw(12), tw(-10), tw(4), tw(-4));
    return writer.defineShape(shape, 3);
}

// A row of clouds `spacing` apart, moving one spacing per loop: the loop closes on itself.
struct CloudRow
{
    int sprite;
    qreal y;
    qreal spacing;
    int direction;
};

int cloudRow(SwfWriter &writer, int cloudId, int count, qreal spacing, qreal scale)
{
    TimelineBuilder row;
    for (int i = 0; i < count; ++i) {
        QTransform t(scale, 0, 0, scale, tw(i * spacing), 0);
        row.place(i + 1, cloudId, t);
    }
    row.showFrame();
    return writer.defineSprite(row);
}

QTransform rotation(qreal degrees, QPointF at)
{
    const qreal a = qDegreesToRadians(degrees);
    return QTransform(std::cos(a), std::sin(a), -std::sin(a), std::cos(a), tw(at.x()), tw(at.y()));
}

} // namespace

QByteArray makeRili()
{
    SwfWriter writer(QRect(0, 0, StageWidth * Tw, StageHeight * Tw), Rate);
    writer.setBackground(Paper);
    const int haloId = halo(writer);
    const int baguaId = bagua(writer);
    const int beadsId = beads(writer);
    const int taijiId = taiji(writer);
    const int cloudId = cloud(writer, QColor(255, 255, 255, 170));
    const int paleCloudId
        = cloud(writer, QColor(CloudBlue.red(), CloudBlue.green(), CloudBlue.blue(), 60));
    // Clouds behind it all, in the bands above and below the ring.
    const CloudRow rows[] = {
        {cloudRow(writer, paleCloudId, 8, 110, 0.55), 126, 110, -1},
        {cloudRow(writer, cloudId, 7, 130, 0.7), 398, 130, 1},
    };

    TimelineBuilder &main = writer.timeline();
    main.place(3, haloId, rotation(0, Centre));
    main.place(4, baguaId, rotation(0, Centre));
    for (int frame = 0; frame < Frames; ++frame) {
        const qreal t = qreal(frame) / Frames;
        const QTransform beadTurn = rotation(-15 * t, Centre);
        const QTransform taijiTurn = rotation(360 * t, Centre);
        int depth = 1;
        const qreal cloudT = qreal(frame - frame % CloudStep) / Frames;
        for (const CloudRow &row : rows) {
            const qreal x = (row.direction > 0 ? -row.spacing + cloudT * row.spacing
                                               : 160 - cloudT * row.spacing);
            const QTransform at = QTransform::fromTranslate(tw(x), tw(row.y));
            frame == 0 ? main.place(depth, row.sprite, at) : main.move(depth, at);
            ++depth;
        }
        frame == 0 ? main.place(5, beadsId, beadTurn) : main.move(5, beadTurn);
        frame == 0 ? main.place(6, taijiId, taijiTurn) : main.move(6, taijiTurn);
        main.showFrame();
    }
    return writer.finish(SwfWriter::Zlib);
}
