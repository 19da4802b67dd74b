#include "boneweight/plainwords.h"
#include "boneweight/verses.h"
#include "text/gbk.h"

#include <QRegularExpression>
#include <QSet>
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
    void plainWords_data();
    void plainWords();
    void plainWordsOutsideTheVerses();
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

// The plain words beside each verse: built-in text, so every character must have its GBK form;
// each told in three to five sentences of its own, the verse's dire words only as the old saying.
void TestGbk::plainWords_data()
{
    QTest::addColumn<int>("qian");
    for (int qian = 21; qian <= 71; ++qian)
        QTest::newRow(qPrintable(QStringLiteral("%1 qian").arg(qian))) << qian;
}

void TestGbk::plainWords()
{
    QFETCH(int, qian);
    const char *source = PlainWords(qian);
    QVERIFY(source);
    const QString words = QString::fromUtf8(source);
    QVERIFY(text::fitsGbk(words));
    const qsizetype sentences = words.count(u'。');
    QVERIFY2(sentences >= 3 && sentences <= 5, qPrintable(QString::number(sentences)));
    QVERIFY(words.endsWith(u'。') && !words.contains(QStringLiteral("。。")));
    for (QChar c : words)
        QVERIFY2(c.unicode() >= 0x80, "half-width character");

    // A verse's warning of an early death, begging or childlessness is passed on as what the old
    // saying holds, never as the reader's own word.
    static const QRegularExpression dire(QStringLiteral("短命|大凶|行乞|难养|孤寒"));
    if (words.contains(dire))
        QVERIFY2(words.contains(QStringLiteral("旧")), qPrintable(words));

    // No two explanations share a third of their runs of four characters.
    auto grams = [](const QString &t) {
        QSet<QString> g;
        for (qsizetype i = 0; i + 4 <= t.size(); ++i)
            g.insert(t.mid(i, 4));
        return g;
    };
    const QSet<QString> own = grams(words);
    for (int other = 21; other <= 71; ++other) {
        if (other == qian)
            continue;
        const QSet<QString> theirs = grams(QString::fromUtf8(PlainWords(other)));
        const qsizetype shared = QSet<QString>(own).intersect(theirs).size();
        QVERIFY2(3 * shared < std::min(own.size(), theirs.size()),
                 qPrintable(QStringLiteral("like %1 qian").arg(other)));
    }
}

void TestGbk::plainWordsOutsideTheVerses()
{
    // Exactly the totals that have a verse have plain words.
    for (int qian : {-1, 0, 20, 72, 100})
        QVERIFY2(!PlainWords(qian) && VerseText(qian) == QStringLiteral("  "),
                 qPrintable(QString::number(qian)));
}

QTEST_GUILESS_MAIN(TestGbk)
#include "tst_gbk.moc"
