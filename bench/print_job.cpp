// A 10-page job of four 24-megapixel photos a page (the camera photo of mate-backgrounds scaled to
// 6000 x 4000 and written with the program's JPEG codec) printed to the CUPS queue "PDF" at its own
// resolution, in turns with the page drawing alone at that resolution, and at its finest; the peak
// memory of each and the bytes spooled. Then the preview's relayout of such a page from the image
// cache's copies, in turns with
// copying a 24-megapixel picture in memory.
#include "bench_support.h"

#include "album/album_document.h"
#include "album/document_host.h"
#include "album/image_cache.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture.h"
#include "platform/printing/cups_queue.h"
#include "platform/printing/fixed_printer.h"
#include "platform/printing/qt_printer.h"
#include "printing/print_job.h"
#include "printing/print_preview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <fstream>
#include <string>

#include <unistd.h>

using namespace lumoria;

namespace {

constexpr int kPages = 10;

void EnsureWidgets()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QApplication(argc, argv);
    }
}

// The 24-megapixel photo, made once per run.
QString Photo24()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty() || bench::CameraPhoto().isEmpty())
        return path;
    platform::Picture camera;
    camera.LoadFromFile(bench::CameraPhoto());
    platform::Bitmap source;
    source.Assign(*camera.GetGraphic());
    platform::Bitmap large;
    large.SetImage(source.Image().scaled(6000, 4000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                   platform::PixelFormat::Bits24);
    platform::JpegImage jpeg;
    jpeg.SetCompressionQuality(90);
    jpeg.Assign(large);
    path = dir.path() + QStringLiteral("/foto24mp.jpg");
    jpeg.SaveToFile(path);
    return path;
}

// An A4 page of four 9 x 12 frames, each the 24-megapixel photo under a name of its own.
void FillPage(TPagina& pagina, const QString& dir, int page)
{
    pagina.Right = 210;
    pagina.Bottom = 297;
    pagina.MontarMolduras(210, 297, 90, 120);
    for (int i = 0; i < 4; ++i) {
        const QString link = dir + QStringLiteral("/p%1f%2.jpg").arg(page).arg(i);
        QFile::link(Photo24(), link);
        pagina.Foto(i).NomeDoArquivo = link;
    }
}

// Jobs are held in the queue, measured and cancelled: cups-pdf's own pass over a job of this size
// takes minutes and would keep the shared queue busy.
void HoldJobs(platform::QtPrinter& printer)
{
    constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    printer.qprinter().printEngine()->setProperty(kCupsOptions,
                                                  QStringList{QStringLiteral("job-hold-until"), QStringLiteral("indefinite")});
}

platform::QtPrinter* PdfQueue()
{
    if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")) ||
        !platform::printerSystem().selectPrinter(QStringLiteral("PDF")))
        return nullptr;
    return dynamic_cast<platform::QtPrinter*>(&platform::printerSystem().currentPrinter());
}

} // namespace

