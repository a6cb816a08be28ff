#include "platform/graphics/image_memory.h"

#include "platform/graphics/parallel.h"

#include <cstring>

#include "platform/failure.h"

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace lumoria::platform {

namespace {

constexpr std::int64_t kHugePage = 2 * 1024 * 1024;
constexpr std::int64_t kLargeBuffer = 8 * 1024 * 1024;
constexpr std::int64_t kPopulatedBuffer = 256 * 1024;

// The one buffer kept for the next recycled image.
struct KeptBuffer {
    std::mutex mutex;
    void* memory = nullptr;
    std::size_t size = 0;
};

KeptBuffer& kept()
{
    static KeptBuffer k;
    return k;
}

void KeepOrFree(void* memory, std::size_t size)
{
    KeptBuffer& k = kept();
    std::lock_guard lock(k.mutex);
    // The later buffer wins: while turns follow each other their sizes stay close.
    std::free(k.memory);
    k.memory = memory;
    k.size = size;
}

struct Layout {
    std::int64_t bytesPerLine = 0;
    std::int64_t bytes = 0;
};

Layout LayoutOf(int width, int height, QImage::Format format)
{
    const std::int64_t pixels = std::int64_t(width) * height;
    if (width > kMaxPictureSide || height > kMaxPictureSide || pixels > kMaxPicturePixels)
        throw OutOfMemory();
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const std::int64_t bytesPerLine = (std::int64_t(width) * depth + 31) / 32 * 4;
    return {bytesPerLine, bytesPerLine * height};
}

void* AlignedHugeBuffer(std::size_t rounded)
{
    void* memory = nullptr;
    if (posix_memalign(&memory, std::size_t(kHugePage), rounded) != 0 || !memory)
        throw OutOfMemory();
    ::madvise(memory, rounded, MADV_HUGEPAGE);
    return memory;
}

// Memory whose pages are all mapped at once. A picture's pages would otherwise each fault when it is
// first written, and on some machines (virtual ones above all) a fault costs several times the
// clearing of its page. Where the system cannot map them so, they fault as before. Only for memory
// about to be written whole: a picture written a band at a time would hold all of it from the start.
void* PopulatedBuffer(std::size_t bytes)
{
#ifndef MADV_POPULATE_WRITE
    constexpr int MADV_POPULATE_WRITE = 23;
#endif
    void* memory = std::malloc(bytes);
    if (!memory)
        throw OutOfMemory();
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t from = (start + page - 1) / page * page;
    const std::uintptr_t to = (start + bytes) / page * page;
    if (from < to)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
    return memory;
}

// A picture over memory from malloc, which it frees when its last copy goes.
QImage OverBuffer(void* memory, int width, int height, std::int64_t bytesPerLine, QImage::Format format)
{
    QImage image(static_cast<uchar*>(memory), width, height, qsizetype(bytesPerLine), format,
                 [](void* p) { std::free(p); }, memory);
    if (image.isNull()) {
        std::free(memory);
        throw OutOfMemory();
    }
    return image;
}

} // namespace

void CheckPictureSize(std::int64_t width, std::int64_t height, const char* what)
{
    if (width <= 0 || height <= 0)
        throw InvalidPicture(std::string(what) + " image has no pixels (" + std::to_string(width) + " x "
                             + std::to_string(height) + ")");
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
        throw InvalidPicture(std::string(what) + " image is too large (" + std::to_string(width) + " x "
                             + std::to_string(height) + ")");
}

QImage AllocateImage(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const auto [bytesPerLine, bytes] = LayoutOf(width, height, format);
    if (bytes < kLargeBuffer) {
        QImage image(width, height, format);
        if (image.isNull())
            throw OutOfMemory();
        return image;
    }
    // Large pictures live in memory aligned for huge pages: far fewer page faults when first written.
    return OverBuffer(AlignedHugeBuffer(std::size_t((bytes + kHugePage - 1) / kHugePage * kHugePage)), width,
                      height, bytesPerLine, format);
}

QImage AllocateImageToFill(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const auto [bytesPerLine, bytes] = LayoutOf(width, height, format);
    if (bytes < kPopulatedBuffer || bytes >= kLargeBuffer)
        return AllocateImage(width, height, format);
    return OverBuffer(PopulatedBuffer(std::size_t(bytes)), width, height, bytesPerLine, format);
}

QImage AllocateImage(int width, int height, QImage::Format format, DecodeMemory memory)
{
    if (width <= 0 || height <= 0 || memory.Bytes() == 0)
        return AllocateImage(width, height, format);
    const auto [bytesPerLine, bytes] = LayoutOf(width, height, format);
    struct Held {
        void* pixels;
        DecodeMemory memory;
    };
    const std::size_t rounded = std::size_t((bytes + kHugePage - 1) / kHugePage * kHugePage);
    auto* held = new Held{AlignedHugeBuffer(rounded), std::move(memory)};
    QImage image(static_cast<uchar*>(held->pixels), width, height, qsizetype(bytesPerLine), format,
                 [](void* p) {
                     auto* h = static_cast<Held*>(p);
                     std::free(h->pixels);
                     delete h;
                 },
                 held);
    if (image.isNull()) {
        std::free(held->pixels);
        delete held;
        throw OutOfMemory();
    }
    return image;
}

std::int64_t ImageBytes(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0)
        return 0;
    return LayoutOf(width, height, format).bytes;
}

