// Drawing a page on screen, in the preview and for one frame. Printing is in page_drawing_print.cpp.
#include "album/album_model.h"
#include "album/busy_scope.h"
#include "album/geometry.h"
#include "album/image_cache.h"
#include "album/page_drawing_steps.h"
#include "album/page_view_fill.h"
#include "album/printer_geometry.h"
#include "imaging/quarter_turn.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/image_scaling.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/parallel.h"
#include "platform/failure.h"
#include "platform/numeric.h"
#include "platform/printing/printer.h"
#include "platform/system/cross_thread.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QObject>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace lumoria {

using platform::Bitmap;
using platform::Canvas;
using platform::Graphic;
using platform::Picture;
using namespace desenho;

namespace {

Rect RetanguloDaPagina(const TPagina& pagina)
{
    return Rect{0, 0, pagina.Right, pagina.Bottom};
}

Rect Mover(const Rect& r, std::int32_t dx, std::int32_t dy)
{
    return Rect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// Fills the picture for a file through the cache (or straight from the file without one); with
// a graphic read ahead, that one is used on a miss.
void CarregarPelaCache(Picture& figura, const QString& nome, std::unique_ptr<Graphic> lida)
{
    TCacheDeImagensJaCarregadas* cache = CacheDeImagens();
    if (cache) {
        cache->CarregarImagem(figura, nome, std::move(lida));
    } else if (lida) {
        figura.SetGraphic(std::move(lida));
    } else {
        figura.LoadFromFile(nome);
    }
}

struct OpcoesDeTela {
    bool mostrarVazias = false;
    Rect alvo;                   // the rectangle the page is mapped onto
    std::int32_t dx = 0;         // added to every frame rectangle
    std::int32_t dy = 0;
};

// Beyond this a frame does not get pixels of its own from the worker: it is drawn from the cache's
// copy once that is stored.
constexpr std::int64_t kMaiorMolduraLida = 4'000'000; // pixels

// A frame whose photo is read on a worker.
struct MolduraLida {
    TFoto foto;           // the frame as it was when the page was drawn
    Rect r;               // on the canvas
    bool daCopia = false; // drawn from the cache's copy (a later frame of the file, not next to its first)
    QImage pronta;        // the frame's finished pixels, for the others
};

// A JPEG photo not cached yet: read once, on a worker, for all its frames of the page.
struct LeituraDeJpeg {
    QString nome;
    std::vector<MolduraLida> molduras;
    bool corridaAberta = true; // the frames so far follow one another from the first
    TCacheDeImagensJaCarregadas::Carimbo carimbo;
    std::unique_ptr<platform::JpegImage> copia; // the cache's reduced copy
    bool falhou = false;                         // it does not decode: its frames show as empty
    std::exception_ptr falha;                    // any other fault, raised again on the GUI thread
};

// Decodes the photo once, at the smallest DCT scale that still gives the cache's reduced copy and
// every frame its own pixels, its rows going straight into the copy and the frames' pixels as they
// come (the photo is never held whole): each frame's part of the photo worked out in the pixels the
// screen's turn would leave (at most 3200 wide), scaled, and turned as it is written.
// Pixels a worker's read holds until its frames are drawn, taken from the decode budget.
QImage PixelsDaLeitura(QSize tamanho)
{
    return platform::AllocateImage(
        tamanho.width(), tamanho.height(), QImage::Format_RGB32,
        platform::ReserveDecodeMemory(platform::ImageBytes(tamanho.width(), tamanho.height(), QImage::Format_RGB32)));
}

void LerJpeg(LeituraDeJpeg& leitura)
{
    // The frames' pixels and the decode are one piece of work: once it holds some of the budget it
    // never waits for more.
    const platform::DecodeScope escopo;
    try {
        const bool leu = Tentar([&] {
            leitura.carimbo = TCacheDeImagensJaCarregadas::CarimboDe(leitura.nome);
            platform::JpegRowReader leitor(leitura.nome);
            // Worked out on the upright photo (Exif), then laid from the stored pixels in one pass.
            const QSize armazenado(leitor.Info().width, leitor.Info().height);
            const platform::Orientation direita = leitor.Info().Upright();
            const QSize emPe = direita.Apply(armazenado);
            const int W = emPe.width();
            const int H = emPe.height();
            if (W <= 0 || H <= 0)
                throw InvalidPicture("JPEG error: the picture is empty");
            struct Parte {
                QImage* pixels;
                QRectF origem;                // in the stored pixels at the scale ls
                QSize alvo;                   // as the stored pixels lie
                QPoint em;
                platform::Orientation deitar; // from the stored pixels to the target
                QSize ls;                     // the stored pixels at the scale of the turn
            };
            std::vector<Parte> partes;
            const QSize tamanhoDaCopia = TCacheDeImagensJaCarregadas::TamanhoDaCopia(W, H);
            QImage copia = PixelsDaLeitura(tamanhoDaCopia);
            partes.push_back(Parte{&copia, QRectF(QPointF(), QSizeF(armazenado)), direita.Apply(tamanhoDaCopia), QPoint(),
                                   direita, armazenado});
            QSize decodificar = direita.Apply(tamanhoDaCopia); // as the stored pixels lie
            for (MolduraLida& m : leitura.molduras) {
                if (m.daCopia)
                    continue;
                const int fw = m.r.Right - m.r.Left;
                const int fh = m.r.Bottom - m.r.Top;
                m.pronta = PixelsDaLeitura(QSize(fw, fh));
                m.pronta.fill(Qt::white);
                const bool girar = DeveGirar(m.foto, W, H);
                // The screen's turn works on a copy at most 3200 wide.
                const int lw = girar ? std::min(kLarguraMaximaRotacaoNaTela, W) : W;
                const int lh = girar ? std::max(1, RoundToInt32((long double)(std::int64_t(H) * lw) / W)) : H;
                Rect destino;
                Rect origem;
                if (!PlanejarAjuste(fw, fh, girar ? lh : lw, girar ? lw : lh, m.foto.Ajuste, destino, origem))
                    continue;
                const platform::Orientation deitar =
                    girar ? direita.Then(platform::Orientation::Anticlockwise()) : direita;
                const QSize ls = direita.Apply(QSize(lw, lh));
                const QRect parte = deitar.SourceOf(
                    QRect(origem.Left, origem.Top, origem.Right - origem.Left, origem.Bottom - origem.Top), ls);
                const QSize alvo = deitar.Apply(QSize(destino.Right - destino.Left, destino.Bottom - destino.Top));
                if (parte.width() <= 0 || parte.height() <= 0 || alvo.isEmpty())
                    continue;
                decodificar = decodificar.expandedTo(QSize(
                    int(std::min<std::int64_t>(armazenado.width(),
                                               (std::int64_t(alvo.width()) * ls.width() + parte.width() - 1) / parte.width())),
                    int(std::min<std::int64_t>(armazenado.height(), (std::int64_t(alvo.height()) * ls.height() + parte.height() - 1)
                                                                        / parte.height()))));
                partes.push_back(Parte{&m.pronta, QRectF(parte), alvo, QPoint(destino.Left, destino.Top), deitar, ls});
            }
            // libjpeg rounds scaled sizes up. Its full, half, quarter and eighth scales are vector code,
            // the others plain C and slower than the next of these; a progressive file costs about the
            // same at every scale.
            int oitavos = 1;
            while (oitavos < 8 && ((std::int64_t(armazenado.width()) * oitavos + 7) / 8 < decodificar.width()
                                   || (std::int64_t(armazenado.height()) * oitavos + 7) / 8 < decodificar.height()))
                ++oitavos;
            if (!leitor.Info().progressive)
                oitavos = int(std::bit_ceil(unsigned(oitavos)));
            const QSize d = leitor.Start(oitavos);
            std::vector<std::unique_ptr<platform::RowScaler>> escalas;
            for (const Parte& p : partes) {
                const qreal fx = qreal(d.width()) / p.ls.width();
                const qreal fy = qreal(d.height()) / p.ls.height();
                const QRectF origem(p.origem.x() * fx, p.origem.y() * fy, p.origem.width() * fx, p.origem.height() * fy);
                escalas.push_back(std::make_unique<platform::RowScaler>(d.width(), d.height(), 3, origem, p.alvo, p.deitar,
                                                                        p.pixels->bits(), p.pixels->bytesPerLine(),
                                                                        p.pixels->size(), p.em));
            }
            const auto feitas = [&] {
                return std::all_of(escalas.begin(), escalas.end(), [](const auto& e) { return e->Done(); });
            };
            for (int y = 0; !feitas();) {
                const uchar* linha = leitor.NextRow();
                if (!linha)
                    break;
                for (auto& e : escalas)
                    e->Push(y, linha);
                ++y;
            }
            for (auto& e : escalas)
                e->Finish();
            Bitmap reduzida;
            reduzida.SetImage(copia, platform::PixelFormat::Bits32);
            leitura.copia = std::make_unique<platform::JpegImage>();
            leitura.copia->Assign(reduzida);
        });
        if (!leu) {
            leitura.falhou = true;
            leitura.copia.reset();
        }
    } catch (...) {
        leitura.falha = std::current_exception();
    }
}

// A frame drawn from its file through the cache; a photo that does not decode keeps its path and
// shows as an empty frame, in the preview too: it would print blank.
void DesenharPelaCache(Canvas& canvas, const Rect& r, const TFoto& foto)
{
    Picture figura;
    const bool desenhou = Tentar([&] {
        CarregarPelaCache(figura, foto.NomeDoArquivo, nullptr);
        if (DeveGirar(foto, figura.GetGraphic()))
            RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(figura);
        EstenderEAjustar(canvas, r, figura, foto.Ajuste);
    });
    if (!desenhou) {
        PintarDeBranco(canvas, r);
        DesenharFotoVazia(canvas, r);
    }
}

// A photo read on a worker, on the GUI thread: its copy into the cache, then its frames (all but
// those left out).
void AplicarLeitura(Canvas& canvas, LeituraDeJpeg& leitura, const std::vector<int>& foraDaTela = {},
                    const std::vector<std::size_t>& indices = {})
{
    if (leitura.falha)
        std::rethrow_exception(std::exchange(leitura.falha, nullptr));
    TCacheDeImagensJaCarregadas* cache = CacheDeImagens();
    if (leitura.copia && cache && !cache->Contem(leitura.nome))
        cache->Guardar(std::move(leitura.copia), leitura.nome, leitura.carimbo);
    for (std::size_t k = 0; k < leitura.molduras.size(); ++k) {
        const MolduraLida& m = leitura.molduras[k];
        if (k < indices.size() && std::find(foraDaTela.begin(), foraDaTela.end(), int(indices[k])) != foraDaTela.end())
            continue;
        if (leitura.falhou) {
            DesenharFotoVazia(canvas, m.r);
        } else if (m.daCopia) {
            DesenharPelaCache(canvas, m.r, m.foto);
        } else {
            canvas.DrawImage(m.r, m.pronta, m.pronta.rect());
        }
    }
}

// The page view and the preview: frames loaded through the cache, turned with the screen rotation,
// the picture reused between consecutive frames of one file. The JPEG photos not cached yet are not
// drawn here: they are left in `adiadas` (with the frames' indices in `indices`), each to be read once.
void DesenharComCache(TPagina& pagina, Canvas& canvas, const OpcoesDeTela& opcoes, std::vector<LeituraDeJpeg>& adiadas,
                      std::vector<std::vector<std::size_t>>& indices)
{
    const Rect deMm = RetanguloDaPagina(pagina);
    auto retangulo = [&](const TFoto& foto) {
        return Mover(MapearRetanguloEntreRetangulos(deMm, RetanguloDaMoldura(foto), opcoes.alvo), opcoes.dx, opcoes.dy);
    };

    // Which frames will load a picture, and which of those are not cached: JPEG photos are left to
    // the caller, the others read ahead.
    std::vector<int> lidas;
    std::vector<int> posicaoDaLeitura(pagina.Fotos.size(), -1);
    std::vector<bool> adiada(pagina.Fotos.size(), false);
    {
        QString anterior;
        bool anteriorVazia = false;
        std::vector<QString> jaLidas;
        std::vector<QSize> tamanhosVazios;
        TCacheDeImagensJaCarregadas* cache = CacheDeImagens();
        for (std::size_t i = 0; i < pagina.Fotos.size(); ++i) {
            TFoto& foto = pagina.Fotos[i];
            VerificarArquivo(foto);
            if (MolduraDegenerada(foto))
                continue;
            Rect r;
            try {
                r = retangulo(foto);
            } catch (const RangeError&) {
                continue; // drawn nowhere (see below)
            }
            const QString& nome = foto.NomeDoArquivo;
            const bool vazia = nome.isEmpty() && opcoes.mostrarVazias;
            if (vazia)
                tamanhosVazios.emplace_back(r.Right - r.Left, r.Bottom - r.Top);
            const bool carrega = !nome.isEmpty() && (nome != anterior || anteriorVazia);
            auto leitura = std::find_if(adiadas.begin(), adiadas.end(), [&](const LeituraDeJpeg& l) { return l.nome == nome; });
            if (leitura == adiadas.end() && carrega && std::find(jaLidas.begin(), jaLidas.end(), nome) == jaLidas.end()
                && !(cache && cache->Contem(nome)) && EhJpeg(nome)) {
                adiadas.emplace_back();
                adiadas.back().nome = nome;
                indices.emplace_back();
                leitura = adiadas.end() - 1;
            }
            if (leitura != adiadas.end()) {
                // A frame next to the first ones of its file shares their picture; a later one loads
                // the file again, which is then the cache's copy (without a cache, the file again).
                const bool naCorrida = leitura->corridaAberta && (leitura->molduras.empty() || !carrega);
                if (!naCorrida)
                    leitura->corridaAberta = false;
                const bool grande = std::int64_t(r.Right - r.Left) * (r.Bottom - r.Top) > kMaiorMolduraLida;
                leitura->molduras.push_back(MolduraLida{foto, r, cache && (!naCorrida || grande), QImage()});
                indices[std::size_t(leitura - adiadas.begin())].push_back(i);
                adiada[i] = true;
            } else if (carrega && !(cache && cache->Contem(nome))
                       && std::find(jaLidas.begin(), jaLidas.end(), nome) == jaLidas.end()) {
                posicaoDaLeitura[i] = int(lidas.size());
                lidas.push_back(int(i));
                jaLidas.push_back(nome);
            }
            anterior = nome;
            anteriorVazia = vazia;
        }
        PrepararFotoVazia(tamanhosVazios);
    }
    LeituraAntecipada leitura(int(lidas.size()), [&](int k) -> std::unique_ptr<Graphic> {
        const TFoto& foto = pagina.Fotos[std::size_t(lidas[std::size_t(k)])];
        auto grafico = platform::NewGraphicForExtension(QFileInfo(foto.NomeDoArquivo).suffix());
        if (!grafico)
            return nullptr; // the picture object raises its own failure when it loads the file
        grafico->LoadFromFile(foto.NomeDoArquivo);
        return grafico;
    });

    Picture figura;
    bool figuraFalhou = false;
    QString anterior;
    bool anteriorVazia = false;
    for (std::size_t i = 0; i < pagina.Fotos.size(); ++i) {
        TFoto& foto = pagina.Fotos[i];
        if (MolduraDegenerada(foto))
            continue;
        Rect r;
        try {
            r = retangulo(foto);
        } catch (const RangeError&) {
            continue; // a frame no pixel of the canvas can hold draws nothing, and the others still draw
        }
        const QString nome = foto.NomeDoArquivo;
        if (adiada[i]) {
            // Its photo comes later; a following frame of another file loads its own.
            anterior = nome;
            anteriorVazia = false;
            figura.Clear();
            figuraFalhou = false;
            continue;
        }
        bool vazia = false;
        if (nome.isEmpty() && opcoes.mostrarVazias) {
            figura.AssignGraphic(&FotoVazia());
            figuraFalhou = false;
            foto.Ajuste = kFitStretch;
            vazia = true;
        } else if (!nome.isEmpty() && (nome != anterior || anteriorVazia)) {
            // The last picture is let go before the next is read, not after.
            figura.Clear();
            std::unique_ptr<Graphic> lida;
            bool falhouAoLer = false;
            if (posicaoDaLeitura[i] >= 0) {
                lida = leitura.Tomar(posicaoDaLeitura[i]);
                falhouAoLer = !lida;
            }
            figuraFalhou = falhouAoLer || !Tentar([&] {
                CarregarPelaCache(figura, nome, std::move(lida));
                if (DeveGirar(foto, figura.GetGraphic()))
                    RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(figura);
            });
            if (figuraFalhou)
                figura.Clear();
        }
        anterior = nome;
        anteriorVazia = vazia;

        if (!opcoes.mostrarVazias && nome.isEmpty())
            continue;
        if (vazia) {
            DesenharFotoVazia(canvas, r);
            continue;
        }
        if (figuraFalhou) {
            // A photo that does not decode keeps its path and shows as an empty frame, in the preview
            // too: it would print blank.
            DesenharFotoVazia(canvas, r);
            continue;
        }
        const bool desenhou = Tentar([&] { EstenderEAjustar(canvas, r, figura, foto.Ajuste); });
        if (!desenhou) {
            figuraFalhou = true;
            figura.Clear();
            PintarDeBranco(canvas, r);
            DesenharFotoVazia(canvas, r);
        }
    }
}

// The whole page at once: the photos left over are read side by side and drawn in frame order.
void DesenharComCache(TPagina& pagina, Canvas& canvas, const OpcoesDeTela& opcoes)
{
    std::vector<LeituraDeJpeg> adiadas;
    std::vector<std::vector<std::size_t>> indices;
    DesenharComCache(pagina, canvas, opcoes, adiadas, indices);
    platform::ParallelFor(int(adiadas.size()), [&](int k) { LerJpeg(adiadas[std::size_t(k)]); });
    for (LeituraDeJpeg& l : adiadas)
        AplicarLeitura(canvas, l);
}

} // namespace

void TPagina::DesenharNaTela(Canvas& canvas, bool MostrarVazias)
{
    BusyScope ocupado;
    PintarDeBranco(canvas, canvas.ClipRect());
    OpcoesDeTela opcoes;
    opcoes.mostrarVazias = MostrarVazias;
    opcoes.alvo = canvas.ClipRect();
    DesenharComCache(*this, canvas, opcoes);
}

void TPagina::DesenharFoto(Canvas& canvas, int indiceDaMoldura)
{
    BusyScope ocupado;
    TFoto& foto = Foto(indiceDaMoldura);
    const Rect r = MapearRetanguloEntreRetangulos(RetanguloDaPagina(*this), RetanguloDaMoldura(foto),
                                                  canvas.ClipRect());
    canvas.Rectangle(r);

    Picture figura;
    std::uint8_t ajuste = foto.Ajuste;
    bool carregou = false;
    if (!foto.NomeDoArquivo.isEmpty() && QFileInfo(foto.NomeDoArquivo).isFile())
        carregou = Tentar([&] {
            // Placing a photo: one decode at the cache's size, and the window is not frozen meanwhile.
            if (TCacheDeImagensJaCarregadas* cache = CacheDeImagens())
                cache->CarregarImagemReduzida(figura, foto.NomeDoArquivo);
            else
                CarregarPelaCache(figura, foto.NomeDoArquivo, nullptr);
        });
    else {
        foto.NomeDoArquivo.clear();
        foto.Ajuste = kFitStretch;
        ajuste = 0;
    }
    if (!carregou) {
        // Also a photo that does not decode: the placeholder, its path kept.
        figura.AssignGraphic(&FotoVazia());
        ajuste = 0;
    }
    if (MolduraDegenerada(foto))
        return;
    const bool desenhou = Tentar([&] {
        if (DeveGirar(foto, figura.GetGraphic()))
            RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(figura);
        EstenderEAjustar(canvas, r, figura, ajuste);
    });
    if (!desenhou) {
        PintarDeBranco(canvas, r);
        DesenharFotoVazia(canvas, r);
    }
}

void TPagina::DesenharNaPrevisao(Canvas& canvas, bool AjustarBordas)
{
    const CaracteristicasDaImpressora impressora = ObterCaracteristicasDaImpressora();
    const Rect recorteDaImpressora = platform::printerSystem().currentPrinter().deviceValues().clip;
    const Rect clip = canvas.ClipRect();
    const Rect fisica{clip.Left, clip.Top, impressora.larguraFisica, impressora.alturaFisica};
    const Rect deslocamento = MapearRetanguloEntreRetangulos(
        fisica, Rect{0, 0, impressora.deslocamentoX, impressora.deslocamentoY}, clip);

    PintarDeBranco(canvas, clip);
    OpcoesDeTela opcoes;
    opcoes.mostrarVazias = false;
    opcoes.alvo = clip;
    opcoes.dx = deslocamento.Right;
    opcoes.dy = deslocamento.Bottom;
    if (AjustarBordas && !Fotos.empty()) {
        const Rect bloco = MapearRetanguloEntreRetangulos(RetanguloDaPagina(*this), PegarRetanguloDasMolduras(), clip);
        opcoes.dx -= bloco.Left;
        opcoes.dy -= bloco.Top;
    }
    DesenharComCache(*this, canvas, opcoes);

    // The printable area, in red.
    const Rect imprimivel = MapearRetanguloEntreRetangulos(
        fisica,
        Rect{impressora.deslocamentoX, impressora.deslocamentoY, recorteDaImpressora.Right + impressora.deslocamentoX,
             recorteDaImpressora.Bottom + impressora.deslocamentoY},
        clip);
    canvas.brush.style = platform::BrushStyle::Clear;
    canvas.pen.style = platform::PenStyle::Solid;
    canvas.pen.color = QColor(255, 0, 0);
    canvas.pen.width = 3;
    canvas.Rectangle(imprimivel);
}

struct PreenchimentoDaTela::Lote {
    std::vector<LeituraDeJpeg> leituras;
    std::vector<std::vector<std::size_t>> indices; // the frames of each reading
    std::vector<bool> adotadas;           // read by an earlier drawing's worker, drawn from the cache
    Canvas* canvas = nullptr;
    std::atomic<bool> abandonado{false}; // a later drawing took the canvas
    std::size_t faltam = 0;               // readings still to arrive (GUI thread)
    std::vector<int> esquecidas;          // frames drawn anew since
};

// What the workers share with the GUI thread: the files being read, and where to hand what they read.
struct PreenchimentoDaTela::Estado {
    std::mutex mutex;
    std::unique_ptr<platform::CrossThreadCalls> destino = std::make_unique<platform::CrossThreadCalls>(); // on the GUI thread
    bool encerrado = false;
    std::vector<QString> emLeitura;  // a worker reads (or will read) these
    std::vector<QString> aguardadas; // of those, the ones the last drawing waits for
};

PreenchimentoDaTela::PreenchimentoDaTela(std::function<void()> aoPreencher)
    : m_aoPreencher(std::move(aoPreencher)), m_estado(std::make_shared<Estado>())
{
}

PreenchimentoDaTela::~PreenchimentoDaTela()
{
    if (m_lote)
        m_lote->abandonado = true;
    std::unique_ptr<platform::CrossThreadCalls> destino;
    {
        std::lock_guard lock(m_estado->mutex);
        m_estado->encerrado = true;
        m_estado->aguardadas.clear();
        destino = std::move(m_estado->destino);
    }
    // Readings that arrived but were not handed out yet go with it.
}

void PreenchimentoDaTela::Desenhar(TPagina& pagina, Canvas& canvas)
{
    if (m_lote)
        m_lote->abandonado = true;
    auto lote = std::make_shared<Lote>();
    lote->canvas = &canvas;
    {
        BusyScope ocupado;
        PintarDeBranco(canvas, canvas.ClipRect());
        OpcoesDeTela opcoes;
        opcoes.mostrarVazias = true;
        opcoes.alvo = canvas.ClipRect();
        DesenharComCache(pagina, canvas, opcoes, lote->leituras, lote->indices);
    }
    lote->faltam = lote->leituras.size();
    lote->adotadas.assign(lote->leituras.size(), false);
    m_lote = lote;
    std::vector<std::size_t> novas;
    {
        // A file an earlier drawing's worker is reading is not read twice: its frames here are drawn
        // from the copy that reading leaves in the cache.
        std::lock_guard lock(m_estado->mutex);
        m_estado->aguardadas.clear();
        for (std::size_t k = 0; k < lote->leituras.size(); ++k) {
            LeituraDeJpeg& leitura = lote->leituras[k];
            const auto& emLeitura = m_estado->emLeitura;
            if (std::find(emLeitura.begin(), emLeitura.end(), leitura.nome) != emLeitura.end()) {
                lote->adotadas[k] = true;
                for (MolduraLida& m : leitura.molduras)
                    m.daCopia = true;
                m_estado->aguardadas.push_back(leitura.nome);
            } else {
                m_estado->emLeitura.push_back(leitura.nome);
                novas.push_back(k);
            }
        }
    }
    QThreadPool* pool = QThreadPool::globalInstance();
    for (std::size_t k : novas) {
        auto* tarefa = new platform::PoolTask([this, estado = m_estado, lote, k] {
            LeituraDeJpeg& leitura = lote->leituras[k];
            {
                // Nobody wants it any more: left unread.
                std::lock_guard lock(estado->mutex);
                const auto& aguardadas = estado->aguardadas;
                if (estado->encerrado
                    || (lote->abandonado
                        && std::find(aguardadas.begin(), aguardadas.end(), leitura.nome) == aguardadas.end())) {
                    std::erase(estado->emLeitura, leitura.nome);
                    return;
                }
            }
            LerJpeg(leitura);
            std::lock_guard lock(estado->mutex);
            if (!estado->encerrado)
                estado->destino->post([this, lote, k] { Chegou(lote, k); });
        });
        platform::handOver(tarefa);
        pool->start(tarefa);
    }
}

void PreenchimentoDaTela::Chegou(const std::shared_ptr<Lote>& lote, std::size_t k)
{
    LeituraDeJpeg& leitura = lote->leituras[k];
    {
        std::lock_guard lock(m_estado->mutex);
        std::erase(m_estado->emLeitura, leitura.nome);
        std::erase(m_estado->aguardadas, leitura.nome);
    }
    if (lote == m_lote) {
        --lote->faltam;
        AplicarLeitura(*lote->canvas, leitura, lote->esquecidas, lote->indices[k]);
    } else {
        // The canvas shows a later drawing: the copy goes to the cache, and that drawing's frames of
        // this file, when it waits for it, are drawn from there.
        TCacheDeImagensJaCarregadas* cache = CacheDeImagens();
        if (leitura.copia && cache && !cache->Contem(leitura.nome))
            cache->Guardar(std::move(leitura.copia), leitura.nome, leitura.carimbo);
        if (!m_lote)
            return;
        Lote& atual = *m_lote;
        std::size_t j = 0;
        while (j < atual.leituras.size() && !(atual.adotadas[j] && atual.leituras[j].nome == leitura.nome))
            ++j;
        if (j == atual.leituras.size())
            return;
        atual.adotadas[j] = false; // handed out once
        --atual.faltam;
        LeituraDeJpeg& aguardada = atual.leituras[j];
        aguardada.falhou = leitura.falhou || leitura.falha;
        AplicarLeitura(*atual.canvas, aguardada, atual.esquecidas, atual.indices[j]);
    }
    if (m_aoPreencher)
        m_aoPreencher();
}

void PreenchimentoDaTela::Esperar()
{
    if (!Pendente())
        return;
    BusyScope ocupado;
    while (Pendente())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

void PreenchimentoDaTela::Esquecer(int moldura)
{
    if (m_lote)
        m_lote->esquecidas.push_back(moldura);
}

bool PreenchimentoDaTela::Pendente() const
{
    return m_lote && m_lote->faltam > 0;
}

} // namespace lumoria
