#include "app/form1.h"
#include "mole/molepage.h"
#include "picture/jpeg.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>

// The two mole catalogues by the names of their controls.
struct Catalogue
{
    int tab; // in PageControl3
    const char *caption, *sheet, *previous, *next, *indicator, *memo, *rest;
    char letter;
    int items, pageSize, indent;
};
static const Catalogue kFace{0,    "  面痣  ", "TabSheet12", "BitBtn13", "BitBtn14", "s8",
                             "m8", "s7",       'g',          86,         15,         44};
static const Catalogue kBody{1,    "  身痣  ", "TabSheet11", "BitBtn15", "BitBtn16", "s9",
                             "m9", "s10",      'k',          18,         6,          20};

static const QString kCaption = QStringLiteral("[评析]");
static constexpr QPoint kRest{448, 32};

Q_DECLARE_METATYPE(const Catalogue *)

class TestMolePage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState_data();
    void startState();
    void paging_data();
    void paging();
    void click_data();
    void click();
    void tabSwitchResetsBothAndKeepsPages_data();
    void tabSwitchResetsBothAndKeepsPages();

private:
    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
    QString key(const Catalogue &c, int n) const
    {
        return QStringLiteral("%1%2").arg(c.letter).arg(n, 2, 10, QLatin1Char('0'));
    }
    int pageCount(const Catalogue &c) const { return (c.items + c.pageSize - 1) / c.pageSize; }
    QString memoText(const Catalogue &c) const
    {
        return control<QPlainTextEdit>(c.memo)->toPlainText();
    }
    QString indicatorText(const Catalogue &c) const { return control<QLabel>(c.indicator)->text(); }
    void openTab(int index);
    void goToPage(const Catalogue &c, int page);
    void verifyAtRest();

    std::unique_ptr<TForm1> form;
    QTabWidget *tabs = nullptr;
};

void TestMolePage::init()
{
    // No FormCreate: the memos show their start texts from the moment they exist.
    form = std::make_unique<TForm1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->PageControl1->setCurrentIndex(2);
    tabs = control<QTabWidget>("PageControl3");
    QVERIFY(tabs);
}

void TestMolePage::cleanup()
{
    form.reset();
}

void TestMolePage::openTab(int index)
{
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
    QCOMPARE(tabs->currentIndex(), index);
}

void TestMolePage::goToPage(const Catalogue &c, int page)
{
    openTab(c.tab);
    for (int clicks = 0; clicks < pageCount(c); ++clicks) {
        const int current = indicatorText(c).section(u'/', 0, 0).toInt();
        if (current == page)
            break;
        QTest::mouseClick(control<QPushButton>(current < page ? c.next : c.previous),
                          Qt::LeftButton);
    }
    QCOMPARE(indicatorText(c), QStringLiteral("%1/%2页").arg(page).arg(pageCount(c)));
}

// "[评析]" at rest over both memos, both memos empty.
void TestMolePage::verifyAtRest()
{
    QCOMPARE(control<QLabel>("s7")->text(), kCaption);
    QCOMPARE(control<QLabel>("s7")->pos(), kRest);
    QVERIFY(control<QLabel>("s10")->isVisibleTo(control("TabSheet11")));
    QCOMPARE(control<QLabel>("s10")->text(), kCaption);
    QCOMPARE(memoText(kFace), QString());
    QCOMPARE(memoText(kBody), QString());
}

void TestMolePage::startState_data()
{
    QTest::addColumn<const Catalogue *>("c");
    QTest::newRow("face moles") << &kFace;
    QTest::newRow("body moles") << &kBody;
}

