#include "tools/moviemaker/rili.h"

#include "tools/swfwriter/swfwriter.h"

#include <QBuffer>
#include <QImage>
#include <QList>

using namespace movie;

namespace {

SwfWriter small()
{
    SwfWriter writer(QRect(0, 0, 2000, 1200), 24);
    writer.setBackground(QColor(240, 230, 210));
    return writer;
}

WriterFill gradientFill(WriterFill::Kind kind, int spread, bool linearRgb)
{
    WriterFill fill;
    fill.kind = kind;
    fill.stops = {{0, Qt::red}, {0.5, QColor(0, 128, 0, 128)}, {1, Qt::blue}};
    fill.spread = spread;
    fill.linearRgb = linearRgb;
    fill.focal = 0.5;
    fill.matrix = QTransform(0.03, 0.01, -0.01, 0.03, 1000, 600);
    return fill;
}

} // namespace

QList<QByteArray> makeSeeds()
{
    QList<QByteArray> seeds;
    // One shape per fill kind and shape version, with a line and a curve.
    const WriterFill fills[] = {
        WriterFill::solid(QColor(10, 20, 30, 200)),
        gradientFill(WriterFill::Linear, 0, false),
        gradientFill(WriterFill::Radial, 1, true),
        gradientFill(WriterFill::Focal, 2, false),
    };
    for (int version = 1; version <= 4; ++version) {
        SwfWriter writer = small();
        ShapeBuilder shape;
        const WriterFill &fill = fills[version - 1];
        const int f = shape.addFill(
            fill.kind == WriterFill::Focal && version < 4 ? WriterFill::solid(Qt::green) : fill);
        const int l = shape.addLine({40, Qt::black, version == 4 ? 2 : 0, version == 4 ? 2 : 0});
        shape.setStyles(0, f, l);
        shape.moveTo(100, 100);
        shape.lineTo(1800, 100);
        shape.curveTo(1900, 600, 1800, 1100);
        shape.lineTo(100, 100);
        if (version >= 2) {
            shape.newStyles();
            shape.rect(QRect(500, 500, 400, 300), shape.addFill(WriterFill::solid(Qt::yellow)));
        }
        writer.timeline().place(1, writer.defineShape(shape, version));
        writer.timeline().showFrame();
        seeds << writer.finish(SwfWriter::Plain);
    }
    // Display-list operations over frames, a nested sprite, a mask and a bitmap fill.
    {
        SwfWriter writer = small();
        ShapeBuilder square;
        square.rect(QRect(0, 0, 300, 300), square.addFill(WriterFill::solid(Qt::red)));
        const int a = writer.defineShape(square, 2);
        QImage image(2, 2, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        WriterFill bitmap;
        bitmap.kind = WriterFill::Bitmap;
        bitmap.bitmapId = writer.defineBitmap(image);
        bitmap.matrix = QTransform::fromScale(40, 40);
        ShapeBuilder tiled;
        tiled.rect(QRect(0, 0, 600, 600), tiled.addFill(bitmap));
        const int b = writer.defineShape(tiled, 3);
        TimelineBuilder inner;
        inner.place(1, a);
        inner.showFrame();
        inner.move(1, QTransform::fromTranslate(200, 0),
                   WriterColorTransform{{128, 256, 256, 200}, {20, 0, 0, 0}});
        inner.showFrame();
        const int sprite = writer.defineSprite(inner);
        TimelineBuilder &main = writer.timeline();
        main.place(1, a, {}, {}, 3);
        main.place(2, sprite, QTransform(1, 0.2, -0.2, 1, 300, 300));
        main.placeObject1(3, b, QTransform::fromTranslate(900, 100));
        main.showFrame();
        main.replace(2, b);
        main.placeObject3(4, sprite, QTransform::fromScale(2, 2));
        main.showFrame();
        main.removeObject1(3, b);
        main.remove(4);
        main.showFrame();
        seeds << writer.finish(SwfWriter::Plain);
        seeds << writer.finish(SwfWriter::Zlib);
    }
    // JPEG bitmaps: DefineBitsJPEG2 and DefineBitsJPEG3 with alpha.
    {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(QColor(200, 120, 40));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPEG", 50);
        SwfWriter writer = small();
        for (const QByteArray &alpha : {QByteArray(), QByteArray(64, char(100))}) {
            WriterFill fill;
            fill.kind = WriterFill::Bitmap;
            fill.bitmapId = writer.defineJpeg(jpeg, alpha);
            fill.matrix = QTransform::fromScale(20, 20);
            ShapeBuilder shape;
            shape.rect(QRect(0, 0, 400, 400), shape.addFill(fill));
            writer.timeline().place(fill.bitmapId, writer.defineShape(shape, 3));
        }
        writer.timeline().showFrame();
        seeds << writer.finish(SwfWriter::Plain);
    }
    return seeds;
}
