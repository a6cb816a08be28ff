#include "platform/printing/fixed_printer.h"

#include "platform/failure.h"
#include "platform/graphics/canvas.h"

#include <QPainter>

#include <algorithm>

#include <utility>

namespace lumoria::platform {

// Paints each page onto a white picture of the printable area and hands it to the printer's list.
class FixedPrintJob final : public PrintDocument {
public:
    FixedPrintJob(FixedPrinter& printer, const QString& title) : m_printer(printer)
    {
        if (m_printer.m_refuse)
            throw PrinterError("The printer " + printer.name().toStdString() + " did not start the print job");
        m_index = m_printer.m_documents.size();
        m_printer.m_documents.push_back(PrintedDocument{title, printer.m_values, {}, false});
        if (m_printer.onBeginDoc)
            m_printer.onBeginDoc();
        StartPage();
    }
    ~FixedPrintJob() override { FinishPage(); }

    Canvas& GetCanvas() override { return *m_canvas; }

    void NewPage() override
    {
        if (m_printer.onNewPage)
            m_printer.onNewPage();
        const int pages = int(document().pages.size()) + (m_painter.isActive() ? 1 : 0);
        if (m_printer.m_refuseAfter >= 0 && pages >= m_printer.m_refuseAfter)
            throw PrinterError("The printer " + m_printer.name().toStdString() + " did not take a new page");
        FinishPage();
        StartPage();
    }

    void EndDoc() override
    {
        FinishPage();
        document().ended = true;
        if (m_printer.onEndDoc)
            m_printer.onEndDoc();
    }

private:
    PrintedDocument& document() { return m_printer.m_documents[m_index]; }

    void StartPage()
    {
        const Rect clip = document().values.clip;
        m_page = QImage(std::max(clip.Right, 1), std::max(clip.Bottom, 1), QImage::Format_RGB32);
        m_page.fill(Qt::white);
        m_painter.begin(&m_page);
        m_canvas = std::make_unique<Canvas>(m_painter, clip, true);
    }

    void FinishPage()
    {
        if (!m_painter.isActive())
            return;
        m_canvas.reset();
        m_painter.end();
        document().pages.push_back(std::exchange(m_page, QImage()));
    }

    FixedPrinter& m_printer;
    std::size_t m_index = 0;
    QImage m_page;
    QPainter m_painter;
    std::unique_ptr<Canvas> m_canvas;
};

FixedPrinter::FixedPrinter(QString name, const PrinterDeviceValues& values)
    : m_name(std::move(name)), m_values(values)
{
}

void FixedPrinter::SetPortrait()
{
    PrinterDeviceValues& v = m_values;
    if (v.physicalWidth <= v.physicalHeight)
        return;
    std::swap(v.physicalWidth, v.physicalHeight);
    std::swap(v.physicalOffsetX, v.physicalOffsetY);
    std::swap(v.dpiX, v.dpiY);
    v.clip = Rect{v.clip.Top, v.clip.Left, v.clip.Bottom, v.clip.Right};
}

std::unique_ptr<PrintDocument> FixedPrinter::BeginDoc(const QString& title)
{
    return std::make_unique<FixedPrintJob>(*this, title);
}

FixedPrinter& FixedPrinterSystem::addPrinter(const QString& name, const PrinterDeviceValues& values)
{
    m_printers.push_back(std::make_unique<FixedPrinter>(name, values));
    return *m_printers.back();
}

QStringList FixedPrinterSystem::installedPrinters() const
{
    QStringList names;
    for (const auto& printer : m_printers)
        names << printer->name();
    return names;
}

Printer& FixedPrinterSystem::currentPrinter()
{
    if (m_printers.empty())
        throw PrinterError();
    return *m_printers[m_current];
}

bool FixedPrinterSystem::selectPrinter(const QString& name)
{
    for (std::size_t i = 0; i < m_printers.size(); ++i) {
        if (m_printers[i]->name() == name) {
            m_current = i;
            return true;
        }
    }
    return false;
}

bool FixedPrinterSystem::runPrintDialog(QWidget*, int lastPage, PageRange& range)
{
    ++printDialogRuns;
    range = PageRange{};
    return printDialogAnswer ? printDialogAnswer(lastPage, range) : true;
}

bool FixedPrinterSystem::runPageSetupDialog(QWidget*)
{
    ++pageSetupRuns;
    return pageSetupAnswer ? pageSetupAnswer() : true;
}

} // namespace lumoria::platform
