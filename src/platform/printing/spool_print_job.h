#pragma once
// A document printed on a CUPS queue: its pages are drawn into a spool file of our own (PDF, at the
// queue's resolution, on the printer's paper) and the file is handed to CUPS whole when the document
// ends. A document let go before its end (a page that failed to draw) sends nothing, and its spool
// file is removed.
#include "platform/graphics/canvas.h"
#include "platform/printing/qt_printer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QTemporaryFile>

#include <memory>

namespace lumoria::platform {

// Where the spool files are made (the user's cache).
QString SpoolFolder();

class SpoolPrintJob final : public PrintDocument {
public:
    // Raises PrinterError when the spool file cannot be made.
    SpoolPrintJob(QtPrinter& printer, const QString& title);
    ~SpoolPrintJob() override;
    SpoolPrintJob(const SpoolPrintJob&) = delete;
    SpoolPrintJob& operator=(const SpoolPrintJob&) = delete;

    Canvas& GetCanvas() override { return *m_canvas; }
    void NewPage() override;
    // Finishes the spool file and submits it; raises PrintJobNotSent when the queue does not take it.
    void EndDoc() override;

private:
    QtPrinter& m_printer;
    QString m_title;
    QTemporaryFile m_spool;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<Canvas> m_canvas;
};

} // namespace lumoria::platform
