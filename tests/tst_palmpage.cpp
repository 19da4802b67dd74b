#include "app/form1.h"
#include "base/look.h"
#include "catalogue/jpeg.h"
#include "palm/palmitems.h"
#include "palm/palmpage.h"

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
    static const int x[] = {3, 104, 205, 306};
    static const int y[] = {24, 167};
    return {x[slot % 4], y[slot / 4], 100, 142};
}

class TestPalmPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tabSetStartsOnTheIntroduction();
    void topicTab_data();
    void topicTab();
    void pageShowsItsItems_data();
    void pageShowsItsItems();
    void everyPictureWritesOnlyIntoItsOwnMemo();
    void givenAnalyses_data();
    void givenAnalyses();
    void subTabChangeResetsEveryMemoAndKeepsPages();
    void topTabChangeChangesNothing();
    void startTexts();
    void picturesAtNaturalSizeFromTheSlotCorner();
    void focusOrder();
    void everyControlHasAChineseAccessibleName();

private:
    template<typename T>
    T *control(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    const Topic &topicOf(int number) const;
    void openTopic(const Topic &topic);
    void goToPage(const Topic &topic, int page);
    QLabel *image(int number) const { return control<QLabel>(qPrintable(PalmItemKey(number))); }
    QString memoText(const Topic &topic) const
    {
        return control<QPlainTextEdit>(topic.memo)->toPlainText();
    }

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

const Topic &TestPalmPage::topicOf(int number) const
{
    for (const Topic &topic : kTopics)
        if (number >= topic.first && number <= topic.last)
            return topic;
    qFatal("no palm topic holds Image%d", number);
}

// As the user does it: a click on the sub-tab's caption.
void TestPalmPage::openTopic(const Topic &topic)
{
    QWidget *sheet = control<QWidget>(topic.sheet);
    const int index = tabs->indexOf(sheet);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
    QCOMPARE(tabs->currentWidget(), sheet);
}

void TestPalmPage::goToPage(const Topic &topic, int page)
{
    auto *previous = control<QPushButton>(topic.previous);
    auto *next = control<QPushButton>(topic.next);
    auto *indicator = control<QLabel>(topic.indicator);
    while (!indicator->text().startsWith(QStringLiteral("%1/").arg(page))) {
        const int current = indicator->text().section(u'/', 0, 0).toInt();
        QVERIFY2(current >= 1 && current <= topic.pages, qPrintable(indicator->text()));
        QTest::mouseClick(current < page ? next : previous, Qt::LeftButton);
    }
}

void TestPalmPage::tabSetStartsOnTheIntroduction()
{
    QCOMPARE(tabs->geometry(), QRect(0, -8, 633, 417));
    QCOMPARE(tabs->tabPosition(), QTabWidget::South);
    QCOMPARE(tabs->count(), 7);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("TabSheet9"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("手相简介"));
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(tabs->widget(i + 1)->objectName(), QString::fromLatin1(kTopics[i].sheet));
        QCOMPARE(tabs->tabText(i + 1), QString::fromUtf8(kTopics[i].caption));
    }
    // All seven captions fit on one row of the tab set.
    const QRect last = tabs->tabBar()->tabRect(6);
    QVERIFY2(tabs->tabBar()->mapTo(tabs, last.topRight()).x() < 633,
             qPrintable(QString::number(last.right())));
}

void TestPalmPage::topicTab_data()
{
    QTest::addColumn<int>("topic");
    for (int i = 0; i < 6; ++i)
        QTest::newRow(kTopics[i].caption) << i;
}

