#include "richtext/rtfreader.h"

#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace richtext {

namespace {

// The caps that keep bad or huge input from recursing, allocating or running without bound.
// Nothing here recurses: groups are a vector of states, capped at kMaxDepth; groups nested
// deeper are only counted, and what they hold is skipped.
constexpr int kMaxDepth = 512;
// RTF's own limit for a control word; longer words are read to their end and then passed over.
constexpr int kMaxWordLength = 32;
// What goes into the document: characters, and text runs plus paragraphs (each costs the
// document a fragment or a block, some hundred bytes). Past either cap the rest of the file is
// not read. Far more than the introduction's area shows, and a 100 MB file stays within a few
// hundred MB and seconds.
constexpr qsizetype kMaxChars = qsizetype(32) * 1024 * 1024;
constexpr qsizetype kMaxPieces = qsizetype(1024) * 1024;
// A long run of text goes into the document in pieces of this many bytes, so that neither the
// bytes nor their decoded text are ever held whole.
constexpr qsizetype kChunkBytes = qsizetype(1024) * 1024;
// Table entries kept; the font table is looked up by number, the colour table by position.
constexpr int kMaxFonts = 4096;
constexpr int kMaxColours = 4096;
// Decoders kept for code pages named in the file; any further page decodes as 1252.
constexpr int kMaxDecoders = 32;
// Values clamped so that the layout never sees absurd sizes: twips to 22 inches, half-points to
// 1638 points, \uc to 16 bytes.
constexpr int kMaxTwips = 31680;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxUnicodeSkip = 16;

constexpr int kDefaultCodePage = 1252;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

enum class Destination { Text, Skip, FontTable, ColourTable };

struct CharState
{
    int font = -1;      // -1: the default font (\deff)
    int halfPoints = 0; // 0: none given; the document's own size stands
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false; // \v: text that is never shown
    int foreground = -1; // colour table positions; -1: none
    int background = -1;
    bool operator==(const CharState &) const = default;
};

struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;
};

struct Font
{
    QString name;
    int codePage = 0; // 0: the document's code page
};

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

QStringDecoder decoderFor(int codePage)
{
    auto named = [](const QByteArray &name) {
        // Stateful: a double-byte pair cut by a chunk's end is completed by the next chunk.
        return QStringDecoder(name.constData());
    };
    switch (codePage) {
    case 936:
        return named("GBK");
    case 932:
        return named("Shift_JIS");
    case 950:
        return named("Big5");
    case 10000:
        return named("macintosh");
    case 65001:
        return named("UTF-8");
    default:
        break;
    }
    for (const char *pattern : {"windows-%1", "cp%1", "IBM%1"}) {
        QStringDecoder decoder
            = named(QByteArray(pattern).replace("%1", QByteArray::number(codePage)));
        if (decoder.isValid())
            return decoder;
    }
    return named("windows-1252");
}

// The control words we act on. Every other word is passed over.
enum class Word {
    Rtf,
    Ansi,
    AnsiCpg,
    Mac,
    Pc,
    Pca,
    Deff,
    FontTable,
    ColourTable,
    Skip,
    Font,
    FontCharset,
    CodePage,
    Red,
    Green,
    Blue,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Foreground,
    Background,
    Plain,
    Par,
    Pard,
    Line,
    Tab,
    Cell,
    Left,
    Centre,
    Right,
    Justify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    Unicode,
    UnicodeSkip,
    Bin,
    Character,
};

struct WordInfo
{
    Word word;
    char16_t character = 0; // for Word::Character
};

