#include "imaging/date_stamp.h"

#include "imaging/picture_routines.h"
#include "platform/numeric.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace lumoria {

using platform::Bitmap;

QFont FonteDaData(int alturaDaCaixa)
{
    const int cell = std::max(1, alturaDaCaixa - 2);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(cell);
    const int measured = QFontMetrics(font).height();
    int size = measured > 0 ? std::max(1, int(std::int64_t(cell) * cell / measured)) : cell;
    font.setPixelSize(size);
    while (size < cell * 2 && QFontMetrics(font).height() < cell) {
        font.setPixelSize(++size);
    }
    while (size > 1 && QFontMetrics(font).height() > cell) {
        font.setPixelSize(--size);
    }
    return font;
}

namespace {

void Stamp(Bitmap& bitmap, const QString& text, bool effectLayer)
{
    const Rect box = RetanguloDaData(bitmap.Width(), bitmap.Height(), effectLayer);
    const int w = box.Right - box.Left;
    const int h = box.Bottom - box.Top;
    if (w <= 0 || h <= 0)
        return;
    Bitmap stamp(w, h);
    platform::Canvas& canvas = stamp.GetCanvas();
    canvas.brush.color = Qt::black;
    canvas.pen.color = Qt::white;
    canvas.Rectangle(0, 0, w, h);
    // A box too low for a cell of at least one pixel keeps no text.
    if (h > 2) {
        canvas.Paint([&](QPainter& painter) {
            const QFont font = FonteDaData(h);
            painter.setFont(font);
            const QFontMetrics metrics(font, painter.device());
            const int tw = metrics.horizontalAdvance(text);
            // The cell is at most h - 2 even where the font has no cell that small, so that it
            // stays between the border's top and bottom rows.
            const int th = std::min(metrics.height(), h - 2);
            const int x = int(Round((long double)(w - tw) / 2));
            const int y = int(Round((long double)(h - th) / 2));
            painter.setClipRect(QRect(0, 1, w, h - 2));
            // The text's cell is filled with the brush, as a text drawn on an opaque background.
            painter.fillRect(QRect(x, y, tw, th), Qt::black);
            painter.setPen(Qt::white);
            painter.drawText(QPoint(x, y + metrics.ascent() - (metrics.height() - th) / 2), text);
        });
    }
    DrawImage(bitmap.GetCanvas(), box, stamp);
}

} // namespace

Rect RetanguloDaData(int largura, int altura, bool camadaDeEfeito)
{
    const long double left = camadaDeEfeito ? 0.2L : 0.25L;
    const long double right = camadaDeEfeito ? 0.8L : 0.75L;
    return Rect{RoundToInt32(left * largura), RoundToInt32(0.91L * altura), RoundToInt32(right * largura),
                RoundToInt32(0.99L * altura)};
}

void AplicarDataNaFoto(platform::Picture& figura, const QString& texto)
{
    ConverterFiguraParaBitmap(figura);
    Stamp(figura.GetBitmap(), texto, false);
}

void AplicarDataNaFotoRotacao(platform::Picture& figuraSemGiro, const QString& texto)
{
    ConverterFiguraParaBitmap(figuraSemGiro);
    Stamp(figuraSemGiro.GetBitmap(), texto, false);
}

void AplicarDataNaFotoEfeito(platform::Picture& figuraExibida, const QString& texto)
{
    ConverterFiguraParaBitmap(figuraExibida);
    Stamp(figuraExibida.GetBitmap(), texto, true);
}

void DrawImage(platform::Canvas& canvas, const Rect& retangulo, const Bitmap& bitmap)
{
    canvas.StretchDraw(retangulo, bitmap);
}

} // namespace lumoria
