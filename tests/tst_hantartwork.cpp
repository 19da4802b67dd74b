// The Traditional twins of the pictures with words: what the lettering refuses, and the
// committed twins held to the pictures' rules. The words are judged by OpenCC's own tables
// (text::simplifiedOnlyCharacters, and t2s to read them back), not by the tool's lettering.

#include "picture/jpeg.h"
#include "text/openccdictionary.h"
#include "tools/artwork/checks.h"
#include "tools/artwork/ink.h"
#include "tools/artwork/lettering.h"
#include "tools/artwork/palmdescription.h"
#include "tools/artwork/twins.h"

#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTest>

using namespace artwork;
using text::Edition;

class TestHantArtwork : public QObject
{
    Q_OBJECT
private slots:
    void letteringWritesInTheEditionsFace_data();
    void letteringWritesInTheEditionsFace();
    void committedTwinsKeepEveryRule();
};

void TestHantArtwork::letteringWritesInTheEditionsFace_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("problems");
    QTest::newRow("taiwan") << Edition::Taiwan << "家风纹"
                            << "家風紋" << 0;
    QTest::newRow("hong kong") << Edition::HongKong << "兑"
                               << "兑" << 0;
    // An emoji has no glyph in a Song face: it would fall back to another face or a box.
    QTest::newRow("no glyph") << Edition::Taiwan << "天纹\U0001F600"
                              << "天紋\U0001F600" << 1;
}

void TestHantArtwork::letteringWritesInTheEditionsFace()
{
    QFETCH(Edition, edition);
    QFETCH(QString, word);
    QFETCH(QString, written);
    QFETCH(int, problems);
    const QRectF simplified = ink::glyphs(word, 20).boundingRect();
    {
        const Lettering lettering(edition);
        const QPainterPath drawn = ink::glyphs(word, 20);
        QCOMPARE(lettering.written(), QStringList{written});
        QCOMPARE(lettering.problems().size(), problems);
        QCOMPARE(Lettering::face(20).families(), QStringList{songFamily(edition)});
        QPainterPath expected;
        expected.addText(0, 0, Lettering::face(20), written);
        QCOMPARE(drawn.boundingRect().size(), expected.boundingRect().size());
    }
    // Out of the lettering's scope, the Simplified pictures' words and face again.
    QCOMPARE(ink::glyphs(word, 20).boundingRect(), simplified);
    QCOMPARE(Lettering::write(word), word);
}

// The twins as the descriptions draw them now: every rule of their pictures kept, no
// Simplified-only character drawn, every word read back by OpenCC as the word meant, and the
// committed files exactly this set and these drawings.
void TestHantArtwork::committedTwinsKeepEveryRule()
{
    QList<PalmPicture> palms;
    for (const char *name : {"palm_items_1.txt", "palm_items_2.txt"}) {
        QFile file(QStringLiteral(LORVEX_ARTWORK_DIR "/") + QLatin1String(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        palms += parsePalmDescriptions(QString::fromUtf8(file.readAll()), QLatin1String(name))
                     .pictures;
    }
    const TwinSet set = drawTwins(wordedPictures(palms));
    QVERIFY2(set.problems.isEmpty(), qPrintable(set.problems.join(u'\n')));

    QSet<char32_t> simplifiedOnly = text::simplifiedOnlyCharacters(Edition::Taiwan);
    simplifiedOnly.intersect(text::simplifiedOnlyCharacters(Edition::HongKong));
    QVERIFY(simplifiedOnly.contains(U'纹'));
    QVERIFY(set.written.contains(QStringLiteral("離")));
    for (qsizetype i = 0; i < set.written.size(); ++i) {
        const QString &written = set.written.at(i);
        for (const char32_t c : written.toUcs4())
            QVERIFY2(!simplifiedOnly.contains(c), qPrintable(written));
        // A word written otherwise reads back as the word meant. (One left as it is needs no
        // reading back, and could not have it: t2s takes the trigram 乾 for 干.)
        if (written != set.words.at(i))
            QCOMPARE(text::traditionalToSimplified(written), set.words.at(i));
    }

    const QString pictures = QStringLiteral(LORVEX_ARTWORK_DIR "/../../assets/pictures/");
    QSet<QString> committed, drawn;
    for (const char *folder : {"hant", "hant-tw", "hant-hk"}) {
        QDirIterator it(pictures + QLatin1String(folder), {QStringLiteral("*.jpg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            committed.insert(it.next().mid(pictures.size()));
    }
    for (const Twin &twin : set.twins) {
        for (const auto &[suffix, image] :
             {std::pair{".jpg", twin.picture}, std::pair{"@2x.jpg", twin.finer}}) {
            const QString name = twin.name + QLatin1String(suffix);
            drawn.insert(name);
            QFile file(pictures + name);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            const QImage decoded = decodeJpeg(file.readAll());
            QCOMPARE(decoded.size(), image.size());
            QVERIFY2(visibleDifference(decoded, image, {60, PixelStep::Measure::Largest}) == 0,
                     qPrintable(name + QStringLiteral(" is not what its description draws")));
        }
    }
    QCOMPARE(committed, drawn);
}

QTEST_MAIN(TestHantArtwork)
#include "tst_hantartwork.moc"
