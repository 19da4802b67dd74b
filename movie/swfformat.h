#pragma once

// The SWF records that the reader and our writer (tools/swfwriter) both handle, described once:
// tag codes, the codes and flags inside records, and the bit fields of the packed records, in
// file order. Both sides read or write such a record by walking its field table, so they can't
// disagree on a field's width or place.

#include <array>
#include <cstdint>

namespace movie::swf {

enum TagCode : int {
    End = 0,
    ShowFrame = 1,
    DefineShape = 2,
    PlaceObject = 4,
    RemoveObject = 5,
    DefineBits = 6,
    DefineButton = 7,
    JPEGTables = 8,
    SetBackgroundColor = 9,
    DefineFont = 10,
    DefineText = 11,
    DoAction = 12,
    DefineBitsLossless = 20,
    DefineBitsJPEG2 = 21,
    DefineShape2 = 22,
    PlaceObject2 = 26,
    RemoveObject2 = 28,
    DefineShape3 = 32,
    DefineText2 = 33,
    DefineBitsJPEG3 = 35,
    DefineBitsLossless2 = 36,
    DefineButton2 = 34,
    DefineSprite = 39,
    FrameLabel = 43,
    DefineMorphShape = 46,
    DefineFont2 = 48,
    PlaceObject3 = 70,
    DefineFont3 = 75,
    DefineShape4 = 83,
    DefineMorphShape2 = 84,
    DefineBitsJPEG4 = 90,
};

// ACTIONRECORD codes: those that move the timeline they run in, and those past which a list of
// actions is no longer followed (they branch, call, or turn to another timeline). A code of 0x80
// or more is followed by a UI16 length and that many bytes.
enum ActionCode : int {
    ActionEnd = 0x00,
    ActionNextFrame = 0x04,
    ActionPreviousFrame = 0x05,
    ActionPlay = 0x06,
    ActionStop = 0x07,
    ActionSetTarget2 = 0x20,
    ActionCallFunction = 0x3D,
    ActionCallMethod = 0x52,
    ActionGotoFrame = 0x81,
    ActionSetTarget = 0x8B,
    ActionGotoLabel = 0x8C,
    ActionDefineFunction2 = 0x8E,
    ActionTry = 0x8F,
    ActionWith = 0x94,
    ActionJump = 0x99,
    ActionDefineFunction = 0x9B,
    ActionCall = 0x9E,
    ActionIf = 0x9D,
    ActionGotoFrame2 = 0x9F,
};

// FILLSTYLE's type byte.
enum FillType : int {
    SolidFill = 0x00,
    LinearGradientFill = 0x10,
    RadialGradientFill = 0x12,
    FocalGradientFill = 0x13,
    RepeatingBitmapFill = 0x40,
    ClippedBitmapFill = 0x41,
    HardRepeatingBitmapFill = 0x42, // not smoothed
    HardClippedBitmapFill = 0x43,
};

// Cap and join codes of LINESTYLE2.
enum CapCode : std::uint32_t { RoundCap = 0, NoCap = 1, SquareCap = 2 };
enum JoinCode : std::uint32_t { RoundJoin = 0, BevelJoin = 1, MiterJoin = 2 };

// A packed record: the width of each field in bits, most significant first.
template<std::size_t N>
struct BitLayout
{
    std::array<int, N> widths;
    using Values = std::array<std::uint32_t, N>;
};

// LINESTYLE2, after its UI16 width: sixteen bits of flags.
enum LineField : std::size_t {
    StartCap,
    Join,
    HasFill,
    NoHScale,
    NoVScale,
    PixelHinting,
    LineReserved,
    NoClose,
    EndCap,
};
inline constexpr BitLayout<9> LineStyle2Flags{{2, 2, 1, 1, 1, 1, 5, 1, 2}};

// GRADIENT and FOCALGRADIENT, after the matrix: one byte.
enum GradientField : std::size_t { Spread, Interpolation, StopCount };
inline constexpr BitLayout<3> GradientFlags{{2, 2, 4}};
enum SpreadCode : std::uint32_t { PadSpread = 0, ReflectSpread = 1, RepeatSpread = 2 };
enum InterpolationCode : std::uint32_t { NormalRgb = 0, LinearRgb = 1 };

// STYLECHANGERECORD, after its type bit: five flags.
inline constexpr int ChangeMoveTo = 0x01;
inline constexpr int ChangeFill0 = 0x02;
inline constexpr int ChangeFill1 = 0x04;
inline constexpr int ChangeLine = 0x08;
inline constexpr int ChangeNewStyles = 0x10;

// DefineShape4's flag byte, after its edge bounds, and DefineMorphShape2's.
inline constexpr int UsesScalingStrokes = 0x01;
inline constexpr int UsesNonScalingStrokes = 0x02;
inline constexpr int UsesFillWindingRule = 0x04;

// PlaceObject2 and 3: the first flag byte.
inline constexpr int PlaceMove = 0x01;
inline constexpr int PlaceHasCharacter = 0x02;
inline constexpr int PlaceHasMatrix = 0x04;
inline constexpr int PlaceHasColorTransform = 0x08;
inline constexpr int PlaceHasRatio = 0x10;
inline constexpr int PlaceHasName = 0x20;
inline constexpr int PlaceHasClipDepth = 0x40;
inline constexpr int PlaceHasClipActions = 0x80;

// A BUTTONRECORD's flags: the states it shows in, and what follows it in DefineButton2.
inline constexpr int ButtonStateUp = 0x01;
inline constexpr int ButtonHasFilterList = 0x10;
inline constexpr int ButtonHasBlendMode = 0x20;

// PlaceObject3: the second flag byte.
inline constexpr int PlaceHasFilterList = 0x01;
inline constexpr int PlaceHasBlendMode = 0x02;
inline constexpr int PlaceHasCacheAsBitmap = 0x04;
inline constexpr int PlaceHasClassName = 0x08;
inline constexpr int PlaceHasImage = 0x10;
inline constexpr int PlaceHasVisible = 0x20;
inline constexpr int PlaceHasOpaqueBackground = 0x40;

} // namespace movie::swf
