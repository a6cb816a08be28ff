#include "platform/printing/qt_print_job.h"

#include "platform/failure.h"

namespace lumoria::platform {

QtPrintJob::QtPrintJob(QtPrinter& printer, const QString& title) : m_printer(printer)
{
    // The device values are read before the document starts: the page layout is fixed from then on.
    const PrinterDeviceValues values = printer.deviceValues();
    QPrinter& q = printer.qprinter();
    q.setDocName(title);
    q.setFullPage(false);
    if (!m_painter.begin(&q))
        throw PrinterError("The printer " + printer.name().toStdString() + " did not start the print job");
    m_canvas = std::make_unique<Canvas>(m_painter, values.clip, true);
}

QtPrintJob::~QtPrintJob()
{
    if (m_painter.isActive())
        m_painter.end();
}

void QtPrintJob::NewPage()
{
    if (!m_painter.isActive() || !m_printer.qprinter().newPage())
        throw PrinterError("The printer " + m_printer.name().toStdString() + " did not take a new page");
}

void QtPrintJob::EndDoc()
{
    if (m_painter.isActive() && !m_painter.end())
        throw PrinterError("The printer " + m_printer.name().toStdString() + " did not finish the print job");
}

} // namespace lumoria::platform
