// The palm introduction page: the chart toggle and the state it keeps, the introduction as the
// page shows it (formatted RTF, plain GBK, our own sxjj.txt fitting the area whole), and a
// missing or unreadable file through the start-up steps and the error report.

#include "app/startup.h"
#include "base/errorreport.h"
#include "base/picturelabel.h"
#include "palm/palmintropage.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QWheelEvent>

class TestPalmIntroPage : public QObject
{
    Q_OBJECT
private slots:
    void chartToggle_data();
    void chartToggle();
    void titleLiesOverTheText();
    void introduction_data();
    void introduction();
    void ourIntroductionFitsWhole();
    void wheelScrollsALongerText();
    void aLongerTextOpensAtItsTop_data();
    void aLongerTextOpensAtItsTop();
    void unreadableFile_data();
    void unreadableFile();
};

void TestPalmIntroPage::chartToggle_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("palacesShown");
    for (int clicks : {0, 1, 2, 3})
        QTest::addRow("%d clicks", clicks) << clicks << (clicks % 2 == 1);
}

// Clicks on whichever chart is shown; hiding and showing the page (a sub-tab or top-tab change)
// keeps the chart that was shown last.
void TestPalmIntroPage::chartToggle()
{
    QFETCH(int, clicks);
    QFETCH(bool, palacesShown);
    PalmIntroPage page;
    page.show();
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(page.i1->isVisible() ? page.i1 : page.i2, Qt::LeftButton);
    page.hide();
    page.show();
    QCOMPARE(page.i2->isVisible(), palacesShown);
    QCOMPARE(page.i1->isVisible(), !palacesShown);
    QCOMPARE(page.i1->geometry(), page.i2->geometry());
}

void TestPalmIntroPage::titleLiesOverTheText()
{
    PalmIntroPage page;
    page.show();
    const QPoint onTitle = page.StaticText1->geometry().center();
    QVERIFY(page.r1->geometry().contains(onTitle));
    QCOMPARE(page.childAt(onTitle), page.StaticText1);
}

void TestPalmIntroPage::introduction_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("boldStart");

    QTest::newRow("rtf") << QByteArray(R"({\rtf1\ansi\ansicpg936{\b \'d5\'c6}\'ce\'c6\par x})")
                         << QStringLiteral("掌纹\nx") << true;
    QTest::newRow("plain gbk") << QByteArray("{\\b \xd5\xc6}\r\n\xce\xc6")
                               << QStringLiteral("{\\b 掌}\n纹") << false;
    QTest::newRow("empty") << QByteArray() << QString() << false;
}

void TestPalmIntroPage::introduction()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, boldStart);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sxjj.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    PalmIntroPage page;
    page.loadIntroduction(path);
    QCOMPARE(page.r1->toPlainText(), text);
    // An empty document has no first fragment: asking an end iterator for one is undefined.
    const QTextBlock::iterator first = page.r1->document()->begin().begin();
    QCOMPARE(!first.atEnd() && first.fragment().charFormat().fontWeight() == QFont::Bold,
             boldStart);
    QVERIFY(page.r1->isReadOnly());
}

