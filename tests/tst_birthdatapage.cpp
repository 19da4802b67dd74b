#include "app/form1.h"
#include "app/program.h"
#include "base/errorreport.h"
#include "base/today.h"
#include "boneweight/birthdatapage.h"
#include "boneweight/plainwords.h"
#include "boneweight/verses.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Drives the real first tab of the real window, finding its controls by name.
class TestBirthDataPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsAfterStartUp();
    void layout();
    void readings_data();
    void readings();
    void typedTextIsReadAsItStands_data();
    void typedTextIsReadAsItStands();
    void promptLeavesTheVerse();
    void clickInVerseReckonsAgain();
    void focusOrder();
    void plainWords();
    void gregorianReadings_data();
    void gregorianReadings();
    void gregorianRefusals_data();
    void gregorianRefusals();
    void calendarChoiceKeepsWhatWasTyped();
    void calendarChoiceByKeyboard();
    void birthReadings_data();
    void birthReadings();
    void placeSearch();
    void nextLunarBirthday_data();
    void nextLunarBirthday();

private:
    QComboBox *list(const char *name) { return page->findChild<QComboBox *>(name); }
    void choose(const QStringList &items);
    void type(QComboBox *box, const QString &text);
    void choosePlace(const QString &place);
    void reckon() { QTest::mouseClick(page->b1, Qt::LeftButton); }
    std::unique_ptr<TForm1> form;
    BirthDataPage *page = nullptr;
    QLabel *l1 = nullptr;
    QPlainTextEdit *m1 = nullptr;
    QStringList reports;
    base::ReportSink previousSink;
};

void TestBirthDataPage::init()
{
    setUpApplication();
    reports.clear();
    previousSink
        = base::setReportSink([this](const QString &, const QString &text) { reports << text; });
    form = std::make_unique<TForm1>();
    form->FormCreate();
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    page = form->findChild<BirthDataPage *>(QStringLiteral("TabSheet1"));
    QVERIFY(page);
    l1 = page->findChild<QLabel *>(QStringLiteral("l1"));
    m1 = page->findChild<QPlainTextEdit *>(QStringLiteral("m1"));
    QVERIFY(l1 && m1);
}

void TestBirthDataPage::cleanup()
{
    form.reset();
    base::setToday({});
    base::setReportSink(previousSink);
}

// Picks list items by their text; an entry that is not an item is typed instead.
void TestBirthDataPage::choose(const QStringList &texts)
{
    const char *names[] = {"cy", "cm", "cd", "ch", "cf"};
    for (int i = 0; i < 5; ++i) {
        QComboBox *box = list(names[i]);
        const int index = box->findText(texts[i]);
        if (index >= 0) {
            box->setCurrentIndex(index);
        } else {
            type(box, texts[i]);
        }
        QCOMPARE(box->currentText(), texts[i]);
    }
}

// Typed as a user would, text that no key code spells included (Chinese, emoji).
void TestBirthDataPage::type(QComboBox *box, const QString &text)
{
    box->lineEdit()->clear();
    if (!text.isEmpty()) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(box->lineEdit(), &typed);
    }
}

// A place of the table by its untranslated name, picked from the list; any other text typed.
void TestBirthDataPage::choosePlace(const QString &place)
{
    if (const calendar::Place *listed = calendar::placeNamed(place))
        page->cbPlace->setCurrentIndex(
            page->cbPlace->findData(int(listed - calendar::places().data())));
    else
        type(page->cbPlace, place);
}

