#pragma once

// Draws one body-mole picture kNN from its description: the figure in outline, the place tinted,
// the moles as dark dots with a light rim, and the place's short name in grey outside the figure
// with a leader line to the nearest mole. The checks refuse a mole off its place or off the
// outline, a label on the figure, and two pictures that look alike at real size.

#include "tools/artwork/checks.h"
#include "tools/artwork/molebodyfigure.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QStringList>

#include <optional>

namespace artwork {

struct BodyPicture
{
    int number = 0; // kNN
    Place place = Place::ElbowFront;
    View view = View::Front;
    Pose pose = Pose::ArmsDown;
    QList<MoleSpot> moles;
    std::optional<QPointF> label; // the label's centre in pixels; found by the tool when absent
};

enum class LabelMode { With, Without };

class BodyScene
{
public:
    explicit BodyScene(const BodyPicture &picture);

    QSize size() const;
    QList<QPointF> moles() const; // centres, in pixels
    QRectF labelBox() const;      // the label's ink, in pixels
    QPainterPath figure() const;  // the figure's outline, in pixels
    QRectF closeUpBox() const;    // empty without a close-up

    // Every way the picture breaks the rules, one line each; empty when it keeps them.
    QStringList check() const;
    QImage draw(LabelMode labels = LabelMode::With, int scale = 1) const;

private:
    QPointF toPicture(QPointF figurePoint) const;
    QPointF closeUpToPicture(QPointF closeUpPoint) const;
    QTransform figureTransform() const;
    QTransform closeUpTransform() const;
    QRectF findLabel() const;
    QPointF leaderTarget() const;

    BodyPicture m_picture;
    BodyFigure m_figure;
    CloseUp m_closeUp;
    Inset m_inset;
    double m_scale = 1;
    QPointF m_origin;    // the figure's origin, in pixels
    QRectF m_closeUpBox; // in pixels
    double m_closeUpScale = 1;
    QRectF m_label;
};

// The 18 pictures k01 … k18.
const QList<BodyPicture> &bodyPictures();

// Two body pictures look alike when fewer than this many pixels differ by more than the step in
// any colour.
inline constexpr PixelStep BodyPixelStep{32, PixelStep::Measure::Largest};
inline constexpr int BodyLookAlikePixels = 40;

// The checks of every picture, then every pair compared without their labels.
QStringList checkBodyCatalogue(const QList<BodyPicture> &pictures);

QString bodyKey(int number); // "k07"

} // namespace artwork
