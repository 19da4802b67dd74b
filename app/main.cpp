#include "app/form1.h"
#include "app/program.h"
#include "base/fontsetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    base::FontSetUpAhead fonts;
    QApplication app(argc, argv);
    fonts.wait();
    return runLorvex(
        app, [] { return std::make_unique<TForm1>(nullptr, TForm1::Pages::FirstThenOthers); });
}
