#include "platform/printing/printer.h"

#include "platform/printing/qt_printer.h"

namespace lumoria::platform {

namespace {

std::unique_ptr<PrinterSystem>& installed()
{
    static std::unique_ptr<PrinterSystem> system;
    return system;
}

} // namespace

PrinterSystem& printerSystem()
{
    auto& system = installed();
    if (!system)
        system = std::make_unique<QtPrinterSystem>();
    return *system;
}

ScopedPrinterSystem::ScopedPrinterSystem(std::unique_ptr<PrinterSystem> system)
    : m_previous(std::move(installed()))
{
    installed() = std::move(system);
}

ScopedPrinterSystem::~ScopedPrinterSystem() { installed() = std::move(m_previous); }

} // namespace lumoria::platform
