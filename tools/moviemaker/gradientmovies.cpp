// The gradient movies of tst_swfsamples: one movie for each way a gradient may be written, so that
// a picture that differs from Ruffle's names its case. Stages of 160 × 120 pixels, every shape a
// DefineShape4; coordinates below are in pixels.

#include "tools/moviemaker/rili.h"

#include "tools/swfwriter/swfwriter.h"

#include <cmath>

using namespace movie;

namespace {

constexpr int twips(double pixels)
{
    return int(std::lround(pixels * 20));
}

const QColor red(220, 40, 40), blue(40, 60, 210), yellow(240, 210, 40), green(20, 140, 60);

// The gradient square (32768 twips a side) fitted to `box`, shrunk by `shrink` and turned by
// `degrees` about the box's centre.
WriterFill gradient(WriterFill::Kind kind, const QRectF &box, const QGradientStops &stops,
                    int spread = swf::PadSpread, qreal shrink = 1, qreal degrees = 0)
{
    WriterFill fill;
    fill.kind = kind;
    fill.stops = stops;
    fill.spread = spread;
    fill.matrix = QTransform::fromScale(twips(box.width()) / 32768.0 * shrink,
                                        twips(box.height()) / 32768.0 * shrink)
                  * QTransform().rotate(degrees)
                  * QTransform::fromTranslate(twips(box.center().x()), twips(box.center().y()));
    return fill;
}

WriterFill focalGradient(const QRectF &box, const QGradientStops &stops, qreal focal,
                         int spread = swf::PadSpread, qreal shrink = 1)
{
    WriterFill fill = gradient(WriterFill::Focal, box, stops, spread, shrink);
    fill.focal = focal;
    return fill;
}

void addRect(ShapeBuilder &shape, const QRectF &r, int fill)
{
    shape.rect(QRect(twips(r.x()), twips(r.y()), twips(r.width()), twips(r.height())), fill);
}

// A disc of eight quadratic curves inside `box`, filled on its right side with `fill`.
void addDisc(ShapeBuilder &shape, const QRectF &box, int fill)
{
    const QPointF c = box.center();
    const qreal r = box.width() / 2, control = r / std::cos(M_PI / 8);
    shape.setStyles(0, fill, 0);
    shape.moveTo(twips(c.x() + r), twips(c.y()));
    for (int i = 1; i <= 8; ++i) {
        const qreal mid = (i - 0.5) * M_PI / 4, end = i * M_PI / 4;
        shape.curveTo(twips(c.x() + control * std::cos(mid)),
                      twips(c.y() + control * std::sin(mid)), twips(c.x() + r * std::cos(end)),
                      twips(c.y() + r * std::sin(end)));
    }
}

// One shape per box, placed at rising depths.
class GradientMovie
{
public:
    GradientMovie()
        : m_writer(QRect(0, 0, twips(160), twips(120)), 12)
    {
        m_writer.setBackground(QColor(250, 250, 245));
    }

