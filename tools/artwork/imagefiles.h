#pragma once

// The files the pictures are written as. JPEG through libjpeg-turbo with full colour resolution
// (no chroma subsampling) so that thin red strokes stay red, and the exact DCT so the bytes are
// the same on every machine; PNG for the icon.

#include <QByteArray>
#include <QImage>

namespace artwork {

// Empty when the image is null or the encoder fails.
QByteArray encodeJpeg(const QImage &image, int quality = 90);

// 24-bit colour, no alpha channel.
QByteArray encodePng(const QImage &image);

} // namespace artwork
