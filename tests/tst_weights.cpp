#include "boneweight/verses.h"
#include "boneweight/weights.h"
#include "text/gbk.h"

#include <QRegularExpression>
#include <QTest>

#include <climits>
#include <map>
#include <vector>

// The year table checked against the almanac's other view of it: the years grouped by weight.
// Every year from 1880 to 2005 appears exactly once below.
static const std::map<int, std::vector<int>> kYearsByWeight = {
    {5, {1884, 1896, 1907, 1909, 1912, 1929, 1944, 1956, 1967, 1969, 1972, 1989, 2004}},
    {6, {1881, 1886, 1895, 1917, 1919, 1926, 1941, 1946, 1955, 1977, 1979, 1986, 2001}},
    {7,
     {1883, 1893, 1900, 1901, 1905, 1913, 1923, 1927, 1932, 1943, 1953, 1960, 1961, 1965, 1973,
      1983, 1987, 1992, 2003}},
    {8, {1882, 1889, 1904, 1915, 1916, 1920, 1931, 1933, 1937, 1938, 1942,
         1949, 1964, 1975, 1976, 1980, 1991, 1993, 1997, 1998, 2002}},
    {9, {1890, 1899, 1902, 1910, 1925, 1930, 1935, 1950, 1959, 1962, 1970, 1985, 1990, 1995}},
    {10, {1892, 1922, 1952, 1982}},
    {12, {1880, 1891, 1903, 1914, 1924, 1928, 1940, 1951, 1963, 1974, 1984, 1988, 2000}},
    {13, {1906, 1966}},
    {14, {1897, 1898, 1908, 1957, 1958, 1968}},
    {15, {1885, 1888, 1894, 1934, 1945, 1948, 1954, 1994, 2005}},
    {16, {1887, 1921, 1936, 1947, 1981, 1996}},
    {17, {1911, 1971}},
    {19, {1918, 1939, 1978, 1999}},
};

class TestWeights : public QObject
{
    Q_OBJECT
private slots:
    void everyTableYearWeighsAsGrouped();
    void yearsRepeatEverySixty();
    void lookups_data();
    void lookups();
    void extremeTotals();
    void weightLine_data();
    void weightLine();
    void verseBounds_data();
    void verseBounds();
    void everyVerseHasItsShape();
    void versesAreAllDifferentAndFitGbk();
};

void TestWeights::everyTableYearWeighsAsGrouped()
{
    std::map<int, int> weightOfYear;
    for (const auto &[weight, years] : kYearsByWeight)
        for (int year : years)
            QVERIFY2(weightOfYear.emplace(year, weight).second, "a year listed twice");
    QCOMPARE(int(weightOfYear.size()), 126);
    for (int year = 1880; year <= 2005; ++year) {
        QVERIFY2(weightOfYear.count(year), qPrintable(QString::number(year)));
        QCOMPARE(YearWeight(year), weightOfYear.at(year));
    }
}

void TestWeights::yearsRepeatEverySixty()
{
    for (int year = 1940; year <= 2005; ++year)
        QCOMPARE(YearWeight(year), YearWeight(year - 60));
}

void TestWeights::lookups_data()
{
    QTest::addColumn<char>("table");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("weight");
    QTest::newRow("year 1879") << 'y' << 1879 << 0;
    QTest::newRow("year 1880") << 'y' << 1880 << 12;
    QTest::newRow("year 2005") << 'y' << 2005 << 15;
    QTest::newRow("year 2006") << 'y' << 2006 << 0;
    QTest::newRow("year 2026") << 'y' << 2026 << 0;
    QTest::newRow("year 0") << 'y' << 0 << 0;
    QTest::newRow("year -1940") << 'y' << -1940 << 0;
    QTest::newRow("year INT_MIN") << 'y' << INT_MIN << 0;
    QTest::newRow("year INT_MAX") << 'y' << INT_MAX << 0;
    const int months[] = {6, 7, 18, 9, 5, 5, 9, 15, 16, 8, 9, 5};
    for (int m = 1; m <= 12; ++m)
        QTest::addRow("month %d", m) << 'm' << m << months[m - 1];
    QTest::newRow("month 0") << 'm' << 0 << 0;
    QTest::newRow("month 13") << 'm' << 13 << 0;
    QTest::newRow("month -1") << 'm' << -1 << 0;
    QTest::newRow("month INT_MIN") << 'm' << INT_MIN << 0;
    const int days[] = {6, 10, 8, 15, 16, 15, 8, 16, 8,  16, 9, 17, 8,  17, 10, 8,
                        9, 8,  5, 15, 10, 9,  8, 9,  15, 18, 7, 8,  16, 6,  6};
    for (int d = 1; d <= 31; ++d)
        QTest::addRow("day %d", d) << 'd' << d << days[d - 1];
    QTest::newRow("day 0") << 'd' << 0 << 0;
    QTest::newRow("day 32") << 'd' << 32 << 0;
    QTest::newRow("day -1") << 'd' << -1 << 0;
    // The hours pair up as (23, 0), (1, 2) ... (21, 22).
    const int pairWeights[] = {16, 6, 7, 10, 9, 16, 8, 8, 8, 9, 6, 6};
    for (int h = 0; h <= 23; ++h)
        QTest::addRow("hour %d", h) << 'h' << h << pairWeights[((h + 1) % 24) / 2];
    QTest::newRow("hour 24") << 'h' << 24 << 0;
    QTest::newRow("hour -1") << 'h' << -1 << 0;
    QTest::newRow("hour INT_MAX") << 'h' << INT_MAX << 0;
}

