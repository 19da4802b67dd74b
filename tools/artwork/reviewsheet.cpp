#include "tools/artwork/reviewsheet.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace artwork {

namespace {

constexpr int kMargin = 8;
constexpr int kTextWidth = 380;

QFont songFont(int pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL SungtiL GB")});
    font.setPixelSize(pixels);
    return font;
}

// Lays `text` out in lines no wider than `width`; Chinese text breaks between any two characters.
QList<QString> wrap(const QString &text, const QFont &font, int width)
{
    const QFontMetrics metrics(font);
    QList<QString> lines;
    QString line;
    for (const QChar c : text) {
        if (metrics.horizontalAdvance(line + c) > width && !line.isEmpty()) {
            lines.append(line);
            line.clear();
        }
        line += c;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

bool saveSheet(const QImage &sheet, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return sheet.save(path, "PNG");
}

} // namespace

QStringList writeReviewSheets(const QList<ReviewEntry> &entries, const QString &directory,
                              const QString &baseName, int perSheet)
{
    const QFont titleFont = songFont(15);
    const QFont textFont = songFont(16);
    const int lineHeight = QFontMetrics(textFont).height() + 2;
    QStringList written;
    perSheet = std::max(perSheet, 1);
    for (qsizetype first = 0; first < entries.size(); first += perSheet) {
        const QList<ReviewEntry> batch = entries.mid(first, perSheet);
        int width = 0;
        QList<int> heights;
        QList<QList<QString>> wrapped;
        for (const ReviewEntry &e : batch) {
            wrapped.append(wrap(e.text, textFont, kTextWidth));
            const int textHeight = lineHeight * int(wrapped.last().size() + 1);
            heights.append(std::max(2 * e.image.height(), textHeight) + kMargin);
            width = std::max(width, 3 * e.image.width());
        }
        int height = kMargin;
        for (const int h : heights)
            height += h + kMargin;
        const int textLeft = kMargin + width + 2 * kMargin + 4;
        QImage sheet(textLeft + kTextWidth + kMargin, height, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        int y = kMargin;
        for (qsizetype i = 0; i < batch.size(); ++i) {
            const ReviewEntry &e = batch.at(i);
            p.drawImage(kMargin, y, e.image);
            const QRect twice(kMargin * 2 + e.image.width(), y, 2 * e.image.width(),
                              2 * e.image.height());
            QImage large = e.finer.isNull() ? e.image.scaled(twice.size(), Qt::IgnoreAspectRatio,
                                                             Qt::FastTransformation)
                                            : e.finer;
            large.setDevicePixelRatio(1); // one pixel of the drawing to one of the sheet
            p.drawImage(twice, large);
            p.setPen(Qt::black);
            p.setFont(titleFont);
            p.drawText(textLeft, y + lineHeight - 4, e.title);
            p.setFont(textFont);
            for (qsizetype k = 0; k < wrapped.at(i).size(); ++k)
                p.drawText(textLeft, y + lineHeight * int(k + 2) - 4, wrapped.at(i).at(k));
            y += heights.at(i);
            p.setPen(QColor(200, 200, 200));
            p.drawLine(0, y + kMargin / 2, sheet.width(), y + kMargin / 2);
            y += kMargin;
        }
        p.end();
        const QString path
            = QDir(directory).filePath(QStringLiteral("%1-%2.png")
                                           .arg(baseName)
                                           .arg(first / perSheet + 1, 2, 10, QChar(u'0')));
        if (!saveSheet(sheet, path))
            return {};
        written.append(path);
    }
    return written;
}

QStringList writePageSheets(const QList<ReviewEntry> &entries, const QString &directory,
                            const QString &baseName, const PageGrid &grid)
{
    const int perPage = std::max(grid.columns * grid.rows, 1);
    const int pages = int((entries.size() + perPage - 1) / perPage);
    const int top = 24;
    QStringList written;
    for (int page = 0; page < pages; ++page) {
        QImage sheet(2 * kMargin + grid.columns * grid.slot.width() + (grid.columns - 1) * grid.gap,
                     top + kMargin + grid.rows * grid.slot.height() + (grid.rows - 1) * grid.gap,
                     QImage::Format_RGB32);
        sheet.fill(QColor(212, 208, 200)); // the grey of a dialog face
        QPainter p(&sheet);
        p.setFont(songFont(13));
        p.setPen(Qt::black);
        p.drawText(kMargin, 16, QStringLiteral("%1 %2/%3").arg(baseName).arg(page + 1).arg(pages));
        for (int slot = 0; slot < perPage; ++slot) {
            const qsizetype i = qsizetype(page) * perPage + slot;
            if (i >= entries.size())
                break;
            const QPoint at(kMargin + (slot % grid.columns) * (grid.slot.width() + grid.gap),
                            top + (slot / grid.columns) * (grid.slot.height() + grid.gap));
            p.drawImage(at, entries.at(i).image, QRect(QPoint(0, 0), grid.slot));
        }
        p.end();
        const QString path
            = QDir(directory).filePath(QStringLiteral("%1-p%2.png").arg(baseName).arg(page + 1));
        if (!saveSheet(sheet, path))
            return {};
        written.append(path);
    }
    return written;
}

} // namespace artwork
