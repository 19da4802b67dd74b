#pragma once

// The artwork tests read back what the tool writes: JPEG bytes decoded with libjpeg-turbo, and
// the chroma subsampling they were written with.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <turbojpeg.h>

#include <memory>

// A null image when the bytes are not a JPEG.
inline QImage DecodeJpeg(const QByteArray &bytes, int *subsampling = nullptr)
{
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
    auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    int width = 0, height = 0, sub = 0, colourspace = 0;
    if (tjDecompressHeader3(handle.get(), data, bytes.size(), &width, &height, &sub, &colourspace))
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    if (tjDecompress2(handle.get(), data, bytes.size(), image.bits(), width,
                      int(image.bytesPerLine()), height, TJPF_RGB, 0))
        return {};
    if (subsampling)
        *subsampling = sub;
    return image;
}

// A committed picture; a null image when the file is missing or not a JPEG.
inline QImage ReadJpeg(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? DecodeJpeg(file.readAll()) : QImage();
}
