// Which picture each edition shows: the Traditional twin where the artwork tool drew one for it,
// else the Simplified picture. The expectations follow from the words in the pictures and how
// OpenCC writes them: 离 → 離 in both standards, 兑 → 兌 in Taiwan's only, 纹 → 紋 in both, 命,
// 肘前 and the palaces 巽 坎 乾 … unchanged.

#include "base/editionpicture.h"
#include "picture/jpeg.h"

#include <QDirIterator>
#include <QTest>

using text::Edition;

class TestEditionPicture : public QObject
{
    Q_OBJECT
private slots:
    void showsTheEditionsTwin_data();
    void showsTheEditionsTwin();
    void everyTwinStandsInForItsPicture();
};

void TestEditionPicture::showsTheEditionsTwin_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const char *path, Edition edition, const char *shown) {
        QTest::newRow(name) << QString::fromLatin1(path) << edition << QString::fromLatin1(shown);
    };
    // Image1 is labelled 离, Image6 兑, Image3 艮 (written alike, drawn in the edition's face);
    // Image10 has no words.
    row("离 simplified", ":/pictures/palm/Image1.jpg", Edition::Simplified,
        ":/pictures/palm/Image1.jpg");
    row("离 taiwan", ":/pictures/palm/Image1.jpg", Edition::Taiwan,
        ":/pictures/hant-tw/palm/Image1.jpg");
    row("兑 taiwan", ":/pictures/palm/Image6.jpg", Edition::Taiwan,
        ":/pictures/hant-tw/palm/Image6.jpg");
    row("兑 hong kong", ":/pictures/palm/Image6.jpg", Edition::HongKong,
        ":/pictures/hant-hk/palm/Image6.jpg");
    row("艮", ":/pictures/palm/Image3.jpg", Edition::Taiwan, ":/pictures/hant-tw/palm/Image3.jpg");
    row("no words", ":/pictures/palm/Image10.jpg", Edition::Taiwan, ":/pictures/palm/Image10.jpg");
    row("lines chart", ":/pictures/chart/i1.jpg", Edition::HongKong,
        ":/pictures/hant-hk/chart/i1.jpg");
    row("palaces chart taiwan", ":/pictures/chart/i2.jpg", Edition::Taiwan,
        ":/pictures/hant-tw/chart/i2.jpg");
    row("palaces chart hong kong", ":/pictures/chart/i2.jpg", Edition::HongKong,
        ":/pictures/hant-hk/chart/i2.jpg");
    row("肘后", ":/pictures/mole/k02.jpg", Edition::Taiwan, ":/pictures/hant-tw/mole/k02.jpg");
    row("肘前", ":/pictures/mole/k01.jpg", Edition::Taiwan, ":/pictures/hant-tw/mole/k01.jpg");
    row("命", ":/pictures/Image218.jpg", Edition::Taiwan, ":/pictures/hant-tw/Image218.jpg");
    row("face mole", ":/pictures/mole/g01.jpg", Edition::Taiwan, ":/pictures/mole/g01.jpg");
    row("missing", ":/pictures/palm/Image999.jpg", Edition::Taiwan, ":/pictures/palm/Image999.jpg");
    row("not built in", "/tmp/palm/Image1.jpg", Edition::Taiwan, "/tmp/palm/Image1.jpg");
}

void TestEditionPicture::showsTheEditionsTwin()
{
    QFETCH(QString, path);
    QFETCH(Edition, edition);
    QFETCH(QString, shown);
    QCOMPARE(base::editionPicture(path, edition), shown);
}

// A twin is shown in its picture's place: the same size at both finenesses, and its picture is
// there to fall back on.
void TestEditionPicture::everyTwinStandsInForItsPicture()
{
    int twins = 0;
    for (const char *folder : {"hant", "hant-tw", "hant-hk"}) {
        const QString root = QStringLiteral(":/pictures/") + QLatin1String(folder);
        QDirIterator it(root, {QStringLiteral("*.jpg")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString twin = it.next();
            if (twin.endsWith(QLatin1String("@2x.jpg")))
                continue;
            ++twins;
            const QString picture = QStringLiteral(":/pictures") + twin.mid(root.size());
            for (const qreal ratio : {1.0, 2.0}) {
                const QImage shown = builtInPicture(twin, ratio);
                QVERIFY2(!shown.isNull(), qPrintable(twin));
                QCOMPARE(shown.size(), builtInPicture(picture, ratio).size());
                QCOMPARE(shown.devicePixelRatio(), ratio);
            }
        }
    }
    QVERIFY(twins > 0);
}

QTEST_MAIN(TestEditionPicture)
#include "tst_editionpicture.moc"