// The file we ship, shown at the real size: whole, with no scroll, below the title, in colour.
void TestPalmIntroPage::ourIntroductionFitsWhole()
{
    PalmIntroPage page;
    page.loadIntroduction(QFINDTESTDATA("../assets/sxjj.txt"));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    const QString text = page.r1->toPlainText();
    for (const QString &name : {QStringLiteral("天纹"), QStringLiteral("家风纹"),
                                QStringLiteral("巽"), QStringLiteral("乾"), QStringLiteral("右手")})
        QVERIFY2(text.contains(name), qPrintable(name));
    QCOMPARE(page.r1->verticalScrollBar()->maximum(), 0);

    QTextDocument *document = page.r1->document();
    QTextBlock firstText = document->begin();
    while (firstText.isValid() && firstText.text().isEmpty())
        firstText = firstText.next();
    QVERIFY(firstText.isValid());
    const int titleBottom = page.StaticText1->geometry().bottom() - page.r1->geometry().top();
    QVERIFY(document->documentLayout()->blockBoundingRect(firstText).top() > titleBottom);
    QCOMPARE(firstText.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    QVERIFY(document->lastBlock().previous().begin().fragment().charFormat().hasProperty(
        QTextFormat::ForegroundBrush));
}

void TestPalmIntroPage::wheelScrollsALongerText()
{
    PalmIntroPage page;
    page.r1->setPlainText(QString(200, u'\n'));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(!page.r1->verticalScrollBar()->isVisible());
    QWheelEvent wheel(QPointF(10, 10), page.r1->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(page.r1->viewport(), &wheel);
    QVERIFY(page.r1->verticalScrollBar()->value() > 0);
}

// A user's own introduction longer than the area shows its beginning, plain or RTF, and still
// after the 繁體 editions' conversion has been through it.
void TestPalmIntroPage::aLongerTextOpensAtItsTop_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray plain, rtf("{\\rtf1\\ansi ");
    for (int line = 1; line <= 120; ++line) {
        plain += "line " + QByteArray::number(line) + "\r\n";
        rtf += "line " + QByteArray::number(line) + "\\par\n";
    }
    QTest::newRow("plain") << plain;
    QTest::newRow("RTF") << rtf + "}";
}

void TestPalmIntroPage::aLongerTextOpensAtItsTop()
{
    QFETCH(QByteArray, bytes);
    PalmIntroPage page;
    page.showIntroduction(bytes);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(page.r1->verticalScrollBar()->maximum() > 0);
    QTRY_COMPARE(page.r1->verticalScrollBar()->value(), 0);
    // The document changed again, as a conversion changes it: back at the top.
    page.r1->verticalScrollBar()->setValue(100);
    QTextCursor(page.r1->document()).insertText(u"line 0\n"_qs);
    QTRY_COMPARE(page.r1->verticalScrollBar()->value(), 0);
}

void TestPalmIntroPage::unreadableFile_data()
{
    QTest::addColumn<bool>("asFolder");
    QTest::newRow("missing") << false;
    QTest::newRow("a folder of that name") << true;
}

// The start-up step fails with the file-open message, shown once with its full stop; the steps
// after it are skipped; r1 shows nothing and the chart still turns.
void TestPalmIntroPage::unreadableFile()
{
    QFETCH(bool, asFolder);
    QTemporaryDir folder;
    const QString path = QDir::toNativeSeparators(folder.filePath(QStringLiteral("sxjj.txt")));
    if (asFolder)
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sxjj.txt")));

    QStringList reports;
    const base::ReportSink previous = base::setReportSink(
        [&](const QString &caption, const QString &text) { reports << caption + u'|' + text; });
    PalmIntroPage page;
    page.show();
    bool laterStepRan = false;
    const int done = runStartupSteps({{QStringLiteral("introduction"),
                                       [&] {
                                           page.loadIntroduction(path);
                                       }},
                                      {QStringLiteral("later"), [&] {
                                           laterStepRan = true;
                                       }}});
    base::setReportSink(previous);

    QCOMPARE(done, 0);
    QVERIFY(!laterStepRan);
    QCOMPARE(reports.size(), 1);
    const QString prefix = QStringLiteral("Lorvex 2004|Cannot open file \"%1\". ").arg(path);
    QVERIFY2(reports[0].startsWith(prefix) && reports[0].size() > prefix.size() + 1,
             qPrintable(reports[0]));
    QVERIFY2(reports[0].endsWith(u'.') && !reports[0].endsWith(QStringLiteral("..")),
             qPrintable(reports[0]));
    QCOMPARE(page.r1->toPlainText(), QString());
    QTest::mouseClick(page.i1, Qt::LeftButton);
    QVERIFY(page.i2->isVisible());
}

QTEST_MAIN(TestPalmIntroPage)
#include "tst_palmintropage.moc"
