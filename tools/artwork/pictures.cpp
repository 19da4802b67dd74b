#include "tools/artwork/pictures.h"

#include "tools/artwork/ink.h"
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace artwork {

namespace {

const QColor kPaper{250, 243, 226};
const QColor kSealRed{172, 28, 24};
const QColor kWood{104, 62, 30};
const QColor kBrass{150, 112, 48};
const QColor kInk{40, 34, 30};
const QColor kGold{236, 200, 120};

} // namespace

QImage drawImage218(int scale)
{
    QImage image = ink::canvas(QSize(58, 78), scale, kPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Frame
    p.setPen(QPen(kSealRed, 1));
    p.drawRect(QRectF(1.5, 1.5, 55, 75));

    // Steelyard: cord, beam with its marks, pan with a bone, and the sliding weight.
    const QPointF hang(21.5, 4), left(6, 21), right(53, 15.5);
    const auto onBeam = [&](double f) {
        return left + (right - left) * f;
    };
    p.setPen(QPen(kInk, 0.8));
    p.drawLine(hang, onBeam(0.32));
    p.setPen(QPen(kWood, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(left, right);
    p.setPen(QPen(kGold, 0.8));
    for (int i = 0; i < 7; ++i) {
        const QPointF m = onBeam(0.42 + 0.08 * i);
        p.drawPoint(m);
    }
    p.setPen(QPen(kInk, 0.7));
    const QPointF panCentre(12, 35);
    p.drawLine(onBeam(0.02), panCentre + QPointF(-7, 0));
    p.drawLine(onBeam(0.02), panCentre + QPointF(7, 0));
    QPainterPath pan(panCentre + QPointF(-7.5, 0));
    pan.quadTo(panCentre + QPointF(0, 6), panCentre + QPointF(7.5, 0));
    pan.closeSubpath();
    p.setPen(QPen(kBrass.darker(130), 0.8));
    p.setBrush(kBrass);
    p.drawPath(pan);
    // The bone, lying in the pan: a bar with two knobs at each end.
    p.setPen(QPen(kWood, 0.7));
    p.setBrush(QColor(255, 252, 244));
    QPainterPath bone;
    bone.addRect(QRectF(8.6, 31.9, 6.8, 1.8));
    for (const QPointF c :
         {QPointF(8.2, 31.7), QPointF(8.2, 33.9), QPointF(15.8, 31.7), QPointF(15.8, 33.9)})
        bone.addEllipse(c, 1.3, 1.3);
    p.drawPath(bone.simplified());

    const QPointF weightAt = onBeam(0.8);
    p.setPen(QPen(kInk, 0.7));
    p.drawLine(weightAt, weightAt + QPointF(0, 7));
    QPainterPath weight(weightAt + QPointF(-2, 7));
    weight.lineTo(weightAt + QPointF(2, 7));
    weight.cubicTo(weightAt + QPointF(5, 9), weightAt + QPointF(5, 14),
                   weightAt + QPointF(3.5, 15));
    weight.lineTo(weightAt + QPointF(-3.5, 15));
    weight.cubicTo(weightAt + QPointF(-5, 14), weightAt + QPointF(-5, 9),
                   weightAt + QPointF(-2, 7));
    p.setBrush(kInk);
    p.drawPath(weight);

    // The seal: white 命 cut into a red square with a worn edge.
    const QRectF seal(13, 40, 32, 32);
    p.setPen(Qt::NoPen);
    p.setBrush(kSealRed);
    p.drawRoundedRect(seal, 2.5, 2.5);
    p.setPen(QPen(kPaper, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(seal.adjusted(2.2, 2.2, -2.2, -2.2), 1.2, 1.2);
    // The light Song face thickened a little, as a carved seal's strokes are.
    p.setPen(QPen(kPaper, 1.0));
    p.setBrush(kPaper);
    p.drawPath(ink::glyphs(QStringLiteral("命"), 25, seal.center() + QPointF(0, 0.5)));
    p.end();
    return image;
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_RGB888);
    image.fill(kSealRed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 48-unit grid; the larger sizes for the desktop are the same strokes scaled up.
    if (size != 48)
        p.scale(size / 48.0, size / 48.0);
    const QPointF c(24, 24);

    p.setPen(QPen(kGold, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 45, 45), 4, 4);

    // The trigrams clockwise from the top, the later-heaven order with south up; the first
    // line of each (bit 0) lies nearest the centre.
    const int trigrams[] = {0b101, 0b000, 0b011, 0b111, 0b010, 0b100, 0b001, 0b110};
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(45 * i);
        for (int line = 0; line < 3; ++line) {
            const double y = -15.2 - 2.3 * line;
            if (trigrams[i] & (1 << line)) {
                p.drawRect(QRectF(-4, y - 0.65, 8, 1.3));
            } else {
                p.drawRect(QRectF(-4, y - 0.65, 3.3, 1.3));
                p.drawRect(QRectF(0.7, y - 0.65, 3.3, 1.3));
            }
        }
        p.restore();
    }

    // Taiji: dark half on the right, light on the left, each with the other's eye.
    const double r = 11.5;
    p.setBrush(kPaper);
    p.setPen(QPen(kGold, 1));
    p.drawEllipse(c, r, r);
    QPainterPath dark;
    dark.moveTo(c + QPointF(0, -r));
    dark.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90, -180);
    dark.arcTo(QRectF(c.x() - r / 2, c.y(), r, r), 270, -180);
    dark.arcTo(QRectF(c.x() - r / 2, c.y() - r, r, r), 270, 180);
    dark.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(dark);
    p.drawEllipse(c + QPointF(0, -r / 2), 1.7, 1.7);
    p.setBrush(kPaper);
    p.drawEllipse(c + QPointF(0, r / 2), 1.7, 1.7);
    p.end();
    return image;
}

} // namespace artwork
