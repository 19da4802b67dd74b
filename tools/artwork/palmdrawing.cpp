#include "tools/artwork/palmdrawing.h"

#include "tools/artwork/ink.h"
#include <QFont>
#include <QPainter>
#include <QPainterPathStroker>
#include <QSet>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace artwork {

namespace {

const QColor kFaintRed{214, 120, 120};
constexpr QPointF kUp{0, -1}; // the way of a line too short to have one

constexpr double kHiWidth = 1.9;
constexpr double kDeepWidth = 3.0; // a line the text calls thick and deep
constexpr double kMarkWidth = 1.5;
// How far before its anchor a fork's tines part from the line.
constexpr double ForkRoot = 4.5;

// The fraction along `line` of the point nearest `c`, to a two-hundredth.
double NearestT(const Polyline &line, QPointF c)
{
    double best = 0, bestDistance = 1e9;
    for (int k = 0; k <= 200; ++k) {
        const double d = ink::Distance(line.pointAt(k / 200.0), c);
        if (d < bestDistance) {
            bestDistance = d;
            best = k / 200.0;
        }
    }
    return best;
}

template<class... Ts>
struct Overloaded : Ts...
{
    using Ts::operator()...;
};

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
    return ink::Glyphs(PalaceName(palace), 12);
}

// Where a palace's label steps off the palace point when a feature sits there too: toward the
// fingers for the upper palaces and the two sides, toward the wrist for the lower ones; 兑 lies
// close to 乾 and steps further, so that a mark under it stays in 兑.
QPointF LabelStep(Palace palace)
{
    switch (palace) {
    case Palace::Gen:
    case Palace::Kan:
    case Palace::Qian:
        return {0, 5};
    case Palace::Dui:
        return {0, -7};
    case Palace::Zhen:
        return {0, -6};
    case Palace::Xun:
    case Palace::Li:
    case Palace::Kun:
    case Palace::Ming:
        break;
    }
    return {0, -5};
}

// Every anchor a statement is drawn at or toward.
QList<Anchor> AnchorsOf(const Statement &statement)
{
    QList<Anchor> out;
    std::visit(Overloaded{
                   [&](const LineStatement &s) {
                       if (s.start)
                           out.append(*s.start);
                       if (s.end)
                           out.append(*s.end);
                   },
                   [&](const PathStatement &s) { out << s.from << s.to; },
                   [&](const BranchStatement &s) {
                       if (s.toward == BranchStatement::Toward::Anchor)
                           out.append(s.to);
                   },
                   [&](const MarkStatement &s) { out.append(s.at); },
                   [&](const LinesStatement &s) { out.append(s.at); },
                   [&](const MessStatement &s) {
                       if (!s.wholePalm)
                           out.append(s.at);
                   },
                   [](const FingerStatement &) {},
                   [](const LabelStatement &) {},
               },
               statement);
    return out;
}

// The palace whose point lies nearest; the palaces share the palm out between them this way.
Palace NearestPalace(QPointF at)
{
    Palace best = Palace::Ming;
    double bestDistance = 1e9;
    for (int i = 0; i <= int(Palace::Ming); ++i) {
        const QPointF d = PalmHand::PalacePoint(Palace(i)) - at;
        const double distance = ink::Length(d);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = Palace(i);
        }
    }
    return best;
}

