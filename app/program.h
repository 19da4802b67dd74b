#pragma once

// The program's run from creating the main window to the end of its message loop.

#include <functional>
#include <memory>

class QApplication;
class TForm1;

using FormFactory = std::function<std::unique_ptr<TForm1>()>;

// Sets the application up, creates the window with `makeForm`, runs FormCreate, shows the window
// and runs the message loop. When the window can't be created an "Application Error" box says
// why and the result is 1; otherwise the loop's result, 0 after the window is closed.
int runLorvex(QApplication &app, const FormFactory &makeForm);

// The application-wide settings that come before any window: title, edition (and with it every
// text and Qt's own words) and font.
void setUpApplication();
// The icon's 128- and 256-pixel drawings beside the 48-pixel one setUpApplication gives.
void setLargerIcons();
