#include "base/errorreport.h"

#include "base/failure.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace base {

namespace {
ReportSink &sink()
{
    static ReportSink s;
    return s;
}
} // namespace

QString withFullStop(const QString &message)
{
    if (message.isEmpty() || message.back().unicode() <= u'.')
        return message;
    return message + u'.';
}

void showStopBox(const QString &shownCaption, const QString &shownText)
{
    const QString &caption = shownCaption;
    const QString &text = shownText;
    if (sink()) {
        sink()(caption, text);
        return;
    }
    // Application-modal: every window of the program waits while the box shows. At start-up
    // there is no window yet and the box stands alone.
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    // The report's button says OK in every edition, whatever Qt's catalogue calls it.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void showErrorReport(const QString &message)
{
    showStopBox(QString::fromLatin1(ApplicationTitle), withFullStop(message));
}

ReportSink setReportSink(ReportSink newSink)
{
    return std::exchange(sink(), std::move(newSink));
}

bool guarded(const std::function<void()> &step) noexcept
{
    try {
        step();
        return true;
    } catch (const Failure &failure) {
        showErrorReport(failure.message());
    } catch (const std::exception &e) {
        showErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorReport(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace base
