#include "tools/artwork/molefacedescription.h"

#include "tools/artwork/ink.h"
#include <QLineF>
#include <QRegularExpression>
#include <QSet>
#include <QtMath>

#include <cmath>
#include <cstdint>

namespace artwork {

namespace {

// About one mole's dot: less than this between two pictures is not seen at real size.
constexpr int kVisiblePixels = 9;

// "x,y": a point of the picture in pixels, from its top left corner.
std::optional<QPointF> pointWord(const QString &word)
{
    const QStringList parts = word.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false, okY = false;
    const double x = parts.at(0).toDouble(&okX), y = parts.at(1).toDouble(&okY);
    if (!okX || !okY || x < 0 || x > MoleFaceWidth || y < 0 || y > MoleFaceHeight)
        return std::nullopt;
    return QPointF(x, y);
}

QPointF inBox(const QRectF &box, QPointF f)
{
    return box.topLeft() + QPointF(box.width() * f.x(), box.height() * f.y());
}

bool dotInside(const QPainterPath &shape, QPointF c)
{
    return ink::discInside(shape, c, MoleRadius + MoleRimWidth * 0.5);
}

class LineReader
{
public:
    LineReader(FacePicture &picture, QStringList &errors, QString where)
        : m_picture(picture)
        , m_errors(errors)
        , m_where(std::move(where))
        , m_outline(faceview::outline(picture.view))
    {}

    void read(const QString &statement)
    {
        m_statement = statement;
        const QStringList w = statement.split(u' ', Qt::SkipEmptyParts);
        const QString &verb = w.first();
        if (verb == QLatin1String("faling") && w.size() == 1) {
            m_picture.faling = true;
        } else if (verb == QLatin1String("dot") && w.size() >= 2) {
            const auto shape = region(w.at(1));
            if (!shape)
                return;
            if (w.size() == 2)
                add(w.at(1), shape->boundingRect().center());
            for (int i = 2; i < w.size(); ++i)
                if (const auto c = point(w.at(i)))
                    add(w.at(1), *c);
        } else if (verb == QLatin1String("row") && w.size() == 5) {
            const int n = count(w.at(1), 2);
            const auto shape = region(w.at(2));
            const auto a = point(w.at(3)), b = point(w.at(4));
            if (!n || !shape || !a || !b)
                return;
            for (int i = 0; i < n; ++i)
                add(w.at(2), *a + (*b - *a) * (double(i) / (n - 1)));
        } else if (verb == QLatin1String("ring") && (w.size() == 3 || w.size() == 4)) {
            const int n = count(w.at(1), 3);
            const auto shape = region(w.at(2));
            double radius = 4.6;
            if (w.size() == 4)
                radius = w.at(3).toDouble();
            if (!n || !shape)
                return;
            if (radius < 2 || radius > 12)
                return fail(QStringLiteral("ring radius \"%1\" is not 2 … 12").arg(w.at(3)));
            const QPointF c = shape->boundingRect().center();
            for (int i = 0; i < n; ++i) {
                const double a = 2 * M_PI * i / n;
                add(w.at(2), c + QPointF(std::sin(a), -std::cos(a)) * radius);
            }
        } else if (verb == QLatin1String("grid") && (w.size() == 3 || w.size() == 5)) {
            static const QRegularExpression size(QStringLiteral("^([2-9])x([2-9])$"));
            const QRegularExpressionMatch m = size.match(w.at(1));
            const auto shape = region(w.at(2));
            if (!m.hasMatch())
                return fail(QStringLiteral("grid size \"%1\" is not CxR").arg(w.at(1)));
            if (!shape)
                return;
            // Corners of the grid: given, else a fifth of the place in from its corners.
            const QRectF box = shape->boundingRect();
            auto a = std::optional<QPointF>(inBox(box, QPointF(0.2, 0.2)));
            auto b = std::optional<QPointF>(inBox(box, QPointF(0.8, 0.8)));
            if (w.size() == 5) {
                a = point(w.at(3));
                b = point(w.at(4));
            }
            if (!a || !b)
                return;
            const int cols = m.captured(1).toInt(), rows = m.captured(2).toInt();
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c)
                    add(w.at(2), QPointF(a->x() + (b->x() - a->x()) * c / (cols - 1),
                                         a->y() + (b->y() - a->y()) * r / (rows - 1)));
        } else if (verb == QLatin1String("scatter") && w.size() == 3) {
            const int n = count(w.at(1), 2);
            const auto shape = region(w.at(2));
            if (!n || !shape)
                return;
            scatter(n, w.at(2), *shape);
        } else {
            fail(QStringLiteral("unknown statement"));
        }
    }

private:
    void fail(const QString &what)
    {
        m_errors.append(QStringLiteral("%1: %2, in \"%3\"").arg(m_where, what, m_statement));
    }

