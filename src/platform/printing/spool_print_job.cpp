#include "platform/printing/spool_print_job.h"

#include "platform/failure.h"
#include "platform/printing/cups_queue.h"

#include <QDir>
#include <QStandardPaths>

namespace lumoria::platform {

// On disk under the user's cache rather than in /tmp, which is often memory: a job of many photos at
// a printer's finest resolution spools hundreds of megabytes.
QString SpoolFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/lumoria/spool");
}

namespace {

QString SpoolTemplate()
{
    QDir().mkpath(SpoolFolder());
    return SpoolFolder() + QStringLiteral("/job-XXXXXX.pdf");
}

} // namespace

SpoolPrintJob::SpoolPrintJob(QtPrinter& printer, const QString& title)
    : m_printer(printer), m_title(title), m_spool(SpoolTemplate())
{
    // The device values are read before the document starts: the page layout is fixed from then on.
    const PrinterDeviceValues values = printer.deviceValues();
    if (!m_spool.open())
        throw PrinterError("The spool file for " + printer.name().toStdString() + " could not be made: " +
                           m_spool.errorString().toStdString());
    m_writer = std::make_unique<QPdfWriter>(&m_spool);
    m_writer->setTitle(title);
    m_writer->setCreator(title);
    m_writer->setResolution(printer.qprinter().resolution());
    m_writer->setPageLayout(printer.qprinter().pageLayout());
    if (!m_painter.begin(m_writer.get()))
        throw PrinterError("The printer " + printer.name().toStdString() + " did not start the print job");
    m_canvas = std::make_unique<Canvas>(m_painter, values.clip, true);
}

SpoolPrintJob::~SpoolPrintJob()
{
    // Not ended: nothing is sent, and the spool file goes with m_spool.
    m_canvas.reset();
    if (m_painter.isActive())
        m_painter.end();
}

void SpoolPrintJob::NewPage()
{
    if (!m_painter.isActive() || !m_writer->newPage())
        throw PrinterError("The printer " + m_printer.name().toStdString() + " did not take a new page");
}

void SpoolPrintJob::EndDoc()
{
    if (!m_painter.isActive())
        return;
    m_canvas.reset();
    if (!m_painter.end() || !m_spool.flush())
        throw PrinterError("The spool file for " + m_printer.name().toStdString() + " could not be written: " +
                           m_spool.errorString().toStdString());
    const qint64 bytes = m_spool.size();
    const int job = SubmitPrintFile(m_printer.name(), m_spool.fileName(), m_title, m_printer.jobOptions());
    m_printer.noteSubmitted(job, bytes);
}

} // namespace lumoria::platform
