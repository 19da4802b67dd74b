// The almanac tab through the real window, on days the test sets (base::setToday) and a time of day
// it sets (AlmanacPage::setClock). The card is judged by calendar/ and, for the weekday, the lunar
// date and the solar terms, by the Hong Kong Observatory's table. CTest runs the suite at 100 % and
// 200 % and in the three editions (tests/almanac.cmake).

#include "almanac/almanacpage.h"
#include "app/form1.h"
#include "app/program.h"
#include "base/today.h"
#include "calendar/almanac.h"
#include "calendar/lunar.h"
#include "calendar/solarterms.h"
#include "edition/edition.h"
#include "keep/keepmenu.h"
#include "text/openccdictionary.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace calendar;

namespace {

// The Observatory's row of a day: lunar day (the month's name on its first day), weekday, term.
QStringList hko(QDate date)
{
    static const QHash<QDate, QStringList> rows = [] {
        QHash<QDate, QStringList> rows;
        QFile file(QFINDTESTDATA("data/calendar/hko-1901-2100.csv"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("no Observatory table");
        for (const QByteArray &line : file.readAll().split('\n')) {
            QStringList cells = QString::fromUtf8(line).trimmed().split(u',');
            const QDate day = QDate::fromString(cells[0], QStringLiteral("yyyy年MM月dd日"));
            if (cells.size() == 4 && day.isValid())
                rows.insert(day, cells.mid(1));
        }
        return rows;
    }();
    return rows.value(date, {QString(), QString(), QString()});
}

QString bare(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

} // namespace

class TestAlmanacPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(); } // the desktop's edition, as the program starts
    void init();
    void cleanup();
    void cardHoldsTheDay_data();
    void cardHoldsTheDay();
    void buttonsAndPicker_data();
    void buttonsAndPicker();
    void midnight_data();
    void midnight();
    void yearOfCards();
    void keptAsPictureAndPdf();

private:
    AlmanacPage *open(QDate today);
    std::unique_ptr<TForm1> form;
};

void TestAlmanacPage::init()
{
    form = std::make_unique<TForm1>();
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestAlmanacPage::cleanup()
{
    form.reset();
    base::setToday({});
}

AlmanacPage *TestAlmanacPage::open(QDate today)
{
    base::setToday([today] { return today; });
    form->TabAlmanac->setClock([] { return QTime(12, 0); });
    form->PageControl1->setCurrentWidget(form->TabAlmanac);
    return form->TabAlmanac;
}

void TestAlmanacPage::cardHoldsTheDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::newRow("next new year") << QDate(2027, 1, 1);
    QTest::newRow("小寒 opens the 丑 month") << QDate(2027, 1, 5);
    QTest::newRow("闰六月初二") << QDate(2025, 7, 26);
    QTest::newRow("立春 before the new year") << QDate(2027, 2, 4);
    QTest::newRow("first day") << QDate(1901, 2, 19);
    QTest::newRow("last day") << QDate(2100, 12, 31);
}

void TestAlmanacPage::cardHoldsTheDay()
{
    QFETCH(QDate, day);
    QVERIFY(!form->TabAlmanac->shownDay().isValid()); // nothing made before the tab is shown
    QVERIFY(!form->TabAlmanac->midnight->isActive());
    const AlmanacPage *page = open(day);
    QCOMPARE(page->shownDay(), day);

    const AlmanacDay items = *almanacDay(day);
    const LunarDate lunar = *toLunar(day);
    QStringList expected{cycleName(items.year),
                         monthName(lunar.month, lunar.kind) + dayName(lunar.day),
                         cycleName(items.solarYear),
                         cycleName(items.month),
                         cycleName(items.day),
                         animalName(items.animal),
                         officerName(items.officer),
                         clashText(items),
                         pengzuStemSaying(items.day.stem()),
                         pengzuBranchSaying(items.day.branch())};
    // The Observatory's weekday, lunar day, the day's term or the next and the days to it.
    const QStringList row = hko(day);
    expected << row[1] << (row[0].endsWith(u'月') ? row[0] + dayName(1) : row[0]);
    QDate next = day;
    while (hko(next).at(2).isEmpty() && next.year() <= 2100)
        next = next.addDays(1);
    if (next.year() > 2100) // past the table's end: the calendar's own next term
        expected << solarTermName(nextSolarTerm(day)->term);
    else
        expected << hko(next).at(2)
                 << (next == day ? QString() : QString::number(day.daysTo(next)));
    for (const QString &said :
         {page->almanac->toPlainText(), page->almanac->accessibleDescription()})
        for (const QString &part : expected)
            QVERIFY2(said.contains(part), qPrintable(part + u'\n' + said));
}

void TestAlmanacPage::buttonsAndPicker_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("steps"); // buttons' names, or a date picked
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("next");
    const QDate day(2027, 1, 1);
    QTest::newRow("back over the year's end")
        << day << QStringList{"almanacPrevious"} << QDate(2026, 12, 31) << true << true;
    QTest::newRow("on and back to today")
        << day << QStringList{"almanacNext", "almanacNext", "almanacToday"} << day << true << true;
    QTest::newRow("stops at the first day")
        << QDate(1901, 2, 20) << QStringList{"almanacPrevious", "almanacPrevious"}
        << QDate(1901, 2, 19) << false << true;
    QTest::newRow("stops at the last day")
        << QDate(2100, 12, 30) << QStringList{"almanacNext", "almanacNext"} << QDate(2100, 12, 31)
        << true << false;
    QTest::newRow("picked") << day << QStringList{"2033-12-22"} << QDate(2033, 12, 22) << true
                            << true;
    QTest::newRow("picked past the end")
        << day << QStringList{"2101-01-05"} << QDate(2100, 12, 31) << true << false;
    QTest::newRow("today past the end")
        << QDate(2101, 3, 1) << QStringList{"almanacToday"} << QDate(2100, 12, 31) << true << false;
}

