// "rili.swf" as it ships: the committed file is what the movie maker writes, its subject keeps
// to the part of the stage the form leaves open, its loop has no seam, and the player's frames,
// drawn only where they changed, are the frames drawn whole.

#include "movie/framepainter.h"
#include "movie/playback.h"
#include "movie/player.h"
#include "movie/swfreader.h"
#include "tools/moviemaker/rili.h"

#include <QFile>
#include <QPainter>
#include <QRegion>
#include <QTest>

namespace {

QByteArray shipped()
{
    QFile file(QStringLiteral(LORVEX_RILI_SWF));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Frames of the movie drawn at `scale` of its 705 × 437.
std::vector<QImage> frames(const QList<int> &ticks, qreal scale = 1)
{
    movie::Playback playback(std::make_shared<movie::Movie>(movie::readSwf(shipped())));
    std::vector<QImage> images;
    for (int tick : ticks) {
        playback.advanceTo(tick);
        QImage image(QSize(705, 437) * scale, QImage::Format_RGB32);
        QPainter painter(&image);
        playback.paint(painter, QRectF(image.rect()));
        images.push_back(image);
    }
    return images;
}

qint64 difference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    return sum;
}

} // namespace

class TestRili : public QObject
{
    Q_OBJECT
private slots:
    void madeByTheMovieMaker();
    void subjectInTheOpen_data();
    void subjectInTheOpen();
    void seamlessLoop();
    void changedAreasMatchWholeFrames_data();
    void changedAreasMatchWholeFrames();
    void posesKeptMatchFramesDrawnWithout_data() { changedAreasMatchWholeFrames_data(); }
    void posesKeptMatchFramesDrawnWithout();
};

// The largest difference of any colour channel between two frames of one size.
static int worstChannel(const QImage &one, const QImage &other)
{
    int worst = 0;
    for (int y = 0; y < one.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(one.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(other.constScanLine(y));
        for (int x = 0; x < one.width(); ++x)
            if (a[x] != b[x])
                worst = std::max({worst, std::abs(qRed(a[x]) - qRed(b[x])),
                                  std::abs(qGreen(a[x]) - qGreen(b[x])),
                                  std::abs(qBlue(a[x]) - qBlue(b[x]))});
    }
    return worst;
}

void TestRili::madeByTheMovieMaker()
{
    const QByteArray bytes = shipped();
    QVERIFY(bytes.size() > 0 && bytes.size() < 50 * 1024);
    QVERIFY2(bytes == makeRili(), "assets/rili.swf is not what tools/moviemaker writes now");
    const movie::Movie movie = movie::readSwf(bytes);
    QCOMPARE(movie.problems, QStringList());
    QCOMPARE(movie.stage, QRectF(0, 0, 705 * 20, 437 * 20));
}

void TestRili::subjectInTheOpen_data()
{
    QTest::addColumn<int>("tick");
    for (int tick : {0, 17, 50, 83})
        QTest::addRow("frame %d", tick) << tick;
}

void TestRili::subjectInTheOpen()
{
    // The taiji and the trigrams (ink and cinnabar) never reach under the top panel
    // (y < 111), the group box with the result memo (x < 216 above y 287) or the picture panel
    // at the bottom left (x < 68).
    QFETCH(int, tick);
    const QImage image = frames({tick}).front();
    const auto strong = [](QRgb p) {
        return qRed(p) < 120 || qGreen(p) < 110;
    };
    int inTheOpen = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (!strong(image.pixel(x, y)))
                continue;
            const bool covered = y < 111 || (x < 216 && y < 287) || x < 68;
            if (covered)
                QFAIL(
                    qPrintable(QStringLiteral("subject under the form at (%1,%2)").arg(x).arg(y)));
            ++inTheOpen;
        }
    QVERIFY(inTheOpen > 5000);
}

void TestRili::seamlessLoop()
{
    // The step from the last frame back to the first changes the picture no more than the
    // steps inside the loop do.
    QList<int> ticks;
    for (int tick = 90; tick <= 100; ++tick)
        ticks << tick;
    const std::vector<QImage> images = frames(ticks, 0.5);
    qint64 largest = 0;
    for (size_t i = 1; i + 1 < images.size(); ++i)
        largest = std::max(largest, difference(images[i - 1], images[i]));
    const qint64 wrap = difference(images[images.size() - 2], images.back());
    QVERIFY2(wrap > 0, "the movie does not move");
    QVERIFY2(wrap <= largest * 5 / 4,
             qPrintable(QStringLiteral("wrap %1, largest step %2").arg(wrap).arg(largest)));
}

