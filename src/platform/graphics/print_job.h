#pragma once
// A document being printed: BeginDoc at creation, NewPage between pages, EndDoc at the end (or when
// the job is destroyed). Its canvas covers the printable area in device pixels, origin at the
// printable corner, and is marked as a printer's canvas.
#include "platform/graphics/canvas.h"
#include "platform/printing/qt_printer.h"

#include <QPainter>
#include <QString>

#include <memory>

namespace lumoria::platform {

class PrintJob {
public:
    // Raises PrinterError when the printer does not start the document.
    PrintJob(QtPrinter& printer, const QString& title);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    Canvas& GetCanvas() { return *m_canvas; }
    void NewPage();
    void EndDoc();
    bool Printing() const { return m_painter.isActive(); }

private:
    QtPrinter& m_printer;
    QPainter m_painter;
    std::unique_ptr<Canvas> m_canvas;
};

} // namespace lumoria::platform
