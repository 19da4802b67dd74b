#include "keep/cardfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr qreal kShareScale = 2;

QString failedToWrite(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("KeptReading", "无法保存到“%1”：%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Fits the card into a page's painting rectangle, as wide as it allows and no taller.
void paintOnPage(QPainter &painter, const KeptReading &reading, QDate day, const QRectF &page)
{
    const QSizeF card = cardSize(reading);
    const qreal scale = qMin(page.width() / card.width(), page.height() / card.height());
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    paintCard(painter, reading, day);
}

// What the painter of a page reaches: the page's printable area, from its own origin.
QRectF pageArea(const QPageLayout &layout, int resolution)
{
    return QRectF(QPointF(0, 0), layout.paintRectPixels(resolution).size());
}

// Opens the temporary file beside `path`; writes; renames it over `path` when all went well.
template<typename Write>
KeepResult saveWhole(const QString &path, Write write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, failedToWrite(path, file.errorString())};
    if (!write(file)) {
        file.cancelWriting();
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QCoreApplication::translate("KeptReading", "写入失败");
        return {false, failedToWrite(path, reason)};
    }
    if (!file.commit())
        return {false, failedToWrite(path, file.errorString())};
    return {};
}

} // namespace

KeepResult writeCardPicture(const KeptReading &reading, QDate day, const QString &path)
{
    return saveWhole(path, [&](QSaveFile &file) {
        QImage image = cardImage(reading, day, kShareScale);
        // 96 dpi at our pixel size: a viewer that honours the resolution shows it at its size.
        image.setDotsPerMeterX(qRound(96 * kShareScale / 0.0254));
        image.setDotsPerMeterY(qRound(96 * kShareScale / 0.0254));
        return image.save(&file, "PNG") && file.error() == QFileDevice::NoError;
    });
}

KeepResult writeCardPdf(const KeptReading &reading, QDate day, const QString &path)
{
    return saveWhole(path, [&](QSaveFile &file) {
        QPdfWriter pdf(&file);
        pdf.setTitle(reading.title);
        pdf.setCreator(QStringLiteral("Lorvex 2004"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        paintOnPage(painter, reading, day, pageArea(pdf.pageLayout(), pdf.resolution()));
        return painter.end() && file.error() == QFileDevice::NoError;
    });
}

KeepResult printCard(const KeptReading &reading, QDate day, QPagedPaintDevice &printer,
                     const QString &printerName, int resolution)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return {false, QCoreApplication::translate("KeptReading", "打印机“%1”没有接受这份打印。")
                           .arg(printerName)};
    paintOnPage(painter, reading, day, pageArea(printer.pageLayout(), resolution));
    if (!painter.end())
        return {false, QCoreApplication::translate("KeptReading", "打印没有完成。")};
    return {};
}

QString defaultFileName(const KeptReading &reading, const QString &suffix)
{
    QString stem = reading.fileStem;
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar &c : stem)
        if (forbidden.contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    return stem + QLatin1Char('.') + suffix;
}
