#include "calendar/lunar.h"
#include "calendar/summertime.h"

#include <QFile>
#include <QTest>

using namespace calendar;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(LunarDate)
Q_DECLARE_METATYPE(std::optional<LunarDate>)

// The conversion judged by the Hong Kong Observatory's table (tests/data/calendar), every day of
// it but the two months we reckon otherwise, and the summer time judged by the system's time-zone
// data.
class TestLunarCalendar : public QObject
{
    Q_OBJECT
private slots:
    void everyDayOfTheReference();
    void traps_data();
    void traps();
    void lunarToGregorianAndBack();
    void impossibleLunarDates_data();
    void impossibleLunarDates();
    void names_data();
    void names();
    void summerTime_data();
    void summerTime();
};

namespace {

LunarDate lunar(int year, int month, int day, MonthKind kind = MonthKind::Ordinary)
{
    return {year, month, kind, day};
}

} // namespace

void TestLunarCalendar::everyDayOfTheReference()
{
    QFile file(QFINDTESTDATA("data/calendar/hko-1901-2100.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    QCOMPARE(rows.first(), "公历日期,农历日期,星期,节气"_ba);

    // The lunar date each row stands for, counted from the table's own month names.
    std::optional<LunarDate> expected;
    int checked = 0;
    QStringList wrong; // runs of days, first to last
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows[i].isEmpty())
            continue;
        const qsizetype comma = rows[i].indexOf(',');
        const QByteArray day = rows[i].left(comma);
        // YYYY年MM月DD日: the digits are ASCII, each 年 and 月 three bytes of UTF-8.
        const QDate date(day.left(4).toInt(), day.mid(7, 2).toInt(), day.mid(12, 2).toInt());
        const QString name = QString::fromUtf8(
            rows[i].mid(comma + 1, rows[i].indexOf(',', comma + 1) - comma - 1));
        const bool firstOfMonth = name.endsWith(u'月');
        if (firstOfMonth) {
            const MonthKind kind = name.startsWith(u'闰') ? MonthKind::Leap : MonthKind::Ordinary;
            if (name == u"正月")
                expected = lunar(date.year(), 1, 1);
            else if (expected)
                expected = lunar(expected->year,
                                 expected->month + (kind == MonthKind::Leap ? 0 : 1), 1, kind);
        } else if (expected) {
            ++expected->day;
        }

        const std::optional<LunarDate> got = toLunar(date);
        if (!expected) { // the lunar year that began in 1900: out of range
            if (got)
                wrong << QString::fromUtf8(rows[i]);
            continue;
        }
        const QString ours = !got           ? QString()
                             : firstOfMonth ? monthName(got->month, got->kind)
                                            : dayName(got->day);
        if (!date.isValid() || got != expected || toGregorian(*expected) != date || ours != name) {
            const QString day = date.toString(Qt::ISODate);
            if (!wrong.isEmpty() && wrong.last().endsWith(date.addDays(-1).toString(Qt::ISODate)))
                wrong.last() = wrong.last().left(10) + u' ' + day;
            else
                wrong << day + u' ' + day;
        }
        ++checked;
    }
    // The months whose first day the Observatory gives otherwise, as calendar/README.md tells.
    QCOMPARE(wrong, QStringList({u"1906-04-23 1906-05-22"_s, u"2057-09-28 2057-10-27"_s}));
    QCOMPARE(checked, QDate(1901, 2, 19).daysTo(QDate(2100, 12, 31)) + 1);
}

void TestLunarCalendar::traps_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<std::optional<LunarDate>>("expected");
    const auto row = [](const char *name, QDate date, std::optional<LunarDate> expected) {
        QTest::newRow(name) << date << expected;
    };
    row("1954 Spring Festival", QDate(1954, 2, 3), lunar(1954, 1, 1));
    row("the eve of it", QDate(1954, 2, 2), lunar(1953, 12, 29));
    row("1987 闰六月初一", QDate(1987, 7, 26), lunar(1987, 6, 1, MonthKind::Leap));
    row("the day before it", QDate(1987, 7, 25), lunar(1987, 6, 30));
    row("2033 闰十一月初一", QDate(2033, 12, 22), lunar(2033, 11, 1, MonthKind::Leap));
    row("the day before the range", QDate(1901, 2, 18), std::nullopt);
    row("the first day", QDate(1901, 2, 19), lunar(1901, 1, 1));
    row("the last day", QDate(2100, 12, 31), lunar(2100, 12, 1));
    row("the day after", QDate(2101, 1, 1), std::nullopt);
    row("1990-08-15", QDate(1990, 8, 15), lunar(1990, 6, 25));
    row("invalid", QDate(), std::nullopt);
}

void TestLunarCalendar::traps()
{
    QFETCH(QDate, date);
    QFETCH(std::optional<LunarDate>, expected);
    QCOMPARE(toLunar(date), expected);
    if (expected)
        QCOMPARE(toGregorian(*expected), date);
}

void TestLunarCalendar::lunarToGregorianAndBack()
{
    // Every lunar date the years can hold, possible or not: the possible ones come back as they
    // went, and they are exactly as many as the days of the range.
    int found = 0;
    for (int year = 1900; year <= 2101; ++year)
        for (int month = 1; month <= 12; ++month)
            for (MonthKind kind : {MonthKind::Ordinary, MonthKind::Leap})
                for (int day = 1; day <= 30; ++day) {
                    const LunarDate date = lunar(year, month, day, kind);
                    if (const std::optional<QDate> gregorian = toGregorian(date)) {
                        QCOMPARE(toLunar(*gregorian), date);
                        ++found;
                    }
                }
    QCOMPARE(found, QDate(1901, 2, 19).daysTo(QDate(2100, 12, 31)) + 1);
    QCOMPARE(leapMonthOf(1987), 6);
    QCOMPARE(leapMonthOf(2033), 11);
    QCOMPARE(leapMonthOf(1990), 5);
    QCOMPARE(leapMonthOf(1991), 0);
    QCOMPARE(leapMonthOf(1900), std::nullopt);
}

