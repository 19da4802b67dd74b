#include "app/form1.h"
#include "base/look.h"
#include "palm/palmitems.h"
#include "palm/palmpage.h"
#include "picture/jpeg.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

// The six topic tabs as the window description gives them.
struct Topic
{
    const char *sheet, *caption, *frame, *previous, *next, *indicator, *memo;
    int first, last, pages;
};
static const Topic kTopics[] = {
    {"TabSheet3", "从手相看事业", "GroupBox3", "BitBtn2", "BitBtn3", "s3", "m2", 1, 45, 6},
    {"TabSheet4", "从手相看财运", "GroupBox4", "BitBtn1", "BitBtn4", "s2", "m3", 46, 55, 2},
    {"TabSheet5", "从手相看感情", "GroupBox5", "BitBtn5", "BitBtn6", "s1", "m4", 56, 85, 4},
    {"TabSheet6", "从手相看家庭", "GroupBox6", "BitBtn7", "BitBtn8", "s4", "m5", 86, 140, 7},
    {"TabSheet7", "从手相看智慧", "GroupBox7", "BitBtn9", "BitBtn10", "s5", "m6", 141, 200, 8},
    {"TabSheet8", "从手相看妇女健康", "GroupBox8", "BitBtn11", "BitBtn12", "s6", "m7", 201, 217, 3},
};

static const QString kStartText = QString(17, u' ') + QStringLiteral("[评析]");
static const QString kResetText = QString(16, u' ') + QStringLiteral("[评析]");

static QRect slotRect(int slot)
{
    return {(slot % 4) * 101 + 3, (slot / 4) * 143 + 24, 100, 142};
}

static bool spokenInChinese(const QWidget *widget)
{
    const QString name = widget->accessibleName();
    return std::any_of(name.begin(), name.end(),
                       [](QChar c) { return c.script() == QChar::Script_Han; });
}

class TestPalmPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tabSet();
    void topicTab_data();
    void topicTab();
    void pageShowsItsItems_data();
    void pageShowsItsItems();
    void everyPictureWritesOnlyIntoItsOwnMemo();
    void subTabChangeResetsEveryMemoAndKeepsPages();
    void topTabChangeChangesNothing();
    void startTextsComeBackAtStartUp();
    void focusOrder();

private:
    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
    QLabel *image(int number) const { return control<QLabel>(palmItemKey(number)); }
    QString memoText(const Topic &t) const
    {
        return control<QPlainTextEdit>(t.memo)->toPlainText();
    }
    void openSubTab(int index);
    void goToPage(const Topic &t, int page);

    std::unique_ptr<TForm1> form;
    QTabWidget *tabs = nullptr;
};

void TestPalmPage::init()
{
    form = std::make_unique<TForm1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->PageControl1->setCurrentIndex(1);
    tabs = control<QTabWidget>("PageControl2");
    QVERIFY(tabs);
}

void TestPalmPage::cleanup()
{
    form.reset();
}

// As the user does it: a click on the sub-tab's caption (0 is the introduction).
void TestPalmPage::openSubTab(int index)
{
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
    QCOMPARE(tabs->currentIndex(), index);
}

void TestPalmPage::goToPage(const Topic &t, int page)
{
    auto *indicator = control<QLabel>(t.indicator);
    for (int clicks = 0; clicks < t.pages; ++clicks) {
        const int current = indicator->text().section(u'/', 0, 0).toInt();
        if (current == page)
            break;
        QTest::mouseClick(control<QPushButton>(current < page ? t.next : t.previous),
                          Qt::LeftButton);
    }
    QCOMPARE(indicator->text(), QStringLiteral("%1/%2页").arg(page).arg(t.pages));
}

void TestPalmPage::tabSet()
{
    QCOMPARE(tabs->geometry(), QRect(0, -8, 633, 417));
    QCOMPARE(tabs->tabPosition(), QTabWidget::South);
    QCOMPARE(tabs->count(), 7);
    QCOMPARE(tabs->currentWidget(), control("TabSheet9"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("手相简介"));
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(tabs->widget(i + 1), control(kTopics[i].sheet));
        QCOMPARE(tabs->tabText(i + 1), QString::fromUtf8(kTopics[i].caption));
    }
    // All seven captions fit on one row.
    QVERIFY(tabs->tabBar()->mapTo(tabs, tabs->tabBar()->tabRect(6).topRight()).x() < 633);
    QVERIFY(spokenInChinese(tabs) && spokenInChinese(control("TabSheet9")));
}