void TestWeights::lookups()
{
    QFETCH(char, table);
    QFETCH(int, value);
    QFETCH(int, weight);
    switch (table) {
    case 'y':
        QCOMPARE(YearWeight(value), weight);
        break;
    case 'm':
        QCOMPARE(MonthWeight(value), weight);
        break;
    case 'd':
        QCOMPARE(DayWeight(value), weight);
        break;
    case 'h':
        QCOMPARE(HourWeight(value), weight);
        break;
    }
}

void TestWeights::extremeTotals()
{
    QCOMPARE(YearWeight(2004) + MonthWeight(5) + DayWeight(19) + HourWeight(1), 21);
    QCOMPARE(YearWeight(1999) + MonthWeight(3) + DayWeight(26) + HourWeight(23), 71);
    int lightest = INT_MAX, heaviest = 0;
    for (int y = 1880; y <= 2005; ++y) {
        lightest = qMin(lightest, YearWeight(y));
        heaviest = qMax(heaviest, YearWeight(y));
    }
    QCOMPARE(lightest, 5);
    QCOMPARE(heaviest, 19);
}

void TestWeights::weightLine_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("line");
    QTest::newRow("37") << 37 << QStringLiteral("你的命重： 3两7钱");
    QTest::newRow("71") << 71 << QStringLiteral("你的命重： 7两1钱");
    QTest::newRow("16") << 16 << QStringLiteral("你的命重： 1两6钱");
    QTest::newRow("0") << 0 << QStringLiteral("你的命重： 0两");
    QTest::newRow("30") << 30 << QStringLiteral("你的命重： 3两");
    QTest::newRow("40") << 40 << QStringLiteral("你的命重： 4两");
    QTest::newRow("5") << 5 << QStringLiteral("你的命重： 0两5钱");
}

void TestWeights::weightLine()
{
    QFETCH(int, total);
    QFETCH(QString, line);
    QCOMPARE(WeightLine(total), line);
    // The prefix is 11 bytes in code page 936: four characters, a full-width colon, one space.
    QCOMPARE(text::toGbk(WeightLine(total)).left(11),
             QByteArray("\xc4\xe3\xb5\xc4\xc3\xfc\xd6\xd8\xa3\xba "));
}

void TestWeights::verseBounds_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("start");
    QTest::newRow("21, first") << 21 << QStringLiteral("衣食奔波出外手艺之人  短命非业谓大凶");
    QTest::newRow("37") << 37 << QStringLiteral("富贵聪明有福寿之人  此命般般事不成");
    QTest::newRow("51 with 姪")
        << 51
        << QStringLiteral("禄厚官职财禄荣华富贵之命  一世荣华事事通 不须劳碌自享通 弟兄叔姪皆如意");
    QTest::newRow("71, last") << 71 << QStringLiteral("大志大业势如破竹之命  此命生来大不同");
    QTest::newRow("20") << 20 << QStringLiteral("  ");
    QTest::newRow("72") << 72 << QStringLiteral("  ");
    QTest::newRow("0") << 0 << QStringLiteral("  ");
    QTest::newRow("negative") << -37 << QStringLiteral("  ");
    QTest::newRow("INT_MIN") << INT_MIN << QStringLiteral("  ");
}

void TestWeights::verseBounds()
{
    QFETCH(int, total);
    QFETCH(QString, start);
    const QString verse = VerseText(total);
    QVERIFY2(verse.startsWith(start), qPrintable(verse));
    if (start == QLatin1String("  "))
        QCOMPARE(verse, start);
}

void TestWeights::everyVerseHasItsShape()
{
    // A phrase of 8 to 12 characters, two spaces, four clauses of seven with one space between.
    static const QRegularExpression shape(
        QStringLiteral("^\\p{Han}{8,12}  \\p{Han}{7} \\p{Han}{7} \\p{Han}{7} \\p{Han}{7}$"));
    for (int total = 21; total <= 71; ++total) {
        const QString verse = VerseText(total);
        QVERIFY2(shape.match(verse).hasMatch(), qPrintable(QString::number(total) + verse));
        const qsizetype bytes = text::toGbk(verse).size();
        QVERIFY2(bytes >= 77 && bytes <= 85, qPrintable(QString::number(total)));
    }
}

void TestWeights::versesAreAllDifferentAndFitGbk()
{
    QSet<QString> seen;
    for (int total = 21; total <= 71; ++total) {
        const QString verse = VerseText(total);
        QVERIFY2(text::fitsGbk(verse), qPrintable(QString::number(total)));
        QVERIFY2(!seen.contains(verse), qPrintable(QString::number(total)));
        seen.insert(verse);
    }
    // 姪 is outside GB2312; it must come out as the GBK bytes 8A A9.
    QVERIFY(text::toGbk(VerseText(51)).contains(QByteArray("\x8a\xa9")));
}

QTEST_GUILESS_MAIN(TestWeights)
#include "tst_weights.moc"
