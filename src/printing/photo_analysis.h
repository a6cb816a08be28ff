#pragma once
// What the photo analysis works out from a picture's size and its frame, without the window: the
// sides paired smaller with smaller, the resolution by final area and the lines the window shows.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

#include "platform/rect.h"

namespace lumoria {

class TFoto;

struct MedidasDaAnalise {
    std::int32_t pmin = 0, pmax = 0; // picture sides in pixels
    // Frame sides in millimetres; a frame read from a job may span the whole 32-bit range.
    std::int64_t fmin = 0, fmax = 0;
    // 25.4 x sqrt(pixels / square millimetres): dots per inch over the printed area.
    long double A = 0;
};

// The measures of a picture of that size in the frame; nothing when the picture or the frame has
// no area (products in 64 bits, so no size of picture overflows them).
std::optional<MedidasDaAnalise> MedirFotoNaMoldura(std::int32_t larguraDaFoto, std::int32_t alturaDaFoto,
                                                   const TFoto& moldura);

// The eleven lines of the analysis, numbers under the user's locale.
QStringList LinhasDaAnalise(const MedidasDaAnalise& medidas, std::uint8_t ajuste);

QString TextoDoAjusteDaFotoNaMoldura(std::uint8_t ajuste);
// The verdict on the unrounded resolution by area.
QString TextoDoResultadoEsperado(long double A);

// Where the picture goes in a panel of that size: fitted whole, at nine tenths, centred.
Rect RetanguloDaImagemNoPainel(std::int32_t larguraDoPainel, std::int32_t alturaDoPainel, std::int32_t larguraDaImagem,
                               std::int32_t alturaDaImagem);

} // namespace lumoria
