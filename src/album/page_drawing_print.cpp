// Drawing a page for the printer (or onto a bitmap, for page export): every picture read from its
// full-size file, turned to its frame, stretched and fitted into it at device resolution, then the red
// crop marks. The pictures of a page are read, turned and scaled on worker threads; only the finished
// frames are drawn on the canvas, in frame order. A JPEG photo is cut and scaled as its pixels are
// stored as it is decoded, and only the finished frame is laid upright and turned.
#include "album/album_model.h"
#include "album/geometry.h"
#include "album/page_drawing_steps.h"
#include "album/printer_geometry.h"
#include "imaging/quarter_turn.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/gif_image.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/image_scaling.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/parallel.h"

#include <QFileInfo>

#include <QRegion>

#include <algorithm>
#include <bit>
#include <cmath>
#include <exception>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace lumoria {

using platform::Bitmap;
using platform::Canvas;
using platform::Picture;
using namespace desenho;

namespace {

// One frame to draw: where it goes and what the workers made of it.
struct Quadro {
    std::size_t indice = 0;
    Rect dispositivo;
    int grupo = -1;                          // the run of frames sharing one reading of the file
    QImage pronta;                           // the finished frame, ready to be copied as it is
    std::shared_ptr<Picture> transparente;   // a transparent picture, stretched on the canvas itself
    bool direto = false;                     // written straight into the page's pixels by its run
    bool naPagina = false;                   // already written straight into the page's pixels
    bool falhou = false;                     // the file did not decode: the frame prints empty
    platform::DecodeMemory memoria;          // what `pronta` holds of the decode budget until drawn
};

// What a frame's own pixels take of the decode budget (none when written straight into the page).
std::int64_t MemoriaDoQuadro(const Quadro& quadro)
{
    const Rect& r = quadro.dispositivo;
    return quadro.direto ? 0 : platform::ImageBytes(r.Right - r.Left, r.Bottom - r.Top, QImage::Format_RGB32);
}

// A run of consecutive frames of one file: the file is read and turned once for all of them.
struct Grupo {
    QString nome;
    bool jpeg = false;
    std::unique_ptr<platform::JpegRowReader> leitor; // a JPEG file opened ahead, its header read
    bool gif = false;
    std::vector<std::size_t> quadros; // positions in the frame list
};

// The page's own pixels, when the canvas is a 32-bit bitmap and no two frames overlap: the workers
// then write the finished frames straight into it, and no frame-sized copy is held.
struct PixelsDaPagina {
    uchar* bits = nullptr;
    qsizetype stride = 0;
    QSize tamanho;
    QImage::Format formato = QImage::Format_RGB32;
};

// Paints white the part of the pixels in the region (24 or 32 bits), over the pixel threads.
void PintarDeBrancoNosPixels(const PixelsDaPagina& pixels, const QRegion& regiao)
{
    platform::FillWhite(pixels.bits, pixels.stride, pixels.formato == QImage::Format_BGR888 ? 3 : 4, pixels.tamanho,
                        regiao);
}

// The threads that share the scaling of a progressive photo's rows (see PrepararGrupoJpeg).
constexpr int kFatiasDaEscalaProgressiva = 2;

// Each frame's part of a picture and where its scaled pixels go.
struct Parte {
    Quadro* quadro;
    QRectF origem; // in the stored pixels
    QSize alvo;    // as the stored pixels lie
    QPoint em;     // the top-left of the frame's picture in the target image
    uchar* bits;   // the target image: the page's pixels or the frame's own
    qsizetype stride;
    QSize tamanho;
};

struct Plano {
    std::vector<Parte> partes;
    platform::Orientation deitar; // from the stored pixels to the frames
    int oitavos = 1;              // the smallest eighth of the picture that gives every frame its pixels
};

// Works out each frame of a run on a picture of W x H stored pixels, made upright by `direita` and
// then turned to its frame, both in one laying of the rows. Paints white what the picture leaves of
// each frame, and gives a frame not written into the page its own pixels.
Plano PlanejarGrupo(const TPagina& pagina, const Grupo& grupo, std::vector<Quadro>& quadros,
                    const PixelsDaPagina& pixels, int W, int H, platform::Orientation direita)
{
    Plano plano;
    const TFoto& primeira = pagina.Fotos[quadros[grupo.quadros.front()].indice];
    const QSize emPe = direita.Apply(QSize(W, H));
    const bool girar = DeveGirar(primeira, emPe.width(), emPe.height());
    plano.deitar = girar ? direita.Then(platform::Orientation::Anticlockwise()) : direita;
    const QSize naMoldura = plano.deitar.Apply(QSize(W, H)); // the picture as it lies in the frame
    const std::int64_t pw = naMoldura.width();
    const std::int64_t ph = naMoldura.height();

    for (std::size_t posicao : grupo.quadros) {
        Quadro& quadro = quadros[posicao];
        const Rect& r = quadro.dispositivo;
        Rect destino;
        Rect origem;
        if (!PlanejarAjuste(std::int64_t(r.Right) - r.Left, std::int64_t(r.Bottom) - r.Top, pw, ph,
                            pagina.Fotos[quadro.indice].Ajuste, destino, origem))
            continue;
        // The shown part and the frame's picture as the stored pixels lie.
        const QRect parte = plano.deitar.SourceOf(QRect(origem.Left, origem.Top, origem.Right - origem.Left,
                                                        origem.Bottom - origem.Top), QSize(W, H));
        const QSize alvo = plano.deitar.Apply(QSize(destino.Right - destino.Left, destino.Bottom - destino.Top));
        int n = 1;
        while (n < 8 && (std::int64_t(parte.width()) * n < std::int64_t(alvo.width()) * 8
                         || std::int64_t(parte.height()) * n < std::int64_t(alvo.height()) * 8))
            ++n;
        plano.oitavos = std::max(plano.oitavos, n);
        QPoint em(destino.Left, destino.Top);
        const QRect daFoto(QPoint(destino.Left, destino.Top), QSize(destino.Right - destino.Left, destino.Bottom - destino.Top));
        if (quadro.direto) {
            em += QPoint(r.Left, r.Top);
            quadro.naPagina = true;
            // Only what the picture leaves of the frame is painted white (the page around the frames
            // is painted by the drawing of the page): the picture's own pixels are written once.
            PintarDeBrancoNosPixels(pixels, QRegion(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top))
                                                .subtracted(daFoto.translated(r.Left, r.Top)));
            plano.partes.push_back(Parte{&quadro, QRectF(parte), alvo, em, pixels.bits, pixels.stride, pixels.tamanho});
        } else {
            // Here too only what the picture leaves of the frame is painted white.
            quadro.memoria = platform::ReserveDecodeMemory(MemoriaDoQuadro(quadro));
            quadro.pronta = platform::AllocateImage(r.Right - r.Left, r.Bottom - r.Top, QImage::Format_RGB32);
            const PixelsDaPagina proprios{quadro.pronta.bits(), quadro.pronta.bytesPerLine(), quadro.pronta.size()};
            PintarDeBrancoNosPixels(proprios, QRegion(quadro.pronta.rect()).subtracted(daFoto));
            plano.partes.push_back(Parte{&quadro, QRectF(parte), alvo, em, quadro.pronta.bits(),
                                         quadro.pronta.bytesPerLine(), quadro.pronta.size()});
        }
    }
    // A frame the picture does not reach at all stays white.
    for (std::size_t posicao : grupo.quadros) {
        const Quadro& quadro = quadros[posicao];
        const Rect& r = quadro.dispositivo;
        if (quadro.direto && !quadro.naPagina)
            PintarDeBrancoNosPixels(pixels, QRegion(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top)));
    }
    return plano;
}

