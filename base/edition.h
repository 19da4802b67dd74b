#pragma once

// The edition the user reads: Simplified, or Traditional in Taiwan's or Hong Kong's standard (see
// text/hanconvert.h). Texts are written in Simplified everywhere in the program; what the user
// reads is converted in one place. A window's texts are converted when it is shown
// (see convertWidgetsWhenShown); a text that changes on a page already in view goes
// through displayText() where it is set.

#include "text/hanconvert.h"

#include <QString>
#include <QStringList>

class QTextDocument;
class QWidget;

namespace base {

text::Edition edition();
// Sets the edition. Built-in texts are looked up converted (text/hanttable.h); OpenCC is loaded
// on a thread of its own when a text not in the table first needs it. If it cannot be loaded, the
// error report says so once and every text not in the table stays Simplified.
void setEdition(text::Edition edition);
// Loads OpenCC a little after start, so that the first message or reading does not wait for it.
void loadConverterSoon();
// Whether OpenCC has been asked for yet (loading or loaded).
bool converterRequested();

// The text as the user reads it in the current edition; in the Simplified edition the text itself.
QString displayText(const QString &simplified);

// Converts what one widget shows and says to a screen reader: its own texts, its actions', a
// label's, button's, group box's, tab's, list's or document's texts (not its children's).
void convertWidgetTexts(QWidget *widget);
// The same for the widget and every widget below it.
void convertWidgetTree(QWidget *root);
// A rich text document, fragment by fragment, keeping each fragment's format. A document with a
// text not in the table is converted once OpenCC is loaded, without holding up the caller.
void convertDocument(QTextDocument *document);
// The texts convertWidgetTexts converts in one widget, its document's fragment by fragment.
QStringList widgetTexts(QWidget *widget);

// In a Traditional edition, converts a window's whole tree each time it is shown, and any other
// widget's own texts when it is shown. Does nothing in the Simplified edition.
void convertWidgetsWhenShown();

} // namespace base
