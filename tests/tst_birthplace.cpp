#include "calendar/birthplace.h"
#include "text/gbk.h"

#include <QTest>

#include <algorithm>

using namespace calendar;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(LunarDate)
Q_DECLARE_METATYPE(std::optional<LunarDate>)
Q_DECLARE_METATYPE(ZiHour)

// The clock history of each place's zone as the records have it (summer time in Beijing,
// Hong Kong, Macau and Taipei, and abroad), the 子时 boundary, a birth read at its place, the
// next lunar birthday judged by the Hong Kong Observatory's table, and the place table itself.
class TestBirthplace : public QObject
{
    Q_OBJECT
private slots:
    void clockHistory_data();
    void clockHistory();
    void ziHourBoundary_data();
    void ziHourBoundary();
    void readAtBirthplace_data();
    void readAtBirthplace();
    void nextLunarBirthday_data();
    void nextLunarBirthday();
    void placeTable();
    void placesInsideTheirCountry_data();
    void placesInsideTheirCountry();
};

namespace {

const Place &place(const QString &name)
{
    const Place *found = placeNamed(name);
    if (!found)
        qFatal("no place %s", qPrintable(name));
    return *found;
}

LunarDate lunar(int year, int month, int day, MonthKind kind = MonthKind::Ordinary)
{
    return {year, month, kind, day};
}

// A clock reading, date and time as the clock showed them.
QDateTime at(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc());
}

// Each country's extreme points, rounded outwards.
QList<std::pair<const char *, QRectF>> countryBounds()
{
    const auto box = [](double west, double east, double south, double north) {
        return QRectF(west, south, east - west, north - south);
    };
    return {
        {"CN", box(73.4, 135.1, 15.7, 53.6)},    {"HK", box(113.8, 114.5, 22.1, 22.6)},
        {"MO", box(113.5, 113.65, 22.1, 22.22)}, {"TW", box(118.1, 122.1, 21.8, 26.4)},
        {"SG", box(103.6, 104.1, 1.15, 1.48)},   {"MY", box(99.6, 119.3, 0.8, 7.4)},
        {"ID", box(95.0, 141.1, -11.0, 6.1)},    {"TH", box(97.3, 105.7, 5.6, 20.5)},
        {"PH", box(116.9, 126.6, 4.6, 21.2)},    {"VN", box(102.1, 109.5, 8.4, 23.4)},
        {"MM", box(92.2, 101.2, 9.8, 28.6)},     {"KH", box(102.3, 107.7, 10.4, 14.7)},
        {"JP", box(122.9, 154.0, 24.0, 45.6)},   {"KR", box(124.6, 131.9, 33.1, 38.7)},
        {"AU", box(112.9, 153.7, -43.7, -10.6)}, {"NZ", box(166.4, 178.6, -47.3, -34.4)},
        {"CA", box(-141.1, -52.6, 41.7, 83.2)},  {"US", box(-179.2, -66.9, 18.9, 71.4)},
        {"GB", box(-8.7, 1.8, 49.9, 60.9)},      {"FR", box(-5.2, 9.6, 41.3, 51.1)},
        {"DE", box(5.9, 15.1, 47.3, 55.1)},      {"NL", box(3.3, 7.3, 50.7, 53.6)},
        {"IT", box(6.6, 18.6, 35.5, 47.1)},      {"AE", box(51.5, 56.4, 22.6, 26.1)},
        {"ZA", box(16.4, 32.9, -34.9, -22.1)},   {"PE", box(-81.4, -68.6, -18.4, 0.0)},
        {"BR", box(-74.0, -34.8, -33.8, 5.3)},   {"MU", box(57.3, 57.9, -20.6, -19.9)},
    };
}

} // namespace