void TestBirthDataPage::listsAfterStartUp()
{
    const int thisYear = QDate::currentDate().year();
    QComboBox *cy = list("cy");
    QCOMPARE(cy->count(), thisYear - 1880 + 1);
    QCOMPARE(cy->itemText(0), QStringLiteral("%1年").arg(thisYear));
    QCOMPARE(cy->itemText(cy->count() - 1), QStringLiteral("1880年"));
    QCOMPARE(list("cm")->count(), 12);
    QCOMPARE(list("cm")->itemText(0), QStringLiteral("1月"));
    QCOMPARE(list("cm")->itemText(11), QStringLiteral("12月"));
    QCOMPARE(list("cd")->count(), 31);
    QCOMPARE(list("cd")->itemText(30), QStringLiteral("31日"));
    QCOMPARE(list("ch")->count(), 24);
    QCOMPARE(list("ch")->itemText(0), QStringLiteral("0"));
    QCOMPARE(list("ch")->itemText(23), QStringLiteral("23"));
    QCOMPARE(list("cf")->count(), 60);
    QCOMPARE(list("cf")->itemText(0), QStringLiteral("00"));
    QCOMPARE(list("cf")->itemText(9), QStringLiteral("09"));
    QCOMPARE(list("cf")->itemText(59), QStringLiteral("59"));
    // The placeholders are the lists' texts, not items.
    const QStringList placeholders = {"出生年份", "月份", "日期", "时", "分"};
    const char *names[] = {"cy", "cm", "cd", "ch", "cf"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(list(names[i])->currentText(), placeholders[i]);
        QCOMPARE(list(names[i])->findText(placeholders[i]), -1);
    }
    QCOMPARE(l1->text(), QString());
    QCOMPARE(m1->toPlainText(), QString());
}