void TestAlmanacPage::buttonsAndPicker()
{
    QFETCH(QDate, today);
    QFETCH(QStringList, steps);
    QFETCH(QDate, shown);
    AlmanacPage *page = open(today);
    for (const QString &step : steps) {
        if (auto *button = page->findChild<QPushButton *>(step))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            page->almanacDate->setDate(QDate::fromString(step, Qt::ISODate));
    }
    QCOMPARE(page->shownDay(), shown);
    QCOMPARE(page->almanacDate->date(), shown);
    QTEST(page->almanacPrevious->isEnabled(), "previous");
    QTEST(page->almanacNext->isEnabled(), "next");
    QCOMPARE(page->almanacToday->isEnabled(), today.year() <= 2100);
    QVERIFY(page->almanac->toPlainText().contains(cycleName(dayCycle(shown))));
}

void TestAlmanacPage::midnight_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("daysBack"); // the day the user turned to, before today
    QTest::addColumn<QDate>("shownAfter");
    QTest::newRow("today turns into the next year")
        << QDate(2026, 12, 31) << 0 << QDate(2027, 1, 1);
    QTest::newRow("a chosen day stays") << QDate(2026, 12, 31) << 3 << QDate(2026, 12, 28);
    QTest::newRow("past the last day") << QDate(2100, 12, 31) << 0 << QDate(2100, 12, 31);
}

// The clock stands ten milliseconds before midnight: the timer must end just after it.
void TestAlmanacPage::midnight()
{
    QFETCH(QDate, today);
    QFETCH(int, daysBack);
    QFETCH(QDate, shownAfter);
    AlmanacPage *page = open(today);
    QTime time(23, 59, 59, 990);
    page->setClock([&time] { return time; });
    QVERIFY(page->midnight->isActive());
    QVERIFY2(page->midnight->interval() > 10 && page->midnight->interval() <= 100,
             qPrintable(QString::number(page->midnight->interval())));
    for (int i = 0; i < daysBack; ++i)
        QTest::mouseClick(page->almanacPrevious, Qt::LeftButton);
    const QString before = page->almanac->accessibleDescription();

    const QDate tomorrow = today.addDays(1);
    base::setToday([tomorrow] { return tomorrow; });
    time = QTime(0, 0, 0, 40);
    QTRY_COMPARE(page->midnight->interval(), 3600 * 1000); // fired; waits an hour at most
    QCOMPARE(page->shownDay(), shownAfter);
    QCOMPARE(page->almanac->accessibleDescription() != before, shownAfter == tomorrow);
    QCOMPARE(page->almanacToday->isEnabled(), tomorrow.year() <= 2100);
    QTest::mouseClick(page->almanacToday, Qt::LeftButton);
    QCOMPARE(page->shownDay(), std::min(tomorrow, QDate(2100, 12, 31)));
}

