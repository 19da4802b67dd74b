#include "tools/artwork/palmhand.h"

#include "tools/artwork/ink.h"
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

// How far a finger's outline reaches into the palm, so that the union has clean clefts.
double overlap(Finger finger)
{
    return finger == Finger::Thumb ? 12 : 7;
}

} // namespace

Polyline::Polyline(QList<QPointF> points)
    : m_points(std::move(points))
{
    m_lengths.reserve(m_points.size());
    double sum = 0;
    for (qsizetype i = 0; i < m_points.size(); ++i) {
        if (i > 0)
            sum += ink::length(m_points.at(i) - m_points.at(i - 1));
        m_lengths.append(sum);
    }
}

Polyline Polyline::fromPath(const QPainterPath &path, int samples)
{
    QList<QPointF> points;
    for (int i = 0; i <= samples; ++i)
        points.append(path.pointAtPercent(double(i) / samples));
    return Polyline(points);
}

QPointF Polyline::pointAt(double t) const
{
    if (m_points.isEmpty())
        return {};
    const double at = std::clamp(t, 0.0, 1.0) * length();
    const auto next = std::lower_bound(m_lengths.cbegin(), m_lengths.cend(), at);
    if (next == m_lengths.cbegin())
        return m_points.first();
    if (next == m_lengths.cend())
        return m_points.last();
    const qsizetype i = next - m_lengths.cbegin();
    const double span = m_lengths.at(i) - m_lengths.at(i - 1);
    const double f = span > 0 ? (at - m_lengths.at(i - 1)) / span : 0;
    return m_points.at(i - 1) + (m_points.at(i) - m_points.at(i - 1)) * f;
}

QPointF Polyline::tangentAt(double t) const
{
    if (isEmpty())
        return {1, 0};
    const double step = std::min(0.02, 1.5 / std::max(length(), 1.0));
    const double t0 = std::clamp(t - step, 0.0, 1.0 - 2 * step);
    return ink::unit(pointAt(t0 + 2 * step) - pointAt(t0), {1, 0});
}

Polyline Polyline::section(double t0, double t1) const
{
    QList<QPointF> out;
    const int n = std::max(2, int(std::ceil(std::abs(t1 - t0) * length() / 0.5)));
    for (int i = 0; i <= n; ++i)
        out.append(pointAt(t0 + (t1 - t0) * i / n));
    return Polyline(out);
}

QPainterPath Polyline::path() const
{
    QPainterPath path;
    if (m_points.isEmpty())
        return path;
    path.moveTo(m_points.first());
    for (qsizetype i = 1; i < m_points.size(); ++i)
        path.lineTo(m_points.at(i));
    return path;
}

QPainterPath Cubic::path() const
{
    QPainterPath path(p0);
    path.cubicTo(p1, p2, p3);
    return path;
}

Cubic Cubic::movedTo(QPointF start, QPointF end) const
{
    const QPointF d0 = start - p0, d3 = end - p3;
    return {start, p1 + d0 * (2.0 / 3) + d3 / 3, p2 + d0 / 3 + d3 * (2.0 / 3), end};
}

PalmHand::PalmHand()
    : m_fingers{{
        {{28, 89}, -40, 31, 14.5, 0},   // thumb
        {{33, 57.5}, -9, 33, 11.5, 0},  // index
        {{47, 54}, -1, 38, 12, 0},      // middle
        {{61, 55.5}, 7, 35, 11.5, 0},   // ring
        {{74.5, 60.5}, 17, 27, 9.5, 0}, // little
    }}
{}

void PalmHand::reshape(const FingerStatement &s)
{
    FingerShape &f = m_fingers[int(s.finger)];
    // Shapes are drawn plainly enough to see at real size.
    if (s.isShort)
        f.length *= 0.64;
    if (s.isLong)
        f.length *= 1.2;
    if (s.thin)
        f.width *= 0.55;
    // A bent finger leans its tip toward the middle finger; a bent thumb bends back, away from
    // the hand, as the palm books speak of it.
    if (s.bent) {
        const double toward[] = {-5, 10, 9, -10, -12};
        f.bend = toward[int(s.finger)];
    }
}

QPointF PalmHand::centre(Finger finger, double s) const
{
    const FingerShape &f = shape(finger);
    const double a = qDegreesToRadians(f.angle);
    const QPointF dir(std::sin(a), -std::cos(a)), right(std::cos(a), std::sin(a));
    const double span = overlap(finger) + f.length - halfWidth(finger, 1);
    return f.base - dir * overlap(finger) + dir * (s * span) + right * (f.bend * s * s);
}

QPointF PalmHand::direction(Finger finger, double s) const
{
    const FingerShape &f = shape(finger);
    const double a = qDegreesToRadians(f.angle);
    const QPointF dir(std::sin(a), -std::cos(a)), right(std::cos(a), std::sin(a));
    const double span = overlap(finger) + f.length - halfWidth(finger, 1);
    return ink::unit(dir * span + right * (2 * f.bend * s), {1, 0});
}

double PalmHand::halfWidth(Finger finger, double s) const
{
    return shape(finger).width / 2 * (1 - 0.16 * s);
}

