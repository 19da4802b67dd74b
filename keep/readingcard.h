#pragma once

// A reading as the user keeps it: one card, laid out once and painted on whatever asks for it
// (a picture to share, a PDF page, a printer), and the same reading as plain text for the
// clipboard. The card knows nothing of the readings' pages: each page fills a KeptReading with
// what it shows.

#include <QDate>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;

struct KeptReading
{
    QString title; // the reading: "我有几两命？", "看手相·从手相看事业", "看痣相·面痣"
    QString subject;   // what was read: the picture's name or place; empty on the first tab
    QStringList facts; // lines above the reading: the birth data, the lunar date
    QString weightLine;
    QString text;     // the verse or the analysis
    QString picture;  // resource path of the picture, or empty
    QString fileStem; // the default file name without its suffix: "称骨_1990年8月15日"
};

// The reading a page shows, as it keeps it, or why it has none yet. Each page says what it keeps.
struct ReadingInFront
{
    std::optional<KeptReading> reading;
    QString whyNot;
};

// The card's width in our pixels; its height follows from what it holds.
inline constexpr qreal CardWidth = 540;

QSizeF cardSize(const KeptReading &reading);

// Paints the card at our pixel size with its top-left corner at the painter's origin; scale the
// painter first for another size. `day` is printed at the foot of the card.
void paintCard(QPainter &painter, const KeptReading &reading, QDate day);

// The card as a picture: `scale` device pixels to each of ours (2 for a crisp share).
QImage cardImage(const KeptReading &reading, QDate day, qreal scale);

// The reading as text, for the clipboard: the same parts in the same order as the card.
QString cardText(const KeptReading &reading, QDate day);

// "2026年12月9日"
QString dayText(QDate day);
