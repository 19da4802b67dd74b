// A movie file is the player's only outside input: read arbitrary bytes as a SWF movie, play a
// few frames and draw them as the player does, and let the sanitizers watch. The corpus in
// corpus/swf/ holds small movies of our writer, one per tag and fill kind.

#include "movie/playback.h"
#include "movie/swfreader.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The reader's warnings are made as in the program, then dropped: written out, a million of
    // them would only slow the run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    auto movie = std::make_shared<movie::Movie>(movie::readSwf(bytes));
    if (movie->isEmpty())
        return 0;
    movie::Playback playback(movie);
    QImage image(141, 87, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    // Three frames on, drawn whole; then a frame further, drawn again in part, as the player
    // draws: the second drawing puts down the pictures and underlay the first one kept.
    playback.advanceTo(3);
    playback.paint(painter, QRectF(image.rect()));
    playback.paint(painter, QRectF(image.rect()));
    playback.advanceTo(4);
    painter.setClipRect(QRect(20, 10, 80, 60));
    playback.paint(painter, QRectF(image.rect()));
    return 0;
}
