#include "picture/jpeg.h"

#include <QFile>

#include <turbojpeg.h>

#include <memory>

QImage decodeJpeg(QByteArrayView bytes, qint64 maxPixels)
{
    if (bytes.isEmpty())
        return {};
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
    if (!handle)
        return {};
    auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colourspace)
            != 0
        || width <= 0 || height <= 0 || qint64(width) * height > maxPixels)
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull())
        return {};
    if (tjDecompress2(handle.get(), data, size, image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height, TJPF_RGB, TJFLAG_ACCURATEDCT)
        != 0)
        return {};
    return image;
}

QImage builtInPicture(const QString &resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeJpeg(file.readAll());
}
