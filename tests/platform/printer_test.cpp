#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/printing/fixed_printer.h"
#include "platform/printing/qt_printer.h"

#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>

#include "common/modal_helper.h"
#include "support/test_env.h"

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

// A second printer for this process only: an instance of the queue "PDF" in the user's CUPS options.
class CupsInstance {
public:
    CupsInstance()
    {
        QDir().mkpath(m_folder);
        QFile file(m_folder + "/lpoptions");
        if (file.open(QIODevice::WriteOnly))
            file.write("Dest PDF/fotos media=Letter\n");
    }
    ~CupsInstance() { QFile::remove(m_folder + "/lpoptions"); }

private:
    QString m_folder = QString::fromStdString((test::homeDir() / ".cups").string());
};

// With two printers the set-up asks which to set up; another printer is current only once its page
// set-up was accepted.
TEST(QtPrinters, PageSetUpChoosesThePrinterAndACancelledOneChangesNothing)
{
    const CupsInstance fotos;
    for (const bool aceitar : {false, true}) {
        QtPrinterSystem system;
        ASSERT_TRUE(system.selectPrinter("PDF"));
        ASSERT_TRUE(system.installedPrinters().contains("PDF/fotos")) << system.installedPrinters().join(", ").toStdString();
        Printer* antes = &system.currentPrinter();
        bool escolheu = false;
        bool configurou = false;
        test::WhenModal([&](QWidget* modal) {
            auto* escolha = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(escolha, nullptr) << modal->metaObject()->className();
            escolheu = escolha->textValue() == "PDF" && !escolha->isComboBoxEditable();
            escolha->setTextValue("PDF/fotos");
            test::WhenModal([&](QWidget* pagina) {
                auto* dialogo = qobject_cast<QPageSetupDialog*>(pagina);
                ASSERT_NE(dialogo, nullptr) << pagina->metaObject()->className();
                configurou = true;
                aceitar ? dialogo->accept() : dialogo->reject();
            });
            escolha->accept();
        });
        EXPECT_EQ(system.runPageSetupDialog(nullptr), aceitar);
        EXPECT_TRUE(escolheu);
        EXPECT_TRUE(configurou);
        EXPECT_EQ(system.currentPrinter().name(), aceitar ? "PDF/fotos" : "PDF");
        if (!aceitar)
            EXPECT_EQ(&system.currentPrinter(), antes);
    }
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
