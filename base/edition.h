#pragma once

// The edition the user reads: Simplified, or Traditional in Taiwan's or Hong Kong's standard (see
// text/hanconvert.h). Texts are written in Simplified everywhere in the program; what the user
// reads is converted in one place. A window's texts are converted when it is shown
// (see convertWidgetsWhenShown); a text that changes on a page already in view goes
// through displayText() where it is set.

#include "text/hanconvert.h"

#include <QString>

class QTextDocument;
class QWidget;

namespace base {

text::Edition edition();
// Sets the edition and starts loading its converter on a thread of its own. If OpenCC cannot be
// loaded, the first text to convert says so in the error report and every text stays Simplified.
void setEdition(text::Edition edition);

// The text as the user reads it in the current edition; in the Simplified edition the text itself.
QString displayText(const QString &simplified);

// Converts what one widget shows and says to a screen reader: its own texts, its actions', a
// label's, button's, group box's, tab's, list's or document's texts (not its children's).
void convertWidgetTexts(QWidget *widget);
// The same for the widget and every widget below it.
void convertWidgetTree(QWidget *root);
// A rich text document, fragment by fragment, keeping each fragment's format.
void convertDocument(QTextDocument *document);

// In a Traditional edition, converts a window's whole tree each time it is shown, and any other
// widget's own texts when it is shown. Does nothing in the Simplified edition.
void convertWidgetsWhenShown();

} // namespace base
