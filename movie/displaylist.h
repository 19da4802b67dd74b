#pragma once

// The display list of a playing timeline: the objects at their depths, each a shape or a sprite
// with a display list and a frame of its own. Advancing one frame applies that frame's
// operations, advances every sprite already on stage, and says what changed, and where, so that
// a frame whose display list did not change is not drawn again.

#include "movie/swf.h"

#include <map>
#include <memory>
#include <vector>

namespace movie {

// Hostile movies are bounded here: sprites nested deeper are not instantiated, once this many
// objects live in one movie further placements are passed over, and once this many sprites have
// been placed in one frame of the movie the sprites placed after them in that frame stay empty.
// A sprite that places itself again and again would otherwise make a number of lists that grows
// as a power of its nesting.
constexpr int MaxSpriteNesting = 16;
constexpr int MaxLiveObjects = 20000;
constexpr qint64 MaxSpritesPerFrame = 1 << 14;
// A frame's actions may go to a frame whose actions go on again; a timeline follows at most this
// many gotos in one frame, so that two frames that go to each other do not hang it, and the
// gotos of one frame of the movie pass at most this many frames in all (past that, a timeline
// that would go stops where it is), however many sprites go back and forth over long timelines.
constexpr int MaxGotosPerFrame = 16;
constexpr qint64 MaxGotoFramesPerFrame = 1 << 16;

// What the lists of one movie count together.
struct ListCounts
{
    int liveObjects = 0;
    qint64 spritesPlaced = 0; // in this frame
    bool spritesCut = false;  // some were left empty
    qint64 framesGone = 0;    // passed by gotos in this frame
};

struct DisplayObject;

// Where a frame changed: a few rectangles, so that a turning wheel and a cloud drifting far from
// it are repainted apart, not as the one rectangle around both.
class DirtyArea
{
public:
    void add(const QRectF &rect);
    bool isEmpty() const { return m_rects.empty(); }
    const std::vector<QRectF> &rects() const { return m_rects; }

private:
    std::vector<QRectF> m_rects;
};

class DisplayList
{
public:
    // Starts `timeline` at its first frame.
    DisplayList(const Movie &movie, const Timeline &timeline, int nesting, ListCounts &counts);
    ~DisplayList();
    DisplayList(const DisplayList &) = delete;
    DisplayList &operator=(const DisplayList &) = delete;

    // One frame on, unless its actions stopped it; from the last frame back to the first. Adds to
    // `dirty` the area, under `toStage`, whose drawing may have changed; returns whether anything
    // changed.
    bool advance(const QTransform &toStage, DirtyArea &dirty);

    int frame() const { return m_frame; }
    // Whether nothing in it will move again: its own timeline stopped or of one frame, and so
    // every sprite's in it.
    bool settled() const;
    int frameCount() const { return int(m_timeline.size()); }
    const std::map<int, DisplayObject> &objects() const { return m_objects; }

    // The area this list draws in, under `toStage`.
    QRectF bounds(const QTransform &toStage) const;

private:
    bool applyFrame(int frame, const QTransform &toStage, DirtyArea &dirty);
    // KeepSame: placing the character that is already at the depth only moves it (a rewind).
    enum class Placement { Fresh, KeepSame };
    bool apply(const ControlTag &tag, const QTransform &toStage, DirtyArea &dirty,
               Placement placement = Placement::Fresh);
    void rewind(const QTransform &toStage, DirtyArea &dirty);
    // Runs the actions of `frame`, just entered, and of the frames their gotos land on.
    bool runActions(int frame, const QTransform &toStage, DirtyArea &dirty);
    // The display list as `frame` has it, without running any frame's actions on the way.
    bool goTo(int frame, const QTransform &toStage, DirtyArea &dirty);
    void instantiate(DisplayObject &object);
    void release(DisplayObject &object);

    const Movie &m_movie;
    const Timeline &m_timeline;
    const int m_nesting;
    ListCounts &m_counts;
    int m_frame = -1;
    bool m_playing = true;
    std::map<int, DisplayObject> m_objects;
};

struct DisplayObject
{
    int characterId = 0;
    const Character *character = nullptr; // null: not in the dictionary (drawn as nothing)
    QTransform matrix;
    ColorTransform colorTransform;
    int clipDepth = 0;
    bool visible = true;
    int ratio = 0; // a morph's, 0..65535
    int blendMode = 0;
    std::unique_ptr<DisplayList> sprite;

    QRectF bounds(const QTransform &toStage) const;
    // What a shape or a morph shows now, null for anything else; a morph's is held by the
    // pointer, while it is drawn, against its morph letting it go.
    std::shared_ptr<const Shape> shape() const;
    // The ratio its drawing depends on: a morph's, 0 for anything else.
    int morphRatio() const { return character && character->morph ? ratio : 0; }
    // Whether it is drawn apart and then mixed in by its blend mode (0 and 1, and modes unknown,
    // are normal).
    bool blended() const { return blendMode >= BlendLayer && blendMode <= BlendHardLight; }
};

} // namespace movie
