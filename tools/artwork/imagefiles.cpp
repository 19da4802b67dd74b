#include "tools/artwork/imagefiles.h"

#include <QBuffer>

#include <turbojpeg.h>

#include <memory>

namespace artwork {

QByteArray encodeJpeg(const QImage &image, int quality)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitCompress(), tjDestroy);
    if (!handle)
        return {};
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(handle.get(), rgb.constBits(), rgb.width(),
                                   static_cast<int>(rgb.bytesPerLine()), rgb.height(), TJPF_RGB,
                                   &out, &size, TJSAMP_444, quality, TJFLAG_ACCURATEDCT);
    std::unique_ptr<unsigned char, void (*)(unsigned char *)> owned(out, tjFree);
    if (failed != 0 || !out)
        return {};
    return QByteArray(reinterpret_cast<const char *>(out), static_cast<qsizetype>(size));
}

QByteArray encodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly)
        || !image.convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace artwork
