#include "imaging/quarter_turn.h"

#include "imaging/picture_routines.h"
#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/image_rotation.h"
#include "platform/numeric.h"

#include <algorithm>

namespace lumoria {

using platform::Bitmap;
using platform::Picture;
using platform::PixelFormat;

namespace {

constexpr int kLimiteParaBitmap32Bits = 2000;
constexpr int kLarguraDaFatia = 2000;

} // namespace

void RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(Picture& picture)
{
    const platform::Graphic* graphic = picture.GetGraphic();
    if (!graphic || graphic->Width() <= 0)
        return;
    const int largura = std::min(kLarguraMaximaRotacaoNaTela, graphic->Width());
    // A reduced copy never rounds to nothing.
    const int altura = std::max(1, RoundToInt32((long double)(std::int64_t(graphic->Height()) * largura) / graphic->Width()));
    Bitmap trabalho(largura, altura);
    trabalho.GetCanvas().StretchDraw(Rect{0, 0, largura, altura}, *graphic);
    if (largura <= kLimiteParaBitmap32Bits && altura <= kLimiteParaBitmap32Bits)
        trabalho.SetPixelFormat(PixelFormat::Bits32);
    AtribuirGrafico(trabalho, picture.GetBitmap());

    Bitmap girado;
    RotacionarBitmapNoventaGrausAntiHorarioUsandoAPIDoWindowsFuncaoPLGBLT(picture.GetBitmap(), girado);
    picture.AssignGraphic(&girado);
}

void RotacionarPictureNoventaGrausAntiHorario_LarguraNaoLimitada(Picture& picture)
{
    const platform::Graphic* graphic = picture.GetGraphic();
    if (!graphic || graphic->Width() <= 0)
        return;
    Bitmap trabalho;
    trabalho.Assign(*graphic);
    RotacionarBitmapNoventaGraus(trabalho);
    AtribuirGrafico(trabalho, picture.GetBitmap());
}

bool RotacionarBitmapNoventaGrausAntiHorarioUsandoAPIDoWindowsFuncaoPLGBLT(const Bitmap& origem, Bitmap& destino)
{
    const PixelFormat formato = destino.Format();
    QImage girada = platform::RotateAnticlockwise(origem.Image());
    destino.SetImage(std::move(girada), formato);
    return true;
}

void RotacionarPictureNoventaGrausAntiHorario_FatiandoOsBitmapsGigantes(Picture& picture)
{
    const platform::Graphic* graphic = picture.GetGraphic();
    if (!graphic || graphic->Width() <= 0)
        return;
    {
        Picture temporaria;
        temporaria.AssignGraphic(graphic);
        auto copia = std::make_unique<Bitmap>();
        copia->Assign(*temporaria.GetGraphic());
        picture.SetGraphic(std::move(copia));
    }
    Bitmap& origem = picture.GetBitmap();
    const int w = origem.Width();
    const int h = origem.Height();

    Picture resultado;
    resultado.GetBitmap().SetSize(h, w);
    Bitmap fatia(kLarguraDaFatia, h);
    Bitmap fatiaGirada(h, kLarguraDaFatia);
    for (int x = 0; x < w; x += kLarguraDaFatia) {
        fatia.GetCanvas().CopyRect(Rect{0, 0, kLarguraDaFatia, h}, origem.GetCanvas(),
                                   Rect{x, 0, x + kLarguraDaFatia, h});
        origem.FreeImage();
        fatia.FreeImage();
        RotacionarBitmapNoventaGrausAntiHorarioUsandoAPIDoWindowsFuncaoPLGBLT(fatia, fatiaGirada);
        fatiaGirada.FreeImage();
        // The last strip lands partly above the result and is clipped there.
        resultado.GetBitmap().GetCanvas().StretchDraw(Rect{0, w - x - kLarguraDaFatia, h, w - x}, fatiaGirada);
        resultado.GetBitmap().FreeImage();
    }
    picture.Assign(resultado);
}

void RotacionarBitmapNoventaGraus(Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    QImage fonte = bitmap.Image();
    if (fonte.format() != QImage::Format_BGR888) {
        fonte = fonte.convertToFormat(QImage::Format_BGR888);
        if (fonte.isNull())
            throw OutOfMemory();
    }
    QImage girada = platform::RotateAnticlockwise(fonte); // raises before the bitmap changes
    bitmap.SetImage(std::move(girada), PixelFormat::Bits24);
}

} // namespace lumoria