void TestBirthplace::clockHistory_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QDateTime>("clock"); // date and time as the clock showed them
    QTest::addColumn<QDateTime>("standard");
    QTest::addColumn<bool>("takenBack");
    QTest::addColumn<int>("standardHours");

    QTest::newRow("Beijing 1988, summer time")
        << u"北京"_s << at(1988, 7, 1, 12, 30) << at(1988, 7, 1, 11, 30) << true << 8;
    QTest::newRow("Taipei 1988, none that year")
        << u"台北"_s << at(1988, 7, 1, 12, 30) << at(1988, 7, 1, 12, 30) << false << 8;
    QTest::newRow("Hong Kong 1965")
        << u"香港"_s << at(1965, 7, 15, 12, 30) << at(1965, 7, 15, 11, 30) << true << 8;
    QTest::newRow("Macau 1975, back to the day before")
        << u"澳门"_s << at(1975, 8, 1, 0, 30) << at(1975, 7, 31, 23, 30) << true << 8;
    QTest::newRow("Taipei 1955") << u"台北"_s << at(1955, 6, 10, 13, 10) << at(1955, 6, 10, 12, 10)
                                 << true << 8;
    QTest::newRow("Beijing 1986-05-04, the skipped hour")
        << u"北京"_s << at(1986, 5, 4, 2, 30) << at(1986, 5, 4, 2, 30) << false << 8;
    QTest::newRow("Beijing 1986-09-14, the hour shown twice")
        << u"北京"_s << at(1986, 9, 14, 1, 30) << at(1986, 9, 14, 0, 30) << true << 8;
    QTest::newRow("Beijing 1986-09-14, after the switch back")
        << u"北京"_s << at(1986, 9, 14, 2, 30) << at(1986, 9, 14, 2, 30) << false << 8;
    QTest::newRow("Beijing, next year")
        << u"北京"_s << at(2027, 7, 1, 12, 30) << at(2027, 7, 1, 12, 30) << false << 8;
    QTest::newRow("London 1990, its own summer time")
        << u"伦敦"_s << at(1990, 7, 1, 12, 30) << at(1990, 7, 1, 11, 30) << true << 0;
    QTest::newRow("Sydney, summer in January")
        << u"悉尼"_s << at(1990, 1, 15, 12, 30) << at(1990, 1, 15, 11, 30) << true << 10;
}

void TestBirthplace::clockHistory()
{
    QFETCH(QString, place);
    QFETCH(QDateTime, clock);
    QFETCH(QDateTime, standard);
    QFETCH(bool, takenBack);
    QFETCH(int, standardHours);
    const std::optional<StandardTime> got
        = standardTime(placeZone(::place(place)), clock.date(), clock.time());
    QVERIFY(got);
    QCOMPARE(QDateTime(got->date, got->time, QTimeZone::utc()), standard);
    QCOMPARE(got->summerTime == SummerTime::TakenBack, takenBack);
    QCOMPARE(got->standardOffset, standardHours * 3600);
}

void TestBirthplace::ziHourBoundary_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<ZiHour>("rule");
    QTest::addColumn<QDate>("day"); // for 2024-02-09, 腊月三十 of lunar 2023
    QTest::addColumn<std::optional<LunarDate>>("lunarDay"); // for that 三十 picked as lunar
    QTest::addColumn<std::optional<LunarDate>>("lastDay");  // for 2100's last 十二月初一

    const std::optional<LunarDate> eve = lunar(2023, 12, 30);
    const std::optional<LunarDate> last = lunar(2100, 12, 1);
    QTest::newRow("23:30, 子时 counted whole")
        << QTime(23, 30) << ZiHour::NextDay << QDate(2024, 2, 10)
        << std::optional(lunar(2024, 1, 1)) << std::optional<LunarDate>();
    QTest::newRow("23:30, 子时 split")
        << QTime(23, 30) << ZiHour::SameDay << QDate(2024, 2, 9) << eve << last;
    QTest::newRow("22:59, before 子时")
        << QTime(22, 59) << ZiHour::NextDay << QDate(2024, 2, 9) << eve << last;
}