// The start state, whether FormCreate has run or not: the face moles in front at (0, -8), page
// 1 shown, "上一页" off, "下一页" on, an empty memo under "[评析]".
void TestMolePage::startState()
{
    QFETCH(const Catalogue *, c);
    QCOMPARE(tabs->geometry(), QRect(0, -8, 633, 417));
    QCOMPARE(tabs->tabPosition(), QTabWidget::South);
    QCOMPARE(tabs->currentWidget(), control("TabSheet12"));
    QCOMPARE(tabs->tabText(c->tab), QString::fromUtf8(c->caption));
    QVERIFY(!control(c->previous)->isEnabled() && control(c->next)->isEnabled());
    QCOMPARE(indicatorText(*c), QStringLiteral("1/%1页").arg(pageCount(*c)));
    // The title or caption lies over the memo.
    const QObjectList stack = control(c->sheet)->children();
    QVERIFY(stack.indexOf(control(c->rest)) > stack.indexOf(control(c->memo)));
    verifyAtRest();
    form->FormCreate();
    verifyAtRest();
}

void TestMolePage::paging_data()
{
    QTest::addColumn<const Catalogue *>("c");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QPoint>("lastAt"); // in the frame
    QTest::newRow("face, page 6: g86 alone in row 3") << &kFace << 6 << 76 << 86 << QPoint(3, 210);
    QTest::newRow("face, back on page 5") << &kFace << 5 << 61 << 75 << QPoint(287, 210);
    QTest::newRow("face, back on page 1") << &kFace << 1 << 1 << 15 << QPoint(287, 210);
    QTest::newRow("body, page 3") << &kBody << 3 << 13 << 18 << QPoint(245, 194);
    QTest::newRow("body, back on page 2") << &kBody << 2 << 7 << 12 << QPoint(245, 194);
}

// Walks to the last page and back to `page`: the pictures and the buttons change, each picture
// in view shows the drawing named after its control, the readings stay at rest.
void TestMolePage::paging()
{
    QFETCH(const Catalogue *, c);
    QFETCH(int, page);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QPoint, lastAt);
    goToPage(*c, pageCount(*c));
    goToPage(*c, page);
    QCOMPARE(control(c->previous)->isEnabled(), page > 1);
    QCOMPARE(control(c->next)->isEnabled(), page < pageCount(*c));
    for (int n = 1; n <= c->items; ++n)
        QCOMPARE(control(key(*c, n))->isVisible(), n >= first && n <= last);
    for (int n = first; n <= last; ++n) {
        const auto *picture = control<QLabel>(key(*c, n));
        const QImage drawing
            = builtInPicture(QStringLiteral(":/pictures/mole/%1.jpg").arg(key(*c, n)), 1);
        QVERIFY(!drawing.isNull());
        QCOMPARE(picture->pixmap().toImage().convertToFormat(drawing.format()), drawing);
    }
    QCOMPARE(control(key(*c, last))->pos(), lastAt);
    verifyAtRest();
}

void TestMolePage::click_data()
{
    QTest::addColumn<const Catalogue *>("c");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("title"); // face moles only
    QTest::addColumn<QString>("memo");  // empty: only the indent is checked
    QTest::newRow("g03") << &kFace << 3 << QStringLiteral("  三星痣") << QString();
    QTest::newRow("k12") << &kBody << 12 << QString()
                         << QString(20, u' ')
                                + QStringLiteral(
                                    "两乳之中间长痣者，叫做男女宫，代表会生贵子，贵女。");
}

