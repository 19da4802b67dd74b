#include "richtext/rtfcontrolwords.h"

#include "richtext/rtfimporter.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace richtext {

namespace {

// Values clamped so that the layout never sees absurd sizes: twips to 22 inches, half-points to
// 1638 points, \uc to 16 bytes.
constexpr int kMaxTwips = 31680;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxUnicodeSkip = 16;

// A switch such as \b or \b1 turns on, \b0 turns off.
bool on(const RtfToken &word)
{
    return !word.hasParameter || word.parameter != 0;
}

int twips(const RtfToken &word)
{
    return std::clamp(word.parameter, -kMaxTwips, kMaxTwips);
}

// \fcharset to code page; 1 ("default") and anything not listed leave the document's page.
// Symbol fonts (2) show their bytes as they are, which 1252 does.
constexpr std::pair<int, int> kCharsetCodePages[] = {
    {0, 1252},   {2, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
    {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257},
    {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
};

int charsetCodePage(int charset)
{
    for (const auto &[set, page] : kCharsetCodePages)
        if (set == charset)
            return page;
    return 0;
}

// The kinds of action, most of them made for a field of the state they set.

// Words that change no state still end the text before them and count in a \u fallback.
void nothing(RtfImporter &in, const RtfToken &)
{
    (void)in.stateWord();
}

template<bool RtfCharState::*Field>
void charSwitch(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars.*Field = on(word);
}

template<bool RtfCharState::*Field>
void charOff(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars.*Field = false;
}

template<int RtfCharState::*Field>
void charNumber(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars.*Field = word.parameter;
}

void fontSize(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars.halfPoints
            = word.hasParameter ? std::clamp(word.parameter, 1, kMaxHalfPoints) : 24;
}

void plain(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars = RtfCharState{};
}

template<int RtfParaState::*Field>
void paraTwips(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->para.*Field = twips(word);
}

// Space before and after a paragraph is never negative.
template<int RtfParaState::*Field>
void paraSpace(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->para.*Field = std::max(twips(word), 0);
}

template<Qt::AlignmentFlag A>
void align(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord())
        s->para.alignment = A;
}

void pard(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord())
        s->para = RtfParaState{};
}

void paragraph(RtfImporter &in, const RtfToken &)
{
    if (in.stateWord())
        in.paragraph();
}

// Characters that stand for a word that sets state (\tab, \line): the text before them ends.
template<char16_t C>
void breakCharacter(RtfImporter &in, const RtfToken &)
{
    if (in.stateWord())
        in.character(QChar(C));
}

// Typographic characters: the text before them runs on.
template<char16_t C>
void character(RtfImporter &in, const RtfToken &)
{
    in.character(QChar(C));
}

void unicode(RtfImporter &in, const RtfToken &word)
{
    in.unicode(word.parameter);
}

void unicodeSkip(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->unicodeSkip = std::clamp(word.parameter, 0, kMaxUnicodeSkip);
}

void binary(RtfImporter &in, const RtfToken &word)
{
    in.binary(word.hasParameter ? std::max(word.parameter, 0) : 0);
}

template<int Page>
void codePage(RtfImporter &in, const RtfToken &)
{
    if (in.stateWord())
        in.tables().ansiCodePage = Page;
}

void ansiCodePage(RtfImporter &in, const RtfToken &word)
{
    if (in.stateWord() && word.parameter > 0)
        in.tables().ansiCodePage = word.parameter;
}

template<int RtfTables::*Field>
void tableNumber(RtfImporter &in, const RtfToken &word)
{
    if (in.stateWord())
        in.tables().*Field = word.parameter;
}

void fontTable(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord()) {
        s->destination = RtfDestination::FontTable;
        in.tables().entryName.clear();
        in.tables().entryCodePage = 0;
    }
}

// In the font table, the number of the entry that follows; elsewhere the font of the text.
void font(RtfImporter &in, const RtfToken &word)
{
    RtfGroupState *s = in.stateWord();
    if (!s)
        return;
    if (s->destination == RtfDestination::FontTable) {
        in.tables().entryFont = word.parameter;
        in.tables().entryName.clear();
        in.tables().entryCodePage = 0;
    } else {
        s->chars.font = word.parameter;
    }
}

void fontCharset(RtfImporter &in, const RtfToken &word)
{
    RtfGroupState *s = in.stateWord();
    if (s && s->destination == RtfDestination::FontTable && !in.tables().entryCodePage)
        in.tables().entryCodePage = charsetCodePage(word.parameter);
}

void fontCodePage(RtfImporter &in, const RtfToken &word)
{
    RtfGroupState *s = in.stateWord();
    if (s && s->destination == RtfDestination::FontTable && word.parameter > 0)
        in.tables().entryCodePage = word.parameter;
}

void colourTable(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord()) {
        s->destination = RtfDestination::ColourTable;
        in.tables().colours.clear();
        in.tables().red = in.tables().green = in.tables().blue = -1;
    }
}

// Destinations whose text is never shown.
void skipDestination(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord())
        s->destination = RtfDestination::Skip;
}

