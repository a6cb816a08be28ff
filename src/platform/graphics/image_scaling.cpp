#include "platform/graphics/image_scaling.h"

#include "platform/graphics/image_memory.h"
#include "platform/graphics/parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LUMORIA_X86_KERNELS 1
#endif

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
    // The same weights as 16 bits for the vector kernels, four taps at a time (short enough for a
    // row's worth to stay in the first-level cache).
    int quads = 0;
    std::vector<std::int16_t> narrow;

    const std::int32_t* WeightsOf(int o) const { return weights.data() + std::size_t(o) * maxTaps; }
    const std::int16_t* NarrowOf(int o) const { return narrow.data() + std::size_t(o) * quads * 4; }
};

// The source part starts at fraction start (0 <= start < 1) of its first pixel and is length pixels
// long; available pixels lie from its first pixel to the picture's edge.
Taps MakeTaps(double start, double length, int available, int targetLength)
{
    Taps taps;
    taps.first.resize(targetLength);
    taps.count.resize(targetLength);
    const double scale = length / targetLength;
    const bool same = start == 0.0 && length == double(targetLength);
    if (length > targetLength)
        taps.maxTaps = int(std::ceil(scale)) + 1;
    else
        taps.maxTaps = 2;
    taps.weights.assign(std::size_t(targetLength) * taps.maxTaps, 0);
    std::vector<double> real(taps.maxTaps);

    for (int o = 0; o < targetLength; ++o) {
        int first = 0;
        int count = 0;
        if (same) {
            first = o;
            count = 1;
            real[0] = 1.0;
        } else if (length > targetLength) {
            // Area average: every source pixel counts by the part of it that the output pixel covers.
            const double a = o * scale + start;
            const double b = std::min<double>((o + 1) * scale, length) + start;
            first = std::min(int(a), available - 1);
            const int last = std::clamp(int(std::ceil(b)) - 1, first, available - 1);
            count = std::min(last - first + 1, taps.maxTaps);
            for (int k = 0; k < count; ++k) {
                const double lo = std::max(a, double(first + k));
                const double hi = std::min(b, double(first + k + 1));
                real[k] = std::max(0.0, hi - lo) / scale;
            }
        } else {
            // Linear blend of the two nearest source pixels, centres aligned.
            const double s = (o + 0.5) * scale - 0.5 + start;
            int i0 = int(std::floor(s));
            double f = s - i0;
            if (i0 < 0) {
                i0 = 0;
                f = 0.0;
            }
            if (i0 >= available - 1) {
                i0 = available - 1;
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
    taps.quads = (taps.maxTaps + 3) / 4;
    taps.narrow.assign(std::size_t(targetLength) * taps.quads * 4, 0);
    for (int o = 0; o < targetLength; ++o)
        for (int k = 0; k < taps.count[o]; ++k)
            taps.narrow[std::size_t(o) * taps.quads * 4 + k] = std::int16_t(taps.WeightsOf(o)[k]); // at most kWeightOne
    return taps;
}

// One row scaled across into output positions [left, left + width), with 8 bits of fraction kept
// for the pass down. Source pixels are read as bytes: blue, green, red (and alpha when Channels is 4).
template <int SourceBytes, int Channels>
void ScaleAcross(const uchar* line, const Taps& across, int left, int width, std::uint16_t* dst)
{
    for (int x = 0; x < width; ++x) {
        const int o = left + x;
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

// The pass down ends here: 22 bits of fraction dropped, rounded.
inline uchar Finished(std::int32_t sum)
{
    return uchar(std::min(255, (sum + (1 << 21)) >> 22));
}

// One row's share of the pass down: sum += weight * across.
void AddWeighted(std::int32_t* sum, const std::uint16_t* across, int n, std::int32_t weight)
{
    int i = 0;
#ifdef LUMORIA_X86_KERNELS
    // 16 x 16 bit products (the weight is at most 1 << 14), their low and high halves joined.
    const __m128i w = _mm_set1_epi16(std::int16_t(weight));
    for (; i + 8 <= n; i += 8) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(across + i));
        const __m128i lo = _mm_mullo_epi16(p, w);
        const __m128i hi = _mm_mulhi_epu16(p, w);
        __m128i* s = reinterpret_cast<__m128i*>(sum + i);
        _mm_storeu_si128(s, _mm_add_epi32(_mm_loadu_si128(s), _mm_unpacklo_epi16(lo, hi)));
        _mm_storeu_si128(s + 1, _mm_add_epi32(_mm_loadu_si128(s + 1), _mm_unpackhi_epi16(lo, hi)));
    }
#endif
    for (; i < n; ++i)
        sum[i] += weight * across[i];
}

#ifdef LUMORIA_X86_KERNELS
// Byte shuffles (SSSE3), unsigned 32-bit packing (SSE 4.1) and 256-bit registers (AVX2) are beyond
// the x86-64 baseline: these kernels run where the processor has them, the plain loops elsewhere.
bool HasVectorKernels()
{
    static const bool has = __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("sse4.1");
    return has;
}

#define LUMORIA_VECTOR_TARGET __attribute__((target("ssse3,sse4.1")))

// The byte shuffle that lays taps 0 and 1 (second: 2 and 3) of four source pixels as 16-bit lanes,
// each channel's two side by side: blue, green, red (and alpha).
template <int SourceBytes>
__m128i TapPairShuffle(bool second)
{
    if (SourceBytes == 3)
        return second ? _mm_setr_epi8(6, -1, 9, -1, 7, -1, 10, -1, 8, -1, 11, -1, -1, -1, -1, -1)
                      : _mm_setr_epi8(0, -1, 3, -1, 1, -1, 4, -1, 2, -1, 5, -1, -1, -1, -1, -1);
    return second ? _mm_setr_epi8(8, -1, 12, -1, 9, -1, 13, -1, 10, -1, 14, -1, 11, -1, 15, -1)
                  : _mm_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1);
}

// ScaleAcross for the outputs [from, to) of left + x, each of whose taps lie within one 16-byte load
// per four taps. Each load gives the source pixels' channels as 16-bit lanes, two taps side by side,
// which one multiply-add per pair of taps weighs and adds.
template <int SourceBytes, int Channels>
LUMORIA_VECTOR_TARGET void ScaleAcrossVector(const uchar* line, const Taps& across, int left, int from, int to,
                                             std::uint16_t* dst)
{
    const __m128i taps01 = TapPairShuffle<SourceBytes>(false);
    const __m128i taps23 = TapPairShuffle<SourceBytes>(true);
    const __m128i half = _mm_set1_epi32(1 << 5);
    const int quads = across.quads;
    dst += std::size_t(from) * Channels;
    for (int x = from; x < to; ++x) {
        const int o = left + x;
        const uchar* p = line + std::size_t(across.first[o]) * SourceBytes;
        const std::int16_t* w = across.NarrowOf(o);
        __m128i sum = _mm_setzero_si128();
        for (int q = 0; q < quads; ++q, p += 4 * SourceBytes, w += 4) {
            const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            // The weights of taps (0, 1) and of taps (2, 3), each pair repeated for every channel.
            const __m128i weights = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(w));
            const __m128i w01 = _mm_shuffle_epi32(weights, 0x00);
            const __m128i w23 = _mm_shuffle_epi32(weights, 0x55);
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(pixels, taps01), w01));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(pixels, taps23), w23));
        }
        const __m128i words = _mm_srli_epi32(_mm_add_epi32(sum, half), 6);
        // Four words written, of which the fourth of a three-channel pixel is the next pixel's first
        // (written after it; the buffers hold one word more).
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm_packus_epi32(words, words));
        dst += Channels;
    }
}

