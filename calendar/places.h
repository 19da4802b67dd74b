#pragma once

// The places a birth can be given at: the mainland's municipalities and prefecture-level units,
// Hong Kong, Macau, Taiwan's cities and counties and cities abroad with large Chinese
// communities, each with the time zone its clocks kept and the longitude that true solar time
// needs. The table is written by tools/places from GeoNames and the national division list.

#include <QDate>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <span>

namespace calendar {

struct Place
{
    const char *name;    // as shown, marked for translation in the context "Places"
    const char *region;  // its province or country, to tell it apart and to search by
    const char *country; // ISO 3166 code: CN for the mainland, HK, MO, TW, SG …
    const char *zone;    // IANA time zone
    double longitude;    // degrees east
    double latitude;     // degrees north
};

std::span<const Place> places();

// The place whose untranslated name is `name`; nothing for an unknown name.
const Place *placeNamed(QStringView name);

// Places whose shown name or region contains `typed`, places whose name begins with it first;
// empty for an empty text.
QList<const Place *> findPlaces(QStringView typed);

QString placeName(const Place &place);
QString placeRegion(const Place &place);
QTimeZone placeZone(const Place &place);

// Before Beijing time was kept across the mainland (from 1 October 1949), its clocks followed
// several zones and often local time: a typed birth time there may not be Beijing time.
enum class ClockNote { None, LocalClocksDiffered };
ClockNote clockNote(const Place &place, QDate birth);

} // namespace calendar
