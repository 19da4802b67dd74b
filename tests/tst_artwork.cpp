#include "picture/jpeg.h"
#include "tools/artwork/checks.h"
#include "tools/artwork/imagefiles.h"
#include "tools/artwork/ink.h"
#include "tools/artwork/palmchecks.h"
#include "tools/artwork/palmdescription.h"
#include "tools/artwork/palmdrawing.h"
#include "tools/artwork/pictures.h"
#include "tools/artwork/reviewsheet.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace artwork;

Q_DECLARE_METATYPE(artwork::PixelStep::Measure)

namespace {

// The sampling factors of a JPEG's components (one byte each, horizontal in the high nibble), as
// its frame header gives them; empty when the bytes have no frame header.
QByteArray samplingFactors(const QByteArray &jpeg)
{
    qsizetype at = 2; // past the start-of-image marker
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        const qsizetype length = uchar(jpeg[at + 2]) * 256 + uchar(jpeg[at + 3]);
        if (marker >= 0xC0 && marker <= 0xC2 && at + 10 <= jpeg.size()) {
            QByteArray factors;
            const int components = uchar(jpeg[at + 9]);
            for (int c = 0; c < components && at + 12 + 3 * c <= jpeg.size(); ++c)
                factors.append(jpeg[at + 11 + 3 * c]);
            return factors;
        }
        at += 2 + length;
    }
    return {};
}

// The first picture of a one-line description; fails the test on any parse error.
PalmPicture parsedPicture(const QString &line)
{
    const PalmParse parse = ParsePalmDescriptions(line, QStringLiteral("test.txt"));
    if (!parse.errors.isEmpty() || parse.pictures.size() != 1) {
        QTest::qFail(qPrintable(parse.errors.join(u'\n')), __FILE__, __LINE__);
        return {};
    }
    return parse.pictures.first();
}

QString anchorText(const Anchor &a)
{
    static const char *palaces[]
        = {"xun", "li", "kun", "zhen", "dui", "gen", "kan", "qian", "ming"};
    static const char *fingers[] = {"thumb", "index", "middle", "ring", "little"};
    static const char *lines[] = {"tian", "ren", "di", "shiye", "liuxiu", "jiafeng"};
    switch (a.kind) {
    case Anchor::Kind::Palace:
        return QLatin1String(palaces[int(a.palace)]);
    case Anchor::Kind::Wrist:
        return QStringLiteral("wrist");
    case Anchor::Kind::FingerTip:
        return QLatin1String(fingers[int(a.finger)]);
    case Anchor::Kind::FingerBase:
        return QStringLiteral("base:") + QLatin1String(fingers[int(a.finger)]);
    case Anchor::Kind::OnLine:
        break;
    }
    return QStringLiteral("%1@%2").arg(QLatin1String(lines[int(a.line)])).arg(a.t);
}

// What the parser understood, as a few words per statement, to compare with the rows below.
QString summaryOf(const PalmPicture &picture)
{
    QStringList out;
    for (const Statement &statement : picture.statements) {
        QStringList w;
        if (const auto *s = std::get_if<LineStatement>(&statement)) {
            w << QStringLiteral("line%1").arg(int(s->line));
            const std::pair<bool, const char *> flags[] = {
                {s->hi, "hi"},     {s->none, "none"},   {s->isShort, "short"}, {s->isLong, "long"},
                {s->wavy, "wavy"}, {s->chain, "chain"}, {s->sister, "double"}, {s->faint, "faint"}};
            for (const auto &[on, name] : flags)
                if (on)
                    w << QLatin1String(name);
            for (double b : s->breaks)
                w << QStringLiteral("break@%1").arg(b);
            if (s->start)
                w << QStringLiteral("start=") + anchorText(*s->start);
            if (s->end)
                w << QStringLiteral("end=") + anchorText(*s->end);
        } else if (const auto *s = std::get_if<PathStatement>(&statement)) {
            w << QStringLiteral("path") << anchorText(s->from) << anchorText(s->to)
              << QString::number(s->bend) << (s->hi ? QStringLiteral("hi") : QString());
        } else if (const auto *s = std::get_if<BranchStatement>(&statement)) {
            w << QStringLiteral("branch%1@%2").arg(int(s->line)).arg(s->t)
              << QString::number(int(s->toward))
              << (s->toward == BranchStatement::Toward::Anchor ? anchorText(s->to) : QString())
              << (s->hi ? QStringLiteral("hi") : QString());
        } else if (const auto *s = std::get_if<MarkStatement>(&statement)) {
            w << QStringLiteral("mark%1").arg(int(s->kind)) << anchorText(s->at);
        } else if (const auto *s = std::get_if<LinesStatement>(&statement)) {
            w << QStringLiteral("lines%1").arg(s->count) << anchorText(s->at)
              << (s->horizontal ? QStringLiteral("h") : QStringLiteral("v"));
        } else if (const auto *s = std::get_if<MessStatement>(&statement)) {
            w << QStringLiteral("mess")
              << (s->wholePalm ? QStringLiteral("palm") : anchorText(s->at));
        } else if (const auto *s = std::get_if<FingerStatement>(&statement)) {
            w << QStringLiteral("finger%1").arg(int(s->finger)) << QString::number(s->isShort)
              << QString::number(s->isLong) << QString::number(s->bent) << QString::number(s->thin)
              << QString::number(s->hairy);
        } else if (const auto *s = std::get_if<LabelStatement>(&statement)) {
            w << QStringLiteral("label%1").arg(int(s->palace));
        }
        w.removeAll(QString());
        out << w.join(u' ');
    }
    return out.join(QStringLiteral("; "));
}

