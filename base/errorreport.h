#pragma once

// The central error report: one message box, titled with the application title, stop icon, one
// OK button. Every error that a start-up step or an event handler raises ends up here.

#include <QObject>
#include <QString>

#include <functional>

namespace base {

inline constexpr const char *ApplicationTitle = "Lorvex 2004";

// The report's text: the message, plus a full stop when the message is not empty and its last
// character sorts after "." (a letter, a digit, a Chinese character). A message that already ends
// in ".", a space, a control character or an ASCII sign from "!" to "-" is left as it is.
QString withFullStop(const QString &message);

// Shows the report for a message (the full stop is added here) and returns when the user has
// closed it.
void showErrorReport(const QString &message);

// Where message boxes of this kind go instead of the screen: tests install a sink to read them
// without a modal box in the way. The sink gets the caption and the final text, full stop
// included. Returns the sink it replaces; an empty sink restores the message box.
using ReportSink = std::function<void(const QString &caption, const QString &text)>;
ReportSink setReportSink(ReportSink sink);

// Runs one handler or start-up step. An error it raises is shown by the report and does not
// travel further. Returns false when the step failed.
bool guarded(const std::function<void()> &step) noexcept;

// Connects a signal to a handler that runs inside the guard, so that an error never crosses a
// Qt frame. The handler takes no arguments; the connection ends with `context`.
template<typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, const QObject *context,
                                       Handler handler)
{
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)] { guarded(handler); });
}

// The stop-icon box with one OK button under any caption; the error report is one of these, and
// so is the "Application Error" box shown when the main window can't be created.
void showStopBox(const QString &caption, const QString &text);

} // namespace base
