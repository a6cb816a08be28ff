#include "platform/graphics/metafile.h"

#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/wmf_player.h"
#include "platform/numeric.h"

#include <QPainter>
#include <QSvgRenderer>

#include <emf2svg.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace lumoria::platform {

namespace {

// libemf2svg does not promise to be safe on several threads at once.
std::mutex g_emfMutex;

constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr int kScreenDpi = 96;

std::uint32_t Le32(const QByteArray& d, qsizetype at)
{
    return std::uint32_t(uchar(d[at])) | (std::uint32_t(uchar(d[at + 1])) << 8) | (std::uint32_t(uchar(d[at + 2])) << 16)
           | (std::uint32_t(uchar(d[at + 3])) << 24);
}

std::int64_t LeI32(const QByteArray& d, qsizetype at)
{
    return std::int32_t(Le32(d, at));
}

[[noreturn]] void Bad(const std::string& why)
{
    throw InvalidPicture("Enhanced metafile is not valid (" + why + ")");
}

bool IsEmf(const QByteArray& d)
{
    return d.size() >= 88 && Le32(d, 0) == 1 && Le32(d, 40) == kEmfSignature;
}

// Each record must lie inside the file, and the last must be the end record.
void CheckEmfRecords(const QByteArray& d)
{
    qsizetype pos = 0;
    const qsizetype size = d.size();
    while (pos + 8 <= size) {
        const std::uint32_t type = Le32(d, pos);
        const std::uint32_t length = Le32(d, pos + 4);
        if (length < 8 || length % 4 != 0 || length > std::uint32_t(size - pos))
            Bad("a record runs past the end of the file");
        if (type == 14) // EMR_EOF
            return;
        pos += length;
    }
    Bad("cut short");
}

// The header record must hold a whole header, and the description and pixel format that it points
// at must lie inside it: the converter reads them where the header says, without looking.
void CheckEmfHeader(const QByteArray& d)
{
    constexpr std::int64_t kHeaderSize = 88;
    constexpr std::int64_t kWithPixelFormat = 100;
    const std::int64_t size = Le32(d, 4);
    if (size < kHeaderSize || size > d.size())
        Bad("the header is cut short");
    auto inside = [size](std::int64_t offset, std::int64_t length) {
        return length == 0 || (offset >= kHeaderSize && offset <= size && length <= size - offset);
    };
    const std::int64_t descriptionAt = Le32(d, 64);
    const std::int64_t descriptionLength = std::int64_t(Le32(d, 60)) * 2;
    if (!inside(descriptionAt, descriptionLength))
        Bad("the description lies outside the header");
    // A description of no length that still has a place is read up to its terminating zero, which
    // must then stand inside the header.
    if (descriptionLength == 0 && descriptionAt != 0) {
        bool terminated = false;
        for (std::int64_t at = descriptionAt; !terminated && at >= kHeaderSize && at + 2 <= size; at += 2)
            terminated = d[qsizetype(at)] == 0 && d[qsizetype(at + 1)] == 0;
        if (!terminated)
            Bad("the description lies outside the header");
    }
    if (size >= kWithPixelFormat && !inside(Le32(d, 92), Le32(d, 88)))
        Bad("the pixel format lies outside the header");
}

QByteArray EmfToSvg(const QByteArray& data, double width, double height)
{
    std::lock_guard lock(g_emfMutex);
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = width;
    options.imgHeight = height;
    QByteArray copy = data; // the converter takes a writable buffer
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(copy.data(), std::size_t(copy.size()), &out, &length, &options);
    QByteArray result = out ? QByteArray(out, qsizetype(length)) : QByteArray();
    std::free(out);
    if (!ok || result.isEmpty())
        Bad("the records could not be played");
    return result;
}

} // namespace

void Metafile::LoadFromData(const QByteArray& data)
{
    if (!IsEmf(data)) {
        if (data.size() < 18)
            throw InvalidPicture("Metafile is not valid (not a metafile)");
        auto player = std::make_shared<const WmfPlayer>(data);
        m_data = data;
        m_wmf = std::move(player);
        m_svg.clear();
        m_width = m_wmf->Size().width();
        m_height = m_wmf->Size().height();
        m_enhanced = false;
        return;
    }

    CheckEmfHeader(data);
    CheckEmfRecords(data);
    // Bounds in device pixels, both edges included; frame in hundredths of a millimetre.
    const std::int64_t boundsW = LeI32(data, 16) - LeI32(data, 8) + 1;
    const std::int64_t boundsH = LeI32(data, 20) - LeI32(data, 12) + 1;
    const std::int64_t frameW = LeI32(data, 32) - LeI32(data, 24);
    const std::int64_t frameH = LeI32(data, 36) - LeI32(data, 28);
    int width = 0;
    int height = 0;
    if (frameW > 0 && frameH > 0 && frameW < (std::int64_t(1) << 40) && frameH < (std::int64_t(1) << 40)) {
        width = int(std::min<std::int64_t>(Round((long double)frameW * kScreenDpi / 2540), kMaxPictureSide + 1));
        height = int(std::min<std::int64_t>(Round((long double)frameH * kScreenDpi / 2540), kMaxPictureSide + 1));
    }
    if (width <= 0 || height <= 0) {
        width = int(std::clamp<std::int64_t>(boundsW, 0, kMaxPictureSide + 1));
        height = int(std::clamp<std::int64_t>(boundsH, 0, kMaxPictureSide + 1));
    }
    CheckPictureSize(width, height, "Enhanced metafile");
    if (boundsW <= 1 || boundsH <= 1 || boundsW > kMaxPictureSide || boundsH > kMaxPictureSide)
        Bad("no drawing area");
    // At one SVG unit a device pixel (the converter divides by the bounds' exclusive width), the view
    // covers the bounds with both edges.
    QByteArray svg = EmfToSvg(data, double(boundsW - 1), double(boundsH - 1));
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        Bad("the drawing could not be read");
    m_data = data;
    m_wmf.reset();
    m_svg = std::move(svg);
    m_viewBox = QRectF(0, 0, double(boundsW), double(boundsH));
    m_width = width;
    m_height = height;
    m_enhanced = true;
}

void Metafile::Draw(Canvas& canvas, const QRect& dest) const
{
    if (m_wmf) {
        canvas.Paint([&](QPainter& p) { m_wmf->Play(p, QRectF(dest)); });
        return;
    }
    if (m_svg.isEmpty())
        return;
    QSvgRenderer renderer(m_svg);
    renderer.setViewBox(m_viewBox);
    canvas.Paint([&](QPainter& p) { renderer.render(&p, QRectF(dest)); });
}

} // namespace lumoria::platform
