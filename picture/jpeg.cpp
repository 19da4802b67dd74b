#include "picture/jpeg.h"

#include <QFile>

#include <turbojpeg.h>

#include <memory>

Q_LOGGING_CATEGORY(lcJpeg, "lorvex.jpeg")

QImage decodeJpeg(QByteArrayView bytes, qint64 maxPixels)
{
    if (bytes.isEmpty()) {
        qCWarning(lcJpeg, "not decoded: no bytes");
        return {};
    }
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
    if (!handle) {
        qCWarning(lcJpeg, "not decoded: %s", tjGetErrorStr2(nullptr));
        return {};
    }
    auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colourspace)
        != 0) {
        qCWarning(lcJpeg, "not decoded: %s", tjGetErrorStr2(handle.get()));
        return {};
    }
    if (width <= 0 || height <= 0 || qint64(width) * height > maxPixels) {
        qCWarning(lcJpeg, "not decoded: %d x %d pixels, more than the %lld allowed", width, height,
                  static_cast<long long>(maxPixels));
        return {};
    }
    // Straight into the layout a pixmap keeps (0xffRRGGBB in native byte order; libjpeg-turbo
    // fills the X byte with 0xff), so that showing it needs no conversion and no second buffer.
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        qCWarning(lcJpeg, "not decoded: no memory for %d x %d pixels", width, height);
        return {};
    }
    constexpr TJPF layout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;
    if (tjDecompress2(handle.get(), data, size, image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height, layout, TJFLAG_ACCURATEDCT)
        != 0) {
        // A warning (a stream cut short, a corrupt stretch) leaves the whole picture decoded as
        // far as the data went; only a fatal error leaves nothing worth showing.
        const bool fatal = tjGetErrorCode(handle.get()) == TJERR_FATAL;
        qCWarning(lcJpeg, "%s: %s", fatal ? "not decoded" : "decoded in part",
                  tjGetErrorStr2(handle.get()));
        if (fatal)
            return {};
    }
    return image;
}

namespace {

QImage readBuiltIn(const QString &resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeJpeg(file.readAll());
}

} // namespace

QImage builtInPicture(const QString &resourcePath, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1 || !resourcePath.endsWith(QLatin1String(".jpg")))
        return readBuiltIn(resourcePath);
    QString finerPath = resourcePath;
    finerPath.insert(finerPath.size() - 4, QLatin1String("@2x"));
    QImage finer = readBuiltIn(finerPath);
    if (finer.isNull())
        return readBuiltIn(resourcePath);
    finer.setDevicePixelRatio(2);
    if (devicePixelRatio == 2)
        return finer;
    // Painted unscaled at any other ratio too, rather than stretched by the painter pixel by
    // pixel: 150% would otherwise double every other row and column.
    const QSizeF place = finer.deviceIndependentSize();
    QImage fitted = finer.scaled(qRound(place.width() * devicePixelRatio),
                                 qRound(place.height() * devicePixelRatio), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(devicePixelRatio);
    return fitted;
}