const std::unordered_map<std::string_view, WordInfo> &words()
{
    static const std::unordered_map<std::string_view, WordInfo> table = {
        {"rtf", {Word::Rtf}},
        {"ansi", {Word::Ansi}},
        {"ansicpg", {Word::AnsiCpg}},
        {"mac", {Word::Mac}},
        {"pc", {Word::Pc}},
        {"pca", {Word::Pca}},
        {"deff", {Word::Deff}},
        {"fonttbl", {Word::FontTable}},
        {"colortbl", {Word::ColourTable}},
        {"f", {Word::Font}},
        {"fcharset", {Word::FontCharset}},
        {"cpg", {Word::CodePage}},
        {"red", {Word::Red}},
        {"green", {Word::Green}},
        {"blue", {Word::Blue}},
        {"fs", {Word::FontSize}},
        {"b", {Word::Bold}},
        {"i", {Word::Italic}},
        {"ul", {Word::Underline}},
        {"uld", {Word::Underline}},
        {"uldb", {Word::Underline}},
        {"uldash", {Word::Underline}},
        {"ulth", {Word::Underline}},
        {"ulw", {Word::Underline}},
        {"ulwave", {Word::Underline}},
        {"ulnone", {Word::UnderlineNone}},
        {"strike", {Word::Strike}},
        {"v", {Word::Hidden}},
        {"striked", {Word::Strike}},
        {"cf", {Word::Foreground}},
        {"highlight", {Word::Background}},
        {"cb", {Word::Background}},
        {"plain", {Word::Plain}},
        {"par", {Word::Par}},
        {"sect", {Word::Par}},
        {"page", {Word::Par}},
        {"row", {Word::Par}},
        {"pard", {Word::Pard}},
        {"line", {Word::Line}},
        {"tab", {Word::Tab}},
        {"cell", {Word::Cell}},
        {"ql", {Word::Left}},
        {"qc", {Word::Centre}},
        {"qr", {Word::Right}},
        {"qj", {Word::Justify}},
        {"li", {Word::LeftIndent}},
        {"ri", {Word::RightIndent}},
        {"fi", {Word::FirstIndent}},
        {"sb", {Word::SpaceBefore}},
        {"sa", {Word::SpaceAfter}},
        {"u", {Word::Unicode}},
        {"uc", {Word::UnicodeSkip}},
        {"bin", {Word::Bin}},
        {"emdash", {Word::Character, u'\u2014'}},
        {"endash", {Word::Character, u'\u2013'}},
        {"emspace", {Word::Character, u'\u2003'}},
        {"enspace", {Word::Character, u'\u2002'}},
        {"bullet", {Word::Character, u'\u2022'}},
        {"lquote", {Word::Character, u'\u2018'}},
        {"rquote", {Word::Character, u'\u2019'}},
        {"ldblquote", {Word::Character, u'\u201C'}},
        {"rdblquote", {Word::Character, u'\u201D'}},
        // Destinations whose text is never shown. A group opened by "\*" is skipped as well.
        {"info", {Word::Skip}},
        {"stylesheet", {Word::Skip}},
        {"pict", {Word::Skip}},
        {"object", {Word::Skip}},
        {"header", {Word::Skip}},
        {"headerl", {Word::Skip}},
        {"headerr", {Word::Skip}},
        {"headerf", {Word::Skip}},
        {"footer", {Word::Skip}},
        {"footerl", {Word::Skip}},
        {"footerr", {Word::Skip}},
        {"footerf", {Word::Skip}},
        {"footnote", {Word::Skip}},
        {"fldinst", {Word::Skip}},
        {"xe", {Word::Skip}},
        {"tc", {Word::Skip}},
        {"nonshppict", {Word::Skip}},
        {"listtable", {Word::Skip}},
        {"listoverridetable", {Word::Skip}},
        {"revtbl", {Word::Skip}},
        {"rsidtbl", {Word::Skip}},
        {"filetbl", {Word::Skip}},
        {"generator", {Word::Skip}},
        {"themedata", {Word::Skip}},
        {"colorschememapping", {Word::Skip}},
        {"latentstyles", {Word::Skip}},
        {"datastore", {Word::Skip}},
        {"xmlnstbl", {Word::Skip}},
        {"userprops", {Word::Skip}},
        {"private", {Word::Skip}},
    };
    return table;
}

