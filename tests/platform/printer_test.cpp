#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/printing/cups_queue.h"
#include "platform/printing/fixed_printer.h"
#include "platform/printing/qt_printer.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>

#include "common/modal_helper.h"
#include "support/test_files.h"

using namespace lumoria;
using namespace lumoria::platform;

// The CUPS queue "PDF" (cups-pdf) that the test script starts: A4 with no hardware margins, printed at
// the 300 dpi its PPD names as default (not Qt's fixed 1200 of its high-resolution mode).
TEST(QtPrinters, TheCupsPdfQueueGivesItsDeviceValuesWhateverTheMarginsAndUnknownPrintersAreNotSelected)
{
    QtPrinterSystem system;
    ASSERT_TRUE(system.installedPrinters().contains("PDF")) << "start CUPS with scripts/start-cups.sh";
    ASSERT_TRUE(system.selectPrinter("PDF"));
    Printer& printer = system.currentPrinter();
    EXPECT_EQ(printer.name(), "PDF");
    const PrinterDeviceValues v = printer.deviceValues();
    EXPECT_EQ(v.technology, kTechnologyRasterPrinter);
    EXPECT_EQ(v.dpiX, 300);
    EXPECT_EQ(v.dpiY, 300);
    EXPECT_EQ(v.physicalWidth, 2479);
    EXPECT_EQ(v.physicalHeight, 3508);
    EXPECT_EQ(v.physicalOffsetX, 0);
    EXPECT_EQ(v.physicalOffsetY, 0);
    EXPECT_EQ(v.clip, (Rect{0, 0, 2479, 3508}));
    // The printable area ignores margins set elsewhere: Qt's own default is 10 mm all round; a dialog
    // may set others. The painter sees the same area.
    auto& qtPrinter = static_cast<QtPrinter&>(printer);
    qtPrinter.qprinter().setPageMargins(QMarginsF(20, 15, 5, 30), QPageLayout::Millimeter);
    const PrinterDeviceValues m = qtPrinter.deviceValues();
    EXPECT_EQ(QPoint(m.physicalOffsetX, m.physicalOffsetY), QPoint(0, 0));
    EXPECT_EQ(m.clip, (Rect{0, 0, 2479, 3508}));
    EXPECT_EQ(QSize(qtPrinter.qprinter().width(), qtPrinter.qprinter().height()), QSize(2479, 3508));
    // Unknown printers are not selected.
    EXPECT_FALSE(system.selectPrinter("No Such Printer"));
    EXPECT_EQ(system.currentPrinter().name(), "PDF");
}

TEST(CupsQueues, ResolutionTextsGiveTheFinerAxisInDotsPerInch)
{
    const struct {
        const char* text;
        int dpi;
    } cases[] = {
        {"600dpi", 600},     {"300x600dpi", 600}, {"600x300dpi", 600}, {"118dpcm", 300}, {" 1200DPI ", 1200},
        {"600", 0},          {"dpi", 0},          {"0dpi", 0},         {"-300dpi", 0},   {"300x600x900dpi", 0},
        {"axbdpi", 0},       {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseResolution(c.text), c.dpi) << c.text;
}

// The user's own options for the queue come before the queue's PPD default.
TEST(CupsQueues, TheUsersOptionsNameTheResolutionBeforeThePpd)
{
    ASSERT_TRUE(QtPrinterSystem().installedPrinters().contains("PDF")) << "start CUPS with scripts/start-cups.sh";
    EXPECT_EQ(QueueResolution("PDF"), 300);
    EXPECT_EQ(QueueHighestResolution("PDF"), 2400);
    const QString options = QDir::homePath() + "/.cups/lpoptions";
    test::writeFile(options, "Dest PDF Resolution=600dpi\n");
    EXPECT_EQ(QueueResolution("PDF"), 600);
    QtPrinterSystem system;
    ASSERT_TRUE(system.selectPrinter("PDF"));
    EXPECT_EQ(system.currentPrinter().deviceValues().dpiX, 600);
    QFile::remove(options);
    EXPECT_EQ(QueueResolution("NoSuchQueue"), kFallbackResolution);
}

TEST(CupsQueues, RefusalsNameTheirCauseInPortuguese)
{
    EXPECT_EQ(RefusalReason(IPP_STATUS_ERROR_NOT_FOUND, "Foto", "The printer or class does not exist.", ""),
              QStringLiteral("A Impressora \"Foto\" Não Existe Mais No Sistema."));
    EXPECT_EQ(RefusalReason(IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS, "Foto", "not accepting", "Sem papel"),
              QStringLiteral("A Impressora \"Foto\" Não Está Aceitando Trabalhos. Motivo: Sem papel"));
    EXPECT_EQ(RefusalReason(IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS, "Foto", "not accepting", " "),
              QStringLiteral("A Impressora \"Foto\" Não Está Aceitando Trabalhos."));
    EXPECT_EQ(RefusalReason(IPP_STATUS_ERROR_BAD_REQUEST, "Foto", "Bad request", ""),
              QStringLiteral("O Serviço De Impressão (CUPS) Recusou o Trabalho: Bad request"));
}

// A second printer for this process only: an instance of the queue "PDF" in the user's CUPS options.
class CupsInstance {
public:
    CupsInstance() { test::writeFile(m_file, "Dest PDF/fotos media=Letter\n"); }
    ~CupsInstance() { QFile::remove(m_file); }

private:
    QString m_file = test::home() + "/.cups/lpoptions";
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

TEST(PrinterSystem, TheSystemsPrintersByDefaultAScopedSystemWhileItLives)
{
    PrinterSystem& before = printerSystem();
    EXPECT_NE(dynamic_cast<QtPrinterSystem*>(&before), nullptr);
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

TEST(Rect, ConvertsToAndFromQtRectangles)
{
    EXPECT_EQ(fromQRect(QRect(10, 20, 30, 40)), (Rect{10, 20, 40, 60}));
    const QRect q = toQRect(Rect{10, 20, 40, 60});
    EXPECT_EQ(q, QRect(10, 20, 30, 40));
    EXPECT_EQ(q.right(), 39); // Qt's right edge is inside the rectangle
}