// ScaleAcrossVector two outputs at a time, one in each half of a 256-bit register (AVX2), for the
// outputs [0, to); returns how many it made (the last odd one is left).
bool HasWideKernels()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

template <int SourceBytes, int Channels>
__attribute__((target("avx2"))) int ScaleAcrossWide(const uchar* line, const Taps& across, int left, int to,
                                                    std::uint16_t* dst)
{
    const __m256i taps01 = _mm256_broadcastsi128_si256(TapPairShuffle<SourceBytes>(false));
    const __m256i taps23 = _mm256_broadcastsi128_si256(TapPairShuffle<SourceBytes>(true));
    const __m256i half = _mm256_set1_epi32(1 << 5);
    const int quads = across.quads;
    int x = 0;
    for (; x + 2 <= to; x += 2) {
        const int o = left + x;
        const uchar* p = line + std::size_t(across.first[o]) * SourceBytes;
        const uchar* q = line + std::size_t(across.first[o + 1]) * SourceBytes;
        const std::int16_t* v = across.NarrowOf(o);
        const std::int16_t* w = across.NarrowOf(o + 1);
        __m256i sum = _mm256_setzero_si256();
        for (int k = 0; k < quads; ++k, p += 4 * SourceBytes, q += 4 * SourceBytes, v += 4, w += 4) {
            const __m256i pixels = _mm256_inserti128_si256(
                _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), 1);
            const __m256i weights = _mm256_inserti128_si256(
                _mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(v))),
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(w)), 1);
            sum = _mm256_add_epi32(sum, _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, taps01),
                                                          _mm256_shuffle_epi32(weights, 0x00)));
            sum = _mm256_add_epi32(sum, _mm256_madd_epi16(_mm256_shuffle_epi8(pixels, taps23),
                                                          _mm256_shuffle_epi32(weights, 0x55)));
        }
        const __m256i words = _mm256_srli_epi32(_mm256_add_epi32(sum, half), 6);
        const __m256i packed = _mm256_packus_epi32(words, words);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + Channels), _mm256_extracti128_si256(packed, 1));
        dst += 2 * Channels;
    }
    return x;
}

