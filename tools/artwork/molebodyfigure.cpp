#include "tools/artwork/molebodyfigure.h"

#include "tools/artwork/ink.h"
#include "tools/artwork/palmhand.h"

#include <QList>
#include <QTransform>

#include <array>
#include <cmath>

namespace artwork {

namespace {

struct Joint
{
    QPointF at;
    double half; // half the limb's width there
};

// A limb through its joints: a tapering band with round joints and a round end.
QPainterPath limbPath(const QList<Joint> &joints)
{
    QPainterPath limb;
    for (qsizetype i = 0; i < joints.size(); ++i) {
        QPainterPath round;
        round.addEllipse(joints.at(i).at, joints.at(i).half, joints.at(i).half);
        limb = limb.united(round);
        if (i == 0)
            continue;
        const Joint &a = joints.at(i - 1), &b = joints.at(i);
        const QPointF d = b.at - a.at;
        const double length = ink::length(d);
        const QPointF n = QPointF(-d.y(), d.x()) / length;
        QPainterPath band;
        band.moveTo(a.at + n * a.half);
        band.lineTo(b.at + n * b.half);
        band.lineTo(b.at - n * b.half);
        band.lineTo(a.at - n * a.half);
        band.closeSubpath();
        limb = limb.united(band);
    }
    return limb;
}

QPainterPath mirrored(const QPainterPath &path)
{
    return QTransform::fromScale(-1, 1).map(path);
}

QPainterPath bothHalves(const QPainterPath &half)
{
    return half.united(mirrored(half));
}

QPainterPath rect(double x0, double y0, double x1, double y1)
{
    QPainterPath path;
    path.addRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    return path;
}

// The ellipse inside a box: places are tinted as soft patches, not boxes.
QPainterPath oval(double x0, double y0, double x1, double y1)
{
    QPainterPath path;
    path.addEllipse(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    return path;
}

QPainterPath circle(QPointF c, double r)
{
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

// The right half of the torso, mirrored for the left.
QPainterPath torso()
{
    QPainterPath p(QPointF(-4.5, 26));
    p.cubicTo(QPointF(-9, 29), QPointF(-15, 29), QPointF(-18.5, 31.5));
    p.cubicTo(QPointF(-21, 33.5), QPointF(-20.5, 38), QPointF(-17.5, 43));
    p.cubicTo(QPointF(-15, 50), QPointF(-13, 57), QPointF(-13, 63));
    p.cubicTo(QPointF(-13, 69), QPointF(-16.5, 74), QPointF(-16.5, 82));
    p.lineTo(QPointF(-14, 92));
    p.lineTo(QPointF(14, 92));
    p.lineTo(QPointF(16.5, 82));
    p.cubicTo(QPointF(16.5, 74), QPointF(13, 69), QPointF(13, 63));
    p.cubicTo(QPointF(13, 57), QPointF(15, 50), QPointF(17.5, 43));
    p.cubicTo(QPointF(20.5, 38), QPointF(21, 33.5), QPointF(18.5, 31.5));
    p.cubicTo(QPointF(15, 29), QPointF(9, 29), QPointF(4.5, 26));
    p.closeSubpath();
    return p;
}

// The arm on the viewer's right: shoulder, elbow, wrist, middle of the hand, fingertips.
std::array<Joint, 5> armJoints(Pose pose)
{
    switch (pose) {
    case Pose::ArmsRaised:
        return {{{{17, 35}, 4.3},
                 {{26, 16}, 3.4},
                 {{31, -4}, 2.4},
                 {{32.3, -9}, 3.0},
                 {{33, -13.5}, 2.2}}};
    case Pose::HandsOnHips:
        return {{{{17, 35}, 4.3},
                 {{31, 56}, 3.4},
                 {{18.5, 70}, 2.4},
                 {{15.5, 72.5}, 3.0},
                 {{13, 74.5}, 2.2}}};
    case Pose::ArmsDown:
        break;
    }
    return {{{{17, 35}, 4.3},
             {{22.5, 61}, 3.4},
             {{25.5, 83}, 2.4},
             {{26.4, 88.5}, 3.0},
             {{27, 93.5}, 2.2}}};
}

constexpr QPointF kNavel{0, 68};

} // namespace

const PlaceInfo &placeInfo(Place place)
{
    static const std::array<PlaceInfo, PlaceCount> places = {{
        {"肘前", "两肘前有痣者", Inset::None},
        {"肘后", "两肘后有痣者", Inset::None},
        {"腋下", "两腋之下有痣者", Inset::None},
        {"膝上", "两膝之上有痣者", Inset::None},
        {"大腿", "大腿之上有痣者", Inset::None},
        {"阴部", "阴部之上有痣者", Inset::None},
        {"手心", "手心之上有痣者", Inset::Palm},
        {"喉部", "喉部之上有痣者", Inset::None},
        {"侧腹", "侧腹部之上有痣者", Inset::None},
        {"足心", "足心之上长痣者", Inset::Sole},
        {"足侧", "足侧之背上有痣者", Inset::FootSide},
        {"乳间", "两乳之中间长痣者", Inset::None},
        {"乳下", "两乳中间之下长痣者", Inset::None},
        {"乳上", "两乳之上长痣者", Inset::None},
        {"脐旁", "肚脐之两旁长痣者", Inset::None},
        {"肚脐", "肚脐的中间上长痣者", Inset::None},
        {"手臂", "手臂之上长痣者", Inset::None},
        {"肘外", "两肘外长痣者", Inset::None},
    }};
    return places.at(std::size_t(place));
}

int viewerSign(View view, Side side)
{
    if (side == Side::Middle || side == Side::Both)
        return 0;
    // Facing us, a person's left hand is on our right; turned away, it is on our left.
    const int left = view == View::Front ? 1 : -1;
    return side == Side::Left ? left : -left;
}

QList<QPointF> figurePoints(View view, const MoleSpot &spot)
{
    if (spot.side == Side::Middle)
        return {spot.at};
    if (spot.side == Side::Both)
        return {QPointF(-spot.at.x(), spot.at.y()), spot.at};
    return {QPointF(viewerSign(view, spot.side) * spot.at.x(), spot.at.y())};
}

BodyFigure::BodyFigure(View view, Pose pose)
    : m_view(view)
    , m_pose(pose)
{}

QPointF BodyFigure::shoulder() const
{
    return armJoints(m_pose)[0].at;
}

QPointF BodyFigure::elbow() const
{
    return armJoints(m_pose)[1].at;
}

QPointF BodyFigure::hand(int sign) const
{
    const QPointF h = armJoints(m_pose)[3].at;
    return {sign * h.x(), h.y()};
}

QPointF BodyFigure::foot(int sign) const
{
    return {sign * 8.5, 157};
}

QPainterPath BodyFigure::outline() const
{
    QPainterPath all = torso();
    QPainterPath head;
    head.addEllipse(QPointF(0, 10.5), 7.8, 10);
    all = all.united(head).united(rect(-3.6, 17, 3.6, 29));
    const auto arm = armJoints(m_pose);
    const QPainterPath right = limbPath(QList<Joint>(arm.begin(), arm.end()));
    QPainterPath leg = limbPath({{{8.5, 84}, 8}, {{8.2, 121}, 5.2}, {{7, 153}, 3.2}});
    QPainterPath foot;
    if (m_view == View::Front)
        foot.addEllipse(QPointF(9.3, 157.5), 4.3, 2.6); // toes toward us, turned a little out
    else
        foot.addEllipse(QPointF(7.3, 156.5), 3.4, 3.0); // the heel
    leg = leg.united(foot);
    all = all.united(bothHalves(right)).united(bothHalves(leg));
    return all.simplified();
}

QPainterPath BodyFigure::details() const
{
    QPainterPath d;
    const auto bothArcs = [&d](QPointF a, QPointF c, QPointF b) {
        for (const int s : {-1, 1}) {
            d.moveTo(a.x() * s, a.y());
            d.quadTo(c.x() * s, c.y(), b.x() * s, b.y());
        }
    };
    // Knees on both views.
    bothArcs({5.5, 120.5}, {8.3, 122.5}, {11, 120.5});
    if (m_view == View::Front) {
        d.moveTo(-3.6, 9);
        d.lineTo(-1.6, 9);
        d.moveTo(1.6, 9);
        d.lineTo(3.6, 9);
        d.moveTo(-1.8, 15.2);
        d.quadTo(0, 16, 1.8, 15.2);
        // hair line over the forehead
        d.moveTo(-7.3, 7);
        d.cubicTo(-5, 2.5, 5, 2.5, 7.3, 7);
        bothArcs({3, 31}, {9, 30.5}, {14, 32.5});  // collarbones
        bothArcs({4, 47}, {10, 50.5}, {15, 45.5}); // the chest's lower curve
        d.addEllipse(kNavel, 1.3, 1.3);
        bothArcs({15.5, 80}, {9, 87}, {2.5, 91}); // groin
    } else {
        // hair: the nape's edge and a few strands
        d.moveTo(-6.5, 15);
        d.quadTo(0, 17.5, 6.5, 15);
        for (const double x : {-4.0, 0.0, 4.0}) {
            d.moveTo(x * 0.6, 2);
            d.quadTo(x * 1.1, 8, x * 1.2, 15);
        }
        d.moveTo(0, 31);
        d.lineTo(0, 76);
        bothArcs({5, 38}, {11, 39}, {12.5, 48}); // shoulder blades
        d.moveTo(0, 80);
        d.lineTo(0, 92);
        bothArcs({1.5, 93.5}, {8, 96.5}, {14.5, 92}); // seat
        bothArcs({4.5, 125.5}, {8.2, 127}, {11.5, 125.5});
    }
    return d;
}

QPainterPath BodyFigure::region(Place place, int sign) const
{
    QPainterPath half;
    bool paired = true;
    switch (place) {
    case Place::ElbowFront:
    case Place::ElbowBack:
    case Place::ElbowOuter:
        half = circle(elbow(), 3.8);
        break;
    case Place::Armpit:
        half = circle(QPointF(18.6, 38.4), 2.6); // the hollow where the raised arm meets the side
        break;
    case Place::AboveKnee:
        half = oval(0, 104, 17, 119);
        break;
    case Place::Thigh:
        half = oval(-0.5, 87, 18, 105);
        break;
    case Place::Flank:
        half = oval(8.5, 53, 18, 76);
        break;
    case Place::AboveBreasts:
        half = oval(5, 34, 16, 43);
        break;
    case Place::BesideNavel:
        half = oval(2.8, 63.5, 9.8, 72.5);
        break;
    case Place::UpperArm:
        half = limbPath(
            {{shoulder() * 0.7 + elbow() * 0.3, 4.2}, {shoulder() * 0.2 + elbow() * 0.8, 3.6}});
        break;
    case Place::LowerBelly:
        paired = false;
        half = oval(-10, 75, 10, 87);
        break;
    case Place::Throat:
        paired = false;
        half = rect(-3.6, 19, 3.6, 28);
        break;
    case Place::BetweenBreasts:
        paired = false;
        half = oval(-4, 39, 4, 50);
        break;
    case Place::BelowBreasts:
        paired = false;
        half = oval(-5, 50.5, 5, 60.5);
        break;
    case Place::Navel:
        paired = false;
        half = circle(kNavel, 4.2);
        break;
    case Place::PalmCentre:
    case Place::Sole:
    case Place::FootSide:
        return {};
    }
    if (!paired)
        return sign == 0 ? half : QPainterPath();
    if (sign == 0)
        return {};
    return sign > 0 ? half : mirrored(half);
}

QPainterPath BodyFigure::region(Place place) const
{
    return region(place, 0).united(region(place, 1)).united(region(place, -1));
}

CloseUp makeCloseUp(Inset inset)
{
    CloseUp c;
    switch (inset) {
    case Inset::Palm: {
        // The palm pictures' own hand: a right palm, thumb on the viewer's left.
        const PalmHand hand;
        c.outline = hand.outline();
        for (int f = 0; f < FingerCount; ++f)
            for (const QLineF &crease : hand.creases(Finger(f))) {
                c.details.moveTo(crease.p1());
                c.details.lineTo(crease.p2());
            }
        for (int l = 0; l < PalmLineCount; ++l)
            c.details.addPath(PalmHand::ordinaryCourse(PalmLine(l)).path());
        c.region = circle(PalmHand::palacePoint(Palace::Ming), 14).intersected(hand.palm());
        c.frame = QRectF(2, 2, 90, 140);
        break;
    }
    case Inset::Sole: {
        // The sole of the right foot seen from behind: the big toe and the hollow of the arch on
        // the viewer's left, the outer edge full and straight on the right.
        QPainterPath sole(QPointF(20, 92));
        sole.cubicTo(QPointF(12, 92), QPointF(9.5, 82), QPointF(10.5, 72));
        sole.cubicTo(QPointF(11.5, 62), QPointF(13.5, 54), QPointF(9, 44));
        sole.cubicTo(QPointF(5, 37), QPointF(4, 31), QPointF(5, 26));
        sole.cubicTo(QPointF(6, 14), QPointF(16, 10), QPointF(24, 11));
        sole.cubicTo(QPointF(34, 12), QPointF(38, 22), QPointF(36, 36));
        sole.cubicTo(QPointF(35, 50), QPointF(34, 62), QPointF(32, 74));
        sole.cubicTo(QPointF(30.5, 88), QPointF(28, 92), QPointF(20, 92));
        sole.closeSubpath();
        const struct
        {
            QPointF at;
            double rx, ry;
        } toes[] = {{{10, 6}, 4.6, 5.2},
                    {{18.5, 3.5}, 3.2, 3.8},
                    {{25, 4.5}, 2.9, 3.4},
                    {{30.5, 7.5}, 2.6, 3.0},
                    {{35, 11.5}, 2.3, 2.6}};
        c.outline = sole;
        for (const auto &toe : toes) {
            QPainterPath t;
            t.addEllipse(toe.at, toe.rx, toe.ry);
            c.outline = c.outline.united(t);
        }
        c.outline = c.outline.simplified();
        // The ball of the foot and the heel pad.
        c.details.moveTo(7, 24);
        c.details.quadTo(21, 30, 36, 25);
        c.details.moveTo(11, 76);
        c.details.quadTo(20, 72, 30, 76);
        c.region = oval(8, 32, 32, 68).intersected(sole);
        c.frame = QRectF(-2, -4, 44, 100);
        break;
    }
    case Inset::FootSide: {
        // A right foot from its outer side, seen from the subject's right: the toes point the way
        // the subject faces, to the viewer's right, and the leg comes down on the left. Drawn
        // toes-left and turned over at the end.
        QPainterPath foot(QPointF(43, -8));
        foot.lineTo(QPointF(42, 26));
        foot.cubicTo(QPointF(42, 31), QPointF(47, 34), QPointF(48, 40));
        foot.cubicTo(QPointF(49, 46), QPointF(45, 49), QPointF(40, 49));
        foot.lineTo(QPointF(6, 49));
        foot.cubicTo(QPointF(1, 49), QPointF(0, 44), QPointF(3, 42));
        foot.cubicTo(QPointF(10, 38), QPointF(20, 36), QPointF(28, 30));
        foot.cubicTo(QPointF(31, 28), QPointF(30.5, 24), QPointF(30.5, 18));
        foot.lineTo(QPointF(30, -8));
        foot.closeSubpath();
        c.outline = foot;
        c.details.addEllipse(QPointF(39, 31), 2.2, 2.2); // the ankle bone
        c.details.moveTo(4, 44);
        c.details.quadTo(5, 41, 9, 41.5); // toe nail
        // The upper side of the foot between the toes and the ankle.
        QPainterPath top;
        top.moveTo(6, 41);
        top.cubicTo(QPointF(14, 36), QPointF(22, 33), QPointF(30, 27));
        top.lineTo(QPointF(33, 33));
        top.lineTo(QPointF(18, 44));
        top.lineTo(QPointF(8, 46));
        top.closeSubpath();
        c.region = top.intersected(foot);
        c.frame = QRectF(-3, -3, 55, 56);
        const QTransform turned(-1, 0, 0, 1, c.frame.left() + c.frame.right(), 0);
        c.outline = turned.map(c.outline);
        c.details = turned.map(c.details);
        c.region = turned.map(c.region);
        break;
    }
    case Inset::None:
        break;
    }
    return c;
}

} // namespace artwork
