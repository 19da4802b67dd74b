#pragma once

// The figure every body-mole picture shows: one standing person in outline, seen from the front
// or the back, in one of three poses, and the close-ups (a palm, a sole, a foot from the side)
// that the hand and foot places need. Each named place is a region on this template; a mole must
// lie in its place's region and on the outline.
//
// Figure units: the origin is the top of the head on the body's midline, y runs down, one unit
// is one pixel at scale 1 (the whole figure is about 164 units tall). Positive x is the viewer's
// right. Left and right in a description are the subject's own: in the front view the subject's
// left is on the viewer's right, in the back view on the viewer's left.

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace artwork {

// The body's own colours; paper, skin and outline are every picture's (ink.h).
inline constexpr QColor BodyDetail{150, 140, 130};
inline constexpr QColor BodyWash{242, 204, 194}; // the place, lightly tinted in the palm red
inline constexpr QColor MoleInk{34, 28, 26};
inline constexpr QColor LabelGrey{104, 104, 104};
inline constexpr double BodyMoleRadius = 1.9;    // pixels, whatever the figure's scale
inline constexpr double BodyMoleRimRadius = 2.9; // the light rim round the dot

enum class View { Front, Back };
enum class Pose { ArmsDown, ArmsRaised, HandsOnHips };
enum class Side { Right, Left, Both, Middle }; // the subject's own
enum class Inset { None, Palm, Sole, FootSide };

enum class Place {
    ElbowFront,     // 肘前
    ElbowBack,      // 肘后
    Armpit,         // 腋下
    AboveKnee,      // 膝上
    Thigh,          // 大腿
    LowerBelly,     // 阴部 (drawn as the lower belly above the groin)
    PalmCentre,     // 手心
    Throat,         // 喉部
    Flank,          // 侧腹
    Sole,           // 足心
    FootSide,       // 足侧
    BetweenBreasts, // 两乳之中间
    BelowBreasts,   // 两乳中间之下
    AboveBreasts,   // 两乳之上
    BesideNavel,    // 肚脐两旁
    Navel,          // 肚脐
    UpperArm,       // 手臂
    ElbowOuter,     // 肘外
};
inline constexpr int PlaceCount = 18;

struct PlaceInfo
{
    const char *shortName; // the label on the picture
    const char *opening;   // the words its reading opens with
    Inset inset;           // where its moles are drawn: on the figure, or in a close-up
};
const PlaceInfo &placeInfo(Place place);

// +1 when the subject's side shows on the viewer's right, -1 on the left, 0 for the midline.
int viewerSign(View view, Side side);

class BodyFigure
{
public:
    BodyFigure(View view, Pose pose);

    View view() const { return m_view; }
    Pose pose() const { return m_pose; }

    QPainterPath outline() const; // head, neck, torso, arms, legs, feet as one shape
    // Inner lines that tell front from back: face, collarbones, chest, navel and groin, or hair,
    // spine, shoulder blades and seat; knees on both.
    QPainterPath details() const;
    QPointF hand(int sign) const; // the hand on the viewer's side sign
    QPointF foot(int sign) const;
    // The place's region on the figure (both sides for a paired place); empty for a close-up.
    QPainterPath region(Place place) const;
    // The half of a place's region on the viewer's side sign (the midline region for sign 0).
    QPainterPath region(Place place, int sign) const;

private:
    QPointF elbow() const; // on the viewer's right
    QPointF shoulder() const;

    View m_view;
    Pose m_pose;
};

// The close-ups, each in its own units (a palm in the palm pictures' units), with its region.
struct CloseUp
{
    QPainterPath outline;
    QPainterPath details;
    QPainterPath region;
    QRectF frame; // the part of the close-up's units that its box shows
};
CloseUp makeCloseUp(Inset inset);

// A mole in the picture's words: which side, and where in figure units with x measured from the
// midline toward that side (x >= 0); in a close-up, where in the close-up's units.
struct MoleSpot
{
    Side side;
    QPointF at;
};

// Figure-unit positions of one spot (two for Side::Both), the convention applied.
QList<QPointF> figurePoints(View view, const MoleSpot &spot);

} // namespace artwork
