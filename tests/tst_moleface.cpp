#include "picture/jpeg.h"
#include "tools/artwork/molefacedescription.h"

#include <QFile>
#include <QTest>

// The face-mole drawing: the subject's left shows on the viewer's right, moles outside their
// place are refused, and the committed pictures are the ones the descriptions draw.

using namespace artwork;

Q_DECLARE_METATYPE(artwork::FaceView)

namespace {

FaceParse parse(const QString &line)
{
    return parseFaceDescriptions(line, QStringLiteral("test.txt"));
}

QImage drawn(const QString &line)
{
    const FaceParse p = parse(line);
    if (!p.errors.isEmpty() || p.pictures.size() != 1)
        return {};
    return drawFace(p.pictures.first());
}

bool isDark(QRgb c)
{
    return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
}

} // namespace

class TestMoleFace : public QObject
{
    Q_OBJECT
private slots:
    void placesSitOnTheSubjectsOwnSide_data();
    void placesSitOnTheSubjectsOwnSide();
    void aLeftMoleIsDrawnOnTheRight();
    void moleIsADarkDotWithALightRim();
    void refusesWhatTheTextCouldNotSay_data();
    void refusesWhatTheTextCouldNotSay();
    void refusesTwoPlacesOnOneSpot_data();
    void refusesTwoPlacesOnOneSpot();
    void patternsGiveTheirCount_data();
    void patternsGiveTheirCount();
    void hairIsDrawnWhereHairIs_data();
    void hairIsDrawnWhereHairIs();
    void tellsLookAlikePicturesApart();
    void committedPicturesAreTheDescribedOnes();
};

void TestMoleFace::placesSitOnTheSubjectsOwnSide_data()
{
    QTest::addColumn<FaceView>("view");
    QTest::addColumn<QString>("leftInPicture");
    QTest::addColumn<QString>("rightInPicture");
    QTest::newRow("right brow, left brow") << FaceView::Front << "brow.R"
                                           << "brow.L";
    QTest::newRow("right jaw, left jaw") << FaceView::Front << "jaw.R"
                                         << "jaw.L";
    QTest::newRow("eye tail outside the eye") << FaceView::Front << "eyetail.R"
                                              << "innercorner.R";
    QTest::newRow("left cheek inside its ear") << FaceView::Front << "cheek.L"
                                               << "earlobe.L";
    QTest::newRow("left side: face to the left") << FaceView::Left << "cheek"
                                                 << "earrim";
    QTest::newRow("left side: nape behind") << FaceView::Left << "earlobe"
                                            << "nape";
    QTest::newRow("right side: face to the right") << FaceView::Right << "earrim"
                                                   << "cheek";
}

void TestMoleFace::placesSitOnTheSubjectsOwnSide()
{
    QFETCH(FaceView, view);
    QFETCH(QString, leftInPicture);
    QFETCH(QString, rightInPicture);
    const auto a = faceview::region(view, leftInPicture);
    const auto b = faceview::region(view, rightInPicture);
    QVERIFY(a && b);
    QVERIFY(a->boundingRect().center().x() < b->boundingRect().center().x());
    // Both lie on the head.
    QVERIFY(faceview::outline(view).contains(a->boundingRect().center()));
    QVERIFY(faceview::outline(view).contains(b->boundingRect().center()));
}

void TestMoleFace::aLeftMoleIsDrawnOnTheRight()
{
    const QImage left = drawn(QStringLiteral("g29 front: dot brow.L"));
    const QImage right = drawn(QStringLiteral("g29 front: dot brow.R"));
    QVERIFY(!left.isNull() && !right.isNull());
    int onViewersLeft = 0, onViewersRight = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x)
            if (isDark(left.pixel(x, y)) && !isDark(right.pixel(x, y)))
                ++(x < MoleFaceWidth / 2 ? onViewersLeft : onViewersRight);
    QCOMPARE(onViewersLeft, 0);
    QVERIFY(onViewersRight >= 7);
}

void TestMoleFace::moleIsADarkDotWithALightRim()
{
    const FaceParse p = parse(QStringLiteral("g25 front: dot tianting"));
    QCOMPARE(p.pictures.size(), 1);
    const QPointF c = p.pictures.first().moles.first().at;
    const QImage image = drawFace(p.pictures.first());
    QCOMPARE(image.size(), QSize(70, 92));
    int across = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double r = QLineF(c, QPointF(x + 0.5, y + 0.5)).length();
            if (r <= 1.3)
                QVERIFY(isDark(image.pixel(x, y)));
            if (r >= 2.7 && r <= 2.9)
                QVERIFY2(qGray(image.pixel(x, y)) > 200, "no light rim round the dot");
            across += y == int(c.y()) && qGray(image.pixel(x, y)) < 128;
        }
    QVERIFY2(across >= 3, "the dot is under 3 pixels across");
}

