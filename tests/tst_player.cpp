// movie::Player without a widget: which frame its clock makes current and how it loops, that it
// does nothing while stopped yet keeps its place in time, and that a file that is no movie shows
// nothing. Movies are written by our writer; frames are read from the player's own drawing.

#include "logcapture.h"
#include "movie/player.h"
#include "tools/swfwriter/swfwriter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace movie;

namespace {

const QColor Paper(250, 240, 220);
const QColor Red(200, 30, 30);

// A 100 × 100 stage at 10 frames a second: a red square 20 pixels wide at the left in frame 0,
// the middle in frame 1, the right in frame 2, then the movie loops; unless frame `stopAt` stops
// it.
QByteArray steppingMovie(int stopAt = -1)
{
    SwfWriter writer(QRect(0, 0, 2000, 2000), 10);
    writer.setBackground(Paper);
    ShapeBuilder shape;
    shape.rect(QRect(0, 800, 400, 400), shape.addFill(WriterFill::solid(Red)));
    writer.timeline().place(1, writer.defineShape(shape), QTransform::fromTranslate(100, 0));
    writer.timeline().showFrame();
    writer.timeline().move(1, QTransform::fromTranslate(800, 0));
    if (stopAt == 1)
        writer.timeline().doAction(actionRecord(swf::ActionStop));
    writer.timeline().showFrame();
    writer.timeline().move(1, QTransform::fromTranslate(1500, 0));
    writer.timeline().showFrame();
    return writer.finish();
}

// Which of the three places (0 left, 1 middle, 2 right) shows the square; -1 for none or more.
int squareAt(const Player &player)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    player.paint(painter, QRectF(image.rect()), QRegion(image.rect()));
    painter.end();
    int found = -1;
    for (int place = 0; place < 3; ++place) {
        if (image.pixelColor(15 + 35 * place, 50) != Red)
            continue;
        if (found >= 0)
            return -1;
        found = place;
    }
    return found;
}

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void frameFromTheClock_data();
    void frameFromTheClock();
    void stoppedDoesNoWork();
    void stopsTickingWhenItStops();
    void timerPlaysOn();
    void nothingToShow_data();
    void nothingToShow();

private:
    QTemporaryDir m_dir;
    QString m_movie;
};

void TestPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto save = [this](const QString &name, const QByteArray &bytes) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    m_movie = m_dir.filePath(QStringLiteral("stepping.swf"));
    save(QStringLiteral("stepping.swf"), steppingMovie());
    save(QStringLiteral("text.swf"), "FWS is not a movie");
    save(QStringLiteral("stopping.swf"), steppingMovie(1));
}

void TestPlayer::frameFromTheClock_data()
{
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<qint64>("frameNumber");
    QTest::addColumn<int>("place");

    QTest::newRow("at load: the first frame") << 0LL << 0LL << 0;
    QTest::newRow("just before the second") << 99LL << 0LL << 0;
    QTest::newRow("the second frame") << 100LL << 1LL << 1;
    QTest::newRow("the last frame") << 299LL << 2LL << 2;
    QTest::newRow("past the end: the first again") << 300LL << 3LL << 0;
    QTest::newRow("many loops on") << 10'100LL << 101LL << 2;
}

void TestPlayer::frameFromTheClock()
{
    QFETCH(qint64, elapsedMs);
    QFETCH(qint64, frameNumber);
    QFETCH(int, place);

    qint64 now = 5000;
    Player player;
    player.setClock([&now] { return now; });
    QVERIFY(player.load(0, m_movie));
    QCOMPARE(player.stage(), QRectF(0, 0, 2000, 2000));
    QSignalSpy updated(&player, &Player::updated);
    now += elapsedMs;
    player.start();
    QCOMPARE(player.currentFrameNumber(), frameNumber);
    QCOMPARE(squareAt(player), place);
    // A frame whose square moved says where: both places, the old and the new.
    QCOMPARE(updated.isEmpty(), frameNumber == 0);
    QRectF changed;
    for (const QList<QVariant> &signal : updated)
        changed |= signal.at(0).toRectF();
    if (!updated.isEmpty())
        QVERIFY(changed.contains(QRectF(100 + 700 * place, 800, 400, 400)));
}

