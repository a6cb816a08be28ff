#pragma once
// Printers whose device values are whatever the caller says: for tests of everything that reads
// printer geometry, without a real printer.
#include "platform/printing/printer.h"

#include <vector>

namespace lumoria::platform {

class FixedPrinter : public Printer {
public:
    FixedPrinter(QString name, const PrinterDeviceValues& values);
    QString name() const override { return m_name; }
    PrinterDeviceValues deviceValues() override { return m_values; }
    void setDeviceValues(const PrinterDeviceValues& values) { m_values = values; }

private:
    QString m_name;
    PrinterDeviceValues m_values;
};

// The first printer added is the current one until another is selected.
class FixedPrinterSystem : public PrinterSystem {
public:
    FixedPrinter& addPrinter(const QString& name, const PrinterDeviceValues& values);

    QStringList installedPrinters() const override;
    Printer& currentPrinter() override;
    bool selectPrinter(const QString& name) override;

private:
    std::vector<std::unique_ptr<FixedPrinter>> m_printers;
    std::size_t m_current = 0;
};

} // namespace lumoria::platform