// A JPEG run: each frame's part of the photo is worked out as its pixels are stored, the file
// is decoded once at the smallest DCT scale that still gives every frame at least its own pixels, and
// the rows are scaled into the frames as they come; they are laid upright (Exif) and turned to the
// frame as they are written.
void PrepararGrupoJpeg(const TPagina& pagina, Grupo& grupo, std::vector<Quadro>& quadros,
                       const PixelsDaPagina& pixels)
{
    if (!grupo.leitor)
        grupo.leitor = std::make_unique<platform::JpegRowReader>(grupo.nome);
    platform::JpegRowReader& leitor = *grupo.leitor;
    const Plano plano =
        PlanejarGrupo(pagina, grupo, quadros, pixels, leitor.Info().width, leitor.Info().height, leitor.Info().Upright());
    if (plano.partes.empty())
        return;
    const std::vector<Parte>& partes = plano.partes;
    int oitavos = plano.oitavos;

    // libjpeg-turbo decodes the full size, the half, the quarter and the eighth with vector code and
    // the scales between them in plain C, more slowly than the next of these (which gives more pixels
    // still): a sequential file, decoded as its rows go to the scaling, takes the next of these. A
    // progressive one is read whole before its first row comes, and its rows then come faster than
    // they are scaled: the fewer pixels the sooner done.
    if (!leitor.Info().progressive)
        oitavos = int(std::bit_ceil(unsigned(oitavos)));
    const QSize decodificado = leitor.Start(oitavos);
    const double fator = oitavos / 8.0;
    // Only the columns and rows the frames show are decoded (a frame that cuts the photo shows a
    // part of it); the scalers take the rows from the part's left edge.
    QRect mostrada;
    for (const Parte& parte : partes) {
        const QRectF origem(parte.origem.x() * fator, parte.origem.y() * fator, parte.origem.width() * fator,
                            parte.origem.height() * fator);
        mostrada |= QRect(QPoint(int(std::floor(origem.left())), int(std::floor(origem.top()))),
                          QPoint(int(std::ceil(origem.right())) - 1, int(std::ceil(origem.bottom())) - 1));
    }
    const QRect lida = leitor.Crop(mostrada);
    // The decoder takes a thread and the scaling one more, or, for a progressive file, whose rows
    // come out fast once it is read, several, each making its own columns of every frame. Rows
    // pass to each scaling thread in bands.
    const int fatias = leitor.Info().progressive ? kFatiasDaEscalaProgressiva : 1;
    struct Fatia {
        std::vector<std::unique_ptr<platform::RowScaler>> escaladores;
        std::unique_ptr<platform::RowPipeline> fila;
        std::thread linha;
        std::exception_ptr falha;
    };
    std::vector<Fatia> fatiasDaEscala(static_cast<std::size_t>(fatias));
    for (int f = 0; f < fatias; ++f) {
        Fatia& fatia = fatiasDaEscala[std::size_t(f)];
        for (const Parte& parte : partes) {
            const QRectF origem(parte.origem.x() * fator - lida.x(), parte.origem.y() * fator,
                                parte.origem.width() * fator, parte.origem.height() * fator);
            const int colunas = parte.alvo.width();
            fatia.escaladores.push_back(std::make_unique<platform::RowScaler>(
                lida.width(), decodificado.height(), 3, origem, parte.alvo, plano.deitar, parte.bits,
                parte.stride, parte.tamanho, parte.em, colunas * f / fatias, colunas * (f + 1) / fatias));
        }
        fatia.fila = std::make_unique<platform::RowPipeline>(std::size_t(lida.width()) * 3, 32, 4);
    }
    auto abortar = [&] {
        for (Fatia& fatia : fatiasDaEscala)
            fatia.fila->Abort();
    };
    for (Fatia& fatia : fatiasDaEscala)
        fatia.linha = std::thread([&fatia, &abortar, primeiraLinha = lida.y()] {
            try {
                auto faltam = [&] {
                    return std::any_of(fatia.escaladores.begin(), fatia.escaladores.end(),
                                       [](const auto& e) { return !e->Done(); });
                };
                int y = primeiraLinha;
                while (const uchar* linha = fatia.fila->Take()) {
                    if (faltam())
                        for (auto& e : fatia.escaladores)
                            e->Push(y, linha);
                    ++y;
                }
                for (auto& e : fatia.escaladores)
                    e->Finish();
            } catch (...) {
                fatia.falha = std::current_exception();
                abortar();
            }
        });
    auto juntar = [&] {
        for (Fatia& fatia : fatiasDaEscala)
            fatia.linha.join();
    };
    try {
        // Rows are decoded straight into the first queue's bands, and copied to the others.
        platform::RowPipeline& primeira = *fatiasDaEscala.front().fila;
        while (uchar* linha = primeira.Slot()) {
            if (!leitor.ReadRow(linha))
                break;
            for (std::size_t f = 1; f < fatiasDaEscala.size(); ++f)
                fatiasDaEscala[f].fila->Put(linha);
            primeira.Commit();
        }
        for (Fatia& fatia : fatiasDaEscala)
            fatia.fila->Close();
    } catch (...) {
        abortar();
        juntar();
        throw;
    }
    juntar();
    for (const Fatia& fatia : fatiasDaEscala)
        if (fatia.falha)
            std::rethrow_exception(fatia.falha);
}

