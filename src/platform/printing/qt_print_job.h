#pragma once
// A document printed through Qt: BeginDoc at creation, NewPage between pages, EndDoc at the end (or
// when the job is destroyed).
#include "platform/graphics/canvas.h"
#include "platform/printing/qt_printer.h"

#include <QPainter>
#include <QString>

#include <memory>

namespace lumoria::platform {

class QtPrintJob final : public PrintDocument {
public:
    // Raises PrinterError when the printer does not start the document.
    QtPrintJob(QtPrinter& printer, const QString& title);
    ~QtPrintJob() override;
    QtPrintJob(const QtPrintJob&) = delete;
    QtPrintJob& operator=(const QtPrintJob&) = delete;

    Canvas& GetCanvas() override { return *m_canvas; }
    void NewPage() override;
    void EndDoc() override;
    bool Printing() const { return m_painter.isActive(); }

private:
    QtPrinter& m_printer;
    QPainter m_painter;
    std::unique_ptr<Canvas> m_canvas;
};

} // namespace lumoria::platform