LUMORIA_VECTOR_TARGET int FinishRowVector(const std::int32_t* sum, int width, QRgb* out)
{
    const __m128i half = _mm_set1_epi32(1 << 21);
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(std::int32_t(0xff000000u));
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i* s = reinterpret_cast<const __m128i*>(sum + 3 * x);
        const __m128i a = _mm_srai_epi32(_mm_add_epi32(_mm_loadu_si128(s), half), 22);
        const __m128i b = _mm_srai_epi32(_mm_add_epi32(_mm_loadu_si128(s + 1), half), 22);
        const __m128i c = _mm_srai_epi32(_mm_add_epi32(_mm_loadu_si128(s + 2), half), 22);
        // The sums are never negative: saturating to a byte is the min with 255.
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, c));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(_mm_shuffle_epi8(bytes, spread), opaque));
    }
    return x;
}
#endif

// ScaleAcross by the vector kernel for the outputs whose loads stay within the row (rowBytes from
// line), by the plain loop for the rest.
template <int SourceBytes, int Channels>
void ScaleAcrossRow(const uchar* line, std::size_t rowBytes, const Taps& across, int left, int width,
                    std::uint16_t* dst)
{
    int done = 0;
#ifdef LUMORIA_X86_KERNELS
    if (HasVectorKernels()) {
        // The outputs' first taps only grow: those before the first whose last load would pass the
        // row's end.
        const std::size_t reach = std::size_t(across.quads - 1) * 4 * SourceBytes + 16;
        int safe = 0;
        int hi = width;
        while (safe < hi) {
            const int mid = (safe + hi) / 2;
            if (std::size_t(across.first[left + mid]) * SourceBytes + reach <= rowBytes)
                safe = mid + 1;
            else
                hi = mid;
        }
        const int wide = HasWideKernels() ? ScaleAcrossWide<SourceBytes, Channels>(line, across, left, safe, dst) : 0;
        ScaleAcrossVector<SourceBytes, Channels>(line, across, left, wide, safe, dst);
        done = safe;
    }
#endif
    if (done < width)
        ScaleAcross<SourceBytes, Channels>(line, across, left + done, width - done, dst + std::size_t(done) * Channels);
}

