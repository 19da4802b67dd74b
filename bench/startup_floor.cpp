// The floor of start-up: the least a Qt Widgets window of ours costs on this machine. One window,
// one tab, one label in the Song face, nothing else; the same first-frame hook as the program.
// bench/startup.py runs it alternately with the program and compares the two. With the argument
// "plain" the label keeps the desktop's own font: a bare Qt window, which loads no Song face.
// With "page" the window holds, made with plain Qt and nothing of ours, the kinds of widgets the
// program's first page shows, in the same faces and sizes: a menu bar, four tabs, two titled
// frames, six editable lists with their items, radio and check boxes, buttons, labels and a memo.
// No movie and no picture. Against it the program's figures say what its own work adds; against
// the bare window, what such a page costs in Qt.

#include "base/firstframe.h"
#include "base/look.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

QComboBox *list(QWidget *parent, const QStringList &items, const QString &placeholder, int x, int y)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setCompleter(nullptr);
    box->setFont(base::songFont(13));
    box->addItems(items);
    box->setEditText(placeholder);
    box->setGeometry(x, y, 60, 21);
    return box;
}

QStringList numbered(int from, int to, const QString &pattern)
{
    QStringList items;
    for (int n = from; n <= to; ++n)
        items << pattern.arg(n);
    return items;
}

// The first page's kinds of widgets, as the header says.
int page(QApplication &app)
{
    QWidget window;
    auto *menu = new QMenuBar(&window);
    menu->addMenu(QStringLiteral("文件(&F)"))->addAction(QStringLiteral("复制这份评命"));
    for (const char *caption : {"        ", "        ", "        "})
        menu->addAction(QString::fromLatin1(caption));
    menu->addAction(QStringLiteral("帮助(&H)"));
    menu->addAction(QStringLiteral("关于(&A)"));
    auto *tabs = new QTabWidget;
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menu);
    layout->addWidget(tabs);

    auto *first = new QWidget;
    first->setFont(base::songFont(13));
    auto *weight = new QLabel(QStringLiteral("此命重三两二钱"), first);
    weight->setFont(base::songFont(16));
    weight->setGeometry(273, 0, 200, 16);
    auto *birth = new QGroupBox(QStringLiteral(" 出生资料 "), first);
    birth->setFont(base::songFont(13));
    birth->setGeometry(8, 8, 600, 70);
    list(birth, numbered(1880, 2026, QStringLiteral("%1年")), QStringLiteral("出生年份"), 10, 30);
    list(birth, numbered(1, 12, QStringLiteral("%1月")), QStringLiteral("出生月份"), 80, 30);
    list(birth, numbered(1, 31, QStringLiteral("%1日")), QStringLiteral("出生日期"), 150, 30);
    list(birth, numbered(0, 23, QStringLiteral("%1")), QStringLiteral("出生时辰"), 220, 30);
    auto *colon = new QLabel(QStringLiteral(":"), birth);
    colon->setFont(base::songFont(16));
    colon->move(283, 32);
    list(birth, numbered(0, 59, QStringLiteral("%1")), QStringLiteral("出生分钟"), 290, 30);
    for (const auto &[text, x] : {std::pair{"农历", 380}, std::pair{"公历", 440}}) {
        auto *choice = new QRadioButton(QString::fromUtf8(text), birth);
        choice->setFont(base::songFont(13));
        choice->setGeometry(x, 0, 50, 16);
    }
    auto *reckon = new QPushButton(QStringLiteral("算一卦"), first);
    reckon->setFont(base::songFont(13));
    reckon->setGeometry(520, 90, 80, 25);
    list(first, {}, QString(), 110, 290);
    for (const auto &[text, x] : {std::pair{"23点换日", 68}, std::pair{"真太阳时", 156}}) {
        auto *box = new QCheckBox(QString::fromUtf8(text), first);
        box->setGeometry(x, 314, 84, 20);
    }
    auto *verse = new QGroupBox(QStringLiteral(" 神算评命 "), first);
    verse->setFont(base::songFont(13));
    verse->setGeometry(8, 120, 600, 160);
    auto *memo = new QPlainTextEdit(verse);
    memo->setReadOnly(true);
    memo->setGeometry(10, 20, 580, 130);
    auto *plain = new QPushButton(QStringLiteral("白话"), verse);
    plain->setFont(base::songFont(12));
    plain->setGeometry(540, 125, 50, 22);
    tabs->addTab(first, QStringLiteral(" 我有几两命？ "));
    for (const char *title : {" 看手相 ", " 看痣相 ", " 今日黄历 "})
        tabs->addTab(new QWidget, QString::fromUtf8(title));

    window.resize(633, 441 + menu->sizeHint().height());
    base::watchFirstFrame(&window);
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "page") == 0)
        return page(app);
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
