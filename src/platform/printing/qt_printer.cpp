#include "platform/printing/qt_printer.h"

#include "platform/failure.h"
#include "platform/printing/qt_print_job.h"

#include <algorithm>

#include <QInputDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace lumoria::platform {

QtPrinter::QtPrinter(const QString& printerName) : m_printer(QPrinter::HighResolution)
{
    m_printer.setPrinterName(printerName);
}

QString QtPrinter::name() const { return m_printer.printerName(); }

void QtPrinter::useWholePrintableArea()
{
    const QPageLayout layout = m_printer.pageLayout();
    m_printer.setPageMargins(layout.minimumMargins(), layout.units());
}

PrinterDeviceValues QtPrinter::deviceValues()
{
    useWholePrintableArea();
    const QPageLayout layout = m_printer.pageLayout();
    const int resolution = m_printer.resolution();
    const QRect paper = layout.fullRectPixels(resolution);
    const QRect printable = layout.paintRectPixels(resolution);

    PrinterDeviceValues values;
    values.technology = kTechnologyRasterPrinter;
    values.physicalWidth = paper.width();
    values.physicalHeight = paper.height();
    values.physicalOffsetX = printable.x();
    values.physicalOffsetY = printable.y();
    values.dpiX = m_printer.logicalDpiX();
    values.dpiY = m_printer.logicalDpiY();
    values.clip = Rect{0, 0, printable.width(), printable.height()};
    return values;
}

void QtPrinter::SetPortrait() { m_printer.setPageOrientation(QPageLayout::Portrait); }

std::unique_ptr<PrintDocument> QtPrinter::BeginDoc(const QString& title)
{
    return std::make_unique<QtPrintJob>(*this, title);
}

QStringList QtPrinterSystem::installedPrinters() const { return QPrinterInfo::availablePrinterNames(); }

Printer& QtPrinterSystem::currentPrinter()
{
    if (!m_current) {
        const QStringList names = installedPrinters();
        if (names.isEmpty())
            throw PrinterError();
        const QString defaultName = QPrinterInfo::defaultPrinterName();
        m_current = std::make_unique<QtPrinter>(names.contains(defaultName) ? defaultName : names.first());
    }
    return *m_current;
}

bool QtPrinterSystem::selectPrinter(const QString& name)
{
    if (!installedPrinters().contains(name))
        return false;
    m_current = std::make_unique<QtPrinter>(name);
    return true;
}

bool QtPrinterSystem::runPrintDialog(QWidget* owner, int lastPage, PageRange& range)
{
    QPrinter& printer = static_cast<QtPrinter&>(currentPrinter()).qprinter();
    lastPage = std::max(lastPage, 1);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, lastPage);
    QPrintDialog dialog(&printer, owner);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, lastPage);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    range = PageRange{};
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        range.from = printer.fromPage();
        range.to = printer.toPage();
    }
    return true;
}

bool QtPrinterSystem::runPageSetupDialog(QWidget* owner)
{
    QtPrinter& current = static_cast<QtPrinter&>(currentPrinter());
    const QStringList names = installedPrinters();
    QString chosen = current.name();
    if (names.size() > 1 && !choosePrinterToSetUp(owner, names, chosen))
        return false;
    if (chosen == current.name()) {
        QPageSetupDialog dialog(&current.qprinter(), owner);
        return dialog.exec() == QDialog::Accepted;
    }
    // A cancelled set-up changes nothing: the other printer is set up aside and only then made current.
    auto candidate = std::make_unique<QtPrinter>(chosen);
    QPageSetupDialog dialog(&candidate->qprinter(), owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_current = std::move(candidate);
    return true;
}

bool choosePrinterToSetUp(QWidget* owner, const QStringList& names, QString& chosen)
{
    QInputDialog dialog(owner);
    // Every text the operator reads is Portuguese, Qt's own dialogs too (their catalogue is loaded at start).
    dialog.setWindowTitle(QStringLiteral("Configurar Impressora"));
    dialog.setLabelText(QStringLiteral("Impressora:"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setComboBoxItems(names);
    dialog.setComboBoxEditable(false);
    dialog.setTextValue(names.contains(chosen) ? chosen : names.value(0));
    if (dialog.exec() != QDialog::Accepted || !names.contains(dialog.textValue()))
        return false;
    chosen = dialog.textValue();
    return true;
}

} // namespace lumoria::platform
