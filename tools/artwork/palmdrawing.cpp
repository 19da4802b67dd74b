#include "tools/artwork/palmdrawing.h"

#include <QFont>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace artwork {

namespace {

const QColor kSkin{253, 246, 237};
const QColor kOutline{58, 58, 58};
const QColor kCrease{200, 188, 176};
const QColor kFaintInk{170, 170, 170};
const QColor kFaintRed{214, 120, 120};

constexpr double kInkWidth = 0.95;
constexpr double kHiWidth = 1.9;
constexpr double kMarkWidth = 1.35;

template<class... Ts>
struct Overloaded : Ts...
{
    using Ts::operator()...;
};

// The same strokes on every platform: our own generator, not a library distribution.
class Scatter
{
public:
    explicit Scatter(std::uint32_t seed)
        : m_state(seed * 2654435761u + 12345u)
    {}
    double next() // 0 … 1
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return (m_state & 0xffffff) / double(0xffffff);
    }

private:
    std::uint32_t m_state;
};

QPointF Unit(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF(0, -1);
}

QPointF Rotated(QPointF v, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    return {v.x() * std::cos(a) - v.y() * std::sin(a), v.x() * std::sin(a) + v.y() * std::cos(a)};
}

QPen Pen(const QColor &colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sister line lies on the palm-centre side of its line.
double SisterSide(PalmLine line)
{
    switch (line) {
    case PalmLine::Tian:
    case PalmLine::Ren:
    case PalmLine::Jiafeng:
        return -1;
    case PalmLine::Di:
    case PalmLine::Shiye:
    case PalmLine::Liuxiu:
        break;
    }
    return 1;
}

QString PalaceName(Palace palace)
{
    switch (palace) {
    case Palace::Xun:
        return QStringLiteral("巽");
    case Palace::Li:
        return QStringLiteral("离");
    case Palace::Kun:
        return QStringLiteral("坤");
    case Palace::Zhen:
        return QStringLiteral("震");
    case Palace::Dui:
        return QStringLiteral("兑");
    case Palace::Gen:
        return QStringLiteral("艮");
    case Palace::Kan:
        return QStringLiteral("坎");
    case Palace::Qian:
        return QStringLiteral("乾");
    case Palace::Ming:
        break;
    }
    return QStringLiteral("明堂");
}

// The palace's name as glyphs centred on the origin, placed by their ink.
QPainterPath LabelGlyphs(Palace palace)
{
    QFont font;
    font.setFamilies({QStringLiteral("AR PL SungtiL GB"), QStringLiteral("AR PL UMing CN")});
    font.setPixelSize(12);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, PalaceName(palace));
    glyphs.translate(-glyphs.boundingRect().center());
    return glyphs;
}

// How badly a label box would hide the picture: red ink most, then grey ink, then leaving the
// hand; and labels far from their palace read less well.
double LabelCost(const QImage &drawn, const QRectF &box, double distance)
{
    double cost = 2.5 * distance;
    const QRect pixels = box.adjusted(-1, -1, 1, 1).toAlignedRect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            if (!drawn.rect().contains(x, y)) {
                cost += 20;
                continue;
            }
            const QColor c = drawn.pixelColor(x, y);
            if (c.red() - c.green() > 50)
                cost += 8;
            else if (c.red() < 200)
                cost += 2;
            else if (c == PalmPaper)
                cost += 1.5;
        }
    }
    return cost;
}

} // namespace