// A GIF run whose rows come in order: they are scaled into the frames as they are decoded, and the
// picture, which may be far larger than its file, is never held.
void PrepararGrupoGif(const TPagina& pagina, const Grupo& grupo, std::vector<Quadro>& quadros,
                      const PixelsDaPagina& pixels, platform::GifRowReader& leitor)
{
    const QSize tela = leitor.ScreenSize();
    const Plano plano = PlanejarGrupo(pagina, grupo, quadros, pixels, tela.width(), tela.height(), platform::Orientation());
    std::vector<std::unique_ptr<platform::RowScaler>> escaladores;
    for (const Parte& parte : plano.partes)
        escaladores.push_back(std::make_unique<platform::RowScaler>(tela.width(), tela.height(), 3, parte.origem, parte.alvo,
                                                                    plano.deitar, parte.bits, parte.stride, parte.tamanho,
                                                                    parte.em));
    const auto feitos = [&] {
        return std::all_of(escaladores.begin(), escaladores.end(), [](const auto& e) { return e->Done(); });
    };
    for (int y = 0; !feitos(); ++y) {
        const uchar* linha = leitor.NextRow();
        if (!linha)
            break;
        for (auto& e : escaladores)
            e->Push(y, linha);
    }
    for (auto& e : escaladores)
        e->Finish();
}

