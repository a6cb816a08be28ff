// Every picture decoder: the bytes are loaded as a file of the target's kind (or of the kind its
// first bytes tell) and, when they load,
// drawn small and copied into a bitmap, as page drawing does; a JPEG (from a file) and a GIF are
// also read by rows, as printing does. A refusal is an InvalidPicture.
#include "fuzz_support.h"

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/gif_image.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture.h"
#include "platform/graphics/picture_loader.h"

#include <new>

#include <sys/mman.h>
#include <unistd.h>

#ifndef LUMORIA_FUZZ_EXTENSION
#error "the picture kind is given by the build"
#endif

using namespace lumoria;
using namespace lumoria::platform;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString kind = QStringLiteral(LUMORIA_FUZZ_EXTENSION);
    try {
        // "any": the kind is told by the first bytes, as the thumbnails load.
        std::unique_ptr<Graphic> graphic = NewGraphicForExtension(kind);
        if (graphic)
            graphic->LoadFromData(bytes);
        else
            graphic = LoadGraphicFromData(bytes);
        Bitmap target(37, 23);
        target.GetCanvas().StretchDraw(Rect{0, 0, 37, 23}, *graphic);
        Bitmap copy;
        copy.Assign(*graphic);
    } catch (const InvalidPicture&) {
    } catch (const OutOfMemory&) {
    }
    if (kind == QStringLiteral("jpeg")) {
        // The print path's row reader takes a file: one in memory.
        const int fd = memfd_create("picture", 0);
        if (fd < 0 || ::write(fd, data, size) != ssize_t(size)) {
            if (fd >= 0)
                ::close(fd);
            return 0;
        }
        try {
            JpegRowReader reader(QStringLiteral("/proc/self/fd/%1").arg(fd));
            reader.Start(1);
            while (reader.NextRow()) {
            }
        } catch (const InvalidPicture&) {
        } catch (const OutOfMemory&) {
        }
        ::close(fd);
    }
    if (kind == QStringLiteral("gif")) {
        // The print path reads a GIF whose rows come in order a row at a time.
        try {
            GifRowReader reader(bytes);
            while (reader.NextRow()) {
            }
        } catch (const InvalidPicture&) {
        } catch (const OutOfMemory&) {
        }
    }
    return 0;
}
