// A two-page job printed through the real CUPS queue "PDF" (cups-pdf): the PDF it leaves has two
// pages, and on them, rasterised with pdftoppm, the frames and the red crop marks stand where the
// page drawing puts them.
#include <gtest/gtest.h>

#include "cups_support.h"

#include "album/album_model.h"
#include "album/geometry.h"
#include "platform/printing/printer.h"
#include "platform/printing/qt_printer.h"
#include "support/picture_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

using namespace lumoria;
using namespace lumoria::platform;
using lumoria::test::Near;
using namespace lumoria::test::cups;


TEST(CupsPrinting, TwoPageJobGivesTwoPdfPagesWithFramesAndMarksInPlace)
{
    if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
        GTEST_SKIP() << "no CUPS queue named \"PDF\" (scripts/start-cups.sh adds it)";
    ASSERT_TRUE(printerSystem().selectPrinter(QStringLiteral("PDF")));
    auto* printer = dynamic_cast<QtPrinter*>(&printerSystem().currentPrinter());
    ASSERT_NE(printer, nullptr);
    printer->qprinter().setResolution(kPrinterDpi);
    printer->qprinter().setPageSize(QPageSize(QPageSize::A4));
    printer->qprinter().setPageOrientation(QPageLayout::Portrait);

    // Page 1: four 9 x 12 frames, landscape photos (turned to fit); page 2: one 18 x 27 frame.
    TPagina first;
    first.MontarMolduras(210, 297, 90, 120);
    const QColor firstColours[] = {kGreen, kBlue, kYellow, kCyan};
    for (int i = 0; i < 4; ++i)
        first.Fotos[std::size_t(i)].NomeDoArquivo = test::WriteJpeg(
            QStringLiteral("cups%1.jpg").arg(i), test::SolidImage(300, 200, firstColours[i]));
    TPagina second;
    second.MontarMolduras(210, 297, 180, 270);
    ASSERT_EQ(second.Fotos.size(), 1u);
    second.Fotos[0].NomeDoArquivo = test::WriteBmp(QStringLiteral("cups-second.bmp"), test::SolidImage(180, 270, kMagenta));

    const QString token = QStringLiteral("lumoria-test-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
    const Placement at{printer->deviceValues()};
    const int before = LastJobId();
    {
        const std::unique_ptr<PrintDocument> job = printer->BeginDoc(token);
        first.DesenharParaImpressao(job->GetCanvas(), false);
        job->NewPage();
        second.DesenharParaImpressao(job->GetCanvas(), false);
        job->EndDoc();
    }

    const QString pdf = WaitForJobPdf(token, before, token);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF for " << token.toStdString() << " in " << OutputFolder().toStdString();
    EXPECT_EQ(PageCount(pdf), 2);

    const QString prefix = test::TempPath(QStringLiteral("sheet"));
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kRasterDpi), QStringLiteral("-png"), pdf, prefix});
    ASSERT_TRUE(raster.waitForFinished(30000));
    const QImage page1(prefix + QStringLiteral("-1.png"));
    const QImage page2(prefix + QStringLiteral("-2.png"));
    ASSERT_FALSE(page1.isNull());
    ASSERT_FALSE(page2.isNull());
    EXPECT_NEAR(page1.width(), 413, 2); // A4 at 50 dots per inch
    EXPECT_NEAR(page1.height(), 585, 2);

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ExpectFrame(page1, at, at.Frame(first, first.Fotos[std::size_t(i)]), firstColours[i]);
    }
    ExpectFrame(page2, at, at.Frame(second, second.Fotos[0]), kMagenta);

    QFile::remove(pdf);
}
