#include "base/look.h"

#include "edition/edition.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>
#include <QWidget>
#include <algorithm>

#include <cmath>
#include <utility>

namespace base {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF())
           + 0.0722 * linear(rgb.blueF());
}

// The families of the list that are installed, in their order. A name Qt cannot find costs a
// fontconfig sort of every installed font, for each writing system, before the next name is tried;
// without the absent names the face chosen is the same, and so is the order in which a glyph the
// face lacks is looked for. With none of them installed the list stays whole, and Qt looks further
// as it would.
QStringList installedOnly(const QStringList &families)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return families;
    static QHash<QString, QStringList> known;
    const QString key = families.join(QLatin1Char('\n'));
    if (const auto found = known.constFind(key); found != known.cend())
        return *found;
    QStringList installed;
    for (const QString &family : families)
        // Looked up by name in Qt's own list: hasFamily would ask fontconfig about each alias.
        if (!QFontDatabase::styles(family).isEmpty())
            installed << family;
    if (installed.isEmpty())
        installed = families;
    known.insert(key, installed);
    return installed;
}

void setRole(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Sets its widget's colours from the scheme once, then again on every change of the scheme: the
// application's palette (the desktop changed it) or the parent's.
class SchemeFollower : public QObject
{
public:
    SchemeFollower(QWidget *widget, std::function<void(const QPalette &)> apply)
        : QObject(widget)
        , m_widget(widget)
        , m_apply(std::move(apply))
    {
        widget->installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && !m_following
            && (event->type() == QEvent::ApplicationPaletteChange
                || event->type() == QEvent::PaletteChange))
            follow();
        return false;
    }

private:
    void follow()
    {
        // Setting the colours sends the widget a palette change of its own.
        m_following = true;
        const QWidget *parent = m_widget->parentWidget();
        m_apply(parent ? parent->palette() : m_widget->palette());
        m_following = false;
    }

    QWidget *m_widget;
    std::function<void(const QPalette &)> m_apply;
    bool m_following = false;
};

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor accentOn(const QColor &accent, const QColor &face)
{
    if (contrastRatio(accent, face) >= LeastContrast)
        return accent;
    // Towards white on a face darker than the middle, towards black on a lighter one; where
    // even the end does not reach the mark, the end is the best there is.
    const bool lighter = contrastRatio(Qt::white, face) >= contrastRatio(Qt::black, face);
    const QColor hsl = accent.toHsl();
    const int step = lighter ? 1 : -1;
    for (int lightness = hsl.lightness(); lightness >= 0 && lightness <= 255; lightness += step) {
        const QColor candidate
            = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
        if (contrastRatio(candidate, face) >= MovedAccentContrast)
            return candidate;
    }
    return lighter ? QColor(Qt::white) : QColor(Qt::black);
}

int linePitch(QRawFont &face, int pixelSize)
{
    // As QFontMetrics rounds them: height() is ascent and descent, each rounded (Noto's are not
    // whole pixels), and lineSpacing() adds the leading.
    face.setPixelSize(pixelSize);
    const int height = qRound(face.ascent()) + qRound(face.descent());
    return std::max(height, height + qRound(face.leading()));
}

QStringList songFamilies()
{
    // The Traditional editions read in the Song face drawn with their own standard's glyph forms.
    return edition::songFaces()
           + QStringList{QStringLiteral("SimSun"),         QStringLiteral("宋体"),
                         QStringLiteral("NSimSun"),        QStringLiteral("AR PL SungtiL GB"),
                         QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")};
}

QFont songFont(int pixelHeight, QFont::Weight weight)
{
    QFont font;
    font.setFamilies(installedOnly(songFamilies()));
    const QStringList families = edition::songFaces();
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
        // The face of each weight is looked up once; every size is tried on it, which spares the
        // font database and fontconfig a lookup for each.
        static QHash<QString, QRawFont> faces;
        const QString faceKey = QStringLiteral("%1 %2").arg(families.first()).arg(int(weight));
        auto face = faces.find(faceKey);
        if (face == faces.end())
            face = faces.insert(faceKey, QRawFont::fromFont(font));
        int size = pixelHeight;
        while (linePitch(*face, size) > pixelHeight && size > pixelHeight - 3)
            --size;
        font.setPixelSize(size);
        sizes.insert(key, size);
    }
    return font;
}

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

void setCreamBase(QWidget *widget)
{
    setBaseColour(widget, Cream);
    setRole(widget, QPalette::Text, CreamInk);
}

void setCreamWindow(QWidget *widget)
{
    setWindowColour(widget, Cream);
    setRole(widget, QPalette::WindowText, CreamInk);
}

void followScheme(QWidget *widget, std::function<void(const QPalette &scheme)> apply)
{
    new SchemeFollower(widget, std::move(apply));
}

void followAccent(QWidget *widget, const QColor &accent, QPalette::ColorRole face)
{
    followScheme(widget, [widget, accent, face](const QPalette &scheme) {
        setRole(widget, QPalette::WindowText, accentOn(accent, scheme.color(face)));
    });
}

} // namespace base
