#include "mole/moleitems.h"
#include "picture/jpeg.h"
#include "text/gbk.h"
#include "tools/artwork/charts.h"
#include "tools/artwork/molebodydrawing.h"
#include "tools/artwork/palmhand.h"

#include <QFile>
#include <QTest>

using namespace artwork;

Q_DECLARE_METATYPE(artwork::Place)
Q_DECLARE_METATYPE(artwork::View)
Q_DECLARE_METATYPE(artwork::Side)
Q_DECLARE_METATYPE(artwork::Chart)
Q_DECLARE_METATYPE(artwork::Palace)

namespace {

BodyPicture bodyPicture(Place place, View view, Side side, QPointF at)
{
    BodyPicture picture;
    picture.number = 1;
    picture.place = place;
    picture.view = view;
    picture.moles = {{side, at}};
    return picture;
}

} // namespace

class TestMoleArtwork : public QObject
{
    Q_OBJECT
private slots:
    void refusesMoleOffItsPlace_data();
    void refusesMoleOffItsPlace();
    void refusesLabelOnTheFigure_data();
    void refusesLabelOnTheFigure();
    void leftAndRightAreTheSubjects_data();
    void leftAndRightAreTheSubjects();
    void footCloseUpsShowTheRightFoot();
    void catalogueKeepsTheRulesAndRefusesLookalikes();
    void picturesAndReadingsNameOnePlace();
    void chartLabelsLieApartOnThePalm_data();
    void chartLabelsLieApartOnThePalm();
    void numbersStandNearestTheirOwnLine();
    void palacesStandInTheirRows_data();
    void palacesStandInTheirRows();
    void committedPicturesHaveTheirSizes_data();
    void committedPicturesHaveTheirSizes();
};

void TestMoleArtwork::refusesMoleOffItsPlace_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<Side>("side");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QString>("message"); // empty: the mole is where it belongs
    QTest::newRow("thigh") << Place::Thigh << Side::Left << QPointF(9, 97) << QString();
    QTest::newRow("thigh mole on the knee")
        << Place::Thigh << Side::Left << QPointF(8.3, 112) << "is not on";
    QTest::newRow("navel mole beside it")
        << Place::Navel << Side::Middle << QPointF(6, 68) << "is not on";
    QTest::newRow("flank mole past the waist")
        << Place::Flank << Side::Right << QPointF(16, 64) << "off the outline";
    QTest::newRow("elbow mole on the arm's edge")
        << Place::ElbowFront << Side::Both << QPointF(25.5, 61) << "off the outline";
    QTest::newRow("throat mole on the chin")
        << Place::Throat << Side::Middle << QPointF(0, 17) << "is not on";
    QTest::newRow("palm") << Place::PalmCentre << Side::Right << QPointF(54, 94) << QString();
    QTest::newRow("palm mole on a finger")
        << Place::PalmCentre << Side::Right << QPointF(47, 30) << "is not on";
    QTest::newRow("sole mole on the heel")
        << Place::Sole << Side::Right << QPointF(20, 86) << "is not on";
    QTest::newRow("foot mole off the foot")
        << Place::FootSide << Side::Right << QPointF(20, 30) << "off the outline";
}

void TestMoleArtwork::refusesMoleOffItsPlace()
{
    QFETCH(Place, place);
    QFETCH(Side, side);
    QFETCH(QPointF, at);
    QFETCH(QString, message);
    const QStringList errors = BodyScene(bodyPicture(place, View::Front, side, at)).check();
    if (message.isEmpty()) {
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        return;
    }
    QVERIFY2(!errors.filter(message).isEmpty(), qPrintable(errors.join(u'\n')));
}

void TestMoleArtwork::refusesLabelOnTheFigure_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QPointF>("label");
    QTest::addColumn<QString>("message");
    QTest::newRow("on the chest") << 12 << QPointF(60, 50) << "touches the figure";
    QTest::newRow("over the hand") << 5 << QPointF(92, 96) << "touches the figure";
    QTest::newRow("half out of the picture") << 1 << QPointF(116, 60) << "not inside";
    QTest::newRow("on the close-up") << 7 << QPointF(24, 90) << "on the close-up";
}

void TestMoleArtwork::refusesLabelOnTheFigure()
{
    QFETCH(int, number);
    QFETCH(QPointF, label);
    QFETCH(QString, message);
    BodyPicture picture = bodyPictures().at(number - 1);
    QVERIFY(BodyScene(picture).check().isEmpty());
    picture.label = label;
    const QStringList errors = BodyScene(picture).check();
    QVERIFY2(!errors.filter(message).isEmpty(), qPrintable(errors.join(u'\n')));
}

