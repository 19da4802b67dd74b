#pragma once

// Colour schemes a desktop hands a Qt program: the light one of Qt's own style, a dark one with
// the colours of KDE's Breeze Dark, and a high-contrast one (white and yellow on black).

#include <QPalette>
#include <QString>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace schemes {

inline QPalette light()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion->standardPalette();
}

inline QPalette dark()
{
    QPalette p(QColor(0x31, 0x36, 0x3b), QColor(0x2a, 0x2e, 0x32)); // button, window
    const QColor text(0xfc, 0xfc, 0xfc);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, QColor(0x1b, 0x1e, 0x20));
    p.setColor(QPalette::AlternateBase, QColor(0x23, 0x26, 0x29));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    p.setColor(QPalette::HighlightedText, text);
    p.setColor(QPalette::ToolTipBase, QColor(0x31, 0x36, 0x3b));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(0xa1, 0xa9, 0xb1));
    p.setColor(QPalette::Link, QColor(0x1d, 0x99, 0xf3));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6e, 0x71, 0x75));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x6e, 0x71, 0x75));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6e, 0x71, 0x75));
    return p;
}

inline QPalette highContrast()
{
    QPalette p(Qt::black, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::AlternateBase, Qt::black);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Highlight, QColor(0xff, 0xff, 0x00));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::PlaceholderText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x00, 0xff, 0xff));
    return p;
}

// "light", "dark" or "high-contrast"; anything else is the light scheme.
inline QPalette byName(const QString &name)
{
    if (name == QLatin1String("dark"))
        return dark();
    if (name == QLatin1String("high-contrast"))
        return highContrast();
    return light();
}

} // namespace schemes
