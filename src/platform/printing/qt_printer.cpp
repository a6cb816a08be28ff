#include "platform/printing/qt_printer.h"

#include "platform/failure.h"
#include "platform/printing/spool_print_job.h"

#include <algorithm>

#include <QInputDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QPushButton>

namespace lumoria::platform {

namespace {

// The options chosen in the print dialog's properties, as name and value in turn. Qt keeps them as a
// property of its CUPS print engine under this key (QCUPSSupport's PPK_CupsOptions).
constexpr auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList DialogOptions(QPrinter& printer)
{
    QPrintEngine* engine = printer.printEngine();
    return engine ? engine->property(kCupsOptionsKey).toStringList() : QStringList();
}

void SetOption(JobOptions& options, const QByteArray& name, const QByteArray& value)
{
    for (auto& option : options) {
        if (option.first == name) {
            option.second = value;
            return;
        }
    }
    options.append({name, value});
}

} // namespace

QtPrinter::QtPrinter(const QString& printerName)
{
    m_printer.setPrinterName(printerName);
    useQueueResolution();
}

void QtPrinter::useQueueResolution()
{
    int dpi = 0;
    const QStringList options = DialogOptions(m_printer);
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options[i] == QStringLiteral("Resolution"))
            dpi = ParseResolution(options[i + 1].toUtf8());
    m_printer.setResolution(dpi > 0 ? dpi : QueueResolution(name()));
}

JobOptions QtPrinter::jobOptions() const
{
    QPrinter& printer = const_cast<QPrinter&>(m_printer);
    JobOptions options;
    const QStringList chosen = DialogOptions(printer);
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        if (!chosen[i].isEmpty() && !chosen[i + 1].isEmpty())
            SetOption(options, chosen[i].toUtf8(), chosen[i + 1].toUtf8());
    const int copies = std::max(1, printer.copyCount());
    SetOption(options, "copies", QByteArray::number(copies));
    if (copies > 1)
        SetOption(options, "collate", printer.collateCopies() ? "true" : "false");
    // The queue's name for the paper (a PPD size's own key, or Custom.WxHmm), so that CUPS neither
    // scales the pages nor puts them on its default paper.
    SetOption(options, "media", printer.pageLayout().pageSize().key().toUtf8());
    const bool resolutionNamed =
        std::any_of(options.cbegin(), options.cend(), [](const auto& o) { return o.first == "Resolution"; });
    if (!resolutionNamed)
        SetOption(options, "printer-resolution", QByteArray::number(printer.resolution()) + "dpi");
    return options;
}

void QtPrinter::noteSubmitted(int jobId, qint64 spoolBytes)
{
    m_lastJobId = jobId;
    m_lastSpoolBytes = spoolBytes;
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
    return std::make_unique<SpoolPrintJob>(*this, title);
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
    QtPrinter& current = static_cast<QtPrinter&>(currentPrinter());
    QPrinter& printer = current.qprinter();
    lastPage = std::max(lastPage, 1);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, lastPage);
    const QPageLayout layoutBefore = printer.pageLayout();
    const QString printerBefore = printer.printerName();
    QPrintDialog dialog(&printer, owner);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(1, lastPage);
    // Qt's dialog puts the queue's default paper back on the printer even when its properties were
    // never opened, which would undo the paper chosen in the printer set-up.
    bool propertiesOpened = false;
    if (auto* properties = dialog.findChild<QPushButton*>(QStringLiteral("properties")))
        QObject::connect(properties, &QPushButton::clicked, &dialog, [&propertiesOpened] { propertiesOpened = true; });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!propertiesOpened && printer.printerName() == printerBefore)
        printer.setPageLayout(layoutBefore);
    current.useQueueResolution();
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
