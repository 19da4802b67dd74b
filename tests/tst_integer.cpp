#include "base/failure.h"
#include "boneweight/integer.h"
#include "text/gbk.h"

#include <QTest>

#include <optional>

using MaybeInt = std::optional<std::int32_t>;
Q_DECLARE_METATYPE(MaybeInt)

class TestInteger : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void failureNamesThePart_data();
    void failureNamesThePart();
};

void TestInteger::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<MaybeInt>("value");
    const MaybeInt none;
    // Decimal
    QTest::newRow("plain") << QByteArray("1990") << MaybeInt(1990);
    QTest::newRow("zero") << QByteArray("0") << MaybeInt(0);
    QTest::newRow("leading zeros") << QByteArray("0012") << MaybeInt(12);
    QTest::newRow("leading spaces") << QByteArray("   7") << MaybeInt(7);
    QTest::newRow("plus") << QByteArray("+5") << MaybeInt(5);
    QTest::newRow("minus") << QByteArray("-5") << MaybeInt(-5);
    QTest::newRow("spaces then sign") << QByteArray("  -12") << MaybeInt(-12);
    QTest::newRow("max") << QByteArray("2147483647") << MaybeInt(2147483647);
    QTest::newRow("min") << QByteArray("-2147483648") << MaybeInt(INT32_MIN);
    QTest::newRow("max + 1") << QByteArray("2147483648") << none;
    QTest::newRow("min - 1") << QByteArray("-2147483649") << none;
    QTest::newRow("2^40") << QByteArray("1099511627776") << none;
    QTest::newRow("many digits") << QByteArray(2000, '9') << none;
    QTest::newRow("many zeros then 1") << QByteArray(2000, '0') + "1" << MaybeInt(1);
    // Hexadecimal
    QTest::newRow("$ hex") << QByteArray("$1A") << MaybeInt(26);
    QTest::newRow("x hex") << QByteArray("x1f") << MaybeInt(31);
    QTest::newRow("X hex") << QByteArray("XFF") << MaybeInt(255);
    QTest::newRow("0x hex") << QByteArray("0x10") << MaybeInt(16);
    QTest::newRow("0X hex mixed case") << QByteArray("0XaB") << MaybeInt(171);
    QTest::newRow("signed hex") << QByteArray("-$10") << MaybeInt(-16);
    QTest::newRow("spaces before hex") << QByteArray("  0x7") << MaybeInt(7);
    QTest::newRow("hex max") << QByteArray("$7FFFFFFF") << MaybeInt(2147483647);
    QTest::newRow("hex min") << QByteArray("-$80000000") << MaybeInt(INT32_MIN);
    QTest::newRow("hex past max") << QByteArray("$80000000") << none;
    QTest::newRow("hex all ones") << QByteArray("$FFFFFFFF") << none;
    QTest::newRow("$ alone") << QByteArray("$") << none;
    QTest::newRow("0x alone") << QByteArray("0x") << none;
    QTest::newRow("x alone") << QByteArray("x") << none;
    QTest::newRow("hex digit in decimal") << QByteArray("1A") << none;
    QTest::newRow("g in hex") << QByteArray("$1G") << none;
    QTest::newRow("two prefixes") << QByteArray("$0x1") << none;
    // Not numbers
    QTest::newRow("empty") << QByteArray() << none;
    QTest::newRow("only spaces") << QByteArray("   ") << none;
    QTest::newRow("only sign") << QByteArray("-") << none;
    QTest::newRow("two signs") << QByteArray("--1") << none;
    QTest::newRow("space after sign") << QByteArray("- 1") << none;
    QTest::newRow("trailing space") << QByteArray("12 ") << none;
    QTest::newRow("tab before") << QByteArray("\t12") << none;
    QTest::newRow("letters") << QByteArray("abcd") << none;
    QTest::newRow("decimal point") << QByteArray("1.5") << none;
    QTest::newRow("question mark from emoji") << QByteArray("?") << none;
    QTest::newRow("full-width digits") << text::toGbk(u"１９") << none;
    QTest::newRow("digit and lead byte") << QByteArray("1\xd4") << none;
}

void TestInteger::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(MaybeInt, value);
    QCOMPARE(parseInteger(text), value);
}

void TestInteger::failureNamesThePart_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters") << QByteArray("abcd")
                             << QStringLiteral("'abcd' is not a valid integer value");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("'' is not a valid integer value");
    QTest::newRow("chinese") << text::toGbk(u"出生年")
                             << QStringLiteral("'出生年' is not a valid integer value");
    QTest::newRow("cut inside a character")
        << QByteArray("199\xc4") << QStringLiteral("'199\uFFFD' is not a valid integer value");
}

void TestInteger::failureNamesThePart()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    try {
        strToInt(text);
        QFAIL("no failure raised");
    } catch (const base::Failure &failure) {
        QCOMPARE(failure.message(), message);
    }
}

QTEST_GUILESS_MAIN(TestInteger)
#include "tst_integer.moc"
