// The movie's costs: reading "rili.swf", drawing a whole frame at the panel's 705 × 437, and
// what the player does each frame while it plays: one frame on, then only the changed areas
// drawn again.

#include "movie/playback.h"
#include "movie/swfreader.h"

#include <QFile>
#include <QImage>
#include <QPainter>
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

// What one timer tick costs the player: one frame on and the changed areas repainted, counted
// in the CPU of the whole process. in_pool:0 draws on the calling thread, where Qt's raster
// engine hands large span fills to the global thread pool; in_pool:1 draws from a pool thread,
// as the player does, where it doesn't.
static void BM_PlayOneFrame(benchmark::State &state)
{
    movie::Playback playback(std::make_shared<movie::Movie>(movie::readSwf(rili())));
    QImage image(705, 437, QImage::Format_ARGB32_Premultiplied);
    const QRectF target(image.rect());
    const QTransform toDevice = [&] {
        const QRectF stage = playback.movie().stage;
        const qreal scale
            = std::min(target.width() / stage.width(), target.height() / stage.height());
        return QTransform::fromScale(scale, scale);
    }();
    qint64 tick = 0;
    qint64 pixels = 0;
    for (auto _ : state) {
        QRegion region;
        for (const QRectF &dirty : playback.advanceTo(++tick))
            region += toDevice.mapRect(dirty).toAlignedRect().adjusted(-2, -2, 2, 2);
        const auto draw = [&] {
            QPainter painter(&image);
            for (const QRect &r : region) {
                painter.setClipRect(r);
                playback.paint(painter, target);
                pixels += qint64(r.width()) * r.height();
            }
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
    }
    state.counters["pixels/frame"] = double(pixels) / double(state.iterations());
}
BENCHMARK(BM_PlayOneFrame)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->ArgName("in_pool")
    ->Arg(0)
    ->Arg(1);
