// Every picture decoder: the bytes are loaded as a file of the target's kind and, when they load,
// drawn small and copied into a bitmap, as page drawing does. A refusal is an InvalidPicture.
#include "fuzz_support.h"

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/picture.h"

#include <new>

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
    auto graphic = NewGraphicForExtension(QStringLiteral(LUMORIA_FUZZ_EXTENSION));
    try {
        graphic->LoadFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        Bitmap target(37, 23);
        target.GetCanvas().StretchDraw(Rect{0, 0, 37, 23}, *graphic);
        Bitmap copy;
        copy.Assign(*graphic);
    } catch (const InvalidPicture&) {
    } catch (const OutOfMemory&) {
    }
    return 0;
}