void TestPalmPage::topicTab()
{
    QFETCH(int, topic);
    const Topic &t = kTopics[topic];
    auto *sheet = control<QWidget>(t.sheet);
    auto *frame = control<QGroupBox>(t.frame);
    auto *previous = control<QPushButton>(t.previous);
    auto *next = control<QPushButton>(t.next);
    auto *indicator = control<QLabel>(t.indicator);
    auto *memo = control<QPlainTextEdit>(t.memo);
    QVERIFY(sheet && frame && previous && next && indicator && memo);

    QCOMPARE(frame->parentWidget(), sheet);
    QCOMPARE(frame->geometry(), QRect(4, 8, 410, 377));
    QCOMPARE(frame->title(), QStringLiteral(" 选择手相图 "));
    QCOMPARE(previous->parentWidget(), frame);
    QCOMPARE(previous->geometry(), QRect(224, 336, 75, 25));
    QCOMPARE(previous->text(), QStringLiteral("上一页"));
    QVERIFY(!previous->isEnabled());
    QCOMPARE(next->geometry(), QRect(312, 336, 75, 25));
    QCOMPARE(next->text(), QStringLiteral("下一页"));
    QVERIFY(next->isEnabled());
    QCOMPARE(indicator->parentWidget(), frame);
    QCOMPARE(indicator->geometry(), QRect(160, 342, 38, 17));
    QCOMPARE(indicator->text(), QStringLiteral("1/%1页").arg(t.pages));
    QCOMPARE(indicator->font().pixelSize(), 13);
    QCOMPARE(memo->parentWidget(), sheet);
    QCOMPARE(memo->geometry(), QRect(420, 14, 195, 369));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->palette().color(QPalette::Base), base::Cream);
    QCOMPARE(memo->font().pixelSize(), 29);
    QCOMPARE(memo->toPlainText(), kStartText);

    // Page 1 on the slots, every other picture of the topic hidden, all in this frame.
    for (int n = t.first; n <= t.last; ++n) {
        QLabel *picture = image(n);
        QVERIFY2(picture, qPrintable(PalmItemKey(n)));
        QCOMPARE(picture->parentWidget(), frame);
        QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
        const int item = n - t.first;
        QCOMPARE(picture->isVisibleTo(frame), item < 8);
        if (item < 8)
            QCOMPARE(picture->geometry(), slotRect(item));
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
    QTest::newRow("love, last page") << 2 << 4 << 80 << 85;
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
    openTopic(t);
    goToPage(t, page);

    auto *frame = control<QGroupBox>(t.frame);
    QCOMPARE(control<QLabel>(t.indicator)->text(),
             QStringLiteral("%1/%2页").arg(page).arg(t.pages));
    QCOMPARE(control<QPushButton>(t.previous)->isEnabled(), page > 1);
    QCOMPARE(control<QPushButton>(t.next)->isEnabled(), page < t.pages);
    int shown = 0;
    for (QLabel *picture : frame->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        if (picture->objectName().startsWith(QStringLiteral("Image")) && picture->isVisible())
            ++shown;
    QCOMPARE(shown, last - first + 1);
    for (int n = first; n <= last; ++n) {
        QVERIFY2(image(n)->isVisible(), qPrintable(PalmItemKey(n)));
        QCOMPARE(image(n)->geometry(), slotRect(n - first));
    }
}

// Every picture, clicked on its page, writes 4 spaces and its analysis into its own memo; the
// other five memos, the page, the buttons and the indicator stay as they were.
void TestPalmPage::everyPictureWritesOnlyIntoItsOwnMemo()
{
    for (const Topic &t : kTopics) {
        openTopic(t);
        auto *indicator = control<QLabel>(t.indicator);
        for (int page = 1; page <= t.pages; ++page) {
            goToPage(t, page);
            const QString pageText = indicator->text();
            for (int n = t.first + (page - 1) * 8; n <= std::min(t.last, t.first + page * 8 - 1);
                 ++n) {
                QTest::mouseClick(image(n), Qt::LeftButton);
                QCOMPARE(memoText(t),
                         QStringLiteral("    ")
                             + QString::fromUtf8(PalmItems()[std::size_t(n - 1)].analysis));
                for (const Topic &other : kTopics)
                    if (&other != &t)
                        QCOMPARE(memoText(other), kResetText);
                QCOMPARE(indicator->text(), pageText);
                QCOMPARE(control<QPushButton>(t.previous)->isEnabled(), page > 1);
                QCOMPARE(control<QPushButton>(t.next)->isEnabled(), page < t.pages);
            }
        }
    }
}

void TestPalmPage::givenAnalyses_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("analysis");
    QTest::newRow("Image1") << 1 << "事业纹直上离宫之人，代表他的事业一帆风顺，到老亦有福有禄。";
    QTest::newRow("Image45")
        << 45 << "冲天纹未破乾宫而冲过天纹者，代表自己及父母都富而且贵，其人也聪明有才华。";
    QTest::newRow("Image46")
        << 46 << "六秀纹长者，叫做禄马纹，代表富贵，再有支纹者，代表事业多方发展，财源广进。";
    QTest::newRow("Image55")
        << 55 << "天纹上还有横纹，若是直纹，代表会有横财，如图所示，但不可有其它斜纹穿过。";
    QTest::newRow("Image56")
        << 56 << "天纹一端起自巽宫，一端弯下者，男女均主自作多情，到处留情。常经历到爱情苦果。";
    QTest::newRow("Image65 with its half-width X")
        << 65 << "天纹出现X纹者，男女都宜晚婚，婚事常遭父母及小人破坏。";
    QTest::newRow("Image86")
        << 86 << "由乾位冲兑卦者，代表其人少年败家产，老年孤贫，早婚尅，自己健康亦不好。";
    QTest::newRow("Image140") << 140
                              << "家风纹末端向上弯者，男女都代表不容易找到结婚对象，考虑太多，"
                                 "终必孤芳自赏，到老孤独。";
    QTest::newRow("Image141") << 141 << "天纹在无名指下中断者，男女都代表因用情不专，导致分离。";
    QTest::newRow("Image200") << 200
                              << "掌纹乱如麻，粗乱多贫苦，纹乱心事多，虽然是富贵人家也不快乐，"
                                 "严重者导致事业失败。";
    QTest::newRow("Image201") << 201
                              << "三才纹多毛，聪明反被聪明误，常会因判断错误而导致失败，如果平时"
                                 "守规矩，按部就班地做事，则可减少麻烦。";
    QTest::newRow("Image217") << 217
                              << "小指短小瘦弱且弯曲，若再苍白无力，会性冷淡，并且不容易受孕。";
}