// Ink of a feature: the red of marks and featured lines, or the blue of palace names.
bool isRed(QColor c)
{
    return (c.red() - c.green() > 60 && c.red() - c.blue() > 60) || c.blue() - c.red() > 60;
}

int countNear(const QImage &image, QPointF centre, double radius, bool (*test)(QColor))
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QLineF(centre, QPointF(x + 0.5, y + 0.5)).length() <= radius
                && test(image.pixelColor(x, y)))
                ++count;
    return count;
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT
private slots:
    void parsesGoodLines_data();
    void parsesGoodLines();
    void namesTheItemAndWordOfEachMistake_data();
    void namesTheItemAndWordOfEachMistake();
    void writesPicturesOfTheirSizes_data();
    void writesPicturesOfTheirSizes();
    void iconIsTwentyFourBitPng();
    void largerIconsAreTheSamePicture_data();
    void largerIconsAreTheSamePicture();
    void drawsTheSameBytesEveryTime();
    void featuresChangeTheRightPixels_data();
    void featuresChangeTheRightPixels();
    void fingerShapesMoveTheTip_data();
    void fingerShapesMoveTheTip();
    void committedDescriptionsCoverEveryItem();
    void checksRefuseWhatBreaksTheirRule_data();
    void checksRefuseWhatBreaksTheirRule();
    void labelsStandOnTheirOwnPalace_data();
    void labelsStandOnTheirOwnPalace();
    void lookAlikesAreThoseBelowTheThreshold_data();
    void lookAlikesAreThoseBelowTheThreshold();
    void aPixelDiffersPastItsStep_data();
    void aPixelDiffersPastItsStep();
    void directionsKeepTheirWay_data();
    void directionsKeepTheirWay();
    void glyphsStandOnTheirCentre();
    void aFinerDrawingMustShowThePicture();
    void committedPicturesKeepEveryRule();
    void reviewSheetsShowPicturesAtBothSizesAndOnPages();
};

void TestArtwork::parsesGoodLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("number");

    QTest::newRow("line with options") << "Image12: line shiye hi end=li; mark star shiye@0.8"
                                       << "line3 hi end=li; mark1 shiye@0.8" << 12;
    QTest::newRow("every line option")
        << "Image3: line ren none short long wavy chain double faint break@0.2 break@0.7 "
           "start=base:index end=wrist"
        << "line1 none short long wavy chain double faint break@0.2 break@0.7 start=base:index "
           "end=wrist"
        << 3;
    QTest::newRow("comment, spaces and empty statements")
        << "  Image217 :  label  kan ;; mark x tian@0  # after the comment: mark star li"
        << "label6; mark3 tian@0" << 217;
    QTest::newRow("path with bend") << "Image4: path base:little kan bend=-0.5 hi"
                                    << "path base:little kan -0.5 hi" << 4;
    QTest::newRow("branch to anchor") << "Image5: branch di@0.4 to xun hi"
                                      << "branch2@0.4 0 xun hi" << 5;
    QTest::newRow("branch up and down") << "Image6: branch tian@1 up; branch jiafeng@0 down"
                                        << "branch0@1 1; branch5@0 2" << 6;
    QTest::newRow("lines") << "Image7: lines 3 dui; lines 12 ren@0.5 horizontal"
                           << "lines3 dui v; lines12 ren@0.5 h" << 7;
    QTest::newRow("mess") << "Image8: mess palm; mess ming"
                          << "mess palm; mess ming" << 8;
    QTest::newRow("finger shapes") << "Image9: finger thumb bent hairy; finger ring long"
                                   << "finger0 0 0 1 0 1; finger3 0 1 0 0 0" << 9;
    QTest::newRow("every mark and fingertip anchor")
        << "Image10: mark cross thumb; mark star index; mark island middle; mark x ring; "
           "mark square little; mark dot ming; mark triangle zhen; mark circle gen; mark fork "
           "qian; mark tassel liuxiu@0.5; mark grille shiye@1"
        << "mark0 thumb; mark1 index; mark2 middle; mark3 ring; mark4 little; mark5 ming; "
           "mark6 zhen; mark7 gen; mark8 qian; mark9 liuxiu@0.5; mark10 shiye@1"
        << 10;
    QTest::newRow("no statements") << "Image56:"
                                   << "" << 56;
}

