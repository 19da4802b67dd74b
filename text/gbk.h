#pragma once

// Code page 936 (GBK) at the edges of the program. The user interface works in QString; bytes
// appear only where a rule counts them (the bone-weight reckoning cuts its inputs by bytes) or
// where a file brings them in.

#include <QByteArray>
#include <QString>

namespace text {

// The GBK form of a text. A character GBK lacks becomes "?", as a Windows program running on
// code page 936 would see it.
QByteArray toGbk(QStringView s);

// Decodes GBK leniently: a malformed or cut double-byte sequence becomes U+FFFD and never
// swallows the bytes that follow it.
QString fromGbk(QByteArrayView bytes);

// True when every character of the text has a GBK form, so that toGbk loses nothing.
bool fitsGbk(QStringView s);

// The first n bytes of a GBK text (all of it when shorter); n below 0 counts as 0.
QByteArray leadingBytes(const QByteArray &bytes, qsizetype n);

} // namespace text
