// The part of each Traditional Song face that the program keeps beside itself must draw every
// character of our texts exactly as the whole face of the system draws it, and leave the rest to
// the whole face.

#include "base/look.h"
#include "edition/edition.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QTextLayout>
#include <QtTest>

using text::Edition;

namespace {

// Every character of the edition's catalogue: its translations and the Simplified texts they
// translate.
QSet<char32_t> catalogueCharacters(const QString &locale)
{
    QFile file(QStringLiteral(LORVEX_SOURCE_DIR "/edition/translations/lorvex_%1.ts").arg(locale));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<char32_t> characters;
    for (const char32_t c : QString::fromUtf8(file.readAll()).toUcs4()) {
        if (c >= 0x20)
            characters.insert(c);
    }
    return characters;
}

QRawFont wholeFace(const QString &family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoFontMerging);
    return QRawFont::fromFont(font);
}

} // namespace

class SongFaces : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { edition::setEdition(Edition::Simplified); }

    void drawsOurTextsAsTheWholeFace_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("whole");
        QTest::newRow("Taiwan") << Edition::Taiwan << "zh_TW"
                                << "cwTeXMing";
        QTest::newRow("Hong Kong") << Edition::HongKong << "zh_HK"
                                   << "AR PL UMing HK";
    }

    void drawsOurTextsAsTheWholeFace()
    {
        QFETCH(Edition, edition);
        QFETCH(QString, locale);
        QFETCH(QString, whole);
        edition::setEdition(edition);
        const QStringList faces = edition::songFaces();
        QCOMPARE(faces.size(), 2);
        QCOMPARE(faces.last(), whole);
        QCOMPARE(QFontInfo(base::songFont(13)).family(), faces.first());

        const QSet<char32_t> characters = catalogueCharacters(locale);
        QVERIFY(characters.size() > 2000);
        // Every height the pages ask for, as fitted: 12 to 29 pixels, a pixel or two less.
        for (int pixels = 10; pixels <= 29; ++pixels) {
            const QRawFont part = wholeFace(faces.first(), pixels);
            const QRawFont full = wholeFace(whole, pixels);
            QCOMPARE(part.familyName(), faces.first());
            QCOMPARE(full.familyName(), whole);
            QCOMPARE(part.ascent(), full.ascent());
            QCOMPARE(part.descent(), full.descent());
            QCOMPARE(part.leading(), full.leading());
            int drawn = 0;
            for (const char32_t c : characters) {
                const QString one = QString::fromUcs4(&c, 1);
                const QList<quint32> inPart = part.glyphIndexesForString(one);
                const QList<quint32> inFull = full.glyphIndexesForString(one);
                if (inFull.value(0) == 0)
                    continue; // the whole face lacks it too: a face behind both draws it
                QVERIFY2(inPart.value(0) != 0, qPrintable(one));
                QCOMPARE(part.advancesForGlyphIndexes(inPart),
                         full.advancesForGlyphIndexes(inFull));
                QVERIFY2(part.alphaMapForGlyph(inPart[0], QRawFont::PixelAntialiasing)
                             == full.alphaMapForGlyph(inFull[0], QRawFont::PixelAntialiasing),
                         qPrintable(QStringLiteral("%1 at %2 px").arg(one).arg(pixels)));
                if (pixels == 29)
                    QCOMPARE(part.pathForGlyph(inPart[0]), full.pathForGlyph(inFull[0]));
                ++drawn;
            }
            QVERIFY2(drawn > 1500, qPrintable(QString::number(drawn)));
        }
    }

    // A user's own text may hold a character none of ours has: the whole face draws it, not a
    // Simplified face further down the list.
    void leavesOtherCharactersToTheWholeFace_data() { drawsOurTextsAsTheWholeFace_data(); }

    void leavesOtherCharactersToTheWholeFace()
    {
        QFETCH(Edition, edition);
        QFETCH(QString, locale);
        QFETCH(QString, whole);
        edition::setEdition(edition);
        const QSet<char32_t> ours = catalogueCharacters(locale);
        const QRawFont full = wholeFace(whole, 20);
        QString rare;
        for (char32_t c = 0x4E00; c < 0x9FA5 && rare.size() < 6; ++c) {
            if (!ours.contains(c) && full.supportsCharacter(c))
                rare += QString::fromUcs4(&c, 1);
        }
        QCOMPARE(rare.size(), 6);
        QTextLayout layout(rare, base::songFont(20));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        QVERIFY(!runs.isEmpty());
        for (const QGlyphRun &run : runs)
            QCOMPARE(run.rawFont().familyName(), whole);
    }

    // The Song face's list names faces a Debian desktop lacks (SimSun and its kin); they are left
    // out of the font, and every character must come from the face it came from with them in.
    void absentFacesLeftOutChangeNoFace_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::newRow("Simplified") << Edition::Simplified;
        QTest::newRow("Taiwan") << Edition::Taiwan;
        QTest::newRow("Hong Kong") << Edition::HongKong;
    }

    void absentFacesLeftOutChangeNoFace()
    {
        QFETCH(Edition, edition);
        edition::setEdition(edition);
        const QFont font = base::songFont(16);
        for (const QString &family : font.families())
            QVERIFY2(!QFontDatabase::styles(family).isEmpty(), qPrintable(family));
        QFont whole = font;
        whole.setFamilies(base::songFamilies());
        QVERIFY(whole.families().size() > font.families().size());
        // Latin, our own texts' characters, Traditional forms the Simplified face lacks, and
        // characters of the extensions only faces further down have.
        const QString sample = QStringLiteral("Ab1 我有几两命 們說兌 䶮\U00020000\U0002A700");
        const auto faces = [&sample](const QFont &f) {
            QTextLayout layout(sample, f);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            QStringList names;
            for (const QGlyphRun &run : layout.glyphRuns())
                for (int i = 0; i < run.glyphIndexes().size(); ++i)
                    names << run.rawFont().familyName();
            return names;
        };
        QCOMPARE(faces(font), faces(whole));
    }
};

QTEST_MAIN(SongFaces)
#include "tst_songfaces.moc"