// "\*": the group is a destination to skip unless we know the word after it; unlike a word it
// never counts in a \u fallback.
void skipUnknownDestination(RtfImporter &in, const RtfToken &)
{
    in.starDestination();
}

const std::unordered_map<std::string_view, RtfAction> &actions()
{
    static const std::unordered_map<std::string_view, RtfAction> table = {
        // The header.
        {"rtf", nothing},
        {"ansi", codePage<1252>},
        {"ansicpg", ansiCodePage},
        {"mac", codePage<10000>},
        {"pc", codePage<437>},
        {"pca", codePage<850>},
        {"deff", tableNumber<&RtfTables::defaultFont>},

        // The font and colour tables.
        {"fonttbl", fontTable},
        {"f", font},
        {"fcharset", fontCharset},
        {"cpg", fontCodePage},
        {"colortbl", colourTable},
        {"red", tableNumber<&RtfTables::red>},
        {"green", tableNumber<&RtfTables::green>},
        {"blue", tableNumber<&RtfTables::blue>},

        // Character formatting.
        {"fs", fontSize},
        {"b", charSwitch<&RtfCharState::bold>},
        {"i", charSwitch<&RtfCharState::italic>},
        {"ul", charSwitch<&RtfCharState::underline>},
        {"uld", charSwitch<&RtfCharState::underline>},
        {"uldb", charSwitch<&RtfCharState::underline>},
        {"uldash", charSwitch<&RtfCharState::underline>},
        {"ulth", charSwitch<&RtfCharState::underline>},
        {"ulw", charSwitch<&RtfCharState::underline>},
        {"ulwave", charSwitch<&RtfCharState::underline>},
        {"ulnone", charOff<&RtfCharState::underline>},
        {"strike", charSwitch<&RtfCharState::strike>},
        {"striked", charSwitch<&RtfCharState::strike>},
        {"v", charSwitch<&RtfCharState::hidden>},
        {"cf", charNumber<&RtfCharState::foreground>},
        {"highlight", charNumber<&RtfCharState::background>},
        {"cb", charNumber<&RtfCharState::background>},
        {"plain", plain},

        // Paragraphs and their formatting.
        {"par", paragraph},
        {"sect", paragraph},
        {"page", paragraph},
        {"row", paragraph},
        {"\r", paragraph}, // a "\" before a line break of the file
        {"\n", paragraph},
        {"pard", pard},
        {"ql", align<Qt::AlignLeft>},
        {"qc", align<Qt::AlignHCenter>},
        {"qr", align<Qt::AlignRight>},
        {"qj", align<Qt::AlignJustify>},
        {"li", paraTwips<&RtfParaState::left>},
        {"ri", paraTwips<&RtfParaState::right>},
        {"fi", paraTwips<&RtfParaState::first>},
        {"sb", paraSpace<&RtfParaState::before>},
        {"sa", paraSpace<&RtfParaState::after>},

        // Characters.
        {"line", breakCharacter<u'\u2028'>}, // line separator
        {"tab", breakCharacter<u'\t'>},
        {"cell", breakCharacter<u'\t'>},
        {"u", unicode},
        {"uc", unicodeSkip},
        {"emdash", character<u'\u2014'>},
        {"endash", character<u'\u2013'>},
        {"emspace", character<u'\u2003'>},
        {"enspace", character<u'\u2002'>},
        {"bullet", character<u'\u2022'>},
        {"lquote", character<u'\u2018'>},
        {"rquote", character<u'\u2019'>},
        {"ldblquote", character<u'\u201C'>},
        {"rdblquote", character<u'\u201D'>},
        {"~", character<u'\u00A0'>}, // no-break space
        {"_", character<u'\u2011'>}, // no-break hyphen

        // Binary data, and destinations whose text is never shown.
        {"bin", binary},
        {"*", skipUnknownDestination},
        {"info", skipDestination},
        {"stylesheet", skipDestination},
        {"pict", skipDestination},
        {"object", skipDestination},
        {"header", skipDestination},
        {"headerl", skipDestination},
        {"headerr", skipDestination},
        {"headerf", skipDestination},
        {"footer", skipDestination},
        {"footerl", skipDestination},
        {"footerr", skipDestination},
        {"footerf", skipDestination},
        {"footnote", skipDestination},
        {"fldinst", skipDestination},
        // A field's result is shown; AbiWord writes it starred.
        {"fldrslt", nothing},
        {"xe", skipDestination},
        {"tc", skipDestination},
        {"nonshppict", skipDestination},
        {"listtable", skipDestination},
        {"listoverridetable", skipDestination},
        {"revtbl", skipDestination},
        {"rsidtbl", skipDestination},
        {"filetbl", skipDestination},
        {"generator", skipDestination},
        {"themedata", skipDestination},
        {"colorschememapping", skipDestination},
        {"latentstyles", skipDestination},
        {"datastore", skipDestination},
        {"xmlnstbl", skipDestination},
        {"userprops", skipDestination},
        {"private", skipDestination},
    };
    return table;
}

} // namespace

RtfAction rtfAction(std::string_view name)
{
    const auto found = actions().find(name);
    return found == actions().end() ? nullptr : found->second;
}

} // namespace richtext