void TestPalmPage::givenAnalyses()
{
    QFETCH(int, number);
    QFETCH(QString, analysis);
    const Topic &t = topicOf(number);
    openTopic(t);
    goToPage(t, (number - t.first) / 8 + 1);
    QTest::mouseClick(image(number), Qt::LeftButton);
    QCOMPARE(memoText(t), QStringLiteral("    ") + analysis);
}

void TestPalmPage::subTabChangeResetsEveryMemoAndKeepsPages()
{
    const Topic &career = kTopics[0];
    const Topic &wealth = kTopics[1];
    openTopic(career);
    goToPage(career, 3);
    QTest::mouseClick(image(17), Qt::LeftButton);
    QVERIFY(memoText(career) != kResetText);
    openTopic(wealth);
    goToPage(wealth, 2);
    QTest::mouseClick(image(54), Qt::LeftButton);

    // To the introduction page: every memo, shown or not, gets the reset text.
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    QCOMPARE(tabs->currentIndex(), 0);
    for (const Topic &t : kTopics)
        QCOMPARE(memoText(t), kResetText);

    openTopic(career);
    QCOMPARE(memoText(career), kResetText);
    QCOMPARE(control<QLabel>(career.indicator)->text(), QStringLiteral("3/6页"));
    QVERIFY(image(17)->isVisible());
    QVERIFY(control<QPushButton>(career.previous)->isEnabled());
    QCOMPARE(control<QLabel>(wealth.indicator)->text(), QStringLiteral("2/2页"));
    QVERIFY(!control<QPushButton>(wealth.next)->isEnabled());
    QVERIFY(image(54)->isVisibleTo(control<QGroupBox>(wealth.frame)));
}

void TestPalmPage::topTabChangeChangesNothing()
{
    const Topic &love = kTopics[2];
    openTopic(love);
    goToPage(love, 2);
    QTest::mouseClick(image(65), Qt::LeftButton);
    const QString reading = memoText(love);
    QVERIFY(reading.contains(u'X'));

    form->PageControl1->setCurrentIndex(0);
    form->PageControl1->setCurrentIndex(2);
    form->PageControl1->setCurrentIndex(1);
    QCOMPARE(tabs->currentWidget(), control<QWidget>(love.sheet));
    QCOMPARE(memoText(love), reading);
    for (const Topic &t : kTopics)
        if (&t != &love)
            QCOMPARE(memoText(t), kResetText);
    QCOMPARE(control<QLabel>(love.indicator)->text(), QStringLiteral("2/4页"));
    QVERIFY(image(65)->isVisible());
}

// Born with the start text, never a control's name; the start-up step sets it again after the
// memos have changed.
void TestPalmPage::startTexts()
{
    for (const Topic &t : kTopics)
        QCOMPARE(memoText(t), kStartText);
    openTopic(kTopics[4]);
    QTest::mouseClick(image(141), Qt::LeftButton);
    form->TabSheet2->SetStartTexts();
    for (const Topic &t : kTopics)
        QCOMPARE(memoText(t), kStartText);
}

// Each picture the program holds is shown unscaled from the top-left corner of a 100 x 142
// slot, so a taller one is cut at the bottom; one not drawn yet leaves its slot empty.
void TestPalmPage::picturesAtNaturalSizeFromTheSlotCorner()
{
    for (int n = 1; n <= PalmItemCount; ++n) {
        QLabel *picture = image(n);
        QCOMPARE(picture->size(), QSize(100, 142));
        QVERIFY(!picture->hasScaledContents());
        QCOMPARE(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);
        const QImage held = BuiltInPicture(QStringLiteral(":/pictures/palm/Image%1.jpg").arg(n));
        QCOMPARE(picture->pixmap().size(), held.size());
    }
}

void TestPalmPage::focusOrder()
{
    const Topic &family = kTopics[3];
    openTopic(family);
    goToPage(family, 2);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *previous = control<QPushButton>(family.previous);
    previous->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), previous);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(family.next));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QPlainTextEdit>(family.memo));
    // On page 1 the disabled "上一页" is passed over.
    goToPage(family, 1);
    control<QPlainTextEdit>(family.memo)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(family.next));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(QApplication::focusWidget() != previous);
}

void TestPalmPage::everyControlHasAChineseAccessibleName()
{
    QStringList names = {"PageControl2", "TabSheet9"};
    for (const Topic &t : kTopics)
        names << t.sheet << t.frame << t.previous << t.next << t.indicator << t.memo;
    for (int n = 1; n <= PalmItemCount; ++n)
        names << PalmItemKey(n);
    for (const QString &name : names) {
        auto *widget = form->TabSheet2->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        const QString spoken = widget->accessibleName();
        QVERIFY2(
            std::any_of(spoken.begin(), spoken.end(),
                        [](QChar c) { return c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff; }),
            qPrintable(name));
    }
}

QTEST_MAIN(TestPalmPage)
#include "tst_palmpage.moc"