    void box(const QRectF &r, const WriterFill &fill)
    {
        ShapeBuilder shape;
        addRect(shape, r, shape.addFill(fill));
        place(shape);
    }
    void disc(const QRectF &r, const WriterFill &fill)
    {
        ShapeBuilder shape;
        addDisc(shape, r, shape.addFill(fill));
        place(shape);
    }
    void place(const ShapeBuilder &shape)
    {
        m_writer.timeline().place(m_depth++, m_writer.defineShape(shape, 4));
    }
    QByteArray finish()
    {
        m_writer.timeline().showFrame();
        return m_writer.finish(SwfWriter::Plain);
    }

private:
    SwfWriter m_writer;
    int m_depth = 1;
};

// Ratios that do not increase: one stop going back, all going down, a stop back before the first,
// and a radial whose middle stop goes back.
QByteArray unordered()
{
    GradientMovie m;
    const QRectF rows[] = {{5, 5, 150, 18}, {5, 27, 150, 18}, {5, 49, 150, 18}, {5, 71, 70, 44}};
    m.box(rows[0], gradient(WriterFill::Linear, rows[0],
                            {{0, red}, {0.7, yellow}, {0.3, blue}, {1, green}}));
    m.box(rows[1], gradient(WriterFill::Linear, rows[1], {{1, red}, {0.5, yellow}, {0, blue}}));
    m.box(rows[2], gradient(WriterFill::Linear, rows[2],
                            {{0.4, red}, {0.8, yellow}, {0.1, blue}, {0.6, green}, {0.9, red}}));
    m.box(rows[3], gradient(WriterFill::Linear, rows[3], {{0.5, red}, {0.2, blue}, {0.5, green}}));
    const QRectF round(85, 71, 44, 44);
    m.disc(round,
           gradient(WriterFill::Radial, round, {{0, yellow}, {0.8, red}, {0.4, blue}, {1, green}}));
    return m.finish();
}

// Stops at the same ratio: a hard change in the middle, two stops at the start and at the end,
// every stop at one ratio, and a radial ring with a hard edge.
QByteArray repeated()
{
    GradientMovie m;
    const QRectF rows[] = {{5, 5, 150, 18}, {5, 27, 150, 18}, {5, 49, 150, 18}, {5, 71, 70, 44}};
    m.box(rows[0], gradient(WriterFill::Linear, rows[0],
                            {{0, red}, {0.5, yellow}, {0.5, blue}, {1, green}}));
    m.box(rows[1],
          gradient(WriterFill::Linear, rows[1], {{0, red}, {0, blue}, {1, yellow}, {1, green}}));
    m.box(rows[2], gradient(WriterFill::Linear, rows[2], {{0.5, red}, {0.5, blue}, {0.5, green}}));
    m.box(rows[3], gradient(WriterFill::Linear, rows[3],
                            {{0.3, yellow}, {0.3, red}, {0.7, red}, {0.7, blue}}));
    const QRectF round(85, 71, 44, 44);
    m.disc(round,
           gradient(WriterFill::Radial, round, {{0, yellow}, {0.6, red}, {0.6, blue}, {1, green}}));
    return m.finish();
}

// One stop (linear, radial with alpha) and fifteen (linear and radial, unevenly spaced).
QByteArray stopCounts()
{
    GradientMovie m;
    const QRectF one(5, 5, 70, 40), oneRound(85, 5, 40, 40);
    m.box(one, gradient(WriterFill::Linear, one, {{0.3, green}}));
    m.disc(oneRound, gradient(WriterFill::Radial, oneRound, {{0.8, QColor(40, 60, 210, 140)}}));
    QGradientStops fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen.append({std::pow(i / 14.0, 1.5), QColor::fromHsv(i * 24, 200, 230)});
    const QRectF bar(5, 52, 150, 20), round(5, 76, 40, 40);
    m.box(bar, gradient(WriterFill::Linear, bar, fifteen));
    m.disc(round, gradient(WriterFill::Radial, round, fifteen));
    const QRectF turned(55, 76, 100, 40);
    m.box(turned, gradient(WriterFill::Linear, turned, fifteen, swf::ReflectSpread, 0.5, 30));
    return m.finish();
}

// Focal gradients with the focal point at either extreme, padded, reflected and repeated.
QByteArray focal()
{
    GradientMovie m;
    const QGradientStops stops{{0, yellow}, {0.5, red}, {1, blue}};
    const QRectF boxes[] = {{5, 5, 45, 45},  {57, 5, 45, 45},  {109, 5, 45, 45},
                            {5, 65, 45, 45}, {57, 65, 45, 45}, {109, 65, 45, 45}};
    m.box(boxes[0], focalGradient(boxes[0], stops, -1));
    m.box(boxes[1], focalGradient(boxes[1], stops, 1));
    m.box(boxes[2], focalGradient(boxes[2], stops, 1, swf::ReflectSpread, 0.5));
    m.box(boxes[3], focalGradient(boxes[3], stops, -1, swf::RepeatSpread, 0.5));
    m.disc(boxes[4], focalGradient(boxes[4], stops, 0.5));
    m.box(boxes[5], focalGradient(boxes[5], stops, -1, swf::ReflectSpread, 0.5));
    return m.finish();
}

// Each spread mode for a linear and a radial gradient, the square shrunk so that it repeats.
QByteArray spread()
{
    GradientMovie m;
    const QGradientStops stops{{0, red}, {0.4, yellow}, {1, blue}};
    const int spreads[] = {swf::PadSpread, swf::ReflectSpread, swf::RepeatSpread};
    for (int i = 0; i < 3; ++i) {
        const QRectF bar(5, 5 + i * 20, 150, 16);
        m.box(bar, gradient(WriterFill::Linear, bar, stops, spreads[i], 0.3));
        const QRectF round(5 + i * 52, 68, 48, 48);
        m.box(round, gradient(WriterFill::Radial, round, stops, spreads[i], 0.4));
    }
    return m.finish();
}

// Interpolation in linear light: black to green, a translucent three-stop bar, and a radial.
QByteArray linearRgb()
{
    GradientMovie m;
    const auto linear = [](WriterFill fill) {
        fill.linearRgb = true;
        return fill;
    };
    const QRectF rows[] = {{5, 5, 150, 18}, {5, 27, 150, 18}, {5, 49, 150, 18}};
    m.box(rows[0], linear(gradient(WriterFill::Linear, rows[0], {{0, Qt::black}, {1, green}})));
    m.box(rows[1], linear(gradient(WriterFill::Linear, rows[1],
                                   {{0, red}, {0.5, QColor(240, 210, 40, 60)}, {1, blue}})));
    m.box(rows[2], linear(gradient(WriterFill::Linear, rows[2], {{0, red}, {1, blue}},
                                   swf::ReflectSpread, 0.3)));
    const QRectF round(5, 71, 44, 44), focus(60, 71, 44, 44);
    m.disc(round, linear(gradient(WriterFill::Radial, round, {{0, Qt::white}, {1, blue}})));
    m.disc(focus, linear(focalGradient(focus, {{0, yellow}, {1, Qt::black}}, 0.6)));
    return m.finish();
}

// Several gradients in one shape: three radial discs, two linear bars and a focal disc, all fills
// of one style array.
QByteArray several()
{
    ShapeBuilder shape;
    const QRectF discs[] = {{5, 5, 40, 40}, {55, 5, 40, 40}, {105, 5, 40, 40}};
    const QGradientStops radialStops[] = {{{0, yellow}, {1, red}},
                                          {{0, Qt::white}, {0.5, blue}, {1, green}},
                                          {{0, red}, {1, QColor(40, 60, 210, 100)}}};
    for (int i = 0; i < 3; ++i)
        addDisc(shape, discs[i],
                shape.addFill(gradient(WriterFill::Radial, discs[i], radialStops[i])));
    const QRectF bars[] = {{5, 52, 150, 18}, {5, 74, 150, 18}};
    addRect(shape, bars[0],
            shape.addFill(gradient(WriterFill::Linear, bars[0], {{0, red}, {1, blue}})));
    addRect(shape, bars[1],
            shape.addFill(gradient(WriterFill::Linear, bars[1], {{0, green}, {1, yellow}},
                                   swf::RepeatSpread, 0.25)));
    const QRectF focus(60, 96, 22, 22);
    addDisc(shape, focus, shape.addFill(focalGradient(focus, {{0, Qt::white}, {1, red}}, -0.8)));
    GradientMovie m;
    m.place(shape);
    return m.finish();
}

} // namespace

QList<std::pair<QString, QByteArray>> makeGradientMovies()
{
    return {{QStringLiteral("ours_grad_unordered"), unordered()},
            {QStringLiteral("ours_grad_repeated"), repeated()},
            {QStringLiteral("ours_grad_stops"), stopCounts()},
            {QStringLiteral("ours_grad_focal"), focal()},
            {QStringLiteral("ours_grad_spread"), spread()},
            {QStringLiteral("ours_grad_linearrgb"), linearRgb()},
            {QStringLiteral("ours_grad_several"), several()}};
}
