#include "base/look.h"

#include "base/edition.h"

#include <QWidget>

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
