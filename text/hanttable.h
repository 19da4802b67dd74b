#pragma once

// The built-in texts converted ahead of time: every verse, weight line, title, analysis and
// control text the program has written in, with how the Taiwan and Hong Kong editions write it.
// The table (hanttable.inc) is written by tools/hanttable with the same converter and phrase
// list the program uses for any other text, so that looking a text up here or converting it
// gives the same result; the program then needs OpenCC's dictionaries (about 45 ms to load)
// only for a text not in the table.

#include "text/hanconvert.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <string_view>

namespace text {

struct ConvertedAhead
{
    std::u16string_view simplified;
    std::u16string_view taiwan;   // empty: as the Simplified text
    std::u16string_view hongKong; // empty: as the Taiwan text
};

// In code unit order of the Simplified texts.
std::span<const ConvertedAhead> convertedAheadTable();

// The edition's writing of a text in the table (without copying it), or nothing.
std::optional<QString> convertedAhead(Edition edition, QStringView simplified);

// The text without the spaces and line breaks around it (a memo's indent, a title's padding),
// which are written alike in every edition and are not in the table.
QStringView coreOf(QStringView text);

// True if the conversion leaves the text as it is whatever its context: it has no character from
// the CJK blocks up (U+2E80 on), where every key of OpenCC's dictionaries lies, and no double
// quotation mark.
bool staysAsWritten(QStringView text);

} // namespace text
