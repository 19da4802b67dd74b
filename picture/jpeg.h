#pragma once

// Built-in pictures are JPEG files compiled into the program as Qt resources and decoded here
// with libjpeg-turbo.

#include <QByteArrayView>
#include <QImage>
#include <QLoggingCategory>
#include <QString>

#include <limits>

// Why a picture was decoded in part or not at all ("lorvex.jpeg").
Q_DECLARE_LOGGING_CATEGORY(lcJpeg)

// Decodes JPEG bytes into an RGB32 image; a null image when the bytes are not a JPEG we can read,
// or when the picture has more than `maxPixels` pixels (checked before anything is allocated).
// A stream that ends early or holds bad data keeps what libjpeg-turbo could decode of it (the
// rest grey), and the log says so.
QImage decodeJpeg(QByteArrayView bytes, qint64 maxPixels = std::numeric_limits<qint64>::max());

// Decodes a built-in picture by resource path (":/pictures/NAME.jpg"); a null image when missing.
// On a screen with more than one device pixel to each of ours (`devicePixelRatio` above 1) the
// picture's drawing at twice the size, NAME@2x.jpg beside it, is taken where there is one, made to
// the ratio's size and marked with the ratio: it covers the same place as the picture, only finer.
QImage builtInPicture(const QString &resourcePath, qreal devicePixelRatio = 1);
