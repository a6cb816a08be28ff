// Drawing a page for the printer (or onto a bitmap, for page export): every picture read from its
// full-size file, turned with the print rotation, stretched and fitted into its frame at device
// resolution, then the red crop marks. The pictures of a page are read, turned and scaled on worker
// threads; only the finished frames are drawn on the canvas, in frame order.
#include "album/album_model.h"
#include "album/geometry.h"
#include "album/page_drawing_steps.h"
#include "album/printer_geometry.h"
#include "imaging/quarter_turn.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/parallel.h"

#include <algorithm>
#include <memory>
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
};

// A run of consecutive frames of one file: the file is read and turned once for all of them.
struct Grupo {
    QString nome;
    std::vector<std::size_t> quadros; // positions in the frame list
};

void PrepararGrupo(const TPagina& pagina, const Grupo& grupo, std::vector<Quadro>& quadros)
{
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
            Bitmap pronta(r.Right - r.Left, r.Bottom - r.Top);
            if (pronta.Empty())
                return;
            EstenderEAjustar(pronta.GetCanvas(), Rect{0, 0, pronta.Width(), pronta.Height()}, *figura, ajuste);
            quadro.pronta = pronta.Image();
        });
    }
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
    PintarDeBranco(canvas, clip);

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
                grupos.push_back(Grupo{nome, {}});
            quadro.grupo = int(grupos.size()) - 1;
            grupos.back().quadros.push_back(quadros.size());
        }
        anterior = nome;
        quadros.push_back(std::move(quadro));
    }

    // As many runs at a time as there are threads; each batch is drawn before the next is read, so
    // that memory holds one batch of full-size pictures at most.
    const int lote = platform::PixelThreads();
    std::size_t desenhados = 0;
    for (int inicio = 0; inicio < int(grupos.size()) || desenhados < quadros.size(); inicio += lote) {
        const int fim = std::min(int(grupos.size()), inicio + lote);
        if (inicio < fim)
            platform::ParallelFor(fim - inicio, [&](int k) { PrepararGrupo(*this, grupos[std::size_t(inicio + k)], quadros); });
        // Every frame before the next batch's first frame is finished now.
        const std::size_t limite = fim < int(grupos.size()) ? grupos[std::size_t(fim)].quadros.front() : quadros.size();
        for (; desenhados < limite; ++desenhados) {
            Quadro& quadro = quadros[desenhados];
            if (!quadro.pronta.isNull())
                canvas.DrawImage(quadro.dispositivo, quadro.pronta, quadro.pronta.rect());
            else if (quadro.transparente)
                canvas.StretchDraw(quadro.dispositivo, *quadro.transparente->GetGraphic());
            quadro.pronta = QImage();
            quadro.transparente.reset();
        }
    }

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