QPainterPath PalmHand::finger(Finger finger) const
{
    constexpr int samples = 14;
    QList<QPointF> left, right;
    for (int i = 0; i <= samples; ++i) {
        const double s = double(i) / samples;
        const QPointF d = direction(finger, s), n(-d.y(), d.x());
        left.append(centre(finger, s) - n * halfWidth(finger, s));
        right.append(centre(finger, s) + n * halfWidth(finger, s));
    }
    QPainterPath path(left.first());
    for (int i = 1; i <= samples; ++i)
        path.lineTo(left.at(i));
    // The round tip: two quarter circles.
    const double r = halfWidth(finger, 1), k = 0.5523 * r;
    const QPointF d = direction(finger, 1), n(-d.y(), d.x()), c = centre(finger, 1);
    path.cubicTo(left.last() + d * k, c + d * r - n * k, c + d * r);
    path.cubicTo(c + d * r + n * k, right.last() + d * k, right.last());
    for (int i = samples - 1; i >= 0; --i)
        path.lineTo(right.at(i));
    path.closeSubpath();
    return path;
}

QPointF PalmHand::tip(Finger finger) const
{
    return centre(finger, 1) + direction(finger, 1) * (halfWidth(finger, 1) - 3);
}

QPainterPath PalmHand::palm() const
{
    QPainterPath p(QPointF(27.5, 58.5));
    p.cubicTo(QPointF(38, 53), QPointF(60, 51), QPointF(79.5, 61));
    p.cubicTo(QPointF(85.5, 67), QPointF(87.5, 84), QPointF(86.5, 98));
    p.cubicTo(QPointF(85.5, 112), QPointF(80.5, 122), QPointF(76.5, 130));
    p.cubicTo(QPointF(75, 135), QPointF(74.5, 140), QPointF(74.5, 150));
    p.lineTo(QPointF(33.5, 150));
    p.cubicTo(QPointF(33.5, 140), QPointF(31.5, 131), QPointF(27.5, 122));
    p.cubicTo(QPointF(21, 110), QPointF(21, 92), QPointF(25.5, 78));
    p.cubicTo(QPointF(27, 70), QPointF(26.5, 63), QPointF(27.5, 58.5));
    p.closeSubpath();
    return p;
}

QPainterPath PalmHand::outline() const
{
    QPainterPath all = palm();
    for (int f = 0; f < FingerCount; ++f)
        all = all.united(finger(Finger(f)));
    return all.simplified();
}

QList<QLineF> PalmHand::creases(Finger finger) const
{
    const FingerShape &f = shape(finger);
    const double span = overlap(finger) + f.length - halfWidth(finger, 1);
    // Fractions of the finger's length; the first joint of a finger shows a double crease.
    const QList<double> along
        = finger == Finger::Thumb ? QList<double>{0.5} : QList<double>{0.40, 0.44, 0.70};
    QList<QLineF> out;
    for (const double a : along) {
        const double s = (overlap(finger) + a * f.length) / span;
        const QPointF d = direction(finger, s), n(-d.y(), d.x()), c = centre(finger, s);
        const double w = halfWidth(finger, s) * 0.6;
        out.append(QLineF(c - n * w, c + n * w));
    }
    return out;
}

QList<QLineF> PalmHand::hairs(Finger finger) const
{
    QList<QLineF> out;
    for (int i = 0; i < 9; ++i) {
        const double s = 0.3 + 0.075 * i;
        const QPointF d = direction(finger, s), n(-d.y(), d.x()), c = centre(finger, s);
        const double w = halfWidth(finger, s);
        for (const double side : {-1.0, 1.0}) {
            const QPointF edge = c + n * (side * (w - 0.6));
            out.append(QLineF(edge, edge + n * (side * 3.2) + d * 2.2));
        }
        // and a few across the back of the finger
        if (i % 2 == 1)
            out.append(QLineF(c - n * 1.5, c + n * 1.5 + d * 1.2));
    }
    return out;
}

QPointF PalmHand::palacePoint(Palace palace)
{
    switch (palace) {
    case Palace::Xun:
        return {35, 67};
    case Palace::Li:
        return {48, 65.5};
    case Palace::Kun:
        return {69, 67.5};
    case Palace::Zhen:
        return {31, 93};
    case Palace::Dui:
        return {77.5, 96};
    case Palace::Gen:
        return {35, 117};
    case Palace::Kan:
        return {56, 118};
    case Palace::Qian:
        return {72.5, 114};
    case Palace::Ming:
        break;
    }
    return {56, 92};
}

QPointF PalmHand::wrist()
{
    return {55, 134};
}

Cubic PalmHand::ordinaryCourse(PalmLine line)
{
    switch (line) {
    case PalmLine::Tian:
        return {{86.5, 76}, {74, 72.5}, {55, 76}, {40.5, 62.5}};
    case PalmLine::Ren:
        return {{26.5, 75}, {40, 77}, {62, 83}, {80, 94}};
    case PalmLine::Di:
        return {{26.5, 76.5}, {47, 86}, {49, 114}, {43, 130}};
    case PalmLine::Shiye:
        return {{56, 129}, {55, 108}, {50.5, 84}, {48.5, 64.5}};
    case PalmLine::Liuxiu:
        return {{61, 101}, {62, 88}, {62.5, 76}, {63.5, 66.5}};
    case PalmLine::Jiafeng:
        break;
    }
    return {{86, 68.5}, {81.5, 67.6}, {77, 67.4}, {72, 68.4}};
}

QPointF PalmHand::longEnd(PalmLine line)
{
    switch (line) {
    case PalmLine::Tian:
        return {28.5, 67};
    case PalmLine::Ren:
        return {86.5, 100};
    case PalmLine::Di:
        return {46, 141};
    case PalmLine::Shiye:
        return {47.5, 56};
    case PalmLine::Liuxiu:
        return {64, 58};
    case PalmLine::Jiafeng:
        break;
    }
    return {65, 69.5};
}

} // namespace artwork