void PrepararGrupo(const TPagina& pagina, Grupo& grupo, std::vector<Quadro>& quadros,
                   const PixelsDaPagina& pixels)
{
    // The decode, the turn and the stretch are one piece of work: the decodes of the other runs
    // wait while this one holds what they lack.
    const platform::DecodeScope escopo;
    // A picture that does not decode prints as an empty frame.
    auto esvaziar = [&] {
        for (std::size_t posicao : grupo.quadros) {
            quadros[posicao].pronta = QImage();
            quadros[posicao].memoria.Release();
            quadros[posicao].falhou = quadros[posicao].direto;
        }
    };
    if (grupo.jpeg) {
        const bool leu = Tentar([&] { PrepararGrupoJpeg(pagina, grupo, quadros, pixels); });
        grupo.leitor.reset();
        if (!leu)
            esvaziar();
        return;
    }
    if (grupo.gif) {
        std::unique_ptr<platform::GifRowReader> leitor;
        Tentar([&] { leitor = std::make_unique<platform::GifRowReader>(platform::ReadWholeFile(grupo.nome)); });
        if (leitor && leitor->RowsInOrder()) {
            if (!Tentar([&] { PrepararGrupoGif(pagina, grupo, quadros, pixels, *leitor); }))
                esvaziar();
            return;
        }
    }
    auto figura = std::make_shared<Picture>();
    const TFoto& primeira = pagina.Fotos[quadros[grupo.quadros.front()].indice];
    const bool leu = Tentar([&] {
        figura->LoadFromFile(grupo.nome);
        if (DeveGirar(primeira, figura->GetGraphic()))
            RotacionarPictureNoventaGrausAntiHorario_LarguraNaoLimitada(*figura);
    });
    if (!leu)
        return; // a photo that does not decode prints as an empty frame
    for (std::size_t posicao : grupo.quadros) {
        Quadro& quadro = quadros[posicao];
        const std::uint8_t ajuste = pagina.Fotos[quadro.indice].Ajuste;
        const Rect& r = quadro.dispositivo;
        if (ajuste == kFitStretch && figura->GetGraphic() && figura->GetGraphic()->Transparent()) {
            quadro.transparente = figura;
            continue;
        }
        Tentar([&] {
            quadro.memoria = platform::ReserveDecodeMemory(MemoriaDoQuadro(quadro));
            Bitmap pronta(r.Right - r.Left, r.Bottom - r.Top);
            if (pronta.Empty())
                return;
            EstenderEAjustar(pronta.GetCanvas(), Rect{0, 0, pronta.Width(), pronta.Height()}, *figura, ajuste);
            quadro.pronta = pronta.Image();
        });
        if (quadro.pronta.isNull())
            quadro.memoria.Release();
    }
}