class Importer
{
public:
    Importer(QTextDocument *document, QByteArrayView rtf)
        : m_data(rtf)
        , m_cursor(document)
        , m_fallbackFamilies(document->defaultFont().families())
    {
        if (m_fallbackFamilies.isEmpty())
            m_fallbackFamilies = {document->defaultFont().family()};
        m_groups.push_back(GroupState{});
    }

    RtfReport run();

private:
    GroupState &state() { return m_groups.back(); }
    Destination destination() const
    {
        const GroupState &s = m_groups.back();
        if (m_tooDeep > 0 || (s.destination == Destination::Text && s.chars.hidden))
            return Destination::Skip;
        return s.destination;
    }
    bool full() const { return m_chars >= kMaxChars || m_pieces >= kMaxPieces; }

    void openGroup();
    void closeGroup();
    void readControl();
    void readText();
    void word(std::string_view name, bool hasParameter, int parameter);
    void hexByte(char byte);
    void appendByte(char byte);
    void textBytes(QByteArrayView bytes);
    void character(QChar c);
    void endTableEntry();
    void paragraph();

    int codePage();
    // Final ends a run of text (a lead byte left at its end shows as U+FFFD); Partial leaves
    // the decoder waiting for the rest of a cut pair.
    enum class Flush { Final, Partial };
    QString decode(QByteArrayView bytes, int codePage, Flush flush = Flush::Final);
    void flushBytes(Flush flush = Flush::Final);
    void flushText(Flush flush = Flush::Final);
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_ended = false;
    RtfReport m_report;

    QTextCursor m_cursor;
    QStringList m_fallbackFamilies;

    std::vector<GroupState> m_groups; // [0] lies outside every group
    int m_tooDeep = 0;                // open groups past kMaxDepth
    int m_skipBytes = 0;              // fallback bytes still to drop after \u

    int m_ansiCodePage = kDefaultCodePage;
    int m_defaultFont = 0;
    QHash<int, Font> m_fonts;
    int m_tableFont = 0; // font table: the entry being read
    int m_tableCodePage = 0;
    QByteArray m_tableName;
    std::vector<QColor> m_colours;
    int m_red = -1, m_green = -1, m_blue = -1;

    QByteArray m_bytes; // text bytes not yet decoded, all in one code page
    int m_bytesCodePage = 0;
    QString m_text; // decoded text not yet in the document, all in one format
    std::map<int, QStringDecoder> m_decoders;
    qsizetype m_chars = 0;
    qsizetype m_pieces = 0;
};

RtfReport Importer::run()
{
    m_cursor.beginEditBlock();
    while (m_pos < m_data.size() && !m_ended) {
        switch (m_data[m_pos]) {
        case '{':
            ++m_pos;
            openGroup();
            break;
        case '}':
            ++m_pos;
            closeGroup();
            break;
        case '\\':
            ++m_pos;
            readControl();
            break;
        case '\r':
        case '\n':
        case '\0':
            ++m_pos; // line breaks of the file itself and NUL bytes mean nothing
            break;
        default:
            readText();
            break;
        }
        if (full()) {
            m_report.truncated = true;
            break;
        }
    }
    if (!m_ended)
        m_report.unbalancedGroups += int(m_groups.size()) - 1 + m_tooDeep;
    flushText();
    if (!m_ended)
        m_cursor.setBlockFormat(blockFormat());
    m_cursor.endEditBlock();
    return m_report;
}

void Importer::openGroup()
{
    flushText();
    m_skipBytes = 0;
    if (m_tooDeep > 0 || m_groups.size() > kMaxDepth) {
        ++m_tooDeep;
        ++m_report.tooDeepGroups;
        return;
    }
    m_groups.push_back(m_groups.back());
}

void Importer::closeGroup()
{
    flushText();
    m_skipBytes = 0;
    if (m_tooDeep > 0) {
        --m_tooDeep;
        return;
    }
    if (m_groups.size() == 1) {
        ++m_report.unbalancedGroups; // closes a group that was never opened
        return;
    }
    if (m_groups.back().destination == Destination::FontTable && !m_tableName.isEmpty())
        endTableEntry(); // an entry whose name lacks its ";"
    if (m_groups.size() == 2) {
        // The outermost group is the whole document. Its last paragraph may lack a \par; it
        // takes the paragraph properties in force at the end, before they are popped.
        m_cursor.setBlockFormat(blockFormat());
        m_ended = true;
    }
    m_groups.pop_back();
}