void TestLunarCalendar::impossibleLunarDates_data()
{
    QTest::addColumn<LunarDate>("date");
    QTest::newRow("闰五月 of 1987") << lunar(1987, 5, 1, MonthKind::Leap);
    QTest::newRow("三十 of a short month") << lunar(1953, 12, 30); // 1954-02-03 is 正月初一
    QTest::newRow("day 31") << lunar(1990, 1, 31);
    QTest::newRow("day 0") << lunar(1990, 1, 0);
    QTest::newRow("month 13") << lunar(1990, 13, 1);
    QTest::newRow("past 2100-12-31") << lunar(2100, 12, 2);
    QTest::newRow("lunar 1900") << lunar(1900, 12, 30);
}

void TestLunarCalendar::impossibleLunarDates()
{
    QFETCH(LunarDate, date);
    QCOMPARE(toGregorian(date), std::nullopt);
}

void TestLunarCalendar::names_data()
{
    QTest::addColumn<QString>("ours");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1984") << stemBranch(1984) + zodiacAnimal(1984) << u"甲子鼠"_s;
    QTest::newRow("1990") << stemBranch(1990) + zodiacAnimal(1990) << u"庚午马"_s;
    QTest::newRow("1901") << stemBranch(1901) + zodiacAnimal(1901) << u"辛丑牛"_s;
    QTest::newRow("2043") << stemBranch(2043) + zodiacAnimal(2043) << u"癸亥猪"_s;
    QTest::newRow("2100") << stemBranch(2100) + zodiacAnimal(2100) << u"庚申猴"_s;
    QTest::newRow("闰十一月") << monthName(11, MonthKind::Leap) << u"闰十一月"_s;
    QTest::newRow("month 0") << monthName(0, MonthKind::Ordinary) << QString();
    QTest::newRow("day 31") << dayName(31) << QString();
    QTest::newRow("hour 23") << hourBranch(23) << u"子"_s;
    QTest::newRow("hour 0") << hourBranch(0) << u"子"_s;
    QTest::newRow("hour 1") << hourBranch(1) << u"丑"_s;
    QTest::newRow("hour 13") << hourBranch(13) << u"未"_s;
    QTest::newRow("hour 22") << hourBranch(22) << u"亥"_s;
    QTest::newRow("hour 24") << hourBranch(24) << QString();
}

void TestLunarCalendar::names()
{
    QFETCH(QString, ours);
    QFETCH(QString, expected);
    QCOMPARE(ours, expected);
}

void TestLunarCalendar::summerTime_data()
{
    // The switches as zdump -v Asia/Shanghai lists them.
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("hour");
    QTest::addColumn<QDate>("standardDate");
    QTest::addColumn<int>("standardHour");
    QTest::addColumn<bool>("takenBack");
    const auto row = [](const char *name, QDate date, int hour, QDate standardDate,
                        int standardHour, bool takenBack) {
        QTest::newRow(name) << date << hour << standardDate << standardHour << takenBack;
    };
    row("1988 summer", QDate(1988, 7, 1), 13, QDate(1988, 7, 1), 12, true);
    row("back across midnight", QDate(1988, 5, 1), 0, QDate(1988, 4, 30), 23, true);
    row("1988 winter", QDate(1988, 12, 1), 13, QDate(1988, 12, 1), 13, false);
    row("1992, none kept", QDate(1992, 7, 1), 13, QDate(1992, 7, 1), 13, false);
    row("the hour before the switch", QDate(1986, 5, 4), 1, QDate(1986, 5, 4), 1, false);
    row("the skipped hour", QDate(1986, 5, 4), 2, QDate(1986, 5, 4), 2, false);
    row("the first summer hour", QDate(1986, 5, 4), 3, QDate(1986, 5, 4), 2, true);
    row("the last summer hour", QDate(1986, 9, 14), 0, QDate(1986, 9, 13), 23, true);
    row("the hour shown twice", QDate(1986, 9, 14), 1, QDate(1986, 9, 14), 0, true);
    row("after the switch back", QDate(1986, 9, 14), 2, QDate(1986, 9, 14), 2, false);
    row("1945", QDate(1945, 8, 1), 10, QDate(1945, 8, 1), 9, true);
    row("1919, the hour shown twice", QDate(1919, 9, 30), 23, QDate(1919, 9, 30), 22, true);
    row("1940, the skipped midnight", QDate(1940, 6, 1), 0, QDate(1940, 6, 1), 0, false);
}

void TestLunarCalendar::summerTime()
{
    QFETCH(QDate, date);
    QFETCH(int, hour);
    QFETCH(QDate, standardDate);
    QFETCH(int, standardHour);
    QFETCH(bool, takenBack);
    const std::optional<StandardHour> standard = chinaStandardHour(date, hour);
    QVERIFY2(standard, "no time-zone data for Asia/Shanghai: install tzdata");
    QCOMPARE(standard->date, standardDate);
    QCOMPARE(standard->hour, standardHour);
    QCOMPARE(standard->summerTime == SummerTime::TakenBack, takenBack);
}

QTEST_GUILESS_MAIN(TestLunarCalendar)
#include "tst_lunarcalendar.moc"
