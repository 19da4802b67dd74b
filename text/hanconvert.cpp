#include "text/hanconvert.h"

#include "text/opencclibrary.h"

#include <QMultiHash>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

#include <stdexcept>

namespace text {

Edition editionForLocale(const QLocale &locale)
{
    if (locale.language() != QLocale::Chinese)
        return Edition::Simplified;
    switch (locale.territory()) {
    case QLocale::Taiwan:
        return Edition::Taiwan;
    case QLocale::HongKong:
    case QLocale::Macao:
        return Edition::HongKong;
    default:
        return Edition::Simplified;
    }
}

Edition systemEdition()
{
    const QStringList languages = QLocale::system().uiLanguages();
    if (languages.isEmpty())
        return Edition::Simplified;
    // "zh-TW" as Qt lists it; QLocale reads both "-" and "_", and drops ".UTF-8" or "@...".
    return editionForLocale(QLocale(languages.first()));
}

struct HanConverter::OpenCC
{
    explicit OpenCC(const char *config)
        : converter(config)
    {}
    OpenCCConversion converter;
    // The list's phrases for this edition, keyed by their first character, longest first: the
    // readings' list, and the same with the interface's words.
    QMultiHash<QChar, std::pair<QString, QString>> phrases;
    QMultiHash<QChar, std::pair<QString, QString>> interfacePhrases;
};

namespace {

// Where s2hk writes Hong Kong's own code point of a character (説 for 說, from OpenCC's
// HKVariants), and the Song face with Hong Kong's glyph forms, AR PL UMing HK, has no glyph for it
// but draws the common code point in Hong Kong's shape: the edition writes the common one, which
// reads the same, instead of one that would fall back to a sans face. The list is every such
// character s2hk writes for a Simplified one (tst_hanttable checks the face).
constexpr std::pair<char16_t, char16_t> kHongKongFaceDraws[] = {
    {u'説', u'說'}, {u'鋭', u'銳'}, {u'閲', u'閱'}, {u'藴', u'蘊'}, {u'醖', u'醞'},
    {u'輼', u'轀'}, {u'緼', u'縕'}, {u'捝', u'挩'}, {u'敚', u'敓'}, {u'棁', u'梲'},
};

const char *configFor(Edition edition)
{
    return edition == Edition::HongKong ? "s2hk.json" : "s2tw.json";
}

bool interfaceWord(const QString &simplified)
{
    for (const HantPhrase &word : interfaceWords())
        if (simplified == QString::fromUtf8(word.simplified))
            return true;
    return false;
}

} // namespace

HanConverter::HanConverter(Edition edition)
    : m_edition(edition)
{
    if (edition == Edition::Simplified)
        return;
    try {
        m_openCC = std::make_unique<OpenCC>(configFor(edition));
    } catch (const std::exception &e) {
        throw std::runtime_error(std::string("OpenCC ") + configFor(edition) + ": " + e.what());
    }
    const auto fill = [edition](QMultiHash<QChar, std::pair<QString, QString>> &into,
                                std::vector<const HantPhrase *> byLength, Words words) {
        // Inserted shortest first: QMultiHash hands back the latest insertion first.
        std::stable_sort(byLength.begin(), byLength.end(), [](const auto *a, const auto *b) {
            return QString::fromUtf8(a->simplified).size()
                   < QString::fromUtf8(b->simplified).size();
        });
        for (const HantPhrase *phrase : byLength) {
            const QString key = QString::fromUtf8(phrase->simplified);
            const char *value = edition == Edition::HongKong ? phrase->hongKong : phrase->taiwan;
            const QString written = QString::fromUtf8(value);
            into.insert(key.front(), {key, written});
            // The written form stands for itself, so that a converted text converts to itself:
            // OpenCC alone would turn 凶禍 into 兇禍. The interface's words are only ever
            // applied to our Simplified sources, where 文件 (the File menu, 檔案) and 文档 (a
            // document, 文件) must stay apart.
            if (written != key && (words == Words::Reading || !interfaceWord(key)))
                into.insert(written.front(), {written, written});
        }
    };
    std::vector<const HantPhrase *> reading;
    for (const HantPhrase &phrase : hantPhrases())
        reading.push_back(&phrase);
    fill(m_openCC->phrases, reading, Words::Reading);
    std::vector<const HantPhrase *> interface = reading;
    for (const HantPhrase &phrase : interfaceWords())
        interface.push_back(&phrase);
    fill(m_openCC->interfacePhrases, interface, Words::Interface);
}

HanConverter::~HanConverter() = default;

QString HanConverter::convertWithOpenCCOnly(const QString &simplified) const
{
    if (!m_openCC)
        return simplified;
    return m_openCC->converter.convert(simplified);
}

QString HanConverter::convert(const QString &simplified, Words words) const
{
    if (!m_openCC)
        return simplified;
    const auto &phrases
        = words == Words::Interface ? m_openCC->interfacePhrases : m_openCC->phrases;
    // Longest match of the list's phrases from left to right; the stretches between them go to
    // OpenCC whole, so that its own phrases still see their context.
    QString result;
    result.reserve(simplified.size());
    qsizetype plainFrom = 0;
    qsizetype at = 0;
    while (at < simplified.size()) {
        const std::pair<QString, QString> *best = nullptr;
        for (auto it = phrases.constFind(simplified[at]);
             it != phrases.cend() && it.key() == simplified[at]; ++it) {
            if (QStringView(simplified).sliced(at).startsWith(it->first)) {
                best = &*it;
                break;
            }
        }
        if (!best) {
            ++at;
            continue;
        }
        result += m_openCC->converter.convert(simplified.sliced(plainFrom, at - plainFrom));
        result += best->second;
        at += best->first.size();
        plainFrom = at;
    }
    result += m_openCC->converter.convert(simplified.sliced(plainFrom));
    // Quotation marks: Taiwan's and Hong Kong's standards both quote with corner brackets, which
    // OpenCC leaves to the writer. Single quotes stay, as they are also apostrophes.
    result.replace(u'“', u'「');
    result.replace(u'”', u'」');
    if (m_edition == Edition::HongKong)
        for (const auto &[variant, drawn] : kHongKongFaceDraws)
            result.replace(QChar(variant), QChar(drawn));
    return result;
}

bool staysAsWritten(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x2E80 && c != u'“' && c != u'”'; });
}

QString traditionalToSimplified(const QString &traditional)
{
    static const OpenCCConversion back("t2s.json");
    return back.convert(traditional);
}

} // namespace text
