#include <gtest/gtest.h>

#include "album/printer_geometry.h"
#include "album_test_support.h"
#include "platform/failure.h"
#include "platform/printing/fixed_printer.h"
#include "platform/printing/qt_printer.h"

using namespace lumoria;
using platform::FixedPrinterSystem;
using platform::PrinterDeviceValues;
using platform::ScopedPrinterSystem;

namespace {

// Letter paper on a printer of 600 x 1200 dpi with different margins on every side.
PrinterDeviceValues letter600x1200()
{
    PrinterDeviceValues v;
    v.technology = 2;
    v.physicalWidth = 5100;   // 8.5 in at 600 dpi
    v.physicalHeight = 13200; // 11 in at 1200 dpi
    v.physicalOffsetX = 150;
    v.physicalOffsetY = 240;
    v.dpiX = 600;
    v.dpiY = 1200;
    v.clip = {0, 0, 4800, 12720};
    return v;
}

// Installs a printer system holding the named printers, all with the same values.
std::unique_ptr<ScopedPrinterSystem> printers(std::initializer_list<QString> names,
                                              const PrinterDeviceValues& values = letter600x1200())
{
    auto system = std::make_unique<FixedPrinterSystem>();
    for (const QString& n : names)
        system->addPrinter(n, values);
    return std::make_unique<ScopedPrinterSystem>(std::move(system));
}

} // namespace

