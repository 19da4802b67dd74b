#include "keep/printdialog.h"

#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT bool lorvexPrintWithDialog(const PrintRequest &request, KeepResult &result)
{
    // Checked where it is compiled: the program finds the function by this name.
    static_assert(std::is_same_v<decltype(&lorvexPrintWithDialog), PrintWithDialog>);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(request.documentName);
    QPrintDialog dialog(&printer, request.parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = request.print(printer, printer.printerName(), printer.resolution());
    return true;
}
