#pragma once

// Our reader of Rich Text Format into a QTextDocument, the stand-in for the rich text control that
// shows the palm introduction. One import() call fills the document through one cursor; a stack
// of group states follows RTF's nesting of {...} the way QTextMarkdownImporter follows Markdown's.
// In three layers, as QTextMarkdownImporter sits on md4c: a pull tokenizer (rtftokenizer.h), the
// table of control words with each word's action (rtfcontrolwords.cpp), and the importer that
// builds the document (rtfimporter.h).
//
// It never throws and never gives up on bad input: what it can't read it passes over and counts.

#include <QByteArrayView>
#include <QLoggingCategory>

class QTextDocument;

namespace richtext {

// Why a document was read in part ("lorvex.rtf"): what an import passed over, as warnings.
Q_DECLARE_LOGGING_CATEGORY(lcRtf)

// What a reading passed over. All zero for a well-formed file of the kinds word processors write.
struct RtfReport
{
    int unbalancedGroups = 0; // groups left open at the end, or closed past the outermost
    int tooDeepGroups = 0;    // groups nested past the depth we keep (their content is skipped)
    int badEscapes = 0;       // "\'" without two hex digits, "\bin" running past the end
    bool truncated = false;   // the document reached its size cap; the rest was not read
};

// True when the bytes begin as Rich Text Format does ("{\rtf").
bool isRtf(QByteArrayView bytes);

class RtfReader
{
public:
    explicit RtfReader(QTextDocument *document);

    // Replaces the document's content with the RTF's text and formatting.
    RtfReport import(QByteArrayView rtf);

private:
    QTextDocument *m_document;
};

// A file as the rich text area shows it: with its formatting when it begins as RTF, otherwise
// as plain text in code page 936, line by line (CR LF, LF or CR end a line).
RtfReport importRichOrPlain(QTextDocument *document, QByteArrayView bytes);

} // namespace richtext
