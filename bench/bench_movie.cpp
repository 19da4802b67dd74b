// The movie's costs: reading "rili.swf", drawing a whole frame at the panel's 705 × 437, and
// what the player does each frame while it plays: one frame on, then only the changed areas
// drawn again.

#include "movie/framepainter.h"
#include "movie/playback.h"
#include "movie/player.h"
#include "movie/swfreader.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QSemaphore>
#include <QThreadPool>

#include <benchmark/benchmark.h>

static QByteArray rili()
{
    QFile file(QStringLiteral(LORVEX_RILI_SWF));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static void BM_ReadRili(benchmark::State &state)
{
    const QByteArray bytes = rili();
    for (auto _ : state) {
        movie::Movie movie = movie::readSwf(bytes);
        benchmark::DoNotOptimize(movie.timeline.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadRili)->Unit(benchmark::kMicrosecond);

static void BM_DrawWholeFrame(benchmark::State &state)
{
    movie::Playback playback(std::make_shared<movie::Movie>(movie::readSwf(rili())));
    QImage image(705, 437, QImage::Format_ARGB32_Premultiplied);
    qint64 tick = 0;
    for (auto _ : state) {
        playback.advanceTo(++tick);
        QPainter painter(&image);
        playback.paint(painter, QRectF(image.rect()));
    }
}
BENCHMARK(BM_DrawWholeFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// What one timer tick costs the player: its clock one frame on, the frame made current, and the
// changed areas drawn again into the panel's frame buffer, as movie::Player and the widget do it,
// counted in the CPU of the whole process. in_pool:0 draws on the calling thread, where Qt's
// raster engine hands large span fills to the global thread pool and waits for them; in_pool:1
// draws from a pool thread, where it doesn't.
static void BM_PlayOneFrame(benchmark::State &state)
{
    qint64 now = 0;
    movie::Player player;
    player.setClock([&now] { return now; });
    player.load(0, QStringLiteral(LORVEX_RILI_SWF));
    QImage image(705, 437, QImage::Format_ARGB32_Premultiplied);
    const QRectF target(image.rect());
    const QTransform toDevice = movie::showAllTransform(player.stage(), target);
    QRegion region;
    QObject::connect(&player, &movie::Player::updated, [&](const QRectF &area) {
        region += toDevice.mapRect(area).toAlignedRect().adjusted(-2, -2, 2, 2);
    });
    qint64 pixels = 0;
    for (auto _ : state) {
        region = QRegion();
        now += 100; // one frame at rili.swf's 10 a second
        player.start();
        const auto draw = [&] {
            QPainter painter(&image);
            player.paint(painter, target, region);
        };
        if (state.range(0) == 1) {
            QSemaphore done;
            QThreadPool::globalInstance()->start([&] {
                draw();
                done.release();
            });
            done.acquire();
        } else {
            draw();
        }
        for (const QRect &r : region)
            pixels += qint64(r.width()) * r.height();
    }
    state.counters["pixels/frame"] = double(pixels) / double(state.iterations());
}
BENCHMARK(BM_PlayOneFrame)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->ArgName("in_pool")
    ->Arg(0)
    ->Arg(1);

// A frame of the third loop and on, drawn where it changed into a frame buffer of a screen at
// `percent`, from a pool thread: what the player does once every pose of the loop is kept. The
// counter is the memory the kept poses hold.
// The player's drawing at `percent`: each frame on, its changed areas drawn again in the pool.
struct Playing
{
    explicit Playing(qreal scale)
        : playback(std::make_shared<movie::Movie>(movie::readSwf(rili())))
        , image(QSize(705, 437) * scale, QImage::Format_RGB32)
        , toDevice(movie::showAllTransform(playback.movie().stage, target))
    {
        image.setDevicePixelRatio(scale);
    }
    void playOne()
    {
        for (const QRectF &area : playback.advanceTo(++tick))
            region += toDevice.mapRect(area).toAlignedRect().adjusted(-2, -2, 2, 2);
        QSemaphore done;
        QThreadPool::globalInstance()->start([&] {
            {
                QPainter painter(&image);
                for (const QRect &area : region) {
                    painter.setClipRect(area);
                    playback.paint(painter, target);
                }
            }
            done.release();
        });
        done.acquire();
        region = QRegion();
    }

    movie::Playback playback;
    QImage image;
    const QRectF target{0, 0, 705, 437};
    const QTransform toDevice;
    QRegion region{target.toRect()};
    qint64 tick = 0;
};

static void BM_PlayKeptLoop(benchmark::State &state)
{
    Playing playing(state.range(0) / 100.0);
    while (playing.tick < 200)
        playing.playOne();
    for (auto _ : state)
        playing.playOne();
    state.counters["kept_KiB"] = double(playing.playback.cache().poseBytes()) / 1024;
}
BENCHMARK(BM_PlayKeptLoop)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->ArgName("percent")
    ->Arg(100)
    ->Arg(150)
    ->Arg(200);

// The first loop of rili.swf (its first 100 frames after the first), where each pose is drawn and
// kept: the whole loop, from a player just made.
static void BM_PlayFirstLoop(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Playing playing(state.range(0) / 100.0);
        playing.playOne();
        state.ResumeTiming();
        while (playing.tick < 101)
            playing.playOne();
    }
}
BENCHMARK(BM_PlayFirstLoop)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->ArgName("percent")
    ->Arg(100)
    ->Arg(200);
