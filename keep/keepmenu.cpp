#include "keep/keepmenu.h"

#include "base/datafile.h"
#include "base/errorreport.h"
#include "base/today.h"
#include "keep/cardfiles.h"
#include "keep/printdialog.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLibrary>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>

namespace {

QAction *addAction(QMenu *menu, const char *name, const QString &text, const QKeySequence &keys)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    return action;
}

// The user's pictures or documents folder, or home where the desktop has none.
QString keepFolder(QStandardPaths::StandardLocation where)
{
    const QString folder = QStandardPaths::writableLocation(where);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

} // namespace

KeepMenu::KeepMenu(QMenu *menu, std::function<ReadingInFront()> inFront, QWidget *window)
    : QObject(menu)
    , m_inFront(std::move(inFront))
    , m_window(window)
{
    menu->setToolTipsVisible(true);
    // Ctrl+C stays the memos' own copy of a selection.
    copyAction = addAction(menu, "keepCopy", tr("复制结果(&C)"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    pictureAction
        = addAction(menu, "keepPicture", tr("保存为图片(&S)…"), QKeySequence(Qt::CTRL | Qt::Key_S));
    pdfAction = addAction(menu, "keepPdf", tr("保存为PDF(&D)…"), {});
    printAction = addAction(menu, "keepPrint", tr("打印(&P)…"), QKeySequence(Qt::CTRL | Qt::Key_P));
    menu->addSeparator();
    quitAction = addAction(menu, "keepQuit", tr("退出(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    base::connectGuarded(copyAction, &QAction::triggered, this, [this] { copyReading(); });
    base::connectGuarded(pictureAction, &QAction::triggered, this, [this] { saveAsPicture(); });
    base::connectGuarded(pdfAction, &QAction::triggered, this, [this] { saveAsPdf(); });
    base::connectGuarded(printAction, &QAction::triggered, this, [this] { printReading(); });
    connect(quitAction, &QAction::triggered, m_window, &QWidget::close);
    connect(menu, &QMenu::aboutToShow, this, &KeepMenu::refresh);

    askPath = [this](const QString &suggested, const QString &filter) {
        return QFileDialog::getSaveFileName(m_window, QString(), suggested, filter);
    };
    tell = [this](const QString &message) {
        QMessageBox::warning(m_window, QStringLiteral("Lorvex 2004"), message);
    };
    refresh();
}

void KeepMenu::refresh()
{
    const ReadingInFront front = m_inFront();
    for (QAction *action : {copyAction, pictureAction, pdfAction, printAction}) {
        action->setEnabled(front.reading.has_value());
        action->setToolTip(front.reading ? QString() : front.whyNot);
    }
}

void KeepMenu::copyReading()
{
    const ReadingInFront front = m_inFront();
    if (!front.reading)
        return;
    const QDate today = base::today();
    auto *data = new QMimeData;
    data->setText(cardText(*front.reading, today));
    data->setImageData(cardImage(*front.reading, today, 2));
    QGuiApplication::clipboard()->setMimeData(data);
}

void KeepMenu::saveAsPicture()
{
    save(KeptAs::Picture);
}

void KeepMenu::saveAsPdf()
{
    save(KeptAs::Pdf);
}

void KeepMenu::save(KeptAs as)
{
    const bool pdf = as == KeptAs::Pdf;
    const QString suffix = pdf ? QStringLiteral("pdf") : QStringLiteral("png");
    const QString filter = pdf ? tr("PDF 文档 (*.pdf)") : tr("PNG 图片 (*.png)");
    const ReadingInFront front = m_inFront();
    if (!front.reading)
        return;
    const QString folder
        = keepFolder(pdf ? QStandardPaths::DocumentsLocation : QStandardPaths::PicturesLocation);
    QString path = askPath(QDir(folder).filePath(defaultFileName(*front.reading, suffix)), filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    const QDate today = base::today();
    const KeepResult result = pdf ? writeCardPdf(*front.reading, today, path)
                                  : writeCardPicture(*front.reading, today, path);
    if (!result.ok)
        tell(result.message);
}

void KeepMenu::printReading()
{
    const ReadingInFront front = m_inFront();
    if (!front.reading)
        return;
    // Loaded once and kept: QLibrary leaves the module loaded when it goes.
    QLibrary module(base::executableFolder() + QLatin1String(kPrintModule));
    const auto withDialog = reinterpret_cast<PrintWithDialog>(module.resolve(kPrintWithDialog));
    if (!withDialog) {
        tell(tr("无法打印：程序所在的文件夹里缺少打印所需的文件“%1”（%2）。")
                 .arg(QLatin1String(kPrintModule), module.errorString()));
        return;
    }
    const KeptReading &reading = *front.reading;
    const QDate today = base::today();
    KeepResult result;
    const PrintRequest request{
        m_window, reading.fileStem,
        [&](QPagedPaintDevice &printer, const QString &name, int resolution) {
            return printCard(reading, today, printer, name, resolution);
        }};
    if (withDialog(request, result) && !result.ok)
        tell(result.message);
}