void TestBirthplace::ziHourBoundary()
{
    QFETCH(QTime, time);
    QFETCH(ZiHour, rule);
    QFETCH(QDate, day);
    QFETCH(std::optional<LunarDate>, lunarDay);
    QFETCH(std::optional<LunarDate>, lastDay);
    QCOMPARE(countedDay(QDate(2024, 2, 9), time, rule), day);
    QCOMPARE(countedLunarDay(lunar(2023, 12, 30), time, rule), lunarDay);
    QCOMPARE(countedLunarDay(lunar(2100, 12, 1), time, rule), lastDay);
}

void TestBirthplace::readAtBirthplace_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QDateTime>("clock");
    QTest::addColumn<QDate>("solarDate");
    QTest::addColumn<int>("solarHour");
    QTest::addColumn<QDate>("day"); // with 子时 counted whole
    QTest::addColumn<bool>("localClocks");

    // Ürümqi lies 32° west of Beijing time's meridian: the sun is over two hours behind.
    QTest::newRow("Ürümqi 23:30 is 亥时 by the sun, the same day")
        << u"乌鲁木齐"_s << at(2024, 2, 15, 23, 30) << QDate(2024, 2, 15) << 21
        << QDate(2024, 2, 15) << false;
    QTest::newRow("Ürümqi 1988, summer time and the sun take it to the day before")
        << u"乌鲁木齐"_s << at(1988, 7, 16, 1, 30) << QDate(1988, 7, 15) << 22 << QDate(1988, 7, 15)
        << false;
    QTest::newRow("Shanghai 22:55 in November is 子时 by the sun, the next day")
        << u"上海"_s << at(2024, 11, 1, 22, 55) << QDate(2024, 11, 1) << 23 << QDate(2024, 11, 2)
        << false;
    QTest::newRow("Beijing, September 1949: local clocks")
        << u"北京"_s << at(1949, 9, 30, 12, 0) << QDate(1949, 9, 30) << 11 << QDate(1949, 9, 30)
        << true;
    QTest::newRow("Beijing, October 1949: Beijing time")
        << u"北京"_s << at(1949, 10, 1, 12, 0) << QDate(1949, 10, 1) << 11 << QDate(1949, 10, 1)
        << false;
}

void TestBirthplace::readAtBirthplace()
{
    QFETCH(QString, place);
    QFETCH(QDateTime, clock);
    QFETCH(QDate, solarDate);
    QFETCH(int, solarHour);
    QFETCH(QDate, day);
    QFETCH(bool, localClocks);
    const std::optional<BirthplaceTime> birth
        = readBirthplace(::place(place), clock.date(), clock.time(), ZiHour::NextDay);
    QVERIFY(birth);
    QCOMPARE(birth->solar.date, solarDate);
    QCOMPARE(birth->solar.time.hour(), solarHour);
    QCOMPARE(birth->day, day);
    QCOMPARE(birth->note == ClockNote::LocalClocksDiffered, localClocks);
    // The line names the double hour of the solar time and is written in GBK's characters.
    const QString line = solarTimeLine(birth->solar);
    QVERIFY(line.endsWith(hourBranch(solarHour) + u'时'));
    QVERIFY2(text::fitsGbk(line), qPrintable(line));
}

