#include "keep/readingcard.h"

#include "base/editionpicture.h"
#include "base/look.h"
#include "picture/jpeg.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr qreal kMargin = 24;
constexpr qreal kGap = 12;
constexpr QColor kInk{32, 28, 24};
constexpr QColor kFaint{110, 96, 80};
constexpr QColor kRule{200, 186, 160};
const QString kProgram = QStringLiteral("Lorvex 2004");

constexpr int kTextFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

struct Fonts
{
    QFont title = base::songFont(22, QFont::Bold);
    QFont program = base::songFont(13);
    QFont subject = base::songFont(20, QFont::Bold);
    QFont fact = base::songFont(15);
    QFont weight = base::songFont(20, QFont::Bold);
    QFont text = base::songFont(17);
    QFont foot = base::songFont(13);
};

// Where each part of the card stands, in our pixels. Worked out once and used for the size and
// for the painting alike, so the two can't disagree.
struct CardLayout
{
    QRectF titleRect, ruleTop, pictureRect, subjectRect, weightRect, textRect, ruleFoot, footRect;
    QList<QRectF> factRects;
    QSizeF size;
};

QRectF wrapped(const QFont &font, const QString &text, QPointF at, qreal width)
{
    if (text.isEmpty())
        return QRectF(at, QSizeF(width, 0));
    // Measured two pixels narrower than it is drawn, so that a printer's or a PDF's own spacing
    // can't push a last character onto a line the card has no room for.
    const QRectF room(at, QSizeF(width - 2, 1e6));
    QRectF used = QFontMetricsF(font).boundingRect(room, kTextFlags, text);
    used.setWidth(width);
    return used;
}

QSizeF pictureSize(const QString &picture)
{
    if (picture.isEmpty())
        return {};
    return builtInPicture(base::editionPicture(picture)).size().toSizeF();
}

CardLayout layOut(const KeptReading &reading)
{
    const Fonts fonts;
    CardLayout card;
    const qreal inner = CardWidth - 2 * kMargin;
    card.titleRect = wrapped(fonts.title, reading.title, {kMargin, kMargin}, inner);
    const qreal ruleY = card.titleRect.bottom() + kGap / 2;
    card.ruleTop = QRectF(kMargin, ruleY, inner, 1);

    const qreal top = ruleY + kGap;
    const QSizeF picture = pictureSize(reading.picture);
    card.pictureRect = QRectF(QPointF(kMargin, top), picture);
    const qreal left = picture.isEmpty() ? kMargin : kMargin + picture.width() + kMargin;
    const qreal width = CardWidth - kMargin - left;

    qreal y = top;
    auto next = [&](const QFont &font, const QString &text) {
        const QRectF rect = wrapped(font, text, {left, y}, width);
        if (!text.isEmpty())
            y = rect.bottom() + kGap / 2;
        return rect;
    };
    card.subjectRect = next(fonts.subject, reading.subject);
    for (const QString &fact : reading.facts)
        card.factRects << next(fonts.fact, fact);
    card.weightRect = next(fonts.weight, reading.weightLine);
    y += kGap / 2;
    card.textRect = next(fonts.text, reading.text);

    const qreal footY = qMax(y, card.pictureRect.bottom()) + kGap;
    card.ruleFoot = QRectF(kMargin, footY, inner, 1);
    card.footRect
        = wrapped(fonts.foot, dayText(QDate(2000, 12, 31)), {kMargin, footY + kGap / 2}, inner);
    card.size = QSizeF(CardWidth, std::ceil(card.footRect.bottom() + kMargin));
    return card;
}

} // namespace

QString dayText(QDate day)
{
    return QCoreApplication::translate("KeptReading", "%1年%2月%3日")
        .arg(day.year())
        .arg(day.month())
        .arg(day.day());
}

QSizeF cardSize(const KeptReading &reading)
{
    return layOut(reading).size;
}

void paintCard(QPainter &painter, const KeptReading &reading, QDate day)
{
    const Fonts fonts;
    const CardLayout card = layOut(reading);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(QPointF(0, 0), card.size), base::Cream);

    painter.setPen(base::Navy);
    painter.setFont(fonts.title);
    painter.drawText(card.titleRect, kTextFlags, reading.title);
    painter.setPen(kFaint);
    painter.setFont(fonts.program);
    painter.drawText(card.titleRect, Qt::AlignRight | Qt::AlignBottom, kProgram);
    painter.fillRect(card.ruleTop, kRule);

    if (!reading.picture.isEmpty()) {
        // The finer drawing, where the picture has one, keeps a 2x card or a printed page sharp.
        const qreal fineness = qMax<qreal>(1, painter.deviceTransform().m11());
        painter.drawImage(card.pictureRect, builtInPicture(base::editionPicture(reading.picture),
                                                           fineness >= 1.5 ? 2 : 1));
    }

    painter.setPen(kInk);
    painter.setFont(fonts.subject);
    painter.drawText(card.subjectRect, kTextFlags, reading.subject);
    painter.setFont(fonts.fact);
    for (int i = 0; i < reading.facts.size(); ++i)
        painter.drawText(card.factRects.at(i), kTextFlags, reading.facts.at(i));
    painter.setPen(base::Navy);
    painter.setFont(fonts.weight);
    painter.drawText(card.weightRect, kTextFlags, reading.weightLine);
    painter.setPen(kInk);
    painter.setFont(fonts.text);
    painter.drawText(card.textRect, kTextFlags, reading.text);

    painter.fillRect(card.ruleFoot, kRule);
    painter.setPen(kFaint);
    painter.setFont(fonts.foot);
    painter.drawText(card.footRect, kTextFlags, dayText(day));
    painter.restore();
}

QImage cardImage(const KeptReading &reading, QDate day, qreal scale)
{
    const QSize pixels = (cardSize(reading) * scale).toSize();
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(base::Cream);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintCard(painter, reading, day);
    return image;
}

QString cardText(const KeptReading &reading, QDate day)
{
    QStringList lines{reading.title};
    for (const QString &part : QStringList{reading.subject} + reading.facts
                                   + QStringList{reading.weightLine, reading.text})
        if (!part.isEmpty())
            lines << part;
    lines << dayText(day) + QStringLiteral("  ") + kProgram;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
