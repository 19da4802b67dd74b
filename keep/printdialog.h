#pragma once

// The print dialog and the printer live in a module of their own, lorvex2004-print, loaded from
// the executable's folder when the user first prints: Qt Print Support then comes with it, and
// the start-up does not load it (about 0.3 MiB resident at the first frame, and its relocations).
// The program and the module share only this header.

#include "keep/cardfiles.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

struct PrintRequest
{
    QWidget *parent = nullptr;
    QString documentName;
    // Puts the reading on the pages of the printer the user chose.
    std::function<KeepResult(QPagedPaintDevice &printer, const QString &printerName,
                             int resolution)>
        print;
};

// Asks the user for a printer and prints on it. Returns false if the user closed the dialog;
// `result` then says nothing.
using PrintWithDialog = bool (*)(const PrintRequest &request, KeepResult &result);
inline constexpr char kPrintModule[] = "lorvex2004-print";
inline constexpr char kPrintWithDialog[] = "lorvexPrintWithDialog";
