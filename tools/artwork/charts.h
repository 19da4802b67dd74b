#pragma once

// The two palm charts of the palm introduction page, 256 × 375: the palm pictures' hand enlarged,
// with the six main lines numbered and named in a legend (i1), or with the eight trigram palaces
// written where the palm readings put them (i2).

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QStringList>
#include <QTransform>

namespace artwork {

enum class Chart { Lines, Palaces };

inline constexpr int ChartWidth = 256;
inline constexpr int ChartHeight = 375;

class ChartScene
{
public:
    explicit ChartScene(Chart chart);

    // The numbers (i1) or palace names (i2) written on the hand, in pixels, in line or palace
    // order.
    const QList<QRectF> &labels() const { return m_labels; }
    QPainterPath hand() const; // the hand's outline, in pixels
    // From the palm pictures' hand units to this chart's pixels.
    static QTransform handToChart();
    // Labels off the hand or on one another, one line each; empty when all is well.
    QStringList check() const;
    QImage draw(int scale = 1) const;

private:
    void placeNumbers();
    void placePalaces();

    Chart m_chart;
    QList<QRectF> m_labels;
    QList<QPointF> m_palaceAt; // where each palace's label was centred
};

} // namespace artwork
