#include "richtext/rtfimporter.h"

#include "richtext/rtfcontrolwords.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>

#include <algorithm>
#include <string_view>
#include <utility>

namespace richtext {

namespace {

std::string_view asWord(const RtfToken &token)
{
    return {token.text.data(), std::size_t(token.text.size())};
}

// The caps that keep bad or huge input from recursing, allocating or running without bound.
// Nothing here recurses: groups are a vector of states, capped at kMaxDepth; groups nested
// deeper are only counted, and what they hold is skipped.
constexpr int kMaxDepth = 512;
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

constexpr int kDefaultCodePage = 1252;

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

} // namespace

RtfImporter::RtfImporter(QTextDocument *document, QByteArrayView rtf)
    : m_tokens(rtf)
    , m_cursor(document)
    , m_fallbackFamilies(document->defaultFont().families())
{
    if (m_fallbackFamilies.isEmpty())
        m_fallbackFamilies = {document->defaultFont().family()};
    m_groups.push_back(RtfGroupState{});
}

RtfReport RtfImporter::run()
{
    m_cursor.beginEditBlock();
    while (!m_ended) {
        const RtfDestination where = destination();
        const bool inTable
            = where == RtfDestination::FontTable || where == RtfDestination::ColourTable;
        const RtfToken token = m_tokens.next(inTable ? RtfTokenizer::Semicolons::EndEntry
                                                     : RtfTokenizer::Semicolons::Text);
        if (token.kind == RtfToken::Kind::End)
            break;
        if (std::exchange(m_starred, false)
            && (token.kind != RtfToken::Kind::ControlWord || !rtfAction(asWord(token))))
            skipGroup();
        switch (token.kind) {
        case RtfToken::Kind::End:
            break;
        case RtfToken::Kind::GroupStart:
            openGroup();
            break;
        case RtfToken::Kind::GroupEnd:
            closeGroup();
            break;
        case RtfToken::Kind::ControlWord:
        case RtfToken::Kind::ControlSymbol:
            control(token);
            break;
        case RtfToken::Kind::Byte:
            byte(token.byte);
            break;
        case RtfToken::Kind::Text:
            textRun(token.text);
            break;
        case RtfToken::Kind::EntryEnd:
            endTableEntry();
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
    m_report.badEscapes = m_tokens.badEscapes();
    return m_report;
}

RtfDestination RtfImporter::destination() const
{
    const RtfGroupState &s = m_groups.back();
    if (m_tooDeep > 0 || (s.destination == RtfDestination::Text && s.chars.hidden))
        return RtfDestination::Skip;
    return s.destination;
}

bool RtfImporter::full() const
{
    return m_chars >= kMaxChars || m_pieces >= kMaxPieces;
}

void RtfImporter::openGroup()
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

void RtfImporter::closeGroup()
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
    if (m_groups.back().destination == RtfDestination::FontTable && !m_tables.entryName.isEmpty())
        endTableEntry(); // an entry whose name lacks its ";"
    if (m_groups.size() == 2) {
        // The outermost group is the whole document. Its last paragraph may lack a \par; it
        // takes the paragraph properties in force at the end, before they are popped.
        m_cursor.setBlockFormat(blockFormat());
        m_ended = true;
    }
    m_groups.pop_back();
}

void RtfImporter::control(const RtfToken &token)
{
    const RtfAction action = rtfAction(asWord(token));
    if (action)
        action(*this, token);
    else
        unknownWord();
}

RtfGroupState *RtfImporter::stateWord()
{
    flushText();
    if (m_skipBytes > 0) {
        --m_skipBytes; // a control word in a \u fallback counts as one of its characters
        return nullptr;
    }
    if (m_tooDeep > 0)
        return nullptr;
    return &state();
}

void RtfImporter::unknownWord()
{
    flushBytes();
    if (m_skipBytes > 0)
        --m_skipBytes;
}

void RtfImporter::skipGroup()
{
    flushText();
    if (m_tooDeep == 0)
        state().destination = RtfDestination::Skip;
}

void RtfImporter::binary(qsizetype length)
{
    // Binary data is never text; skip it wherever it stands, but never past the end.
    flushBytes();
    m_tokens.skipBinary(length);
}

void RtfImporter::unicode(int code)
{
    flushBytes();
    if (m_skipBytes > 0) {
        --m_skipBytes;
        return;
    }
    if (code < 0)
        code += 65536;
    if (code >= 0 && code <= 0xFFFF && destination() == RtfDestination::Text)
        m_text.append(QChar(char16_t(code)));
    m_skipBytes = state().unicodeSkip;
}

void RtfImporter::textRun(QByteArrayView run)
{
    if (m_skipBytes > 0) {
        const qsizetype dropped = std::min<qsizetype>(m_skipBytes, run.size());
        m_skipBytes -= int(dropped);
        run = run.sliced(dropped);
    }
    textBytes(run);
}

void RtfImporter::textBytes(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    switch (destination()) {
    case RtfDestination::Text: {
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
    case RtfDestination::FontTable:
        if (m_tables.entryName.size() < 256)
            m_tables.entryName.append(bytes.first(std::min<qsizetype>(bytes.size(), 256)));
        break;
    case RtfDestination::Skip:
    case RtfDestination::ColourTable:
        break;
    }
}

void RtfImporter::appendByte(char byte)
{
    m_bytes.append(byte);
    if (m_bytes.size() >= kChunkBytes)
        flushText(Flush::Partial);
}

void RtfImporter::byte(char byte)
{
    if (m_skipBytes > 0) {
        --m_skipBytes;
        return;
    }
    // Unlike textBytes, a byte below 0x20 given in hex still counts as text.
    if (destination() == RtfDestination::Text) {
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

void RtfImporter::character(QChar c)
{
    flushBytes();
    if (m_skipBytes > 0) {
        --m_skipBytes;
        return;
    }
    if (destination() == RtfDestination::Text)
        m_text.append(c);
}

void RtfImporter::endTableEntry()
{
    RtfTables &t = m_tables;
    if (destination() == RtfDestination::FontTable) {
        if (t.fonts.size() < kMaxFonts || t.fonts.contains(t.entryFont)) {
            const int page = t.entryCodePage ? t.entryCodePage : t.ansiCodePage;
            t.fonts.insert(t.entryFont, {decode(t.entryName, page).trimmed(), t.entryCodePage});
        }
        t.entryName.clear();
        t.entryCodePage = 0;
    } else if (destination() == RtfDestination::ColourTable) {
        if (int(t.colours.size()) < kMaxColours) {
            const bool given = t.red >= 0 || t.green >= 0 || t.blue >= 0;
            t.colours.push_back(given
                                    ? QColor(std::clamp(t.red, 0, 255), std::clamp(t.green, 0, 255),
                                             std::clamp(t.blue, 0, 255))
                                    : QColor());
        }
        t.red = t.green = t.blue = -1;
    }
}

void RtfImporter::paragraph()
{
    flushText();
    if (destination() != RtfDestination::Text || full())
        return;
    m_cursor.setBlockFormat(blockFormat());
    m_cursor.insertBlock(QTextBlockFormat(), charFormat());
    ++m_pieces;
}

int RtfImporter::codePage()
{
    const int font = state().chars.font >= 0 ? state().chars.font : m_tables.defaultFont;
    const auto found = m_tables.fonts.constFind(font);
    if (found != m_tables.fonts.cend() && found->codePage)
        return found->codePage;
    return m_tables.ansiCodePage;
}

QString RtfImporter::decode(QByteArrayView bytes, int codePage, Flush flush)
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

void RtfImporter::flushBytes(Flush flush)
{
    if (m_bytes.isEmpty())
        return;
    m_text += decode(m_bytes, m_bytesCodePage, flush);
    m_bytes.clear();
}

void RtfImporter::flushText(Flush flush)
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

QTextCharFormat RtfImporter::charFormat() const
{
    const RtfCharState &c = m_groups.back().chars;
    QTextCharFormat format;
    const auto font = m_tables.fonts.constFind(c.font >= 0 ? c.font : m_tables.defaultFont);
    if (font != m_tables.fonts.cend() && !font->name.isEmpty())
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
        return index >= 0 && index < int(m_tables.colours.size())
                   ? m_tables.colours[std::size_t(index)]
                   : QColor();
    };
    if (const QColor fg = colour(c.foreground); fg.isValid())
        format.setForeground(fg);
    if (const QColor bg = colour(c.background); bg.isValid())
        format.setBackground(bg);
    return format;
}

QTextBlockFormat RtfImporter::blockFormat() const
{
    const RtfParaState &p = m_groups.back().para;
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

} // namespace richtext
