#include "tools/artwork/palmchecks.h"

#include "tools/artwork/checks.h"
#include "tools/artwork/ink.h"
#include "tools/artwork/palmdrawing.h"
#include "tools/artwork/reviewsheet.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

double distanceTo(const Polyline &line, QPointF at)
{
    double best = 1e9;
    const QList<QPointF> &points = line.points();
    for (qsizetype i = 1; i < points.size(); ++i) {
        const QPointF a = points.at(i - 1), b = points.at(i), ab = b - a;
        const double span = QPointF::dotProduct(ab, ab);
        const double f
            = span > 0 ? std::clamp(QPointF::dotProduct(at - a, ab) / span, 0.0, 1.0) : 0.0;
        best = std::min(best, ink::distance(at, a + ab * f));
    }
    return best;
}

bool crosses(const Polyline &line, const QLineF &stroke)
{
    const QList<QPointF> &points = line.points();
    for (qsizetype i = 1; i < points.size(); ++i)
        if (QLineF(points.at(i - 1), points.at(i)).intersects(stroke)
            == QLineF::BoundedIntersection)
            return true;
    return false;
}

Palace nearestPalace(QPointF at)
{
    Palace best = Palace::Ming;
    for (int i = 0; i <= int(Palace::Ming); ++i)
        if (ink::distance(PalmHand::palacePoint(Palace(i)), at)
            < ink::distance(PalmHand::palacePoint(best), at))
            best = Palace(i);
    return best;
}

// Whether `at` is where `anchor` says, as this picture draws it.
bool reaches(const PalmScene &scene, const Anchor &anchor, QPointF at)
{
    switch (anchor.kind) {
    case Anchor::Kind::Palace:
        // In the palace, or right up against its name written there.
        for (const PalmScene::PlacedLabel &label : scene.labels()) {
            const double reach = PalmScene::LabelGap + 1;
            if (label.palace == anchor.palace
                && label.box.adjusted(-reach, -reach, reach, reach).contains(at))
                return true;
        }
        return nearestPalace(at) == anchor.palace
               && ink::distance(at, PalmHand::palacePoint(anchor.palace)) <= 10;
    case Anchor::Kind::OnLine: {
        const Polyline line = scene.course(anchor.line);
        return !line.isEmpty() && distanceTo(line, at) <= 1.5;
    }
    case Anchor::Kind::Wrist:
    case Anchor::Kind::FingerTip:
    case Anchor::Kind::FingerBase:
        break;
    }
    return ink::distance(at, scene.point(anchor)) <= 2;
}

// Whether a red stroke passes under a label, whose halo would cut it.
bool underLabel(const PalmScene &scene, const Polyline &stroke)
{
    for (const PalmScene::PlacedLabel &label : scene.labels())
        for (const QPointF &point : stroke.points())
            if (label.box.adjusted(-1, -1, 1, 1).contains(point))
                return true;
    return false;
}

} // namespace

QStringList checkPalmPicture(const PalmPicture &picture)
{
    const PalmScene scene(picture);
    const QString item = QStringLiteral("Image%1: ").arg(picture.number);
    QStringList problems;
    const QPainterPath hand = scene.handOutline();

    // The whole hand, a reshaped finger too, stays inside the picture with a pixel to spare; only
    // the wrist runs on out of the bottom.
    const QRectF extent = hand.boundingRect();
    if (extent.left() < 1 || extent.top() < 1 || extent.right() > PalmPictureWidth - 1)
        problems.append(item + QStringLiteral("hand: leaves the picture"));

    for (const PalmScene::PlacedLabel &label : scene.labels()) {
        if (!standsOnPalace(label.palace, label.centre))
            problems.append(item + QStringLiteral("label: off its palace"));
        if (!hand.contains(label.box.adjusted(0.5, 0.5, -0.5, -0.5)))
            problems.append(item + QStringLiteral("label: not on the hand"));
    }

    for (const PalmScene::PlacedMark &mark : scene.marks()) {
        const QPainterPath ink = PalmScene::inked(mark.path, mark.penWidth);
        bool inside = true;
        for (const QPolygonF &polygon : ink.toFillPolygons())
            for (const QPointF &point : polygon)
                inside &= hand.contains(point);
        if (!inside)
            problems.append(item + QStringLiteral("mark: outside the hand"));
        const double gap = PalmScene::LabelGap - 0.5;
        for (const PalmScene::PlacedLabel &label : scene.labels())
            if (label.box.adjusted(-gap, -gap, gap, gap).intersects(ink.boundingRect()))
                problems.append(item + QStringLiteral("mark: too close to a label"));
        const auto *s = std::get_if<MarkStatement>(&picture.statements.at(mark.statement));
        const Anchor at
            = s ? s->at : std::get<LinesStatement>(picture.statements.at(mark.statement)).at;
        if (at.kind == Anchor::Kind::Palace
            && nearestPalace(mark.path.boundingRect().center()) != at.palace)
            problems.append(item + QStringLiteral("mark: off its palace"));
    }

    for (qsizetype i = 0; i < picture.statements.size(); ++i) {
        const Statement &statement = picture.statements.at(i);
        if (const auto *s = std::get_if<LineStatement>(&statement)) {
            const Polyline line = scene.course(s->line);
            if (line.isEmpty())
                continue;
            if (s->start && !reaches(scene, *s->start, line.pointAt(0)))
                problems.append(item + QStringLiteral("line: does not start where it says"));
            if (s->end && !reaches(scene, *s->end, line.pointAt(1)))
                problems.append(item + QStringLiteral("line: does not reach where it says"));
            // A featured line may end at a name but not run on underneath one.
            if (s->hi) {
                const Polyline inner = line.section(0.12, 0.88);
                if (underLabel(scene, inner))
                    problems.append(item + QStringLiteral("line: runs under a label"));
            }
        } else if (const auto *s = std::get_if<BranchStatement>(&statement)) {
            const Polyline stroke = scene.branch(*s);
            if (stroke.length() < BranchLeast)
                problems.append(item
                                + QStringLiteral("branch: %1 px long, too short to see "
                                                 "(at least %2)")
                                      .arg(stroke.length(), 0, 'f', 1)
                                      .arg(BranchLeast));
            if (s->toward != BranchStatement::Toward::Anchor)
                continue;
            const QPointF end = stroke.pointAt(1);
            if (underLabel(scene, stroke))
                problems.append(item + QStringLiteral("branch: runs under a label"));
            if (s->across) {
                const Polyline target = scene.course(s->to.line);
                bool crossed = false;
                const QList<QPointF> &points = stroke.points();
                for (qsizetype k = 1; k < points.size() && !crossed; ++k)
                    crossed = crosses(target, QLineF(points.at(k - 1), points.at(k)));
                if (!crossed || distanceTo(target, end) < 3)
                    problems.append(item + QStringLiteral("branch: does not cross its line"));
            } else if (!reaches(scene, s->to, end)) {
                problems.append(item + QStringLiteral("branch: stops short"));
            }
        } else if (const auto *s = std::get_if<PathStatement>(&statement)) {
            const Polyline stroke = scene.path(*s);
            if (underLabel(scene, stroke))
                problems.append(item + QStringLiteral("path: runs under a label"));
            if (!reaches(scene, s->from, stroke.pointAt(0))
                || !reaches(scene, s->to, stroke.pointAt(1)))
                problems.append(item + QStringLiteral("path: does not join its two places"));
        } else if (const auto *s = std::get_if<MessStatement>(&statement)) {
            if (!s->through)
                continue;
            const Polyline target = scene.course(*s->through);
            const QList<QLineF> strokes = scene.mess(*s, int(i));
            const auto crossing
                = std::count_if(strokes.cbegin(), strokes.cend(),
                                [&](const QLineF &l) { return crosses(target, l); });
            if (crossing < 3)
                problems.append(item + QStringLiteral("mess: does not break through its line"));
        }
    }
    return problems;
}

