#include "almanac/almanacpage.h"
#include "app/form1.h"
#include "app/helpabout.h"
#include "app/program.h"
#include "base/errorreport.h"
#include "base/firstframe.h"
#include "boneweight/birthdatapage.h"
#include "mole/molepage.h"
#include "movie/shockwaveflash.h"
#include "palm/palmintropage.h"
#include "palm/palmpage.h"
#include "text/gbk.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

// Receives the address that Help hands to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void frameAndClientArea();
    void tabsAndTheirCaptions();
    void menuBar();
    void tabControlStaysPutWhenFrameGrows();
    void aboutBox_data();
    void aboutBox();
    void altAOpensAbout();
    void helpOpensHttpsAddress();
    void everyTextFitsCodePage936();
    void startsWithoutMovie_data();
    void startsWithoutMovie();
    void pagesBuiltLater_data();
    void pagesBuiltLater();

private:
    // Answers the next modal box: records its caption and text, then closes it with `key`.
    void answerNextBox(Qt::Key key);
    std::unique_ptr<TForm1> form;
    QString boxCaption, boxText;
    bool boxHadIcon = true;
};

void TestForm1::init()
{
    setUpApplication();
    form = std::make_unique<TForm1>();
    form->FormCreate();
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    boxCaption.clear();
    boxText.clear();
}

void TestForm1::cleanup()
{
    form.reset();
}

void TestForm1::answerNextBox(Qt::Key key)
{
    QTimer::singleShot(0, this, [this, key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        boxCaption = box->windowTitle();
        boxText = box->text();
        boxHadIcon = box->icon() != QMessageBox::NoIcon;
        QTest::keyClick(box, key);
    });
}

void TestForm1::frameAndClientArea()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Lorvex 2004"));
    QCOMPARE(form->centralWidget()->size(), QSize(633, 441));
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(form->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(form->PageControl1->geometry(), QRect(0, 0, 633, 441));
    QCOMPARE(form->PageControl1->currentIndex(), 0);
}

void TestForm1::tabsAndTheirCaptions()
{
    QTabWidget *tabs = form->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), QStringLiteral(" 我有几两命？ "));
    QCOMPARE(tabs->tabText(1), QStringLiteral(" 看手相 "));
    QCOMPARE(tabs->tabText(2), QStringLiteral(" 看痣相 "));
    QCOMPARE(tabs->tabText(3), QStringLiteral(" 今日黄历 "));
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("TabSheet1"));
    QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("TabSheet2"));
    QCOMPARE(tabs->widget(2)->objectName(), QStringLiteral("TabSheet10"));
    QCOMPARE(tabs->widget(3)->objectName(), QStringLiteral("TabAlmanac"));
}

void TestForm1::menuBar()
{
    const QList<QAction *> items = form->MainMenu1->actions();
    const QStringList names = {"N10", "N11", "N6",  "N7",  "N8",  "N12", "N14", "N15", "N16",
                               "N9",  "N17", "N18", "N19", "N20", "N21", "N22", "N23", "N25",
                               "N26", "N27", "N28", "N24", "N30", "N29", "N13", "N2",  "N3"};
    QCOMPARE(items.size(), 27);
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->objectName(), names[i]);
        QVERIFY(items[i]->isEnabled());
        QCOMPARE(items[i]->menu() != nullptr, i == 0);
    }
    // The first spacer's place holds the File menu.
    QCOMPARE(items[0]->text(), QStringLiteral("文件(&F)"));
    for (int i = 1; i < 25; ++i)
        QCOMPARE(items[i]->text(), QString(i == 2 ? "  " : " "));
    QCOMPARE(items[25]->text(), QStringLiteral("帮助(&H)"));
    QCOMPARE(items[26]->text(), QStringLiteral("关于(&A)"));
    // The spacers push Help and About to the right half of the bar, and both stay on it.
    const QRect help = form->MainMenu1->actionGeometry(items[25]);
    const QRect about = form->MainMenu1->actionGeometry(items[26]);
    QVERIFY2(help.left() > 633 / 2, qPrintable(QString::number(help.left())));
    QVERIFY2(about.right() <= 633, qPrintable(QString::number(about.right())));
    QCOMPARE(help.top(), about.top());
}

