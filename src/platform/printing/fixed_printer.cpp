#include "platform/printing/fixed_printer.h"

#include "platform/failure.h"

namespace lumoria::platform {

FixedPrinter::FixedPrinter(QString name, const PrinterDeviceValues& values)
    : m_name(std::move(name)), m_values(values)
{
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

} // namespace lumoria::platform
