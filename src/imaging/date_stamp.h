#pragma once
// Stamping a text (a date) in a black box with a white border near the bottom of a layer's picture.
// The caller repaints the layer afterwards.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/picture.h"
#include "platform/rect.h"

#include <QFont>
#include <QString>

namespace lumoria {

// The box on a picture of that size: across a quarter to three quarters of the width (a fifth to four
// fifths on the effect layer), down 0.91 to 0.99 of the height.
Rect RetanguloDaData(int largura, int altura, bool camadaDeEfeito);

// Arial bold for a box of that height: its cell (ascent plus descent) is height - 2 pixels, or the
// largest cell under that the font offers (the smallest it offers for a very low box, which the
// stamp then cuts to height - 2).
QFont FonteDaData(int alturaDaCaixa);

// The plain layer: the picture becomes a bitmap and gets the box.
void AplicarDataNaFoto(platform::Picture& figura, const QString& texto);
// The rotation layer: its unturned picture gets the box.
void AplicarDataNaFotoRotacao(platform::Picture& figuraSemGiro, const QString& texto);
// The effect layer: its displayed picture gets the wider box.
void AplicarDataNaFotoEfeito(platform::Picture& figuraExibida, const QString& texto);

// The bitmap drawn stretched into the rectangle, a plain copy of its pixels.
void DrawImage(platform::Canvas& canvas, const Rect& retangulo, const platform::Bitmap& bitmap);

} // namespace lumoria
