#pragma once

// A step that meets an error raises a Failure and does not handle it; the guard around every
// event handler and every start-up step hands it to the central error report.

#include <QString>

#include <exception>
#include <utility>

namespace base {

class Failure : public std::exception
{
public:
    explicit Failure(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {}

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace base