bool InsideAll(const QPainterPath &outline, const QPainterPath &ink)
{
    for (const QPolygonF &polygon : ink.toFillPolygons())
        for (const QPointF &point : polygon)
            if (!outline.contains(point))
                return false;
    return true;
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
            style.deep |= s->deep;
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
    placeLabels();
    placeMarks();
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
    double width = style.deep ? kDeepWidth : style.hi ? kHiWidth : ink::LineWidth;
    if (style.faint) {
        colour = style.hi ? kFaintRed : ink::Faint;
        width *= 0.8;
    }
    QPen pen = ink::Pen(colour, width);
    if (style.faint && style.hi)
        pen.setDashPattern({1.2, 1.6});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);

    // Pieces between the breaks, each gap about eight pixels.
    QList<double> breaks = style.breaks;
    std::sort(breaks.begin(), breaks.end());
    const double gap = 4.0 / std::max(line.course.length(), 1.0);
    QList<std::pair<double, double>> pieces;
    double from = 0;
    for (const double b : breaks) {
        if (b - gap > from)
            pieces.append({from, b - gap});
        from = std::max(from, b + gap);
    }
    if (from < 1)
        pieces.append({from, 1});

    // A fork is the line itself parting in two: the line stops where its tines begin, so that
    // no stem runs on between them (a stem between two tines reads as an arrowhead).
    for (qsizetype i = 0; i < m_picture.statements.size(); ++i) {
        const auto *mark = std::get_if<MarkStatement>(&m_picture.statements.at(i));
        if (!mark || mark->kind != MarkKind::Fork || mark->at.kind != Anchor::Kind::OnLine
            || mark->at.line != style.line || !m_centres.contains(int(i)))
            continue;
        const double root = NearestT(line.course, m_centres.value(int(i)));
        const double stem = ForkRoot / std::max(line.course.length(), 1.0);
        for (auto &[t0, t1] : pieces) {
            if (mark->at.t < 0.5)
                t0 = std::max(t0, root + stem);
            else
                t1 = std::min(t1, root - stem);
        }
        pieces.removeIf(
            [](const std::pair<double, double> &piece) { return piece.second <= piece.first; });
    }

    for (const auto &[t0, t1] : pieces) {
        const Polyline piece = line.course.section(t0, t1);
        if (style.chain) {
            // Two fine strands meeting every few pixels: a row of small links.
            p.setPen(ink::Pen(colour, std::min(width, 1.0)));
            for (const double side : {-1.0, 1.0})
                p.drawPath(piece
                               .displaced([side](double, double s) {
                                   return side * 1.8 * std::abs(std::sin(M_PI * s / 5.4));
                               })
                               .path());
        } else if (style.wavy) {
            p.drawPath(
                piece.displaced([](double, double s) { return 1.5 * std::sin(2 * M_PI * s / 6.5); })
                    .path());
        } else {
            p.drawPath(piece.path());
        }
    }
    if (style.sister) {
        p.setPen(ink::Pen(colour, width * 0.85));
        const double side = SisterSide(style.line) * (style.hi ? 3.2 : 2.7);
        p.drawPath(line.course.section(0.12, 0.88)
                       .displaced([side](double, double) { return side; })
                       .path());
    }
}