// Finished pixels of a row of sums (blue, green, red), opaque.
void FinishRow(const std::int32_t* sum, int width, QRgb* out)
{
    int x = 0;
#ifdef LUMORIA_X86_KERNELS
    if (HasVectorKernels())
        x = FinishRowVector(sum, width, out);
#endif
    for (; x < width; ++x)
        out[x] = qRgb(Finished(sum[3 * x + 2]), Finished(sum[3 * x + 1]), Finished(sum[3 * x]));
}

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

    // Rows scaled across, with 8 bits of fraction kept for the pass down (and a word for the
    // kernels to write past the last pixel).
    std::vector<std::uint16_t> across16(std::size_t(rows) * width * Channels + 1);
    const std::size_t rowBytes = std::size_t(image.width() - source.left()) * SourceBytes;
    for (int r = 0; r < rows; ++r) {
        const uchar* line = image.constScanLine(source.top() + firstRow + r) + std::size_t(source.left()) * SourceBytes;
        ScaleAcrossRow<SourceBytes, Channels>(line, rowBytes, across, window.left(), width,
                                              across16.data() + std::size_t(r) * width * Channels);
    }

    if constexpr (Channels == 3) {
        // Opaque: the pass down of the row scaler, a row of sums at a time.
        std::vector<std::int32_t> sums(std::size_t(width) * 3);
        for (int y = rowBegin; y < rowEnd; ++y) {
            const int o = window.top() + y;
            const std::int32_t* w = down.WeightsOf(o);
            const int base = down.first[o] - firstRow;
            std::fill(sums.begin(), sums.end(), 0);
            for (int k = 0; k < down.count[o]; ++k)
                AddWeighted(sums.data(), across16.data() + std::size_t(base + k) * width * 3, width * 3, w[k]);
            FinishRow(sums.data(), width, reinterpret_cast<QRgb*>(out.scanLine(y)));
        }
        return;
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
                dst[c] = Finished(sum[c]);
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
        // The whole picture is converted without a copy of it first.
        work = (src == image.rect() ? image : image.copy(src))
                   .convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        if (work.isNull())
            AllocateImage(src.width(), src.height(), QImage::Format_RGB32); // raises when memory is short
        area = work.rect();
        break;
    }

    const QImage::Format outFormat = alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage out = AllocateImage(window.width(), window.height(), outFormat);
    const Taps across = MakeTaps(0.0, area.width(), area.width(), target.width());
    const Taps down = MakeTaps(0.0, area.height(), area.height(), target.height());

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

struct RowScaler::State {
    Taps across;
    Taps down;
    int sourceWidth = 0;
    int sourceBytes = 3;
    QPoint base;          // the source pixel holding the part's top-left corner
    QSize target;
    int left = 0;         // the target columns this scaler makes: [left, left + width)
    int width = 0;
    Orientation lay;
    uchar* out = nullptr;
    qsizetype outStride = 0;
    QSize outSize;
    QPoint at;
    std::vector<std::uint16_t> acrossRow;
    std::vector<QRgb> finishedRow;
    // Result rows still taking source rows: sums for rows [lo, lo + sums.size()).
    int lo = 0;
    std::deque<std::vector<std::int32_t>> sums;
    std::vector<std::vector<std::int32_t>> spare; // finished rows' sums, taken again
    int finished = 0;
    // Finished rows waiting to be written as columns, kTurnStrip at a time (so that each written row
    // of the target gets whole cache lines), one after the other.
    static constexpr int kTurnStrip = 32;
    std::vector<QRgb> strip;
    int stripFirst = 0;
    int stripRows = 0;
};

