#pragma once

// Draws one palm picture from its description: the hand, its six lines in their ordinary course
// unless told otherwise, then the described features in dark red on top.

#include "tools/artwork/palmdescription.h"
#include "tools/artwork/palmhand.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRectF>

#include <array>

class QPainter;

namespace artwork {

inline constexpr QColor PalmInk{72, 72, 72};
inline constexpr QColor PalmRed{165, 18, 18};
// Palace names are written in blue so that a red mark beside one never reads as part of the word.
inline constexpr QColor PalmLabel{28, 58, 140};

class PalmScene
{
public:
    explicit PalmScene(const PalmPicture &picture);

    // Where an anchor lies in this picture (a line's fraction runs along the line as drawn).
    QPointF point(const Anchor &anchor) const;
    // The line as drawn, before breaks; empty for a line left out.
    Polyline course(PalmLine line) const;

    QImage draw(int scale = 1) const;

    // Where things were put, for the checks that hold each picture to its description.
    struct PlacedLabel
    {
        Palace palace = Palace::Ming;
        QPointF centre;
        QRectF box; // the glyphs' ink
    };
    struct PlacedMark
    {
        int statement = 0; // index into the picture's statements
        QPainterPath path; // the strokes as drawn, before the pen widens them
        double penWidth = 0;
    };
    const QList<PlacedLabel> &labels() const { return m_labels; }
    const QList<PlacedMark> &marks() const { return m_marks; } // marks and `lines` strokes
    QPainterPath handOutline() const { return m_hand.outline(); }
    // The stroke of a branch or path statement and the strokes of a mess statement, as drawn.
    Polyline branch(const BranchStatement &s) const;
    Polyline path(const PathStatement &s) const;
    QList<QLineF> mess(const MessStatement &s, int index) const;
    const PalmPicture &picture() const { return m_picture; }

    // The ink of a path drawn with a round pen of `width`.
    static QPainterPath inked(const QPainterPath &path, double width);
    // How far labels and marks keep apart, in pixels.
    static constexpr double LabelGap = 3.0;

private:
    struct LineState
    {
        LineStatement style;
        Polyline course;
    };

    QPointF direction(const Anchor &anchor) const;
    // The end of a stroke from `from` toward `to`: at `to`, or for a palace up to `most` of the
    // way and short of any label.
    QPointF clearOfLabels(QPointF from, const Anchor &to, double most = 1) const;
    void placeLabels();
    void placeMarks();
    QPointF featureCentre(const Anchor &at) const;
    QPainterPath markPath(MarkKind kind, QPointF centre, const Anchor &at) const;
    QPainterPath linesPath(const LinesStatement &s, QPointF centre) const;
    void drawLine(QPainter &p, const LineState &line) const;
    void drawStatement(QPainter &p, const Statement &statement, int index) const;
    void drawLabels(QPainter &p) const;

    PalmPicture m_picture;
    PalmHand m_hand;
    std::array<LineState, PalmLineCount> m_lines;
    std::array<bool, FingerCount> m_shaped{};
    std::array<bool, FingerCount> m_hairy{};
    QList<PlacedLabel> m_labels;
    QList<PlacedMark> m_marks;
    QHash<int, QPointF> m_centres; // statement index → where its mark, strokes or mess sit
};

// The picture ImageN, 100 pixels wide and palmPictureHeight(N) high.
QImage drawPalm(const PalmPicture &picture, int scale = 1);

// The hand's skin and its creases, at the joints and twice across the wrist: what every palm
// picture and palm chart draws before its lines.
void drawSkinAndCreases(QPainter &p, const PalmHand &hand);

} // namespace artwork