QPainterPath PalmScene::Inked(const QPainterPath &path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

void PalmScene::placeLabels()
{
    QSet<int> busy;
    for (const Statement &statement : m_picture.statements)
        for (const Anchor &a : AnchorsOf(statement))
            if (a.kind == Anchor::Kind::Palace)
                busy.insert(int(a.palace));
    for (const Statement &statement : m_picture.statements) {
        const auto *label = std::get_if<LabelStatement>(&statement);
        if (!label)
            continue;
        // A label always stands on its own palace; when a feature is drawn there as well the
        // label steps a little off the point and the feature gives way on the other side.
        QPointF centre = PalmHand::PalacePoint(label->palace);
        // A side the description names is taken whether or not the palace holds a feature.
        if (busy.contains(int(label->palace)) || label->side != LabelStatement::Side::Auto) {
            switch (label->side) {
            case LabelStatement::Side::Auto:
                centre += LabelStep(label->palace);
                break;
            case LabelStatement::Side::Above:
                centre += QPointF(0, -9);
                break;
            case LabelStatement::Side::Below:
                centre += QPointF(0, 9);
                break;
            case LabelStatement::Side::Left:
                centre += QPointF(-5, 0);
                break;
            case LabelStatement::Side::Right:
                centre += QPointF(5, 0);
                break;
            }
        }
        m_labels.append(
            {label->palace, centre, LabelGlyphs(label->palace).boundingRect().translated(centre)});
    }
}

QPainterPath PalmScene::markPath(MarkKind kind, QPointF c, const Anchor &at) const
{
    QPointF d = direction(at);
    // Forks and tassels open toward the nearer end of their line, ending at the anchor.
    if (at.kind == Anchor::Kind::OnLine && at.t < 0.5)
        d = -d;
    constexpr double r = 4.7;
    QPainterPath path;
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
            const QPointF v = ink::Rotated(QPointF(0, -r - 0.4), angle);
            path.moveTo(c + v);
            path.lineTo(c - v);
        }
        break;
    case MarkKind::Island: {
        // An eye: the line parts into two strands and joins again, pointed at both ends. Off a
        // line it lies across the palm like a short crease.
        const QPointF along = at.kind == Anchor::Kind::OnLine ? ink::Unit(d, kUp) : QPointF(1, 0);
        const QPointF across(-along.y(), along.x());
        path.moveTo(c - along * 6);
        path.quadTo(c + across * 5.4, c + along * 6);
        path.quadTo(c - across * 5.4, c - along * 6);
        path.closeSubpath();
        break;
    }
    case MarkKind::Square:
        path.addRect(QRectF(c - QPointF(3.6, 3.6), QSizeF(7.2, 7.2)));
        break;
    case MarkKind::Dot:
        path.addEllipse(c, 2.9, 2.9);
        break;
    case MarkKind::Triangle:
        path.moveTo(c + QPointF(0, -5.2));
        path.lineTo(c + QPointF(4.8, 3.4));
        path.lineTo(c + QPointF(-4.8, 3.4));
        path.closeSubpath();
        break;
    case MarkKind::Circle:
        path.addEllipse(c, 3.4, 3.4);
        break;
    case MarkKind::Fork:
        // Two tines bowing apart from where the line ends: a Y whose stem is the line.
        for (const double side : {-1.0, 1.0}) {
            const QPointF root = c - d * ForkRoot;
            const QPointF across(-d.y() * side, d.x() * side);
            path.moveTo(root);
            path.quadTo(root + d * 4 + across * 0.6, root + d * 9.5 + across * 4.6);
        }
        break;
    case MarkKind::Tassel:
        // Many short strands, like the fringe of a tassel.
        for (const double angle : {-50.0, -25.0, 0.0, 25.0, 50.0}) {
            path.moveTo(c - d * 3.5);
            path.lineTo(c - d * 3.5 + ink::Rotated(d, angle) * 8);
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
    return path;
}

QPainterPath PalmScene::linesPath(const LinesStatement &s, QPointF c) const
{
    // Creases, not strokes of a character: each leans a little its own way and they are not all
    // of one length.
    const QPointF along = s.horizontal ? QPointF(1, 0) : QPointF(0, 1);
    const QPointF across(along.y(), along.x());
    static constexpr double lean[] = {-6, 3, -2, 6, -4, 2};
    static constexpr double half[] = {5.5, 4.6, 5.2, 4.3, 5.6, 4.8};
    static constexpr double shift[] = {0, 1.4, -1.2, 0.8, -0.6, 1.6};
    QPainterPath path;
    for (int i = 0; i < s.count; ++i) {
        const int k = i % 6;
        const QPointF m = c + across * (3.2 * (i - (s.count - 1) / 2.0)) + along * shift[k];
        const QPointF v = ink::Rotated(along, lean[k]) * half[k];
        path.moveTo(m - v);
        path.lineTo(m + v);
    }
    return path;
}

void PalmScene::placeMarks()
{
    const QPainterPath hand = m_hand.outline();
    for (qsizetype i = 0; i < m_picture.statements.size(); ++i) {
        const Statement &statement = m_picture.statements.at(i);
        const auto *mark = std::get_if<MarkStatement>(&statement);
        const auto *lines = std::get_if<LinesStatement>(&statement);
        const auto *mess = std::get_if<MessStatement>(&statement);
        if (!mark && !lines && !(mess && !mess->wholePalm))
            continue;
        const Anchor at = mark ? mark->at : lines ? lines->at : mess->at;
        const double width = !mark                            ? 1.0
                             : mark->kind == MarkKind::Grille ? 0.9
                             : mark->kind == MarkKind::Tassel ? 1.1
                                                              : kMarkWidth;
        const auto shape = [&](QPointF c) {
            if (mark)
                return markPath(mark->kind, c, at);
            if (lines)
                return linesPath(*lines, c);
            QPainterPath round;
            round.addEllipse(c, 7.5, 7.5);
            return round;
        };
        const auto fits = [&](QPointF c) {
            const QPainterPath ink = Inked(shape(c), width + 0.6);
            const QRectF box = ink.boundingRect();
            for (const PlacedLabel &label : m_labels)
                if (label.box.adjusted(-LabelGap, -LabelGap, LabelGap, LabelGap).intersects(box))
                    return false;
            if (at.kind == Anchor::Kind::Palace && NearestPalace(c) != at.palace)
                return false;
            return mess || InsideAll(hand, ink);
        };
        // The nearest spot that fits: along its line for a mark on a line, else anywhere close.
        QPointF best = point(at);
        if (at.kind == Anchor::Kind::OnLine) {
            const Polyline &line = m_lines[int(at.line)].course;
            for (int k = 0; k <= 400; ++k) {
                const double toward = at.t < 0.5 ? 1 : -1;
                const double t = at.t + toward * (k % 2 == 0 ? 1 : -1) * 0.005 * ((k + 1) / 2);
                if (t < 0 || t > 1 || !fits(line.pointAt(t)))
                    continue;
                best = line.pointAt(t);
                break;
            }
        } else if (!fits(best)) {
            const QPointF from = best;
            bool found = false;
            for (double radius = 0.5; radius <= 14 && !found; radius += 0.5)
                for (int k = 0; k < 32 && !found; ++k) {
                    const QPointF c = from + ink::Rotated(QPointF(0, radius), 11.25 * k);
                    if (fits(c)) {
                        best = c;
                        found = true;
                    }
                }
        }
        m_centres.insert(int(i), best);
        if (!mess)
            m_marks.append({int(i), shape(best), width});
    }
}

QPointF PalmScene::clearOfLabels(QPointF from, const Anchor &to, double most) const
{
    const QPointF target = point(to);
    if (to.kind != Anchor::Kind::Palace)
        return target;
    QPointF b = from + (target - from) * most;
    for (double f = most; f > 0.3; f -= 0.02) {
        b = from + (target - from) * f;
        bool clear = true;
        for (const PlacedLabel &label : m_labels)
            clear &= !label.box.adjusted(-2.5, -2.5, 2.5, 2.5).contains(b);
        if (clear)
            break;
    }
    return b;
}

Polyline PalmScene::path(const PathStatement &s) const
{
    // Both ends stop short of a label written on their palace.
    const QPointF a = clearOfLabels(point(s.to), s.from), b = clearOfLabels(a, s.to);
    const QPointF along = b - a, normal(-along.y(), along.x());
    QPainterPath path(a);
    path.quadTo((a + b) / 2 + normal * (s.bend * 0.5), b);
    return Polyline::FromPath(path, 48);
}

Polyline PalmScene::branch(const BranchStatement &s) const
{
    Anchor from;
    from.kind = Anchor::Kind::OnLine;
    from.line = s.line;
    from.t = s.t;
    const QPointF a = point(from);
    QPointF b;
    if (s.toward == BranchStatement::Toward::Anchor) {
        const QPointF target = point(s.to);
        if (s.to.kind == Anchor::Kind::OnLine) {
            // A branch sent to a line meets it, or runs on over it.
            b = s.across ? target + ink::Unit(target - a, kUp) * 5 : target;
        } else {
            // Toward a place: most of the way, and never into its label.
            b = clearOfLabels(a, s.to, 0.9);
        }
    } else {
        // A short stroke leaning the way the line runs.
        QPointF t = direction(from);
        const QPointF way(0, s.toward == BranchStatement::Toward::Up ? -1 : 1);
        if (QPointF::dotProduct(t, QPointF(1, 0)) < 0)
            t = -t;
        b = a + ink::Unit(way + t * 0.45, kUp) * 9;
    }
    QPointF t = direction(from);
    if (QPointF::dotProduct(t, b - a) < 0)
        t = -t;
    const double length = ink::Distance(b, a);
    QPainterPath path(a);
    if (s.toward == BranchStatement::Toward::Anchor && s.to.kind == Anchor::Kind::OnLine) {
        path.lineTo(b); // straight, so that it really meets the line where it is sent
    } else {
        // Leaving its line at an angle, so that it shows as a branch of its own; a branch sent
        // the way its line already runs bows up toward the fingers instead of running on it.
        QPointF control = a + ink::Unit(ink::Unit(b - a, kUp) * 1.5 + t, kUp) * (length * 0.35);
        const QPointF way = ink::Unit(b - a, kUp);
        if (std::abs(way.x() * t.y() - way.y() * t.x()) < 0.26)
            control = (a + b) / 2 + QPointF(0, -std::max(4.0, length * 0.2));
        path.quadTo(control, b);
    }
    return Polyline::FromPath(path, 48);
}

QList<QLineF> PalmScene::mess(const MessStatement &s, int index) const
{
    ink::Scatter scatter(std::uint32_t(m_picture.number * 64 + index), 12345u);
    QList<QLineF> out;
    if (s.wholePalm) {
        for (int i = 0; i < 64; ++i) {
            const QPointF c(32 + 50 * scatter.next(), 66 + 56 * scatter.next());
            const double angle = 180 * scatter.next();
            const QPointF v = ink::Rotated(QPointF(1.6 + 1.8 * scatter.next(), 0), angle);
            out.append(QLineF(c - v, c + v));
        }
        return out;
    }
    const QPointF centre = m_centres.value(index, point(s.at));
    QPointF from = centre, to = centre, nearest = centre;
    if (s.through) {
        // Strewn from the place over the line and a little beyond it.
        const Polyline &line = m_lines[int(*s.through)].course;
        nearest = line.pointAt(0);
        for (const QPointF &q : line.points())
            if (QLineF(centre, q).length() < QLineF(centre, nearest).length())
                nearest = q;
        to = nearest + ink::Unit(nearest - centre, kUp) * 5;
    }
    // Open enough to show single crossing lines at real size, not a smudge.
    const int strokes = s.through ? 18 : 13;
    const double spread = s.through ? 8 : 11;
    for (int i = 0; i < strokes; ++i) {
        const QPointF c
            = from + (to - from) * scatter.next()
              + QPointF(spread * (scatter.next() - 0.5), spread * (scatter.next() - 0.5));
        const double angle = 180 * scatter.next();
        const QPointF v = ink::Rotated(QPointF(2.4 + 1.8 * scatter.next(), 0), angle);
        out.append(QLineF(c - v, c + v));
    }
    if (s.through) {
        // A few strokes lie right across the line where the mess meets it, so that it plainly
        // breaks through.
        const QPointF across = ink::Unit(nearest - centre, kUp);
        const QPointF along(-across.y(), across.x());
        for (const double offset : {-3.0, 0.0, 3.0}) {
            const QPointF c = nearest + along * offset;
            const QPointF v = ink::Rotated(across, 50 * (scatter.next() - 0.5)) * 3.5;
            out.append(QLineF(c - v, c + v));
        }
    }
    return out;
}

void PalmScene::drawLabels(QPainter &p) const
{
    for (const PlacedLabel &label : m_labels) {
        ink::WriteOnSkin(p, LabelGlyphs(label.palace).translated(label.centre), PalmLabel, 0.35,
                         2.6);
    }
}

void PalmScene::drawStatement(QPainter &p, const Statement &statement, int index) const
{
    std::visit(Overloaded{
                   [](const LineStatement &) {},
                   [](const FingerStatement &) {},
                   [&](const PathStatement &s) {
                       p.setPen(ink::Pen(PalmRed, s.hi ? kHiWidth : kMarkWidth));
                       p.drawPath(path(s).path());
                   },
                   [&](const BranchStatement &s) {
                       p.setPen(ink::Pen(PalmRed, s.hi ? kHiWidth : kMarkWidth));
                       p.drawPath(branch(s).path());
                   },
                   [](const MarkStatement &) {},
                   [](const LinesStatement &) {},
                   [&](const MessStatement &s) {
                       QPainterPath path;
                       for (const QLineF &stroke : mess(s, index)) {
                           path.moveTo(stroke.p1());
                           path.lineTo(stroke.p2());
                       }
                       p.save();
                       p.setClipPath(m_hand.palm());
                       p.setPen(ink::Pen(PalmRed, 0.75));
                       p.drawPath(path);
                       p.restore();
                   },
                   [](const LabelStatement &) {},
               },
               statement);
}

void DrawSkinAndCreases(QPainter &p, const PalmHand &hand)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Skin);
    p.drawPath(hand.outline());
    p.setBrush(Qt::NoBrush);
    p.setPen(ink::Pen(ink::Crease, 0.8));
    for (int f = 0; f < FingerCount; ++f)
        for (const QLineF &crease : hand.creases(Finger(f)))
            p.drawLine(crease);
    // Two bracelet creases across the wrist.
    for (const double y : {136.5, 139.5}) {
        QPainterPath crease(QPointF(38, y));
        crease.quadTo(QPointF(54, y + 1.6), QPointF(70, y - 0.4));
        p.drawPath(crease);
    }
}

