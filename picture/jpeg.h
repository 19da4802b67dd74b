#pragma once

// Built-in pictures are JPEG files compiled into the program as Qt resources and decoded here
// with libjpeg-turbo.

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <limits>

// Decodes JPEG bytes into an RGB image; a null image when the bytes are not a JPEG we can read,
// or when the picture has more than `maxPixels` pixels (checked before anything is allocated).
QImage decodeJpeg(QByteArrayView bytes, qint64 maxPixels = std::numeric_limits<qint64>::max());

// Decodes a built-in picture by resource path (":/pictures/..."); a null image when missing.
QImage builtInPicture(const QString &resourcePath);