void TestBirthDataPage::layout()
{
    auto geometryOf = [this](const char *name) {
        return page->findChild<QWidget *>(QString::fromLatin1(name))->geometry();
    };
    QCOMPARE(geometryOf("Panel11"), QRect(0, 0, 625, 115));
    QCOMPARE(geometryOf("GroupBox2"), QRect(254, 8, 337, 59));
    QCOMPARE(geometryOf("cy"), QRect(16, 24, 80, 21));
    QCOMPARE(geometryOf("cf"), QRect(277, 24, 45, 21));
    QCOMPARE(geometryOf("b1"), QRect(504, 78, 75, 25));
    QCOMPARE(geometryOf("GroupBox1"), QRect(0, 8, 213, 279));
    QCOMPARE(geometryOf("m1"), QRect(3, 16, 204, 257));
    QCOMPARE(geometryOf("Panel12"), QRect(0, 287, 65, 127));
    QCOMPARE(geometryOf("Image218"), QRect(2, 41, 60, 80));
    QCOMPARE(page->findChild<QGroupBox *>("GroupBox2")->title(), QStringLiteral(" 出生资料 "));
    QCOMPARE(page->findChild<QGroupBox *>("GroupBox1")->title(), QStringLiteral(" 神算评命 "));
    QCOMPARE(page->findChild<QPushButton *>("b1")->text(), QStringLiteral("算一卦"));
    QCOMPARE(m1->font().pixelSize(), 27);
    QCOMPARE(l1->font().pixelSize(), 16);
    QCOMPARE(l1->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(m1->palette().color(QPalette::Base), QColor(255, 251, 240));
    QVERIFY(m1->isReadOnly());
    QCOMPARE(geometryOf("fla"), QRect(-3, 4, 705, 437));
    // Stacking, bottom to top, among the page's own children: the animation lowest of all.
    QStringList order;
    for (QObject *child : page->children())
        if (child->isWidgetType())
            order << child->objectName();
    QCOMPARE(order,
             QStringList({"fla", "Panel11", "GroupBox2", "b1", "lPlace", "cbPlace", "cbZiNextDay",
                          "cbSolarTime", "lCorrections", "lNextBirthday", "GroupBox1", "Panel12"}));
}

void TestBirthDataPage::readings_data()
{
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("total");
    QTest::newRow("1990-1-1 0:00") << QStringList{"1990年", "1月", "1日", "0", "00"}
                                   << QStringLiteral("你的命重： 3两7钱") << 37;
    QTest::newRow("heaviest") << QStringList{"1999年", "3月", "26日", "23", "59"}
                              << QStringLiteral("你的命重： 7两1钱") << 71;
    QTest::newRow("1880 whole liang")
        << QStringList{"1880年", "1月", "1日", "0", "00"} << QStringLiteral("你的命重： 4两") << 40;
    QTest::newRow("2010 empty verse") << QStringList{"2010年", "5月", "19日", "1", "00"}
                                      << QStringLiteral("你的命重： 1两6钱") << 16;
}

void TestBirthDataPage::readings()
{
    QFETCH(QStringList, choice);
    QFETCH(QString, line);
    QFETCH(int, total);
    choose(choice);
    const int yearItems = list("cy")->count();
    QTest::keyClick(list("cd"), Qt::Key_Return); // Enter on a list runs the reckoning
    QCOMPARE(l1->text(), line);
    QCOMPARE(m1->toPlainText(), VerseText(total));
    QCOMPARE(l1->pos(), QPoint(273, 82));
    QVERIFY(l1->width() > 8);
    QCOMPARE(list("cy")->count(), yearItems);
    QVERIFY(reports.isEmpty());
}

void TestBirthDataPage::typedTextIsReadAsItStands_data()
{
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QString>("report");
    QTest::newRow("letters before the year")
        << QStringList{"abcd1990", "1月", "1日", "0", "00"}
        << QStringLiteral("'abcd' is not a valid integer value.");
    QTest::newRow("emptied month") << QStringList{"1990年", "", "1日", "0", "00"}
                                   << QStringLiteral("'' is not a valid integer value.");
    QTest::newRow("emoji hour") << QStringList{"1990年", "1月", "1日", "😀", "00"}
                                << QStringLiteral("'?' is not a valid integer value.");
    QTest::newRow("full-width year") << QStringList{"１９９０", "1月", "1日", "0", "00"}
                                     << QStringLiteral("'１９' is not a valid integer value.");
}

void TestBirthDataPage::typedTextIsReadAsItStands()
{
    QFETCH(QStringList, choice);
    QFETCH(QString, report);
    // A reading first, so we can see that a failure leaves it alone.
    choose({"1990年", "1月", "1日", "0", "00"});
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    const QString line = l1->text(), verse = m1->toPlainText();
    const int yearItems = list("cy")->count();

    choose(choice);
    QTest::keyClick(list("cy"), Qt::Key_Enter);
    QCOMPARE(reports, QStringList{report});
    QCOMPARE(l1->text(), line);
    QCOMPARE(m1->toPlainText(), verse);
    QCOMPARE(list("cy")->count(), yearItems); // Enter added nothing to the list
}

void TestBirthDataPage::promptLeavesTheVerse()
{
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(l1->text(), QStringLiteral("请输入出生资料!"));
    QCOMPARE(m1->toPlainText(), QString());

    choose({"1990年", "1月", "1日", "0", "00"});
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(m1->toPlainText(), VerseText(37));
    list("cf")->setEditText(QStringLiteral("分"));
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(l1->text(), QStringLiteral("请输入出生资料!"));
    QCOMPARE(m1->toPlainText(), VerseText(37));
}

void TestBirthDataPage::clickInVerseReckonsAgain()
{
    choose({"1999年", "3月", "26日", "23", "00"});
    QTest::mouseClick(m1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(l1->text(), QStringLiteral("你的命重： 7两1钱"));
    QCOMPARE(m1->toPlainText(), VerseText(71));
}

void TestBirthDataPage::focusOrder()
{
    QStringList order;
    QWidget *w = list("cy");
    for (int i = 0; i < 11; ++i) {
        order << w->objectName();
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty()
                 || w->objectName().startsWith(QLatin1String("qt_")));
    }
    QCOMPARE(order, QStringList({"cy", "cm", "cd", "ch", "cf", "cbPlace", "cbZiNextDay",
                                 "cbSolarTime", "b1", "bPlain", "m1"}));
}

// 白话 shows what the verse says and the verse again; every reckoning starts on the verse, and a
// kept reading carries both.
void TestBirthDataPage::plainWords()
{
    auto *plain = page->findChild<QPushButton *>(QStringLiteral("bPlain"));
    QVERIFY(plain && !plain->isEnabled());
    choose({"1990年", "1月", "1日", "0", "00"}); // 3两7钱
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QVERIFY(plain->isEnabled());
    QCOMPARE(m1->toPlainText(), VerseText(37));
    QTest::mouseClick(plain, Qt::LeftButton);
    const QString words = QString::fromUtf8(PlainWords(37));
    QCOMPARE(m1->toPlainText(), words);
    const ReadingInFront kept = page->keptReading();
    QVERIFY(kept.reading && kept.reading->text.contains(words));
    QVERIFY(kept.reading->text.startsWith(VerseText(37).left(4)));
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(m1->toPlainText(), VerseText(37));
    QVERIFY(!plain->isChecked());
}

void TestBirthDataPage::gregorianReadings_data()
{
    // The lunar dates as the Hong Kong Observatory's table gives them, the weights as the tables
    // of the reading give them, summer time as zdump -v Asia/Shanghai lists it.
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("converted");
    QTest::newRow("1984 Spring Festival")
        << QStringList{"1984年", "2月", "2日", "10", "30"} << QStringLiteral("你的命重： 4两") << 40
        << QStringLiteral("农历1984年正月初一 巳时 · 甲子年（属鼠）"); // 12 + 6 + 6 + 16
    QTest::newRow("the first day of the range")
        << QStringList{"1901年", "2月", "19日", "0", "00"} << QStringLiteral("你的命重： 3两5钱")
        << 35 << QStringLiteral("农历1901年正月初一 子时 · 辛丑年（属牛）"); // 7 + 6 + 6 + 16
    QTest::newRow("leap month 闰二月 weighs as 二月")
        << QStringList{"2004年", "3月", "29日", "9", "00"} << QStringLiteral("你的命重： 3两6钱")
        << 36 << QStringLiteral("农历2004年闰二月初九 巳时 · 甲申年（属猴）"); // 5 + 7 + 8 + 16
    QTest::newRow("2033 闰十一月, a year past the table")
        << QStringList{"2033年", "12月", "22日", "12", "00"} << QStringLiteral("你的命重： 2两3钱")
        << 23 << QStringLiteral("农历2033年闰十一月初一 午时 · 癸丑年（属牛）"); // 0 + 9 + 6 + 8
    QTest::newRow("summer time")
        << QStringList{"1990年", "8月", "15日", "14", "20"} << QStringLiteral("你的命重： 3两7钱")
        << 37
        << QStringLiteral(
               "农历1990年六月廿五 未时 · 庚午年（属马） · 已按夏令时减一小时"); // 9+5+15+8
    QTest::newRow("summer time back across midnight")
        << QStringList{"1988年", "5月", "1日", "0", "10"} << QStringLiteral("你的命重： 5两6钱")
        << 56
        << QStringLiteral(
               "农历1988年三月十五 子时 · 戊辰年（属龙） · 已按夏令时减一小时"); // 12+18+10+16
}

void TestBirthDataPage::gregorianReadings()
{
    QFETCH(QStringList, choice);
    QFETCH(QString, line);
    QFETCH(int, total);
    QFETCH(QString, converted);
    auto *lConverted = page->findChild<QLabel *>(QStringLiteral("lConverted"));
    QVERIFY(lConverted);
    QTest::mouseClick(page->findChild<QRadioButton *>("rbSolar"), Qt::LeftButton);
    choose(choice);
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(l1->text(), line);
    QCOMPARE(m1->toPlainText(), VerseText(total));
    QCOMPARE(lConverted->text(), converted);
    QVERIFY(reports.isEmpty());
    QVERIFY(page->lastReading());
    QCOMPARE(page->lastReading()->calendar, BirthCalendar::Gregorian);
    QCOMPARE(page->lastReading()->converted, converted);
    QCOMPARE(page->lastReading()->data.Day, choice[2].chopped(1).toInt());

    // The same choice read as lunar is today's reading, and says nothing of a conversion.
    QTest::mouseClick(page->findChild<QRadioButton *>("rbLunar"), Qt::LeftButton);
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(lConverted->text(), QString());
    QCOMPARE(page->lastReading()->calendar, BirthCalendar::Lunar);
    QCOMPARE(page->lastReading()->weightLine, l1->text());
    QCOMPARE(l1->pos(), QPoint(273, 82));
}

void TestBirthDataPage::gregorianRefusals_data()
{
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("report");
    const QString range = QStringLiteral("农历换算只收1901年2月19日至2100年的生日");
    QTest::newRow("30 February") << QStringList{"1990年", "2月", "30日", "8", "00"}
                                 << QStringLiteral("1990年2月没有30日") << QString();
    QTest::newRow("31 April") << QStringList{"2000年", "4月", "31日", "8", "00"}
                              << QStringLiteral("2000年4月没有31日") << QString();
    QTest::newRow("29 February 1900")
        << QStringList{"1900年", "2月", "29日", "8", "00"} << range << QString();
    QTest::newRow("the day before the range")
        << QStringList{"1901年", "2月", "18日", "23", "59"} << range << QString();
    QTest::newRow("typed month 13") << QStringList{"1990年", "13", "1日", "8", "00"}
                                    << QStringLiteral("1990年没有13月") << QString();
    QTest::newRow("typed hour 24") << QStringList{"1990年", "1月", "1日", "24", "00"}
                                   << QStringLiteral("一天只有0至23时，没有24时") << QString();
    QTest::newRow("incomplete") << QStringList{"1990年", "1月", "1日", "8", "分"}
                                << QStringLiteral("请输入出生资料!") << QString();
    // A part that is not a number stays the failure it is in a lunar reckoning.
    QTest::newRow("letters before the year")
        << QStringList{"abcd1990", "1月", "1日", "0", "00"} << QStringLiteral("你的命重： 3两5钱")
        << QStringLiteral("'abcd' is not a valid integer value.");
}

void TestBirthDataPage::gregorianRefusals()
{
    QFETCH(QStringList, choice);
    QFETCH(QString, line);
    QFETCH(QString, report);
    auto *lConverted = page->findChild<QLabel *>(QStringLiteral("lConverted"));
    QTest::mouseClick(page->findChild<QRadioButton *>("rbSolar"), Qt::LeftButton);
    choose({"1992年", "2月", "4日", "0", "00"}); // 1992-02-04: 正月初一, 7 + 6 + 6 + 16
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(m1->toPlainText(), VerseText(35));
    const std::optional<ShownReading> reading = page->lastReading();

    choose(choice);
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QCOMPARE(l1->text(), line);
    QCOMPARE(reports, report.isEmpty() ? QStringList() : QStringList{report});
    QCOMPARE(m1->toPlainText(), VerseText(35)); // no reading: the verse stays
    QCOMPARE(page->lastReading()->data.Year, reading->data.Year);
    if (report.isEmpty())
        QCOMPARE(lConverted->text(), QString());
    // A refusal too long for the room before b1 takes a second line, never b1's place.
    QVERIFY(l1->geometry().right() < 504);
    QVERIFY(page->findChild<QWidget *>("Panel11")->rect().contains(l1->geometry()));
}

void TestBirthDataPage::calendarChoiceKeepsWhatWasTyped()
{
    auto *rbLunar = page->findChild<QRadioButton *>("rbLunar");
    auto *rbSolar = page->findChild<QRadioButton *>("rbSolar");
    QVERIFY(rbLunar->isChecked() && !rbSolar->isChecked());
    choose({"1990年", "8月", "15日", "14", "20"});
    QTest::mouseClick(rbSolar, Qt::LeftButton);
    QVERIFY(rbSolar->isChecked() && !rbLunar->isChecked());
    QCOMPARE(list("cy")->currentText(), QStringLiteral("1990年"));
    QCOMPARE(list("cf")->currentText(), QStringLiteral("20"));
    QCOMPARE(l1->text(), QString());
    QTest::mouseClick(page->findChild<QPushButton *>("b1"), Qt::LeftButton);
    QTest::mouseClick(rbLunar, Qt::LeftButton);
    QCOMPARE(l1->text(), QStringLiteral("你的命重： 3两7钱")); // still the reading shown
    QCOMPARE(list("cd")->currentText(), QStringLiteral("15日"));
}

void TestBirthDataPage::calendarChoiceByKeyboard()
{
    auto *rbLunar = page->findChild<QRadioButton *>("rbLunar");
    auto *rbSolar = page->findChild<QRadioButton *>("rbSolar");
    QCOMPARE(rbLunar->accessibleName(), QStringLiteral("出生日期为农历"));
    QCOMPARE(rbSolar->accessibleName(), QStringLiteral("出生日期为公历"));
    list("cy")->setFocus(Qt::BacktabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), rbLunar); // the checked one is the Tab stop
    QTest::keyClick(rbLunar, Qt::Key_Right);
    QVERIFY(rbSolar->isChecked());
    QCOMPARE(QApplication::focusWidget(), rbSolar);
    choose({"1990年", "8月", "15日", "14", "20"});
    QTest::keyClick(rbSolar, Qt::Key_Return); // Enter on the choice reckons, as on the lists
    QCOMPARE(l1->text(), QStringLiteral("你的命重： 3两7钱"));
    QVERIFY(page->findChild<QLabel *>("lConverted")->text().startsWith(u"农历1990年六月廿五 未时"));
    QTest::keyClick(rbSolar, Qt::Key_Tab);
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus == list("cy") || list("cy")->isAncestorOf(focus)); // then the lists, year first
}

