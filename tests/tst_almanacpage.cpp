// The almanac tab through the real window, on days the test chooses (base::setToday) and a time of
// day it chooses (AlmanacPage::setClock). The card's items are checked against what calendar/
// gives for the day and, for the lunar date, the weekday and the solar terms, against the Hong
// Kong Observatory's table. CTest runs the suite at 100 % and 200 % and in the three editions.

#include "almanac/almanaccard.h"
#include "almanac/almanacpage.h"
#include "app/form1.h"
#include "app/program.h"
#include "base/today.h"
#include "calendar/almanac.h"
#include "calendar/lunar.h"
#include "calendar/solarterms.h"
#include "edition/edition.h"
#include "keep/keepmenu.h"
#include "text/hanconvert.h"

#include <QAction>
#include <QApplication>
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
#include <QtMath>

using namespace calendar;

namespace {

// The Observatory's row of a day: lunar day (or the month's name on its first day), weekday, term.
struct HkoRow
{
    QString lunar, weekday, term;
};

const QMap<QDate, HkoRow> &hkoTable()
{
    static const QMap<QDate, HkoRow> table = [] {
        QMap<QDate, HkoRow> rows;
        QFile file(QFINDTESTDATA("data/calendar/hko-1901-2100.csv"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("no Observatory table");
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QStringList cells = QString::fromUtf8(line).trimmed().split(u',');
            const QDate date = QDate::fromString(cells[0], QStringLiteral("yyyy年MM月dd日"));
            if (cells.size() == 4 && date.isValid())
                rows.insert(date, {cells[1], cells[2], cells[3]});
        }
        return rows;
    }();
    return table;
}

QString cardText(const AlmanacPage *page)
{
    return page->almanac->toPlainText();
}

} // namespace

class TestAlmanacPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cardHoldsTheDay_data();
    void cardHoldsTheDay();
    void everyDayOfTheCycleFits();
    void buttonsAndPicker_data();
    void buttonsAndPicker();
    void tabOrderAsRead();
    void midnight_data();
    void midnight();
    void editionWritesItsOwnCharacters();
    void keptAsPictureAndPdf();

private:
    AlmanacPage *open(QDate today);
    std::unique_ptr<TForm1> form;
};

void TestAlmanacPage::initTestCase()
{
    setUpApplication(); // the desktop's edition, as the program starts
}

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
    AlmanacPage *page = form->TabAlmanac;
    page->setClock([] { return QTime(12, 0); });
    form->PageControl1->setCurrentWidget(page);
    return page;
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
    // Nothing is made before the tab is first shown.
    QVERIFY(!form->TabAlmanac->shownDay().isValid());
    QVERIFY(!form->TabAlmanac->midnight->isActive());
    const AlmanacPage *page = open(day);
    QCOMPARE(page->shownDay(), day);
    const QString card = cardText(page);
    const QString spoken = page->almanac->accessibleDescription();

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
    // The Observatory's weekday, lunar day and terms.
    const HkoRow row = hkoTable().value(day);
    const bool monthStarts = row.lunar.endsWith(QStringLiteral("月"));
    expected << row.weekday << (monthStarts ? row.lunar + dayName(1) : row.lunar);
    if (!row.term.isEmpty()) {
        expected << row.term;
    } else {
        QDate next = day.addDays(1);
        while (next.year() <= 2100 && hkoTable().value(next).term.isEmpty())
            next = next.addDays(1);
        // Past the table's end, the calendar's own next term.
        const QString term = next.year() <= 2100 ? hkoTable().value(next).term
                                                 : solarTermName(nextSolarTerm(day)->term);
        if (next.year() > 2100)
            next = day.addDays(nextSolarTerm(day)->days);
        expected << term << QString::number(day.daysTo(next));
    }
    for (const QString &part : expected) {
        QVERIFY2(card.contains(part), qPrintable(part + u'\n' + card));
        QVERIFY2(spoken.contains(part), qPrintable(part + u'\n' + spoken));
    }
}

