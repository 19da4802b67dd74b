#include "base/look.h"

#include "base/edition.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QWidget>
#include <algorithm>

namespace base {

QFont songFont(int pixelHeight, QFont::Weight weight)
{
    QFont font;
    QStringList families;
    // The Traditional editions read in the Song face drawn with their own standard's glyph forms.
    if (edition() == text::Edition::Taiwan)
        families << QStringLiteral("AR PL UMing TW");
    else if (edition() == text::Edition::HongKong)
        families << QStringLiteral("AR PL UMing HK");
    font.setFamilies(families
                     + QStringList{QStringLiteral("SimSun"), QStringLiteral("宋体"),
                                   QStringLiteral("NSimSun"), QStringLiteral("AR PL SungtiL GB"),
                                   QStringLiteral("AR PL UMing CN"),
                                   QStringLiteral("Noto Serif CJK SC")});
    font.setPixelSize(pixelHeight);
    font.setWeight(weight);
    // UMing's lines are taller than the Simplified face's (31 pixels apart and high at 29,
    // against 29): a pixel or two smaller keeps the Simplified edition's line pitch and height,
    // so that every text fits the room it has there.
    // Measured once for each height, weight and edition.
    if (!families.isEmpty() && QGuiApplication::instance()) {
        static QHash<QString, int> sizes;
        const QString key
            = QStringLiteral("%1 %2 %3").arg(families.first()).arg(pixelHeight).arg(int(weight));
        if (const auto known = sizes.constFind(key); known != sizes.cend()) {
            font.setPixelSize(*known);
            return font;
        }
        const auto pitch = [&font] {
            const QFontMetrics metrics(font);
            return std::max(metrics.lineSpacing(), metrics.height());
        };
        while (pitch() > pixelHeight && font.pixelSize() > pixelHeight - 3)
            font.setPixelSize(font.pixelSize() - 1);
        sizes.insert(key, font.pixelSize());
    }
    return font;
}

namespace {
void setRole(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}
} // namespace

void setBaseColour(QWidget *widget, const QColor &colour)
{
    setRole(widget, QPalette::Base, colour);
}

void setWindowColour(QWidget *widget, const QColor &colour)
{
    setRole(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    setRole(widget, QPalette::WindowText, colour);
    setRole(widget, QPalette::Text, colour);
}

} // namespace base
