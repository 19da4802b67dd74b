#include "app/form1.h"
#include "app/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runLorvex(
        app, [] { return std::make_unique<TForm1>(nullptr, TForm1::Pages::FirstThenOthers); });
}
