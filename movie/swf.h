#pragma once

// What the reader keeps of a SWF movie: the stage, the frame rate, the dictionary of characters
// (shapes built once into painter paths, sprites with their own timelines) and the main timeline
// as a list of frames of display-list operations. Coordinates stay in twips (1/20 pixel).

#include <QColor>
#include <QGradient>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace movie {

// Colour transform: each channel becomes channel * mul / 256 + add, clamped to 0..255.
struct ColorTransform
{
    std::array<int, 4> mul{256, 256, 256, 256}; // r, g, b, a
    std::array<int, 4> add{0, 0, 0, 0};

    bool isIdentity() const { return mul == ColorTransform().mul && add == ColorTransform().add; }
    QColor apply(const QColor &colour) const;
    // This transform applied after `inner`.
    ColorTransform after(const ColorTransform &inner) const;
    bool operator==(const ColorTransform &) const = default;
};

struct FillStyle
{
    enum Kind { Solid, Linear, Radial, Focal, Bitmap };
    Kind kind = Solid;
    QColor colour;
    // Gradients: stops in 0..1, spread, the matrix from the gradient square (-16384..16384 twips)
    // into the shape, the focal point (-1..1) of a focal gradient.
    QGradientStops stops;
    QGradient::Spread spread = QGradient::PadSpread;
    qreal focal = 0;
    QTransform matrix;
    // Bitmaps: the character and whether it repeats and is smoothed.
    int bitmapId = 0;
    bool repeat = true;
    bool smooth = true;
};

// How a stroke's width follows the object's matrix (LINESTYLE2's NoHScale and NoVScale).
enum class StrokeScaling { Both, VerticalOnly, HorizontalOnly, None };

struct LineStyle
{
    int width = 20; // twips; 0 is a hairline, one pixel wide at any scale
    QColor colour;
    Qt::PenCapStyle startCap = Qt::RoundCap;
    Qt::PenCapStyle endCap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    qreal miterLimit = 3;
    StrokeScaling scaling = StrokeScaling::Both;
    bool noClose = false; // a contour that returns to its start gets caps there, not a join
    bool hasFill = false;
    FillStyle fill;
};

// One painted part of a shape, in drawing order: a closed fill path or the strokes of one line
// style.
struct ShapeLayer
{
    QPainterPath path;
    int fill = -1; // index into Shape::fills
    int line = -1; // index into Shape::lines
};

struct Shape
{
    QRectF bounds; // of everything drawn, strokes included (twips)
    // Even-odd unless DefineShape4 asks for non-zero winding.
    Qt::FillRule fillRule = Qt::OddEvenFill;
    // The widest stroke that does not scale with the object (twips, 0: none), which its bounds
    // can't hold: the drawing pads them by it.
    int nonScalingWidth = 0;
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<ShapeLayer> layers;
    int edges = 0;
};

// How an object is put down over what lies under it (PlaceObject3). Normal and Layer mix it
// over as usual; Layer draws it apart first, which its Alpha and Erase children act on.
enum BlendMode {
    BlendNormal = 1,
    BlendLayer = 2,
    BlendMultiply = 3,
    BlendScreen = 4,
    BlendLighten = 5,
    BlendDarken = 6,
    BlendDifference = 7,
    BlendAdd = 8,
    BlendSubtract = 9,
    BlendInvert = 10,
    BlendAlpha = 11,
    BlendErase = 12,
    BlendOverlay = 13,
    BlendHardLight = 14,
};

// One display-list operation of a frame (PlaceObject 1-3, RemoveObject 1-2), or one of the
// frame's actions that move its own timeline (DoAction's stop, play and goto), which run after
// its operations, in order.
struct ControlTag
{
    enum Kind { Place, Remove, Stop, Play, Goto, Step };
    Kind kind = Place;
    int depth = 0;
    // Goto's: the frame (from 0) it goes to and stops at, none when negative (a label not in the
    // timeline); Step's: +1 or -1, the next or the previous frame.
    int frame = 0;
    bool move = false;    // modify the object at depth rather than place a new one
    int characterId = -1; // -1: keep the character at depth
    bool hasMatrix = false;
    QTransform matrix;
    bool hasColorTransform = false;
    ColorTransform colorTransform;
    int clipDepth = 0;
    bool hasVisible = false; // PlaceObject3 may hide an object
    bool visible = true;
    bool hasRatio = false;     // how far a morph has gone from its start shape to its end shape
    int ratio = 0;             // 0..65535
    bool hasBlendMode = false; // PlaceObject3's: how the object mixes with what lies under it
    int blendMode = 0;         // a BlendMode
};

// A shape tween (DefineMorphShape, DefineMorphShape2): a start and an end shape whose edges and
// styles pair one to one. The shape at a ratio, built on demand by the reader's morph
// (shapereader.cpp), blends each value as start + (end - start) * ratio / 65535.
class Morph
{
public:
    virtual ~Morph() = default;
    // The shape at `ratio` (0..65535); the last few built are kept, so a morph playing on is not
    // built again for each drawing. May be called from any thread.
    virtual std::shared_ptr<const Shape> shapeAt(int ratio) const = 0;

    // What the shape covers at any ratio, strokes included, and the pad its non-scaling strokes
    // need (as Shape's): the display list measures a morph by them without building it.
    QRectF bounds;
    int nonScalingWidth = 0;
};

using Frame = std::vector<ControlTag>;
using Timeline = std::vector<Frame>;

struct Character
{
    enum Kind { ShapeCharacter, SpriteCharacter, BitmapCharacter, MorphCharacter };
    Kind kind = ShapeCharacter;
    Shape shape;
    std::shared_ptr<const Morph> morph; // a morph's, null when it could not be read
    Timeline sprite;
    QImage bitmap;
};

struct Movie
{
    QRectF stage; // twips
    qreal frameRate = 12;
    int version = 0; // of the file format, from the header
    int declaredFrameCount = 0;
    QColor background = Qt::white; // the first SetBackgroundColor's, as Flash Player keeps it
    std::map<int, std::shared_ptr<const Character>> dictionary;
    Timeline timeline;

    // What could not be read, for tests and curious developers; nothing is shown to the user.
    QStringList problems;

    bool isEmpty() const { return timeline.empty(); }
    const Character *character(int id) const;
};

} // namespace movie