PalmScene::PalmScene(const PalmPicture &picture)
    : m_picture(picture)
{
    for (int i = 0; i < PalmLineCount; ++i)
        m_lines[i].style.line = PalmLine(i);
    for (const Statement &statement : picture.statements) {
        if (const auto *s = std::get_if<LineStatement>(&statement)) {
            LineStatement &style = m_lines[int(s->line)].style;
            style.hi |= s->hi;
            style.none |= s->none;
            style.isShort |= s->isShort;
            style.isLong |= s->isLong;
            style.wavy |= s->wavy;
            style.chain |= s->chain;
            style.sister |= s->sister;
            style.faint |= s->faint;
            style.breaks += s->breaks;
            if (s->start)
                style.start = s->start;
            if (s->end)
                style.end = s->end;
        } else if (const auto *f = std::get_if<FingerStatement>(&statement)) {
            m_hand.reshape(*f);
            m_shaped[int(f->finger)] = true;
            m_hairy[int(f->finger)] |= f->hairy;
        }
    }
    // Start and end anchors on other lines refer to their ordinary course.
    std::array<Polyline, PalmLineCount> ordinary;
    for (int i = 0; i < PalmLineCount; ++i)
        ordinary[i] = Polyline::FromPath(PalmHand::OrdinaryCourse(PalmLine(i)).path());
    const auto ordinaryPoint = [&](const Anchor &a) {
        return a.kind == Anchor::Kind::OnLine ? ordinary[int(a.line)].pointAt(a.t) : point(a);
    };
    for (LineState &state : m_lines) {
        const Cubic ordinaryCubic = PalmHand::OrdinaryCourse(state.style.line);
        const QPointF start
            = state.style.start ? ordinaryPoint(*state.style.start) : ordinaryCubic.p0;
        const QPointF end = state.style.end      ? ordinaryPoint(*state.style.end)
                            : state.style.isLong ? PalmHand::LongEnd(state.style.line)
                                                 : ordinaryCubic.p3;
        state.course = Polyline::FromPath(ordinaryCubic.movedTo(start, end).path());
        if (state.style.isShort)
            state.course = state.course.section(0, 0.6);
    }
}

QPointF PalmScene::point(const Anchor &anchor) const
{
    switch (anchor.kind) {
    case Anchor::Kind::Palace:
        return PalmHand::PalacePoint(anchor.palace);
    case Anchor::Kind::Wrist:
        return PalmHand::Wrist();
    case Anchor::Kind::FingerTip:
        return m_hand.tip(anchor.finger);
    case Anchor::Kind::FingerBase:
        return m_hand.base(anchor.finger);
    case Anchor::Kind::OnLine:
        break;
    }
    const Polyline &line = m_lines[int(anchor.line)].course;
    return line.isEmpty()
               ? Polyline::FromPath(PalmHand::OrdinaryCourse(anchor.line).path()).pointAt(anchor.t)
               : line.pointAt(anchor.t);
}

Polyline PalmScene::course(PalmLine line) const
{
    const LineState &state = m_lines[int(line)];
    return state.style.none ? Polyline() : state.course;
}

QPointF PalmScene::direction(const Anchor &anchor) const
{
    if (anchor.kind != Anchor::Kind::OnLine)
        return {0, -1};
    return m_lines[int(anchor.line)].course.tangentAt(anchor.t);
}

void PalmScene::drawLine(QPainter &p, const LineState &line) const
{
    const LineStatement &style = line.style;
    if (style.none || line.course.isEmpty())
        return;
    QColor colour = style.hi ? PalmRed : PalmInk;
    double width = style.hi ? kHiWidth : kInkWidth;
    if (style.faint) {
        colour = style.hi ? kFaintRed : kFaintInk;
        width *= 0.8;
    }
    QPen pen = Pen(colour, width);
    if (style.faint && style.hi)
        pen.setDashPattern({1.2, 1.6});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);

    // Pieces between the breaks, each gap about six pixels.
    QList<double> breaks = style.breaks;
    std::sort(breaks.begin(), breaks.end());
    const double gap = 3.0 / std::max(line.course.length(), 1.0);
    QList<std::pair<double, double>> pieces;
    double from = 0;
    for (const double b : breaks) {
        if (b - gap > from)
            pieces.append({from, b - gap});
        from = std::max(from, b + gap);
    }
    if (from < 1)
        pieces.append({from, 1});

    for (const auto &[t0, t1] : pieces) {
        const Polyline piece = line.course.section(t0, t1);
        if (style.chain) {
            // Two fine strands meeting every few pixels: a row of small links.
            p.setPen(Pen(colour, std::min(width, 1.0)));
            for (const double side : {-1.0, 1.0})
                p.drawPath(piece
                               .displaced([side](double, double s) {
                                   return side * 1.5 * std::abs(std::sin(M_PI * s / 4.2));
                               })
                               .path());
        } else if (style.wavy) {
            p.drawPath(
                piece.displaced([](double, double s) { return 1.2 * std::sin(2 * M_PI * s / 6.5); })
                    .path());
        } else {
            p.drawPath(piece.path());
        }
    }
    if (style.sister) {
        p.setPen(Pen(colour, width * 0.85));
        const double side = SisterSide(style.line) * (style.hi ? 3.2 : 2.7);
        p.drawPath(line.course.section(0.12, 0.88)
                       .displaced([side](double, double) { return side; })
                       .path());
    }
}

