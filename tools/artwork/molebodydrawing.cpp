#include "tools/artwork/molebodydrawing.h"

#include "tools/artwork/ink.h"
#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr int kWidth = 120;
constexpr double kFigureScale = 0.93;   // a figure alone
constexpr double kBesideScale = 0.8;    // a figure beside a close-up
constexpr double kLabelClearance = 2.5; // between a label's ink and the figure
const QColor kBoxLine{176, 170, 164};

} // namespace

QString bodyKey(int number)
{
    return QStringLiteral("k%1").arg(number, 2, 10, QLatin1Char('0'));
}

BodyScene::BodyScene(const BodyPicture &picture)
    : m_picture(picture)
    , m_figure(picture.view, picture.pose)
    , m_inset(placeInfo(picture.place).inset)
{
    m_closeUp = makeCloseUp(m_inset);
    const QRectF body = m_figure.outline().boundingRect();
    const QSizeF frame = size();
    if (m_inset == Inset::None) {
        m_scale = kFigureScale;
        m_origin = QPointF(frame.width() / 2,
                           (frame.height() - body.height() * m_scale) / 2 - body.top() * m_scale);
        m_label = findLabel();
        return;
    }
    // The close-up shows the subject's right hand or foot, so it stands on that side.
    const int side = viewerSign(picture.view, Side::Right);
    m_scale = kBesideScale;
    const double half = std::max(-body.left(), body.right()) * m_scale;
    const double cx = side < 0 ? kWidth - 4 - half : 4 + half;
    m_origin = QPointF(cx, (frame.height() - body.height() * m_scale) / 2 - body.top() * m_scale);

    const QRectF f = m_closeUp.frame;
    m_closeUpScale = std::min((kWidth - 2 * half - 18) / f.width(), 66 / f.height());
    const QSizeF box = f.size() * m_closeUpScale + QSizeF(6, 6);
    const double left = side < 0 ? 5 : kWidth - 5 - box.width();
    // Level with the hand or the foot it enlarges, kept in the picture.
    const double along = m_inset == Inset::Palm ? toPicture(m_figure.hand(side)).y() - 10
                                                : toPicture(m_figure.foot(side)).y() - 30;
    const double top
        = std::clamp(along - box.height() / 2, 22.0, frame.height() - 22 - box.height());
    m_closeUpBox = QRectF(QPointF(left, top), box);
    m_label = findLabel();
}

QSize BodyScene::size() const
{
    return {kWidth, m_picture.number == 18 ? 178 : 177};
}

QTransform BodyScene::figureTransform() const
{
    return QTransform(m_scale, 0, 0, m_scale, m_origin.x(), m_origin.y());
}

QTransform BodyScene::closeUpTransform() const
{
    const QPointF at
        = m_closeUpBox.topLeft() + QPointF(3, 3) - m_closeUp.frame.topLeft() * m_closeUpScale;
    return QTransform(m_closeUpScale, 0, 0, m_closeUpScale, at.x(), at.y());
}

QPointF BodyScene::toPicture(QPointF p) const
{
    return figureTransform().map(p);
}

QPointF BodyScene::closeUpToPicture(QPointF p) const
{
    return closeUpTransform().map(p);
}

QPainterPath BodyScene::figure() const
{
    return figureTransform().map(m_figure.outline());
}

QRectF BodyScene::closeUpBox() const
{
    return m_closeUpBox;
}

QList<QPointF> BodyScene::moles() const
{
    // On a pixel's centre, so that every dot shows the same solid core of 3 × 3 pixels.
    const auto snapped = [](QPointF p) {
        return QPointF(std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5);
    };
    QList<QPointF> out;
    for (const MoleSpot &spot : m_picture.moles) {
        if (m_inset != Inset::None) {
            out.append(snapped(closeUpToPicture(spot.at)));
            continue;
        }
        for (const QPointF &p : figurePoints(m_picture.view, spot))
            out.append(snapped(toPicture(p)));
    }
    return out;
}

QPointF BodyScene::leaderTarget() const
{
    const QList<QPointF> all = moles();
    const QPointF centre = m_label.center();
    return all.isEmpty() ? centre
                         : *std::min_element(all.begin(), all.end(), [&](QPointF a, QPointF b) {
                               return ink::distance(a, centre) < ink::distance(b, centre);
                           });
}

QRectF BodyScene::labelBox() const
{
    return m_label;
}