void TestBirthDataPage::birthReadings_data()
{
    // Summer time as zdump -v lists each zone; true solar time from the longitude (four minutes a
    // degree from 120°E) and the equation of time of tests/data/solartime (astropy); 2024-02-09
    // is 腊月三十 and the 10th 正月初一 (Hong Kong Observatory).
    QTest::addColumn<QString>("place"); // untranslated name, typed longitude, or 农历 for none
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<QString>("options"); // "solar", "zi": the boxes ticked
    QTest::addColumn<QDate>("day");       // whose lunar date is weighed
    QTest::addColumn<int>("hour");        // the hour weighed
    QTest::addColumn<QString>("says");    // "summer", "note", "next": what the reading carries
    const auto row = [](const char *tag, const QString &place, const QStringList &choice,
                        const char *options, QDate day, int hour, const char *says) {
        QTest::newRow(tag) << place << choice << QString::fromLatin1(options) << day << hour
                           << QString::fromLatin1(says);
    };
    row("Beijing 1988", u"北京"_s, {"1988年", "7月", "1日", "12", "30"}, "", {1988, 7, 1}, 11,
        "summer");
    row("Taipei 1988", u"台北"_s, {"1988年", "7月", "1日", "12", "30"}, "", {1988, 7, 1}, 12, "");
    row("Hong Kong 1965", u"香港"_s, {"1965年", "7月", "15日", "12", "30"}, "", {1965, 7, 15}, 11,
        "summer");
    row("Macau 1975", u"澳门"_s, {"1975年", "8月", "1日", "0", "30"}, "", {1975, 7, 31}, 23,
        "summer");
    row("Taipei 1955", u"台北"_s, {"1955年", "6月", "10日", "13", "10"}, "", {1955, 6, 10}, 12,
        "summer");
    // 23:30 − 129.6 (87.60°E) − 14.1 = 21:06, 亥时.
    row("Ürümqi, true solar time", u"乌鲁木齐"_s, {"2024年", "2月", "15日", "23", "30"}, "solar",
        {2024, 2, 15}, 21, "");
    // 0:30 after summer time, − 129.6 − 6.0 = 22:15 the day before.
    row("Ürümqi 1988", u"乌鲁木齐"_s, {"1988年", "7月", "16日", "1", "30"}, "solar", {1988, 7, 15},
        22, "summer");
    // 12:00 − 63.7 (104.07°E) − 12.4 = 10:44, 巳时 rather than the clock's 午时.
    row("Chengdu 2027, the sun", u"成都"_s, {"2027年", "3月", "1日", "12", "00"}, "solar",
        {2027, 3, 1}, 10, "");
    row("Chengdu 2027, the clock", u"成都"_s, {"2027年", "3月", "1日", "12", "00"}, "",
        {2027, 3, 1}, 12, "");
    row("typed longitude", u"东经104.1"_s, {"2027年", "3月", "1日", "12", "00"}, "solar",
        {2027, 3, 1}, 10, "");
    row("Beijing 1949", u"北京"_s, {"1949年", "9月", "30日", "12", "00"}, "", {1949, 9, 30}, 12,
        "note");
    row("公历 23:30", u"北京"_s, {"2024年", "2月", "9日", "23", "30"}, "", {2024, 2, 9}, 23, "");
    row("公历 23:30, 23点换日", u"北京"_s, {"2024年", "2月", "9日", "23", "30"}, "zi",
        {2024, 2, 10}, 23, "next");
    row("农历 23:30", u"农历"_s, {"2023年", "12月", "30日", "23", "30"}, "", {2024, 2, 9}, 23, "");
    row("农历 23:30, 23点换日", u"农历"_s, {"2023年", "12月", "30日", "23", "30"}, "zi",
        {2024, 2, 10}, 23, "next");
}

