#include "imaging/red_eye.h"

#include <algorithm>

namespace lumoria {

using platform::Bitmap;
using platform::PixelFormat;

void EditarCanaisDeCorDeBitmapReduzindoVermelho(Bitmap& bitmap, EditorProgress* progresso)
{
    if (bitmap.Format() != PixelFormat::Bits32 && bitmap.Format() != PixelFormat::Device)
        bitmap.SetPixelFormat(PixelFormat::Bits32);
    for (int x = 0; x < bitmap.Width(); ++x) {
        for (int y = 0; y < bitmap.Height(); ++y) {
            uchar* p = bitmap.ScanLine(y) + std::size_t(x) * 4;
            int r = p[2];
            if (ReduzirVermelho(r, p[1], p[0]))
                p[2] = uchar(r);
        }
        if (progresso) {
            if (progresso->AbortarProcessamento())
                return;
            progresso->AtualizarBarraDeProgresso(x);
        }
    }
}

void RemoverCanalVermelhoDePedacoDeBitmap(const Rect& pedaco, Bitmap& bitmap, EditorProgress* progresso)
{
    const int w = pedaco.Right - pedaco.Left;
    const int h = pedaco.Bottom - pedaco.Top;
    if (w <= 0 || h <= 0)
        return;
    if (bitmap.Format() != PixelFormat::Bits32 && bitmap.Format() != PixelFormat::Device)
        bitmap.SetPixelFormat(PixelFormat::Bits32);
    // The patch is worked on in a bitmap of its own, as copied from the picture; outside the
    // picture it holds black, which the rule never changes and which is not written back.
    Bitmap temporario(w, h, PixelFormat::Bits32);
    const int x0 = std::max(pedaco.Left, 0);
    const int y0 = std::max(pedaco.Top, 0);
    const int x1 = std::min(pedaco.Right, bitmap.Width());
    const int y1 = std::min(pedaco.Bottom, bitmap.Height());
    for (int y = 0; y < h; ++y)
        std::fill_n(temporario.ScanLine(y), std::size_t(w) * 4, uchar(0));
    if (x0 >= x1 || y0 >= y1)
        return;
    for (int y = y0; y < y1; ++y)
        std::copy_n(bitmap.ScanLine(y) + std::size_t(x0) * 4, std::size_t(x1 - x0) * 4,
                    temporario.ScanLine(y - pedaco.Top) + std::size_t(x0 - pedaco.Left) * 4);
    EditarCanaisDeCorDeBitmapReduzindoVermelho(temporario, progresso);
    for (int y = y0; y < y1; ++y)
        std::copy_n(temporario.ScanLine(y - pedaco.Top) + std::size_t(x0 - pedaco.Left) * 4,
                    std::size_t(x1 - x0) * 4, bitmap.ScanLine(y) + std::size_t(x0) * 4);
}

} // namespace lumoria
