#include "platform/graphics/image_scaling.h"

#include "platform/graphics/image_memory.h"
#include "platform/graphics/parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace lumoria::platform {

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;

// For each output position along one axis: the first source position and its weights.
struct Taps {
    int maxTaps = 1;
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::int32_t> weights; // maxTaps per output position

    const std::int32_t* WeightsOf(int o) const { return weights.data() + std::size_t(o) * maxTaps; }
};

Taps MakeTaps(int sourceLength, int targetLength)
{
    Taps taps;
    taps.first.resize(targetLength);
    taps.count.resize(targetLength);
    const double scale = double(sourceLength) / targetLength;
    if (sourceLength > targetLength)
        taps.maxTaps = int(std::ceil(scale)) + 1;
    else
        taps.maxTaps = 2;
    taps.weights.assign(std::size_t(targetLength) * taps.maxTaps, 0);
    std::vector<double> real(taps.maxTaps);

    for (int o = 0; o < targetLength; ++o) {
        int first = 0;
        int count = 0;
        if (sourceLength == targetLength) {
            first = o;
            count = 1;
            real[0] = 1.0;
        } else if (sourceLength > targetLength) {
            // Area average: every source pixel counts by the part of it that the output pixel covers.
            const double a = o * scale;
            const double b = std::min<double>((o + 1) * scale, sourceLength);
            first = std::min(int(a), sourceLength - 1);
            const int last = std::clamp(int(std::ceil(b)) - 1, first, sourceLength - 1);
            count = std::min(last - first + 1, taps.maxTaps);
            for (int k = 0; k < count; ++k) {
                const double lo = std::max(a, double(first + k));
                const double hi = std::min(b, double(first + k + 1));
                real[k] = std::max(0.0, hi - lo) / scale;
            }
        } else {
            // Linear blend of the two nearest source pixels, centres aligned.
            const double s = (o + 0.5) * scale - 0.5;
            int i0 = int(std::floor(s));
            double f = s - i0;
            if (i0 < 0) {
                i0 = 0;
                f = 0.0;
            }
            if (i0 >= sourceLength - 1) {
                i0 = sourceLength - 1;
                f = 0.0;
            }
            first = i0;
            count = f > 0.0 ? 2 : 1;
            real[0] = 1.0 - f;
            real[1] = f;
        }
        std::int32_t* w = taps.weights.data() + std::size_t(o) * taps.maxTaps;
        int total = 0;
        int largest = 0;
        for (int k = 0; k < count; ++k) {
            w[k] = std::int32_t(std::lround(real[k] * kWeightOne));
            total += w[k];
            if (w[k] > w[largest])
                largest = k;
        }
        w[largest] += kWeightOne - total; // the weights add up to exactly one
        taps.first[o] = first;
        taps.count[o] = count;
    }
    return taps;
}

// Source pixels are read as bytes: blue, green, red (and alpha when Channels is 4).
template <int SourceBytes, int Channels>
void ScaleBand(const QImage& image, const QRect& source, const Taps& across, const Taps& down,
               const QRect& window, int rowBegin, int rowEnd, QImage& out)
{
    const int firstRow = down.first[window.top() + rowBegin];
    int lastRow = firstRow;
    for (int y = rowBegin; y < rowEnd; ++y)
        lastRow = std::max(lastRow, down.first[window.top() + y] + down.count[window.top() + y] - 1);
    const int rows = lastRow - firstRow + 1;
    const int width = window.width();

    // Rows scaled across, with 8 bits of fraction kept for the pass down.
    std::vector<std::uint16_t> across16(std::size_t(rows) * width * Channels);
    for (int r = 0; r < rows; ++r) {
        const uchar* line = image.constScanLine(source.top() + firstRow + r) + std::size_t(source.left()) * SourceBytes;
        std::uint16_t* dst = across16.data() + std::size_t(r) * width * Channels;
        for (int x = 0; x < width; ++x) {
            const int o = window.left() + x;
            const int count = across.count[o];
            const std::int32_t* w = across.WeightsOf(o);
            const uchar* p = line + std::size_t(across.first[o]) * SourceBytes;
            std::int32_t sum[Channels] = {};
            for (int k = 0; k < count; ++k, p += SourceBytes)
                for (int c = 0; c < Channels; ++c)
                    sum[c] += w[k] * p[c];
            for (int c = 0; c < Channels; ++c)
                dst[c] = std::uint16_t((sum[c] + (1 << 5)) >> 6);
            dst += Channels;
        }
    }

    for (int y = rowBegin; y < rowEnd; ++y) {
        const int o = window.top() + y;
        const int count = down.count[o];
        const std::int32_t* w = down.WeightsOf(o);
        const int base = down.first[o] - firstRow;
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            std::int32_t sum[Channels] = {};
            for (int k = 0; k < count; ++k) {
                const std::uint16_t* p = across16.data() + (std::size_t(base + k) * width + x) * Channels;
                for (int c = 0; c < Channels; ++c)
                    sum[c] += w[k] * p[c];
            }
            for (int c = 0; c < Channels; ++c)
                dst[c] = uchar(std::min(255, (sum[c] + (1 << 21)) >> 22));
            if constexpr (Channels == 3)
                dst[3] = 0xff;
            dst += 4;
        }
    }
}

} // namespace

QImage ScaleImage(const QImage& image, const QRect& source, const QSize& target, QRect window)
{
    const QRect src = source.intersected(image.rect());
    if (src.isEmpty() || target.isEmpty())
        return QImage();
    const QRect full(QPoint(0, 0), target);
    window = window.isEmpty() ? full : window.intersected(full);
    if (window.isEmpty())
        return QImage();

    // Formats other than these three are brought to one of them first (only the part in use).
    QImage work = image;
    QRect area = src;
    int sourceBytes = 4;
    bool alpha = false;
    switch (image.format()) {
    case QImage::Format_RGB32:
        break;
    case QImage::Format_ARGB32_Premultiplied:
        alpha = true;
        break;
    case QImage::Format_BGR888:
        sourceBytes = 3;
        break;
    default:
        alpha = image.hasAlphaChannel();
        work = image.copy(src).convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        if (work.isNull())
            AllocateImage(src.width(), src.height(), QImage::Format_RGB32); // raises when memory is short
        area = work.rect();
        break;
    }

    const QImage::Format outFormat = alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage out = AllocateImage(window.width(), window.height(), outFormat);
    const Taps across = MakeTaps(area.width(), target.width());
    const Taps down = MakeTaps(area.height(), target.height());

    const std::int64_t work64 = std::int64_t(window.width()) * window.height()
                                + std::int64_t(area.width()) * area.height() / 4;
    const int bands = work64 < 200'000 ? 1 : std::min(window.height(), PixelThreads() * 4);
    ParallelFor(bands, [&](int band) {
        const int begin = int(std::int64_t(window.height()) * band / bands);
        const int end = int(std::int64_t(window.height()) * (band + 1) / bands);
        if (begin >= end)
            return;
        if (sourceBytes == 3)
            ScaleBand<3, 3>(work, area, across, down, window, begin, end, out);
        else if (alpha)
            ScaleBand<4, 4>(work, area, across, down, window, begin, end, out);
        else
            ScaleBand<4, 3>(work, area, across, down, window, begin, end, out);
    });
    return out;
}

} // namespace lumoria::platform
