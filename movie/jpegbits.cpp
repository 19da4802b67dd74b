#include "movie/jpegbits.h"

#include "picture/jpeg.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace movie {

namespace {

// PNG or GIF where a JPEG may stand (from SWF 8 on), through Qt's own readers: the size is read
// and checked first.
QImage decodeOther(QByteArrayView data, qint64 maxPixels)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size()); // read, never copied
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, bytes.startsWith("GIF") ? "gif" : "png");
    const QSize size = reader.size();
    if (size.isEmpty() || qint64(size.width()) * size.height() > maxPixels)
        return {};
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

QImage decodeJpegBits(QByteArrayView data, qint64 maxPixels)
{
    if (data.startsWith("\x89PNG\r\n\x1a\n") || data.startsWith("GIF87a")
        || data.startsWith("GIF89a"))
        return decodeOther(data, maxPixels);
    // Flash's own tools wrote an empty image (FF D9 FF D8) in front of some streams, and split
    // others into tables and image with an end and a start marker between them: both go.
    QByteArray bytes = data.toByteArray();
    static const QByteArray endStart("\xff\xd9\xff\xd8", 4);
    if (bytes.startsWith(endStart))
        bytes.remove(0, 4);
    // DefineBits joined to JPEGTables may make more than one such join; a removal can make
    // another just before it.
    for (qsizetype split = bytes.indexOf(endStart, 2); split > 0;
         split = bytes.indexOf(endStart, std::max<qsizetype>(2, split - 2)))
        bytes.remove(split, 4);
    if (!bytes.startsWith("\xff\xd8"))
        return {};

    return decodeJpeg(bytes, maxPixels);
}

} // namespace movie
