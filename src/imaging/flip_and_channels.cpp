#include "imaging/flip_and_channels.h"

#include "imaging/pixel_rows.h"
#include "imaging/progress_steps.h"
#include "platform/numeric.h"

#include <array>
#include <cstdint>

namespace lumoria {

using platform::Bitmap;
using platform::PixelFormat;

Bitmap FlipReverseScanLine(bool cimaParaBaixo, bool esquerdaParaDireita, const Bitmap& origem)
{
    Bitmap result;
    if (origem.Empty()) {
        result = origem;
        return result;
    }
    result.SetImage(origem.Image().mirrored(esquerdaParaDireita, cimaParaBaixo), origem.Format());
    return result;
}

int LimitarCanalDeCor(int valor)
{
    return valor < 0 ? 0 : valor > 255 ? 255 : valor;
}

void EditarCanaisDeCorDeBitmap(EditorProgress& progresso, int vermelho, int verde, int azul, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int w = bitmap.Width();
    progresso.LigarBarraDeProgresso(0, 0, w + 1);
    bitmap.SetPixelFormat(PixelFormat::Bits32);
    // The product is an integer and the division by 100 is in floating point, rounded halves to even.
    auto table = [](int percent) {
        std::array<std::uint8_t, 256> t{};
        for (int v = 0; v < 256; ++v)
            t[v] = std::uint8_t(LimitarCanalDeCor(int(std::clamp<std::int64_t>(
                Round((long double)(std::int64_t(v) * percent) / 100), -1, 256))));
        return t;
    };
    const auto red = table(vermelho);
    const auto green = table(verde);
    const auto blue = table(azul);
    steps::RunIndependentSteps(bitmap, w, bitmap.Height(), steps::Outer::Columns, progresso,
                               [&](int x0, int x1, int y0, int y1) {
                                   pixels::ForEachPixel(bitmap, 4, x0, x1, y0, y1, [&](std::uint8_t* p) {
                                       p[0] = blue[p[0]];
                                       p[1] = green[p[1]];
                                       p[2] = red[p[2]];
                                   });
                               });
    progresso.DesligarBarraDeProgresso();
}

} // namespace lumoria
