#include "almanac/almanacpage.h"
#include "app/form1.h"
#include "app/program.h"
#include "base/today.h"
#include "boneweight/birthdatapage.h"
#include "catalogue/cataloguewidgets.h"
#include "mole/molepage.h"
#include "palm/palmpage.h"
#include "palm/palmtopictab.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

// What a screen reader is told, heard through QAccessible's update handler: the analysis when a
// picture is opened, the picture the keyboard moves to, the weight line and verse of a reading.
// Qt reports accessibility events only on a platform that has an accessibility bridge (X11 or
// Wayland, not the offscreen one): CTest runs this suite on X11 in a virtual display.
class TestAnnounce : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void analysisIsAnnounced_data();
    void analysisIsAnnounced();
    void readingIsAnnounced();
    void almanacDayIsAnnounced();

private:
    std::unique_ptr<TForm1> form;
};

namespace {

struct Heard
{
    QAccessible::Event type;
    QObject *object;
    QString text; // what was inserted, or the new description
};
QList<Heard> heard;

void listen(QAccessibleEvent *event)
{
    Heard h{event->type(), event->object(), {}};
    if (event->type() == QAccessible::TextUpdated)
        h.text = static_cast<QAccessibleTextUpdateEvent *>(event)->textInserted();
    else if (event->type() == QAccessible::DescriptionChanged && event->accessibleInterface())
        h.text = event->accessibleInterface()->text(QAccessible::Description);
    heard.append(h);
}

qsizetype timesHeard(QAccessible::Event type, QObject *object, const QString &text)
{
    return std::count_if(heard.cbegin(), heard.cend(), [&](const Heard &h) {
        return h.type == type && h.object == object && h.text == text;
    });
}

} // namespace

void TestAnnounce::initTestCase()
{
    // The bridge comes up once it has found the accessibility bus.
    if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
        QSKIP("no accessibility bridge on this platform: run on X11 or Wayland with "
              "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1");
}

void TestAnnounce::init()
{
    setUpApplication();
    form = std::make_unique<TForm1>();
    form->FormCreate();
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    // Without a window manager nothing makes the window active but the window itself.
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QAccessible::installUpdateHandler(listen);
    heard.clear();
}

void TestAnnounce::cleanup()
{
    QAccessible::installUpdateHandler(nullptr);
    form.reset();
}

void TestAnnounce::analysisIsAnnounced_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("subTab");
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("palm wealth, click") << 1 << 2 << false;
    QTest::newRow("palm wisdom, Return") << 1 << 5 << true;
    QTest::newRow("face moles, Return") << 2 << 0 << true;
    QTest::newRow("body moles, click") << 2 << 1 << false;
}

// The analysis is written where the focus is not: its text goes to the screen reader, once.
void TestAnnounce::analysisIsAnnounced()
{
    QFETCH(int, tab);
    QFETCH(int, subTab);
    QFETCH(bool, byKeyboard);
    form->PageControl1->setCurrentIndex(tab);
    auto *set = form->PageControl1->currentWidget()->findChild<QTabWidget *>();
    set->setCurrentIndex(subTab);
    auto *widgets = set->currentWidget()->findChild<CatalogueWidgets *>();
    QVERIFY(widgets);
    heard.clear();
    if (byKeyboard) {
        widgets->frame()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(widgets->frame(), Qt::Key_Right);
        // Moving on tells the reader which picture is current.
        QCOMPARE(timesHeard(QAccessible::Focus, widgets->picture(1), QString()), 1);
        QTest::keyClick(widgets->frame(), Qt::Key_Return);
    } else {
        QTest::mouseClick(widgets->picture(1), Qt::LeftButton);
    }
    const QString text = widgets->memo()->toPlainText();
    QVERIFY(text.contains(widgets->catalogue().Items()[1].Analysis));
    QCOMPARE(timesHeard(QAccessible::TextUpdated, widgets->memo(), text), 1);
}

void TestAnnounce::readingIsAnnounced()
{
    BirthDataPage *page = form->TabSheet1;
    page->cy->setEditText(QStringLiteral("1984年"));
    page->cm->setEditText(QStringLiteral("3月"));
    page->cd->setEditText(QStringLiteral("7日"));
    page->ch->setEditText(QStringLiteral("15"));
    page->cf->setEditText(QStringLiteral("05"));
    heard.clear();
    QTest::keyClick(page->b1, Qt::Key_Return);
    // The same reading again is told again.
    QTest::keyClick(page->b1, Qt::Key_Return);
    QVERIFY(!page->l1->text().isEmpty());
    QCOMPARE(timesHeard(QAccessible::DescriptionChanged, page->l1, page->l1->text()), 2);
    QCOMPARE(timesHeard(QAccessible::TextUpdated, page->m1, page->m1->toPlainText()), 2);

    // An incomplete choice: the prompt in the weight line is told as well.
    page->cy->setEditText(QStringLiteral("出生年份"));
    heard.clear();
    QTest::keyClick(page->b1, Qt::Key_Return);
    QCOMPARE(timesHeard(QAccessible::DescriptionChanged, page->l1, page->l1->text()), 1);
}

// The almanac's card is told as its sentence when the day changes, not when the tab opens.
void TestAnnounce::almanacDayIsAnnounced()
{
    base::setToday([] { return QDate(2027, 1, 1); });
    AlmanacPage *page = form->TabAlmanac;
    form->PageControl1->setCurrentWidget(page);
    QCOMPARE(
        timesHeard(QAccessible::TextUpdated, page->almanac, page->almanac->accessibleDescription()),
        0);
    QTest::mouseClick(page->almanacNext, Qt::LeftButton);
    base::setToday({});
    const QString sentence = page->almanac->accessibleDescription();
    QVERIFY(sentence.startsWith(QCoreApplication::translate("AlmanacCard", "%1年%2月%3日 %4")
                                    .arg(2027)
                                    .arg(1)
                                    .arg(2)
                                    .arg(QCoreApplication::translate("AlmanacCard", "星期六"))));
    QCOMPARE(timesHeard(QAccessible::TextUpdated, page->almanac, sentence), 1);
}

QTEST_MAIN(TestAnnounce)
#include "tst_announce.moc"