QImage PalmScene::draw(int scale) const
{
    QImage image = ink::Canvas(QSize(PalmPictureWidth, PalmPictureHeight(m_picture.number)), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QPainterPath outline = m_hand.outline();
    DrawSkinAndCreases(p, m_hand);

    // Plain lines first, so every featured line lies on top.
    for (const LineState &line : m_lines)
        if (!line.style.hi)
            drawLine(p, line);

    p.setPen(ink::Pen(ink::Outline, ink::OutlineWidth));
    p.drawPath(outline);

    for (int f = 0; f < FingerCount; ++f) {
        if (!m_shaped[f])
            continue;
        // Only the part of the finger outside the palm is the finger's own outline.
        QPainterPath outside;
        outside.addRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()));
        p.save();
        p.setClipPath(outside.subtracted(m_hand.palm()));
        p.setPen(ink::Pen(PalmRed, 1.6));
        p.drawPath(m_hand.finger(Finger(f)));
        p.restore();
        if (m_hairy[f]) {
            p.setPen(ink::Pen(PalmRed, 0.9));
            for (const QLineF &hair : m_hand.hairs(Finger(f)))
                p.drawLine(hair);
        }
    }

    // A thin halo of skin keeps each mark clear of the grey lines under it, but not of the
    // featured lines, which must run on through their marks.
    p.setBrush(Qt::NoBrush);
    for (const PlacedMark &mark : m_marks) {
        p.setPen(ink::Pen(ink::Skin, mark.penWidth + 1.6));
        p.drawPath(mark.path);
    }
    for (const LineState &line : m_lines)
        if (line.style.hi)
            drawLine(p, line);
    for (qsizetype i = 0; i < m_picture.statements.size(); ++i)
        drawStatement(p, m_picture.statements.at(i), int(i));
    for (const PlacedMark &mark : m_marks) {
        const Statement &statement = m_picture.statements.at(mark.statement);
        const auto *s = std::get_if<MarkStatement>(&statement);
        // An island is open inside: the line parts round it. A closed mark off the lines is
        // clear inside too, so that no crease through it turns a circle into a θ.
        const bool closed = s
                            && (s->kind == MarkKind::Circle || s->kind == MarkKind::Square
                                || s->kind == MarkKind::Triangle);
        if (s && (s->kind == MarkKind::Island || (closed && s->at.kind != Anchor::Kind::OnLine)))
            p.fillPath(mark.path, ink::Skin);
        p.setPen(ink::Pen(PalmRed, mark.penWidth));
        p.setBrush(s && s->kind == MarkKind::Dot ? QBrush(PalmRed) : QBrush(Qt::NoBrush));
        p.drawPath(mark.path);
    }
    p.setBrush(Qt::NoBrush);
    // Labels last, each on its own palace.
    drawLabels(p);
    p.end();
    return image;
}

QImage DrawPalm(const PalmPicture &picture, int scale)
{
    return PalmScene(picture).draw(scale);
}

} // namespace artwork
