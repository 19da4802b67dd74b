#pragma once

// The one hand every palm picture shows: a right palm, fingers up, thumb on the left, in the
// 100 × 142 pixel frame of a palm picture. Lines run as sampled curves so that fractions along a
// line are fractions of its drawn length.

#include "tools/artwork/palmdescription.h"

#include <QLineF>
#include <QList>
#include <QPainterPath>
#include <QPointF>

#include <array>

namespace artwork {

// A curve sampled into points; t runs from 0 to 1 by length.
class Polyline
{
public:
    Polyline() = default;
    explicit Polyline(QList<QPointF> points);
    static Polyline fromPath(const QPainterPath &path, int samples = 160);

    bool isEmpty() const { return m_points.size() < 2; }
    double length() const { return m_lengths.isEmpty() ? 0 : m_lengths.last(); }
    QPointF pointAt(double t) const;
    QPointF tangentAt(double t) const; // unit vector in the direction of rising t
    Polyline section(double t0, double t1) const;
    // Each point moved sideways by offset(t); positive is to the right of the direction of travel.
    template<typename F>
    Polyline displaced(F offset) const
    {
        QList<QPointF> out;
        out.reserve(m_points.size());
        for (qsizetype i = 0; i < m_points.size(); ++i) {
            const double t = length() > 0 ? m_lengths.at(i) / length() : 0;
            const QPointF d = tangentAt(t);
            out.append(m_points.at(i) + QPointF(-d.y(), d.x()) * offset(t, m_lengths.at(i)));
        }
        return Polyline(out);
    }
    QPainterPath path() const;
    const QList<QPointF> &points() const { return m_points; }

private:
    QList<QPointF> m_points;
    QList<double> m_lengths; // cumulative, from the first point
};

struct Cubic
{
    QPointF p0, p1, p2, p3;
    QPainterPath path() const;
    // The same bend between new end points.
    Cubic movedTo(QPointF start, QPointF end) const;
};

struct FingerShape
{
    QPointF base;  // where the finger meets the palm, on its centreline
    double angle;  // degrees from straight up, clockwise
    double length; // base to tip
    double width;  // at the base
    double bend;   // sideways shift of the tip, positive to the right of the picture
};

class PalmHand
{
public:
    PalmHand();

    void reshape(const FingerStatement &shape);

    QPainterPath outline() const; // palm, wrist, thumb and fingers as one shape
    QPainterPath palm() const;    // palm and wrist alone
    QPainterPath finger(Finger finger) const;
    const FingerShape &shape(Finger finger) const { return m_fingers.at(int(finger)); }
    QPointF tip(Finger finger) const;
    QPointF base(Finger finger) const { return shape(finger).base; }
    // Joint creases across a finger, and the hairs of a hairy finger.
    QList<QLineF> creases(Finger finger) const;
    QList<QLineF> hairs(Finger finger) const;

    static QPointF palacePoint(Palace palace);
    static QPointF wrist();
    static Cubic ordinaryCourse(PalmLine line);
    static QPointF longEnd(PalmLine line); // where a `long` line runs to

private:
    QPointF centre(Finger finger, double s) const;
    QPointF direction(Finger finger, double s) const;
    double halfWidth(Finger finger, double s) const;

    std::array<FingerShape, FingerCount> m_fingers;
};

} // namespace artwork
