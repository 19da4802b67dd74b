#pragma once

// OpenCC's dictionaries read directly, for the tools and the tests that check the editions' texts.
// The program itself never reads them: it converts through the library loaded on demand.

#include "text/hanconvert.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace text {

// The characters OpenCC's Simplified-to-Traditional character table converts and never writes,
// less those the edition's own variants table writes (群 in Taiwan, 兑 and 户 in Hong Kong): what
// must not be left in a text of that edition. Reads OpenCC's dictionaries each time.
QSet<char32_t> simplifiedOnlyCharacters(Edition edition);

// One entry of one of OpenCC's dictionaries: a key and the writings it may take.
struct OpenCCEntry
{
    QString key;
    QStringList values;
};
// The entries of one of OpenCC's dictionaries ("STCharacters.ocd2"); raises std::runtime_error
// if it is missing.
QList<OpenCCEntry> openCCDictionary(const char *name);

} // namespace text
