// A two-page job printed through the real CUPS queue "PDF" (cups-pdf): the PDF it leaves has two
// pages, and on them, rasterised with pdftoppm, the frames and the red crop marks stand where the
// page drawing puts them.
#include <gtest/gtest.h>

#include "album/album_model.h"
#include "album/geometry.h"
#include "platform/printing/printer.h"
#include "platform/printing/qt_printer.h"
#include "support/picture_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
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

namespace {

constexpr int kPrinterDpi = 150;
constexpr int kRasterDpi = 50;

const QColor kGreen(30, 190, 60);
const QColor kBlue(30, 50, 210);
const QColor kYellow(240, 220, 30);
const QColor kCyan(20, 200, 210);
const QColor kMagenta(200, 40, 190);

QString OutputFolder()
{
    const passwd* pw = getpwuid(getuid());
    return QString::fromLocal8Bit(pw ? pw->pw_dir : "/root") + QStringLiteral("/PDF");
}

// Waits for cups-pdf to write the job's file (its name carries the token) and to finish it.
QString WaitForPdf(const QString& token, int seconds)
{
    QElapsedTimer timer;
    timer.start();
    qint64 lastSize = -1;
    while (timer.elapsed() < seconds * 1000) {
        const QFileInfoList files = QDir(OutputFolder()).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QFileInfo& f : files) {
            if (!f.fileName().contains(token))
                continue;
            if (f.size() > 0 && f.size() == lastSize) {
                QProcess info;
                info.start(QStringLiteral("pdfinfo"), {f.absoluteFilePath()});
                info.waitForFinished(10000);
                if (info.exitCode() == 0)
                    return f.absoluteFilePath();
            }
            lastSize = f.size();
        }
        QThread::msleep(300);
    }
    return QString();
}

int PageCount(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(10000);
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

bool IsRed(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 110 && qBlue(c) < 110;
}

// Whether a red pixel lies within 2 pixels of (x, y).
bool RedNear(const QImage& image, int x, int y)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.rect().contains(x + dx, y + dy) && IsRed(image.pixel(x + dx, y + dy)))
                return true;
    return false;
}

struct Placement {
    PrinterDeviceValues device;
    // Device pixels (origin at the printable corner) to raster pixels of the whole sheet.
    int X(int deviceX) const { return (deviceX + device.physicalOffsetX) * kRasterDpi / kPrinterDpi; }
    int Y(int deviceY) const { return (deviceY + device.physicalOffsetY) * kRasterDpi / kPrinterDpi; }
    Rect Frame(const TPagina& page, const TFoto& f) const
    {
        return MapearRetanguloEntreRetangulos(Rect{0, 0, page.Right, page.Bottom}, Rect{f.Left, f.Top, f.Right, f.Bottom},
                                              Rect{0, 0, device.physicalWidth, device.physicalHeight});
    }
};

// The frame's colour in its middle, its mark in the top margin above its left edge, and no mark
// in the top margin halfway between the frame's two edges.
void ExpectFrame(const QImage& sheet, const Placement& at, const Rect& r, const QColor& colour)
{
    const int cx = at.X((r.Left + r.Right) / 2);
    const int cy = at.Y((r.Top + r.Bottom) / 2);
    EXPECT_TRUE(Near(sheet.pixelColor(cx, cy), colour, 40)) << sheet.pixelColor(cx, cy).name().toStdString();
    const int marginY = at.Y(r.Top / 2);
    EXPECT_TRUE(RedNear(sheet, at.X(r.Left), marginY)) << "mark above x " << at.X(r.Left);
    EXPECT_TRUE(RedNear(sheet, at.X(r.Right), marginY)) << "mark above x " << at.X(r.Right);
    EXPECT_FALSE(RedNear(sheet, at.X((r.Left + r.Right) / 2), marginY));
    const int marginX = at.X(r.Left / 2);
    EXPECT_TRUE(RedNear(sheet, marginX, at.Y(r.Top))) << "mark left of y " << at.Y(r.Top);
    EXPECT_TRUE(RedNear(sheet, marginX, at.Y(r.Bottom))) << "mark left of y " << at.Y(r.Bottom);
}

} // namespace

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
    {
        const std::unique_ptr<PrintDocument> job = printer->BeginDoc(token);
        first.DesenharParaImpressao(job->GetCanvas(), false);
        job->NewPage();
        second.DesenharParaImpressao(job->GetCanvas(), false);
        job->EndDoc();
    }

    const QString pdf = WaitForPdf(token, 50);
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
