#pragma once

// The 繁體 editions. On a Taiwan desktop (zh_TW) the program reads in Taiwan's standard characters,
// on a Hong Kong or Macau one (zh_HK, zh_MO) in Hong Kong's; everywhere else it stays Simplified.
// The conversion is OpenCC's s2tw or s2hk with our own phrase list (hantphrases.cpp) on top: a
// phrase of the list is written as the list says, everything between the list's phrases goes
// through OpenCC. Double quotation marks become the corner brackets both standards quote with.

#include <QLocale>
#include <QString>

#include <memory>
#include <span>

namespace text {

enum class Edition { Simplified, Taiwan, HongKong };

// The edition a locale asks for, from its language and territory (zh_TW, zh_Hant_TW, zh_HK, ...).
Edition editionForLocale(const QLocale &locale);
// The edition of the desktop, as Qt reads it: the first of QLocale::system().uiLanguages(), which
// is LANGUAGE's first entry if set, otherwise LC_ALL, LC_MESSAGES or LANG. Qt parses these names
// itself, so no generated locale is needed.
Edition systemEdition();

// One entry of our phrase list: the Simplified phrase and how each standard writes it.
struct HantPhrase
{
    const char *simplified;
    const char *taiwan;
    const char *hongKong;
};
std::span<const HantPhrase> hantPhrases();
// The interface's own words in each region's usage (檔案, 儲存, 列印 …), on top of the phrase list.
std::span<const HantPhrase> interfaceWords();

// Whose words a text is in: a reading (verse, analysis, introduction) keeps its words character by
// character; the interface (menus, buttons, dialogs, messages) takes each region's own.
enum class Words { Reading, Interface };

class HanConverter
{
public:
    // Loads OpenCC's configuration for the edition; raises std::runtime_error if OpenCC cannot
    // read it. A Simplified converter loads nothing and hands every text back as it is.
    explicit HanConverter(Edition edition);
    ~HanConverter();
    HanConverter(const HanConverter &) = delete;
    HanConverter &operator=(const HanConverter &) = delete;

    Edition edition() const { return m_edition; }
    QString convert(const QString &simplified, Words words = Words::Reading) const;
    // OpenCC alone, without our phrase list (what the list is measured against).
    QString convertWithOpenCCOnly(const QString &simplified) const;

private:
    struct OpenCC;
    Edition m_edition;
    std::unique_ptr<OpenCC> m_openCC;
};

// True if the conversion leaves the text as it is whatever its context: it has no character from
// the CJK blocks up (U+2E80 on), where every key of OpenCC's dictionaries lies, and no double
// quotation mark.
bool staysAsWritten(QStringView text);

// OpenCC's configuration back to Simplified (t2s), for checking what a converted text came from.
QString traditionalToSimplified(const QString &traditional);

} // namespace text
