#include "app/form1.h"
#include "app/program.h"
#include "base/edition.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The 繁體 editions' dictionaries load while Qt starts and the window is built.
    base::setEdition(text::systemEdition());
    QApplication app(argc, argv);
    return runLorvex(app, [] { return std::make_unique<TForm1>(); });
}
