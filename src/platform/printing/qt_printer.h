#pragma once
// Printers through Qt PrintSupport (CUPS on Linux): Qt for the dialogs and the paper, libcups for the
// queue's resolution and for submitting the jobs.
#include "platform/printing/cups_queue.h"
#include "platform/printing/printer.h"

#include <QPrinter>

#include <memory>

namespace lumoria::platform {

class QtPrinter : public Printer {
public:
    // Prints at the queue's own resolution (QueueResolution).
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
    // Takes the resolution the queue prints at, or the one named in the print dialog's options.
    void useQueueResolution();

    // What a job is handed to CUPS with: the print dialog's options, the copies and their
    // collation, the paper and the resolution.
    JobOptions jobOptions() const;
    // The last job handed to CUPS: its id and the bytes of its spool file.
    void noteSubmitted(int jobId, qint64 spoolBytes);
    int lastJobId() const { return m_lastJobId; }
    qint64 lastSpoolBytes() const { return m_lastSpoolBytes; }

private:
    QPrinter m_printer;
    int m_lastJobId = 0;
    qint64 m_lastSpoolBytes = 0;
};

class QtPrinterSystem : public PrinterSystem {
public:
    QStringList installedPrinters() const override;
    // The system's default printer, or the first installed one when there is no default.
    Printer& currentPrinter() override;
    bool selectPrinter(const QString& name) override;
    // QPrintDialog over the current printer's QPrinter, with the queue's properties (paper,
    // resolution and its other options). The paper and orientation in force before the dialog stay
    // unless they were changed in its properties.
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