void TestMoleFace::refusesWhatTheTextCouldNotSay_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("outside its place") << "g14 front: dot eyetail.R 17.6,48"
                                       << "mole at (17.6, 48.0) lies outside eyetail.R";
    QTest::newRow("off the head") << "g06 front: dot jaw.R 17.4,68"
                                  << "reaches outside the head";
    // 发际之下: the rim reaches over the hairline at the centre, and where it curves down.
    QTest::newRow("hairline mole in the hair") << "g33 front: dot hairline 35,16.4"
                                               << "reaches into the hair";
    QTest::newRow("hairline mole at its side") << "g75 front: dot hairline 26,17.4"
                                               << "reaches into the hair";
    QTest::newRow("two as one blot") << "g20 front: dot forehead 32,30 36,30"
                                     << "runs into another";
    QTest::newRow("too many to fit") << "g27 front: scatter 9 yintang"
                                     << "only";
    QTest::newRow("front place on a side view") << "g12 left: dot brow.L"
                                                << "no place \"brow.L\"";
    QTest::newRow("side place on the front") << "g12 front: dot earrim"
                                             << "no place \"earrim\"";
    QTest::newRow("point off the picture") << "g03 front: dot forehead 80,24"
                                           << "is not a point";
    QTest::newRow("unknown statement") << "g03 front: circle 3 forehead"
                                       << "unknown statement";
    QTest::newRow("no such key") << "g87 front: dot chin"
                                 << "not \"gNN";
    QTest::newRow("no mole at all") << "g16 front: faling"
                                    << "g16: no mole";
}

void TestMoleFace::refusesWhatTheTextCouldNotSay()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    const FaceParse p = parse(line);
    const QString errors = p.errors.join(u'\n');
    QVERIFY2(errors.startsWith(QStringLiteral("test.txt:1: ")), qPrintable(errors));
    QVERIFY2(errors.contains(message), qPrintable(errors));
}

void TestMoleFace::refusesTwoPlacesOnOneSpot_data()
{
    // Two pictures whose moles, of two different places, a reader could not tell apart at real
    // size; the rows marked "" are places far enough apart, or one wide place over a narrow one.
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("message");
    QTest::newRow("法令 beside the mouth's corner")
        << "g51 front: faling; dot faling.R 24.2,63.6\ng77 front: dot mouthcorner.R"
        << "test.txt:2: g77: mouthcorner.R mole at (26.0, 65.0) is 2.3 px from g51's faling.R";
    QTest::newRow("upper lip on the parting")
        << "g45 front: dot upperlip 35,63\ng24 front: row 3 lowerlip 30,66.5 40,66.5"
        << "g24: lowerlip mole at (35.0, 66.5) is 3.5 px from g45's upperlip mole";
    QTest::newRow("山根 and 年寿")
        << "g54 front: dot shangen 35,41.4\ng71 front: row 2 nianshou 35,44.6 35,50"
        << "g71: nianshou mole at (35.0, 44.6) is 3.2 px from g54's shangen mole";
    QTest::newRow("the same place twice") << "g14 front: dot eyetail.R 17.6,42.8\n"
                                             "g85 front woman: dot eyetail.R 17.4,42.8"
                                          << "";
    QTest::newRow("a wide place over a narrow one")
        << "g25 front: dot tianting\ng03 front: row 3 forehead 25,24 45,24"
        << "";
    QTest::newRow("the committed places")
        << "g17 front: faling; dot faling.R 24.9,60.6\ng44 front: dot shicang.R\n"
           "g77 front: dot mouthcorner.R\ng45 front: dot upperlip 35,62.4\n"
           "g24 front: row 3 lowerlip 30,66.5 40,66.5\ng54 front: dot shangen 35,40.9\n"
           "g71 front: row 2 nianshou 35,45 35,50.1"
        << "";
}

void TestMoleFace::refusesTwoPlacesOnOneSpot()
{
    QFETCH(QString, lines);
    QFETCH(QString, message);
    const QStringList errors = parse(lines).errors;
    if (message.isEmpty()) {
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        return;
    }
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(message), qPrintable(errors.first()));
}

void TestMoleFace::patternsGiveTheirCount_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("count");
    QTest::newRow("ring of eight") << "g49 front: ring 8 forehead 7" << 8;
    QTest::newRow("square of nine") << "g04 front: grid 3x3 huoxing 29.8,11 40.2,21.4" << 9;
    QTest::newRow("row down the bridge") << "g71 front: row 2 nianshou 35,45 35,50.1" << 2;
    QTest::newRow("scatter") << "g01 front: scatter 13 forehead" << 13;
}

void TestMoleFace::patternsGiveTheirCount()
{
    QFETCH(QString, line);
    QFETCH(int, count);
    const FaceParse p = parse(line);
    QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join(u'\n')));
    QCOMPARE(p.pictures.first().moles.size(), count);
}

