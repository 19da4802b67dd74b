#include "text/gbk.h"

#include <QTest>

class TestGbk : public QObject
{
    Q_OBJECT
private slots:
    void encode_data();
    void encode();
    void decodeLeniently_data();
    void decodeLeniently();
    void fits_data();
    void fits();
};

void TestGbk::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("1990") << QByteArray("1990");
    QTest::newRow("year item") << QStringLiteral("1990年") << QByteArray("1990\xc4\xea");
    QTest::newRow("gbk-only 姪") << QStringLiteral("姪") << QByteArray("\x8a\xa9");
    QTest::newRow("full-width colon") << QStringLiteral("：") << QByteArray("\xa3\xba");
    QTest::newRow("emoji becomes ?") << QStringLiteral("1😀9") << QByteArray("1?9");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestGbk::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(text::toGbk(text), bytes);
}

void TestGbk::decodeLeniently_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << QByteArray("\xb3\xf6\xc9\xfa") << QStringLiteral("出生");
    // A cut in the middle of 年 leaves its lead byte alone at the end.
    QTest::newRow("cut lead byte at end") << QByteArray("199\xc4") << QStringLiteral("199\uFFFD");
    QTest::newRow("lone lead byte before ascii") << QByteArray("\xc4"
                                                               "1")
                                                 << QStringLiteral("\uFFFD1");
    QTest::newRow("only a lead byte") << QByteArray("\xb3") << QStringLiteral("\uFFFD");
}

void TestGbk::decodeLeniently()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(text::fromGbk(bytes), text);
}

void TestGbk::fits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::newRow("verse character 姪") << QStringLiteral("弟兄叔姪皆如意") << true;
    QTest::newRow("simplified") << QStringLiteral("你的命重： 3两7钱") << true;
    QTest::newRow("emoji") << QStringLiteral("😀") << false;
    QTest::newRow("question mark itself") << QStringLiteral("?") << true;
}

void TestGbk::fits()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);
    QCOMPARE(text::fitsGbk(text), fits);
}

QTEST_GUILESS_MAIN(TestGbk)
#include "tst_gbk.moc"
