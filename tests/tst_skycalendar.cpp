#include "calendar/sky.h"
#include "calendar/skycalendar.h"
#include "calendar/solarterms.h"

#include <QFile>
#include <QTest>

#include <cmath>

using namespace calendar;
using namespace Qt::Literals::StringLiterals;

// The sky the calendar is computed from, judged by an ephemeris we did not write (astropy's,
// tests/data/calendar/sky-reference.csv) to the minute, and by the Hong Kong Observatory's table
// to the day; and the shipped year table held to the computation it is written from.
class TestSkyCalendar : public QObject
{
    Q_OBJECT
private slots:
    void momentsAgainstTheEphemeris_data();
    void momentsAgainstTheEphemeris();
    void termDaysOfTheObservatory();
    void yearsOfTerms_data();
    void yearsOfTerms();
    void theShippedTableIsTheSky();
};

namespace {

// The terms as the Observatory's table names them, in the order of a Gregorian year.
const QStringList observatoryTermNames
    = {u"小寒"_s, u"大寒"_s, u"立春"_s, u"雨水"_s, u"惊蛰"_s, u"春分"_s, u"清明"_s, u"谷雨"_s,
       u"立夏"_s, u"小满"_s, u"芒种"_s, u"夏至"_s, u"小暑"_s, u"大暑"_s, u"立秋"_s, u"处暑"_s,
       u"白露"_s, u"秋分"_s, u"寒露"_s, u"霜降"_s, u"立冬"_s, u"小雪"_s, u"大雪"_s, u"冬至"_s};

// The terms whose day the Observatory gives otherwise, each day of the two (calendar/README.md
// gives the moments and why we keep ours).
const QList<QDate> termDaysWeDifferOn = {
    QDate(1912, 11, 22), QDate(1912, 11, 23), // 小雪
    QDate(1913, 9, 23),  QDate(1913, 9, 24),  // 秋分
    QDate(1917, 12, 7),  QDate(1917, 12, 8),  // 大雪
    QDate(1927, 9, 8),   QDate(1927, 9, 9),   // 白露
    QDate(1928, 6, 21),  QDate(1928, 6, 22),  // 夏至
    QDate(1979, 1, 20),  QDate(1979, 1, 21),  // 大寒
};

// Every day of the table with the term the Observatory gives it, or -1.
QList<std::pair<QDate, int>> observatoryTermDays()
{
    QFile file(QFINDTESTDATA("data/calendar/hko-1901-2100.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<std::pair<QDate, int>> days;
    const QList<QByteArray> rows = file.readAll().split('\n');
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QList<QByteArray> cells = rows[i].split(',');
        if (cells.size() < 4)
            continue;
        const QByteArray &day = cells[0]; // YYYY年MM月DD日, each 年 and 月 three bytes
        days.append({QDate(day.left(4).toInt(), day.mid(7, 2).toInt(), day.mid(12, 2).toInt()),
                     int(observatoryTermNames.indexOf(QString::fromUtf8(cells[3].trimmed())))});
    }
    return days;
}

} // namespace

void TestSkyCalendar::momentsAgainstTheEphemeris_data()
{
    QTest::addColumn<bool>("isTerm");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("reference");
    QFile file(QFINDTESTDATA("data/calendar/sky-reference.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    file.readLine(); // kind,year,index,jde
    while (!file.atEnd()) {
        const QList<QByteArray> cells = file.readLine().trimmed().split(',');
        const bool isTerm = cells[0] == "term";
        const int year = cells[1].toInt();
        const int index = cells[2].toInt();
        const QByteArray name = isTerm ? observatoryTermNames[index].toUtf8() + ' ' + cells[1]
                                       : "new moon " + cells[1] + " #" + cells[2];
        QTest::newRow(name.constData()) << isTerm << year << index << cells[3].toDouble();
    }
}

void TestSkyCalendar::momentsAgainstTheEphemeris()
{
    QFETCH(bool, isTerm);
    QFETCH(int, year);
    QFETCH(int, index);
    QFETCH(double, reference);
    // New moons are found from the lunation the reference moment lies in, not from the moment.
    const double ours = isTerm ? detail::solarTermJde(year, index)
                               : sky::newMoonOfLunation(sky::lunationAtOrBefore(reference + 1));
    const double seconds = (ours - reference) * 86400;
    QVERIFY2(std::abs(seconds) < 60, qPrintable(u"%1 s off"_s.arg(seconds)));
}

void TestSkyCalendar::termDaysOfTheObservatory()
{
    const QList<std::pair<QDate, int>> days = observatoryTermDays();
    QCOMPARE(days.size(), QDate(1901, 1, 1).daysTo(QDate(2100, 12, 31)) + 1);
    QList<QDate> wrong;
    std::array<QDateTime, solarTermCount> moments;
    for (const auto &[day, term] : days) {
        if (day.dayOfYear() == 1)
            moments = solarTermsOf(day.year());
        const std::optional<int> ours = solarTermOn(day);
        if (ours.value_or(-1) != term)
            wrong.append(day);
        if (term < 0)
            continue;
        // From the day before the term, the next term is this one, a day away.
        const std::optional<NextSolarTerm> next = nextSolarTerm(day.addDays(-1));
        if (!next || next->term != term || next->days != 1
            || next->moment.toOffsetFromUtc(8 * 3600).date() != day)
            wrong.append(day);
        // And the year's moments put it on the same day.
        if (moments[std::size_t(term)].toOffsetFromUtc(8 * 3600).date() != day)
            wrong.append(day);
    }
    wrong.erase(std::unique(wrong.begin(), wrong.end()), wrong.end());
    QCOMPARE(wrong, termDaysWeDifferOn);
}

void TestSkyCalendar::yearsOfTerms_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("known");
    QTest::newRow("1899, before the years") << 1899 << false;
    QTest::newRow("1900, the first") << 1900 << true;
    QTest::newRow("2027, the next year") << 2027 << true;
    QTest::newRow("2101, the last") << 2101 << true;
    QTest::newRow("2102, after them") << 2102 << false;
}

void TestSkyCalendar::yearsOfTerms()
{
    QFETCH(int, year);
    QFETCH(bool, known);
    const auto moments = solarTermsOf(year);
    if (!known) {
        QVERIFY(std::none_of(moments.begin(), moments.end(), [](auto m) { return m.isValid(); }));
        QCOMPARE(solarTermOn(QDate(year, 6, 21)), std::nullopt);
        return;
    }
    // Each term 14 to 16.5 days after the one before, all within the year, each on the day
    // solarTermOn finds it on, and the day before it naming none.
    for (int term = 0; term < solarTermCount; ++term) {
        const QDateTime moment = moments[std::size_t(term)];
        const QDate day = moment.toOffsetFromUtc(8 * 3600).date();
        QCOMPARE(day.year(), year);
        QCOMPARE(solarTermOn(day), term);
        QCOMPARE(solarTermOn(day.addDays(-1)), std::nullopt);
        if (term > 0) {
            const double days = moments[std::size_t(term - 1)].msecsTo(moment) / 86400000.0;
            QVERIFY2(days > 14 && days < 16.5, qPrintable(QString::number(days)));
        }
    }
    // After the last day of the year comes the next year's 小寒, five to seven days on.
    const std::optional<NextSolarTerm> next = nextSolarTerm(QDate(year, 12, 31));
    QVERIFY(next);
    QCOMPARE(next->year, year + 1);
    QCOMPARE(next->term, 0);
    QVERIFY(next->days >= 5 && next->days <= 7);
}

void TestSkyCalendar::theShippedTableIsTheSky()
{
    const QList<detail::LunarYear> computed = lunarYearsFromSky(1901, 2100);
    QCOMPARE(computed.size(), qsizetype(detail::lunarYears.size()));
    for (qsizetype i = 0; i < computed.size(); ++i) {
        const detail::LunarYear &ours = computed[i];
        const detail::LunarYear &shipped = detail::lunarYears[std::size_t(i)];
        QVERIFY2(ours.newYearMonth == shipped.newYearMonth && ours.newYearDay == shipped.newYearDay
                     && ours.leapMonth == shipped.leapMonth
                     && ours.longMonths == shipped.longMonths,
                 qPrintable(u"lunar year %1: run tools/lunartable"_s.arg(1901 + i)));
    }
}

QTEST_GUILESS_MAIN(TestSkyCalendar)
#include "tst_skycalendar.moc"