TEST(PrinterGeometry, TechnologyNames)
{
    const char* names[] = {"Vector Plotter", "Raster Display", "Raster Printer", "Raster Camera",
                           "Character Stream", "Metafile", "Display file"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(NomeDaTecnologiaDoDispositivo(i), names[i]);
    EXPECT_EQ(NomeDaTecnologiaDoDispositivo(7), "Desconhecida");
    EXPECT_EQ(NomeDaTecnologiaDoDispositivo(-1), "Desconhecida");
}

TEST(PrinterGeometry, InstalledPrinterTest)
{
    {
        auto none = printers({});
        EXPECT_FALSE(ExisteImpressoraInstalada());
    }
    auto one = printers({"Laser"});
    EXPECT_TRUE(ExisteImpressoraInstalada());
}

TEST(PrinterGeometry, CharacteristicsAndPageMeasuresOfA600x1200DpiPrinter)
{
    auto scope = printers({"Laser"});
    const CaracteristicasDaImpressora c = ObterCaracteristicasDaImpressora();
    EXPECT_EQ(c.nome, "Laser");
    EXPECT_EQ(c.tecnologia, "Raster Printer");
    EXPECT_EQ(c.porta, "Local");
    EXPECT_EQ(c.larguraFisica, 5100);
    EXPECT_EQ(c.alturaFisica, 13200);
    EXPECT_EQ(c.deslocamentoX, 150);
    EXPECT_EQ(c.deslocamentoY, 240);
    EXPECT_EQ(c.dpiX, 600);
    EXPECT_EQ(c.dpiY, 1200);
    EXPECT_EQ(c.larguraPapelMm, 216); // 215.9
    EXPECT_EQ(c.alturaPapelMm, 279);  // 279.4
    const MedidasDaPaginaDaImpressora m = ObterMedidasDaPaginaDaImpressora();
    EXPECT_NEAR(static_cast<double>(m.larguraImprimivel), 203.2, 1e-12);  // 4800 / 600 in
    EXPECT_NEAR(static_cast<double>(m.alturaImprimivel), 269.24, 1e-12);  // 12720 / 1200 in
    EXPECT_NEAR(static_cast<double>(m.margemEsquerda), 6.35, 1e-12);      // 150 / 600 in
    EXPECT_NEAR(static_cast<double>(m.margemSuperior), 5.08, 1e-12);      // 240 / 1200 in
    EXPECT_NEAR(static_cast<double>(m.margemDireita), 6.35, 1e-12);       // (5100 - 4800 - 150) / 600 in
    EXPECT_NEAR(static_cast<double>(m.margemInferior), 5.08, 1e-12);      // (13200 - 12720 - 240) / 1200 in
}

TEST(PrinterGeometry, MeasuresAreNotRounded)
{
    PrinterDeviceValues v = letter600x1200();
    v.dpiX = v.dpiY = 300;
    v.physicalWidth = 2480;
    v.physicalHeight = 3508;
    v.physicalOffsetX = v.physicalOffsetY = 1;
    v.clip = {0, 0, 2477, 3505};
    auto scope = printers({"Laser"}, v);
    const MedidasDaPaginaDaImpressora m = ObterMedidasDaPaginaDaImpressora();
    EXPECT_NEAR(static_cast<double>(m.larguraImprimivel), 2477 * 25.4 / 300, 1e-12); // 209.7193...
    EXPECT_NEAR(static_cast<double>(m.margemEsquerda), 25.4 / 300, 1e-12);
    EXPECT_NEAR(static_cast<double>(m.margemDireita), 2 * 25.4 / 300, 1e-12);
    const CaracteristicasDaImpressora c = ObterCaracteristicasDaImpressora();
    EXPECT_EQ(c.larguraPapelMm, 210); // 209.97
    EXPECT_EQ(c.alturaPapelMm, 297);  // 297.01
}

TEST(PrinterGeometry, ListEntryWithAPortIsSplit)
{
    const struct {
        QString entry, name, port;
    } cases[] = {
        {"HP LaserJet on LPT1:", "HP LaserJet", "LPT1:"},
        {"Epson ON usb0", "Epson", "usb0"},
        {"Epson oN ne02:", "Epson", "ne02:"},
        {"A on B on C", "A", "B on C"},
        {" on x", "", "x"},
        {"Canon", "Canon", "Local"},
        {"Dragon Printer", "Dragon Printer", "Local"},
        {"Printer on", "Printer on", "Local"},
        {"Impressão on Séries", "Impressão", "Séries"},
    };
    for (const auto& t : cases) {
        auto scope = printers({t.entry});
        const CaracteristicasDaImpressora c = ObterCaracteristicasDaImpressora();
        EXPECT_EQ(c.nome, t.name) << t.entry.toStdString();
        EXPECT_EQ(c.porta, t.port) << t.entry.toStdString();
    }
}

TEST(PrinterGeometry, TheCurrentPrinterIsRead)
{
    auto system = std::make_unique<FixedPrinterSystem>();
    PrinterDeviceValues other = letter600x1200();
    other.technology = 3;
    other.dpiX = other.dpiY = 254;
    system->addPrinter("First", letter600x1200());
    system->addPrinter("Second", other);
    FixedPrinterSystem& fixed = *system;
    ScopedPrinterSystem scope(std::move(system));
    EXPECT_EQ(ObterCaracteristicasDaImpressora().nome, "First");
    ASSERT_TRUE(fixed.selectPrinter("Second"));
    const CaracteristicasDaImpressora c = ObterCaracteristicasDaImpressora();
    EXPECT_EQ(c.nome, "Second");
    EXPECT_EQ(c.tecnologia, "Raster Camera");
    EXPECT_EQ(c.larguraPapelMm, 510); // 5100 / 254 in
    EXPECT_FALSE(fixed.selectPrinter("Third"));
    EXPECT_EQ(ObterCaracteristicasDaImpressora().nome, "Second");
}

TEST(PrinterGeometry, WithoutAPrinterOrItsResolutionTheRoutinesFail)
{
    {
        auto none = printers({});
        EXPECT_THROW(ObterCaracteristicasDaImpressora(), PrinterError);
        EXPECT_THROW(ObterMedidasDaPaginaDaImpressora(), PrinterError);
    }
    PrinterDeviceValues v = letter600x1200();
    v.dpiY = 0;
    auto scope = printers({"Broken"}, v);
    EXPECT_THROW(ObterCaracteristicasDaImpressora(), DivisionByZero);
    EXPECT_THROW(ObterMedidasDaPaginaDaImpressora(), DivisionByZero);
}

TEST(PrinterGeometry, TheCupsPdfQueueThroughQt)
{
    auto system = std::make_unique<platform::QtPrinterSystem>();
    ASSERT_TRUE(system->selectPrinter("PDF")) << "start CUPS with scripts/start-cups.sh";
    ScopedPrinterSystem scope(std::move(system));
    EXPECT_TRUE(ExisteImpressoraInstalada());
    const CaracteristicasDaImpressora c = ObterCaracteristicasDaImpressora();
    EXPECT_EQ(c.nome, "PDF");
    EXPECT_EQ(c.tecnologia, "Raster Printer");
    EXPECT_EQ(c.porta, "Local");
    EXPECT_EQ(c.larguraPapelMm, 210);
    EXPECT_EQ(c.alturaPapelMm, 297);
    const MedidasDaPaginaDaImpressora m = ObterMedidasDaPaginaDaImpressora();
    // At the queue's own 300 dpi.
    EXPECT_NEAR(static_cast<double>(m.larguraImprimivel), 2479 * 25.4 / 300, 1e-9);
    EXPECT_NEAR(static_cast<double>(m.alturaImprimivel), 3508 * 25.4 / 300, 1e-9);
    EXPECT_EQ(m.margemEsquerda, 0);
    EXPECT_EQ(m.margemInferior, 0);
}