// A click, twice: the title moves to (420, 27) naming the mole, or the caption hides; the memo
// gets the indent and the analysis. A tab switch and another click do it all again.
void TestMolePage::click()
{
    QFETCH(const Catalogue *, c);
    QFETCH(int, item);
    QFETCH(QString, title);
    QFETCH(QString, memo);
    auto *rest = control<QLabel>(c->rest);
    for (int round = 0; round < 2; ++round) {
        goToPage(*c, (item - 1) / c->pageSize + 1);
        const QString page = indicatorText(*c);
        for (int clicks = 0; clicks < 2; ++clicks)
            QTest::mouseClick(control(key(*c, item)), Qt::LeftButton);
        if (c == &kFace) {
            QCOMPARE(rest->text(), title);
            QCOMPARE(rest->pos(), QPoint(420, 27));
            // The indent wraps like text instead of hanging past the memo's edge, and so keeps
            // the analysis below the title.
            auto *memoControl = control<QPlainTextEdit>(c->memo);
            QTextCursor text(memoControl->document());
            text.setPosition(c->indent);
            const QPoint textAt = memoControl->viewport()->mapTo(
                control(c->sheet), memoControl->cursorRect(text).topLeft());
            QVERIFY(textAt.y() > rest->geometry().bottom());
        } else {
            QVERIFY(!rest->isVisibleTo(control(c->sheet)));
        }
        const QString shown = memoText(*c);
        QVERIFY2(shown.startsWith(QString(c->indent, u' '))
                     && !shown.mid(c->indent).startsWith(u' '),
                 qPrintable(shown));
        if (!memo.isEmpty())
            QCOMPARE(shown, memo);
        QCOMPARE(indicatorText(*c), page);
        openTab(1 - c->tab);
        verifyAtRest();
    }
}

void TestMolePage::tabSwitchResetsBothAndKeepsPages_data()
{
    QTest::addColumn<const Catalogue *>("c"); // read, then left
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("page"); // paged to after the click
    QTest::addColumn<const Catalogue *>("other");
    QTest::addColumn<int>("otherPage");
    QTest::newRow("face to body") << &kFace << 12 << 2 << &kBody << 3;
    QTest::newRow("body to face") << &kBody << 7 << 3 << &kFace << 6;
}

// A reading stays through paging. Then one switch: the face title goes back to rest before m8
// empties and reads "[评析]" before m9 empties; s10 shows last. Pages, indicators and buttons
// of both catalogues stay as they were.
void TestMolePage::tabSwitchResetsBothAndKeepsPages()
{
    QFETCH(const Catalogue *, c);
    QFETCH(int, item);
    QFETCH(int, page);
    QFETCH(const Catalogue *, other);
    QFETCH(int, otherPage);
    goToPage(*other, otherPage);
    goToPage(*c, 1);
    QTest::mouseClick(control(key(*c, item)), Qt::LeftButton);
    auto *s7 = control<QLabel>("s7");
    auto *s10 = control("s10");
    const QString title = s7->text(), reading = memoText(*c);
    goToPage(*c, page);
    QCOMPARE(s7->text(), title);
    QCOMPARE(memoText(*c), reading);
    QCOMPARE(s10->isVisibleTo(control("TabSheet11")), c == &kFace);

    QStringList order;
    auto note = [&](const char *memo) {
        order << QStringLiteral("%1 s7 %2@%3, s10 %4")
                     .arg(memo, s7->text())
                     .arg(s7->x())
                     .arg(s10->isVisibleTo(control("TabSheet11")) ? "shown" : "hidden");
    };
    connect(control<QPlainTextEdit>("m8"), &QPlainTextEdit::textChanged, this, [&] { note("m8"); });
    connect(control<QPlainTextEdit>("m9"), &QPlainTextEdit::textChanged, this, [&] { note("m9"); });
    openTab(other->tab);
    const QString shownTitle = c == &kFace ? title : kCaption;
    const char *caption = c == &kFace ? "shown" : "hidden";
    QCOMPARE(order, QStringList({QStringLiteral("m8 s7 %1@448, s10 %2").arg(shownTitle, caption),
                                 QStringLiteral("m9 s7 [评析]@448, s10 %1").arg(caption)}));
    verifyAtRest();
    QCOMPARE(indicatorText(*c), QStringLiteral("%1/%2页").arg(page).arg(pageCount(*c)));
    QCOMPARE(indicatorText(*other),
             QStringLiteral("%1/%2页").arg(otherPage).arg(pageCount(*other)));
    QCOMPARE(control(c->previous)->isEnabled(), page > 1);
}

QTEST_MAIN(TestMolePage)
#include "tst_molepage.moc"
