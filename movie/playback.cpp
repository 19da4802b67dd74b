#include "movie/playback.h"

#include "movie/framepainter.h"
#include "movie/swfreader.h"

#include <numeric>

namespace movie {

namespace {

// Least common multiple of the frame counts of every timeline, 0 past a million frames or when
// a timeline's actions go to frames of their own choosing. A stop only makes a timeline stand
// still, from its first time through.
qint64 periodOf(const Movie &movie)
{
    constexpr qint64 limit = 1 << 20;
    qint64 period = 1;
    const auto add = [&](const Timeline &timeline) {
        for (const Frame &frame : timeline)
            for (const ControlTag &tag : frame)
                if (tag.kind == ControlTag::Goto || tag.kind == ControlTag::Step)
                    period = 0;
        if (period == 0 || timeline.size() < 2)
            return;
        period = std::lcm(period, qint64(timeline.size()));
        if (period > limit)
            period = 0;
    };
    add(movie.timeline);
    for (const auto &[id, character] : movie.dictionary)
        if (character->kind == Character::SpriteCharacter)
            add(character->sprite);
    return period;
}

} // namespace

Playback::Playback(std::shared_ptr<const Movie> movie)
    : m_movie(std::move(movie))
    , m_list(std::make_unique<DisplayList>(*m_movie, m_movie->timeline, 0, m_counts))
    , m_period(periodOf(*m_movie))
{
    // A loop of a few minutes at most brings every pose back soon.
    constexpr qint64 shortLoop = 3000;
    m_cache.setReturning(m_period > 1 && m_period <= shortLoop);
    tellCut();
}

void Playback::tellCut()
{
    if (!m_counts.spritesCut || m_toldCut)
        return;
    m_toldCut = true;
    qCWarning(lcSwf,
              "movie played in part: sprites placed beyond %lld in one frame were left empty",
              static_cast<long long>(MaxSpritesPerFrame));
}

Playback::~Playback() = default;

std::vector<QRectF> Playback::advanceTo(qint64 tick)
{
    qint64 steps = tick - m_tick;
    if (steps <= 0)
        return {};
    // Everything repeats after one period once each timeline has run through once, so a long
    // absence skips whole periods without playing them. Without a known period the skip is capped
    // so that a return never stalls.
    constexpr qint64 maxSteps = 1 << 20;
    if (m_period > 0 && steps > 2 * m_period)
        steps = m_period + steps % m_period;
    else if (m_period == 0 && steps > maxSteps)
        steps = maxSteps;
    m_tick = tick;
    DirtyArea dirty;
    for (qint64 i = 0; i < steps; ++i) {
        m_counts.spritesPlaced = 0;
        m_counts.framesGone = 0;
        m_list->advance(QTransform(), dirty);
    }
    tellCut();
    std::vector<QRectF> changed;
    for (const QRectF &rect : dirty.rects())
        if (const QRectF onStage = rect.intersected(m_movie->stage); !onStage.isEmpty())
            changed.push_back(onStage);
    return changed;
}

void Playback::paint(QPainter &painter, const QRectF &target) const
{
    paintFrame(painter, *m_movie, *m_list, target, &m_cache);
}

void Playback::paintOver(QPainter &painter, const QRectF &stage, const QRectF &target) const
{
    const QTransform toDevice = showAllTransform(stage, target);
    paintObjects(painter, *m_movie, *m_list, toDevice, toDevice.mapRect(stage), &m_cache);
}

} // namespace movie
