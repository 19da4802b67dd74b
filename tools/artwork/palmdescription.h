#pragma once

// The palm description language of tools/artwork/README.md: one line per picture, read into
// plain values. Mistakes are collected, not thrown, so one run names every bad line at once.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace artwork {

enum class PalmLine { Tian, Ren, Di, Shiye, Liuxiu, Jiafeng };
inline constexpr int PalmLineCount = 6;

enum class Palace { Xun, Li, Kun, Zhen, Dui, Gen, Kan, Qian, Ming };

enum class Finger { Thumb, Index, Middle, Ring, Little };
inline constexpr int FingerCount = 5;

struct Anchor
{
    enum class Kind { Palace, Wrist, FingerTip, FingerBase, OnLine };
    Kind kind = Kind::Palace;
    Palace palace = Palace::Ming;
    Finger finger = Finger::Thumb;
    PalmLine line = PalmLine::Tian;
    double t = 0; // along `line`, 0 … 1
};

struct LineStatement
{
    PalmLine line = PalmLine::Tian;
    bool hi = false, none = false, isShort = false, isLong = false, wavy = false, chain = false,
         sister = false, faint = false, deep = false;
    QList<double> breaks;
    std::optional<Anchor> start, end;
};

struct PathStatement
{
    Anchor from, to;
    double bend = 0;
    bool hi = false;
};

struct BranchStatement
{
    enum class Toward { Anchor, Up, Down };
    PalmLine line = PalmLine::Tian;
    double t = 0;
    Toward toward = Toward::Anchor;
    Anchor to;
    bool hi = false;
    bool across = false; // runs on over the line it is sent to instead of stopping at it
};

enum class MarkKind { Cross, Star, Island, X, Square, Dot, Triangle, Circle, Fork, Tassel, Grille };

struct MarkStatement
{
    MarkKind kind = MarkKind::Cross;
    Anchor at;
};

struct LinesStatement
{
    int count = 1;
    Anchor at;
    bool horizontal = false;
};

struct MessStatement
{
    bool wholePalm = false;
    Anchor at;
    std::optional<PalmLine> through; // a mess that breaks through this line
};

struct FingerStatement
{
    Finger finger = Finger::Thumb;
    bool isShort = false, isLong = false, bent = false, thin = false, hairy = false;
};

struct LabelStatement
{
    enum class Side { Auto, Above, Below, Left, Right };
    Palace palace = Palace::Ming;
    Side side = Side::Auto; // which way the label steps off a palace that holds a feature
};

using Statement = std::variant<LineStatement, PathStatement, BranchStatement, MarkStatement,
                               LinesStatement, MessStatement, FingerStatement, LabelStatement>;

struct PalmPicture
{
    int number = 0; // N of ImageN
    QList<Statement> statements;
};

struct PalmParse
{
    QList<PalmPicture> pictures; // in file order
    QStringList errors;          // "FILE:LINE: ImageN: what "word" in "statement""
};

// Reads one description file's text; `fileName` only labels the errors.
PalmParse parsePalmDescriptions(const QString &text, const QString &fileName);

// One anchor word ("li", "base:index", "tian@0.3" …); nothing when it is not one.
std::optional<Anchor> parseAnchorWord(const QString &word);

// "ImageN.jpg"'s height: Image56 has one row more than the others.
int palmPictureHeight(int number);
inline constexpr int PalmPictureWidth = 100;

} // namespace artwork