void Importer::readControl()
{
    if (m_pos >= m_data.size()) {
        ++m_report.badEscapes;
        return;
    }
    const char first = m_data[m_pos];
    const auto isLetter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    const auto isDigit = [](char c) {
        return c >= '0' && c <= '9';
    };
    if (!isLetter(first)) {
        ++m_pos;
        switch (first) {
        case '\'': {
            int value = 0, digits = 0;
            while (digits < 2 && m_pos < m_data.size()) {
                const int d = hexValue(m_data[m_pos]);
                if (d < 0)
                    break;
                value = value * 16 + d;
                ++digits;
                ++m_pos;
            }
            if (digits == 2)
                hexByte(char(value));
            else
                ++m_report.badEscapes;
            return;
        }
        case '\\':
        case '{':
        case '}':
            if (m_skipBytes > 0) {
                --m_skipBytes;
                return;
            }
            textBytes(QByteArrayView(&first, 1));
            return;
        case '*':
            flushText();
            if (m_tooDeep == 0)
                state().destination = Destination::Skip;
            return;
        case '~':
            character(QChar(0x00A0));
            return;
        case '_':
            character(QChar(0x2011));
            return;
        case '\r':
        case '\n':
            word("par", false, 0);
            return;
        default:
            flushBytes();
            if (m_skipBytes > 0)
                --m_skipBytes;
            return; // \- \| \: and anything unknown
        }
    }

    char name[kMaxWordLength];
    int length = 0;
    bool tooLong = false;
    while (m_pos < m_data.size() && isLetter(m_data[m_pos])) {
        if (length < kMaxWordLength)
            name[length++] = m_data[m_pos];
        else
            tooLong = true;
        ++m_pos;
    }
    bool negative = false;
    if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    bool hasParameter = false;
    qint64 value = 0;
    while (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
        hasParameter = true;
        // Parameters past 32 bits saturate; the digits are read to their end all the same.
        value = std::min<qint64>(value * 10 + (m_data[m_pos] - '0'), qint64(1) << 31);
        ++m_pos;
    }
    if (negative)
        value = -value;
    value = std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                               std::numeric_limits<int>::max());
    if (m_pos < m_data.size() && m_data[m_pos] == ' ')
        ++m_pos; // the space that ends a control word belongs to it
    if (!tooLong)
        word(std::string_view(name, std::size_t(length)), hasParameter, int(value));
}

void Importer::readText()
{
    // A run of plain bytes up to the next character with a meaning of its own.
    const Destination where = destination();
    qsizetype end = m_pos;
    while (end < m_data.size()) {
        const char c = m_data[end];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == '\0')
            break;
        if (c == ';' && (where == Destination::FontTable || where == Destination::ColourTable))
            break;
        ++end;
    }
    if (end == m_pos) { // a ";" that ends a table entry
        ++m_pos;
        endTableEntry();
        return;
    }
    QByteArrayView run = m_data.sliced(m_pos, end - m_pos);
    m_pos = end;
    if (m_skipBytes > 0) {
        const qsizetype dropped = std::min<qsizetype>(m_skipBytes, run.size());
        m_skipBytes -= int(dropped);
        run = run.sliced(dropped);
    }
    textBytes(run);
}

void Importer::textBytes(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    switch (destination()) {
    case Destination::Text: {
        const int page = codePage();
        if (page != m_bytesCodePage)
            flushBytes();
        m_bytesCodePage = page;
        for (char c : bytes) {
            if (c != '\t' && uchar(c) < 0x20)
                continue; // other control bytes have nothing to show
            appendByte(c);
            if (full())
                return;
        }
        break;
    }
    case Destination::FontTable:
        if (m_tableName.size() < 256)
            m_tableName.append(bytes.first(std::min<qsizetype>(bytes.size(), 256)));
        break;
    case Destination::Skip:
    case Destination::ColourTable:
        break;
    }
}

