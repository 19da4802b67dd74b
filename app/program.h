#pragma once

// The program's run from creating the main window to the end of its message loop.

#include <functional>
#include <memory>

class QApplication;
class QTranslator;
class TForm1;

using FormFactory = std::function<std::unique_ptr<TForm1>()>;

// Sets the application up, creates the window with `makeForm`, runs FormCreate, shows the window
// and runs the message loop. When the window can't be created an "Application Error" box says
// why and the result is 1; otherwise the loop's result, 0 after the window is closed.
int runLorvex(QApplication &app, const FormFactory &makeForm);

// The application-wide settings that come before any window: title and font.
void setUpApplication();

// Qt's own words (the file and print dialogs, a message box's buttons, a tab bar's scroll
// buttons) in Traditional characters: loads Qt's Taiwan translation into `translator`. The 繁體
// editions install it; false where the translation is not installed (Qt then speaks English).
bool loadQtTraditional(QTranslator &translator);
// Installs that translation in the 繁體 editions and takes it away in the Simplified one, which
// keeps Qt's words as they are: follows base::edition().
void translateQtForEdition();