void TestArtwork::parsesGoodLines()
{
    QFETCH(QString, line);
    QFETCH(QString, summary);
    QFETCH(int, number);
    const PalmPicture picture = parsedPicture(line);
    QCOMPARE(picture.number, number);
    QCOMPARE(summaryOf(picture), summary);
}

void TestArtwork::namesTheItemAndWordOfEachMistake_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown statement")
        << "Image2: draw star li"
        << "test.txt:2: Image2: unknown statement \"draw\" in \"draw star li\"";
    QTest::newRow("unknown line option") << "Image2: line tian thick"
                                         << "Image2: unknown word \"thick\"";
    QTest::newRow("unknown line") << "Image2: line heart hi"
                                  << "Image2: unknown line \"heart\"";
    QTest::newRow("unknown mark") << "Image2: mark stra li"
                                  << "Image2: unknown mark \"stra\"";
    QTest::newRow("unknown finger shape") << "Image2: finger ring crooked"
                                          << "Image2: unknown word \"crooked\"";
    QTest::newRow("trailing word") << "Image2: label li kan"
                                   << "Image2: unknown word \"kan\"";
    QTest::newRow("label of no palace") << "Image2: label wrist"
                                        << "Image2: unknown palace \"wrist\"";
    QTest::newRow("bad anchor") << "Image2: mark star lii"
                                << "Image2: bad anchor \"lii\"";
    QTest::newRow("bad finger base") << "Image2: path base:toe wrist"
                                     << "bad anchor \"base:toe\"";
    QTest::newRow("misspelt line in anchor") << "Image2: mark x tain@0.5"
                                             << "bad anchor \"tain@0.5\"";
    QTest::newRow("bad end anchor") << "Image2: line ren end=centre"
                                    << "bad anchor \"centre\"";
    QTest::newRow("fraction above one") << "Image2: mark star tian@1.5"
                                        << "bad number \"1.5\"";
    QTest::newRow("fraction not a number") << "Image2: line ren break@half"
                                           << "bad number \"half\"";
    QTest::newRow("bend out of range") << "Image2: path li kan bend=2"
                                       << "bad number \"2\"";
    QTest::newRow("no strokes") << "Image2: lines 0 li"
                                << "bad number \"0\"";
    QTest::newRow("branch without direction") << "Image2: branch ren@0.5 sideways"
                                              << "unknown word \"sideways\"";
    QTest::newRow("missing anchor") << "Image2: mark star"
                                    << "Image2: missing anchor after \"star\"";
    QTest::newRow("missing key") << "mark star li"
                                 << "test.txt:2: expected \"ImageN:\"";
    QTest::newRow("bad key") << "Picture2: label li"
                             << "expected \"ImageN:\" at \"Picture2\"";
    QTest::newRow("described twice") << "Image1: label kan"
                                     << "test.txt:2: Image1 described twice";
}

void TestArtwork::namesTheItemAndWordOfEachMistake()
{
    QFETCH(QString, bad);
    QFETCH(QString, message);
    // A good line before and after: the mistake must not cost its neighbours.
    const PalmParse parse = ParsePalmDescriptions(
        QStringLiteral("Image1: label li\n%1\nImage3: mark dot ming\n").arg(bad),
        QStringLiteral("test.txt"));
    QCOMPARE(parse.errors.size(), 1);
    QVERIFY2(parse.errors.first().contains(message), qPrintable(parse.errors.first()));
    QCOMPARE(parse.pictures.size(), 2);
    QCOMPARE(parse.pictures.at(0).number, 1);
    QCOMPARE(parse.pictures.at(1).number, 3);
}

void TestArtwork::writesPicturesOfTheirSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Image1") << "Image1" << QSize(100, 142);
    QTest::newRow("Image56") << "Image56" << QSize(100, 143);
    QTest::newRow("Image217") << "Image217" << QSize(100, 142);
    QTest::newRow("Image218") << "Image218" << QSize(58, 78);
}