void TestRili::changedAreasMatchWholeFrames_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::newRow("100%") << 1.0;
    QTest::newRow("150%") << 1.5;
    QTest::newRow("200%") << 2.0;
}

// The panel's frame buffer as the player keeps it, drawn whole once and then only where each
// frame changed (with the pictures it keeps of what stands still), against each frame drawn whole
// from nothing, through the loop and past its end: by at most 2 levels in any channel.
void TestRili::changedAreasMatchWholeFrames()
{
    QFETCH(qreal, scale);
    qint64 now = 0;
    movie::Player player;
    player.setClock([&now] { return now; });
    QVERIFY(player.load(0, QStringLiteral(LORVEX_RILI_SWF)));
    // As the panel keeps it: the screen's pixels, the panel's own units.
    QImage buffer(QSize(705, 437) * scale, QImage::Format_RGB32);
    buffer.setDevicePixelRatio(scale);
    const QRectF target(0, 0, 705, 437);
    const QTransform toDevice = movie::showAllTransform(player.stage(), target);
    QRegion pending(target.toRect());
    connect(&player, &movie::Player::updated, this, [&](const QRectF &area) {
        pending += toDevice.mapRect(area).toAlignedRect().adjusted(-2, -2, 2, 2);
    });
    const auto movie = std::make_shared<movie::Movie>(movie::readSwf(shipped()));
    for (int tick = 0; tick <= 104; ++tick) {
        now = tick * 100;
        player.start();
        {
            QPainter painter(&buffer);
            player.paint(painter, target, pending);
        }
        pending = QRegion();
        // Compared at the first frames the cache keeps, through the loop, and around its end.
        if (tick > 3 && tick % 7 != 0 && tick < 98)
            continue;
        movie::Playback whole(movie);
        whole.advanceTo(tick);
        QImage expected(buffer.size(), QImage::Format_ARGB32_Premultiplied);
        expected.setDevicePixelRatio(scale);
        QPainter painter(&expected);
        whole.paint(painter, target);
        painter.end();
        const int worst = worstChannel(buffer, expected);
        QVERIFY2(worst <= 2, qPrintable(QStringLiteral("frame %1 off by %2").arg(tick).arg(worst)));
    }
}

// The ring, the taiji and the clouds come back to each pose once a loop: the player keeps their
// pictures by pose in the first and puts them down from then on. Every frame of three loops, as
// the panel keeps it, against the frame drawn whole with nothing kept; and what is kept stays
// within its budget.
void TestRili::posesKeptMatchFramesDrawnWithout()
{
    QFETCH(qreal, scale);
    const auto movie = std::make_shared<movie::Movie>(movie::readSwf(shipped()));
    movie::Playback playback(movie);
    movie::ListCounts counts;
    movie::DisplayList list(*movie, movie->timeline, 0, counts);
    QImage buffer(QSize(705, 437) * scale, QImage::Format_RGB32);
    buffer.setDevicePixelRatio(scale);
    QImage expected = buffer.copy();
    const QRectF target(0, 0, 705, 437);
    const QTransform toDevice = movie::showAllTransform(movie->stage, target);
    QRegion pending(target.toRect());
    for (int tick = 0; tick < 300; ++tick) {
        if (tick > 0) {
            for (const QRectF &area : playback.advanceTo(tick))
                pending += toDevice.mapRect(area).toAlignedRect().adjusted(-2, -2, 2, 2);
            movie::DirtyArea ignored;
            list.advance(QTransform(), ignored);
        }
        QPainter painter(&buffer);
        for (const QRect &area : pending) {
            painter.setClipRect(area);
            playback.paint(painter, target);
        }
        painter.end();
        pending = QRegion();
        painter.begin(&expected);
        movie::paintFrame(painter, *movie, list, target);
        painter.end();
        const int worst = worstChannel(buffer, expected);
        QVERIFY2(worst <= 2, qPrintable(QStringLiteral("frame %1 off by %2").arg(tick).arg(worst)));
    }
    const qint64 kept = playback.cache().poseBytes();
    QVERIFY(kept > 0);
    QVERIFY(kept <= movie::FrameCache::PoseBudget * buffer.sizeInBytes());
}

QTEST_GUILESS_MAIN(TestRili)
#include "tst_rili.moc"