RowScaler::RowScaler(int sourceWidth, int sourceHeight, int sourceBytes, const QRectF& source, QSize target,
                     Orientation lay, uchar* out, qsizetype outStride, QSize outSize, QPoint at, int fromColumn,
                     int toColumn)
    : m(std::make_unique<State>())
{
    const QRectF part = source.intersected(QRectF(0, 0, sourceWidth, sourceHeight));
    if (part.isEmpty() || target.isEmpty() || (sourceBytes != 3 && sourceBytes != 4))
        return;
    m->sourceWidth = sourceWidth;
    m->sourceBytes = sourceBytes;
    m->base = QPoint(int(std::floor(part.x())), int(std::floor(part.y())));
    // As ScaleImage, an enlarged part blends no pixel from beyond its own edges.
    const int right = std::min(sourceWidth, int(std::ceil(part.x() + part.width())));
    const int bottom = std::min(sourceHeight, int(std::ceil(part.y() + part.height())));
    m->across = MakeTaps(part.x() - m->base.x(), part.width(), right - m->base.x(), target.width());
    m->down = MakeTaps(part.y() - m->base.y(), part.height(), bottom - m->base.y(), target.height());
    m->target = target;
    m->left = std::clamp(fromColumn, 0, target.width());
    m->width = (toColumn < 0 ? target.width() : std::clamp(toColumn, m->left, target.width())) - m->left;
    m->lay = lay;
    m->out = out;
    m->outStride = outStride;
    m->outSize = outSize;
    m->at = at;
    m->acrossRow.resize(std::size_t(m->width) * 3 + 1); // a word for the kernels to write past the end
    m->finishedRow.resize(std::size_t(m->width));
    if (lay.transpose)
        m->strip.resize(std::size_t(m->width) * State::kTurnStrip);
}

RowScaler::~RowScaler() = default;

bool RowScaler::Done() const
{
    return m->target.isEmpty() || m->finished >= m->target.height();
}

void RowScaler::Push(int y, const uchar* row)
{
    if (Across(y, row, m->acrossRow.data()))
        PushAcross(y, m->acrossRow.data());
}

bool RowScaler::Across(int y, const uchar* row, std::uint16_t* out) const
{
    const State& s = *m;
    const int height = s.target.height();
    const int r = y - s.base.y();
    if (height <= 0 || r < s.down.first[0] || r >= s.down.first[height - 1] + s.down.count[height - 1])
        return false;
    const uchar* line = row + std::size_t(s.base.x()) * s.sourceBytes;
    const std::size_t rowBytes = std::size_t(s.sourceWidth - s.base.x()) * s.sourceBytes;
    if (s.sourceBytes == 3)
        ScaleAcrossRow<3, 3>(line, rowBytes, s.across, s.left, s.width, out);
    else
        ScaleAcrossRow<4, 3>(line, rowBytes, s.across, s.left, s.width, out);
    return true;
}

void RowScaler::PushAcross(int y, const std::uint16_t* across)
{
    State& s = *m;
    if (Done())
        return;
    const int r = y - s.base.y();
    if (r < 0 || r < s.down.first[s.lo])
        return;
    const int width = s.width;
    auto take = [&] {
        if (s.spare.empty())
            return std::vector<std::int32_t>(std::size_t(width) * 3, 0);
        std::vector<std::int32_t> sums = std::move(s.spare.back());
        s.spare.pop_back();
        std::fill(sums.begin(), sums.end(), 0);
        return sums;
    };

    // Every result row whose taps take this source row.
    for (int o = s.lo; o < s.target.height() && s.down.first[o] <= r; ++o) {
        const int k = r - s.down.first[o];
        if (k >= s.down.count[o])
            continue;
        const std::size_t slot = std::size_t(o - s.lo);
        while (s.sums.size() <= slot)
            s.sums.push_back(take());
        AddWeighted(s.sums[slot].data(), across, width * 3, s.down.WeightsOf(o)[k]);
    }
    // Result rows whose last tap this was are done, in order.
    while (s.lo < s.target.height() && s.down.first[s.lo] + s.down.count[s.lo] - 1 <= r) {
        if (s.sums.empty())
            s.sums.push_back(take());
        WriteRow(s.lo, s.sums.front().data());
        s.spare.push_back(std::move(s.sums.front()));
        s.sums.pop_front();
        ++s.lo;
        ++s.finished;
    }
    if (Done())
        Finish();
}

