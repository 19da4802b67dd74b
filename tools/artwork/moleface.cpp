#include "tools/artwork/moleface.h"

#include "tools/artwork/ink.h"

#include <QHash>
#include <QPainter>
#include <QTransform>

namespace artwork {

namespace {

// The face's own colours; paper, skin and outline are every picture's (ink.h).
const QColor kHair{70, 56, 48};
const QColor kHairStrand{118, 100, 88};
const QColor kBrow{110, 100, 92};
const QColor kLip{238, 212, 202};
const QColor kMole{40, 30, 26};
const QColor kMoleRim{255, 252, 244};
const QColor kMoleInHair{170, 112, 84};
// Nothing in the hair is lighter than this: the scalp round a mole stays well below the skin.
constexpr int kHairLightest = 200;

// Mirrors a shape across the upright centre line of the picture.
QTransform mirror()
{
    return QTransform(-1, 0, 0, 1, MoleFaceWidth, 0);
}

QPainterPath ellipse(double cx, double cy, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

QPainterPath rect(double x, double y, double w, double h)
{
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    return path;
}

QPainterPath stroked(const QPainterPath &line, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(line).simplified();
}

// ---- Front view. Shapes of the subject's right side (the viewer's left) are given; the left
// side is their mirror.

QPainterPath frontFace()
{
    QPainterPath half(QPointF(35, 14));
    half.cubicTo(QPointF(24, 14), QPointF(15, 19), QPointF(13, 30));
    half.cubicTo(QPointF(12, 36), QPointF(12, 41), QPointF(12.5, 46));
    half.cubicTo(QPointF(13, 56), QPointF(14.5, 64), QPointF(18, 70));
    half.cubicTo(QPointF(22, 77), QPointF(28, 83.5), QPointF(35, 83.5));
    half.lineTo(35, 15.5);
    half.closeSubpath();
    return half.united(mirror().map(half)).simplified();
}

QPainterPath frontSkull()
{
    return ellipse(35, 37, 24.5, 32);
}

QPainterPath frontEar()
{
    QPainterPath ear(QPointF(13.5, 40));
    ear.cubicTo(QPointF(8.6, 37.2), QPointF(6.4, 41), QPointF(6.9, 46));
    ear.cubicTo(QPointF(7.2, 51.5), QPointF(8.2, 59.4), QPointF(11.6, 59.4));
    ear.cubicTo(QPointF(13.4, 59.4), QPointF(14, 56), QPointF(13.9, 53));
    ear.closeSubpath();
    return ear;
}

QPainterPath frontNeck()
{
    QPainterPath neck(QPointF(26.5, 74));
    neck.lineTo(26, 84);
    neck.cubicTo(QPointF(24, 88), QPointF(12, 88.5), QPointF(0, 92.5));
    neck.lineTo(70, 92.5);
    neck.cubicTo(QPointF(58, 88.5), QPointF(46, 88), QPointF(44, 84));
    neck.lineTo(43.5, 74);
    neck.closeSubpath();
    return neck;
}

QPainterPath frontBrow()
{
    QPainterPath brow(QPointF(31, 36.4));
    brow.quadTo(QPointF(25, 32.6), QPointF(18.5, 35.6));
    return brow;
}

// The fold from above the wing of the nose down and outward, past the corner of the mouth: it
// leaves the wing steeply, so that the two never read as a moustache under the nose.
QPainterPath frontFaling()
{
    QPainterPath line(QPointF(29.6, 53.6));
    line.cubicTo(QPointF(26.6, 56), QPointF(24, 60.6), QPointF(24.1, 69.2));
    return line;
}

QPainterPath frontOutline()
{
    return frontSkull()
        .united(frontFace())
        .united(frontEar())
        .united(mirror().map(frontEar()))
        .united(frontNeck())
        .intersected(rect(0, 0, MoleFaceWidth, MoleFaceHeight))
        .simplified();
}

const QHash<QString, QPainterPath> &frontCentreRegions()
{
    static const QHash<QString, QPainterPath> regions = [] {
        const QPainterPath face = frontFace();
        const QPainterPath hair = frontSkull().subtracted(face);
        QHash<QString, QPainterPath> r;
        r.insert(QStringLiteral("crown"), rect(22, 5, 26, 9).intersected(hair));
        r.insert(QStringLiteral("hairline"), rect(19, 14, 32, 5.5).intersected(face));
        r.insert(QStringLiteral("forehead"), rect(13, 15, 44, 16.5).intersected(face));
        r.insert(QStringLiteral("tianting"), ellipse(35, 25.5, 5, 4.4));
        r.insert(QStringLiteral("yintang"), ellipse(35, 36.8, 3, 2.4));
        // Down the nose, each place a mole's width from the next: 山根 between the eyes, 年寿
        // on the bridge, 准头, 人中, the two lips, 承浆.
        r.insert(QStringLiteral("shangen"), ellipse(35, 40.9, 2, 1.6));
        r.insert(QStringLiteral("nianshou"), rect(33, 44.4, 4, 6.4));
        r.insert(QStringLiteral("nosetip"), ellipse(35, 54.2, 2.6, 1.8));
        r.insert(QStringLiteral("renzhong"), rect(33.2, 57.4, 3.6, 2));
        r.insert(QStringLiteral("upperlip"), rect(27.4, 61.6, 15.2, 1.6));
        r.insert(QStringLiteral("lowerlip"), rect(29, 65.8, 12, 1.6));
        r.insert(QStringLiteral("chengjiang"), rect(29, 69.8, 12, 1.6));
        r.insert(QStringLiteral("chin"), ellipse(35, 77, 9, 6).intersected(face));
        r.insert(QStringLiteral("huoxing"), ellipse(35, 16, 8.5, 7.5));
        r.insert(QStringLiteral("meitou"), ellipse(35, 36, 10, 4));
        r.insert(QStringLiteral("lowerface"), rect(14, 69, 42, 15).intersected(face));
        return r;
    }();
    return regions;
}

// The subject's right side; ".L" is the mirror.
const QHash<QString, QPainterPath> &frontSideRegions()
{
    static const QHash<QString, QPainterPath> regions = [] {
        const QPainterPath face = frontFace();
        QHash<QString, QPainterPath> r;
        r.insert(QStringLiteral("browhead"), ellipse(30, 35.8, 2.6, 2.2));
        r.insert(QStringLiteral("brow"), ellipse(24.6, 34.3, 3.4, 2.2));
        r.insert(QStringLiteral("browtail"), ellipse(20.4, 34.9, 2.2, 1.8));
        r.insert(QStringLiteral("abovebrow"), ellipse(25, 29.8, 5, 2.4));
        r.insert(QStringLiteral("corner"), ellipse(18.5, 24, 3.2, 4).intersected(face));
        r.insert(QStringLiteral("temple"), ellipse(15.6, 34, 2.4, 4.5).intersected(face));
        r.insert(QStringLiteral("lid"), ellipse(25, 38.7, 3.6, 1.2));
        r.insert(QStringLiteral("innercorner"), ellipse(31, 42.6, 1.4, 1.6));
        r.insert(QStringLiteral("eyetail"), ellipse(17.6, 40.6, 2, 3));
        r.insert(QStringLiteral("tear"), ellipse(25.4, 45.8, 4, 1.6));
        r.insert(QStringLiteral("cheekbone"), ellipse(20.2, 48.6, 3.6, 2.6));
        // The cheek keeps clear of the 法令 line and of the places round the mouth.
        r.insert(QStringLiteral("cheek"), ellipse(20.4, 56.8, 5.8, 6.8)
                                              .intersected(face)
                                              .subtracted(stroked(frontFaling(), 4))
                                              .subtracted(ellipse(29, 60, 3, 3))
                                              .subtracted(ellipse(26, 65, 3, 3)));
        r.insert(QStringLiteral("earfront"), rect(13.4, 41, 2.6, 16).intersected(face));
        r.insert(QStringLiteral("earlobe"), ellipse(10.8, 54.6, 1.6, 1.6));
        r.insert(QStringLiteral("wing"), ellipse(31, 55.2, 1.8, 1.8));
        // 食仓 above the corner of the mouth, inside the 法令 line; the corner where the lips meet.
        r.insert(QStringLiteral("shicang"), ellipse(29, 60, 1.4, 1.4));
        r.insert(QStringLiteral("mouthcorner"), ellipse(26, 65, 1.4, 1.4));
        r.insert(QStringLiteral("faling"), stroked(frontFaling(), 2.4));
        r.insert(QStringLiteral("jaw"), ellipse(19.6, 67.2, 2.6, 3.2).intersected(face));
        return r;
    }();
    return regions;
}

// A woman's hair falls behind the ears to the shoulders: the subject's right half.
QPainterPath frontLongHair()
{
    QPainterPath drape(QPointF(13, 24));
    drape.cubicTo(QPointF(6.5, 38), QPointF(4.2, 58), QPointF(5.4, 84));
    drape.quadTo(QPointF(14, 88), QPointF(27, 84));
    drape.lineTo(27, 30);
    drape.closeSubpath();
    return drape;
}

// The hair seen from the front: a dark mass over the skull, a parting (at the side for a man,
// in the middle for a woman) and a few locks combed away from it, and the hairline where the
// mass meets the forehead.
void drawFrontHair(QPainter &p, FaceHair hair)
{
    p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
    p.setBrush(kHair);
    p.drawPath(frontSkull());
    const double parting = hair == FaceHair::Long ? 35 : 28.5;
    p.save();
    p.setClipPath(frontSkull().subtracted(frontFace()));
    p.setPen(ink::pen(kHairStrand, 0.7));
    p.setBrush(Qt::NoBrush);
    // The parting, then locks falling away from it on both sides, each its own length.
    p.drawLine(QLineF(parting, 5.6, parting + 0.6, 14.6));
    const double locks[][3] = {{-4.5, 11, 0.9}, {-9, 14, 0.8},    {-14, 19, 0.75},
                               {4.5, 12, 0.85}, {9.5, 14.5, 0.8}, {15, 18, 0.7}};
    for (const auto &[dx, drop, bend] : locks) {
        const double x0 = parting + (dx < 0 ? -1.2 : 1.2);
        QPainterPath lock(QPointF(x0, 6.4));
        lock.quadTo(QPointF(x0 + dx * bend, 7.4), QPointF(parting + dx * 1.5, 6.4 + drop));
        p.drawPath(lock);
    }
    p.restore();
}

void drawFront(QPainter &p, bool faling, FaceHair hair)
{
    const QPainterPath face = frontFace();
    const QPainterPath ear = frontEar(), earL = mirror().map(frontEar());

    if (hair == FaceHair::Long) {
        p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
        p.setBrush(kHair);
        p.drawPath(frontLongHair().united(mirror().map(frontLongHair())));
    }
    // Neck and shoulders, ears, then the hair and the face over them.
    p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
    p.setBrush(ink::Skin);
    p.drawPath(frontNeck());
    p.drawPath(ear);
    p.drawPath(earL);
    drawFrontHair(p, hair);
    p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
    p.setBrush(ink::Skin);
    p.drawPath(face);
    // The hairline is a soft edge of hair over skin, the jaw a firm one.
    p.save();
    p.setClipPath(rect(0, 0, 70, 27));
    p.setPen(ink::pen(kHair, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(face);
    p.restore();

    // Inside the ears.
    p.setPen(ink::pen(ink::Crease, 0.8));
    QPainterPath helix(QPointF(12.6, 42));
    helix.cubicTo(QPointF(9.6, 40.6), QPointF(8.8, 44), QPointF(9.4, 47.5));
    helix.quadTo(QPointF(10, 50.5), QPointF(12, 51));
    p.drawPath(helix);
    p.drawPath(mirror().map(helix));

    for (const QTransform &side : {QTransform(), mirror()}) {
        // Brow
        p.setPen(ink::pen(kBrow, 1.7));
        p.drawPath(side.map(frontBrow()));
        // Eye: an almond with its iris, and the lid crease above.
        QPainterPath eye(QPointF(20.4, 42.3));
        eye.cubicTo(QPointF(22.5, 39.6), QPointF(27.5, 39.6), QPointF(29.6, 42.4));
        eye.cubicTo(QPointF(27.5, 44), QPointF(22.8, 44), QPointF(20.4, 42.3));
        p.setPen(ink::pen(ink::Outline, ink::LineWidth));
        p.setBrush(Qt::white);
        p.drawPath(side.map(eye));
        p.setPen(Qt::NoPen);
        p.setBrush(ink::Outline);
        p.drawEllipse(side.map(QPointF(25, 42)), 1.3, 1.3);
        p.setBrush(Qt::NoBrush);
        p.setPen(ink::pen(ink::Crease, 0.7));
        QPainterPath crease(QPointF(21.4, 40.4));
        crease.quadTo(QPointF(25, 38.2), QPointF(28.8, 40.5));
        p.drawPath(side.map(crease));
        // Nose wing and the side of the bridge.
        QPainterPath wing(QPointF(32.4, 53));
        wing.cubicTo(QPointF(29.4, 53.2), QPointF(29.4, 56.6), QPointF(32.4, 56.4));
        p.setPen(ink::pen(ink::Outline, ink::LineWidth));
        p.drawPath(side.map(wing));
        QPainterPath bridge(QPointF(32.6, 41));
        bridge.quadTo(QPointF(33, 47), QPointF(32.2, 51.6));
        p.setPen(ink::pen(ink::Crease, 0.7));
        p.drawPath(side.map(bridge));
        // 人中 ridge
        p.drawLine(side.map(QLineF(34, 57.6, 33.6, 61)));
        // A fold of the skin, in the creases' ink like the lid and the chin, not an outline.
        if (faling) {
            p.setPen(ink::pen(ink::Crease.darker(150), 0.9));
            p.drawPath(side.map(frontFaling()));
        }
    }
    // Nostrils and the tip of the nose.
    p.setPen(ink::pen(ink::Outline, ink::LineWidth));
    QPainterPath base(QPointF(32.4, 56.4));
    base.quadTo(QPointF(35, 57.8), QPointF(37.6, 56.4));
    p.drawPath(base);

    // Mouth: lips in a light tone, the parting line in ink.
    QPainterPath lips(QPointF(26.4, 64.2));
    lips.cubicTo(QPointF(29.6, 62), QPointF(33, 61.2), QPointF(35, 62.4));
    lips.cubicTo(QPointF(37, 61.2), QPointF(40.4, 62), QPointF(43.6, 64.2));
    lips.cubicTo(QPointF(40.4, 68.2), QPointF(29.6, 68.2), QPointF(26.4, 64.2));
    p.setPen(Qt::NoPen);
    p.setBrush(kLip);
    p.drawPath(lips);
    p.setBrush(Qt::NoBrush);
    QPainterPath parting(QPointF(26.4, 64.2));
    parting.quadTo(QPointF(35, 65.6), QPointF(43.6, 64.2));
    p.setPen(ink::pen(ink::Outline, ink::LineWidth));
    p.drawPath(parting);
    // The fold under the chin's cushion.
    p.setPen(ink::pen(ink::Crease, 0.7));
    QPainterPath chin(QPointF(31, 73.4));
    chin.quadTo(QPointF(35, 74.6), QPointF(39, 73.4));
    p.drawPath(chin);
}

// ---- Side view, drawn for the subject's left side (the face looks to the viewer's left).

QPainterPath sideSkin()
{
    QPainterPath s(QPointF(15.4, 21.6));
    s.cubicTo(QPointF(14.2, 24.6), QPointF(13.5, 28), QPointF(13.4, 32)); // forehead
    s.quadTo(QPointF(13.6, 35), QPointF(12.6, 37.4));                     // brow ridge to root
    s.cubicTo(QPointF(10.6, 41), QPointF(7.6, 45), QPointF(6.2, 49));     // bridge to tip
    s.quadTo(QPointF(6.6, 51.6), QPointF(11, 52.2));                      // under the nose
    s.quadTo(QPointF(10.2, 55), QPointF(9.6, 57.6));                      // upper lip
    s.lineTo(11.6, 59.4);
    s.quadTo(QPointF(9.8, 61), QPointF(10.4, 62.8));                  // lower lip
    s.quadTo(QPointF(13, 64.6), QPointF(13, 66.4));                   // the dip above the chin
    s.cubicTo(QPointF(11.6, 70), QPointF(13, 73.4), QPointF(19, 74)); // chin
    s.cubicTo(QPointF(25, 74.6), QPointF(28, 76), QPointF(29, 80));   // under the jaw
    s.cubicTo(QPointF(29.6, 84), QPointF(27, 90), QPointF(24, 92.5)); // throat
    s.lineTo(66, 92.5);
    s.cubicTo(QPointF(59, 86), QPointF(55, 80), QPointF(54.6, 70));       // nape
    s.lineTo(53.6, 62);                                                   // hair ends at the nape
    s.cubicTo(QPointF(53.2, 54), QPointF(54, 44), QPointF(51.8, 36));     // behind the ear
    s.cubicTo(QPointF(48, 28.6), QPointF(38, 29), QPointF(35, 36));       // over the ear
    s.cubicTo(QPointF(33.6, 32), QPointF(32.6, 28), QPointF(31, 24.6));   // sideburn
    s.cubicTo(QPointF(27, 20.4), QPointF(20, 19.6), QPointF(15.4, 21.6)); // hairline
    s.closeSubpath();
    return s;
}

QPainterPath sideSkull()
{
    return ellipse(40, 38, 22.5, 28.5);
}

// The hair seen from the side: over the skull and forward over the top of the forehead, down to
// the hairline, as it sits in the front view.
QPainterPath sideHair()
{
    return sideSkull().united(ellipse(30, 20, 15, 11)).simplified();
}

// The ear is drawn a third larger than life so that a mole on its rim or lobe reads clearly.
QTransform earScale()
{
    return QTransform::fromTranslate(-42, -45) * QTransform::fromScale(1.3, 1.3)
           * QTransform::fromTranslate(42, 45);
}

QPainterPath sideEar()
{
    QPainterPath ear(QPointF(37.6, 39));
    ear.cubicTo(QPointF(38, 34.2), QPointF(46.4, 33.6), QPointF(47, 40.6));
    ear.cubicTo(QPointF(47.4, 45), QPointF(45.4, 47.6), QPointF(44.6, 50.4));
    ear.cubicTo(QPointF(44, 53.6), QPointF(41.6, 55.4), QPointF(39.6, 54.4));
    ear.cubicTo(QPointF(37.6, 53.2), QPointF(38.2, 50), QPointF(38.4, 47));
    ear.closeSubpath();
    return earScale().map(ear);
}

QPainterPath sideOutline()
{
    return sideHair()
        .united(sideSkin())
        .united(sideEar())
        .intersected(rect(0, 0, MoleFaceWidth, MoleFaceHeight))
        .simplified();
}

const QHash<QString, QPainterPath> &sideRegions()
{
    static const QHash<QString, QPainterPath> regions = [] {
        QHash<QString, QPainterPath> r;
        const QPainterPath ear = sideEar();
        QPainterPath inner(QPointF(40, 40));
        inner.cubicTo(QPointF(40.4, 37.4), QPointF(44.4, 37), QPointF(44.6, 41));
        inner.cubicTo(QPointF(44.8, 44), QPointF(42.8, 46), QPointF(42, 48.6));
        inner.lineTo(40.4, 48.6);
        inner.closeSubpath();
        inner = earScale().map(inner);
        // The rim is the outer band of the ear above the lobe.
        r.insert(QStringLiteral("earrim"), ear.subtracted(inner).intersected(rect(34, 28, 18, 22)));
        r.insert(QStringLiteral("earlobe"), ear.intersected(rect(34, 51.5, 16, 8)));
        r.insert(QStringLiteral("earinner"), ellipse(42.4, 42.6, 2, 3.2));
        r.insert(QStringLiteral("earfront"), ellipse(33.6, 47, 1.8, 3.6));
        r.insert(QStringLiteral("behindear"), ellipse(51.2, 50, 1.6, 4.4).intersected(sideSkin()));
        r.insert(QStringLiteral("nape"), rect(47, 66, 10, 20).intersected(sideSkin()));
        r.insert(QStringLiteral("temple"), ellipse(25.4, 31, 3, 3.4));
        r.insert(QStringLiteral("cheek"), ellipse(25.6, 51, 5.4, 5.4));
        r.insert(QStringLiteral("jaw"), ellipse(31, 67, 5, 3.6).intersected(sideSkin()));
        return r;
    }();
    return regions;
}

void drawSide(QPainter &p)
{
    const QPainterPath skin = sideSkin();
    p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
    p.setBrush(kHair);
    p.drawPath(sideHair());
    // Locks combed back from the hairline over the crown, each falling a little lower behind.
    p.save();
    p.setClipPath(sideHair().subtracted(skin));
    p.setPen(ink::pen(kHairStrand, 0.7));
    p.setBrush(Qt::NoBrush);
    const double locks[][2] = {{17.4, 17}, {21, 12.6}, {26, 10.6}, {32, 10}, {38, 11}};
    for (int i = 0; i < 5; ++i) {
        const auto &[x, y] = locks[i];
        QPainterPath lock(QPointF(x, y + 1.4));
        lock.cubicTo(QPointF(x + 12, y - 3 + i), QPointF(52 + i, 16 + 4 * i),
                     QPointF(57 + i * 0.6, 30 + 6 * i));
        p.drawPath(lock);
    }
    p.restore();
    p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
    p.setBrush(ink::Skin);
    p.drawPath(skin);
    // The hairline and sideburn softly; the profile and nape firmly.
    p.save();
    p.setClipPath(rect(23, 0, 47, 71).united(rect(14.8, 0, 9, 22.8)));
    p.setPen(ink::pen(kHairStrand, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(skin);
    p.restore();

    // Ear with its rim, bowl and lobe.
    p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
    p.setBrush(ink::Skin);
    p.drawPath(sideEar());
    p.setBrush(Qt::NoBrush);
    // The rim's inner edge a shade darker than a crease: the ear is what this view is for.
    p.setPen(ink::pen(ink::Crease.darker(118), 0.9));
    QPainterPath helix(QPointF(39.6, 40));
    helix.cubicTo(QPointF(40, 36.8), QPointF(45, 36.6), QPointF(45.2, 41));
    helix.cubicTo(QPointF(45.4, 44.2), QPointF(43.2, 46.4), QPointF(42.6, 49.4));
    p.drawPath(earScale().map(helix));
    p.drawLine(earScale().map(QLineF(38.6, 46.6, 40.6, 46)));

    // Brow, eye, nostril, mouth and the jaw line.
    QPainterPath brow(QPointF(15, 33.2));
    brow.quadTo(QPointF(19, 31.4), QPointF(23.6, 32.8));
    p.setPen(ink::pen(kBrow, 1.7));
    p.drawPath(brow);
    QPainterPath eye(QPointF(15.2, 38.6));
    eye.quadTo(QPointF(18.4, 36.4), QPointF(20.6, 38.8));
    eye.quadTo(QPointF(18, 40.6), QPointF(15.2, 38.6));
    p.setPen(ink::pen(ink::Outline, ink::LineWidth));
    p.setBrush(Qt::white);
    p.drawPath(eye);
    p.setBrush(ink::Outline);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16.4, 38.6), 0.9, 1.1);
    p.setBrush(Qt::NoBrush);
    p.setPen(ink::pen(ink::Outline, ink::LineWidth));
    QPainterPath nostril(QPointF(9.6, 50.8));
    nostril.quadTo(QPointF(12, 49.2), QPointF(12.6, 51.4));
    p.drawPath(nostril);
    p.drawLine(QLineF(11.6, 59.4, 15, 59.6));
    p.setPen(ink::pen(ink::Crease, 0.8));
    QPainterPath jaw(QPointF(22, 73.6));
    jaw.quadTo(QPointF(33, 71.4), QPointF(37, 60));
    p.drawPath(jaw);
}

QTransform viewTransform(FaceView view)
{
    return view == FaceView::Right ? mirror() : QTransform();
}

} // namespace

namespace faceview {

QPainterPath outline(FaceView view)
{
    return view == FaceView::Front ? frontOutline() : viewTransform(view).map(sideOutline());
}

QPainterPath skin(FaceView view)
{
    return view == FaceView::Front ? frontFace() : viewTransform(view).map(sideSkin());
}

QPainterPath hair(FaceView view)
{
    if (view == FaceView::Front)
        return frontSkull().subtracted(frontFace()).simplified();
    return viewTransform(view).map(
        sideHair().subtracted(sideSkin()).subtracted(sideEar()).simplified());
}

std::optional<QPainterPath> region(FaceView view, const QString &name)
{
    if (view != FaceView::Front) {
        const auto found = sideRegions().constFind(name);
        if (found == sideRegions().constEnd())
            return std::nullopt;
        return viewTransform(view).map(*found);
    }
    if (const auto found = frontCentreRegions().constFind(name);
        found != frontCentreRegions().constEnd())
        return *found;
    const bool left = name.endsWith(QLatin1String(".L"));
    if (!left && !name.endsWith(QLatin1String(".R")))
        return std::nullopt;
    const auto found = frontSideRegions().constFind(name.chopped(2));
    if (found == frontSideRegions().constEnd())
        return std::nullopt;
    return left ? mirror().map(*found) : *found;
}

QStringList regionNames(FaceView view)
{
    QStringList names;
    if (view != FaceView::Front) {
        names = sideRegions().keys();
    } else {
        names = frontCentreRegions().keys();
        for (const QString &name : frontSideRegions().keys())
            names << name + QStringLiteral(".L") << name + QStringLiteral(".R");
    }
    names.sort();
    return names;
}

} // namespace faceview

QImage drawFace(const FacePicture &picture, int scale)
{
    QImage image = ink::canvas(QSize(MoleFaceWidth, MoleFaceHeight), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (picture.view == FaceView::Front) {
        drawFront(p, picture.faling, picture.hair);
    } else {
        p.setTransform(viewTransform(picture.view));
        drawSide(p);
        p.resetTransform();
    }
    // Each mole: a light rim that keeps it clear of the lines beneath, then the dark dot. In the
    // hair a light rim round a dark dot reads as a ring, and a dark dot alone is lost: there the
    // mole is a solid brown spot, lighter than the hair, as a mole shows on the scalp.
    const QPainterPath hair = faceview::hair(picture.view);
    for (const FaceMole &mole : picture.moles) {
        p.setPen(Qt::NoPen);
        if (hair.contains(mole.at)) {
            p.setBrush(kMoleInHair);
            p.drawEllipse(mole.at, MoleRadius + 0.3, MoleRadius + 0.3);
            continue;
        }
        // On the skin by the hairline the rim stops at the hair.
        p.save();
        p.setClipPath(rect(0, 0, MoleFaceWidth, MoleFaceHeight).subtracted(hair));
        p.setBrush(kMoleRim);
        p.drawEllipse(mole.at, MoleRadius + MoleRimWidth, MoleRadius + MoleRimWidth);
        p.restore();
        p.setBrush(kMole);
        p.drawEllipse(mole.at, MoleRadius, MoleRadius);
    }
    return image;
}

QStringList hairProblems(const FacePicture &picture)
{
    QStringList problems;
    const QPainterPath outline = faceview::outline(picture.view);
    const QPainterPath hair = faceview::hair(picture.view);
    // The hair covers the top of the head: the skin begins well below it, as a hairline.
    if (faceview::skin(picture.view).boundingRect().top() < outline.boundingRect().top() + 7)
        problems << QStringLiteral("%1: the skin reaches the top of the head").arg(picture.key);
    // Every pixel wholly in the hair is drawn as hair: dark, with no light ring round a mole.
    const QImage image = drawFace(picture);
    int inHair = 0, dark = 0, light = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (!hair.contains(QRectF(x - 0.5, y - 0.5, 2, 2)))
                continue;
            ++inHair;
            const int grey = qGray(image.pixel(x, y));
            dark += grey < 130;
            light += grey > kHairLightest;
        }
    if (inHair == 0 || dark * 5 < inHair * 4)
        problems << QStringLiteral("%1: hair drawn on only %2 of %3 pixels of the hair")
                        .arg(picture.key)
                        .arg(dark)
                        .arg(inHair);
    if (light > 0)
        problems << QStringLiteral("%1: %2 light pixels in the hair").arg(picture.key).arg(light);
    return problems;
}

} // namespace artwork
