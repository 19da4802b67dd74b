#pragma once

// The top layer of our RTF reader: pulls tokens from RtfTokenizer and builds the QTextDocument
// through one cursor, with a stack of group states for RTF's nesting of {...}. What each control
// word does is looked up in the table of rtfcontrolwords.cpp; the importer keeps the state those
// actions change and the text they end.
//
// Internal to richtext/: the public face is RtfReader (rtfreader.h).

#include "richtext/rtfreader.h"
#include "richtext/rtftokenizer.h"

#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextCursor>

#include <map>
#include <vector>

class QTextBlockFormat;
class QTextCharFormat;

namespace richtext {

// Where the text of a group goes.
enum class RtfDestination { Text, Skip, FontTable, ColourTable };

struct RtfCharState
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
    bool operator==(const RtfCharState &) const = default;
};

struct RtfParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
};

struct RtfGroupState
{
    RtfDestination destination = RtfDestination::Text;
    RtfCharState chars;
    RtfParaState para;
    int unicodeSkip = 1;
};

struct RtfFont
{
    QString name;
    int codePage = 0; // 0: the document's code page
};

// What the header and the tables say, for the whole document.
struct RtfTables
{
    int ansiCodePage = 1252;
    int defaultFont = 0;
    QHash<int, RtfFont> fonts;
    // The font table entry being read.
    int entryFont = 0;
    int entryCodePage = 0;
    QByteArray entryName;
    std::vector<QColor> colours;
    // The colour table entry being read; -1: not given.
    int red = -1, green = -1, blue = -1;
};

class RtfImporter
{
public:
    RtfImporter(QTextDocument *document, QByteArrayView rtf);

    RtfReport run();

    // For the control words' actions.
    //
    // A word that changes state ends the text before it and then acts on the group's state, which
    // this returns; nullptr when the word is swallowed instead (as a character of a \u fallback,
    // or in a group nested too deep).
    RtfGroupState *stateWord();
    RtfGroupState &state() { return m_groups.back(); }
    RtfTables &tables() { return m_tables; }
    // Where text goes now: Skip in a group nested too deep and for hidden text.
    RtfDestination destination() const;
    void character(QChar c);
    void unicode(int code);
    void binary(qsizetype length);
    void paragraph();
    // "\*": the group is a destination to skip unless the next token is a word we know.
    void starDestination() { m_starred = true; }
    // Any word or symbol we don't know is passed over, though it counts in a \u fallback.
    void unknownWord();

private:
    bool full() const;
    void openGroup();
    void closeGroup();
    void control(const RtfToken &token);
    void skipGroup();
    void byte(char byte);
    void textRun(QByteArrayView run);
    void textBytes(QByteArrayView bytes);
    void appendByte(char byte);
    void endTableEntry();

    int codePage();
    // Final ends a run of text (a lead byte left at its end shows as U+FFFD); Partial leaves
    // the decoder waiting for the rest of a cut pair.
    enum class Flush { Final, Partial };
    QString decode(QByteArrayView bytes, int codePage, Flush flush = Flush::Final);
    void flushBytes(Flush flush = Flush::Final);
    void flushText(Flush flush = Flush::Final);
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;

    RtfTokenizer m_tokens;
    bool m_ended = false;
    RtfReport m_report;

    QTextCursor m_cursor;
    QStringList m_fallbackFamilies;

    std::vector<RtfGroupState> m_groups; // [0] lies outside every group
    int m_tooDeep = 0;                   // open groups past the depth we keep
    int m_skipBytes = 0;                 // fallback bytes still to drop after \u
    bool m_starred = false;              // a "\*" waits for the word after it

    RtfTables m_tables;

    QByteArray m_bytes; // text bytes not yet decoded, all in one code page
    int m_bytesCodePage = 0;
    QString m_text; // decoded text not yet in the document, all in one format
    std::map<int, QStringDecoder> m_decoders;
    qsizetype m_chars = 0;
    qsizetype m_pieces = 0;
};

} // namespace richtext
