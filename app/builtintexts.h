#pragma once

// Every text the program has written in and shows in some edition: what the window's controls
// show and say when it is built (Qt's own words among them as the 繁體 editions have them) (the
// introduction as "sxjj.txt" beside the executable holds it), the verses and weight lines, the palm
// and mole titles and analyses, and the fixed messages. The 繁體 editions look these up converted
// (text/hanttable.h); tools/hanttable writes that table from this list. Builds the window, so a
// QApplication must exist.

#include <QStringList>

QStringList builtInTexts();