void TestMoleArtwork::leftAndRightAreTheSubjects_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<View>("view");
    QTest::addColumn<Side>("side");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<bool>("onViewersRight");
    const QPointF thigh(9, 97), sole(21, 50);
    QTest::newRow("front, left thigh")
        << Place::Thigh << View::Front << Side::Left << thigh << true;
    QTest::newRow("front, right thigh")
        << Place::Thigh << View::Front << Side::Right << thigh << false;
    QTest::newRow("back, left thigh") << Place::Thigh << View::Back << Side::Left << thigh << false;
    QTest::newRow("back, right thigh")
        << Place::Thigh << View::Back << Side::Right << thigh << true;
    // A close-up enlarges the subject's right hand or foot and stands on that side.
    QTest::newRow("front, right sole")
        << Place::Sole << View::Front << Side::Right << sole << false;
    QTest::newRow("back, right sole") << Place::Sole << View::Back << Side::Right << sole << true;
    QTest::newRow("front, right palm")
        << Place::PalmCentre << View::Front << Side::Right << QPointF(54, 94) << false;
}

void TestMoleArtwork::leftAndRightAreTheSubjects()
{
    QFETCH(Place, place);
    QFETCH(View, view);
    QFETCH(Side, side);
    QFETCH(QPointF, at);
    QFETCH(bool, onViewersRight);
    // Where the dark dot lands in the drawn picture, not where the code says it goes.
    const QImage image = BodyScene(bodyPicture(place, view, side, at)).draw(LabelMode::Without);
    double sumX = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 45) {
                sumX += x;
                ++dark;
            }
    QVERIFY2(dark >= 9, qPrintable(QString::number(dark))); // a dot at least 3 pixels across
    QCOMPARE(sumX / dark > image.width() / 2.0, onViewersRight);
}

// The close-ups are of the subject's right foot (the README and the figure's dashed line say so).
// From its outer side, seen from the subject's right, its toes point the way the subject faces:
// to the viewer's right. Its sole seen from behind has the big toe and the hollow of the arch on
// the viewer's left.
void TestMoleArtwork::footCloseUpsShowTheRightFoot()
{
    const QPainterPath side = makeCloseUp(Inset::FootSide).outline;
    QPainterPath legTop;
    legTop.addRect(QRectF(-50, -10, 200, 8));
    const QRectF legBox = side.intersected(legTop).boundingRect();
    QVERIFY(!legBox.isEmpty());
    const QRectF whole = side.boundingRect();
    QVERIFY2(whole.right() - legBox.center().x() > 2 * (legBox.center().x() - whole.left()),
             "the toes point to the viewer's left");

    const QPainterPath sole = makeCloseUp(Inset::Sole).outline;
    const QRectF box = sole.boundingRect();
    // From the ball to the middle of the foot the inner edge curves in further than the outer.
    auto widthOn = [&sole](double y, double from, double to) {
        double w = 0;
        for (double at = from; at < to; at += 0.25)
            w += sole.contains(QPointF(at, y)) ? 0.25 : 0;
        return w;
    };
    const double middle = box.center().x(), ball = box.top() + 0.35 * box.height(),
                 arch = box.top() + 0.55 * box.height();
    const double inner = widthOn(ball, box.left(), middle) - widthOn(arch, box.left(), middle);
    const double outer = widthOn(ball, middle, box.right()) - widthOn(arch, middle, box.right());
    QVERIFY2(inner > outer + 2, "no hollow of the arch on the viewer's left");
}

void TestMoleArtwork::catalogueKeepsTheRulesAndRefusesLookalikes()
{
    const QStringList errors = checkBodyCatalogue(bodyPictures());
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    // The same place drawn twice, and a mole moved by less than its own width, are lookalikes.
    QList<BodyPicture> twins = {bodyPictures().at(4), bodyPictures().at(4)};
    twins[1].number = 6;
    twins[1].moles.first().at += QPointF(1, 1);
    QVERIFY(!checkBodyCatalogue(twins).filter(QStringLiteral("look alike")).isEmpty());
}

void TestMoleArtwork::picturesAndReadingsNameOnePlace()
{
    QCOMPARE(bodyPictures().size(), BodyMoleCount);
    for (int i = 0; i < BodyMoleCount; ++i) {
        const BodyPicture &picture = bodyPictures().at(i);
        const MoleItem &item = bodyMoles().at(i);
        QCOMPARE(bodyKey(picture.number), QLatin1String(item.key));
        const QString analysis = QString::fromUtf8(item.analysis);
        const QString opening = QString::fromUtf8(placeInfo(picture.place).opening) + u'，';
        QVERIFY2(analysis.startsWith(opening), item.key);
        QVERIFY2(text::fitsGbk(analysis), item.key);
        const qsizetype bytes = text::toGbk(analysis).size();
        QVERIFY2(
            bytes >= 50 && bytes <= 98,
            qPrintable(QStringLiteral("%1: %2 bytes").arg(QLatin1String(item.key)).arg(bytes)));
        QVERIFY2(!analysis.contains(u'\n'), item.key);
    }
}

