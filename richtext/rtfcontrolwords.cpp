#include "richtext/rtfcontrolwords.h"

#include "richtext/rtfimporter.h"

#include <algorithm>
#include <unordered_map>

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

// The actions shared by several words.

// Words that change no state still end the text before them and count in a \u fallback.
void nothing(RtfImporter &in, const RtfToken &)
{
    (void)in.stateWord();
}

// Destinations whose text is never shown.
void skipDestination(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord())
        s->destination = RtfDestination::Skip;
}

void underline(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars.underline = on(word);
}

void strike(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars.strike = on(word);
}

void background(RtfImporter &in, const RtfToken &word)
{
    if (RtfGroupState *s = in.stateWord())
        s->chars.background = word.parameter;
}

void paragraph(RtfImporter &in, const RtfToken &)
{
    if (in.stateWord())
        in.paragraph();
}

void tab(RtfImporter &in, const RtfToken &)
{
    if (in.stateWord())
        in.character(u'\t');
}

void codePage(RtfImporter &in, int page)
{
    if (in.stateWord())
        in.tables().ansiCodePage = page;
}

// A typographic character: no state word, so the text before it runs on.
template<char16_t C>
void insert(RtfImporter &in, const RtfToken &)
{
    in.character(QChar(C));
}

template<Qt::AlignmentFlag A>
void align(RtfImporter &in, const RtfToken &)
{
    if (RtfGroupState *s = in.stateWord())
        s->para.alignment = A;
}