void TestBirthplace::nextLunarBirthday_data()
{
    QTest::addColumn<LunarDate>("birth"); // its year is not used
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("next"); // from the Hong Kong Observatory's table; invalid: none
    QTest::addColumn<bool>("leapAsOrdinary");
    QTest::addColumn<bool>("thirtiethAsTwentyNinth");

    const LunarDate leapFourth = lunar(2020, 4, 10, MonthKind::Leap);
    const LunarDate leapSixth = lunar(1987, 6, 15, MonthKind::Leap);
    const LunarDate leapFifthThirtieth = lunar(1995, 5, 30, MonthKind::Leap);
    QTest::newRow("闰四月 in a year without it, next year")
        << leapFourth << QDate(2027, 1, 1) << QDate(2027, 5, 15) << true << false;
    QTest::newRow("闰六月 in 2025, which has it")
        << leapSixth << QDate(2025, 7, 1) << QDate(2025, 8, 8) << false << false;
    QTest::newRow("闰六月, the day after: 2026's 六月")
        << leapSixth << QDate(2025, 8, 9) << QDate(2026, 7, 28) << true << false;
    QTest::newRow("腊月三十 in a 腊月 of 29 days")
        << lunar(1990, 12, 30) << QDate(2026, 12, 9) << QDate(2027, 2, 5) << false << true;
    QTest::newRow("闰五月三十, 2028's 闰五月 of 29 days")
        << leapFifthThirtieth << QDate(2028, 7, 1) << QDate(2028, 7, 21) << false << true;
    QTest::newRow("闰五月三十, both rules in 2029")
        << leapFifthThirtieth << QDate(2029, 1, 1) << QDate(2029, 7, 10) << true << true;
    QTest::newRow("today is the birthday")
        << lunar(1990, 1, 1) << QDate(2024, 2, 10) << QDate(2024, 2, 10) << false << false;
    QTest::newRow("2100: 十一月三十 still falls")
        << lunar(1990, 11, 30) << QDate(2100, 12, 1) << QDate(2100, 12, 30) << false << false;
    QTest::newRow("2100: the last day")
        << lunar(1990, 12, 1) << QDate(2100, 12, 31) << QDate(2100, 12, 31) << false << false;
    QTest::newRow("2100: 正月初一 falls past the calendar")
        << lunar(1990, 1, 1) << QDate(2100, 12, 1) << QDate() << false << false;
}

void TestBirthplace::nextLunarBirthday()
{
    QFETCH(LunarDate, birth);
    QFETCH(QDate, today);
    QFETCH(QDate, next);
    QFETCH(bool, leapAsOrdinary);
    QFETCH(bool, thirtiethAsTwentyNinth);
    const std::optional<NextBirthday> got = calendar::nextLunarBirthday(birth, today);
    QCOMPARE(got.has_value(), next.isValid());
    if (!got)
        return;
    QCOMPARE(got->date, next);
    QCOMPARE(toLunar(next), got->lunar);
    QCOMPARE(got->rules.leapAsOrdinary, leapAsOrdinary);
    QCOMPARE(got->rules.thirtiethAsTwentyNinth, thirtiethAsTwentyNinth);
}

void TestBirthplace::placeTable()
{
    QSet<QString> names;
    for (const Place &p : places()) {
        const QString name = QString::fromUtf8(p.name);
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
        QVERIFY2(placeZone(p).isValid(), p.zone);
        QVERIFY2(
            std::ranges::any_of(countryBounds(),
                                [&](const auto &c) { return qstrcmp(c.first, p.country) == 0; }),
            p.country);
        QVERIFY2(text::fitsGbk(name + QString::fromUtf8(p.region)), qPrintable(name));
    }
    // The units of the division list, the two regions, Taiwan's 22, and cities abroad.
    QCOMPARE_GE(names.size(), 4 + 333 + 2 + 22 + 30);
    // Xinjiang is read on Beijing time, as its births are registered.
    QCOMPARE(QByteArray(place(u"乌鲁木齐"_s).zone), "Asia/Shanghai");
    QCOMPARE(findPlaces(u"乌鲁"_s).value(0), &place(u"乌鲁木齐"_s));
    QVERIFY(findPlaces(u"新疆"_s).contains(&place(u"喀什"_s)));
}

void TestBirthplace::placesInsideTheirCountry_data()
{
    QTest::addColumn<QByteArray>("country");
    QTest::addColumn<QRectF>("bounds"); // west, south, width, height in degrees
    for (const auto &[code, bounds] : countryBounds())
        QTest::newRow(code) << QByteArray(code) << bounds;
}

void TestBirthplace::placesInsideTheirCountry()
{
    QFETCH(QByteArray, country);
    QFETCH(QRectF, bounds);
    int seen = 0;
    for (const Place &p : places()) {
        if (country != p.country)
            continue;
        ++seen;
        QVERIFY2(bounds.contains(p.longitude, p.latitude), p.name);
    }
    QVERIFY(seen > 0);
}

QTEST_GUILESS_MAIN(TestBirthplace)
#include "tst_birthplace.moc"