void TestBirthDataPage::birthReadings()
{
    QFETCH(QString, place);
    QFETCH(QStringList, choice);
    QFETCH(QString, options);
    QFETCH(QDate, day);
    QFETCH(int, hour);
    QFETCH(QString, says);
    const bool lunar = place == u"农历", solar = options.contains(u"solar");
    if (!lunar) {
        QTest::mouseClick(page->rbSolar, Qt::LeftButton);
        QVERIFY(!page->cbSolarTime->isEnabled()); // 未指定: no place to take the sun's time at
        choosePlace(place);
    }
    page->cbSolarTime->setChecked(solar);
    page->cbZiNextDay->setChecked(options.contains(u"zi"));
    choose(choice);
    QTest::keyClick(page->cbPlace, Qt::Key_Return);

    QVERIFY(reports.isEmpty());
    const ShownReading &shown = *page->lastReading();
    QCOMPARE(shown.lunar.date, *calendar::toLunar(day));
    QCOMPARE(shown.lunar.hour, hour);
    QCOMPARE(shown.lunar.summerTime == calendar::SummerTime::TakenBack, says.contains(u"summer"));
    QCOMPARE(shown.lunar.solar.has_value(), solar);
    QCOMPARE(shown.lunar.note == calendar::ClockNote::LocalClocksDiffered, says.contains(u"note"));
    QCOMPARE(shown.lunar.countedNextDay, says.contains(u"next"));
    QCOMPARE(shown.total, totalWeight(shown.lunar));
    QCOMPARE(shown.place, calendar::placeNamed(place));
    // A lunar pick read as it stands shows nothing more than before.
    QCOMPARE(page->lConverted->text().isEmpty(), lunar && !shown.lunar.countedNextDay);
    // The card: the birth, the place with its longitude, then every line of the conversion.
    const KeptReading kept = *page->keptReading().reading;
    const QStringList conversion = page->lConverted->text().isEmpty()
                                       ? QStringList()
                                       : QStringList{page->lConverted->text()} + shown.placeNotes;
    QCOMPARE(kept.facts.size(), 1 + int(shown.longitude.has_value()) + conversion.size());
    QCOMPARE(kept.facts.mid(kept.facts.size() - conversion.size()), conversion);
    if (shown.longitude)
        QVERIFY(kept.facts[1].contains(QString::number(*shown.longitude, 'f', 2)));
}