void TestForm1::tabControlStaysPutWhenFrameGrows()
{
    form->resize(900, 700);
    QTRY_COMPARE(form->centralWidget()->width(), 900);
    QCOMPARE(form->PageControl1->geometry(), QRect(0, 0, 633, 441));
    form->resize(400, 300);
    QTRY_COMPARE(form->centralWidget()->width(), 400);
    QCOMPARE(form->PageControl1->geometry(), QRect(0, 0, 633, 441));
}

void TestForm1::aboutBox_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestForm1::aboutBox()
{
    QFETCH(int, key);
    form->PageControl1->setCurrentIndex(1);
    answerNextBox(Qt::Key(key));
    form->N3Click(); // returns once the box is closed
    QCOMPARE(boxCaption, QStringLiteral("Lorvex 2004"));
    QVERIFY(!boxHadIcon);
    const QStringList lines = boxText.split(u'\n');
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Lorvex 2004   V 5.01"));
    QCOMPARE(lines[1], QString());
    QVERIFY(!lines[2].trimmed().isEmpty());
    QCOMPARE(lines[3], QString());
    QVERIFY(lines[4].contains(u"GeoNames") && lines[4].contains(u"CC BY 4.0"));
    QVERIFY(!boxText.contains(u'\r'));
    QCOMPARE(form->PageControl1->currentIndex(), 1);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestForm1::altAOpensAbout()
{
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    answerNextBox(Qt::Key_Escape);
    QTest::keyClick(form.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(boxCaption, QStringLiteral("Lorvex 2004"));
    QVERIFY(boxText.startsWith(QStringLiteral("Lorvex 2004   V 5.01\n")));
}

void TestForm1::helpOpensHttpsAddress()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    form->N2->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.front();
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QVERIFY(url.host().endsWith(QStringLiteral(".example")));
    QCOMPARE(url.path(), QStringLiteral("/soft/kavo/help.htm"));
    QCOMPARE(url, helpAddress());
}

void TestForm1::everyTextFitsCodePage936()
{
    // Everything the window can show: titles, captions, items, memo texts, menu captions.
    QStringList texts = {form->windowTitle(), aboutText()};
    for (QAction *item : form->MainMenu1->actions())
        texts << item->text();
    for (QTabWidget *tabs : form->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    for (QLabel *label : form->findChildren<QLabel *>())
        texts << label->text();
    for (QAbstractButton *button : form->findChildren<QAbstractButton *>())
        texts << button->text();
    for (QGroupBox *box : form->findChildren<QGroupBox *>())
        texts << box->title();
    for (QComboBox *list : form->findChildren<QComboBox *>()) {
        texts << list->currentText();
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
    }
    for (QPlainTextEdit *memo : form->findChildren<QPlainTextEdit *>())
        texts << memo->toPlainText();
    for (QTextEdit *memo : form->findChildren<QTextEdit *>())
        texts << memo->toPlainText();
    for (const QString &t : texts)
        QVERIFY2(text::fitsGbk(t), qPrintable(t));
}

// The movie is looked for beside the executable only; without it (or with a folder or junk in its
// place) start-up goes on silently and every later step still runs.
void TestForm1::startsWithoutMovie_data()
{
    QTest::addColumn<QByteArray>("what");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a movie") << QByteArray("FWS\x0a garbage");
}

void TestForm1::startsWithoutMovie()
{
    QFETCH(QByteArray, what);
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/rili.swf");
    QFile::remove(path);
    if (!what.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(what);
    }
    QStringList reports;
    const auto previous = base::setReportSink(
        [&reports](const QString &, const QString &text) { reports << text; });
    TForm1 fresh;
    fresh.FormCreate();
    base::setReportSink(previous);
    QFile::remove(path);
    QVERIFY2(reports.isEmpty(), qPrintable(reports.join(QLatin1Char('\n'))));
    auto *fla = fresh.findChild<TShockwaveFlash *>(QStringLiteral("fla"));
    QVERIFY(fla);
    QCOMPARE(fla->parentWidget(), fresh.TabSheet1);
    QCOMPARE(fla->player().state(), movie::Player::State::NotRunning);
    QVERIFY(fresh.findChild<QComboBox *>(QStringLiteral("cy"))->count() > 0);
    QVERIFY(!fresh.findChild<QTextEdit *>(QStringLiteral("r1"))->toPlainText().isEmpty());
}

// The program builds the pages behind the first tab after its first frame, or at once when one of
// their tabs is chosen sooner; either way it ends as the window built whole at its creation.
void TestForm1::pagesBuiltLater_data()
{
    QTest::addColumn<int>("chosen"); // the tab chosen before the first frame
    QTest::newRow("none") << 0;
    QTest::newRow("palm") << 1;
    QTest::newRow("almanac") << 3;
}

void TestForm1::pagesBuiltLater()
{
    QFETCH(int, chosen);
    const auto names = [](const QWidget &window) {
        QStringList names;
        for (const QObject *o : window.findChildren<QObject *>())
            if (!o->objectName().isEmpty() && !o->objectName().startsWith(QLatin1String("qt_")))
                names << o->objectName();
        names.sort();
        return names;
    };
    TForm1 later(nullptr, TForm1::Pages::FirstThenOthers);
    later.FormCreate();
    QVERIFY(!later.TabSheet2 && !later.TabSheet10 && !later.TabAlmanac);
    QCOMPARE(later.PageControl1->count(), 4);
    bool ran = false;
    base::afterFirstFrame(&later, [&] {
        ran = true;
        later.buildPagesBehind();
    });
    later.showCentred();
    QVERIFY(!ran);
    if (chosen) {
        later.PageControl1->setCurrentIndex(chosen);
        QVERIFY(later.TabSheet2);
    }
    QVERIFY(QTest::qWaitForWindowExposed(&later));
    QTRY_VERIFY(ran);
    QCOMPARE(later.PageControl1->currentIndex(), chosen);
    const QWidget *const pages[]
        = {later.TabSheet1, later.TabSheet2, later.TabSheet10, later.TabAlmanac};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(later.PageControl1->widget(i), pages[i]);
    QCOMPARE(names(later), names(*form));
    // Tab goes round the same stops in the same order on every page.
    const auto tabStops = [](TForm1 &window, int tab) {
        window.PageControl1->setCurrentIndex(tab);
        QStringList stops;
        for (QWidget *w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&window))
                stops << w->objectName() + QLatin1Char(':') + w->metaObject()->className();
        // The same round, wherever the chain starts.
        std::rotate(stops.begin(), std::min_element(stops.begin(), stops.end()), stops.end());
        return stops;
    };
    for (int tab = 0; tab < 4; ++tab)
        QCOMPARE(tabStops(later, tab), tabStops(*form, tab));
    later.PageControl1->setCurrentIndex(chosen);
    QCOMPARE(later.TabSheet1->cbPlace->count(), form->TabSheet1->cbPlace->count());
    QCOMPARE(later.TabSheet1->m1->font(), form->TabSheet1->m1->font());
    // What the start-up steps read for the palm page reached it.
    QCOMPARE(later.TabSheet2->TabSheet9->r1->toPlainText(),
             form->TabSheet2->TabSheet9->r1->toPlainText());
    const auto memo = [](const QWidget &window) {
        return window.findChild<QPlainTextEdit *>(QStringLiteral("m2"))->toPlainText();
    };
    QVERIFY(!memo(later).isEmpty());
    QCOMPARE(memo(later), memo(*form));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
