#include "platform/graphics/metafile.h"

#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_memory.h"
#include "platform/numeric.h"

#include <QPainter>
#include <QSvgRenderer>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace lumoria::platform {

namespace {

// Neither library promises to be safe on several threads at once.
std::mutex g_libraryMutex;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr int kScreenDpi = 96;

std::uint32_t Le16(const QByteArray& d, qsizetype at)
{
    return std::uint32_t(uchar(d[at])) | (std::uint32_t(uchar(d[at + 1])) << 8);
}

std::uint32_t Le32(const QByteArray& d, qsizetype at)
{
    return Le16(d, at) | (Le16(d, at + 2) << 16);
}

std::int32_t LeI32(const QByteArray& d, qsizetype at)
{
    return std::int32_t(Le32(d, at));
}

std::int16_t LeI16(const QByteArray& d, qsizetype at)
{
    return std::int16_t(Le16(d, at));
}

[[noreturn]] void Bad(const char* kind, const std::string& why)
{
    throw InvalidPicture(std::string(kind) + " metafile is not valid (" + why + ")");
}

bool IsEmf(const QByteArray& d)
{
    return d.size() >= 88 && Le32(d, 0) == 1 && Le32(d, 40) == kEmfSignature;
}

// Walks the records: each one must lie inside the file, and the last must be the end record.
void CheckEmfRecords(const QByteArray& d)
{
    qsizetype pos = 0;
    const qsizetype size = d.size();
    while (pos + 8 <= size) {
        const std::uint32_t type = Le32(d, pos);
        const std::uint32_t length = Le32(d, pos + 4);
        if (length < 8 || length % 4 != 0 || length > std::uint32_t(size - pos))
            Bad("Enhanced", "a record runs past the end of the file");
        if (type == 14) // EMR_EOF
            return;
        pos += length;
    }
    Bad("Enhanced", "cut short");
}

// The header that follows the optional placeable header; returns where the records start.
qsizetype CheckWmfRecords(const QByteArray& d, qsizetype headerAt)
{
    if (d.size() < headerAt + 18)
        Bad("Windows", "cut short");
    const std::uint32_t type = Le16(d, headerAt);
    const std::uint32_t headerWords = Le16(d, headerAt + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        Bad("Windows", "not a metafile");
    qsizetype pos = headerAt + 18;
    while (pos + 6 <= d.size()) {
        const std::uint64_t words = Le32(d, pos);
        const std::uint32_t function = Le16(d, pos + 4);
        if (words < 3 || words * 2 > std::uint64_t(d.size() - pos))
            Bad("Windows", "a record runs past the end of the file");
        if (function == 0) // META_EOF
            return headerAt + 18;
        pos += qsizetype(words * 2);
    }
    Bad("Windows", "cut short");
}

QByteArray WmfToSvg(const QByteArray& data, int width, int height)
{
    std::lock_guard lock(g_libraryMutex);
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        Bad("Windows", "the metafile player could not start");
    }
    struct Guard {
        wmfAPI* api;
        ~Guard() { wmf_api_destroy(api); }
    } guard{api};

    QByteArray copy = data; // the player reads from a buffer it may not change
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(copy.data()), long(copy.size())) != wmf_E_None)
        Bad("Windows", "unreadable");
    wmfD_Rect box{};
    if (wmf_scan(api, 0, &box) != wmf_E_None)
        Bad("Windows", "the records could not be read");
    wmf_svg_t* svg = WMF_SVG_GetData(api);
    svg->out = wmf_stream_create(api, nullptr);
    svg->Description = const_cast<char*>("Lumoria");
    svg->bbox = box;
    svg->width = unsigned(width);
    svg->height = unsigned(height);
    const wmf_error_t played = wmf_play(api, 0, &box);
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, svg->out, &text, &length);
    QByteArray result = text ? QByteArray(text, qsizetype(length)) : QByteArray();
    if (played != wmf_E_None || result.isEmpty())
        Bad("Windows", "the records could not be played");
    return result;
}

