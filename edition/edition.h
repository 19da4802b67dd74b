#pragma once

// The edition the user reads: Simplified, or Traditional in Taiwan's or Hong Kong's standard.
// Every text is written in Simplified and marked where it is written (tr(), QT_TRANSLATE_NOOP);
// a Traditional edition installs its catalogue (made from the marked sources by tools/catalogues
// and compiled by lrelease) as a QTranslator, so each text is translated once, when it is set.
// Qt's own words (the file and print dialogs) come from Qt's catalogue for the edition.

#include "text/hanconvert.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace edition {

text::Edition current();

// Sets the edition and installs its translators in place of the last edition's; call it before
// any window is built. A catalogue that cannot be loaded raises std::runtime_error.
void setEdition(text::Edition edition);

// Our catalogue's translation of a source text, or nothing if the catalogue does not hold it (or
// in the Simplified edition, which has no catalogue).
std::optional<QString> catalogueText(const char *context, const QString &source);

// The Song face drawn with the edition's own glyph forms, put before the program's font list:
// the part of it our texts use, then the whole face (or the whole face alone, if the part is not
// beside the program). Empty for the Simplified edition.
QStringList songFaces();
// The first of them: the face the edition's texts are drawn in.
QString songFace();

// The resource path of an edition's catalogue, ":/i18n/lorvex_zh_TW.qm"; empty for Simplified.
QString cataloguePath(text::Edition edition);

} // namespace edition
