#pragma once

// Built-in pictures are JPEG files compiled into the program as Qt resources and decoded here
// with libjpeg-turbo.

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Decodes JPEG bytes into an RGB image; a null image when the bytes are not a JPEG we can read.
QImage decodeJpeg(QByteArrayView bytes);

// Decodes a built-in picture by resource path (":/pictures/..."); a null image when missing.
QImage builtInPicture(const QString &resourcePath);
