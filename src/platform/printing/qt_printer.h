#pragma once
// Printers through Qt PrintSupport (CUPS on Linux).
#include "platform/printing/printer.h"

#include <QPrinter>

#include <memory>

namespace lumoria::platform {

class QtPrinter : public Printer {
public:
    explicit QtPrinter(const QString& printerName);

    QString name() const override;
    // Reads the values after spreading the page over the whole printable area (see useWholePrintableArea).
    PrinterDeviceValues deviceValues() override;
    void SetPortrait() override;
    std::unique_ptr<PrintDocument> BeginDoc(const QString& title) override;

    // The Qt printer itself, for the print dialogs and for painting.
    QPrinter& qprinter() { return m_printer; }
    // Sets the page margins to the printer's minimum margins. Qt otherwise keeps margins of its own
    // choosing, and the page rectangle would not be the printable area of the device.
    void useWholePrintableArea();

private:
    QPrinter m_printer;
};

class QtPrinterSystem : public PrinterSystem {
public:
    QStringList installedPrinters() const override;
    // The system's default printer, or the first installed one when there is no default.
    Printer& currentPrinter() override;
    bool selectPrinter(const QString& name) override;
    // QPrintDialog over the current printer's QPrinter.
    bool runPrintDialog(QWidget* owner, int lastPage, PageRange& range) override;
    // Qt's page set-up covers the paper only: with more than one printer installed, the printer to set
    // up is asked first (choosePrinterToSetUp). Another printer becomes the current one only when its
    // page set-up is accepted.
    bool runPageSetupDialog(QWidget* owner) override;

private:
    std::unique_ptr<QtPrinter> m_current;
};

// Asks which of the printers named to set up, chosen offered first; the answer goes into chosen.
// False (chosen unchanged) when cancelled.
bool choosePrinterToSetUp(QWidget* owner, const QStringList& names, QString& chosen);

} // namespace lumoria::platform