void Importer::appendByte(char byte)
{
    m_bytes.append(byte);
    if (m_bytes.size() >= kChunkBytes)
        flushText(Flush::Partial);
}

void Importer::hexByte(char byte)
{
    if (m_skipBytes > 0) {
        --m_skipBytes;
        return;
    }
    // Unlike textBytes, a byte below 0x20 given in hex still counts as text.
    if (destination() == Destination::Text) {
        const int page = codePage();
        if (page != m_bytesCodePage)
            flushBytes();
        m_bytesCodePage = page;
        if (uchar(byte) >= 0x20 || byte == '\t')
            appendByte(byte);
    } else {
        textBytes(QByteArrayView(&byte, 1));
    }
}

void Importer::character(QChar c)
{
    flushBytes();
    if (m_skipBytes > 0) {
        --m_skipBytes;
        return;
    }
    if (destination() == Destination::Text)
        m_text.append(c);
}

void Importer::endTableEntry()
{
    if (destination() == Destination::FontTable) {
        if (m_fonts.size() < kMaxFonts || m_fonts.contains(m_tableFont)) {
            const int page = m_tableCodePage ? m_tableCodePage : m_ansiCodePage;
            m_fonts.insert(m_tableFont, {decode(m_tableName, page).trimmed(), m_tableCodePage});
        }
        m_tableName.clear();
        m_tableCodePage = 0;
    } else if (destination() == Destination::ColourTable) {
        if (int(m_colours.size()) < kMaxColours) {
            const bool given = m_red >= 0 || m_green >= 0 || m_blue >= 0;
            m_colours.push_back(given
                                    ? QColor(std::clamp(m_red, 0, 255), std::clamp(m_green, 0, 255),
                                             std::clamp(m_blue, 0, 255))
                                    : QColor());
        }
        m_red = m_green = m_blue = -1;
    }
}

void Importer::paragraph()
{
    flushText();
    if (destination() != Destination::Text || full())
        return;
    m_cursor.setBlockFormat(blockFormat());
    m_cursor.insertBlock(QTextBlockFormat(), charFormat());
    ++m_pieces;
}

