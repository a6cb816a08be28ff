// Jobs printed through the real CUPS queue "PDF" (cups-pdf): the PDF a two-page job leaves has two
// pages, and on them, rasterised with pdftoppm, the frames and the red crop marks stand where the
// page drawing puts them; photos stored as their Exif orientation says print upright.
#include <gtest/gtest.h>

#include "cups_support.h"

#include "album/album_document.h"
#include "platform/printing/qt_printer.h"
#include "platform/printing/spool_print_job.h"
#include "printing/print_job.h"
#include "support/page_builder.h"

#include <QPageSize>
#include <QPrinterInfo>

using namespace lumoria;
using namespace lumoria::platform;
using lumoria::test::Near;
using namespace lumoria::test::cups;

namespace {

// The queue "PDF" selected, at the tests' resolution, A4 portrait.
class CupsPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
            GTEST_SKIP() << "no CUPS queue named \"PDF\" (scripts/start-cups.sh adds it)";
        ASSERT_TRUE(printerSystem().selectPrinter(QStringLiteral("PDF")));
        printer = dynamic_cast<QtPrinter*>(&printerSystem().currentPrinter());
        ASSERT_NE(printer, nullptr);
        printer->qprinter().setResolution(kPrinterDpi);
        printer->qprinter().setPageSize(QPageSize(QPageSize::A4));
        printer->qprinter().setPageOrientation(QPageLayout::Portrait);
    }

    // Draws the pages as one job of a title of its own, and returns the PDF the queue made of it.
    QString Print(std::initializer_list<TPagina*> pages)
    {
        const QString token = QStringLiteral("lumoria-test-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
        const qint64 since = QDateTime::currentSecsSinceEpoch() - 1;
        {
            const std::unique_ptr<PrintDocument> job = printer->BeginDoc(token);
            for (TPagina* page : pages) {
                if (page != *pages.begin())
                    job->NewPage();
                page->DesenharParaImpressao(job->GetCanvas(), false);
            }
            job->EndDoc();
        }
        const QString pdf = JobPdf(printer->lastJobId(), token, since);
        EXPECT_FALSE(pdf.isEmpty()) << "no PDF for " << token.toStdString() << " in " << OutputFolder().toStdString();
        return pdf;
    }

    QtPrinter* printer = nullptr;
};

} // namespace

TEST_F(CupsPrinting, TwoPageJobGivesTwoPdfPagesWithFramesAndMarksInPlace)
{
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

    const QString pdf = Print({&first, &second});
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_EQ(PageCount(pdf), 2);
    const QList<QImage> sheets = Rasterise(pdf, QStringLiteral("sheet"));
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_NEAR(sheets[0].width(), 413, 2); // A4 at 50 dots per inch
    EXPECT_NEAR(sheets[0].height(), 585, 2);

    const Placement at{printer->deviceValues()};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ExpectFrame(sheets[0], at, at.Frame(first, first.Fotos[std::size_t(i)]), firstColours[i]);
    }
    ExpectFrame(sheets[1], at, at.Frame(second, second.Fotos[0]), kMagenta);
    QFile::remove(pdf);
}

TEST_F(CupsPrinting, PhotosPrintUprightWhateverTheirExifOrientation)
{
    // Sixteen 5 x 7 frames: in frames 0-7 a portrait photo, in 8-15 a landscape one (turned
    // anticlockwise to its frame), each stored as tag 1 to 8 asks, large enough to be decoded at a
    // reduced scale.
    const QColor kRed(220, 30, 40);
    TPagina page;
    page.MontarMolduras(210, 297, 50, 70);
    ASSERT_EQ(page.Fotos.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        const int tag = i % 8 + 1;
        const QImage upright = i < 8 ? test::QuadrantsImage(1500, 2100, kRed, kGreen, kBlue, kYellow)
                                     : test::QuadrantsImage(2100, 1500, kRed, kGreen, kBlue, kYellow);
        const QString stored = test::WriteJpeg(QStringLiteral("cups-exif-%1.jpg").arg(i), test::StoredForExif(upright, tag));
        page.Fotos[std::size_t(i)].NomeDoArquivo = test::TempPath(QStringLiteral("cups-exif-%1-tagged.jpg").arg(i));
        test::WriteBytes(page.Fotos[std::size_t(i)].NomeDoArquivo,
                         test::WithExifOrientation(test::ReadBytes(stored), tag, tag % 2 == 0));
    }

    const QString pdf = Print({&page});
    ASSERT_FALSE(pdf.isEmpty());
    const QList<QImage> sheets = Rasterise(pdf, QStringLiteral("exif-sheet"));
    ASSERT_EQ(sheets.size(), 1);

    const Placement at{printer->deviceValues()};
    const QColor upright[] = {kRed, kGreen, kBlue, kYellow};
    const QColor turned[] = {kGreen, kYellow, kRed, kBlue};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const Rect r = at.Frame(page, page.Fotos[std::size_t(i)]);
        const QColor* expected = i < 8 ? upright : turned;
        for (int q = 0; q < 4; ++q) {
            const int x = at.X(r.Left + (r.Right - r.Left) * (q % 2 == 0 ? 1 : 3) / 4);
            const int y = at.Y(r.Top + (r.Bottom - r.Top) * (q < 2 ? 1 : 3) / 4);
            EXPECT_TRUE(Near(sheets[0].pixelColor(x, y), expected[q], 40))
                << q << " " << sheets[0].pixelColor(x, y).name().toStdString();
        }
    }
    QFile::remove(pdf);
}

// A job whose second page of three cannot be drawn (a frame far outside any sheet) reaches no queue:
// CUPS's history holds no job of its title, and its spool file is gone.
TEST_F(CupsPrinting, AJobFailingOnPageTwoOfThreeLeavesNoJobAndNoSpoolFile)
{
    AlbumDocument documento;
    TAlbum& album = documento.Album();
    album.removeAllPages();
    for (int i = 0; i < 3; ++i) {
        const Rect frame = i == 1 ? Rect{0, 0, 2000000000, 100} : Rect{60, 88, 150, 208};
        album.Paginas.push_back(std::make_unique<TPagina>(test::PageWithFrames(210, 297, {frame})));
        album.Foto(i, 0).NomeDoArquivo =
            test::WriteJpeg(QStringLiteral("falha%1.jpg").arg(i), test::SolidImage(90, 120, kGreen));
    }
    TrabalhoDeImpressao trabalho;
    trabalho.primeira = 0;
    trabalho.ultima = 2;
    trabalho.titulo = QStringLiteral("lumoria-falha-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
    int desenhadas = 0;
    EXPECT_ANY_THROW(ImprimirPaginas(*printer, album, trabalho, [&](int feitas) { desenhadas = feitas; }));
    EXPECT_EQ(desenhadas, 1);
    EXPECT_EQ(JobsTitled(trabalho.titulo), 0);
    EXPECT_TRUE(QDir(SpoolFolder()).entryList(QDir::Files).isEmpty()) << QDir(SpoolFolder()).entryList(QDir::Files).join(", ").toStdString();

    // The same job without the faulty page reaches the queue, so the history is the right place to look.
    album.Paginas.erase(album.Paginas.begin() + 1);
    trabalho.ultima = 1;
    ImprimirPaginas(*printer, album, trabalho);
    const int job = printer->lastJobId();
    EXPECT_EQ(WaitForJob(job), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(JobsTitled(trabalho.titulo), 1);
    EXPECT_TRUE(QDir(SpoolFolder()).entryList(QDir::Files).isEmpty());
}
