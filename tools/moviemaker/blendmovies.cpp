// The blend mode movie of tst_swfsamples, judged by Ruffle's picture of its first frame. A stage
// of 300 × 180 pixels in cells of 60 × 60 over stripes of several colours and alphas; in each cell
// an opaque and a translucent square put down by a blend mode. Coordinates below are in pixels,
// twips() turns pixels into twips.

#include "tools/moviemaker/rili.h"

#include "tools/swfwriter/swfwriter.h"

#include <QImage>

using namespace movie;

namespace {

constexpr int twips(double pixels)
{
    return int(pixels * 20);
}

QTransform cell(int column, int row)
{
    return QTransform::fromTranslate(twips(column * 60), twips(row * 60));
}

void addRect(ShapeBuilder &shape, const QRectF &r, const QColor &colour)
{
    shape.rect(QRect(twips(r.x()), twips(r.y()), twips(r.width()), twips(r.height())),
               shape.addFill(WriterFill::solid(colour)));
}

// Modes, as PlaceObject3 numbers them. Subtract (9), Invert (10), Alpha (11) and Erase (12) are
// not here: Ruffle's web player does not draw them as Flash does.
constexpr int Layer = 2, Multiply = 3, Screen = 4, Lighten = 5, Darken = 6, Difference = 7, Add = 8,
              Overlay = 13, HardLight = 14;

QByteArray blendModes()
{
    SwfWriter w(QRect(0, 0, twips(300), twips(180)), 12);
    w.setBackground(QColor(250, 250, 245));
    TimelineBuilder &main = w.timeline();

    // Stripes across the stage, 6 pixels high, in colours of several alphas.
    const QColor stripes[]
        = {QColor(200, 30, 30),       QColor(30, 160, 60, 200), QColor(40, 60, 200),
           QColor(240, 220, 40, 120), QColor(20, 20, 20),       QColor(250, 130, 200, 230),
           QColor(120, 200, 230, 60), QColor(255, 255, 255)};
    ShapeBuilder background;
    for (int i = 0; i < 30; ++i)
        addRect(background, {0, i * 6.0, 300, 6}, stripes[i % 8]);
    main.place(1, w.defineShape(background));

    // An opaque orange square and a translucent blue one beside it. Ruffle's web player puts down
    // each fill of a shape by the mode, where Flash puts down the shape drawn whole: fills that
    // overlap would tell them apart.
    ShapeBuilder pair;
    addRect(pair, {6, 8, 24, 44}, QColor(240, 130, 40));
    addRect(pair, {30, 8, 24, 44}, QColor(40, 110, 230, 150));
    const int squares = w.defineShape(pair);

    const int modes[] = {Multiply, Screen, Lighten, Darken, Difference, Add, Overlay, HardLight};
    int depth = 2;
    for (int i = 0; i < 8; ++i)
        main.place(depth++, squares, cell(i % 5, i / 5), {}, 0, -1, modes[i]);

    // Sprites of two squares apart under a mode (Ruffle's web player puts down each child by
    // the mode, where Flash puts down the sprite drawn whole: the two agree only where the
    // children do not overlap).
    ShapeBuilder green;
    addRect(green, {6, 8, 48, 44}, QColor(30, 150, 70));
    const int greenSquare = w.defineShape(green);
    const QTransform inside = QTransform::fromTranslate(twips(10), twips(14)).scale(0.6, 0.6);
    const auto sprite = [&](const std::optional<WriterColorTransform> &cx) {
        TimelineBuilder two;
        two.place(1, squares, QTransform::fromScale(1, 0.5), cx);
        two.place(2, greenSquare,
                  QTransform::fromScale(1, 0.4) * QTransform::fromTranslate(0, twips(35)));
        two.showFrame();
        return w.defineSprite(two);
    };
    main.place(depth++, sprite({}), cell(3, 1), {}, 0, -1, Difference);

    // A Multiply square under a normal one that covers part of it.
    main.place(depth++, squares, cell(4, 1), {}, 0, -1, Multiply);
    main.place(depth++, greenSquare, inside * cell(4, 1));

    // Layer: the sprite drawn apart, then put down as usual.
    main.place(depth++, sprite({}), cell(0, 2), {}, 0, -1, Layer);

    // A morph halfway under Screen.
    ShapeBuilder from, to;
    addRect(from, {6, 8, 20, 20}, QColor(200, 40, 160));
    addRect(to, {20, 20, 34, 34}, QColor(40, 200, 220, 120));
    main.place(depth++, w.defineMorphShape(from, to), cell(1, 2), {}, 0, 32768, Screen);

    // A bitmap, a grid of 4 × 4 colours shown unsmoothed, under HardLight. It is opaque: Ruffle's
    // web player puts the alpha of a translucent bitmap into a mode twice.
    QImage grid(4, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            grid.setPixelColor(x, y, QColor(x * 80, y * 80, 255 - x * 60));
    WriterFill bitmap;
    bitmap.kind = WriterFill::Bitmap;
    bitmap.bitmapId = w.defineBitmap(grid);
    bitmap.bitmapType = swf::HardClippedBitmapFill;
    bitmap.matrix = QTransform::fromScale(twips(12), twips(12))
                    * QTransform::fromTranslate(twips(6), twips(6));
    ShapeBuilder picture;
    picture.rect(QRect(twips(6), twips(6), twips(48), twips(48)), picture.addFill(bitmap));
    main.place(depth++, w.defineShape(picture), cell(2, 2), {}, 0, -1, HardLight);

    // Within a sprite drawn as usual, the squares at half alpha under Multiply; a sprite whose
    // squares are at half alpha under Darken.
    WriterColorTransform halfAlpha;
    halfAlpha.mul = {256, 256, 256, 128};
    TimelineBuilder holder;
    holder.place(1, squares, {}, halfAlpha, 0, -1, Multiply);
    holder.showFrame();
    main.place(depth++, w.defineSprite(holder), cell(3, 2));
    main.place(depth++, sprite(halfAlpha), cell(4, 2), {}, 0, -1, Darken);
    main.showFrame();
    return w.finish(SwfWriter::Plain);
}

} // namespace

QList<std::pair<QString, QByteArray>> makeBlendMovies()
{
    return {{QStringLiteral("ours_blendmodes"), blendModes()}};
}