bool standsOnPalace(Palace palace, QPointF at)
{
    return nearestPalace(at) == palace;
}

const QList<PalmTopic> &palmTopics()
{
    static const QList<PalmTopic> topics = {
        {"从手相看事业", 1, 45},   {"从手相看财运", 46, 55},   {"从手相看感情", 56, 85},
        {"从手相看家庭", 86, 140}, {"从手相看智慧", 141, 200}, {"从手相看妇女健康", 201, 217},
    };
    return topics;
}

QStringList checkPalmLookAlikes(const QHash<int, QImage> &pictures)
{
    QStringList problems;
    for (const PalmTopic &topic : palmTopics()) {
        QStringList names;
        QList<QImage> images;
        for (int n = topic.first; n <= topic.last; ++n)
            if (pictures.contains(n)) {
                names.append(QStringLiteral("Image%1").arg(n));
                images.append(pictures.value(n));
            }
        problems += describeLookAlikes(names, images, PalmLookAlikePixels, {},
                                       QStringLiteral("%1 and %2 look alike (%3 pixels differ)"));
    }
    return problems;
}

int writePalmReviewSheets(const QList<PalmPicture> &pictures, const QHash<int, QString> &texts,
                          const QString &outDir)
{
    QHash<int, ReviewEntry> entries;
    for (const PalmPicture &picture : pictures) {
        const QStringList problems = checkPalmPicture(picture);
        const QString text = texts.value(picture.number, QStringLiteral("(no analysis)"));
        entries.insert(picture.number,
                       {drawPalm(picture), QStringLiteral("Image%1").arg(picture.number),
                        problems.isEmpty() ? text : text + u'\n' + problems.join(u'\n'),
                        drawPalm(picture, 2)});
    }
    int sheets = 0;
    for (const PalmTopic &topic : palmTopics()) {
        QList<ReviewEntry> list;
        for (int n = topic.first; n <= topic.last; ++n)
            if (entries.contains(n))
                list.append(entries.value(n));
        if (list.isEmpty())
            continue;
        const QString base = QStringLiteral("palm-%1-%2").arg(topic.first).arg(topic.last);
        const QStringList a = writeReviewSheets(list, outDir, base, 4);
        const QStringList b = writePageSheets(list, outDir, base, PageGrid{});
        if (a.isEmpty() || b.isEmpty())
            return -1;
        sheets += int(a.size() + b.size());
    }
    return sheets;
}

QHash<int, QString> readPalmAnalyses(const QString &source)
{
    // {1, QT_TRANSLATE_NOOP("PalmItems", "…")}, the text marked for the catalogues
    static const QRegularExpression entry(
        QStringLiteral("^\\{(\\d+), (?:QT_TRANSLATE_NOOP\\(\"\\w+\", )?\"(.*)\"\\)?\\},\\s*$"),
        QRegularExpression::MultilineOption);
    QHash<int, QString> out;
    auto it = entry.globalMatch(source);
    while (it.hasNext()) {
        const auto match = it.next();
        out.insert(match.captured(1).toInt(), match.captured(2));
    }
    return out;
}

} // namespace artwork