QImage AllocateRecycledImage(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const auto [bytesPerLine, bytes] = LayoutOf(width, height, format);
    if (bytes < kLargeBuffer)
        return AllocateImage(width, height, format);
    const std::size_t rounded = std::size_t((bytes + kHugePage - 1) / kHugePage * kHugePage);
    void* memory = nullptr;
    std::size_t size = 0;
    {
        KeptBuffer& k = kept();
        std::lock_guard lock(k.mutex);
        // Written memory is ready at once; a kept buffer much larger than needed is not held on to.
        if (k.memory && k.size >= rounded && k.size <= 2 * rounded) {
            memory = k.memory;
            size = k.size;
            k.memory = nullptr;
            k.size = 0;
        }
    }
    if (!memory) {
        memory = AlignedHugeBuffer(rounded);
        size = rounded;
    }
    auto* info = new std::pair<void*, std::size_t>(memory, size);
    QImage image(static_cast<uchar*>(memory), width, height, qsizetype(bytesPerLine), format,
                 [](void* p) {
                     auto* kept = static_cast<std::pair<void*, std::size_t>*>(p);
                     KeepOrFree(kept->first, kept->second);
                     delete kept;
                 },
                 info);
    if (image.isNull()) {
        KeepOrFree(memory, size);
        delete info;
        throw OutOfMemory();
    }
    return image;
}

void ReleaseRecycledImageMemory()
{
    KeepOrFree(nullptr, 0);
}

void FillWhite(QImage& image)
{
    const QImage::Format f = image.format();
    if (std::int64_t(image.width()) * image.height() < (1 << 22)
        || (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_BGR888)) {
        image.fill(Qt::white);
        return;
    }
    FillWhite(image.bits(), image.bytesPerLine(), f == QImage::Format_BGR888 ? 3 : 4, image.size(),
              QRegion(image.rect()));
}

void FillWhite(uchar* bits, qsizetype stride, int bytesPerPixel, QSize size, const QRegion& region)
{
    // Bands of at most 64 rows of each rectangle, shared among the threads.
    std::vector<QRect> bands;
    std::int64_t area = 0;
    for (const QRect& r : region.intersected(QRect(QPoint(0, 0), size))) {
        for (int y = r.top(); y <= r.bottom(); y += 64)
            bands.push_back(QRect(r.left(), y, r.width(), std::min(64, r.bottom() + 1 - y)));
        area += std::int64_t(r.width()) * r.height();
    }
    ParallelFor(int(bands.size()), [&](int i) {
        const QRect& r = bands[std::size_t(i)];
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memset(bits + qsizetype(y) * stride + qsizetype(r.left()) * bytesPerPixel, 0xFF,
                        std::size_t(r.width()) * std::size_t(bytesPerPixel));
    }, area < (1 << 20) ? 1 : 0);
}

void DiscardPixels(QImage& image)
{
    const std::int64_t bytes = std::int64_t(image.bytesPerLine()) * image.height();
    if (bytes < kLargeBuffer)
        return;
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(image.bits()); // detached here
    const std::uintptr_t from = (start + page - 1) / page * page;
    const std::uintptr_t to = (start + std::uintptr_t(bytes)) / page * page;
    if (from >= to)
        return;
    // In small system pages from now on, or the first pixel written would take back a huge page.
    ::madvise(reinterpret_cast<void*>(from), to - from, MADV_NOHUGEPAGE);
    ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

} // namespace lumoria::platform
