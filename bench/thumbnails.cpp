// The thumbnails of a folder of 200 real camera photos (baseline copies of the 5640 x 3172
// mate-backgrounds photo) scrolled through to the end, in turns with sequential vipsthumbnail over the
// same files at the same cell size; and the multiple insertion of those 200 photos in turns with
// decoding them once at the size the page view draws them. Each side runs once a round: the
// references take long.
#include "bench_support.h"

#include "app/main_window.h"
#include "app/settings.h"
#include "components/thumbnail_list.h"
#include "platform/ui/shell_list_view.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/jpeg_image.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <sys/resource.h>

using namespace lumoria;

namespace {

constexpr int kFotos = 200;
constexpr int kLado = 73;   // the thumbnail size of a 220-pixel list
constexpr int kAreaW = 69;  // the picture area of such a cell, less the caption
constexpr int kAreaH = 56;

QApplication* Aplicacao()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        // A 1024 x 768 screen: the main window's screen check would warn on the default one.
        static QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(QStringLiteral("screen.json"));
        QFile f(arquivo);
        if (f.open(QIODevice::WriteOnly))
            f.write(R"({"screens":[{"name":"s","x":0,"y":0,"width":1024,"height":768,"logicalDpi":96,"dpr":1}]})");
        f.close();
        ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + arquivo).toUtf8().constData(), 1);
        new QApplication(argc, argv);
    }
    return qApp;
}

bool Executar(const std::vector<std::string>& argumentos)
{
    return bench::RunProgram(argumentos) == 0;
}