void TestArtwork::writesPicturesOfTheirSizes()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage drawn
        = name == QLatin1String("Image218")
              ? DrawImage218()
              : DrawPalm(parsedPicture(name + QStringLiteral(": mark star li; label li")));
    QCOMPARE(drawn.size(), size);
    const QByteArray file = EncodeJpeg(drawn);
    const QImage decoded = decodeJpeg(file);
    QCOMPARE(decoded.size(), size);
    // Red strokes one pixel wide need full colour resolution: every component sampled 1 x 1.
    QCOMPARE(samplingFactors(file), QByteArray("\x11\x11\x11"));
    // The file is the drawing: no pixel strays far after compression.
    int far = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QColor a = drawn.pixelColor(x, y), b = decoded.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
                    + std::abs(a.blue() - b.blue())
                > 90)
                ++far;
        }
    QVERIFY2(far < size.width() * size.height() / 200, qPrintable(QString::number(far)));
}

void TestArtwork::iconIsTwentyFourBitPng()
{
    const QByteArray png = EncodePng(DrawIcon());
    QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
    // IHDR: width, height, bit depth 8, colour type 2 (RGB, no alpha).
    QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(png.mid(16, 8), QByteArray::fromHex("0000003000000030"));
    QCOMPARE(int(png.at(24)), 8);
    QCOMPARE(int(png.at(25)), 2);
}

void TestArtwork::largerIconsAreTheSamePicture_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("128") << 128;
    QTest::newRow("256") << 256;
}

void TestArtwork::largerIconsAreTheSamePicture()
{
    QFETCH(int, size);
    // Pixels whose colour strays past a visible step.
    const auto farPixels = [](const QImage &a, const QImage &b) {
        int far = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
                if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green())
                        + std::abs(p.blue() - q.blue())
                    > 120)
                    ++far;
            }
        return far;
    };
    const QImage drawn = DrawIcon(size);
    QCOMPARE(drawn.size(), QSize(size, size));
    // Brought down to 48 it is the small icon, not a corner of it or a different drawing.
    const QImage small = DrawIcon();
    const QImage down = drawn.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(small.format());
    const int downFar = farPixels(down, small);
    QVERIFY2(downFar < 48 * 48 / 20, qPrintable(QString::number(downFar)));
    // The committed file is this drawing.
    const QImage committed(
        QStringLiteral(LORVEX_ARTWORK_DIR "/../../assets/icon/lorvex2004-%1.png").arg(size));
    QCOMPARE(committed.size(), drawn.size());
    const int committedFar = farPixels(committed.convertToFormat(drawn.format()), drawn);
    QCOMPARE(committedFar, 0);
}

void TestArtwork::drawsTheSameBytesEveryTime()
{
    const QString busy = QStringLiteral(
        "Image200: mess palm; mess kan; line tian hi wavy break@0.4; label li; label ming; "
        "mark star dui; path gen kun bend=0.3");
    const QByteArray first = EncodeJpeg(DrawPalm(parsedPicture(busy)));
    QVERIFY(!first.isEmpty());
    QCOMPARE(EncodeJpeg(DrawPalm(parsedPicture(busy))), first);
    QCOMPARE(EncodeJpeg(DrawImage218()), EncodeJpeg(DrawImage218()));
    QCOMPARE(EncodePng(DrawIcon()), EncodePng(DrawIcon()));
    // …and the scatter of a mess follows its item, so two pictures don't look copied.
    QVERIFY(EncodeJpeg(DrawPalm(parsedPicture(QStringLiteral("Image199: mess palm"))))
            != EncodeJpeg(DrawPalm(parsedPicture(QStringLiteral("Image200: mess palm")))));
}

void TestArtwork::featuresChangeTheRightPixels_data()
{
    QTest::addColumn<QString>("statements");
    QTest::addColumn<QString>("where");  // an anchor on the plain hand
    QTest::addColumn<double>("radius");  // pixels around it
    QTest::addColumn<int>("minimumRed"); // red pixels at least there …
    QTest::addColumn<int>("maximumRed"); // … and at most

    QTest::newRow("plain hand has no red") << ""
                                           << "ming" << 200.0 << 0 << 0;
    QTest::newRow("star at li") << "mark star li"
                                << "li" << 5.0 << 8 << 999;
    QTest::newRow("star at li stays there") << "mark star li"
                                            << "kan" << 30.0 << 0 << 0;
    QTest::newRow("cross at kan") << "mark cross kan"
                                  << "kan" << 5.0 << 8 << 999;
    QTest::newRow("island on tian") << "mark island tian@0.5"
                                    << "tian@0.5" << 5.0 << 8 << 999;
    QTest::newRow("square at the wrist") << "mark square wrist"
                                         << "wrist" << 6.0 << 12 << 999;
    QTest::newRow("featured line") << "line shiye hi"
                                   << "shiye@0.5" << 3.0 << 6 << 999;
    QTest::newRow("featured line ends at its anchor") << "line shiye hi end=xun"
                                                      << "xun" << 3.0 << 3 << 999;
    QTest::newRow("break leaves a gap") << "line ren hi break@0.5"
                                        << "ren@0.5" << 1.5 << 0 << 0;
    QTest::newRow("break keeps the rest") << "line ren hi break@0.5"
                                          << "ren@0.3" << 2.0 << 4 << 999;
    QTest::newRow("short line stops early") << "line tian hi short"
                                            << "tian@1" << 3.0 << 0 << 0;
    QTest::newRow("long line goes on") << "line tian hi long"
                                       << "xun" << 5.0 << 4 << 999;
    QTest::newRow("label near its palace") << "label dui"
                                           << "dui" << 14.0 << 15 << 999;
    QTest::newRow("label of another palace") << "label gen"
                                             << "dui" << 14.0 << 0 << 0;
    QTest::newRow("branch toward xun") << "branch ren@0.5 to xun"
                                       << "ren@0.5" << 4.0 << 3 << 999;
    QTest::newRow("short finger outlined") << "finger middle short"
                                           << "base:middle" << 9.0 << 6 << 999;
    QTest::newRow("short finger ends lower") << "finger middle short"
                                             << "middle" << 3.0 << 0 << 0;
    QTest::newRow("lines at ming") << "lines 4 ming vertical"
                                   << "ming" << 6.0 << 10 << 999;
    QTest::newRow("mess over the palm") << "mess palm"
                                        << "ming" << 25.0 << 60 << 9999;
    QTest::newRow("mark at the edge of the hand") << "mark star jiafeng@0"
                                                  << "jiafeng@0" << 9.0 << 8 << 999;
}

