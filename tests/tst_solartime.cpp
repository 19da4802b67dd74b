#include "calendar/places.h"
#include "calendar/solartime.h"

#include <QFile>
#include <QTest>
#include <QTimeZone>

using namespace calendar;
using namespace Qt::Literals::StringLiterals;

// True solar time judged by an ephemeris: astropy's (ERFA) equation of time, written once into
// tests/data/solartime by tools/equationoftime, twice a month from 1901 to 2100.
class TestSolarTime : public QObject
{
    Q_OBJECT
private slots:
    void equationOfTimeAgainstEphemeris();
    void birthplaces_data();
    void birthplaces();
    void typedLongitude_data();
    void typedLongitude();

private:
    QHash<QDateTime, double> m_reference;
};

namespace {

QHash<QDateTime, double> readReference()
{
    QHash<QDateTime, double> table;
    QFile file(QFINDTESTDATA("data/solartime/eot-1901-2100.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    for (const QByteArray &row : file.readAll().split('\n')) {
        const QList<QByteArray> cells = row.split(',');
        if (cells.size() != 2 || row.startsWith('#') || row.startsWith("utc"))
            continue;
        QDateTime at = QDateTime::fromString(QString::fromLatin1(cells[0]), Qt::ISODate);
        at.setTimeZone(QTimeZone::utc());
        table.insert(at, cells[1].toDouble());
    }
    return table;
}

} // namespace

void TestSolarTime::equationOfTimeAgainstEphemeris()
{
    m_reference = readReference();
    QCOMPARE(m_reference.size(), 200 * 24);
    double worst = 0.0;
    QDateTime worstAt;
    for (auto it = m_reference.cbegin(); it != m_reference.cend(); ++it) {
        const double miss = std::abs(equationOfTime(it.key()) - it.value());
        if (miss > worst) {
            worst = miss;
            worstAt = it.key();
        }
    }
    qInfo("largest difference from the ephemeris: %.3f minute at %s", worst,
          qPrintable(worstAt.toString(Qt::ISODate)));
    QVERIFY2(worst < 0.1, qPrintable(worstAt.toString(Qt::ISODate)));
}

void TestSolarTime::birthplaces_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QDateTime>("utc"); // an instant of the reference table

    // 20:00 Beijing time is 12:00 UT, a row of the reference.
    const QDateTime midFebruary(QDate(2024, 2, 15), QTime(12, 0), QTimeZone::utc());
    const QDateTime earlyNovember(QDate(2024, 11, 1), QTime(12, 0), QTimeZone::utc());
    QTest::newRow("Ürümqi, mid-February 2024") << u"乌鲁木齐"_s << midFebruary;
    QTest::newRow("Chengdu, early November 2024") << u"成都"_s << earlyNovember;
    QTest::newRow("Chengdu, the last year, 2100")
        << u"成都"_s << QDateTime(QDate(2100, 12, 15), QTime(12, 0), QTimeZone::utc());
    QTest::newRow("Ürümqi, 1901, first year")
        << u"乌鲁木齐"_s << QDateTime(QDate(1901, 3, 1), QTime(12, 0), QTimeZone::utc());
}

void TestSolarTime::birthplaces()
{
    QFETCH(QString, place);
    QFETCH(QDateTime, utc);
    if (m_reference.isEmpty())
        m_reference = readReference();
    QVERIFY(m_reference.contains(utc));
    const Place *where = placeNamed(place);
    QVERIFY(where);
    const int offset = placeZone(*where).standardTimeOffset(utc);
    QCOMPARE(offset, 8 * 3600);
    const QDateTime clock = utc.addSecs(offset);

    const SolarTime solar = trueSolarTime(clock.date(), clock.time(), offset, where->longitude);
    QCOMPARE_LT(std::abs(solar.equationMinutes - m_reference.value(utc)), 0.1);
    // Four minutes a degree, from the meridian of UTC+8 (120°E).
    QCOMPARE_LT(std::abs(solar.longitudeMinutes - (where->longitude - 120.0) * 4.0), 1e-9);
    const double expected = (where->longitude / 15.0 + 12.0) * 60.0 + m_reference.value(utc);
    QCOMPARE(solar.date, utc.date());
    QCOMPARE_LT(std::abs(solar.time.msecsSinceStartOfDay() / 60000.0 - expected), 0.1);
}

void TestSolarTime::typedLongitude_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<std::optional<double>>("east");

    const std::optional<double> none;
    QTest::newRow("decimal east") << u"东经104.1"_s << std::optional(104.1);
    QTest::newRow("degrees and minutes") << u"东经104°6′"_s << std::optional(104.1);
    QTest::newRow("degrees, minutes, seconds, ASCII marks")
        << u"104°6'36\"E"_s << std::optional(104.11);
    QTest::newRow("in words") << u"东经104度6分"_s << std::optional(104.1);
    QTest::newRow("letter before") << u"E104.1"_s << std::optional(104.1);
    QTest::newRow("bare number") << u"104.1"_s << std::optional(104.1);
    QTest::newRow("full-width digits") << u"东经１０４．１"_s << std::optional(104.1);
    QTest::newRow("west in words") << u"西经73.9"_s << std::optional(-73.9);
    QTest::newRow("west, letter after") << u"73.9 w"_s << std::optional(-73.9);
    QTest::newRow("minus sign") << u"-73.9"_s << std::optional(-73.9);
    QTest::newRow("the far end, 180") << u"180"_s << std::optional(180.0);
    QTest::newRow("past 180") << u"东经180.5"_s << none;
    QTest::newRow("sixty minutes") << u"104°60′"_s << none;
    QTest::newRow("decimal degrees with minutes") << u"104.5°6′"_s << none;
    QTest::newRow("two hemispheres") << u"东经104.1W"_s << none;
    QTest::newRow("a word") << u"成都"_s << none;
    QTest::newRow("empty") << QString() << none;
    QTest::newRow("two numbers") << u"104.1 30.6"_s << none;
}

void TestSolarTime::typedLongitude()
{
    QFETCH(QString, typed);
    QFETCH(std::optional<double>, east);
    const std::optional<double> got = parseLongitude(typed);
    QCOMPARE(got.has_value(), east.has_value());
    if (east)
        QCOMPARE_LT(std::abs(*got - *east), 1e-9);
}

QTEST_GUILESS_MAIN(TestSolarTime)
#include "tst_solartime.moc"