const std::unordered_map<std::string_view, RtfAction> &actions()
{
    using Word = const RtfToken &;
    static const std::unordered_map<std::string_view, RtfAction> table = {
        // The header.
        {"rtf", nothing},
        {"ansi",
         [](RtfImporter &in, Word) {
             codePage(in, 1252);
         }},
        {"ansicpg",
         [](RtfImporter &in, Word w) {
             if (in.stateWord() && w.parameter > 0)
                 in.tables().ansiCodePage = w.parameter;
         }},
        {"mac",
         [](RtfImporter &in, Word) {
             codePage(in, 10000);
         }},
        {"pc",
         [](RtfImporter &in, Word) {
             codePage(in, 437);
         }},
        {"pca",
         [](RtfImporter &in, Word) {
             codePage(in, 850);
         }},
        {"deff",
         [](RtfImporter &in, Word w) {
             if (in.stateWord())
                 in.tables().defaultFont = w.parameter;
         }},

        // The font table, and the font of text.
        {"fonttbl",
         [](RtfImporter &in, Word) {
             if (RtfGroupState *s = in.stateWord()) {
                 s->destination = RtfDestination::FontTable;
                 in.tables().entryName.clear();
                 in.tables().entryCodePage = 0;
             }
         }},
        {"f",
         [](RtfImporter &in, Word w) {
             RtfGroupState *s = in.stateWord();
             if (!s)
                 return;
             if (s->destination == RtfDestination::FontTable) {
                 in.tables().entryFont = w.parameter;
                 in.tables().entryName.clear();
                 in.tables().entryCodePage = 0;
             } else {
                 s->chars.font = w.parameter;
             }
         }},
        {"fcharset",
         [](RtfImporter &in, Word w) {
             RtfGroupState *s = in.stateWord();
             if (s && s->destination == RtfDestination::FontTable && !in.tables().entryCodePage)
                 in.tables().entryCodePage = charsetCodePage(w.parameter);
         }},
        {"cpg",
         [](RtfImporter &in, Word w) {
             RtfGroupState *s = in.stateWord();
             if (s && s->destination == RtfDestination::FontTable && w.parameter > 0)
                 in.tables().entryCodePage = w.parameter;
         }},

        // The colour table.
        {"colortbl",
         [](RtfImporter &in, Word) {
             if (RtfGroupState *s = in.stateWord()) {
                 s->destination = RtfDestination::ColourTable;
                 in.tables().colours.clear();
                 in.tables().red = in.tables().green = in.tables().blue = -1;
             }
         }},
        {"red",
         [](RtfImporter &in, Word w) {
             if (in.stateWord())
                 in.tables().red = w.parameter;
         }},
        {"green",
         [](RtfImporter &in, Word w) {
             if (in.stateWord())
                 in.tables().green = w.parameter;
         }},
        {"blue",
         [](RtfImporter &in, Word w) {
             if (in.stateWord())
                 in.tables().blue = w.parameter;
         }},

        // Character formatting.
        {"fs",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->chars.halfPoints
                     = w.hasParameter ? std::clamp(w.parameter, 1, kMaxHalfPoints) : 24;
         }},
        {"b",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->chars.bold = on(w);
         }},
        {"i",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->chars.italic = on(w);
         }},
        {"ul", underline},
        {"uld", underline},
        {"uldb", underline},
        {"uldash", underline},
        {"ulth", underline},
        {"ulw", underline},
        {"ulwave", underline},
        {"ulnone",
         [](RtfImporter &in, Word) {
             if (RtfGroupState *s = in.stateWord())
                 s->chars.underline = false;
         }},
        {"strike", strike},
        {"striked", strike},
        {"v",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->chars.hidden = on(w);
         }},
        {"cf",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->chars.foreground = w.parameter;
         }},
        {"highlight", background},
        {"cb", background},
        {"plain",
         [](RtfImporter &in, Word) {
             if (RtfGroupState *s = in.stateWord())
                 s->chars = RtfCharState{};
         }},

        // Paragraphs and their formatting.
        {"par", paragraph},
        {"sect", paragraph},
        {"page", paragraph},
        {"row", paragraph},
        {"\r", paragraph}, // a "\" before a line break
        {"\n", paragraph},
        {"pard",
         [](RtfImporter &in, Word) {
             if (RtfGroupState *s = in.stateWord())
                 s->para = RtfParaState{};
         }},
        {"line",
         [](RtfImporter &in, Word) {
             if (in.stateWord())
                 in.character(QChar::LineSeparator);
         }},
        {"tab", tab},
        {"cell", tab},
        {"ql", align<Qt::AlignLeft>},
        {"qc", align<Qt::AlignHCenter>},
        {"qr", align<Qt::AlignRight>},
        {"qj", align<Qt::AlignJustify>},
        {"li",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->para.left = twips(w);
         }},
        {"ri",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->para.right = twips(w);
         }},
        {"fi",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->para.first = twips(w);
         }},
        {"sb",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->para.before = std::max(twips(w), 0);
         }},
        {"sa",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->para.after = std::max(twips(w), 0);
         }},

        // Characters given by number or by name.
        {"u",
         [](RtfImporter &in, Word w) {
             in.unicode(w.parameter);
         }},
        {"uc",
         [](RtfImporter &in, Word w) {
             if (RtfGroupState *s = in.stateWord())
                 s->unicodeSkip = std::clamp(w.parameter, 0, kMaxUnicodeSkip);
         }},
        {"bin",
         [](RtfImporter &in, Word w) {
             in.binary(w.hasParameter ? std::max(w.parameter, 0) : 0);
         }},
        {"emdash", insert<u'\u2014'>},
        {"endash", insert<u'\u2013'>},
        {"emspace", insert<u'\u2003'>},
        {"enspace", insert<u'\u2002'>},
        {"bullet", insert<u'\u2022'>},
        {"lquote", insert<u'\u2018'>},
        {"rquote", insert<u'\u2019'>},
        {"ldblquote", insert<u'\u201C'>},
        {"rdblquote", insert<u'\u201D'>},
        {"~", insert<u'\u00A0'>}, // no-break space
        {"_", insert<u'\u2011'>}, // no-break hyphen

        // Destinations whose text is never shown. A group opened by "\*" is skipped as well.
        {"*",
         [](RtfImporter &in, Word) {
             in.skipGroup();
         }},
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
