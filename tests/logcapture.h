#pragma once

// The warnings one logging category gives while a LogCapture lives, instead of QTest's log: the
// readers say there why a file was read in part, and the tests read it.

#include <QStringList>
#include <QtGlobal>

class LogCapture
{
public:
    explicit LogCapture(const char *category)
    {
        s_category = category;
        s_messages.clear();
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    const QStringList &messages() const { return s_messages; }
    QString joined() const { return s_messages.join(u" | "); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && context.category && qstrcmp(context.category, s_category) == 0)
            s_messages << message;
    }

    QtMessageHandler m_previous = nullptr;
    static inline const char *s_category = nullptr;
    static inline QStringList s_messages;
};
