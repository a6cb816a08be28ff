#include "platform/printing/document_printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "platform/failure.h"

namespace lumoria::platform {

bool printDocumentWithDialog(QTextDocument& document, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw Failure("The document could not be printed on " + printer.printerName().toStdString());
    return true;
}

} // namespace lumoria::platform
