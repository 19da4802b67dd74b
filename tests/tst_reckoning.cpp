#include "base/failure.h"
#include "boneweight/reckoning.h"
#include "boneweight/verses.h"

#include <QTest>

// What a reckoning should end in: the prompt, a reading of a total, or a failure message.
struct Outcome
{
    enum Kind { Prompt, Total, Failure } kind;
    int total = 0;
    QString message;
};
Q_DECLARE_METATYPE(Outcome)

static Outcome prompt()
{
    return {Outcome::Prompt, 0, {}};
}
static Outcome total(int qian)
{
    return {Outcome::Total, qian, {}};
}
static Outcome failure(const char *part)
{
    return {Outcome::Failure, 0,
            QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(part))};
}

class TestReckoning : public QObject
{
    Q_OBJECT
private slots:
    void cutKeepsTheDigits_data();
    void cutKeepsTheDigits();
    void reckon_data();
    void reckon();
};

void TestReckoning::cutKeepsTheDigits_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QByteArray>("part");
    QTest::newRow("1月") << QStringLiteral("1月") << QByteArray("1");
    QTest::newRow("9月") << QStringLiteral("9月") << QByteArray("9");
    QTest::newRow("12月") << QStringLiteral("12月") << QByteArray("12");
    QTest::newRow("typed 123") << QStringLiteral("123") << QByteArray("1");
    QTest::newRow("typed 12") << QStringLiteral("12") << QByteArray("12");
    QTest::newRow("typed 1234") << QStringLiteral("1234") << QByteArray("12");
    QTest::newRow("typed 5") << QStringLiteral("5") << QByteArray("5");
    QTest::newRow("placeholder") << QStringLiteral("月份") << QByteArray("\xd4\xc2");
}

void TestReckoning::cutKeepsTheDigits()
{
    QFETCH(QString, month);
    QFETCH(QByteArray, part);
    const BirthParts parts = cutBirthTexts(
        {QStringLiteral("1990年"), month, month, QStringLiteral("7"), QStringLiteral("00")});
    QCOMPARE(parts.year, QByteArray("1990"));
    QCOMPARE(parts.month, part);
    QCOMPARE(parts.day, part);
    QCOMPARE(parts.hour, QByteArray("7"));
}

void TestReckoning::reckon_data()
{
    QTest::addColumn<QStringList>("texts"); // year, month, day, hour, minute
    QTest::addColumn<Outcome>("outcome");
    auto row = [](const char *name, QStringList texts, Outcome outcome) {
        QTest::newRow(name) << texts << outcome;
    };
    const QStringList untouched = {"出生年份", "月份", "日期", "时", "分"};
    row("untouched", untouched, prompt());
    row("minute left", {"1990年", "1月", "1日", "0", "分"}, prompt());
    row("year left", {"出生年份", "1月", "1日", "0", "00"}, prompt());
    row("month left", {"1990年", "月份", "1日", "0", "00"}, prompt());
    row("day left", {"1990年", "1月", "日期", "0", "00"}, prompt());
    row("hour left", {"1990年", "1月", "1日", "时", "00"}, prompt());
    row("prompt before conversion", {"abcd", "1月", "1日", "时", "00"}, prompt());
    row("1990-1-1 0:00", {"1990年", "1月", "1日", "0", "00"}, total(37));
    row("heaviest", {"1999年", "3月", "26日", "23", "00"}, total(71));
    row("lightest", {"2004年", "5月", "19日", "1", "00"}, total(21));
    row("1880 no qian", {"1880年", "1月", "1日", "0", "00"}, total(40));
    row("2010 weighs 0", {"2010年", "3月", "26日", "23", "00"}, total(52));
    row("2010 below the verses", {"2010年", "5月", "19日", "1", "00"}, total(16));
    row("31 Feb", {"1990年", "2月", "31日", "0", "00"}, total(9 + 7 + 6 + 16));
    row("minute 59", {"1990年", "1月", "1日", "0", "59"}, total(37));
    row("minute typed text", {"1990年", "1月", "1日", "0", "abc"}, total(37));
    row("typed month 13", {"1990", "13", "1", "0", "0"}, total(9 + 0 + 6 + 16));
    row("typed month 123", {"1990", "123", "1", "0", "0"}, total(37));
    row("hex year", {"$7C6", "1", "1", "0", "0"}, total(37)); // 0x7C6 = 1990
    row("signed hour", {"1990", "1", "1", "+0", "0"}, total(37));
    row("hour 24", {"1990", "1", "1", "24", "0"}, total(9 + 6 + 6));
    row("hour past 2^31", {"1990", "1", "1", "2147483648", "0"}, failure("2147483648"));
    row("typed year abcd1990", {"abcd1990", "1月", "1日", "0", "00"}, failure("abcd"));
    row("emptied month", {"1990年", "", "1日", "0", "00"}, failure(""));
    row("year fails before month", {"x", "y", "1日", "0", "00"}, failure("x"));
    row("trailing space in hour", {"1990年", "1月", "1日", "0 ", "00"}, failure("0 "));
    row("leading spaces in hour", {"1990年", "1月", "1日", "  0", "00"}, total(37));
    row("full-width digits", {"１９９０年", "1月", "1日", "0", "00"}, failure("１９"));
    row("emoji in hour", {"1990年", "1月", "1日", "😀", "00"}, failure("?"));
    row("year cut inside a character", {"199年", "1月", "1日", "0", "00"}, failure("199\uFFFD"));
    row("long typed year", {QString(2000, u'9'), "1月", "1日", "0", "00"}, total(0 + 6 + 6 + 16));
    row("long typed hour", {"1990年", "1月", "1日", QString(2000, u'7'), "00"},
        failure(QByteArray(2000, '7').constData()));
}

void TestReckoning::reckon()
{
    QFETCH(QStringList, texts);
    QFETCH(Outcome, outcome);
    const BirthTexts input{texts[0], texts[1], texts[2], texts[3], texts[4]};
    try {
        const std::optional<Reading> reading = ::reckon(input);
        QVERIFY2(outcome.kind != Outcome::Failure, "expected a failure");
        QCOMPARE(reading.has_value(), outcome.kind == Outcome::Total);
        if (reading) {
            QCOMPARE(reading->weightLine, WeightLine(outcome.total));
            QCOMPARE(reading->verse, VerseText(outcome.total));
        }
    } catch (const base::Failure &f) {
        QCOMPARE(f.message(), outcome.message);
        QCOMPARE(outcome.kind, Outcome::Failure);
    }
}

QTEST_GUILESS_MAIN(TestReckoning)
#include "tst_reckoning.moc"
