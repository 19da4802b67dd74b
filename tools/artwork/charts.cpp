#include "tools/artwork/charts.h"

#include "tools/artwork/ink.h"
#include "tools/artwork/palmdrawing.h"
#include "tools/artwork/palmhand.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace artwork {

namespace {

constexpr double kHandBottom = 142; // where a palm picture's frame cuts the wrist
constexpr double kLegendTop = 312;  // pixels: the hand above, the legend below
constexpr double kClearance = 2.5;  // around a label, from lines, edges and other labels

struct LineName
{
    PalmLine line;
    const char *name;
    double preferred; // where along the line its number reads best
};
constexpr std::array<LineName, PalmLineCount> kLines = {{
    {PalmLine::Tian, "天纹", 0.7},
    {PalmLine::Ren, "人纹", 0.8},
    {PalmLine::Di, "地纹", 0.45},
    {PalmLine::Shiye, "事业纹", 0.25},
    {PalmLine::Liuxiu, "六秀纹", 0.35},
    {PalmLine::Jiafeng, "家风纹", 0.5},
}};

struct PalaceName
{
    Palace palace;
    const char *name;
    int lines; // the trigram from the bottom up, bit 0 the lowest; a set bit is a whole line
};
constexpr std::array<PalaceName, 8> kPalaces = {{
    {Palace::Xun, "巽", 0b110},
    {Palace::Li, "离", 0b101},
    {Palace::Kun, "坤", 0b000},
    {Palace::Zhen, "震", 0b001},
    {Palace::Dui, "兑", 0b011},
    {Palace::Gen, "艮", 0b100},
    {Palace::Kan, "坎", 0b010},
    {Palace::Qian, "乾", 0b111},
}};

double handScale()
{
    return (kLegendTop - 6) / (kHandBottom - PalmHand().outline().boundingRect().top());
}

// Hand units to chart pixels: the hand centred, its fingertips near the top.
QTransform handTransform()
{
    const QRectF hand = PalmHand().outline().boundingRect();
    const double s = handScale();
    const double dx = (ChartWidth - hand.width() * s) / 2 - hand.left() * s;
    const double dy = 5 - hand.top() * s;
    return QTransform(s, 0, 0, s, dx, dy);
}

Polyline chartCourse(PalmLine line)
{
    return Polyline::fromPath(handTransform().map(PalmHand::ordinaryCourse(line).path()));
}

bool boxOnPalm(const QPainterPath &palm, const QRectF &box)
{
    return palm.contains(box.adjusted(-kClearance, -kClearance, kClearance, kClearance));
}

// The trigram under a palace's name: three bars, broken where the line is divided.
QPainterPath trigramBars(int lines, QPointF topCentre)
{
    constexpr double width = 18, bar = 2.2, gap = 2.6, split = 4;
    QPainterPath bars;
    for (int row = 0; row < 3; ++row) {
        const bool whole = lines & (1 << (2 - row)); // drawn from the top down
        const double y = topCentre.y() + row * (bar + gap);
        const double x = topCentre.x() - width / 2;
        if (whole) {
            bars.addRect(QRectF(x, y, width, bar));
        } else {
            bars.addRect(QRectF(x, y, (width - split) / 2, bar));
            bars.addRect(QRectF(x + (width + split) / 2, y, (width - split) / 2, bar));
        }
    }
    return bars;
}

QPainterPath palaceLabel(const PalaceName &palace, QPointF centre)
{
    QPainterPath label = ink::glyphs(QString::fromUtf8(palace.name), 20, centre - QPointF(0, 6));
    label.addPath(
        trigramBars(palace.lines, QPointF(centre.x(), label.boundingRect().bottom() + 3)));
    return label;
}

} // namespace

ChartScene::ChartScene(Chart chart)
    : m_chart(chart)
{
    if (chart == Chart::Lines)
        placeNumbers();
    else
        placePalaces();
}

QTransform ChartScene::handToChart()
{
    return handTransform();
}

QPainterPath ChartScene::hand() const
{
    return handTransform().map(PalmHand().outline());
}

// Each number beside its line, on the palm, clear of every line and of the numbers before it,
// as near the spot along its line where it reads best.
void ChartScene::placeNumbers()
{
    const QPainterPath palm = handTransform().map(PalmHand().palm());
    std::array<Polyline, PalmLineCount> courses;
    for (int i = 0; i < PalmLineCount; ++i)
        courses[i] = chartCourse(PalmLine(i));
    for (int i = 0; i < PalmLineCount; ++i) {
        const QRectF digits = ink::glyphs(QString::number(i + 1), 17).boundingRect();
        QRectF best;
        double bestCost = -1;
        for (double t = 0.06; t <= 0.94; t += 0.02) {
            const QPointF at = courses[i].pointAt(t), d = courses[i].tangentAt(t);
            for (const double side : {-1.0, 1.0}) {
                for (double offset = 6; offset <= 22; offset += 1) {
                    const QRectF box
                        = digits.translated(at + QPointF(-d.y(), d.x()) * side * offset);
                    if (!boxOnPalm(palm, box))
                        continue;
                    // Clear of every line, and nearer its own line than any other by a margin,
                    // so that no number could be read as another line's.
                    double own = 1e9, other = 1e9;
                    for (int j = 0; j < PalmLineCount; ++j)
                        for (const QPointF &p : courses[j].points())
                            (j == i ? own : other) = std::min(
                                j == i ? own : other, ink::distance(p, ink::nearest(box, p)));
                    bool clear = std::min(own, other) > kClearance && other > own + 6;
                    for (const QRectF &other : m_labels)
                        clear = clear
                                && !other.intersects(
                                    box.adjusted(-kClearance, -kClearance, kClearance, kClearance));
                    if (!clear)
                        continue;
                    const double cost = own + 60 * std::abs(t - kLines[i].preferred)
                                        + 2 * std::max(0.0, 3 * own - other);
                    if (bestCost < 0 || cost < bestCost) {
                        bestCost = cost;
                        best = box;
                    }
                }
            }
        }
        m_labels.append(best);
    }
}