void TestMoleArtwork::chartLabelsLieApartOnThePalm_data()
{
    QTest::addColumn<Chart>("chart");
    QTest::addColumn<int>("count");
    QTest::newRow("i1 numbers") << Chart::Lines << 6;
    QTest::newRow("i2 palaces") << Chart::Palaces << 8;
}

void TestMoleArtwork::chartLabelsLieApartOnThePalm()
{
    QFETCH(Chart, chart);
    QFETCH(int, count);
    const ChartScene scene(chart);
    QVERIFY2(scene.check().isEmpty(), qPrintable(scene.check().join(u'\n')));
    QCOMPARE(scene.labels().size(), count);
    for (qsizetype i = 0; i < count; ++i) {
        QVERIFY(scene.hand().contains(scene.labels().at(i)));
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY(!scene.labels().at(i).intersects(scene.labels().at(j)));
    }
    // Written in red on the hand: the label's box holds red ink.
    const QImage image = scene.draw();
    const QRect box = scene.labels().first().toAlignedRect();
    int red = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() - c.green() > 80;
        }
    QVERIFY(red >= 10);
}

void TestMoleArtwork::numbersStandNearestTheirOwnLine()
{
    const ChartScene scene(Chart::Lines);
    QList<Polyline> lines;
    for (int i = 0; i < PalmLineCount; ++i)
        lines.append(Polyline::fromPath(
            ChartScene::handToChart().map(PalmHand::ordinaryCourse(PalmLine(i)).path())));
    for (int i = 0; i < PalmLineCount; ++i) {
        const QPointF number = scene.labels().at(i).center();
        QList<double> distance;
        for (const Polyline &line : lines) {
            double nearest = 1e9;
            for (const QPointF &p : line.points())
                nearest = std::min(nearest, QLineF(number, p).length());
            distance.append(nearest);
        }
        const double own = distance.at(i);
        distance.removeAt(i);
        QVERIFY2(own < *std::min_element(distance.begin(), distance.end()),
                 qPrintable(QString::number(i + 1)));
    }
}

// The palaces as the palm readings place them: three in a row under the fingers, two either side
// of the centre, three in a row above the wrist.
void TestMoleArtwork::palacesStandInTheirRows_data()
{
    QTest::addColumn<Palace>("first");
    QTest::addColumn<Palace>("second");
    QTest::addColumn<bool>("leftOf"); // else above
    QTest::newRow("巽 left of 离") << Palace::Xun << Palace::Li << true;
    QTest::newRow("离 left of 坤") << Palace::Li << Palace::Kun << true;
    QTest::newRow("震 left of 兑") << Palace::Zhen << Palace::Dui << true;
    QTest::newRow("艮 left of 坎") << Palace::Gen << Palace::Kan << true;
    QTest::newRow("坎 left of 乾") << Palace::Kan << Palace::Qian << true;
    QTest::newRow("巽 above 震") << Palace::Xun << Palace::Zhen << false;
    QTest::newRow("坤 above 兑") << Palace::Kun << Palace::Dui << false;
    QTest::newRow("震 above 艮") << Palace::Zhen << Palace::Gen << false;
    QTest::newRow("兑 above 乾") << Palace::Dui << Palace::Qian << false;
}

void TestMoleArtwork::palacesStandInTheirRows()
{
    QFETCH(Palace, first);
    QFETCH(Palace, second);
    QFETCH(bool, leftOf);
    const ChartScene scene(Chart::Palaces);
    // Labels come in the order 巽 离 坤 震 兑 艮 坎 乾, which is the order of Palace.
    const QRectF a = scene.labels().at(int(first)), b = scene.labels().at(int(second));
    if (leftOf)
        QVERIFY(a.right() < b.left() && a.bottom() > b.top() && b.bottom() > a.top());
    else
        QVERIFY(a.bottom() < b.top());
    // Each stays on its own palace.
    for (const Palace palace : {first, second})
        QVERIFY(QLineF(scene.labels().at(int(palace)).center(),
                       ChartScene::handToChart().map(PalmHand::palacePoint(palace)))
                    .length()
                < 26);
}

void TestMoleArtwork::committedPicturesHaveTheirSizes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (int n = 1; n <= BodyMoleCount; ++n)
        QTest::newRow(qPrintable(bodyKey(n)))
            << QStringLiteral("mole/%1.jpg").arg(bodyKey(n)) << QSize(120, n == 18 ? 178 : 177);
    QTest::newRow("i1") << "chart/i1.jpg" << QSize(ChartWidth, ChartHeight);
    QTest::newRow("i2") << "chart/i2.jpg" << QSize(ChartWidth, ChartHeight);
}

void TestMoleArtwork::committedPicturesHaveTheirSizes()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFile committed(QStringLiteral(LORVEX_PICTURES_DIR "/") + file);
    QVERIFY(committed.open(QIODevice::ReadOnly));
    QCOMPARE(decodeJpeg(committed.readAll()).size(), size);
}

QTEST_MAIN(TestMoleArtwork)
#include "tst_moleartwork.moc"