QPointF PalmScene::markCentre(const Anchor &at) const
{
    // A mark at the edge of the hand moves inward until it lies wholly on the hand: along its
    // line toward the line's middle, else toward the palm centre.
    const QPainterPath hand = m_hand.outline();
    QPointF c = point(at);
    QPointF inward = Unit(PalmHand::PalacePoint(Palace::Ming) - c);
    if (at.kind == Anchor::Kind::OnLine)
        inward = direction(at) * (at.t < 0.5 ? 1 : -1);
    for (int step = 0; step < 12; ++step) {
        bool inside = true;
        for (int k = 0; k < 8 && inside; ++k)
            inside = hand.contains(c + Rotated(QPointF(0, 4.6), 45 * k));
        if (inside)
            break;
        c += inward * 0.5;
    }
    return c;
}

void PalmScene::drawMark(QPainter &p, MarkKind kind, const Anchor &at, MarkLayer layer) const
{
    const QPointF c = markCentre(at);
    QPointF d = direction(at);
    // Forks and tassels open toward the nearer end of their line, ending at the anchor.
    if (at.kind == Anchor::Kind::OnLine && at.t < 0.5)
        d = -d;
    constexpr double r = 4.3;

    QPainterPath path;
    bool filled = false;
    switch (kind) {
    case MarkKind::Cross:
        path.moveTo(c + QPointF(0, -r));
        path.lineTo(c + QPointF(0, r));
        path.moveTo(c + QPointF(-r, 0));
        path.lineTo(c + QPointF(r, 0));
        break;
    case MarkKind::X: {
        const double k = r * 0.9;
        path.moveTo(c + QPointF(-k, -k));
        path.lineTo(c + QPointF(k, k));
        path.moveTo(c + QPointF(k, -k));
        path.lineTo(c + QPointF(-k, k));
        break;
    }
    case MarkKind::Star:
        for (const double angle : {0.0, 60.0, 120.0}) {
            const QPointF v = Rotated(QPointF(0, -r - 0.4), angle);
            path.moveTo(c + v);
            path.lineTo(c - v);
        }
        break;
    case MarkKind::Island: {
        // An ellipse along the line through it.
        QPainterPath ellipse;
        ellipse.addEllipse(QPointF(0, 0), 4.4, 2.1);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(qRadiansToDegrees(std::atan2(d.y(), d.x())));
        path = t.map(ellipse);
        break;
    }
    case MarkKind::Square:
        path.addRect(QRectF(c - QPointF(3.6, 3.6), QSizeF(7.2, 7.2)));
        break;
    case MarkKind::Dot:
        path.addEllipse(c, 2.0, 2.0);
        filled = true;
        break;
    case MarkKind::Triangle:
        path.moveTo(c + QPointF(0, -4.6));
        path.lineTo(c + QPointF(4.2, 3.0));
        path.lineTo(c + QPointF(-4.2, 3.0));
        path.closeSubpath();
        break;
    case MarkKind::Circle:
        path.addEllipse(c, 3.4, 3.4);
        break;
    case MarkKind::Fork:
        for (const double angle : {-28.0, 28.0}) {
            path.moveTo(c - d * 4.5);
            path.lineTo(c - d * 4.5 + Rotated(d, angle) * 8);
        }
        break;
    case MarkKind::Tassel:
        for (const double angle : {-42.0, -21.0, 0.0, 21.0, 42.0}) {
            path.moveTo(c - d * 3.5);
            path.lineTo(c - d * 3.5 + Rotated(d, angle) * 7);
        }
        break;
    case MarkKind::Grille:
        for (const double f : {-3.3, 0.0, 3.3}) {
            path.moveTo(c + QPointF(f, -5.3));
            path.lineTo(c + QPointF(f, 5.3));
            path.moveTo(c + QPointF(-5.3, f));
            path.lineTo(c + QPointF(5.3, f));
        }
        break;
    }
    p.setBrush(Qt::NoBrush);
    const double width = kind == MarkKind::Grille ? 0.9 : kMarkWidth;
    if (layer == MarkLayer::Halo) {
        p.setPen(Pen(kSkin, width + 1.6));
        p.drawPath(path);
        return;
    }
    p.setPen(Pen(PalmRed, width));
    if (filled)
        p.setBrush(PalmRed);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void PalmScene::drawLabels(QImage &image) const
{
    QList<QRectF> taken;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Statement &statement : m_picture.statements) {
        const auto *label = std::get_if<LabelStatement>(&statement);
        if (!label)
            continue;
        const QPainterPath glyphs = LabelGlyphs(label->palace);
        const QPointF palace = PalmHand::PalacePoint(label->palace);
        // On the palace itself if it is free, else the clearest spot on the rings around it.
        QPointF best = palace;
        double bestCost = -1;
        for (const double radius : {0.0, 9.0, 12.0, 15.0}) {
            for (int step = 0; step < (radius > 0 ? 16 : 1); ++step) {
                const QPointF at = palace + Rotated(QPointF(0, radius), 22.5 * step);
                const QRectF box = glyphs.boundingRect().translated(at);
                double cost = LabelCost(image, box, radius);
                for (const QRectF &other : taken)
                    if (other.intersects(box))
                        cost += 1000;
                if (bestCost < 0 || cost < bestCost) {
                    bestCost = cost;
                    best = at;
                }
            }
        }
        const QPainterPath placed = glyphs.translated(best);
        taken.append(placed.boundingRect().adjusted(-1, -1, 1, 1));
        p.setPen(Pen(kSkin, 2.6));
        p.setBrush(kSkin);
        p.drawPath(placed);
        p.setPen(Pen(PalmRed, 0.35));
        p.setBrush(PalmRed);
        p.drawPath(placed);
    }
}