// Each palace's name and trigram on the palace if it fits there, else as near as it does.
void ChartScene::placePalaces()
{
    const QPainterPath palm = handTransform().map(PalmHand().palm());
    for (const PalaceName &palace : kPalaces) {
        const QPointF centre = handTransform().map(PalmHand::palacePoint(palace.palace));
        QRectF best;
        QPointF bestAt = centre;
        double bestCost = -1;
        for (double radius = 0; radius <= 24; radius += 2) {
            for (int step = 0; step < (radius > 0 ? 24 : 1); ++step) {
                const QPointF at = centre + ink::rotated(QPointF(0, radius), 15 * step);
                const QRectF box = palaceLabel(palace, at).boundingRect();
                if (!boxOnPalm(palm, box))
                    continue;
                bool apart = true;
                for (const QRectF &other : m_labels)
                    apart = apart
                            && !other.intersects(
                                box.adjusted(-kClearance, -kClearance, kClearance, kClearance));
                if (apart && (bestCost < 0 || radius < bestCost)) {
                    bestCost = radius;
                    best = box;
                    bestAt = at;
                }
            }
        }
        m_labels.append(best);
        m_palaceAt.append(bestAt);
    }
}

QStringList ChartScene::check() const
{
    QStringList errors;
    const QPainterPath palm = handTransform().map(PalmHand().palm());
    const QString chart = m_chart == Chart::Lines ? QStringLiteral("i1") : QStringLiteral("i2");
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        const QString name
            = QString::fromUtf8(m_chart == Chart::Lines ? kLines.at(i).name : kPalaces.at(i).name);
        if (m_labels.at(i).isNull() || !palm.contains(m_labels.at(i)))
            errors.append(QStringLiteral("%1: %2 finds no place on the palm").arg(chart, name));
        for (qsizetype j = 0; j < i; ++j)
            if (m_labels.at(i).intersects(m_labels.at(j)))
                errors.append(QStringLiteral("%1: %2 lies on another label").arg(chart, name));
    }
    return errors;
}

QImage ChartScene::draw(int scale) const
{
    QImage image = ink::canvas(QSize(ChartWidth, ChartHeight), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The hand as a palm picture draws it, only larger; the wrist cut where the picture's is.
    const PalmHand palmHand;
    p.save();
    p.setClipRect(QRectF(0, 0, ChartWidth, handTransform().map(QPointF(0, kHandBottom)).y()));
    p.setTransform(handTransform());
    drawSkinAndCreases(p, palmHand);
    const bool lines = m_chart == Chart::Lines;
    p.setPen(lines ? ink::pen(PalmInk, ink::LineWidth) : ink::pen(ink::Faint, 0.7));
    for (int i = 0; i < PalmLineCount; ++i)
        p.drawPath(PalmHand::ordinaryCourse(PalmLine(i)).path());
    p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
    p.drawPath(palmHand.outline());
    p.restore();

    const auto writeRed = [&p](const QPainterPath &glyphs) {
        ink::writeOnSkin(p, glyphs, PalmRed, 0.4, 3);
    };
    const auto writeInk = [&p](const QPainterPath &glyphs) {
        p.setPen(Qt::NoPen);
        p.setBrush(PalmInk);
        p.drawPath(glyphs);
    };

    if (lines) {
        for (int i = 0; i < PalmLineCount; ++i)
            if (!m_labels.at(i).isNull())
                writeRed(ink::glyphs(QString::number(i + 1), 17, m_labels.at(i).center()));
        // The legend: two rows of three, number in red, name in ink.
        for (int i = 0; i < PalmLineCount; ++i) {
            const double x = 22 + (i % 3) * 80, y = kLegendTop + 22 + (i / 3) * 26;
            writeRed(ink::glyphs(QString::number(i + 1), 15, {x, y}));
            const QPainterPath name = ink::glyphs(QString::fromUtf8(kLines[i].name), 15);
            writeInk(name.translated(x + 8 - name.boundingRect().left(), y));
        }
    } else {
        for (int i = 0; i < int(kPalaces.size()); ++i)
            if (!m_labels.at(i).isNull())
                writeRed(palaceLabel(kPalaces[i], m_palaceAt.at(i)));
        writeInk(ink::glyphs(QStringLiteral("掌上八卦"), 16, {ChartWidth / 2.0, kLegendTop + 34}));
    }
    p.setPen(ink::pen(ink::Crease, 0.8));
    p.drawLine(QPointF(12, kLegendTop + 4), QPointF(ChartWidth - 12, kLegendTop + 4));
    return image;
}

} // namespace artwork
