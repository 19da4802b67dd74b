// The floor of start-up: the least a Qt Widgets window of ours costs on this machine. One window,
// one tab, one label in the Song face, nothing else; the same first-frame hook as the program.
// bench/startup.py runs it alternately with the program and compares the two. With the argument
// "plain" the label keeps the desktop's own font: a bare Qt window, which loads no Song face.

#include "base/firstframe.h"
#include "base/look.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTabWidget window;
    auto *page = new QWidget;
    auto *label = new QLabel(QStringLiteral("我有几两命？"), page);
    if (argc < 2 || qstrcmp(argv[1], "plain") != 0)
        label->setFont(base::songFont(13));
    label->move(20, 20);
    window.addTab(page, QStringLiteral(" 我有几两命？ "));
    window.resize(633, 441);
    base::watchFirstFrame(&window);
    window.show();
    return app.exec();
}