// Where the label hides nothing: off the figure and the close-up, inside the picture, near its
// mole, with as little of its leader line running over the figure as can be.
QRectF BodyScene::findLabel() const
{
    const QRectF ink
        = ink::glyphs(QString::fromUtf8(placeInfo(m_picture.place).shortName), 12).boundingRect();
    if (m_picture.label)
        return ink.translated(*m_picture.label);
    const QPainterPath body = figure();
    const QList<QPointF> all = moles();
    const QRectF inside = QRectF(QPointF(0, 0), QSizeF(size())).adjusted(2, 2, -2, -2);
    QRectF best;
    double bestCost = -1;
    for (double y = inside.top(); y <= inside.bottom(); y += 2) {
        for (double x = inside.left(); x <= inside.right(); x += 2) {
            const QRectF box = ink.translated(x, y);
            const QRectF clear = box.adjusted(-kLabelClearance, -kLabelClearance, kLabelClearance,
                                              kLabelClearance);
            if (!inside.contains(box) || body.intersects(clear)
                || (!m_closeUpBox.isNull() && m_closeUpBox.intersects(clear)))
                continue;
            double cost = 1e9;
            for (const QPointF &mole : all) {
                const QPointF from = ink::nearest(box, mole);
                const double length = ink::distance(from, mole);
                // Leader length over the figure counts three times over.
                double over = 0;
                for (int i = 1; i <= 20; ++i)
                    if (body.contains(from + (mole - from) * (i / 20.0)))
                        over += length / 20;
                cost = std::min(cost, length + 3 * over);
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                best = box;
            }
        }
    }
    return best;
}

QStringList BodyScene::check() const
{
    QStringList errors;
    const QString key = bodyKey(m_picture.number);
    const QString name = QString::fromUtf8(placeInfo(m_picture.place).shortName);
    if (m_picture.moles.isEmpty())
        errors.append(QStringLiteral("%1: no mole on %2").arg(key, name));
    // In figure or close-up units, so the regions are those of the template.
    const double unit = m_inset == Inset::None ? m_scale : m_closeUpScale;
    const QPainterPath shape = m_inset == Inset::None ? m_figure.outline() : m_closeUp.outline;
    const QPainterPath region
        = m_inset == Inset::None ? m_figure.region(m_picture.place) : m_closeUp.region;
    for (const MoleSpot &spot : m_picture.moles) {
        const QList<QPointF> points
            = m_inset == Inset::None ? figurePoints(m_picture.view, spot) : QList<QPointF>{spot.at};
        for (const QPointF &p : points) {
            const QString where = QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
            if (!region.contains(p))
                errors.append(QStringLiteral("%1: mole at %2 is not on %3").arg(key, where, name));
            // Half a pixel more: the dot is drawn on the nearest pixel centre.
            if (!ink::discInside(shape, p, (BodyMoleRadius + 0.5) / unit))
                errors.append(QStringLiteral("%1: mole at %2 is off the outline").arg(key, where));
        }
    }
    const QRectF box = labelBox();
    const QRectF clear
        = box.adjusted(-kLabelClearance, -kLabelClearance, kLabelClearance, kLabelClearance);
    if (box.isNull() || !QRectF(QPointF(0, 0), QSizeF(size())).contains(box))
        errors.append(QStringLiteral("%1: label %2 is not inside the picture").arg(key, name));
    else if (figure().intersects(clear))
        errors.append(QStringLiteral("%1: label %2 touches the figure").arg(key, name));
    else if (!m_closeUpBox.isNull() && m_closeUpBox.intersects(clear))
        errors.append(QStringLiteral("%1: label %2 lies on the close-up").arg(key, name));
    return errors;
}