void Importer::word(std::string_view name, bool hasParameter, int parameter)
{
    const auto found = words().find(name);
    if (found == words().end()) {
        flushBytes();
        if (m_skipBytes > 0)
            --m_skipBytes;
        return;
    }
    const WordInfo info = found->second;
    if (info.word == Word::Bin) {
        // Binary data is never text; skip it wherever it stands, but never past the end.
        flushBytes();
        const qsizetype length = hasParameter ? std::max(parameter, 0) : 0;
        if (length > m_data.size() - m_pos) {
            ++m_report.badEscapes;
            m_pos = m_data.size();
        } else {
            m_pos += length;
        }
        return;
    }
    if (info.word == Word::Unicode) {
        flushBytes();
        if (m_skipBytes > 0) {
            --m_skipBytes;
            return;
        }
        const int code = parameter < 0 ? parameter + 65536 : parameter;
        if (code >= 0 && code <= 0xFFFF) {
            if (destination() == Destination::Text)
                m_text.append(QChar(char16_t(code)));
        }
        m_skipBytes = state().unicodeSkip;
        return;
    }
    if (info.word == Word::Character) {
        character(QChar(info.character));
        return;
    }
    flushText();
    if (m_skipBytes > 0) {
        --m_skipBytes; // a control word in a \u fallback counts as one of its characters
        return;
    }
    if (m_tooDeep > 0)
        return;

    GroupState &s = state();
    CharState &c = s.chars;
    ParaState &p = s.para;
    const bool on = !hasParameter || parameter != 0;
    const int twips = std::clamp(parameter, -kMaxTwips, kMaxTwips);
    switch (info.word) {
    case Word::Rtf:
    case Word::Ansi:
        if (info.word == Word::Ansi)
            m_ansiCodePage = 1252;
        break;
    case Word::AnsiCpg:
        if (parameter > 0)
            m_ansiCodePage = parameter;
        break;
    case Word::Mac:
        m_ansiCodePage = 10000;
        break;
    case Word::Pc:
        m_ansiCodePage = 437;
        break;
    case Word::Pca:
        m_ansiCodePage = 850;
        break;
    case Word::Deff:
        m_defaultFont = parameter;
        break;
    case Word::FontTable:
        s.destination = Destination::FontTable;
        m_tableName.clear();
        m_tableCodePage = 0;
        break;
    case Word::ColourTable:
        s.destination = Destination::ColourTable;
        m_colours.clear();
        m_red = m_green = m_blue = -1;
        break;
    case Word::Skip:
        s.destination = Destination::Skip;
        break;
    case Word::Font:
        if (s.destination == Destination::FontTable) {
            m_tableFont = parameter;
            m_tableName.clear();
            m_tableCodePage = 0;
        } else {
            c.font = parameter;
        }
        break;
    case Word::FontCharset:
        if (s.destination == Destination::FontTable && !m_tableCodePage)
            m_tableCodePage = charsetCodePage(parameter);
        break;
    case Word::CodePage:
        if (s.destination == Destination::FontTable && parameter > 0)
            m_tableCodePage = parameter;
        break;
    case Word::Red:
        m_red = parameter;
        break;
    case Word::Green:
        m_green = parameter;
        break;
    case Word::Blue:
        m_blue = parameter;
        break;
    case Word::FontSize:
        c.halfPoints = hasParameter ? std::clamp(parameter, 1, kMaxHalfPoints) : 24;
        break;
    case Word::Bold:
        c.bold = on;
        break;
    case Word::Italic:
        c.italic = on;
        break;
    case Word::Underline:
        c.underline = on;
        break;
    case Word::UnderlineNone:
        c.underline = false;
        break;
    case Word::Hidden:
        c.hidden = on;
        break;
    case Word::Strike:
        c.strike = on;
        break;
    case Word::Foreground:
        c.foreground = parameter;
        break;
    case Word::Background:
        c.background = parameter;
        break;
    case Word::Plain:
        c = CharState{};
        break;
    case Word::Par:
        paragraph();
        break;
    case Word::Pard:
        p = ParaState{};
        break;
    case Word::Line:
        character(QChar::LineSeparator);
        break;
    case Word::Tab:
    case Word::Cell:
        character(u'\t');
        break;
    case Word::Left:
        p.alignment = Qt::AlignLeft;
        break;
    case Word::Centre:
        p.alignment = Qt::AlignHCenter;
        break;
    case Word::Right:
        p.alignment = Qt::AlignRight;
        break;
    case Word::Justify:
        p.alignment = Qt::AlignJustify;
        break;
    case Word::LeftIndent:
        p.left = twips;
        break;
    case Word::RightIndent:
        p.right = twips;
        break;
    case Word::FirstIndent:
        p.first = twips;
        break;
    case Word::SpaceBefore:
        p.before = std::max(twips, 0);
        break;
    case Word::SpaceAfter:
        p.after = std::max(twips, 0);
        break;
    case Word::UnicodeSkip:
        s.unicodeSkip = std::clamp(parameter, 0, kMaxUnicodeSkip);
        break;
    case Word::Unicode:
    case Word::Bin:
    case Word::Character:
        break; // handled above
    }
}

int Importer::codePage()
{
    const int font = state().chars.font >= 0 ? state().chars.font : m_defaultFont;
    const auto found = m_fonts.constFind(font);
    if (found != m_fonts.cend() && found->codePage)
        return found->codePage;
    return m_ansiCodePage;
}

