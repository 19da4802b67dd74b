#pragma once

// The program's look: the Song face "宋体" at a pixel height, and the cream and navy of the
// readings.

#include <QColor>
#include <QFont>

class QWidget;

namespace base {

inline constexpr QColor Cream{255, 251, 240};
inline constexpr QColor Navy{0, 0, 128};

// "宋体" at the given character height in pixels, falling back to the Song faces found on Linux.
QFont songFont(int pixelHeight, QFont::Weight weight = QFont::Normal);

// Paints a widget's base (memos, lists) or window (labels, static texts) in a colour.
void setBaseColour(QWidget *widget, const QColor &colour);
void setWindowColour(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, const QColor &colour);

} // namespace base