// Read off the drawn pixels: the top of the head is hair in every view (no bare forehead rising to
// the crown in a profile), and a mole in the hair is a spot that stands out from it, with no light
// ring round it.
void TestMoleFace::hairIsDrawnWhereHairIs_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("front, in the crown") << "g39 front: dot crown 35,9";
    QTest::newRow("front, across the hairline") << "g68 front: row 3 huoxing 35,9.6 35,20.4";
    QTest::newRow("left profile") << "g42 left: dot earinner";
    QTest::newRow("right profile") << "g46 right: dot earrim 27.6,33.4";
}

void TestMoleFace::hairIsDrawnWhereHairIs()
{
    QFETCH(QString, line);
    const FaceParse p = parse(line);
    QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join(u'\n')));
    const FacePicture &picture = p.pictures.first();
    QCOMPARE(hairProblems(picture), QStringList());
    const QImage image = drawFace(picture);

    // Down each column, the first ink is the outline; two pixels in, the head's top must be hair
    // wherever it lies within 8 pixels of the crown.
    auto paper = [&image](int x, int y) {
        return qGray(image.pixel(x, y)) > 235;
    };
    int top = image.height(), columns = 0;
    QList<int> tops(image.width(), -1);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height() && tops[x] < 0; ++y)
            if (!paper(x, y))
                top = std::min(top, tops[x] = y);
    for (int x = 0; x < image.width(); ++x)
        if (tops[x] >= 0 && tops[x] <= top + 8) {
            ++columns;
            QVERIFY2(
                qGray(image.pixel(x, tops[x] + 2)) < 130,
                qPrintable(QStringLiteral("bare skin at the top of the head, column %1").arg(x)));
        }
    QVERIFY(columns >= 20);

    // The hair's own tone: the middle red of the pixels wholly inside it.
    const QPainterPath hair = faceview::hair(picture.view);
    QList<int> reds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (hair.contains(QRectF(x, y, 1, 1)))
                reds << qRed(image.pixel(x, y));
    std::sort(reds.begin(), reds.end());
    for (const FaceMole &mole : picture.moles) {
        if (!hair.contains(mole.at))
            continue;
        QVERIFY2(std::abs(qRed(image.pixel(mole.at.toPoint())) - reds.at(reds.size() / 2)) > 60,
                 "the mole does not stand out from the hair");
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx) {
                const QPoint at = mole.at.toPoint() + QPoint(dx, dy);
                if (hair.contains(QRectF(at, QSizeF(1, 1))))
                    QVERIFY2(qGray(image.pixel(at)) <= 200,
                             "a light ring round a mole in the hair");
            }
    }
}

void TestMoleFace::tellsLookAlikePicturesApart()
{
    const QImage forehead = drawn(QStringLiteral("g25 front: dot tianting"));
    const QImage chin = drawn(QStringLiteral("g40 front: dot chin"));
    QCOMPARE(similarFacePictures({{"g25", forehead}, {"g40", chin}}), QStringList());
    QCOMPARE(similarFacePictures({{"g25", forehead}, {"g40", chin}, {"g38", forehead}}).size(), 1);
}

void TestMoleFace::committedPicturesAreTheDescribedOnes()
{
    QFile file(QStringLiteral(LORVEX_ARTWORK_DIR "/mole_faces.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const FaceParse p = parse(QString::fromUtf8(file.readAll()));
    QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join(u'\n')));
    QCOMPARE(p.pictures.size(), 86);
    for (int n = 1; n <= 86; ++n) {
        const FacePicture &picture = p.pictures.at(n - 1);
        QCOMPARE(picture.key, QStringLiteral("g%1").arg(n, 2, 10, QLatin1Char('0')));
        const QString path
            = QStringLiteral(LORVEX_ASSETS_DIR "/pictures/mole/%1.jpg").arg(picture.key);
        QFile committedFile(path), finerFile(QString(path).replace(".jpg", "@2x.jpg"));
        QVERIFY2(committedFile.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY2(finerFile.open(QIODevice::ReadOnly), qPrintable(finerFile.fileName()));
        const QImage committed = decodeJpeg(committedFile.readAll()), described = drawFace(picture);
        QVERIFY2(!committed.isNull(), qPrintable(path));
        QCOMPARE(committed.size(), described.size());
        QVERIFY2(visibleDifference(committed, described, FacePixelStep) == 0,
                 qPrintable(picture.key + " is not what mole_faces.txt draws"));
        const QImage finer = decodeJpeg(finerFile.readAll());
        QCOMPARE(finer.size(), described.size() * 2);
        QVERIFY2(visibleDifference(finer, drawFace(picture, 2), FacePixelStep) == 0,
                 qPrintable(picture.key + "@2x is not what mole_faces.txt draws"));
    }
}

QTEST_GUILESS_MAIN(TestMoleFace)
#include "tst_moleface.moc"
