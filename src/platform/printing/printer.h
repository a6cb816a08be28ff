#pragma once
// The printers of the system as the program sees them: a list of installed printers and one current
// printer, whose device values (the GetDeviceCaps-style numbers) drive page geometry. The process keeps
// one printer system; it is the Qt/CUPS one unless a test puts another in place.
#include "platform/rect.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace lumoria::platform {

class Canvas;

// TECHNOLOGY codes of a device.
constexpr int kTechnologyVectorPlotter = 0;
constexpr int kTechnologyRasterDisplay = 1;
constexpr int kTechnologyRasterPrinter = 2;

// What a printer's device context reports, in device pixels and dots per inch.
struct PrinterDeviceValues {
    int technology = kTechnologyRasterPrinter;
    int physicalWidth = 0;   // the whole sheet
    int physicalHeight = 0;
    int physicalOffsetX = 0; // from the sheet's corner to the printable corner
    int physicalOffsetY = 0;
    int dpiX = 0;
    int dpiY = 0;
    Rect clip;               // the printable area, origin at the printable corner
};

// A document being printed: begun by Printer::BeginDoc, a new page between pages, ended by EndDoc
// (or when it is destroyed, which is how an interrupted job is let go). Its canvas covers the
// printable area in device pixels, origin at the printable corner, and is marked as a printer's.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    virtual Canvas& GetCanvas() = 0;
    // Raises PrinterError when the printer does not take the page.
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    // The printer's entry in the list of installed printers.
    virtual QString name() const = 0;
    virtual PrinterDeviceValues deviceValues() = 0;
    // Turns the paper upright; it stays so for the following documents.
    virtual void SetPortrait() = 0;
    // Starts a document under a title. Raises PrinterError (with a message saying so) when the
    // printer does not start it: a job never silently prints nothing.
    virtual std::unique_ptr<PrintDocument> BeginDoc(const QString& title) = 0;
};

// The page range chosen in the print dialog, 1-based; 0 and 0 when the dialog gave no range.
struct PageRange {
    int from = 0;
    int to = 0;
};

class PrinterSystem {
public:
    virtual ~PrinterSystem() = default;
    virtual QStringList installedPrinters() const = 0;
    // The printer the program prints on. Raises PrinterError when none is installed.
    virtual Printer& currentPrinter() = 0;
    // Makes the installed printer of that name the current one; false (and no change) when there is
    // no such printer.
    virtual bool selectPrinter(const QString& name) = 0;

    // The platform's print dialog over the current printer, offering the pages 1 to lastPage as a
    // range only (one copy, no collation, no selection, no file). The printer chosen in it becomes
    // the current one. False when cancelled.
    virtual bool runPrintDialog(QWidget* owner, int lastPage, PageRange& range) = 0;
    // The printer set-up: which printer (when more than one is installed), then its paper and
    // orientation; the printer chosen becomes the current one. False (and no change) when cancelled.
    virtual bool runPageSetupDialog(QWidget* owner) = 0;
};

// The process's printer system.
PrinterSystem& printerSystem();

// Puts another printer system in place for as long as it lives (tests), then restores the previous one.
class ScopedPrinterSystem {
public:
    explicit ScopedPrinterSystem(std::unique_ptr<PrinterSystem> system);
    ~ScopedPrinterSystem();
    ScopedPrinterSystem(const ScopedPrinterSystem&) = delete;
    ScopedPrinterSystem& operator=(const ScopedPrinterSystem&) = delete;

private:
    std::unique_ptr<PrinterSystem> m_previous;
};

} // namespace lumoria::platform