    std::optional<QPainterPath> region(const QString &name)
    {
        auto shape = faceview::region(m_picture.view, name);
        if (!shape)
            fail(QStringLiteral("no place \"%1\" in this view").arg(name));
        return shape;
    }

    std::optional<QPointF> point(const QString &word)
    {
        const auto c = pointWord(word);
        if (!c)
            fail(QStringLiteral("\"%1\" is not a point x,y of the picture").arg(word));
        return c;
    }

    int count(const QString &word, int least)
    {
        bool ok = false;
        const int n = word.toInt(&ok);
        if (!ok || n < least || n > 30) {
            fail(QStringLiteral("count \"%1\" is not %2 … 30").arg(word).arg(least));
            return 0;
        }
        return n;
    }

    bool spaced(QPointF c, double spacing) const
    {
        for (const FaceMole &other : m_picture.moles)
            if (QLineF(c, other.at).length() < spacing)
                return false;
        return true;
    }

    // The refusals that keep every picture true to its text.
    void add(const QString &name, QPointF c)
    {
        const QString at = QStringLiteral("(%1, %2)").arg(c.x(), 0, 'f', 1).arg(c.y(), 0, 'f', 1);
        if (!faceview::region(m_picture.view, name)->contains(c))
            return fail(QStringLiteral("mole at %1 lies outside %2").arg(at, name));
        if (!dotInside(m_outline, c))
            return fail(QStringLiteral("mole at %1 reaches outside the head").arg(at));
        // A hairline mole is read as just below the hair (发际之下): half in the hair, it would
        // read as a mole in the hair.
        if (name == QLatin1String("hairline") && !dotInside(faceview::skin(m_picture.view), c))
            return fail(QStringLiteral("mole at %1 reaches into the hair").arg(at));
        if (!spaced(c, MoleSpacing))
            return fail(QStringLiteral("mole at %1 runs into another").arg(at));
        m_picture.moles.append({name, c});
    }

    // Spread evenly but irregularly: the same picture every run, seeded by the item.
    void scatter(int n, const QString &name, const QPainterPath &shape)
    {
        ink::Scatter random(
            std::uint32_t(m_picture.key.mid(1).toInt() * 31 + m_picture.moles.size()), 77u);
        const QRectF box = shape.boundingRect();
        int placed = 0;
        for (int tries = 0; tries < 4000 && placed < n; ++tries) {
            const QPointF c = inBox(box, QPointF(random.next(), random.next()));
            if (shape.contains(c) && dotInside(m_outline, c) && spaced(c, MoleSpacing + 1.2)) {
                m_picture.moles.append({name, c});
                ++placed;
            }
        }
        if (placed < n)
            fail(QStringLiteral("only %1 of %2 moles fit in %3").arg(placed).arg(n).arg(name));
    }

    FacePicture &m_picture;
    QStringList &m_errors;
    QString m_where;
    QString m_statement;
    QPainterPath m_outline;
};

} // namespace