void TestArtwork::featuresChangeTheRightPixels()
{
    QFETCH(QString, statements);
    QFETCH(QString, where);
    QFETCH(double, radius);
    QFETCH(int, minimumRed);
    QFETCH(int, maximumRed);
    const QImage drawn = DrawPalm(parsedPicture(QStringLiteral("Image5: ") + statements));
    const auto anchor = ParseAnchorWord(where);
    QVERIFY(anchor);
    const QPointF at = PalmScene(PalmPicture{5, {}}).point(*anchor);
    const int red = countNear(drawn, at, radius, isRed);
    QVERIFY2(red >= minimumRed && red <= maximumRed, qPrintable(QString::number(red)));
}

void TestArtwork::fingerShapesMoveTheTip_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QPointF>("direction"); // the way the tip must move, at least 3 pixels
    QTest::newRow("long middle") << "finger middle long"
                                 << "middle" << QPointF(0, -1);
    QTest::newRow("short index") << "finger index short"
                                 << "index" << QPointF(0, 1);
    QTest::newRow("bent little leans in") << "finger little bent"
                                          << "little" << QPointF(-1, 0);
    QTest::newRow("bent thumb bends back") << "finger thumb bent"
                                           << "thumb" << QPointF(-1, 0);
}

void TestArtwork::fingerShapesMoveTheTip()
{
    QFETCH(QString, statement);
    QFETCH(QString, tip);
    QFETCH(QPointF, direction);
    const auto anchor = ParseAnchorWord(tip);
    QVERIFY(anchor);
    const QPointF before = PalmScene(PalmPicture{5, {}}).point(*anchor);
    const QPointF after
        = PalmScene(parsedPicture(QStringLiteral("Image5: ") + statement)).point(*anchor);
    QVERIFY2(QPointF::dotProduct(after - before, direction) >= 3,
             qPrintable(
                 QStringLiteral("%1,%2").arg(after.x() - before.x()).arg(after.y() - before.y())));
}

