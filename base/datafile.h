#pragma once

// The two data files ship beside the executable and are found there whatever the current
// directory is.

#include <QByteArray>
#include <QString>

namespace base {

// The folder of the running executable, ending in "/".
QString executableFolder();

// The whole content of a file. Raises Failure "Cannot open file "<path>". <reason>" when the file
// is missing or unreadable, the reason being the system's own words without a trailing full stop.
QByteArray readDataFile(const QString &path);

} // namespace base
