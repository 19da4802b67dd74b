#include "tools/artwork/twins.h"

#include "tools/artwork/charts.h"
#include "tools/artwork/checks.h"
#include "tools/artwork/lettering.h"
#include "tools/artwork/molebodydrawing.h"
#include "tools/artwork/palmchecks.h"
#include "tools/artwork/palmdrawing.h"
#include "tools/artwork/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>

#include <algorithm>

namespace artwork {

namespace {

struct EditionDrawing
{
    text::Edition edition = text::Edition::Taiwan;
    bool needed = false;
    QImage picture, finer;
};

EditionDrawing drawFor(const WordedPicture &source, text::Edition edition, TwinSet &set)
{
    EditionDrawing drawing;
    drawing.edition = edition;
    const Lettering lettering(edition);
    drawing.picture = source.draw(1);
    // Every picture with words gets its twin, changed or not, so that a page of pictures reads
    // in one face: 艮 beside 離 in the Simplified face would show two hands at work.
    drawing.needed = !lettering.words().isEmpty();
    if (!drawing.needed)
        return drawing;
    drawing.finer = source.draw(2);
    const QString where = QStringLiteral("%1 (%2)").arg(source.name, twinFolder({edition}));
    if (source.check)
        for (const QString &problem : source.check())
            set.problems.append(QStringLiteral("%1: %2").arg(where, problem));
    for (const QString &problem : lettering.problems())
        set.problems.append(QStringLiteral("%1: %2").arg(where, problem));
    set.problems += checkFinerDrawing(drawing.picture, drawing.finer, where);
    set.words += lettering.words();
    set.written += lettering.written();
    return drawing;
}

} // namespace

QString twinFolder(const QList<text::Edition> &editions)
{
    if (editions.size() > 1)
        return QStringLiteral("hant");
    return editions.value(0) == text::Edition::HongKong ? QStringLiteral("hant-hk")
                                                        : QStringLiteral("hant-tw");
}

TwinSet drawTwins(const QList<WordedPicture> &pictures)
{
    TwinSet set;
    for (const WordedPicture &source : pictures) {
        const EditionDrawing taiwan = drawFor(source, text::Edition::Taiwan, set);
        const EditionDrawing hongKong = drawFor(source, text::Edition::HongKong, set);
        if (taiwan.needed && hongKong.needed && taiwan.picture == hongKong.picture
            && taiwan.finer == hongKong.finer) {
            const QList<text::Edition> both{text::Edition::Taiwan, text::Edition::HongKong};
            set.twins.append(
                {twinFolder(both) + u'/' + source.name, both, taiwan.picture, taiwan.finer});
            continue;
        }
        for (const EditionDrawing *drawing : {&taiwan, &hongKong})
            if (drawing->needed)
                set.twins.append({twinFolder({drawing->edition}) + u'/' + source.name,
                                  {drawing->edition},
                                  drawing->picture,
                                  drawing->finer});
    }
    return set;
}

QList<WordedPicture> wordedPictures(const QList<PalmPicture> &palms)
{
    QList<WordedPicture> pictures;
    for (const PalmPicture &palm : palms)
        pictures.append({QStringLiteral("palm/Image%1").arg(palm.number),
                         [palm](int scale) { return drawPalm(palm, scale); },
                         [palm] {
                             return checkPalmPicture(palm);
                         }});
    // A chart places its labels by their ink, so the scene is laid out under the lettering too.
    for (const auto &[chart, name] : {std::pair{Chart::Lines, "i1"}, {Chart::Palaces, "i2"}}) {
        const Chart which = chart;
        pictures.append({QStringLiteral("chart/") + QLatin1String(name),
                         [which](int scale) { return ChartScene(which).draw(scale); },
                         [which] {
                             return ChartScene(which).check();
                         }});
    }
    for (const BodyPicture &body : bodyPictures())
        pictures.append({QStringLiteral("mole/") + bodyKey(body.number),
                         [body](int scale) { return BodyScene(body).draw(LabelMode::With, scale); },
                         [body] {
                             return BodyScene(body).check();
                         }});
    pictures.append({QStringLiteral("Image218"), drawImage218, {}});
    return pictures;
}

namespace {

// The drawing at twice the size, shown pixel for pixel.
QImage unmarked(QImage image)
{
    image.setDevicePixelRatio(1);
    return image;
}

} // namespace

QStringList writeTwinSheets(const QList<WordedPicture> &pictures, const TwinSet &set,
                            const QString &directory, int perSheet)
{
    constexpr int margin = 8, caption = 20;
    struct Row
    {
        QString name;
        QList<std::pair<QString, QImage>> plain, finer; // caption and picture, left to right
    };
    QList<Row> rows;
    for (const WordedPicture &source : pictures) {
        Row row{source.name, {{QStringLiteral("简"), source.draw(1)}}, {}};
        row.finer.append({QStringLiteral("简 @2x"), unmarked(source.draw(2))});
        for (const Twin &twin : set.twins) {
            if (!twin.name.endsWith(u'/' + source.name))
                continue;
            const QString folder = twin.name.section(u'/', 0, 0);
            row.plain.append({folder, twin.picture});
            row.finer.append({folder + QStringLiteral(" @2x"), unmarked(twin.finer)});
        }
        if (row.plain.size() > 1)
            rows.append(row);
    }
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN")});
    font.setPixelSize(13);
    QStringList written;
    perSheet = std::max(perSheet, 1);
    for (qsizetype first = 0; first < rows.size(); first += perSheet) {
        const QList<Row> batch = rows.mid(first, perSheet);
        int width = 0, height = margin;
        for (const Row &row : batch) {
            int x = margin, tallest = 0;
            for (const auto &cell : row.plain + row.finer) {
                x += cell.second.width() + margin;
                tallest = std::max(tallest, cell.second.height());
            }
            width = std::max(width, x);
            height += caption + tallest + 2 * margin;
        }
        QImage sheet(width, height, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        p.setFont(font);
        p.setPen(Qt::black);
        int y = margin;
        for (const Row &row : batch) {
            int x = margin, tallest = 0;
            for (const auto &[label, image] : row.plain + row.finer) {
                p.drawText(QPoint(x, y + caption - 6),
                           label == QStringLiteral("简") ? row.name + u' ' + label : label);
                p.drawImage(QPoint(x, y + caption), image);
                x += image.width() + margin;
                tallest = std::max(tallest, image.height());
            }
            y += caption + tallest + 2 * margin;
        }
        p.end();
        const QString path = QDir(directory).filePath(
            QStringLiteral("hant-%1.png").arg(first / perSheet + 1, 2, 10, QLatin1Char('0')));
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!sheet.save(path, "PNG"))
            return {};
        written.append(path);
    }
    return written;
}

} // namespace artwork
