#include "calendar/places.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace calendar {

namespace {

constexpr Place table[] = {
#include "calendar/places.inc"
};

} // namespace

std::span<const Place> places()
{
    return table;
}

const Place *placeNamed(QStringView name)
{
    const auto found = std::find_if(std::begin(table), std::end(table), [&](const Place &p) {
        return QString::fromUtf8(p.name) == name;
    });
    return found == std::end(table) ? nullptr : found;
}

QList<const Place *> findPlaces(QStringView typed)
{
    QList<const Place *> starting;
    QList<const Place *> containing;
    if (typed.trimmed().isEmpty())
        return starting;
    const QStringView text = typed.trimmed();
    for (const Place &place : table) {
        const QString name = placeName(place);
        if (name.startsWith(text))
            starting << &place;
        else if (name.contains(text) || placeRegion(place).contains(text))
            containing << &place;
    }
    return starting + containing;
}

QString placeName(const Place &place)
{
    return QCoreApplication::translate("Places", place.name);
}

QString placeRegion(const Place &place)
{
    return QCoreApplication::translate("Places", place.region);
}

QTimeZone placeZone(const Place &place)
{
    return QTimeZone(QByteArray(place.zone));
}

ClockNote clockNote(const Place &place, QDate birth)
{
    static const QDate beijingTimeEverywhere(1949, 10, 1);
    return qstrcmp(place.country, "CN") == 0 && birth < beijingTimeEverywhere
               ? ClockNote::LocalClocksDiffered
               : ClockNote::None;
}

} // namespace calendar
