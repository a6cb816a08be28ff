#include "imaging/picture_routines.h"

#include <QCoreApplication>
#include <QThread>

namespace lumoria {

using platform::Bitmap;
using platform::GraphicKind;
using platform::Picture;

void ProcessarMensagensPendentes()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ConverterFiguraParaBitmap(Picture& figura)
{
    platform::Graphic* graphic = figura.GetGraphic();
    if (graphic && graphic->Kind() == GraphicKind::Bitmap)
        return;
    auto bitmap = std::make_unique<Bitmap>();
    if (graphic)
        bitmap->Assign(*graphic);
    bitmap->SetPixelFormat(platform::PixelFormat::Bits32);
    figura.SetGraphic(std::move(bitmap));
}

void LiberarBitmapDaFigura(Picture* figura)
{
    if (!figura)
        return;
    platform::Graphic* graphic = figura->GetGraphic();
    if (!graphic || graphic->Empty() || graphic->Kind() != GraphicKind::Bitmap)
        return;
    static_cast<Bitmap*>(graphic)->FreeImage();
    ProcessarMensagensPendentes();
}

void AtribuirFigura(const Picture& origem, Picture& destino)
{
    LiberarBitmapDaFigura(&destino);
    destino.Assign(origem);
}

void AtribuirGrafico(const platform::Graphic& origem, Bitmap& destino)
{
    if (!destino.Empty()) {
        destino.FreeImage();
        ProcessarMensagensPendentes();
    }
    destino.Assign(origem);
}

} // namespace lumoria