// Sixty-one days bring every stem's and branch's saying, every officer and clash, and the last
// day: each card fits its control without a scroll bar, at the scale CTest runs at.
void TestAlmanacPage::everyDayOfTheCycleFits()
{
    AlmanacPage *page = open(QDate(2100, 11, 1));
    const int room = page->almanac->viewport()->height();
    QStringList overflow;
    for (QDate day(2100, 11, 1); day <= almanac::lastAlmanacDay(); day = day.addDays(1)) {
        page->showDay(day);
        QCOMPARE(page->shownDay(), day);
        const int needs = qCeil(page->almanac->document()->size().height());
        if (needs > room)
            overflow << QStringLiteral("%1 needs %2, has %3")
                            .arg(day.toString(Qt::ISODate))
                            .arg(needs)
                            .arg(room);
    }
    QVERIFY2(overflow.isEmpty(), qPrintable(overflow.join(u'\n')));
}

void TestAlmanacPage::buttonsAndPicker_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("steps"); // a button's name, or "pick" and a date
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("next");
    const auto steps = [](const char *names) {
        return QString::fromLatin1(names).split(u' ');
    };
    QTest::newRow("back over the year's end")
        << QDate(2027, 1, 1) << steps("almanacPrevious") << QDate(2026, 12, 31) << true << true;
    QTest::newRow("on and back to today")
        << QDate(2027, 1, 1) << steps("almanacNext almanacNext almanacToday") << QDate(2027, 1, 1)
        << true << true;
    QTest::newRow("stops at the first day")
        << QDate(1901, 2, 20) << steps("almanacPrevious almanacPrevious") << QDate(1901, 2, 19)
        << false << true;
    QTest::newRow("stops at the last day")
        << QDate(2100, 12, 30) << steps("almanacNext almanacNext") << QDate(2100, 12, 31) << true
        << false;
    QTest::newRow("picked") << QDate(2027, 1, 1) << steps("pick 2033-12-22") << QDate(2033, 12, 22)
                            << true << true;
    QTest::newRow("picked past the end")
        << QDate(2027, 1, 1) << steps("pick 2101-01-05") << QDate(2100, 12, 31) << true << false;
    QTest::newRow("today past the end")
        << QDate(2101, 3, 1) << steps("almanacToday") << QDate(2100, 12, 31) << true << false;
}

void TestAlmanacPage::buttonsAndPicker()
{
    QFETCH(QDate, today);
    QFETCH(QStringList, steps);
    QFETCH(QDate, shown);
    QFETCH(bool, previous);
    QFETCH(bool, next);
    AlmanacPage *page = open(today);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (steps[i] == QStringLiteral("pick")) {
            page->almanacDate->setDate(QDate::fromString(steps[++i], Qt::ISODate));
            continue;
        }
        auto *button = page->findChild<QPushButton *>(steps[i]);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(page->shownDay(), shown);
    QCOMPARE(page->almanacDate->date(), shown);
    QCOMPARE(page->almanacPrevious->isEnabled(), previous);
    QCOMPARE(page->almanacNext->isEnabled(), next);
    QCOMPARE(page->almanacToday->isEnabled(), today <= almanac::lastAlmanacDay());
    QVERIFY(page->almanac->toPlainText().contains(cycleName(dayCycle(shown))));
}

