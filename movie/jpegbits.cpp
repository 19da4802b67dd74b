#include "movie/jpegbits.h"

#include <turbojpeg.h>

namespace movie {

QImage DecodeJpegBits(QByteArrayView data, qint64 maxPixels)
{
    // Flash's own tools wrote an empty image (FF D9 FF D8) in front of some streams, and split
    // others into tables and image with an end and a start marker between them: both go.
    QByteArray bytes = data.toByteArray();
    static const QByteArray endStart("\xff\xd9\xff\xd8", 4);
    if (bytes.startsWith(endStart))
        bytes.remove(0, 4);
    if (const qsizetype split = bytes.indexOf(endStart, 2); split > 0)
        bytes.remove(split, 4);
    if (!bytes.startsWith("\xff\xd8"))
        return {};

    tjhandle handle = tjInitDecompress();
    if (!handle)
        return {};
    auto *jpeg = reinterpret_cast<unsigned char *>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    QImage image;
    if (tjDecompressHeader3(handle, jpeg, size, &width, &height, &subsampling, &colourspace) == 0
        && width > 0 && height > 0 && qint64(width) * height <= maxPixels) {
        image = QImage(width, height, QImage::Format_RGB32);
        if (!image.isNull()
            && tjDecompress2(handle, jpeg, size, image.bits(), width, int(image.bytesPerLine()),
                             height, TJPF_BGRX, 0)
                   != 0)
            image = QImage();
    }
    tjDestroy(handle);
    return image;
}

} // namespace movie