void TestPalmPage::topicTab_data()
{
    QTest::addColumn<int>("topic");
    for (int i = 0; i < 6; ++i)
        QTest::newRow(kTopics[i].caption) << i;
}

// The layout, the start state, and page 1 on the slots with the topic's other pictures hidden.
void TestPalmPage::topicTab()
{
    QFETCH(int, topic);
    const Topic &t = kTopics[topic];
    auto *sheet = control(t.sheet);
    auto *frame = control<QGroupBox>(t.frame);
    auto *previous = control<QPushButton>(t.previous);
    auto *next = control<QPushButton>(t.next);
    auto *indicator = control<QLabel>(t.indicator);
    auto *memo = control<QPlainTextEdit>(t.memo);
    QVERIFY(sheet && frame && previous && next && indicator && memo);
    for (const QWidget *w :
         std::initializer_list<const QWidget *>{sheet, frame, previous, next, indicator, memo})
        QVERIFY2(spokenInChinese(w), qPrintable(w->objectName()));

    QCOMPARE(frame->geometry(), QRect(4, 8, 410, 377));
    QCOMPARE(frame->title(), QStringLiteral(" 选择手相图 "));
    QCOMPARE(previous->geometry(), QRect(224, 336, 75, 25));
    QCOMPARE(previous->text(), QStringLiteral("上一页"));
    QVERIFY(!previous->isEnabled());
    QCOMPARE(next->geometry(), QRect(312, 336, 75, 25));
    QCOMPARE(next->text(), QStringLiteral("下一页"));
    QVERIFY(next->isEnabled());
    QCOMPARE(indicator->geometry(), QRect(160, 342, 38, 17));
    QCOMPARE(indicator->text(), QStringLiteral("1/%1页").arg(t.pages));
    QCOMPARE(indicator->font().pixelSize(), 13);
    QCOMPARE(memo->parentWidget(), sheet);
    QCOMPARE(memo->geometry(), QRect(420, 14, 195, 369));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->palette().color(QPalette::Base), base::Cream);
    QCOMPARE(memo->font().pixelSize(), 29);
    QCOMPARE(memo->toPlainText(), kStartText);

    for (int n = t.first; n <= t.last; ++n) {
        QLabel *picture = image(n);
        QVERIFY2(picture && picture->parentWidget() == frame, qPrintable(palmItemKey(n)));
        QCOMPARE(picture->isVisibleTo(frame), n - t.first < 8);
        QCOMPARE(picture->geometry(), slotRect((n - t.first) % 8));
        QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(spokenInChinese(picture));
        // Unscaled from the slot's top-left corner: a taller picture is cut at the bottom.
        QVERIFY(!picture->hasScaledContents());
        QCOMPARE(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);
        // Nothing decoded before the topic's tab is first opened.
        QVERIFY(picture->pixmap().isNull());
    }
}

void TestPalmPage::pageShowsItsItems_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("career, last page") << 0 << 6 << 41 << 45;
    QTest::newRow("career, middle page") << 0 << 3 << 17 << 24;
    QTest::newRow("wealth, two on the left of the top row") << 1 << 2 << 54 << 55;
    QTest::newRow("family, slot 8 empty") << 3 << 7 << 134 << 140;
    QTest::newRow("wisdom, top row only") << 4 << 8 << 197 << 200;
    QTest::newRow("women's health, Image217 alone") << 5 << 3 << 217 << 217;
}

void TestPalmPage::pageShowsItsItems()
{
    QFETCH(int, topic);
    QFETCH(int, page);
    QFETCH(int, first);
    QFETCH(int, last);
    const Topic &t = kTopics[topic];
    openSubTab(topic + 1);
    goToPage(t, page);

    QCOMPARE(control<QPushButton>(t.previous)->isEnabled(), page > 1);
    QCOMPARE(control<QPushButton>(t.next)->isEnabled(), page < t.pages);
    for (int n = t.first; n <= t.last; ++n)
        QCOMPARE(image(n)->isVisible(), n >= first && n <= last);
    for (int n = first; n <= last; ++n)
        QCOMPARE(image(n)->geometry(), slotRect(n - first));
    // Only the pictures in view hold their decoded picture, at its own size; those of the pages
    // turned past have let theirs go.
    for (int n = t.first; n <= t.last; ++n) {
        const bool shown = n >= first && n <= last;
        QCOMPARE(image(n)->pixmap().isNull(), !shown);
        if (shown)
            QCOMPARE(image(n)->pixmap().size(), builtInPicture(palmPicturePath(n)).size());
    }
}

