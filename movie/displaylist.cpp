#include "movie/displaylist.h"

#include <algorithm>

namespace movie {

void DirtyArea::add(const QRectF &rect)
{
    if (rect.isEmpty())
        return;
    QRectF merged = rect;
    // Overlapping rectangles become one; beyond a handful, everything does.
    for (bool again = true; again;) {
        again = false;
        for (auto it = m_rects.begin(); it != m_rects.end(); ++it) {
            if (it->intersects(merged)) {
                merged |= *it;
                m_rects.erase(it);
                again = true;
                break;
            }
        }
    }
    m_rects.push_back(merged);
    if (m_rects.size() > 8) {
        QRectF all;
        for (const QRectF &r : m_rects)
            all |= r;
        m_rects = {all};
    }
}

QRectF DisplayObject::bounds(const QTransform &toStage) const
{
    if (!character)
        return {};
    const QTransform transform = matrix * toStage;
    if (character->kind == Character::ShapeCharacter) {
        const qreal pad = character->shape.nonScalingWidth / 2.0;
        return transform.mapRect(character->shape.bounds).adjusted(-pad, -pad, pad, pad);
    }
    // A morph is measured at every ratio at once: no ratio needs building for it.
    if (character->morph) {
        const qreal pad = character->morph->nonScalingWidth / 2.0;
        return transform.mapRect(character->morph->bounds).adjusted(-pad, -pad, pad, pad);
    }
    if (sprite)
        return sprite->bounds(transform);
    return {};
}

std::shared_ptr<const Shape> DisplayObject::shape() const
{
    if (!character)
        return nullptr;
    if (character->kind == Character::ShapeCharacter)
        return std::shared_ptr<const Shape>(std::shared_ptr<const Shape>(), &character->shape);
    if (character->morph)
        return character->morph->shapeAt(ratio);
    return nullptr;
}

DisplayList::DisplayList(const Movie &movie, const Timeline &timeline, int nesting,
                         ListCounts &counts)
    : m_movie(movie)
    , m_timeline(timeline)
    , m_nesting(nesting)
    , m_counts(counts)
{
    DirtyArea ignored;
    if (!m_timeline.empty()) {
        m_frame = 0;
        applyFrame(0, QTransform(), ignored);
        runActions(0, QTransform(), ignored);
    }
}

DisplayList::~DisplayList()
{
    m_counts.liveObjects -= int(m_objects.size());
}

QRectF DisplayList::bounds(const QTransform &toStage) const
{
    QRectF area;
    for (const auto &[depth, object] : m_objects)
        area |= object.bounds(toStage);
    return area;
}

bool DisplayList::advance(const QTransform &toStage, DirtyArea &dirty)
{
    if (m_timeline.empty())
        return false;
    // Sprites already on stage play on; those placed by this frame start at their first frame.
    bool changed = false;
    for (auto &[depth, object] : m_objects) {
        if (object.sprite)
            changed |= object.sprite->advance(object.matrix * toStage, dirty);
    }
    if (m_timeline.size() == 1 || !m_playing)
        return changed; // a single frame stays: Flash does not replay it
    if (m_frame + 1 >= int(m_timeline.size())) {
        rewind(toStage, dirty);
        changed = true;
    } else {
        ++m_frame;
        changed |= applyFrame(m_frame, toStage, dirty);
    }
    return runActions(m_frame, toStage, dirty) || changed;
}

bool DisplayList::settled() const
{
    if (m_playing && m_timeline.size() > 1)
        return false;
    return std::all_of(m_objects.begin(), m_objects.end(), [](const auto &entry) {
        return !entry.second.sprite || entry.second.sprite->settled();
    });
}

bool DisplayList::runActions(int frame, const QTransform &toStage, DirtyArea &dirty)
{
    bool changed = false;
    const int last = int(m_timeline.size()) - 1;
    for (int gotos = 0; gotos < MaxGotosPerFrame; ++gotos) {
        bool landed = false;
        for (const ControlTag &tag : m_timeline[size_t(frame)]) {
            int target = -1;
            switch (tag.kind) {
            case ControlTag::Stop:
                m_playing = false;
                break;
            case ControlTag::Play:
                m_playing = true;
                break;
            case ControlTag::Goto:
                if (tag.frame < 0)
                    break; // a label the timeline lacks: Flash does nothing either
                target = std::min(tag.frame, last);
                break;
            case ControlTag::Step:
                target = std::clamp(m_frame + tag.frame, 0, last);
                break;
            default:
                break;
            }
            if (target < 0)
                continue;
            // A goto stops the timeline where it lands; a play after it plays on from there.
            m_playing = false;
            if (target == m_frame)
                continue;
            const qint64 passing = target < m_frame ? target + 1 : target - m_frame;
            if (m_counts.framesGone + passing > MaxGotoFramesPerFrame)
                return changed; // stopped where it is
            m_counts.framesGone += passing;
            changed |= goTo(target, toStage, dirty);
            landed = true;
        }
        if (!landed)
            break;
        frame = m_frame;
    }
    return changed;
}

bool DisplayList::goTo(int frame, const QTransform &toStage, DirtyArea &dirty)
{
    bool changed = false;
    if (frame < m_frame) {
        rewind(toStage, dirty);
        changed = true;
    }
    while (m_frame < frame)
        changed |= applyFrame(++m_frame, toStage, dirty);
    return changed;
}

bool DisplayList::applyFrame(int frame, const QTransform &toStage, DirtyArea &dirty)
{
    bool changed = false;
    for (const ControlTag &tag : m_timeline[size_t(frame)])
        changed |= apply(tag, toStage, dirty);
    return changed;
}

// Back to the first frame as Flash does it: objects that the first frame places again at the same
// depth with the same character stay (a sprite keeps playing), the others go.
void DisplayList::rewind(const QTransform &toStage, DirtyArea &dirty)
{
    std::map<int, int> first; // depth -> character placed by frame 0
    for (const ControlTag &tag : m_timeline.front()) {
        if (tag.kind == ControlTag::Remove)
            first.erase(tag.depth);
        else if (tag.characterId >= 0)
            first[tag.depth] = tag.characterId;
    }
    for (auto it = m_objects.begin(); it != m_objects.end();) {
        const auto kept = first.find(it->first);
        if (kept != first.end() && kept->second == it->second.characterId) {
            ++it;
            continue;
        }
        dirty.add(it->second.bounds(toStage));
        release(it->second);
        it = m_objects.erase(it);
        --m_counts.liveObjects;
    }
    m_frame = 0;
    for (const ControlTag &tag : m_timeline.front())
        apply(tag, toStage, dirty, Placement::KeepSame);
}

bool DisplayList::apply(const ControlTag &tag, const QTransform &toStage, DirtyArea &dirty,
                        Placement placement)
{
    if (tag.kind != ControlTag::Place && tag.kind != ControlTag::Remove)
        return false; // an action: run apart, after the frame's operations
    const auto at = m_objects.find(tag.depth);
    if (tag.kind == ControlTag::Remove) {
        if (at == m_objects.end())
            return false;
        dirty.add(at->second.bounds(toStage));
        release(at->second);
        m_objects.erase(at);
        --m_counts.liveObjects;
        return true;
    }
    const bool exists = at != m_objects.end();
    if (!exists && tag.characterId < 0)
        return false; // moves nothing
    if (!exists && m_counts.liveObjects >= MaxLiveObjects)
        return false;
    DisplayObject &object = exists ? at->second : m_objects[tag.depth];
    if (!exists)
        ++m_counts.liveObjects;
    const DisplayObject before{object.characterId,    object.character, object.matrix,
                               object.colorTransform, object.clipDepth, object.visible,
                               object.morphRatio(),   object.blendMode, nullptr};
    const QRectF oldArea = exists ? object.bounds(toStage) : QRectF();

    // A new object, or a new character at the depth (PlaceObject2 with move and a character):
    // without a matrix or colour transform of its own, a replaced object keeps the old ones.
    const bool same = exists && tag.characterId == object.characterId;
    const bool fresh
        = !exists
          || (!tag.move && tag.characterId >= 0 && !(same && placement == Placement::KeepSame));
    if (fresh) {
        object.matrix = QTransform();
        object.colorTransform = ColorTransform();
        object.clipDepth = 0;
        object.visible = true;
        object.ratio = 0;
        object.blendMode = 0;
    }
    if (tag.hasBlendMode)
        object.blendMode = tag.blendMode;
    if (tag.hasRatio)
        object.ratio = tag.ratio;
    if (tag.hasVisible)
        object.visible = tag.visible;
    if (tag.hasMatrix)
        object.matrix = tag.matrix;
    if (tag.hasColorTransform)
        object.colorTransform = tag.colorTransform;
    if (tag.clipDepth > 0)
        object.clipDepth = tag.clipDepth;
    if (tag.characterId >= 0 && (fresh || tag.characterId != object.characterId)) {
        release(object);
        object.characterId = tag.characterId;
        instantiate(object);
    }
    const bool changed
        = !exists || fresh || before.characterId != object.characterId
          || before.matrix != object.matrix || !(before.colorTransform == object.colorTransform)
          || before.clipDepth != object.clipDepth || before.visible != object.visible
          || before.ratio != object.morphRatio() || before.blendMode != object.blendMode;
    if (changed) {
        dirty.add(oldArea);
        dirty.add(object.bounds(toStage));
    }
    return changed;
}

void DisplayList::instantiate(DisplayObject &object)
{
    object.character = m_movie.character(object.characterId);
    if (!object.character || object.character->kind != Character::SpriteCharacter
        || m_nesting >= MaxSpriteNesting)
        return;
    if (m_counts.spritesPlaced >= MaxSpritesPerFrame) {
        m_counts.spritesCut = true;
        return;
    }
    ++m_counts.spritesPlaced;
    object.sprite
        = std::make_unique<DisplayList>(m_movie, object.character->sprite, m_nesting + 1, m_counts);
}

void DisplayList::release(DisplayObject &object)
{
    object.sprite.reset();
    object.character = nullptr;
}

} // namespace movie