// The whole job spooled and handed to CUPS, at the queue's own resolution (second argument 0), in
// turns with one page drawn for printing onto a bitmap of the queue's sheet, or at the finest it
// offers (1), alone (a sheet of 2400 dpi would take 1.6 GB): the time is per page; the bytes spooled
// and the peak memory are counters.
static void BM_PrintJobToPdfQueue(benchmark::State& state)
{
    EnsureWidgets();
    platform::QtPrinter* printer = PdfQueue();
    if (!printer || Photo24().isEmpty()) {
        state.SkipWithError("needs the CUPS queue PDF and mate-backgrounds");
        return;
    }
    const int pages = int(state.range(0));
    const bool finest = state.range(1) != 0;
    const QString queue = printer->name();
    printer->qprinter().setResolution(finest ? platform::QueueHighestResolution(queue) : platform::QueueResolution(queue));
    QTemporaryDir dir;
    AlbumDocument documento;
    TAlbum& album = documento.Album();
    album.removeAllPages();
    for (int i = 0; i < pages; ++i) {
        album.Paginas.push_back(std::make_unique<TPagina>());
        FillPage(*album.Paginas.back(), dir.path(), i);
    }
    const platform::PrinterDeviceValues v = printer->deviceValues();
    double spoolMb = 0;
    bench::ResetPeakMemory();
    auto job = [&] {
        HoldJobs(*printer);
        TrabalhoDeImpressao trabalho;
        trabalho.primeira = 0;
        trabalho.ultima = pages - 1;
        trabalho.titulo = QStringLiteral("lumoria-bench-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
        QElapsedTimer relogio;
        relogio.start();
        ImprimirPaginas(*printer, album, trabalho);
        const double perPage = double(relogio.nsecsElapsed()) / 1e9 / pages;
        spoolMb = printer->lastSpoolBytes() / 1048576.0;
        QProcess::execute(QStringLiteral("cancel"), {QString::number(printer->lastJobId())});
        return perPage;
    };
    const std::string label = std::to_string(pages) + " pages of four 24 MP photos at " + std::to_string(v.dpiX) + " dpi, per page";
    if (finest) {
        double perPage = 0;
        for (auto _ : state) {
            perPage = job();
            state.SetIterationTime(perPage);
        }
        state.SetLabel(label);
    } else {
        auto drawAlone = [&] {
            platform::Bitmap sheet(v.physicalWidth, v.physicalHeight);
            album.Paginas.front()->DesenharParaImpressao(sheet.GetCanvas(), false);
            benchmark::DoNotOptimize(sheet.Image().constBits());
        };
        bench::RunInTurns(state, job, drawAlone, label + ", vs one page drawn alone", bench::Rounds{5, 0.0, false});
    }
    state.counters["peak_MB"] = bench::PeakMemoryMb();
    state.counters["spool_MB"] = spoolMb;
}
BENCHMARK(BM_PrintJobToPdfQueue)->Args({2, 0})->Args({kPages, 0})->Args({kPages, 1})->Apply(bench::InTurns);

class NoHost : public DocumentHost {
public:
    void redrawPage() override {}
    void hideMainWindow() override {}
    void showMainWindow() override {}
    Qt::WindowStates mainWindowState() const override { return Qt::WindowNoState; }
};

// The preview's relayout of a page of four 24-megapixel photos, the image cache already holding
// their copies (as after the main window has shown the page); with the border preview when asked.
static void BM_PreviewRelayout(benchmark::State& state)
{
    EnsureWidgets();
    if (Photo24().isEmpty()) {
        state.SkipWithError("mate-backgrounds is not installed");
        return;
    }
    auto printers = std::make_unique<platform::FixedPrinterSystem>();
    platform::PrinterDeviceValues a4;
    a4.dpiX = a4.dpiY = 1200;
    a4.physicalWidth = a4.clip.Right = 9917;
    a4.physicalHeight = a4.clip.Bottom = 14033;
    printers->addPrinter(QStringLiteral("A4"), a4);
    platform::ScopedPrinterSystem scope(std::move(printers));
    QTemporaryDir dir;
    AlbumDocument documento;
    documento.Album().removeAllPages();
    documento.Album().Paginas.push_back(std::make_unique<TPagina>());
    FillPage(documento.Pagina(0), dir.path(), 0);
    documento.setCurrentPageIndex(0);
    TCacheDeImagensJaCarregadas cache;
    DefinirCacheDeImagens(&cache);
    NoHost host;
    TfrmImprimirPrevisaoImpressaoFotos previa(documento, host); // the first layout fills the cache
    previa.show();
    previa.cbxMostrarPrevisaoDeBordas->setChecked(state.range(0) != 0);
    bench::MemcpyOf memcpy(std::size_t(6000) * 4000 * 4);
    bench::RunInTurns(
        state, [&] { previa.AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais(); }, memcpy,
        std::to_string(previa.LarguraDaPrevisao()) + " x " + std::to_string(previa.AlturaDaPrevisao())
            + (state.range(0) ? ", border preview" : ", as on screen") + " vs memcpy of a 24 MP picture");
    DefinirCacheDeImagens(nullptr);
}
BENCHMARK(BM_PreviewRelayout)->Arg(0)->Arg(1)->Apply(bench::InTurns);

BENCHMARK_MAIN();
