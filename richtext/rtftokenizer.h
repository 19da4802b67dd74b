#pragma once

// The bottom layer of our RTF reader: a pull tokenizer, as QTextMarkdownImporter sits on md4c.
// It knows RTF's syntax (groups, control words and symbols, hex escapes, text runs) and nothing
// of what a word means; the importer pulls one token at a time and acts on it.
//
// It never reads past the end and never gives up: a "\" at the end, a "\'" without two hex
// digits and a "\bin" running past the end are counted and passed over.

#include <QByteArrayView>

namespace richtext {

struct RtfToken
{
    enum class Kind {
        End,           // nothing left to read
        GroupStart,    // "{"
        GroupEnd,      // "}"
        ControlWord,   // "\b0": text "b", parameter 0
        ControlSymbol, // "\~", "\*", a "\" before a line break: text is the one character
        Byte,          // "\'hh", or an escaped "\\", "\{", "\}": one byte of text
        Text,          // a run of bytes up to the next character with a meaning of its own
        EntryEnd,      // ";" where it ends a table entry (see RtfTokenizer::Semicolons)
    };
    Kind kind = Kind::End;
    QByteArrayView text; // ControlWord, ControlSymbol: the name; Text: the run itself
    bool hasParameter = false;
    int parameter = 0; // clamped to int; 0 when none is given
    char byte = 0;     // Byte
};

class RtfTokenizer
{
public:
    explicit RtfTokenizer(QByteArrayView rtf);

    // Whether ";" ends a table entry (in the font and colour tables) or is text like any other.
    enum class Semicolons { Text, EndEntry };

    // The next token. Line breaks of the file itself and NUL bytes are passed over, as are control
    // words longer than RTF's limit of 32 letters.
    RtfToken next(Semicolons semicolons = Semicolons::Text);

    // Passes over the binary data of a "\bin": never past the end, which counts as a bad escape.
    void skipBinary(qsizetype length);

    int badEscapes() const { return m_badEscapes; }

private:
    bool readControl(RtfToken &token);
    RtfToken readText(Semicolons semicolons);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    int m_badEscapes = 0;
};

} // namespace richtext