QByteArray EmfToSvg(const QByteArray& data, int width, int height)
{
    std::lock_guard lock(g_libraryMutex);
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = width;
    options.imgHeight = height;
    QByteArray copy = data;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(copy.data(), std::size_t(copy.size()), &out, &length, &options);
    QByteArray result = out ? QByteArray(out, qsizetype(length)) : QByteArray();
    std::free(out);
    if (!ok || result.isEmpty())
        Bad("Enhanced", "the records could not be played");
    return result;
}

} // namespace

void Metafile::LoadFromData(const QByteArray& data)
{
    int width = 0;
    int height = 0;
    bool enhanced = false;
    QByteArray svg;
    if (IsEmf(data)) {
        enhanced = true;
        CheckEmfRecords(data);
        // The frame is in hundredths of a millimetre (inclusive); the bounds in device pixels.
        const std::int64_t frameW = std::int64_t(LeI32(data, 32)) - LeI32(data, 24);
        const std::int64_t frameH = std::int64_t(LeI32(data, 36)) - LeI32(data, 28);
        if (frameW > 0 && frameH > 0 && frameW < (std::int64_t(1) << 40) && frameH < (std::int64_t(1) << 40)) {
            width = int(std::min<std::int64_t>(Round((long double)frameW * kScreenDpi / 2540), kMaxPictureSide + 1));
            height = int(std::min<std::int64_t>(Round((long double)frameH * kScreenDpi / 2540), kMaxPictureSide + 1));
        }
        if (width <= 0 || height <= 0) {
            const std::int64_t bw = std::int64_t(LeI32(data, 16)) - LeI32(data, 8) + 1;
            const std::int64_t bh = std::int64_t(LeI32(data, 20)) - LeI32(data, 12) + 1;
            width = int(std::clamp<std::int64_t>(bw, 0, kMaxPictureSide + 1));
            height = int(std::clamp<std::int64_t>(bh, 0, kMaxPictureSide + 1));
        }
        CheckPictureSize(width, height, "Enhanced metafile");
        svg = EmfToSvg(data, width, height);
    } else if (data.size() >= 22 && Le32(data, 0) == kPlaceableKey) {
        const std::int64_t w = std::int64_t(LeI16(data, 10)) - LeI16(data, 6);
        const std::int64_t h = std::int64_t(LeI16(data, 12)) - LeI16(data, 8);
        const std::int64_t inch = Le16(data, 14);
        if (inch == 0)
            Bad("Windows", "no units per inch");
        width = int(Round((long double)(w < 0 ? -w : w) * kScreenDpi / inch));
        height = int(Round((long double)(h < 0 ? -h : h) * kScreenDpi / inch));
        CheckPictureSize(width, height, "Windows metafile");
        CheckWmfRecords(data, 22);
        svg = WmfToSvg(data, width, height);
    } else if (data.size() >= 18 && (Le16(data, 0) == 1 || Le16(data, 0) == 2) && Le16(data, 2) == 9) {
        CheckWmfRecords(data, 0);
        svg = WmfToSvg(data, 0, 0);
        QSvgRenderer probe(svg);
        width = probe.defaultSize().width();
        height = probe.defaultSize().height();
        CheckPictureSize(width, height, "Windows metafile");
    } else {
        throw InvalidPicture("Metafile is not valid (not a metafile)");
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        Bad(enhanced ? "Enhanced" : "Windows", "the drawing could not be read");
    m_data = data;
    m_svg = std::move(svg);
    m_width = width;
    m_height = height;
    m_enhanced = enhanced;
}

void Metafile::Draw(Canvas& canvas, const QRect& dest) const
{
    if (m_svg.isEmpty())
        return;
    QSvgRenderer renderer(m_svg);
    canvas.Paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        renderer.render(&p, QRectF(dest));
    });
}

} // namespace lumoria::platform
