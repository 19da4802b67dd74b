// The player widget: what LoadMovie accepts and shows, and the clock while hidden. Movies are
// written by our writer into a temporary folder; what shows is read from the widget's pixels.

#include "movie/shockwaveflash.h"
#include "tools/swfwriter/swfwriter.h"

#include <QFile>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace movie;

namespace {

const QColor Paper(250, 240, 220);
const QColor Red(200, 30, 30);
const QColor Blue(30, 30, 200);

// A 100 × 100 stage at 10 frames a second. `frames` 1: a red square at the left and nothing
// else; 2: the square moves to the right on the second frame.
QByteArray squareMovie(int frames, const QColor &colour = Red, bool background = true)
{
    SwfWriter writer(QRect(0, 0, 2000, 2000), 10);
    if (background)
        writer.setBackground(Paper);
    ShapeBuilder shape;
    shape.rect(QRect(0, 800, 400, 400), shape.addFill(WriterFill::solid(colour)));
    writer.timeline().place(1, writer.defineShape(shape), QTransform::fromTranslate(100, 0));
    writer.timeline().showFrame();
    if (frames == 2) {
        writer.timeline().move(1, QTransform::fromTranslate(1100, 0));
        writer.timeline().showFrame();
    }
    return writer.finish();
}

QColor pixel(QWidget &widget, QPoint at)
{
    return widget.grab().toImage().pixelColor(at);
}

const QPoint Left(15, 50), Right(65, 50);

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestSwfPlayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void loadMovie_data();
    void loadMovie();
    void layers();
    void hiddenKeepsItsPlace();
    void stillMovieSetsNoTimer();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestSwfPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto save = [this](const QString &name, const QByteArray &bytes) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    save(QStringLiteral("rili.swf"), squareMovie(1));
    save(QStringLiteral("blue.swf"), squareMovie(1, Blue, false));
    save(QStringLiteral("moving.swf"), squareMovie(2));
    save(QStringLiteral("text.swf"), "FWS is not a movie");
    save(QStringLiteral("ordinary.txt"), "just text");
}

void TestSwfPlayer::loadMovie_data()
{
    QTest::addColumn<int>("layer");
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("shown");

    const QString movie = path(QStringLiteral("rili.swf"));
    QTest::newRow("a movie by its path") << 0 << movie << true << true;
    QTest::newRow("a movie by a file: URL")
        << 0 << QUrl::fromLocalFile(movie).toString() << true << true;
    QTest::newRow("missing file") << 0 << path(QStringLiteral("none.swf")) << true << false;
    QTest::newRow("not a movie") << 0 << path(QStringLiteral("text.swf")) << true << false;
    QTest::newRow("plain text") << 0 << path(QStringLiteral("ordinary.txt")) << true << false;
    QTest::newRow("a folder") << 0 << m_dir.path() << true << false;
    QTest::newRow("a web address: never fetched")
        << 0 << QStringLiteral("http://127.0.0.1:9/rili.swf") << true << false;
    QTest::newRow("empty") << 0 << QString() << true << false;
    QTest::newRow("negative layer") << -1 << movie << false << false;
}

void TestSwfPlayer::loadMovie()
{
    QFETCH(int, layer);
    QFETCH(QString, url);
    QFETCH(bool, accepted);
    QFETCH(bool, shown);

    TShockwaveFlash fla;
    fla.resize(100, 100);
    const QColor empty = pixel(fla, Left);
    QCOMPARE(fla.LoadMovie(layer, url), accepted);
    QCOMPARE(fla.errorString().isEmpty(), accepted);
    QCOMPARE(pixel(fla, Left), shown ? Red : empty);
    QCOMPARE(pixel(fla, Right), shown ? Paper : empty);
}

void TestSwfPlayer::layers()
{
    // Layer 1 draws over layer 0, under layer 0's stage and background; loading layer 0 again
    // replaces only the base movie, and a missing file empties it.
    TShockwaveFlash fla;
    fla.resize(300, 100);
    QVERIFY(fla.LoadMovie(0, path(QStringLiteral("moving.swf"))));
    QVERIFY(fla.LoadMovie(1, path(QStringLiteral("blue.swf"))));
    QCOMPARE(pixel(fla, QPoint(115, 50)), Blue);
    QCOMPARE(pixel(fla, QPoint(50, 50)), Paper);
    QVERIFY(fla.LoadMovie(1, QString()));
    QCOMPARE(pixel(fla, QPoint(115, 50)), Red);
    QVERIFY(fla.LoadMovie(0, path(QStringLiteral("none.swf"))));
    QCOMPARE(pixel(fla, QPoint(115, 50)), fla.palette().window().color());
}

void TestSwfPlayer::hiddenKeepsItsPlace()
{
    qint64 now = 0;
    TShockwaveFlash fla;
    fla.player().setClock([&now] { return now; });
    fla.resize(100, 100);
    QVERIFY(fla.LoadMovie(0, path(QStringLiteral("moving.swf"))));
    fla.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fla));
    QCOMPARE(fla.player().state(), Player::State::Running);
    QCOMPARE(pixel(fla, Left), Red);

    PaintCounter counter;
    fla.installEventFilter(&counter);
    fla.hide();
    QCOMPARE(fla.player().state(), Player::State::NotRunning);
    now += 1150; // 11 frames at 10 a second: the second frame
    QTest::qWait(250);
    QCOMPARE(counter.paints, 0);

    fla.show();
    QCOMPARE(fla.player().state(), Player::State::Running);
    QCOMPARE(pixel(fla, Right), Red);
    QCOMPARE(pixel(fla, Left), Paper);
    // Playing on, the timer's frame comes from the clock.
    now += 100;
    QTRY_COMPARE(pixel(fla, Left), Red);
}

void TestSwfPlayer::stillMovieSetsNoTimer()
{
    TShockwaveFlash fla;
    fla.resize(100, 100);
    fla.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fla));
    QVERIFY(fla.LoadMovie(0, path(QStringLiteral("rili.swf"))));
    QCOMPARE(fla.player().state(), Player::State::NotRunning);
    QVERIFY(fla.LoadMovie(0, path(QStringLiteral("moving.swf"))));
    QCOMPARE(fla.player().state(), Player::State::Running);
}

QTEST_MAIN(TestSwfPlayer)
#include "tst_swfplayer.moc"
