#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/printing/fixed_printer.h"
#include "platform/printing/qt_printer.h"

#include <QMarginsF>
#include <QPageLayout>

using namespace lumoria;
using namespace lumoria::platform;

// The CUPS queue "PDF" (cups-pdf) that the test script starts: A4 at 1200 dpi with no hardware margins.
TEST(QtPrinters, TheCupsPdfQueueGivesItsDeviceValues)
{
    QtPrinterSystem system;
    ASSERT_TRUE(system.installedPrinters().contains("PDF")) << "start CUPS with scripts/start-cups.sh";
    ASSERT_TRUE(system.selectPrinter("PDF"));
    Printer& printer = system.currentPrinter();
    EXPECT_EQ(printer.name(), "PDF");
    const PrinterDeviceValues v = printer.deviceValues();
    EXPECT_EQ(v.technology, kTechnologyRasterPrinter);
    EXPECT_EQ(v.dpiX, 1200);
    EXPECT_EQ(v.dpiY, 1200);
    EXPECT_EQ(v.physicalWidth, 9917);
    EXPECT_EQ(v.physicalHeight, 14033);
    EXPECT_EQ(v.physicalOffsetX, 0);
    EXPECT_EQ(v.physicalOffsetY, 0);
    EXPECT_EQ(v.clip, (Rect{0, 0, 9917, 14033}));
}

TEST(QtPrinters, ThePrintableAreaIgnoresMarginsSetElsewhere)
{
    QtPrinterSystem system;
    ASSERT_TRUE(system.selectPrinter("PDF"));
    auto& printer = static_cast<QtPrinter&>(system.currentPrinter());
    // Qt's own default is 10 mm all round; a dialog may set others.
    printer.qprinter().setPageMargins(QMarginsF(20, 15, 5, 30), QPageLayout::Millimeter);
    const PrinterDeviceValues v = printer.deviceValues();
    EXPECT_EQ(v.physicalOffsetX, 0);
    EXPECT_EQ(v.physicalOffsetY, 0);
    EXPECT_EQ(v.clip, (Rect{0, 0, 9917, 14033}));
    // The painter sees the same area.
    EXPECT_EQ(printer.qprinter().width(), 9917);
    EXPECT_EQ(printer.qprinter().height(), 14033);
}

TEST(QtPrinters, UnknownPrintersAreNotSelected)
{
    QtPrinterSystem system;
    ASSERT_TRUE(system.selectPrinter("PDF"));
    EXPECT_FALSE(system.selectPrinter("No Such Printer"));
    EXPECT_EQ(system.currentPrinter().name(), "PDF");
}

TEST(PrinterSystem, AScopedSystemIsUsedAndThenReplacedByThePreviousOne)
{
    PrinterSystem& before = printerSystem();
    {
        auto fixed = std::make_unique<FixedPrinterSystem>();
        PrinterDeviceValues v;
        v.dpiX = v.dpiY = 600;
        fixed->addPrinter("Test", v);
        ScopedPrinterSystem scope(std::move(fixed));
        EXPECT_NE(&printerSystem(), &before);
        EXPECT_EQ(printerSystem().installedPrinters(), QStringList{"Test"});
        EXPECT_EQ(printerSystem().currentPrinter().deviceValues().dpiX, 600);
        {
            ScopedPrinterSystem empty(std::make_unique<FixedPrinterSystem>());
            EXPECT_TRUE(printerSystem().installedPrinters().isEmpty());
            EXPECT_THROW(printerSystem().currentPrinter(), PrinterError);
        }
        EXPECT_EQ(printerSystem().installedPrinters(), QStringList{"Test"});
    }
    EXPECT_EQ(&printerSystem(), &before);
}

TEST(PrinterSystem, ByDefaultItIsTheSystemsPrinters)
{
    EXPECT_NE(dynamic_cast<QtPrinterSystem*>(&printerSystem()), nullptr);
}

TEST(Rect, ConvertsToAndFromQtRectangles)
{
    EXPECT_EQ(fromQRect(QRect(10, 20, 30, 40)), (Rect{10, 20, 40, 60}));
    const QRect q = toQRect(Rect{10, 20, 40, 60});
    EXPECT_EQ(q, QRect(10, 20, 30, 40));
    EXPECT_EQ(q.right(), 39); // Qt's right edge is inside the rectangle
}