void TestPlayer::stoppedDoesNoWork()
{
    qint64 now = 0;
    Player player;
    player.setClock([&now] { return now; });
    QVERIFY(player.load(0, m_movie));
    QCOMPARE(player.state(), Player::State::NotRunning);
    QSignalSpy updated(&player, &Player::updated);

    now += 150;
    QTest::qWait(250);
    QCOMPARE(player.currentFrameNumber(), qint64(0));
    QVERIFY(updated.isEmpty());

    player.start();
    QCOMPARE(player.state(), Player::State::Running);
    QCOMPARE(player.currentFrameNumber(), qint64(1));
    const qsizetype emitted = updated.size();
    QVERIFY(emitted > 0);

    player.stop();
    QCOMPARE(player.state(), Player::State::NotRunning);
    now += 100;
    QTest::qWait(250);
    QCOMPARE(player.currentFrameNumber(), qint64(1));
    QCOMPARE(updated.size(), emitted);
    QCOMPARE(squareAt(player), 1);

    // Started again, it stands where playing on would have brought it.
    player.start();
    QCOMPARE(player.currentFrameNumber(), qint64(2));
    QCOMPARE(squareAt(player), 2);
}

void TestPlayer::timerPlaysOn()
{
    qint64 now = 0;
    Player player;
    player.setClock([&now] { return now; });
    QVERIFY(player.load(0, m_movie));
    player.start();
    QSignalSpy updated(&player, &Player::updated);
    now += 100;
    QVERIFY(updated.wait(1000));
    QCOMPARE(player.currentFrameNumber(), qint64(1));
    now += 200;
    QTRY_COMPARE(player.currentFrameNumber(), qint64(3));
    QCOMPARE(squareAt(player), 0);
}

void TestPlayer::nothingToShow_data()
{
    QTest::addColumn<int>("layer");
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("why"); // what the log says, empty for nothing

    QTest::newRow("missing file") << 0 << m_dir.filePath(QStringLiteral("none.swf")) << true
                                  << u"none.swf not read: no such file"_qs;
    QTest::newRow("not a movie") << 0 << m_dir.filePath(QStringLiteral("text.swf")) << true
                                 << u"text.swf not read: "_qs;
    QTest::newRow("a folder") << 0 << m_dir.path() << true << u"not read: not a regular file"_qs;
    QTest::newRow("a web address") << 0 << QStringLiteral("http://127.0.0.1:9/a.swf") << true
                                   << u"a.swf not read: not a local file"_qs;
    QTest::newRow("empty") << 0 << QString() << true << QString();
    QTest::newRow("negative layer") << -1 << m_movie << false << QString();
}

void TestPlayer::nothingToShow()
{
    QFETCH(int, layer);
    QFETCH(QString, url);
    QFETCH(bool, accepted);
    QFETCH(QString, why);

    Player player;
    {
        const LogCapture log("lorvex.swf");
        QCOMPARE(player.load(layer, url), accepted);
        QCOMPARE(log.messages().size(), why.isEmpty() ? 0 : 1);
        QVERIFY2(why.isEmpty() || log.messages().first().contains(why), qPrintable(log.joined()));
    }
    QVERIFY(!player.hasMovie());
    QVERIFY(player.stage().isEmpty());
    player.start();
    QCOMPARE(player.state(), Player::State::NotRunning);
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    player.paint(painter, QRectF(image.rect()), QRegion(image.rect()));
    painter.end();
    QImage black(100, 100, QImage::Format_RGB32);
    black.fill(Qt::black);
    QCOMPARE(image, black);

    // A movie loaded before is emptied by a load of nothing into its layer.
    if (accepted) {
        QVERIFY(player.load(layer, m_movie));
        QVERIFY(player.hasMovie());
        QVERIFY(player.load(layer, url));
        QVERIFY(!player.hasMovie());
        QCOMPARE(player.state(), Player::State::NotRunning);
    }
}

// A movie whose second frame stops it: the clock ticks until then, and no longer.
void TestPlayer::stopsTickingWhenItStops()
{
    qint64 now = 0;
    Player player;
    player.setClock([&now] { return now; });
    QVERIFY(player.load(0, m_dir.filePath(QStringLiteral("stopping.swf"))));
    player.start();
    QCOMPARE(player.state(), Player::State::Running);
    now += 150;
    QTRY_COMPARE(player.state(), Player::State::NotRunning);
    now += 1000;
    QTest::qWait(150);
    QCOMPARE(squareAt(player), 1);
}

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
