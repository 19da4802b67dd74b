#pragma once

// The one place the movie decodes JPEG (DefineBitsJPEG2 and 3 hold whole JPEG streams, DefineBits
// one whose tables are the movie's JPEGTables): the stream is tidied as Flash's tools wrote it,
// then decoded by picture/. From SWF 8 on the same tags may hold a PNG or a GIF instead, which
// Qt's readers decode.

#include <QByteArrayView>
#include <QImage>

namespace movie {

// The picture, or a null image for data that is none of the three, fails to decode, or has more
// than `maxPixels` pixels (checked before anything is allocated).
QImage decodeJpegBits(QByteArrayView data, qint64 maxPixels);

} // namespace movie
