#pragma once

// The program's look: the Song face "宋体" at a pixel height, and the cream and navy of the
// readings. Colours hold in every colour scheme of the desktop: a text on our fixed cream gets a
// fixed dark ink; a text on a system colour keeps the system's matching text colour; our accents
// are moved, in their own hue, until they read at LeastContrast on the face colour of the scheme
// in use, and are set again when the desktop changes its scheme while the program runs.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRawFont>

#include <functional>

class QWidget;

namespace base {

inline constexpr QColor Cream{255, 251, 240};
inline constexpr QColor Navy{0, 0, 128};
// The text on cream: the window text of a light scheme, kept in a dark one (20:1 on cream).
inline constexpr QColor CreamInk{0, 0, 0};

// The least contrast of a text with its background, as ordinary text needs it.
inline constexpr double LeastContrast = 4.5;
// What an accent that has to be moved is moved to: small type's softened edges paint a little
// less contrast than its colour has (4.5:1 in colour reads as about 3.8:1 on the pixels of the
// 13-pixel introduction).
inline constexpr double MovedAccentContrast = 6.0;

// The contrast ratio of two colours, from their relative luminance: 1 (none) to 21 (black on
// white).
double contrastRatio(const QColor &a, const QColor &b);

// `accent` where it reads at LeastContrast on `face`; otherwise the nearest colour of its hue,
// lighter on a dark face, darker on a light one, that reads at MovedAccentContrast.
QColor accentOn(const QColor &accent, const QColor &face);

// The Song faces in the order they are wanted: the edition's own, "宋体" and its kin, then those
// found on Linux. songFont keeps the installed ones of them.
QStringList songFamilies();
// "宋体" at the given character height in pixels, falling back to the Song faces found on Linux.
QFont songFont(int pixelHeight, QFont::Weight weight = QFont::Normal);
// The larger of a face's line spacing and height at a pixel size, as QFontMetrics gives them.
int linePitch(QRawFont &face, int pixelSize);

// Paints a widget's base (memos, lists) or window (labels, static texts) in a colour.
void setBaseColour(QWidget *widget, const QColor &colour);
void setWindowColour(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, const QColor &colour);

// Cream under the text of a memo or list, or behind a label, with CreamInk on it.
void setCreamBase(QWidget *widget);
void setCreamWindow(QWidget *widget);

// Runs `apply` with the colours of the scheme the widget stands in (its parent's palette) now and
// again whenever that scheme changes; `apply` sets the widget's colours from it.
void followScheme(QWidget *widget, std::function<void(const QPalette &scheme)> apply);

// `accent` as the widget's text, kept readable on the scheme's colour `face`, which is what the
// widget stands on.
void followAccent(QWidget *widget, const QColor &accent, QPalette::ColorRole face);

} // namespace base
