#include "platform/graphics/print_job.h"

#include "platform/failure.h"

namespace lumoria::platform {

PrintJob::PrintJob(QtPrinter& printer, const QString& title) : m_printer(printer)
{
    // The device values are read before the document starts: the page layout is fixed from then on.
    const PrinterDeviceValues values = printer.deviceValues();
    QPrinter& q = printer.qprinter();
    q.setDocName(title);
    q.setFullPage(false);
    if (!m_painter.begin(&q))
        throw PrinterError();
    m_canvas = std::make_unique<Canvas>(m_painter, values.clip, true);
}

PrintJob::~PrintJob()
{
    if (m_painter.isActive())
        m_painter.end();
}

void PrintJob::NewPage()
{
    if (m_painter.isActive())
        m_printer.qprinter().newPage();
}

void PrintJob::EndDoc()
{
    if (m_painter.isActive())
        m_painter.end();
}

} // namespace lumoria::platform