void TestAlmanacPage::tabOrderAsRead()
{
    AlmanacPage *page = open(QDate(2027, 1, 1));
    const QStringList order{"almanacPrevious", "almanacDate", "almanacNext", "almanacToday",
                            "almanac"};
    page->almanacPrevious->setFocus(Qt::TabFocusReason);
    QStringList walked;
    // The picker takes Tab from year to month to day before it lets the focus go on.
    for (int i = 0; i < 10 && walked.size() < order.size(); ++i) {
        QWidget *focus = QApplication::focusWidget();
        while (focus && focus->parentWidget() != page)
            focus = focus->parentWidget(); // the picker's own editor counts as the picker
        QVERIFY(focus);
        if (walked.isEmpty() || walked.last() != focus->objectName())
            walked << focus->objectName();
        QVERIFY2(!focus->accessibleName().isEmpty(), qPrintable(focus->objectName()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, order);
}

void TestAlmanacPage::midnight_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("daysBack"); // the day the user looks at, before today
    QTest::addColumn<QDate>("shownAfter");
    QTest::newRow("today turns into the next year")
        << QDate(2026, 12, 31) << 0 << QDate(2027, 1, 1);
    QTest::newRow("a chosen day stays") << QDate(2026, 12, 31) << 3 << QDate(2026, 12, 28);
    QTest::newRow("past the last day") << QDate(2100, 12, 31) << 0 << QDate(2100, 12, 31);
}

// The clock stands ten milliseconds before midnight; the timer is asked to end just after it.
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
    QTRY_COMPARE(page->midnight->interval(), 3600 * 1000); // fired, and waits an hour at most
    QCOMPARE(page->shownDay(), shownAfter);
    QCOMPARE(page->almanac->accessibleDescription() != before, shownAfter == tomorrow);
    QCOMPARE(page->almanacToday->isEnabled(), tomorrow <= almanac::lastAlmanacDay());
    if (page->almanacToday->isEnabled()) {
        QTest::mouseClick(page->almanacToday, Qt::LeftButton);
        QCOMPARE(page->shownDay(), tomorrow);
    }
}

// Every text of the tab over a year of cards, collected in the desktop's edition: a Traditional
// one leaves no character OpenCC only ever converts; the Simplified one has them.
void TestAlmanacPage::editionWritesItsOwnCharacters()
{
    const QByteArray expected = qgetenv("LORVEX_EXPECTED_EDITION");
    const text::Edition edition = edition::current();
    QCOMPARE(QByteArray(edition == text::Edition::Taiwan     ? "tw"
                        : edition == text::Edition::HongKong ? "hk"
                                                             : "zh-Hans"),
             expected.isEmpty() ? QByteArray("zh-Hans") : expected);
    AlmanacPage *page = open(QDate(2027, 1, 1));
    QString texts = form->PageControl1->tabText(3);
    for (const QWidget *w : page->findChildren<QWidget *>())
        texts += w->accessibleName();
    for (const QPushButton *button : page->findChildren<QPushButton *>())
        texts += button->text();
    texts += page->almanacDate->text();
    for (QDate day(2027, 1, 1); day.year() == 2027; day = day.addDays(1)) {
        page->showDay(day);
        texts += cardText(page) + page->almanac->accessibleDescription();
    }
    const QSet<char32_t> simplifiedOnly = text::simplifiedOnlyCharacters(
        edition == text::Edition::Simplified ? text::Edition::Taiwan : edition);
    QString left;
    for (char32_t c : texts.toUcs4())
        if (simplifiedOnly.contains(c) && !left.contains(QString::fromUcs4(&c, 1)))
            left += QString::fromUcs4(&c, 1);
    if (edition == text::Edition::Simplified)
        QVERIFY2(left.contains(u'历') && left.contains(u'节'), qPrintable(left));
    else
        QVERIFY2(left.isEmpty(), qPrintable(left));
}

// Kept from the File menu as a reading is: a picture at the share size, and a PDF whose text
// pdftotext reads back.
void TestAlmanacPage::keptAsPictureAndPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is needed to read the PDF back");
    AlmanacPage *page = open(QDate(2027, 1, 1));
    QVERIFY(form->keepMenu->pdfAction->isEnabled());
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
    QCOMPARE(reader.exitCode(), 0);
    const auto bare = [](QString text) {
        return text.remove(QRegularExpression(QStringLiteral("\\s")));
    };
    const QString pdf = bare(QString::fromUtf8(reader.readAllStandardOutput()));
    const almanac::AlmanacCard card = *almanac::almanacCard(page->shownDay());
    QStringList parts{card.heading, card.lunar, QStringLiteral("Lorvex2004")};
    for (const almanac::CardLine &line : card.lines)
        parts << line.value;
    for (const QString &part : parts)
        QVERIFY2(pdf.contains(bare(part)), qPrintable(part + u'\n' + pdf));
}

QTEST_MAIN(TestAlmanacPage)
#include "tst_almanacpage.moc"