void PalmScene::drawStatement(QPainter &p, const Statement &statement, int index) const
{
    std::visit(Overloaded{
                   [](const LineStatement &) {},
                   [](const FingerStatement &) {},
                   [&](const PathStatement &s) {
                       const QPointF a = point(s.from), b = point(s.to);
                       const QPointF along = b - a, normal(-along.y(), along.x());
                       QPainterPath path(a);
                       path.quadTo((a + b) / 2 + normal * (s.bend * 0.5), b);
                       p.setPen(Pen(PalmRed, s.hi ? kHiWidth : kMarkWidth));
                       p.drawPath(path);
                   },
                   [&](const BranchStatement &s) {
                       Anchor from;
                       from.kind = Anchor::Kind::OnLine;
                       from.line = s.line;
                       from.t = s.t;
                       const QPointF a = point(from);
                       QPointF b;
                       if (s.toward == BranchStatement::Toward::Anchor) {
                           b = a + (point(s.to) - a) * 0.85;
                       } else {
                           // A short stroke leaning the way the line runs.
                           QPointF t = direction(from);
                           const QPointF way(0, s.toward == BranchStatement::Toward::Up ? -1 : 1);
                           if (QPointF::dotProduct(t, QPointF(1, 0)) < 0)
                               t = -t;
                           b = a + Unit(way + t * 0.45) * 9;
                       }
                       QPointF t = direction(from);
                       if (QPointF::dotProduct(t, b - a) < 0)
                           t = -t;
                       const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
                       QPainterPath path(a);
                       path.quadTo(a + t * (length * 0.35), b);
                       p.setPen(Pen(PalmRed, s.hi ? kHiWidth : kMarkWidth));
                       p.drawPath(path);
                   },
                   [&](const MarkStatement &s) { drawMark(p, s.kind, s.at, MarkLayer::Ink); },
                   [&](const LinesStatement &s) {
                       const QPointF c = point(s.at);
                       const QPointF along = s.horizontal ? QPointF(1, 0) : QPointF(0, 1);
                       const QPointF across(along.y(), along.x());
                       QPainterPath path;
                       for (int i = 0; i < s.count; ++i) {
                           const QPointF m = c + across * (2.4 * (i - (s.count - 1) / 2.0));
                           path.moveTo(m - along * 4);
                           path.lineTo(m + along * 4);
                       }
                       p.setPen(Pen(PalmRed, 1.0));
                       p.drawPath(path);
                   },
                   [&](const MessStatement &s) {
                       Scatter scatter(std::uint32_t(m_picture.number * 64 + index));
                       QPainterPath path;
                       const int strokes = s.wholePalm ? 64 : 14;
                       for (int i = 0; i < strokes; ++i) {
                           QPointF c;
                           if (s.wholePalm)
                               c = QPointF(32 + 50 * scatter.next(), 66 + 56 * scatter.next());
                           else
                               c = point(s.at)
                                   + QPointF(10 * scatter.next() - 5, 10 * scatter.next() - 5);
                           const double angle = 180 * scatter.next();
                           const double half = s.wholePalm ? 1.6 + 1.8 * scatter.next()
                                                           : 1.8 + 1.8 * scatter.next();
                           const QPointF v = Rotated(QPointF(half, 0), angle);
                           path.moveTo(c - v);
                           path.lineTo(c + v);
                       }
                       p.save();
                       p.setClipPath(m_hand.palm());
                       p.setPen(Pen(PalmRed, 0.75));
                       p.drawPath(path);
                       p.restore();
                   },
                   [](const LabelStatement &) {},
               },
               statement);
}

