#pragma once

// What every picture of the artwork tool draws with: one paper, skin and ink, one pen, one
// typeface and the small geometry the drawings share, so that the palm pictures, the palm charts
// and the face and body moles read as one hand's work.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>

class QPainter;

namespace artwork::ink {

inline constexpr QColor Paper{255, 254, 250};
inline constexpr QColor Skin{253, 246, 237};
inline constexpr QColor Outline{58, 58, 58};
inline constexpr QColor Crease{200, 188, 176};
inline constexpr QColor Faint{170, 170, 170}; // a line the text does not speak of

inline constexpr double LineWidth = 0.95;    // an ordinary line
inline constexpr double OutlineWidth = 1.05; // the outline of a hand, a face or a body

// A blank picture `size` pixels large, filled with `paper`, drawn `scale` times as fine: a painter
// on it still works in the picture's own pixels. The program shows the twice-as-fine drawing on
// screens that have more than one pixel to each of its own.
QImage canvas(QSize size, int scale, const QColor &paper = Paper);

// A pen with round ends and joins.
QPen pen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine);

// Writes `glyphs` in `colour` over a halo of skin `halo` pixels wide, so that the lines and creases
// they cross stay off the characters.
void writeOnSkin(QPainter &p, const QPainterPath &glyphs, const QColor &colour, double penWidth,
                 double halo);

// Text in the Song typeface as a path whose ink, not its advance, is centred on `centre`; under a
// Lettering (lettering.h), written as its edition writes it, in its face.
QPainterPath glyphs(const QString &text, int pixelSize, QPointF centre = {});

double length(QPointF v);
double distance(QPointF a, QPointF b);
// The point of `box` nearest to `p`.
QPointF nearest(const QRectF &box, QPointF p);
// `v` made one long; `ifNone` when v has no length.
QPointF unit(QPointF v, QPointF ifNone);
// Whether a disc lies on `shape`: its centre and eight points of its rim must.
bool discInside(const QPainterPath &shape, QPointF centre, double radius);
// `v` turned clockwise on the screen, whose y grows downward.
QPointF rotated(QPointF v, double degrees);

// The same strokes on every platform: our own generator, not a library distribution. Each
// catalogue salts its seeds so that its pictures do not repeat another's.
class Scatter
{
public:
    Scatter(std::uint32_t seed, std::uint32_t salt)
        : m_state(seed * 2654435761u + salt)
    {}
    double next() // 0 … 1
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return (m_state & 0xffffff) / double(0xffffff);
    }

private:
    std::uint32_t m_state;
};

} // namespace artwork::ink
