// The photo editor's picture operations besides red-eye and rotation: the date stamp on each layer,
// mirroring, channel scaling and the bitmap effects, run with this window's progress bar.
#include "editing/photo_editor.h"

#include "editing/angle_image.h"
#include "editing/effect_image.h"
#include "editing/picture_layer.h"
#include "imaging/bitmap_effects.h"
#include "imaging/date_stamp.h"
#include "imaging/flip_and_channels.h"

namespace lumoria {

using platform::Bitmap;

void TfrmEditarFotosEfeitos::AplicarDataNaFoto(PictureLayer& camada, const QString& texto)
{
    lumoria::AplicarDataNaFoto(camada.Picture(), texto);
    camada.Changed();
}

void TfrmEditarFotosEfeitos::AplicarDataNaFotoRotacao(TAngleImage& camada, const QString& texto)
{
    // Drawing on the unturned picture changes it, so the turned one is made again.
    lumoria::AplicarDataNaFotoRotacao(camada.Picture(), texto);
    camada.RebuildImage();
}

void TfrmEditarFotosEfeitos::AplicarDataNaFotoEfeito(TEffectImage& camada, const QString& texto)
{
    lumoria::AplicarDataNaFotoEfeito(camada, texto);
}

void TfrmEditarFotosEfeitos::DrawImage(platform::Canvas& canvas, const Rect& retangulo, const Bitmap& bitmap)
{
    lumoria::DrawImage(canvas, retangulo, bitmap);
}

Bitmap TfrmEditarFotosEfeitos::FlipReverseScanLine(bool cimaParaBaixo, bool esquerdaParaDireita, const Bitmap& origem)
{
    return lumoria::FlipReverseScanLine(cimaParaBaixo, esquerdaParaDireita, origem);
}

int TfrmEditarFotosEfeitos::LimitarCanalDeCor(int valor) { return lumoria::LimitarCanalDeCor(valor); }

void TfrmEditarFotosEfeitos::EditarCanaisDeCorDeBitmap(int vermelho, int verde, int azul, Bitmap& bitmap)
{
    lumoria::EditarCanaisDeCorDeBitmap(*this, vermelho, verde, azul, bitmap);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmSepia(int profundidade, Bitmap& bitmap)
{
    lumoria::ColocarBitmapEmSepia(*this, profundidade, bitmap);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmSepia_Rapido_24Bits(int profundidade, Bitmap& bitmap)
{
    lumoria::ColocarBitmapEmSepia_Rapido_24Bits(*this, profundidade, bitmap);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmSpray(int quantidade, Bitmap& bitmap)
{
    lumoria::ColocarBitmapEmSpray(*this, FAleatorio, quantidade, bitmap);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmPretoBranco(std::uint8_t limite, Bitmap& bitmap)
{
    lumoria::ColocarBitmapEmPretoBranco(*this, limite, bitmap);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmDistribuicaoDePixels(Bitmap& bitmap)
{
    lumoria::ColocarBitmapEmDistribuicaoDePixels(*this, bitmap);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmPinturaImpressionista(int raioX, int raioY, int amostras, int pinceladas,
                                                                  Bitmap& bitmap)
{
    lumoria::ColocarBitmapEmPinturaImpressionista(*this, FAleatorio, raioX, raioY, amostras, pinceladas, bitmap);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmDeformacaoSenoidal(int periodo, int amplitude, const Bitmap& origem,
                                                               Bitmap& destino)
{
    lumoria::ColocarBitmapEmDeformacaoSenoidal(*this, periodo, amplitude, origem, destino);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmAntiAliasing(int quantidade, Bitmap& bitmap)
{
    lumoria::ColocarBitmapEmAntiAliasing(*this, quantidade, bitmap);
}

void TfrmEditarFotosEfeitos::ColorCarBitmapEmAcentuacaoFiltroSharper(int quantidade, Bitmap& bitmap)
{
    lumoria::ColorCarBitmapEmAcentuacaoFiltroSharper(*this, quantidade, bitmap);
}

void TfrmEditarFotosEfeitos::MisturarDoisBitmapsRetornandoResultadoNoSegundo(int modo, const Bitmap& primeiro,
                                                                             Bitmap& segundo)
{
    lumoria::MisturarDoisBitmapsRetornandoResultadoNoSegundo(*this, modo, primeiro, segundo);
}

void TfrmEditarFotosEfeitos::ColocarBitmapEmNovasDimensoes(const Bitmap& origem, Bitmap& destino, int novaLargura,
                                                           int novaAltura)
{
    lumoria::ColocarBitmapEmNovasDimensoes(origem, destino, novaLargura, novaAltura);
}

std::int32_t TfrmEditarFotosEfeitos::ArredondarMeioParaCima(double valor)
{
    return lumoria::ArredondarMeioParaCima(valor);
}

} // namespace lumoria
