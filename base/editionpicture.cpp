#include "base/editionpicture.h"

#include "edition/edition.h"

#include <QFile>

namespace base {

QString editionPicture(const QString &resourcePath, text::Edition edition)
{
    static const QString pictures = QStringLiteral(":/pictures/");
    if (edition == text::Edition::Simplified || !resourcePath.startsWith(pictures))
        return resourcePath;
    const QString name = resourcePath.mid(pictures.size());
    const QString own = edition == text::Edition::HongKong ? QStringLiteral("hant-hk/")
                                                           : QStringLiteral("hant-tw/");
    for (const QString &folder : {own, QStringLiteral("hant/")}) {
        const QString twin = pictures + folder + name;
        if (QFile::exists(twin))
            return twin;
    }
    return resourcePath;
}

QString editionPicture(const QString &resourcePath)
{
    return editionPicture(resourcePath, edition::current());
}

} // namespace base