// Each picture, clicked on its page, writes 4 spaces and its analysis into its own memo; the
// other memos, the page and the buttons stay as they were.
void TestPalmPage::everyPictureWritesOnlyIntoItsOwnMemo()
{
    for (int topic = 0; topic < 6; ++topic) {
        const Topic &t = kTopics[topic];
        openSubTab(topic + 1);
        for (int n = t.first; n <= t.last; ++n) {
            const int page = (n - t.first) / 8 + 1;
            goToPage(t, page);
            // A test click reaches a hidden label too; the user's only reaches the page shown.
            QVERIFY2(image(n)->isVisible(), qPrintable(palmItemKey(n)));
            QTest::mouseClick(image(n), Qt::LeftButton);
            const QString analysis = QString::fromUtf8(palmItems()[std::size_t(n - 1)].analysis);
            QCOMPARE(memoText(t), QStringLiteral("    ") + analysis);
            for (const Topic &other : kTopics)
                if (&other != &t)
                    QCOMPARE(memoText(other), kResetText);
            QCOMPARE(control<QLabel>(t.indicator)->text(),
                     QStringLiteral("%1/%2页").arg(page).arg(t.pages));
            QCOMPARE(control<QPushButton>(t.next)->isEnabled(), page < t.pages);
        }
    }
}

void TestPalmPage::subTabChangeResetsEveryMemoAndKeepsPages()
{
    const Topic &career = kTopics[0], &wealth = kTopics[1];
    openSubTab(1);
    goToPage(career, 3);
    QTest::mouseClick(image(17), Qt::LeftButton);
    openSubTab(2);
    goToPage(wealth, 2);
    QTest::mouseClick(image(54), Qt::LeftButton);

    openSubTab(0); // the introduction resets every memo too, shown or not
    for (const Topic &t : kTopics)
        QCOMPARE(memoText(t), kResetText);
    openSubTab(1);
    QCOMPARE(memoText(career), kResetText);
    QCOMPARE(control<QLabel>(career.indicator)->text(), QStringLiteral("3/6页"));
    QVERIFY(image(17)->isVisible() && control<QPushButton>(career.previous)->isEnabled());
    QCOMPARE(control<QLabel>(wealth.indicator)->text(), QStringLiteral("2/2页"));
    QVERIFY(image(54)->isVisibleTo(control(wealth.frame)));
}

void TestPalmPage::topTabChangeChangesNothing()
{
    const Topic &love = kTopics[2];
    openSubTab(3);
    goToPage(love, 2);
    QTest::mouseClick(image(65), Qt::LeftButton);
    const QString reading = memoText(love);
    QVERIFY(reading.startsWith(QStringLiteral("    ")) && reading.contains(u'X'));

    form->PageControl1->setCurrentIndex(0);
    form->PageControl1->setCurrentIndex(2);
    form->PageControl1->setCurrentIndex(1);
    QCOMPARE(tabs->currentWidget(), control(love.sheet));
    QCOMPARE(memoText(love), reading);
    QCOMPARE(memoText(kTopics[0]), kResetText);
    QCOMPARE(control<QLabel>(love.indicator)->text(), QStringLiteral("2/4页"));
    QVERIFY(image(65)->isVisible());
}

void TestPalmPage::startTextsComeBackAtStartUp()
{
    openSubTab(5);
    QTest::mouseClick(image(141), Qt::LeftButton);
    form->TabSheet2->setStartTexts();
    for (const Topic &t : kTopics)
        QCOMPARE(memoText(t), kStartText);
}

void TestPalmPage::focusOrder()
{
    const Topic &family = kTopics[3];
    openSubTab(4);
    goToPage(family, 2);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    control(family.previous)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), control(family.previous));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(family.next));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(family.memo));
}

QTEST_MAIN(TestPalmPage)
#include "tst_palmpage.moc"