void TestBirthDataPage::placeSearch()
{
    QTest::mouseClick(page->rbSolar, Qt::LeftButton);
    QCOMPARE(page->placeChoice().kind, PlaceChoice::Unspecified);
    // 未指定 is the reading without a place, kept card and all.
    choose({"1990年", "8月", "15日", "14", "20"}); // in summer time
    reckon();
    const auto unplaced = std::get<ConvertedReading>(*reckonGregorian(page->birthTexts()));
    QCOMPARE(page->lastReading()->total, unplaced.reading.total);
    QCOMPARE(page->lConverted->text(), unplaced.converted.join(u'\n'));
    QCOMPARE(page->keptReading().reading->facts.size(), 2);

    const auto offered = [this] {
        return qobject_cast<QStringListModel *>(page->cbPlace->completer()->model())->stringList();
    };
    type(page->cbPlace, u"乌鲁"_s);
    QCOMPARE(offered().value(0), u"乌鲁木齐"_s);
    type(page->cbPlace, u"新疆"_s); // by province
    QVERIFY(offered().contains(u"喀什"_s));
    QCOMPARE(page->placeChoice().kind, PlaceChoice::Unknown);
    QVERIFY(!page->cbSolarTime->isEnabled());
    type(page->cbPlace, u"成都"_s); // a whole name without a pick
    QCOMPARE(page->placeChoice().place, calendar::placeNamed(u"成都"));
    type(page->cbPlace, u"西经73.9"_s);
    QCOMPARE(page->placeChoice().longitude, -73.9);
    // A text that is neither is refused, not read as Beijing; without 公历 it is not read.
    type(page->cbPlace, u"火星"_s);
    reckon();
    QVERIFY(!page->keptReading().reading);
    QTest::mouseClick(page->rbLunar, Qt::LeftButton);
    QVERIFY(!page->cbPlace->isVisible() && !page->cbSolarTime->isVisible());
    reckon();
    QCOMPARE(page->lastReading()->total, ::reckon(page->birthTexts())->total);
}