FaceParse parseFaceDescriptions(const QString &text, const QString &fileName)
{
    static const QRegularExpression head(QStringLiteral(
        "^(g(0[1-9]|[1-7][0-9]|8[0-6]))\\s+(front|left|right)(\\s+woman)?\\s*:(.*)$"));
    FaceParse out;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).section(u'#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QRegularExpressionMatch m = head.match(line);
        if (!m.hasMatch()) {
            out.errors.append(
                QStringLiteral("%1:%2: not \"gNN front|left|right [woman]: …\": \"%3\"")
                    .arg(fileName)
                    .arg(i + 1)
                    .arg(line));
            continue;
        }
        FacePicture picture;
        picture.key = m.captured(1);
        picture.line = i + 1;
        const QString view = m.captured(3);
        picture.view = view == QLatin1String("front")  ? FaceView::Front
                       : view == QLatin1String("left") ? FaceView::Left
                                                       : FaceView::Right;
        if (!m.captured(4).isEmpty())
            picture.hair = FaceHair::Long;
        const QString where = QStringLiteral("%1:%2: %3").arg(fileName).arg(i + 1).arg(picture.key);
        LineReader reader(picture, out.errors, where);
        for (const QString &statement : m.captured(5).split(u';', Qt::SkipEmptyParts))
            if (!statement.trimmed().isEmpty())
                reader.read(statement.trimmed());
        if (picture.moles.isEmpty())
            out.errors.append(where + QStringLiteral(": no mole"));
        out.pictures.append(picture);
    }
    out.errors.append(placesTooClose(out.pictures, fileName));
    return out;
}

QStringList placesTooClose(const QList<FacePicture> &pictures, const QString &fileName)
{
    // The wide places (the whole forehead, 火星 from the crown over the hairline, the band of
    // the brow heads, the cheeks, the whole jaw line) hold narrower ones or border many; a mole
    // of a wide place may lie near a narrow one's. The cheek keeps its own clearance from the
    // 法令 line and the mouth in its outline.
    static const QStringList wide
        = {QStringLiteral("forehead"), QStringLiteral("huoxing"), QStringLiteral("meitou"),
           QStringLiteral("cheek.L"),  QStringLiteral("cheek.R"), QStringLiteral("lowerface")};
    struct Placed
    {
        const FacePicture *picture;
        const FaceMole *mole;
    };
    QList<Placed> moles;
    for (const FacePicture &picture : pictures)
        for (const FaceMole &mole : picture.moles)
            moles.append({&picture, &mole});
    QStringList errors;
    QSet<QString> told; // one message per pair of places
    for (qsizetype i = 0; i < moles.size(); ++i)
        for (qsizetype j = i + 1; j < moles.size(); ++j) {
            const Placed &a = moles.at(i), &b = moles.at(j);
            if (a.picture->view != b.picture->view || a.mole->region == b.mole->region
                || wide.contains(a.mole->region) || wide.contains(b.mole->region))
                continue;
            const double apart = QLineF(a.mole->at, b.mole->at).length();
            const QString pair = a.mole->region + u'/' + b.mole->region;
            if (apart >= PlacesApart || told.contains(pair))
                continue;
            told.insert(pair);
            errors.append(QStringLiteral("%1:%2: %3: %4 mole at (%5, %6) is %7 px from %8's %9 "
                                         "mole; two places' moles must lie %10 px apart")
                              .arg(fileName)
                              .arg(b.picture->line)
                              .arg(b.picture->key, b.mole->region)
                              .arg(b.mole->at.x(), 0, 'f', 1)
                              .arg(b.mole->at.y(), 0, 'f', 1)
                              .arg(apart, 0, 'f', 1)
                              .arg(a.picture->key, a.mole->region)
                              .arg(PlacesApart));
        }
    return errors;
}

QStringList similarFacePictures(const QList<std::pair<QString, QImage>> &pictures)
{
    QStringList names;
    QList<QImage> images;
    for (const auto &[name, image] : pictures) {
        names.append(name);
        images.append(image);
    }
    return describeLookAlikes(names, images, kVisiblePixels, FacePixelStep,
                              QStringLiteral("%1 and %2 differ in only %3 pixels"));
}

} // namespace artwork