QImage PalmScene::draw() const
{
    QImage image(PalmPictureWidth, PalmPictureHeight(m_picture.number), QImage::Format_RGB32);
    image.fill(PalmPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QPainterPath outline = m_hand.outline();
    p.setPen(Qt::NoPen);
    p.setBrush(kSkin);
    p.drawPath(outline);

    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kCrease, 0.8));
    for (int f = 0; f < FingerCount; ++f)
        for (const QLineF &crease : m_hand.creases(Finger(f)))
            p.drawLine(crease);
    // Two bracelet creases across the wrist.
    for (const double y : {136.5, 139.5}) {
        QPainterPath crease(QPointF(38, y));
        crease.quadTo(QPointF(54, y + 1.6), QPointF(70, y - 0.4));
        p.drawPath(crease);
    }

    // Plain lines first, so every featured line lies on top.
    for (const LineState &line : m_lines)
        if (!line.style.hi)
            drawLine(p, line);

    p.setPen(Pen(kOutline, 1.05));
    p.drawPath(outline);

    for (int f = 0; f < FingerCount; ++f) {
        if (!m_shaped[f])
            continue;
        // Only the part of the finger outside the palm is the finger's own outline.
        QPainterPath outside;
        outside.addRect(QRectF(0, 0, image.width(), image.height()));
        p.save();
        p.setClipPath(outside.subtracted(m_hand.palm()));
        p.setPen(Pen(PalmRed, 1.5));
        p.drawPath(m_hand.finger(Finger(f)));
        p.restore();
        if (m_hairy[f]) {
            p.setPen(Pen(PalmRed, 0.8));
            for (const QLineF &hair : m_hand.hairs(Finger(f)))
                p.drawLine(hair);
        }
    }

    // A thin halo of skin keeps each mark clear of the grey lines under it, but not of the
    // featured lines, which must run on through their marks.
    for (const Statement &statement : m_picture.statements)
        if (const auto *mark = std::get_if<MarkStatement>(&statement))
            drawMark(p, mark->kind, mark->at, MarkLayer::Halo);
    for (const LineState &line : m_lines)
        if (line.style.hi)
            drawLine(p, line);
    for (qsizetype i = 0; i < m_picture.statements.size(); ++i)
        drawStatement(p, m_picture.statements.at(i), int(i));
    p.end();
    // Labels last, placed where they hide least of what is already drawn.
    drawLabels(image);
    return image;
}

QImage DrawPalm(const PalmPicture &picture)
{
    return PalmScene(picture).draw();
}

} // namespace artwork
