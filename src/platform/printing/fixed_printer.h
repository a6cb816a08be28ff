#pragma once
// Printers whose device values are whatever the caller says, and that print onto pictures kept in
// memory: for tests of everything that reads printer geometry or prints, without a real printer. The
// print and page set-up dialogs answer as the test tells them.
#include "platform/printing/printer.h"

#include <QImage>

#include <functional>
#include <vector>

namespace lumoria::platform {

// One document as the printer received it.
struct PrintedDocument {
    QString title;
    PrinterDeviceValues values;  // as the document began
    std::vector<QImage> pages;   // each the printable area, white where nothing was drawn
    bool ended = false;
};

class FixedPrinter : public Printer {
public:
    FixedPrinter(QString name, const PrinterDeviceValues& values);
    QString name() const override { return m_name; }
    PrinterDeviceValues deviceValues() override { return m_values; }
    void setDeviceValues(const PrinterDeviceValues& values) { m_values = values; }
    // A sheet lying wider than high is turned upright: both axes swap.
    void SetPortrait() override;
    std::unique_ptr<PrintDocument> BeginDoc(const QString& title) override;

    // What was printed, oldest first.
    const std::vector<PrintedDocument>& documents() const { return m_documents; }
    // Refuses documents from now on, or refuses the new page after the given number of pages (-1:
    // takes every page).
    void refuseDocuments(bool refuse) { m_refuse = refuse; }
    void refuseNewPageAfter(int pages) { m_refuseAfter = pages; }
    // Run as the document begins, before each new page and as it ends (tests look at the windows).
    std::function<void()> onBeginDoc;
    std::function<void()> onNewPage;
    std::function<void()> onEndDoc;

private:
    friend class FixedPrintJob;
    QString m_name;
    PrinterDeviceValues m_values;
    std::vector<PrintedDocument> m_documents;
    bool m_refuse = false;
    int m_refuseAfter = -1;
};

// The first printer added is the current one until another is selected.
class FixedPrinterSystem : public PrinterSystem {
public:
    FixedPrinter& addPrinter(const QString& name, const PrinterDeviceValues& values);

    QStringList installedPrinters() const override;
    Printer& currentPrinter() override;
    bool selectPrinter(const QString& name) override;

    // Without an answer set, the print dialog is accepted with no range and the page set-up is
    // accepted with no change. The answers may select another printer or change its values.
    bool runPrintDialog(QWidget* owner, int lastPage, PageRange& range) override;
    bool runPageSetupDialog(QWidget* owner) override;
    std::function<bool(int lastPage, PageRange& range)> printDialogAnswer;
    std::function<bool()> pageSetupAnswer;
    int printDialogRuns = 0;
    int pageSetupRuns = 0;

private:
    std::vector<std::unique_ptr<FixedPrinter>> m_printers;
    std::size_t m_current = 0;
};

} // namespace lumoria::platform
