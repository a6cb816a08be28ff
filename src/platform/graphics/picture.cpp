#include "platform/graphics/picture.h"

#include "platform/failure.h"
#include "platform/graphics/gif_image.h"
#include "platform/graphics/icon_image.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/metafile.h"

#include <QFileInfo>

namespace lumoria::platform {

std::unique_ptr<Graphic> NewGraphicForExtension(const QString& extension)
{
    QString ext = extension.toLower();
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("jpe")
        || ext == QLatin1String("jfif"))
        return std::make_unique<JpegImage>();
    if (ext == QLatin1String("bmp") || ext == QLatin1String("dib"))
        return std::make_unique<Bitmap>();
    if (ext == QLatin1String("gif"))
        return std::make_unique<GifImage>();
    if (ext == QLatin1String("ico"))
        return std::make_unique<IconImage>();
    if (ext == QLatin1String("wmf") || ext == QLatin1String("emf"))
        return std::make_unique<Metafile>();
    return nullptr;
}

Picture::Picture() = default;
Picture::~Picture() = default;

void Picture::SetGraphic(std::unique_ptr<Graphic> graphic)
{
    m_graphic = std::move(graphic);
}

void Picture::AssignGraphic(const Graphic* graphic)
{
    if (graphic == m_graphic.get())
        return;
    m_graphic = graphic ? graphic->Clone() : nullptr;
}

void Picture::Assign(const Picture& other)
{
    if (&other != this)
        AssignGraphic(other.m_graphic.get());
}

Bitmap& Picture::GetBitmap()
{
    if (!m_graphic || m_graphic->Kind() != GraphicKind::Bitmap)
        m_graphic = std::make_unique<Bitmap>();
    return static_cast<Bitmap&>(*m_graphic);
}

void Picture::Clear()
{
    m_graphic.reset();
}

void Picture::LoadFromFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    std::unique_ptr<Graphic> graphic = NewGraphicForExtension(suffix);
    if (!graphic)
        throw InvalidPicture("Unknown picture file extension (." + suffix.toStdString() + "): " + path.toStdString());
    graphic->LoadFromFile(path);
    m_graphic = std::move(graphic);
}

void Picture::SaveToFile(const QString& path) const
{
    if (m_graphic)
        m_graphic->SaveToFile(path);
}

} // namespace lumoria::platform
