#include "imaging/working_copy.h"

#include <algorithm>

#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_memory.h"
#include "platform/numeric.h"

namespace lumoria {

QSize TamanhoDaCopiaDeTrabalho(QSize foto)
{
    if (foto.width() <= 0 || foto.height() <= 0)
        return QSize();
    const std::int64_t largura = std::min(kLarguraMaximaDaCopiaDeTrabalho, foto.width());
    const std::int64_t produto = std::int64_t(foto.height()) * largura;
    return QSize(int(largura), RoundToInt32(static_cast<long double>(produto) / foto.width()));
}

platform::Bitmap MontarCopiaDeTrabalho(const platform::Graphic& foto)
{
    const QSize tamanho = TamanhoDaCopiaDeTrabalho(QSize(foto.Width(), foto.Height()));
    platform::CheckPictureSize(tamanho.width(), tamanho.height(), "Bitmap");
    // A picture with see-through parts shows white there.
    QImage pixels = platform::AllocateImage(tamanho.width(), tamanho.height(), QImage::Format_RGB32);
    pixels.fill(Qt::white);
    platform::Bitmap copia;
    copia.SetImage(std::move(pixels), platform::PixelFormat::Bits32);
    copia.GetCanvas().StretchDraw(Rect{0, 0, tamanho.width(), tamanho.height()}, foto);
    return copia;
}

} // namespace lumoria
