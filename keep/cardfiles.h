#pragma once

// Where a kept reading goes: a picture file, a PDF, a printer. Each file is written whole or not
// at all (a temporary file beside it, renamed at the end), and a failure comes back as a message
// that names the path and the system's reason.

#include "keep/readingcard.h"

#include <QString>

class QPagedPaintDevice;

struct KeepResult
{
    bool ok = true;
    QString message; // for the user, when not ok
};

// The card at twice our pixel size, as PNG.
KeepResult writeCardPicture(const KeptReading &reading, QDate day, const QString &path);

// The card on one A5 page, its text as text (selectable, searchable), the picture embedded.
KeepResult writeCardPdf(const KeptReading &reading, QDate day, const QString &path);

// The card on the printer's first page, at the printer's resolution (dots per inch).
KeepResult printCard(const KeptReading &reading, QDate day, QPagedPaintDevice &printer,
                     const QString &printerName, int resolution);

// A file name made from the reading's stem: characters no file system takes become "_".
QString defaultFileName(const KeptReading &reading, const QString &suffix);