void TestBirthDataPage::nextLunarBirthday_data()
{
    // The days from the Hong Kong Observatory's table; 2020-06-01 is 闰四月初十.
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("birth"); // a 公历 pick when the month is June
    QTest::addColumn<QDate>("next");        // invalid: none shown
    QTest::addColumn<bool>("leapAsOrdinary");
    QTest::addColumn<bool>("thirtiethAsTwentyNinth");
    QTest::newRow("闰四月, 2027 has none")
        << QDate(2027, 1, 1) << QStringList{"2020年", "6月", "1日", "12", "00"}
        << QDate(2027, 5, 15) << true << false;
    QTest::newRow("腊月三十, a 腊月 of 29 days")
        << QDate(2026, 12, 9) << QStringList{"1990年", "12月", "30日", "8", "00"}
        << QDate(2027, 2, 5) << false << true;
    QTest::newRow("2100, the last day")
        << QDate(2100, 12, 31) << QStringList{"1990年", "12月", "1日", "8", "00"}
        << QDate(2100, 12, 31) << false << false;
    QTest::newRow("2100, 正月初一 past the calendar")
        << QDate(2100, 12, 1) << QStringList{"1990年", "1月", "1日", "8", "00"} << QDate() << false
        << false;
}

void TestBirthDataPage::nextLunarBirthday()
{
    QFETCH(QDate, today);
    QFETCH(QStringList, birth);
    QFETCH(QDate, next);
    QFETCH(bool, leapAsOrdinary);
    QFETCH(bool, thirtiethAsTwentyNinth);
    base::setToday([today] { return today; });
    page->rbSolar->setChecked(birth[1] == u"6月");
    choose(birth);
    reckon();
    const std::optional<calendar::NextBirthday> &got = page->lastReading()->nextBirthday;
    QCOMPARE(page->lNextBirthday->isVisible(), next.isValid());
    QCOMPARE(got ? got->date : QDate(), next);
    if (!got)
        return;
    QCOMPARE(got->rules.leapAsOrdinary, leapAsOrdinary);
    QCOMPARE(got->rules.thirtiethAsTwentyNinth, thirtiethAsTwentyNinth);
    if (next == QDate(2027, 2, 5)) // a Friday, as the Observatory's table has it
        QVERIFY(page->lNextBirthday->text().contains(u"星期五"));
}

QTEST_MAIN(TestBirthDataPage)
#include "tst_birthdatapage.moc"