void TestArtwork::committedDescriptionsCoverEveryItem()
{
    QList<int> numbers;
    for (const char *name : {"palm_items_1.txt", "palm_items_2.txt"}) {
        QFile file(QStringLiteral(LORVEX_ARTWORK_DIR "/") + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("descriptions not written yet");
        const PalmParse parse
            = ParsePalmDescriptions(QString::fromUtf8(file.readAll()), QLatin1String(name));
        QVERIFY2(parse.errors.isEmpty(), qPrintable(parse.errors.join(u'\n')));
        for (const PalmPicture &picture : parse.pictures)
            numbers.append(picture.number);
    }
    std::sort(numbers.begin(), numbers.end());
    QCOMPARE(numbers.size(), 217);
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(numbers.at(i), i + 1);
}

void TestArtwork::checksRefuseWhatBreaksTheirRule_data()
{
    QTest::addColumn<QString>("statements");
    QTest::addColumn<QString>("problem"); // empty: the picture keeps every rule

    QTest::newRow("mark and label on one palace") << "mark cross li; label li"
                                                  << "";
    QTest::newRow("branch across its line")
        << "line jiafeng hi; branch jiafeng@0.5 to tian@0.25 across"
        << "";
    QTest::newRow("mess through its line") << "mess zhen through di; label zhen"
                                           << "";
    QTest::newRow("short line sent to the palm centre") << "line shiye hi short end=ming"
                                                        << "line: does not reach";
    QTest::newRow("line sent to a line left out") << "line ren hi end=tian@0.3; line tian none"
                                                  << "line: does not reach";
    QTest::newRow("branch to a line left out")
        << "line jiafeng hi; branch jiafeng@0.5 to tian@0.5; "
           "line tian none"
        << "branch: stops short";
    QTest::newRow("branch that cannot cross")
        << "branch jiafeng@0.5 to tian@0.25 across; line tian none"
        << "branch: does not cross";
    QTest::newRow("mess beside a line left out") << "mess zhen through di; line di none"
                                                 << "mess: does not break through";
    QTest::newRow("mark too big for a fingertip") << "mark grille little"
                                                  << "mark: outside the hand";
    // A branch shorter than can be seen at real size: the stub Image124 once drew.
    QTest::newRow("branch too short to see") << "line di hi; branch di@0.7 to kan hi; label kan"
                                             << "branch: 5.7 px long, too short to see";
    QTest::newRow("branch long enough") << "line di hi; branch di@0.5 to kan hi; label kan"
                                        << "";
    QTest::newRow("branch through a label") << "branch tian@0.45 to base:middle; label li"
                                            << "branch: runs under a label";
    QTest::newRow("featured line under a label") << "line shiye hi start=dui; label dui"
                                                 << "line: runs under a label";
    QTest::newRow("path through a label") << "path tian@0.45 base:middle; label li"
                                          << "path: runs under a label";
    QTest::newRow("thumb out of the picture") << "finger thumb long bent"
                                              << "hand: leaves the picture";
    QTest::newRow("label stepped off the hand") << "mark dot xun; label xun left"
                                                << "label: not on the hand";
}

void TestArtwork::checksRefuseWhatBreaksTheirRule()
{
    QFETCH(QString, statements);
    QFETCH(QString, problem);
    const QStringList problems
        = CheckPalmPicture(parsedPicture(QStringLiteral("Image5: ") + statements));
    if (problem.isEmpty()) {
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        return;
    }
    QVERIFY2(problems.size() == 1 && problems.first().startsWith(QStringLiteral("Image5: "))
                 && problems.first().contains(problem),
             qPrintable(problems.join(u'\n')));
}

void TestArtwork::labelsStandOnTheirOwnPalace_data()
{
    QTest::addColumn<int>("palace");
    QTest::addColumn<QPointF>("offset"); // from the palace point
    QTest::addColumn<bool>("stands");
    QTest::newRow("li on its point") << int(Palace::Li) << QPointF(0, 0) << true;
    QTest::newRow("li stepped up for its mark") << int(Palace::Li) << QPointF(0, -5) << true;
    QTest::newRow("li pushed left onto xun") << int(Palace::Li) << QPointF(-10, 0) << false;
    QTest::newRow("dui pushed down onto qian") << int(Palace::Dui) << QPointF(-3, 12) << false;
    QTest::newRow("kan stepped toward the wrist") << int(Palace::Kan) << QPointF(0, 9) << true;
}

void TestArtwork::labelsStandOnTheirOwnPalace()
{
    QFETCH(int, palace);
    QFETCH(QPointF, offset);
    QFETCH(bool, stands);
    const QPointF at = PalmHand::PalacePoint(Palace(palace)) + offset;
    QCOMPARE(StandsOnPalace(Palace(palace), at), stands);
}

void TestArtwork::lookAlikesAreThoseBelowTheThreshold_data()
{
    QTest::addColumn<int>("changed");   // pixels of the second picture repainted …
    QTest::addColumn<QColor>("colour"); // … in this colour
    QTest::addColumn<int>("height");    // of the second picture
    QTest::addColumn<int>("differing"); // plainly differing pixels expected
    QTest::newRow("same picture") << 0 << QColor(Qt::white) << 142 << 0;
    QTest::newRow("39 red pixels") << 39 << QColor(165, 18, 18) << 142 << 39;
    QTest::newRow("40 red pixels") << 40 << QColor(165, 18, 18) << 142 << 40;
    QTest::newRow("a faint tint everywhere") << 14200 << QColor(225, 225, 225) << 142 << 0;
    QTest::newRow("one row more, same drawing") << 0 << QColor(Qt::white) << 143 << 0;
}

void TestArtwork::lookAlikesAreThoseBelowTheThreshold()
{
    QFETCH(int, changed);
    QFETCH(QColor, colour);
    QFETCH(int, height);
    QFETCH(int, differing);
    QImage plain(100, 142, QImage::Format_RGB32);
    plain.fill(Qt::white);
    QImage other(100, height, QImage::Format_RGB32);
    other.fill(Qt::white);
    for (int i = 0; i < changed; ++i)
        other.setPixelColor(i % 100, i / 100, colour);
    QImage black = plain;
    black.fill(Qt::black);
    QCOMPARE(VisibleDifference(plain, other), differing);
    // At a threshold of 40 only the pair (0, 2) can be alike; the black picture is like neither.
    const QList<LookAlike> found = FindLookAlikes({plain, black, other}, 40);
    QCOMPARE(found.size(), differing < 40 ? 1 : 0);
    if (!found.isEmpty()) {
        QCOMPARE(found.first().first, 0);
        QCOMPARE(found.first().second, 2);
        QCOMPARE(found.first().differingPixels, differing);
    }
}

void TestArtwork::aPixelDiffersPastItsStep_data()
{
    using Measure = PixelStep::Measure;
    QTest::addColumn<QColor>("colour"); // against white
    QTest::addColumn<int>("step");
    QTest::addColumn<Measure>("measure");
    QTest::addColumn<bool>("differs");
    QTest::newRow("sum past the step") << QColor(200, 200, 200) << 120 << Measure::Sum << true;
    QTest::newRow("sum at the step") << QColor(215, 215, 215) << 120 << Measure::Sum << false;
    QTest::newRow("one channel, summed") << QColor(150, 255, 255) << 120 << Measure::Sum << false;
    QTest::newRow("one channel, largest")
        << QColor(150, 255, 255) << 60 << Measure::Largest << true;
    QTest::newRow("largest at the step")
        << QColor(255, 195, 255) << 60 << Measure::Largest << false;
    QTest::newRow("small in each, large summed")
        << QColor(225, 225, 225) << 32 << Measure::Largest << false;
    QTest::newRow("blue just past") << QColor(255, 255, 222) << 32 << Measure::Largest << true;
}

void TestArtwork::aPixelDiffersPastItsStep()
{
    QFETCH(QColor, colour);
    QFETCH(int, step);
    QFETCH(PixelStep::Measure, measure);
    QFETCH(bool, differs);
    QImage white(4, 3, QImage::Format_RGB32);
    white.fill(Qt::white);
    QImage changed = white;
    changed.setPixelColor(2, 1, colour);
    QCOMPARE(VisibleDifference(white, changed, {step, measure}), differs ? 1 : 0);
    const QStringList found = DescribeLookAlikes({"a", "b"}, {white, changed}, 1, {step, measure},
                                                 QStringLiteral("%1~%2:%3"));
    QCOMPARE(found, differs ? QStringList() : QStringList{"a~b:0"});
}

void TestArtwork::directionsKeepTheirWay_data()
{
    QTest::addColumn<QPointF>("v");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QPointF>("unit");    // of v, (0, -1) if it has no length
    QTest::addColumn<QPointF>("rotated"); // v turned by the degrees
    QTest::newRow("3-4-5") << QPointF(3, 4) << 0.0 << QPointF(0.6, 0.8) << QPointF(3, 4);
    QTest::newRow("right turns down") << QPointF(2, 0) << 90.0 << QPointF(1, 0) << QPointF(0, 2);
    QTest::newRow("up turns right") << QPointF(0, -1) << 90.0 << QPointF(0, -1) << QPointF(1, 0);
    QTest::newRow("back on itself")
        << QPointF(1, 1) << 180.0 << QPointF(M_SQRT1_2, M_SQRT1_2) << QPointF(-1, -1);
    QTest::newRow("no length") << QPointF(0, 0) << 45.0 << QPointF(0, -1) << QPointF(0, 0);
}

void TestArtwork::directionsKeepTheirWay()
{
    QFETCH(QPointF, v);
    QFETCH(double, degrees);
    QFETCH(QPointF, unit);
    QFETCH(QPointF, rotated);
    const auto near = [](QPointF a, QPointF b) {
        return ink::Distance(a, b) < 1e-9;
    };
    QVERIFY(near(ink::Unit(v, {0, -1}), unit));
    QVERIFY(near(ink::Rotated(v, degrees), rotated));
}

void TestArtwork::glyphsStandOnTheirCentre()
{
    for (const QPointF centre : {QPointF(0, 0), QPointF(40.5, 17.25)}) {
        const QRectF box = ink::Glyphs(QStringLiteral("乾"), 20, centre).boundingRect();
        QVERIFY(!box.isEmpty());
        QVERIFY2(ink::Distance(box.center(), centre) < 1e-6,
                 qPrintable(QStringLiteral("%1,%2").arg(box.center().x()).arg(box.center().y())));
    }
}

void TestArtwork::aFinerDrawingMustShowThePicture()
{
    const PalmPicture picture = parsedPicture(QStringLiteral("Image40: mark star li; label li"));
    const QImage plain = DrawPalm(picture), finer = DrawPalm(picture, 2);
    QCOMPARE(CheckFinerDrawing(plain, finer, QStringLiteral("a")), QStringList());
    QCOMPARE(CheckFinerDrawing(DrawImage218(), DrawImage218(2), QStringLiteral("b")),
             QStringList());
    // Drawn at twice the size but not told so: the hand fills only a quarter of it.
    QImage unscaled(plain.size() * 2, QImage::Format_RGB32);
    unscaled.fill(ink::Paper);
    QPainter(&unscaled).drawImage(0, 0, plain);
    QCOMPARE(CheckFinerDrawing(plain, unscaled, QStringLiteral("c")).size(), 1);
    QCOMPARE(CheckFinerDrawing(plain, finer.copy(0, 0, finer.width(), finer.height() - 2),
                               QStringLiteral("d"))
                 .size(),
             1);
    // Another picture's finer drawing.
    const QImage other
        = DrawPalm(parsedPicture(QStringLiteral("Image41: mark star kan; label kan")), 2);
    QCOMPARE(CheckFinerDrawing(plain, other, QStringLiteral("e")).size(), 1);
}

void TestArtwork::committedPicturesKeepEveryRule()
{
    QHash<int, QImage> drawn;
    QStringList problems;
    for (const char *name : {"palm_items_1.txt", "palm_items_2.txt"}) {
        QFile file(QStringLiteral(LORVEX_ARTWORK_DIR "/") + QLatin1String(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const PalmParse parse
            = ParsePalmDescriptions(QString::fromUtf8(file.readAll()), QLatin1String(name));
        for (const PalmPicture &picture : parse.pictures) {
            problems += CheckPalmPicture(picture);
            drawn.insert(picture.number, DrawPalm(picture));
            // The finer drawing the program shows on finer screens: the tool's own, and the
            // same picture.
            const QString finer = QStringLiteral("Image%1@2x").arg(picture.number);
            QFile committedFile(
                QStringLiteral(LORVEX_ARTWORK_DIR "/../../assets/pictures/palm/%1.jpg").arg(finer));
            const QImage committed = committedFile.open(QIODevice::ReadOnly)
                                         ? decodeJpeg(committedFile.readAll())
                                         : QImage();
            const QImage described = DrawPalm(picture, 2);
            if (committed.size() != described.size()
                || VisibleDifference(committed, described, {60, PixelStep::Measure::Largest}) > 0)
                problems += finer + QStringLiteral(" is not what its description draws");
            problems += CheckFinerDrawing(drawn.value(picture.number), described, finer);
        }
    }
    problems += CheckPalmLookAlikes(drawn);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestArtwork::reviewSheetsShowPicturesAtBothSizesAndOnPages()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QList<ReviewEntry> entries;
    for (int i = 0; i < 9; ++i) {
        QImage image(100, i == 0 ? 143 : 142, QImage::Format_RGB32);
        image.fill(QColor(10 * i, 100, 200));
        image.setPixelColor(0, 0, Qt::red);
        entries.append({image, QStringLiteral("Image%1").arg(i + 1),
                        QStringLiteral("天纹上有星纹者，代表").repeated(i + 1), QImage()});
    }
    const QStringList sheets = WriteReviewSheets(entries, dir.path(), QStringLiteral("t"), 4);
    QCOMPARE(sheets.size(), 3);
    const QImage first(sheets.first());
    QVERIFY(!first.isNull());
    // The first picture at real size, then twice its size to its right; its last row is kept.
    QCOMPARE(first.pixelColor(8, 8), QColor(Qt::red));
    QCOMPARE(first.pixelColor(8 + 50, 8 + 142), QColor(0, 100, 200));
    QCOMPARE(first.pixelColor(16 + 100, 8), QColor(Qt::red));
    QCOMPARE(first.pixelColor(16 + 101, 9), QColor(Qt::red));
    QCOMPARE(first.pixelColor(16 + 102, 8), QColor(0, 100, 200));

    const QStringList pages = WritePageSheets(entries, dir.path(), QStringLiteral("t"), PageGrid{});
    QCOMPARE(pages.size(), 2);
    const QImage page(pages.first());
    // Slots 100 × 142, one pixel apart: slot 2 starts 101 pixels after slot 1, slot 5 143 lower,
    // and the 143rd row of the taller picture is cut off by the slot.
    const QPoint slot1(8, 24);
    QCOMPARE(page.pixelColor(slot1), QColor(Qt::red));
    QCOMPARE(page.pixelColor(slot1 + QPoint(101, 0)), QColor(Qt::red));
    QCOMPARE(page.pixelColor(slot1 + QPoint(0, 143)), QColor(Qt::red));
    QVERIFY(page.pixelColor(slot1 + QPoint(50, 142)) != QColor(0, 100, 200));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