QImage BodyScene::draw(LabelMode labels, int scale) const
{
    QImage image = ink::canvas(size(), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The place, tinted on the side(s) that carry a mole.
    const auto drawShape
        = [&p](const QPainterPath &outline, const QPainterPath &details, const QPainterPath &wash) {
              p.setPen(Qt::NoPen);
              p.setBrush(ink::Skin);
              p.drawPath(outline);
              p.setBrush(BodyWash);
              p.drawPath(wash.intersected(outline));
              p.setBrush(Qt::NoBrush);
              p.setPen(ink::pen(BodyDetail, 0.8));
              p.drawPath(details);
              p.setPen(ink::pen(ink::Outline, ink::OutlineWidth));
              p.drawPath(outline);
          };

    const QTransform f = figureTransform();
    QPainterPath wash;
    if (m_inset == Inset::None) {
        for (const MoleSpot &spot : m_picture.moles)
            for (const QPointF &at : figurePoints(m_picture.view, spot)) {
                const int sign = spot.side == Side::Middle ? 0 : (at.x() > 0 ? 1 : -1);
                wash = wash.united(m_figure.region(m_picture.place, sign));
            }
    }
    drawShape(f.map(m_figure.outline()), f.map(m_figure.details()), f.map(wash));

    if (m_inset != Inset::None) {
        const int side = viewerSign(m_picture.view, Side::Right);
        const QPointF from = m_inset == Inset::Palm ? toPicture(m_figure.hand(side))
                                                    : toPicture(m_figure.foot(side));
        p.setPen(ink::pen(kBoxLine, 0.8, Qt::DashLine));
        p.drawLine(from, ink::nearest(m_closeUpBox, from));
        p.setPen(ink::pen(kBoxLine, 0.8));
        p.setBrush(ink::Paper);
        p.drawRoundedRect(m_closeUpBox, 3, 3);
        const QTransform c = closeUpTransform();
        p.save();
        p.setClipRect(m_closeUpBox.adjusted(1, 1, -1, -1));
        drawShape(c.map(m_closeUp.outline), c.map(m_closeUp.details), c.map(m_closeUp.region));
        p.restore();
    }

    for (const QPointF &mole : moles()) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink::Paper);
        p.drawEllipse(mole, BodyMoleRimRadius, BodyMoleRimRadius);
        p.setBrush(MoleInk);
        p.drawEllipse(mole, BodyMoleRadius, BodyMoleRadius);
    }

    if (labels == LabelMode::With) {
        const QRectF box = labelBox();
        const QPointF target = leaderTarget();
        const QPointF from = ink::nearest(box.adjusted(-1.5, -1.5, 1.5, 1.5), target);
        const double length = ink::distance(from, target);
        if (length > BodyMoleRimRadius + 3) {
            const QPointF to = target + (from - target) * ((BodyMoleRimRadius + 0.8) / length);
            p.setPen(ink::pen(LabelGrey, 0.7));
            p.drawLine(from, to);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(LabelGrey);
        p.drawPath(ink::glyphs(QString::fromUtf8(placeInfo(m_picture.place).shortName), 12)
                       .translated(box.center()));
    }
    return image;
}

const QList<BodyPicture> &bodyPictures()
{
    using enum Place;
    using enum View;
    using enum Pose;
    using enum Side;
    static const QList<BodyPicture> pictures = {
        {1, ElbowFront, Front, ArmsDown, {{Both, {22.3, 60.5}}}, {}},
        {2, ElbowBack, Back, ArmsDown, {{Both, {22.5, 61.5}}}, {}},
        {3, Armpit, Front, ArmsRaised, {{Both, {17.4, 37.4}}}, {}},
        {4, AboveKnee, Front, ArmsDown, {{Both, {8.3, 112}}}, {}},
        {5, Thigh, Front, ArmsDown, {{Left, {9, 97}}}, {}},
        {6, LowerBelly, Front, ArmsDown, {{Middle, {0, 81}}}, {}},
        {7, PalmCentre, Front, ArmsDown, {{Right, {54, 94}}}, {}},
        {8, Throat, Front, ArmsDown, {{Middle, {0, 23.5}}}, {}},
        {9, Flank, Front, ArmsDown, {{Right, {10.2, 64}}}, {}},
        {10, Sole, Back, ArmsDown, {{Right, {21, 50}}}, {}},
        {11, FootSide, Front, ArmsDown, {{Right, {29, 38}}}, {}},
        {12, BetweenBreasts, Front, ArmsDown, {{Middle, {0, 44}}}, {}},
        {13, BelowBreasts, Front, ArmsDown, {{Middle, {0, 55.5}}}, {}},
        {14, AboveBreasts, Front, ArmsDown, {{Both, {10, 39}}}, {}},
        {15, BesideNavel, Front, ArmsDown, {{Both, {6, 68}}}, {}},
        {16, Navel, Front, ArmsDown, {{Middle, {0, 68}}}, {}},
        {17, UpperArm, Front, ArmsDown, {{Left, {20, 48.5}}}, {}},
        {18, ElbowOuter, Front, HandsOnHips, {{Both, {31.2, 56}}}, {}},
    };
    return pictures;
}

QStringList checkBodyCatalogue(const QList<BodyPicture> &pictures)
{
    QStringList errors;
    QList<QImage> plain;
    for (const BodyPicture &picture : pictures) {
        const BodyScene scene(picture);
        errors += scene.check();
        // Compared at one size: k18's extra row is paper.
        plain.append(scene.draw(LabelMode::Without).copy(0, 0, kWidth, 177));
    }
    QStringList names;
    for (const BodyPicture &picture : pictures)
        names.append(bodyKey(picture.number));
    errors += describeLookAlikes(names, plain, BodyLookAlikePixels, BodyPixelStep,
                                 QStringLiteral("%1 and %2 look alike (%3 pixels differ)"));
    return errors;
}

} // namespace artwork