void RowScaler::WriteRow(int o, const std::int32_t* sum)
{
    State& s = *m;
    const int width = s.width;
    if (s.lay.transpose) {
        if (s.stripRows == 0)
            s.stripFirst = o;
        FinishRow(sum, width, s.strip.data() + std::size_t(s.stripRows) * width);
        if (++s.stripRows == State::kTurnStrip)
            FlushStrip();
        return;
    }
    const QRgb* finished = s.finishedRow.data();
    FinishRow(sum, width, s.finishedRow.data());
    const int y = s.at.y() + (s.lay.flipY ? s.target.height() - 1 - o : o);
    if (y < 0 || y >= s.outSize.height())
        return;
    QRgb* line = reinterpret_cast<QRgb*>(s.out + qsizetype(y) * s.outStride);
    if (!s.lay.flipX) {
        const int left = s.at.x() + s.left;
        const int from = std::max(0, -left);
        const int to = std::min(width, s.outSize.width() - left);
        if (from < to)
            std::memcpy(line + left + from, finished + from, std::size_t(to - from) * sizeof(QRgb));
        return;
    }
    // Column x of the result lands at target width - 1 - x.
    const int right = s.at.x() + s.target.width() - 1 - s.left;
    const int from = std::max(0, right - s.outSize.width() + 1);
    const int to = std::min(width, right + 1);
    for (int x = from; x < to; ++x)
        line[right - x] = finished[x];
}

void RowScaler::FlushStrip()
{
    State& s = *m;
    if (s.stripRows == 0)
        return;
    // Result pixel (x, o) lands at column o (target height - 1 - o mirrored down) of row x (target
    // width - 1 - x mirrored across).
    const int width = s.width;
    const int n = s.stripRows;
    const int left = s.at.x() + (s.lay.flipY ? s.target.height() - s.stripFirst - n : s.stripFirst);
    const int from = std::max(0, -left);
    const int to = std::min(n, s.outSize.width() - left);
    s.stripRows = 0;
    if (from >= to)
        return;
    const QRgb* strip = s.strip.data();
    auto line = [&](int x) -> QRgb* {
        const int column = s.left + x;
        const int y = s.at.y() + (s.lay.flipX ? s.target.width() - 1 - column : column);
        return y < 0 || y >= s.outSize.height() ? nullptr : reinterpret_cast<QRgb*>(s.out + qsizetype(y) * s.outStride) + left;
    };
    int x = 0;
#ifdef LUMORIA_X86_KERNELS
    // A whole strip in order: blocks of 4 x 4 pixels turned in registers, each written row taking
    // whole 16-byte pieces.
    if (!s.lay.flipY && from == 0 && to == State::kTurnStrip) {
        for (; x + 4 <= width; x += 4) {
            QRgb* lines[4] = {line(x), line(x + 1), line(x + 2), line(x + 3)};
            if (!lines[0] || !lines[1] || !lines[2] || !lines[3])
                break;
            for (int r = 0; r < State::kTurnStrip; r += 4) {
                const QRgb* p = strip + std::size_t(r) * width + x;
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + width));
                const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * width));
                const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 3 * width));
                const __m128i ab01 = _mm_unpacklo_epi32(a, b);
                const __m128i cd01 = _mm_unpacklo_epi32(c, d);
                const __m128i ab23 = _mm_unpackhi_epi32(a, b);
                const __m128i cd23 = _mm_unpackhi_epi32(c, d);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(lines[0] + r), _mm_unpacklo_epi64(ab01, cd01));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(lines[1] + r), _mm_unpackhi_epi64(ab01, cd01));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(lines[2] + r), _mm_unpacklo_epi64(ab23, cd23));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(lines[3] + r), _mm_unpackhi_epi64(ab23, cd23));
            }
        }
    }
#endif
    for (; x < width; ++x) {
        QRgb* target = line(x);
        if (!target)
            continue;
        for (int k = from; k < to; ++k)
            target[k] = strip[std::size_t(s.lay.flipY ? n - 1 - k : k) * width + x];
    }
}

void RowScaler::Finish()
{
    if (m->lay.transpose)
        FlushStrip();
}

} // namespace lumoria::platform
