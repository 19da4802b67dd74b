#include "tools/artwork/lettering.h"

#include "text/openccdictionary.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QRawFont>

#include <algorithm>
#include <memory>

namespace artwork {

namespace {

Lettering *g_current = nullptr;

const text::HanConverter &converter(text::Edition edition)
{
    static std::unique_ptr<text::HanConverter> converters[3];
    auto &slot = converters[int(edition)];
    if (!slot)
        slot = std::make_unique<text::HanConverter>(edition);
    return *slot;
}

const QSet<char32_t> &simplifiedOnly(text::Edition edition)
{
    static QHash<int, QSet<char32_t>> known;
    auto it = known.find(int(edition));
    if (it == known.end())
        it = known.insert(int(edition), text::simplifiedOnlyCharacters(edition));
    return *it;
}

QFont faceOf(const QStringList &families, int pixelSize)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

Lettering::Lettering(text::Edition edition)
    : m_edition(edition)
    , m_outer(g_current)
{
    g_current = this;
}

Lettering::~Lettering()
{
    g_current = m_outer;
}

Lettering *Lettering::current()
{
    return g_current;
}

QString Lettering::write(const QString &simplified)
{
    Lettering *lettering = g_current;
    if (!lettering || lettering->m_edition == text::Edition::Simplified)
        return simplified;
    const QString written = converter(lettering->m_edition).convert(simplified);
    if (!lettering->m_words.contains(simplified)) {
        lettering->m_words.append(simplified);
        lettering->m_written.append(written);
        const QFont font = face(12);
        const QString family = songFamily(lettering->m_edition);
        if (QFontInfo(font).family() != QFontInfo(QFont(family)).family()
            || !QFontDatabase::hasFamily(family))
            lettering->m_problems.append(
                QStringLiteral("the face %1 is missing (fonts-arphic-uming, fonts-cwtex-ming)")
                    .arg(family));
        const QRawFont raw = QRawFont::fromFont(font);
        for (const char32_t c : written.toUcs4()) {
            const QString character = QString::fromUcs4(&c, 1);
            if (simplifiedOnly(lettering->m_edition).contains(c))
                lettering->m_problems.append(
                    QStringLiteral("%1 (in %2) is Simplified only").arg(character, written));
            else if (!raw.supportsCharacter(c))
                lettering->m_problems.append(
                    QStringLiteral("%1 has no glyph in %2").arg(character, family));
        }
    }
    return written;
}

QFont Lettering::face(int pixelSize)
{
    if (g_current && g_current->m_edition != text::Edition::Simplified)
        return faceOf({songFamily(g_current->m_edition)}, pixelSize);
    return faceOf({QStringLiteral("AR PL SungtiL GB"), QStringLiteral("AR PL UMing CN")},
                  pixelSize);
}

QString songFamily(text::Edition edition)
{
    // Taiwan's face draws 兌 說 稅 脫 with Taiwan's 八 (UMing TW has Hong Kong's 丷).
    return edition == text::Edition::HongKong ? QStringLiteral("AR PL UMing HK")
                                              : QStringLiteral("cwTeXMing");
}

} // namespace artwork
