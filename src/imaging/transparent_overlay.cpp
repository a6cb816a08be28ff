#include "imaging/transparent_overlay.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace lumoria {

using platform::Bitmap;
using platform::Canvas;

namespace {

// origem as 32-bit pixels (a view of the bitmap's own pixels when they are 32-bit already).
QImage ComoPixelsDe32Bits(const Bitmap& origem)
{
    const QImage& imagem = origem.Image();
    if (imagem.format() == QImage::Format_RGB32 || imagem.format() == QImage::Format_ARGB32)
        return imagem;
    return imagem.convertToFormat(QImage::Format_RGB32);
}

// Both images are 32 or 24 bits; the visible part is [x0, x1) x [y0, y1) of the destination.
void Sobrepor(QImage& destino, const QImage& origem, int x, int y, QRgb chave)
{
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(destino.width(), x + origem.width());
    const int y1 = std::min(destino.height(), y + origem.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const bool destino32 = destino.depth() == 32;
    const QRgb alvo = chave & 0x00FFFFFFu;
    for (int linha = y0; linha < y1; ++linha) {
        const QRgb* s = reinterpret_cast<const QRgb*>(origem.constScanLine(linha - y)) + (x0 - x);
        uchar* d = destino.scanLine(linha);
        if (destino32) {
            QRgb* d32 = reinterpret_cast<QRgb*>(d);
            for (int k = x0; k < x1; ++k, ++s) {
                if ((*s & 0x00FFFFFFu) != alvo)
                    d32[k] = *s | 0xFF000000u;
            }
        } else {
            for (int k = x0; k < x1; ++k, ++s) {
                if ((*s & 0x00FFFFFFu) != alvo) {
                    uchar* p = d + 3 * k;
                    p[0] = uchar(qBlue(*s));
                    p[1] = uchar(qGreen(*s));
                    p[2] = uchar(qRed(*s));
                }
            }
        }
    }
}

} // namespace

void DesenharBitmapTransparenteSobreOutro(Canvas& destino, const Bitmap& origem, int x, int y, QColor cor)
{
    if (origem.Empty())
        return;
    const QImage fonte = ComoPixelsDe32Bits(origem);
    const QRgb chave = cor.rgb();
    if (Bitmap* alvo = destino.OwnerBitmap()) {
        if (alvo->Empty())
            return;
        Sobrepor(alvo->PaintableImage(), fonte, x, y, chave);
        return;
    }
    // A window or a printer: the opaque pixels go through the painter, the key colour left out.
    QImage recorte = fonte.convertToFormat(QImage::Format_ARGB32);
    for (int linha = 0; linha < recorte.height(); ++linha) {
        QRgb* p = reinterpret_cast<QRgb*>(recorte.scanLine(linha));
        for (int k = 0; k < recorte.width(); ++k)
            p[k] = (p[k] & 0x00FFFFFFu) == (chave & 0x00FFFFFFu) ? 0u : (p[k] | 0xFF000000u);
    }
    destino.Paint([&](QPainter& p) { p.drawImage(x, y, recorte); });
}

} // namespace lumoria