// The folder of 200 links to one baseline copy of the camera photo (the camera's own layout; the
// package's file is progressive), with the camera's Exif block or without it (then every thumbnail
// is decoded from the picture itself). Empty when the photo or jpegtran is missing.
QString PastaDeFotos(bool semExif = false)
{
    static QTemporaryDir temporaria;
    static QString pastas[2];
    QString& pasta = pastas[semExif ? 1 : 0];
    if (!pasta.isEmpty() || bench::CameraPhoto().isEmpty())
        return pasta;
    const QString nome = semExif ? QStringLiteral("sem-exif") : QStringLiteral("com-exif");
    QString base = temporaria.filePath(nome + QStringLiteral(".jpg"));
    // LUMORIA_BENCH_PROGRESSIVE=1 measures with the package's progressive file itself.
    if (qEnvironmentVariableIntValue("LUMORIA_BENCH_PROGRESSIVE") == 1 && !semExif)
        base = bench::CameraPhoto();
    else if (!Executar({"jpegtran", "-copy", semExif ? "none" : "all", "-outfile", base.toStdString(),
                        bench::CameraPhoto().toStdString()}))
        return pasta;
    const QString fotos = temporaria.filePath(nome);
    QDir().mkpath(fotos);
    for (int i = 0; i < kFotos; ++i)
        QFile::link(base, fotos + QStringLiteral("/foto%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
    pasta = fotos;
    return pasta;
}

double PicoEmMB()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0;
}

// Runs in turns with the long references: each side once a round, nothing before.
constexpr bench::Rounds kOnceARound{5, 0.0, false};

// The reference: vipsthumbnail over the same 200 files, one after the other, at the cell's size.
bool VipsthumbnailSequential(const QString& pasta)
{
    QTemporaryDir saida;
    std::vector<std::string> argumentos = {"vipsthumbnail", "--size", std::to_string(kAreaW) + "x" + std::to_string(kAreaH),
                                           "-o", saida.filePath(QStringLiteral("%s.jpg")).toStdString()};
    for (int i = 0; i < kFotos; ++i)
        argumentos.push_back((pasta + QStringLiteral("/foto%1.jpg").arg(i, 3, 10, QLatin1Char('0'))).toStdString());
    return Executar(argumentos);
}

// Seconds to load the list and scroll it to the end; the cells drawn.
std::pair<double, int> ScrollToTheEnd(const QString& pasta)
{
    TThumbnailList lista;
    lista.SetColumns(3);
    lista.resize(220, 334);
    lista.show();
    QApplication::processEvents();
    QElapsedTimer relogio;
    relogio.start();
    lista.SetThumbnailSize(kLado);
    lista.LoadFolder(pasta + QStringLiteral("/*.*"));
    // The operator drags the scroll bar to the end, one screen at a time, without waiting.
    QScrollBar* barra = lista.horizontalScrollBar();
    lista.repaint();
    QApplication::processEvents();
    while (barra->value() < barra->maximum()) {
        barra->setValue(barra->value() + barra->pageStep());
        lista.repaint();
        QApplication::processEvents();
    }
    lista.WaitForPictures(600000);
    int feitas = 0;
    for (int i = 0; i < lista.Thumbnails().Count(); ++i)
        feitas += lista.Thumbnails()[i]->loading() == TThumbnail::Loading::Done;
    return {relogio.elapsed() / 1000.0, feitas};
}

// Argument 0: the photos as the camera wrote them (thumbnails from their Exif thumbnails);
// 1: the same photos without the Exif block (thumbnails decoded at the smallest DCT scale). Against
// sequential vipsthumbnail over the photos with their Exif block.
void BM_ThumbnailsScrolledToTheEnd(benchmark::State& state)
{
    Aplicacao();
    const QString pasta = PastaDeFotos(state.range(0) == 1);
    const QString referencia = PastaDeFotos();
    if (pasta.isEmpty() || referencia.isEmpty()) {
        state.SkipWithError("mate-backgrounds or jpegtran is not installed");
        return;
    }
    int feitas = 0;
    bench::RunInTurns(
        state,
        [&] {
            const auto [segundos, celulas] = ScrollToTheEnd(pasta);
            feitas = celulas;
            return segundos;
        },
        [&] {
            if (!VipsthumbnailSequential(referencia))
                state.SkipWithError("vipsthumbnail (libvips-tools) is not installed");
        },
        state.range(0) ? "without Exif vs vipsthumbnail, one after the other"
                       : "with Exif vs vipsthumbnail, one after the other",
        kOnceARound);
    state.counters["cells_drawn"] = feitas;
    // The process's peak so far: the case without Exif runs after the other and dominates.
    state.counters["peak_MB"] = PicoEmMB();
}
BENCHMARK(BM_ThumbnailsScrolledToTheEnd)->Arg(0)->Arg(1)->Apply(bench::InTurns);

// The reference of the insertion: each photo read and decoded once at the scale that covers a frame
// of the page view.
void DecodeOnceAtScreenSize(const QString& pasta)
{
    // A 9 x 12 frame of an A4 page shown about 400 pixels wide.
    const QSize quadro(171, 228);
    for (int i = 0; i < kFotos; ++i) {
        platform::JpegImage jpeg;
        jpeg.LoadFromData(platform::ReadWholeFile(pasta + QStringLiteral("/foto%1.jpg").arg(i, 3, 10, QLatin1Char('0'))));
        jpeg.Predecode(quadro);
    }
}

// The multiple insertion of the 200 photos from the first page of an A4 job of 9 x 12 frames (50
// pages), as the menu command runs it after its question.
void BM_MultipleInsertion(benchmark::State& state)
{
    Aplicacao();
    const QString pasta = PastaDeFotos();
    if (pasta.isEmpty()) {
        state.SkipWithError("mate-backgrounds or jpegtran is not installed");
        return;
    }
    QTemporaryDir casa;
    ::setenv("HOME", casa.path().toUtf8().constData(), 1);
    ::setenv("XDG_RUNTIME_DIR", casa.path().toUtf8().constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (casa.path() + QStringLiteral("/.config")).toUtf8().constData(), 1);
    Configuracoes c;
    c.EntrarMaximizada = false;
    c.ContadorDeUtilizacoes = 3;
    GravarConfiguracoesNoRegistro(c);
    int adicionadas = 0;
    bench::RunInTurns(
        state,
        [&] {
            auto janela = std::make_unique<TfrmPrincipal>();
            janela->resize(1024, 768);
            janela->show();
            QApplication::processEvents();
            janela->sheImagens->setRootFolder(pasta);
            janela->AtualizarMiniaturasDasFotosDeUmaPasta();
            janela->thuImagens->SelectAll();
            QElapsedTimer relogio;
            relogio.start();
            adicionadas = janela->InserirTodasAsFotosSelecionadasDaPastaAtualEmMoldurasDoPapelAImprimir();
            return relogio.elapsed() / 1000.0;
        },
        [&] { DecodeOnceAtScreenSize(pasta); }, "vs each photo decoded once at the page view's size", kOnceARound);
    state.counters["pages_added"] = adicionadas;
}
BENCHMARK(BM_MultipleInsertion)->Apply(bench::InTurns);

} // namespace

BENCHMARK_MAIN();