QString Importer::decode(QByteArrayView bytes, int codePage, Flush flush)
{
    auto found = m_decoders.find(codePage);
    if (found == m_decoders.end()) {
        if (int(m_decoders.size()) >= kMaxDecoders)
            return decode(bytes, kDefaultCodePage, flush);
        found = m_decoders.emplace(codePage, decoderFor(codePage)).first;
    }
    if (flush == Flush::Partial)
        return found->second.decode(bytes);
    // A lead byte at the very end would vanish as the start of input that never comes; a space
    // behind it makes the decoder show it as U+FFFD. The space is taken off again.
    QByteArray padded(bytes.data(), bytes.size());
    padded.append(' ');
    QString text = found->second.decode(padded);
    text.chop(1);
    return text;
}

void Importer::flushBytes(Flush flush)
{
    if (m_bytes.isEmpty())
        return;
    m_text += decode(m_bytes, m_bytesCodePage, flush);
    m_bytes.clear();
}

void Importer::flushText(Flush flush)
{
    flushBytes(flush);
    if (m_text.isEmpty())
        return;
    if (!full()) {
        m_text.truncate(std::min(m_text.size(), kMaxChars - m_chars));
        m_cursor.insertText(m_text, charFormat());
        m_chars += m_text.size();
        ++m_pieces;
    }
    m_text.clear();
}

QTextCharFormat Importer::charFormat() const
{
    const CharState &c = m_groups.back().chars;
    QTextCharFormat format;
    const auto font = m_fonts.constFind(c.font >= 0 ? c.font : m_defaultFont);
    if (font != m_fonts.cend() && !font->name.isEmpty())
        format.setFontFamilies(QStringList{font->name} + m_fallbackFamilies);
    if (c.halfPoints > 0)
        format.setFontPointSize(c.halfPoints / 2.0);
    if (c.bold)
        format.setFontWeight(QFont::Bold);
    if (c.italic)
        format.setFontItalic(true);
    if (c.underline)
        format.setFontUnderline(true);
    if (c.strike)
        format.setFontStrikeOut(true);
    const auto colour = [this](int index) {
        return index >= 0 && index < int(m_colours.size()) ? m_colours[std::size_t(index)]
                                                           : QColor();
    };
    if (const QColor fg = colour(c.foreground); fg.isValid())
        format.setForeground(fg);
    if (const QColor bg = colour(c.background); bg.isValid())
        format.setBackground(bg);
    return format;
}

QTextBlockFormat Importer::blockFormat() const
{
    const ParaState &p = m_groups.back().para;
    constexpr double twipsPerPixel = 15.0; // 1440 twips an inch, 96 pixels an inch
    QTextBlockFormat format;
    format.setAlignment(p.alignment);
    format.setLeftMargin(p.left / twipsPerPixel);
    format.setRightMargin(p.right / twipsPerPixel);
    format.setTextIndent(p.first / twipsPerPixel);
    format.setTopMargin(p.before / twipsPerPixel);
    format.setBottomMargin(p.after / twipsPerPixel);
    return format;
}

} // namespace

bool isRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

RtfReader::RtfReader(QTextDocument *document)
    : m_document(document)
{}

RtfReport RtfReader::import(QByteArrayView rtf)
{
    const bool undo = m_document->isUndoRedoEnabled();
    m_document->setUndoRedoEnabled(false); // a reading is no edit to take back
    m_document->clear();
    const RtfReport report = Importer(m_document, rtf).run();
    m_document->setUndoRedoEnabled(undo);
    return report;
}

RtfReport importRichOrPlain(QTextDocument *document, QByteArrayView bytes)
{
    if (isRtf(bytes))
        return RtfReader(document).import(bytes);
    static const QString lineBreaks[] = {QStringLiteral("\r\n"), QStringLiteral("\r")};
    QString text = QStringDecoder("GBK", QStringDecoder::Flag::Stateless)
                       .decode(QByteArray(bytes.data(), bytes.size()) + ' ');
    text.chop(1);
    for (const QString &lineBreak : lineBreaks)
        text.replace(lineBreak, QStringLiteral("\n"));
    text.remove(QChar(0)); // a NUL byte has nothing to show
    document->setPlainText(text);
    return {};
}

} // namespace richtext
