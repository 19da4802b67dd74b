#include "text/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace text {

namespace {
constexpr const char *kCodec = "GBK";
}

QByteArray toGbk(QStringView s)
{
    QStringEncoder encoder(kCodec);
    return encoder.encode(s);
}

QString fromGbk(QByteArrayView bytes)
{
    // A lead byte at the very end would be dropped silently as the start of input that never
    // comes. With one ASCII space behind it the decoder reports it as U+FFFD like any other bad
    // sequence; the space itself is taken off again.
    QByteArray padded(bytes.data(), bytes.size());
    padded.append(' ');
    QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(padded);
    decoded.chop(1);
    return decoded;
}

bool fitsGbk(QStringView s)
{
    QStringEncoder encoder(kCodec);
    const QByteArray bytes = encoder.encode(s);
    return !encoder.hasError() && fromGbk(bytes) == s;
}

QByteArray leadingBytes(const QByteArray &bytes, qsizetype n)
{
    return bytes.left(qMax<qsizetype>(n, 0));
}

} // namespace text
