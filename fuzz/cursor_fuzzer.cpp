// The cursor reader: animated cursors and single cursor or icon files.
#include "fuzz_support.h"

#include "platform/ui/animated_cursor_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lumoria::fuzz::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    (void)lumoria::platform::readCursorData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
