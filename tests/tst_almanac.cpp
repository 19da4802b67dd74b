#include "calendar/almanac.h"

#include <QFile>
#include <QTest>

using namespace calendar;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(QDate)

// The almanac's fixed items of every day of 1901-2100, each against a rule written here on its
// own: the day's stem and branch from the Julian day number, the month from the 节 of the Hong
// Kong Observatory's table, 冲 and 煞 from the branch; and the texts of a few days.
class TestAlmanac : public QObject
{
    Q_OBJECT
private slots:
    void everyDayByTheRules();
    void days_data();
    void days();
};

void TestAlmanac::everyDayByTheRules()
{
    QFile file(QFINDTESTDATA("data/calendar/hko-1901-2100.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    // The 节 in the order of the months they open, from 立春 (the 寅 month) on.
    const QStringList jie = {u"立春"_s, u"惊蛰"_s, u"清明"_s, u"立夏"_s, u"芒种"_s, u"小暑"_s,
                             u"立秋"_s, u"白露"_s, u"寒露"_s, u"立冬"_s, u"大雪"_s, u"小寒"_s};
    // The stem of the 寅 month for each stem of the year (五虎遁): 甲己 丙, 乙庚 戊 …
    const int firstMonthStem[10] = {2, 4, 6, 8, 0, 2, 4, 6, 8, 0};
    // The three branches of each 煞 quarter.
    const QList<std::pair<QList<int>, Quarter>> evil = {{{8, 0, 4}, Quarter::South},
                                                        {{2, 6, 10}, Quarter::North},
                                                        {{11, 3, 7}, Quarter::West},
                                                        {{5, 9, 1}, Quarter::East}};
    int monthBranch = 0;   // 子: 1901 begins in the 子 month
    int solarYearStem = 6; // 庚子, 1900
    QList<QDate> wrong;
    qsizetype checked = 0;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QList<QByteArray> cells = rows[i].split(',');
        if (cells.size() < 4)
            continue;
        const QByteArray &text = cells[0];
        const QDate date(text.left(4).toInt(), text.mid(7, 2).toInt(), text.mid(12, 2).toInt());
        if (const qsizetype month = jie.indexOf(QString::fromUtf8(cells[3].trimmed()));
            month >= 0) {
            monthBranch = int(month + 2) % 12;
            if (month == 0)
                solarYearStem = (date.year() - 4) % 10;
        }
        const std::optional<AlmanacDay> day = almanacDay(date);
        if (!day) {
            QCOMPARE_LT(date, QDate(1901, 2, 19));
            continue;
        }
        ++checked;
        const int cycle = int((date.toJulianDay() + 49) % 60);
        const int monthStem = (firstMonthStem[solarYearStem] + (monthBranch + 10) % 12) % 10;
        const auto inGroup = [&](const auto &group) {
            return group.first.contains(cycle % 12) && group.second == day->evil;
        };
        if (day->day.index != cycle || day->month.branch() != monthBranch
            || day->month.stem() != monthStem
            || day->officer != (cycle % 12 - monthBranch + 12) % 12
            || day->clashBranch != (cycle % 12 + 6) % 12
            || std::none_of(evil.begin(), evil.end(), inGroup))
            wrong.append(date);
    }
    QCOMPARE(checked, QDate(1901, 2, 19).daysTo(QDate(2100, 12, 31)) + 1);
    QVERIFY(!almanacDay(QDate(2101, 1, 1)));
    // The two 节 we put a day later than the Observatory (calendar/README.md).
    QCOMPARE(wrong, QList<QDate>({QDate(1917, 12, 7), QDate(1927, 9, 8)}));
}

void TestAlmanac::days_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");
    // Year by 正月 / year by 立春, month, day, officer, clash; the days' cycles as printed
    // calendars give them (1949-10-01 甲子, 2000-01-01 戊午, 2024-02-10 甲辰) or as the Julian day
    // number gives them.
    const auto row = [](const char *name, QDate date, const char16_t *expected) {
        QTest::newRow(name) << date << QString::fromUtf16(expected);
    };
    row("1901-02-19, the first day", QDate(1901, 2, 19), u"辛丑/辛丑 庚寅 戊辰 满 冲狗 煞南");
    row("1949-10-01", QDate(1949, 10, 1), u"己丑/己丑 癸酉 甲子 平 冲马 煞南");
    row("2000-01-01", QDate(2000, 1, 1), u"己卯/己卯 丙子 戊午 破 冲鼠 煞北");
    row("2024-02-10, Spring Festival", QDate(2024, 2, 10), u"甲辰/甲辰 丙寅 甲辰 满 冲狗 煞南");
    row("2027-02-03, eve of 立春", QDate(2027, 2, 3), u"丙午/丙午 辛丑 癸丑 建 冲羊 煞东");
    row("2027-02-04, 立春 before 正月", QDate(2027, 2, 4), u"丙午/丁未 壬寅 甲寅 建 冲猴 煞北");
    row("2100-12-31, the last day", QDate(2100, 12, 31), u"庚申/庚申 戊子 丁未 危 冲牛 煞西");
}

void TestAlmanac::days()
{
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    const std::optional<AlmanacDay> day = almanacDay(date);
    QVERIFY(day);
    QCOMPARE(cycleName(day->year) + u'/' + cycleName(day->solarYear) + u' ' + cycleName(day->month)
                 + u' ' + cycleName(day->day) + u' ' + officerName(day->officer) + u' '
                 + clashText(*day),
             expected);
    // Each of Pengzu's sayings opens with its own stem and branch.
    QVERIFY(pengzuStemSaying(day->day.stem()).startsWith(stemName(day->day.stem())));
    QVERIFY(pengzuBranchSaying(day->day.branch()).startsWith(branchName(day->day.branch())));
}

QTEST_GUILESS_MAIN(TestAlmanac)
#include "tst_almanac.moc"