// Whether two frames cover a common pixel.
bool SeSobrepoem(const std::vector<Quadro>& quadros)
{
    for (std::size_t i = 0; i < quadros.size(); ++i)
        for (std::size_t j = i + 1; j < quadros.size(); ++j) {
            const Rect& a = quadros[i].dispositivo;
            const Rect& b = quadros[j].dispositivo;
            if (std::max(a.Left, b.Left) < std::min(a.Right, b.Right) && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom))
                return true;
        }
    return false;
}

void DesenharLinha(Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

} // namespace

void TPagina::DesenharParaImpressao(Canvas& canvas, bool AjustarBordas)
{
    const Rect clip = canvas.ClipRect();
    Rect alvo = clip;
    if (canvas.IsPrinter()) {
        const CaracteristicasDaImpressora impressora = ObterCaracteristicasDaImpressora();
        alvo.Right = impressora.larguraFisica;
        alvo.Bottom = impressora.alturaFisica;
    }
    const Rect deMm{0, 0, Right, Bottom};
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    if (AjustarBordas && !Fotos.empty()) {
        const Rect bloco = MapearRetanguloEntreRetangulos(deMm, PegarRetanguloDasMolduras(), alvo);
        dx = -bloco.Left;
        dy = -bloco.Top;
    }

    // The frames in order, their file checks, and the runs of one file.
    std::vector<Quadro> quadros;
    std::vector<Grupo> grupos;
    QString anterior;
    for (std::size_t i = 0; i < Fotos.size(); ++i) {
        TFoto& foto = Fotos[i];
        VerificarArquivo(foto);
        if (MolduraDegenerada(foto))
            continue;
        Quadro quadro;
        quadro.indice = i;
        const Rect r = MapearRetanguloEntreRetangulos(deMm, RetanguloDaMoldura(foto), alvo);
        quadro.dispositivo = Rect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
        const QString& nome = foto.NomeDoArquivo;
        if (!nome.isEmpty()) {
            if (nome != anterior || grupos.empty())
                grupos.push_back(Grupo{nome, EhJpeg(nome), {}, EhGif(nome), {}});
            quadro.grupo = int(grupos.size()) - 1;
            grupos.back().quadros.push_back(quadros.size());
        }
        anterior = nome;
        quadros.push_back(std::move(quadro));
    }

    PixelsDaPagina pixels;
    platform::Bitmap* bitmap = canvas.OwnerBitmap();
    if (bitmap && !bitmap->Empty() && !SeSobrepoem(quadros)) {
        QImage& imagem = bitmap->PaintableImage();
        if (imagem.format() == QImage::Format_RGB32) {
            pixels.bits = imagem.bits(); // detached here, before the workers write
            pixels.stride = imagem.bytesPerLine();
            pixels.tamanho = imagem.size();
            pixels.formato = imagem.format();
        }
    }
    // The JPEG runs write their frames straight into the page and paint white what their pictures
    // leave of them; the rest of the page is painted beside the first runs.
    const QRect todo(clip.Left, clip.Top, clip.Right - clip.Left, clip.Bottom - clip.Top);
    QRegion branco;
    if (pixels.bits) {
        branco = todo;
        for (Quadro& quadro : quadros) {
            const Rect& r = quadro.dispositivo;
            quadro.direto = quadro.grupo >= 0 && grupos[std::size_t(quadro.grupo)].jpeg;
            if (quadro.direto)
                branco -= QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        }
        PrepararPinturaDeBranco(canvas);
    } else {
        PintarDeBranco(canvas, clip);
    }

    // As many runs at a time as there are threads, as long as the frames they hold until drawn take
    // half the decode budget at most, the other half left to the decodes that fill them (a run larger
    // than that runs alone): at a fine resolution fewer frames are made side by side. Each batch is
    // drawn before the next is read, so that memory holds one batch of pictures at most.
    const int lote = platform::PixelThreads();
    const std::int64_t orcamento = platform::DecodeMemoryBudget() / 2;
    std::size_t desenhados = 0;
    for (int inicio = 0, fim = 0; inicio < int(grupos.size()) || desenhados < quadros.size(); inicio = fim) {
        std::int64_t doLote = 0;
        while (fim < int(grupos.size()) && fim - inicio < lote) {
            std::int64_t doGrupo = 0;
            for (std::size_t posicao : grupos[std::size_t(fim)].quadros)
                doGrupo += MemoriaDoQuadro(quadros[posicao]);
            if (fim > inicio && doLote + doGrupo > orcamento)
                break;
            doLote += doGrupo;
            ++fim;
        }
        // The JPEG files are opened here, to see what their decodes will hold.
        bool progressivo = false;
        for (int k = inicio; k < fim; ++k) {
            Grupo& grupo = grupos[std::size_t(k)];
            if (grupo.jpeg)
                Tentar([&] {
                    grupo.leitor = std::make_unique<platform::JpegRowReader>(grupo.nome);
                    progressivo = progressivo || grupo.leitor->Info().progressive;
                });
        }
        // A progressive decode holds the coefficients of its whole picture until its rows come
        // out, giving them back as they do. A page painted over entirely then first gives back its
        // own memory, and takes it again as the frames are written, in the place of what the
        // decoders give back.
        if (inicio == 0 && progressivo && pixels.bits && todo.contains(QRect(QPoint(0, 0), pixels.tamanho)))
            platform::DiscardPixels(bitmap->PaintableImage());
        const bool pintarAoLado = !branco.isEmpty();
        platform::ParallelFor(fim - inicio + (pintarAoLado ? 1 : 0), [&](int k) {
            if (inicio + k < fim)
                PrepararGrupo(*this, grupos[std::size_t(inicio + k)], quadros, pixels);
            else
                PintarDeBrancoNosPixels(pixels, branco);
        });
        branco = QRegion();
        // Every frame before the next batch's first frame is finished now.
        const std::size_t limite = fim < int(grupos.size()) ? grupos[std::size_t(fim)].quadros.front() : quadros.size();
        for (; desenhados < limite; ++desenhados) {
            Quadro& quadro = quadros[desenhados];
            if (quadro.falhou)
                PintarDeBranco(canvas, quadro.dispositivo);
            else if (!quadro.pronta.isNull())
                canvas.DrawImage(quadro.dispositivo, quadro.pronta, quadro.pronta.rect());
            else if (quadro.transparente)
                canvas.StretchDraw(quadro.dispositivo, *quadro.transparente->GetGraphic());
            quadro.pronta = QImage();
            quadro.memoria.Release();
            quadro.transparente.reset();
        }
    }

    if (!branco.isEmpty()) // a page without frames
        PintarDeBrancoNosPixels(pixels, branco);

    // Crop marks in the margins, each frame's own edges left free.
    canvas.pen.style = platform::PenStyle::Solid;
    canvas.pen.width = 3;
    canvas.pen.color = QColor(255, 0, 0);
    for (const Quadro& quadro : quadros) {
        Rect r = quadro.dispositivo;
        r.Right = std::min(r.Right, clip.Right);
        r.Bottom = std::min(r.Bottom, clip.Bottom);
        for (const std::int32_t y : {r.Top, r.Bottom}) {
            DesenharLinha(canvas, 0, y, r.Left - 1, y);
            DesenharLinha(canvas, r.Right + 1, y, clip.Right, y);
        }
        for (const std::int32_t x : {r.Left, r.Right}) {
            DesenharLinha(canvas, x, 0, x, r.Top - 1);
            DesenharLinha(canvas, x, r.Bottom + 1, x, clip.Bottom);
        }
    }
}

} // namespace lumoria
