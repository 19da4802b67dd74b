#pragma once

// Draws one palm picture from its description: the hand, its six lines in their ordinary course
// unless told otherwise, then the described features in dark red on top.

#include "tools/artwork/palmdescription.h"
#include "tools/artwork/palmhand.h"

#include <QColor>
#include <QImage>

#include <array>

class QPainter;

namespace artwork {

inline constexpr QColor PalmPaper{255, 254, 250};
inline constexpr QColor PalmInk{72, 72, 72};
inline constexpr QColor PalmRed{165, 18, 18};

class PalmScene
{
public:
    explicit PalmScene(const PalmPicture &picture);

    // Where an anchor lies in this picture (a line's fraction runs along the line as drawn).
    QPointF point(const Anchor &anchor) const;
    // The line as drawn, before breaks; empty for a line left out.
    Polyline course(PalmLine line) const;

    QImage draw() const;

private:
    struct LineState
    {
        LineStatement style;
        Polyline course;
    };

    QPointF direction(const Anchor &anchor) const;
    QPointF markCentre(const Anchor &at) const;
    void drawLine(QPainter &p, const LineState &line) const;
    void drawStatement(QPainter &p, const Statement &statement, int index) const;
    enum class MarkLayer { Halo, Ink };
    void drawMark(QPainter &p, MarkKind kind, const Anchor &at, MarkLayer layer) const;
    void drawLabels(QImage &image) const;

    PalmPicture m_picture;
    PalmHand m_hand;
    std::array<LineState, PalmLineCount> m_lines;
    std::array<bool, FingerCount> m_shaped{};
    std::array<bool, FingerCount> m_hairy{};
};

// The picture ImageN, 100 pixels wide and PalmPictureHeight(N) high.
QImage DrawPalm(const PalmPicture &picture);

} // namespace artwork