// Every card of a year, which brings every saying, officer, clash and term, fits its control
// without a scroll bar; in a Traditional edition the tab's texts leave no character that OpenCC
// only ever converts, while the Simplified edition's have them.
void TestAlmanacPage::yearOfCards()
{
    // CTest sets LANGUAGE for the Traditional runs only.
    const text::Edition edition = edition::current();
    const bool simplified = edition == text::Edition::Simplified;
    QCOMPARE(simplified, !qgetenv("LANGUAGE").startsWith("zh_"));
    AlmanacPage *page = open(QDate(2027, 1, 1));
    QString texts = form->PageControl1->tabText(3) + page->almanacDate->text();
    for (const QWidget *w : page->findChildren<QWidget *>())
        texts += w->accessibleName();
    for (const QPushButton *button : page->findChildren<QPushButton *>())
        texts += button->text();
    QStringList overflow;
    for (QDate day(2027, 1, 1); day.year() == 2027; day = day.addDays(1)) {
        page->showDay(day);
        texts += page->almanac->toPlainText() + page->almanac->accessibleDescription();
        if (page->almanac->document()->size().height() > page->almanac->viewport()->height())
            overflow << day.toString(Qt::ISODate);
    }
    QVERIFY2(overflow.isEmpty(), qPrintable(overflow.join(u' ')));
    const QSet<char32_t> only
        = text::simplifiedOnlyCharacters(simplified ? text::Edition::Taiwan : edition);
    QString left;
    for (char32_t c : texts.toUcs4())
        if (only.contains(c) && !left.contains(QString::fromUcs4(&c, 1)))
            left += QString::fromUcs4(&c, 1);
    QVERIFY2(simplified ? left.contains(u'历') && left.contains(u'节') : left.isEmpty(),
             qPrintable(left));
}

// Kept from the File menu as a reading is: a picture at the share size, and a PDF whose text
// pdftotext reads back.
void TestAlmanacPage::keptAsPictureAndPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is needed to read the PDF back");
    const AlmanacPage *page = open(QDate(2027, 1, 1));
    QTemporaryDir dir;
    QStringList suggested, told;
    form->keepMenu->askPath = [&](const QString &path, const QString &) {
        suggested << QFileInfo(path).completeBaseName();
        return dir.filePath(QFileInfo(path).fileName());
    };
    form->keepMenu->tell = [&told](const QString &message) {
        told << message;
    };
    form->keepMenu->pictureAction->trigger();
    form->keepMenu->pdfAction->trigger();
    QVERIFY2(told.isEmpty(), qPrintable(told.join(u'\n')));
    const QString stem = QCoreApplication::translate("AlmanacPage", "黄历_%1")
                             .arg(QCoreApplication::translate("KeptReading", "%1年%2月%3日")
                                      .arg(2027)
                                      .arg(1)
                                      .arg(1));
    QCOMPARE(suggested, QStringList({stem, stem}));
    QCOMPARE(QImage(dir.filePath(stem + QStringLiteral(".png"))).width(), 1080);

    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                             dir.filePath(stem + QStringLiteral(".pdf")), QStringLiteral("-")});
    QVERIFY(reader.waitForFinished());
    const QString pdf = bare(QString::fromUtf8(reader.readAllStandardOutput()));
    // What the card says, as calendar/ gives it, and the lunar day as the Observatory has it.
    const AlmanacDay items = *almanacDay(page->shownDay());
    for (const QString &part : {cycleName(items.day), officerName(items.officer),
                                bare(clashText(items)), pengzuStemSaying(items.day.stem()).left(4),
                                hko(page->shownDay()).at(0), QStringLiteral("Lorvex2004")})
        QVERIFY2(pdf.contains(part), qPrintable(part + u'\n' + pdf));
}

QTEST_MAIN(TestAlmanacPage)
#include "tst_almanacpage.moc"
