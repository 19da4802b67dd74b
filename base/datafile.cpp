#include "base/datafile.h"

#include "base/failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace base {

namespace {
QString trimmedReason(QString reason)
{
    while (!reason.isEmpty()
           && (reason.back().isSpace() || reason.back() == u'.' || reason.back() == u'\n'))
        reason.chop(1);
    return reason;
}
} // namespace

QString executableFolder()
{
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

QByteArray readDataFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2")
                          .arg(QDir::toNativeSeparators(path), trimmedReason(file.errorString())));
    }
    return file.readAll();
}

} // namespace base
