#pragma once

// Tells a screen reader that a text has just been written where the user did not put the focus:
// an analysis in its memo, the weight line and the verse after a reading.

#include <QString>

class QWidget;

namespace base {

// A text field (a memo) reports `text` as its whole new content; any other control (a label)
// carries it as its description, reported as changed.
void announce(QWidget *source, const QString &text);

} // namespace base
