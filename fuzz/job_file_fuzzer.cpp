// The job reader, through a file as the program reads it; a file that reads must also draw on a
// small page picture and save again.
#include "fuzz_support.h"

#include "album/album_document.h"
#include "platform/failure.h"
#include "platform/graphics/bitmap.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace lumoria;

namespace {

QString ScratchPath(const char* name)
{
    return QDir::tempPath() + QStringLiteral("/lumoria-fuzz-%1-%2").arg(::getpid()).arg(QLatin1String(name));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString input = ScratchPath("job.pvo");
    static const QString output = ScratchPath("saved.pvo");
    {
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    AlbumDocument doc;
    if (!doc.Album().LerDeArquivo(input))
        return 0;
    platform::Bitmap page(64, 48);
    doc.currentPage().DesenharNaTela(page.GetCanvas(), true);
    try {
        doc.GravarEmArquivo(output);
    } catch (const FileError&) {
        // A name that would not read back is refused, as the save button does.
    }
    return 0;
}
