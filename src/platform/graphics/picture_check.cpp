#include "platform/graphics/picture_check.h"

#include "platform/failure.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture.h"

#include <QFileInfo>

#include <new>

namespace lumoria::platform {

bool PictureFileReadable(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return false;
    try {
        std::unique_ptr<Graphic> graphic = NewGraphicForExtension(file.suffix());
        if (!graphic)
            return false;
        if (graphic->Kind() == GraphicKind::Jpeg) {
            // A stream cut short fails only when its missing rows are reached.
            JpegRowReader reader(path);
            reader.Start(1);
            while (reader.NextRow()) {
            }
            return true;
        }
        graphic->LoadFromFile(path);
        return graphic->Width() > 0 && graphic->Height() > 0;
    } catch (const Failure&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace lumoria::platform
