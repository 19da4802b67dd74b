#include "movie/jpegbits.h"

#include "picture/jpeg.h"

#include <algorithm>

namespace movie {

QImage decodeJpegBits(QByteArrayView data, qint64 maxPixels)
{
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
