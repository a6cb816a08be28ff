// Drawing a page on screen, in the preview and for one frame. Printing is in page_drawing_print.cpp.
#include "album/album_model.h"
#include "album/busy_scope.h"
#include "album/geometry.h"
#include "album/image_cache.h"
#include "album/page_drawing_steps.h"
#include "album/printer_geometry.h"
#include "imaging/quarter_turn.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/failure.h"
#include "platform/numeric.h"
#include "platform/printing/printer.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace lumoria {

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

// How large the first draws of a picture read ahead will be, so that the reading decodes no more
// than they need: the cache's reduced copy, the turn's work copy, or the frame itself.
QSize TamanhoNecessario(const TFoto& foto, const Rect& dispositivo, const Graphic& grafico)
{
    const int w = grafico.Width();
    const int h = grafico.Height();
    if (w <= 0 || h <= 0)
        return QSize();
    const int larguraCopia = std::max(1, std::min(RoundToInt32((long double)w / 2), 640));
    QSize tamanho(larguraCopia, std::max(1, RoundToInt32((long double)(std::int64_t(h) * larguraCopia) / w)));
    if (DeveGirar(foto, &grafico)) {
        const int lw = std::min(kLarguraMaximaRotacaoNaTela, w);
        tamanho = tamanho.expandedTo(QSize(lw, std::max(1, RoundToInt32((long double)(std::int64_t(h) * lw) / w))));
    } else {
        tamanho = tamanho.expandedTo(QSize(dispositivo.Right - dispositivo.Left, dispositivo.Bottom - dispositivo.Top));
    }
    return tamanho;
}

struct OpcoesDeTela {
    bool mostrarVazias = false;
    Rect alvo;                   // the rectangle the page is mapped onto
    std::int32_t dx = 0;         // added to every frame rectangle
    std::int32_t dy = 0;
};

// The page view and the preview: frames loaded through the cache, turned with the screen rotation,
// the picture reused between consecutive frames of one file.
void DesenharComCache(TPagina& pagina, Canvas& canvas, const OpcoesDeTela& opcoes)
{
    const Rect deMm = RetanguloDaPagina(pagina);

    // Which frames will load a picture, and which of those are not cached: those are read ahead.
    std::vector<int> lidas;
    std::vector<int> posicaoDaLeitura(pagina.Fotos.size(), -1);
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
            const QString& nome = foto.NomeDoArquivo;
            const bool vazia = nome.isEmpty() && opcoes.mostrarVazias;
            if (vazia) {
                try {
                    const Rect r = MapearRetanguloEntreRetangulos(deMm, RetanguloDaMoldura(foto), opcoes.alvo);
                    tamanhosVazios.emplace_back(r.Right - r.Left, r.Bottom - r.Top);
                } catch (const RangeError&) {
                }
            }
            if (!nome.isEmpty() && (nome != anterior || anteriorVazia)
                && !(cache && cache->Contem(nome))
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
        if (grafico->Kind() == platform::GraphicKind::Jpeg) {
            const Rect r = MapearRetanguloEntreRetangulos(deMm, RetanguloDaMoldura(foto), opcoes.alvo);
            const auto& jpeg = static_cast<const platform::JpegImage&>(*grafico);
            jpeg.Predecode(foto.Ajuste != 0 ? QSize() : TamanhoNecessario(foto, r, jpeg));
        }
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
            r = Mover(MapearRetanguloEntreRetangulos(deMm, RetanguloDaMoldura(foto), opcoes.alvo), opcoes.dx,
                      opcoes.dy);
        } catch (const RangeError&) {
            continue; // a frame no pixel of the canvas can hold draws nothing, and the others still draw
        }
        const QString nome = foto.NomeDoArquivo;
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

} // namespace lumoria
