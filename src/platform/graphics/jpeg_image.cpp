#include "platform/graphics/jpeg_image.h"

#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/jpeg_exif.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumoria::platform {

namespace {

// libjpeg's internal memory limit; beyond it the library refuses the picture instead of growing.
constexpr long kLibjpegMemoryLimit = 1536L * 1024 * 1024;

[[noreturn]] void RaiseJpegError(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    throw InvalidPicture("JPEG error #" + std::to_string(info->err->msg_code) + ": " + text);
}

void OnError(j_common_ptr info)
{
    RaiseJpegError(info);
}

void OnMessage(j_common_ptr info, int level)
{
    // A file cut short is an error here; libjpeg would pad it with grey and go on.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        RaiseJpegError(info);
    if (level < 0)
        ++info->err->num_warnings;
}

void SetUpErrors(jpeg_error_mgr& errors)
{
    jpeg_std_error(&errors);
    errors.error_exit = OnError;
    errors.emit_message = OnMessage;
}

// libjpeg reads every scan a file holds, and an arithmetic-coded scan of a few bytes still visits
// every block of the picture: a small file of thousands of scans would keep a thread busy for
// minutes. Real pictures use about ten.
constexpr int kMaxScans = 100;

void OnProgress(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        throw InvalidPicture("JPEG error: the picture holds more than " + std::to_string(kMaxScans) + " scans");
    ThrowIfDecodeStopped();
}

// What every decompressor sets beside its source: errors as exceptions, libjpeg's memory limit, and
// the progress check (scan limit, and the stop of a picture no longer wanted).
void SetUpDecompressor(jpeg_decompress_struct& info, jpeg_error_mgr& errors, jpeg_progress_mgr& progress)
{
    SetUpErrors(errors);
    info.err = &errors;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kLibjpegMemoryLimit;
    progress.progress_monitor = OnProgress;
    info.progress = &progress;
}

// Checks made once the header is read. A progressive picture is decoded through a buffer of the
// whole picture's coefficients, whatever the size drawn. Its first scan gives every block of 8 x 8
// pixels at least a bit, so a picture far larger than its file could hold is a bomb, refused before
// the buffer.
void CheckHeader(const jpeg_decompress_struct& info, std::int64_t fileSize)
{
    CheckPictureSize(info.image_width, info.image_height, "JPEG");
    constexpr std::int64_t kPixelsPerByte = 8 * 64;
    constexpr std::int64_t kSlack = 1 << 20;
    if (jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info))
        && std::int64_t(info.image_width) * info.image_height > kSlack + fileSize * kPixelsPerByte)
        throw InvalidPicture("JPEG error: the progressive picture is larger than its file can hold");
}

// What a decode allocates beyond its output: the whole picture's coefficients when it has several
// scans, and some room for libjpeg's own rows.
std::int64_t WorkingBytes(const jpeg_decompress_struct& info)
{
    std::int64_t bytes = 1 << 20;
    if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info)))
        return bytes + std::int64_t(info.output_width) * info.output_components * 16;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const std::int64_t h = std::max(1, component.h_samp_factor);
        const std::int64_t v = std::max(1, component.v_samp_factor);
        const std::int64_t across = (std::int64_t(component.width_in_blocks) + h - 1) / h * h;
        const std::int64_t down = (std::int64_t(component.height_in_blocks) + v - 1) / v * v;
        bytes += across * down * std::int64_t(sizeof(JBLOCK));
    }
    return bytes;
}

// Memory source: the whole stream is in the buffer; running past its end is a file cut short.
struct MemorySource {
    jpeg_source_mgr manager{};
    const QByteArray* data = nullptr;
    static const JOCTET kEnd[2];
};
const JOCTET MemorySource::kEnd[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info)
{
    WARNMS(info, JWRN_JPEG_EOF); // raises (see OnMessage)
    info->src->next_input_byte = MemorySource::kEnd;
    info->src->bytes_in_buffer = 2;
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = info->src;
    while (std::size_t(count) > src->bytes_in_buffer) {
        count -= long(src->bytes_in_buffer);
        FillInput(info);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= std::size_t(count);
}

void TermSource(j_decompress_ptr) {}

// The APP1 segments are kept while the header is read, for the orientation.
void KeepExif(jpeg_decompress_struct& info)
{
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
}

// The orientation of the first Exif block among the kept segments.
int OrientationOf(const jpeg_decompress_struct& info)
{
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1)
            continue;
        const QByteArray block = QByteArray::fromRawData(reinterpret_cast<const char*>(m->data), qsizetype(m->data_length));
        if (block.startsWith(QByteArray("Exif\0\0", 6)))
            return ExifOrientation(block);
    }
    return 1;
}

class Decompressor {
public:
    explicit Decompressor(const QByteArray& data)
    {
        SetUpDecompressor(m_info, m_errors, m_progress);
        m_source.data = &data;
        m_source.manager.init_source = InitSource;
        m_source.manager.fill_input_buffer = FillInput;
        m_source.manager.skip_input_data = SkipInput;
        m_source.manager.resync_to_restart = jpeg_resync_to_restart;
        m_source.manager.term_source = TermSource;
        m_source.manager.next_input_byte = reinterpret_cast<const JOCTET*>(data.constData());
        m_source.manager.bytes_in_buffer = std::size_t(data.size());
        m_info.src = &m_source.manager;
    }
    ~Decompressor() { jpeg_destroy_decompress(&m_info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    void ReadHeader(const QByteArray& data)
    {
        if (data.size() < 4 || uchar(data[0]) != 0xFF || uchar(data[1]) != 0xD8)
            throw InvalidPicture("JPEG error #53: Not a JPEG file: starts with 0x"
                                 + QByteArray(data.left(2)).toHex().toStdString());
        KeepExif(m_info);
        jpeg_read_header(&m_info, TRUE);
        CheckHeader(m_info, data.size());
    }

    jpeg_decompress_struct& info() { return m_info; }

private:
    jpeg_error_mgr m_errors{};
    jpeg_progress_mgr m_progress{};
    jpeg_decompress_struct m_info{};
    MemorySource m_source;
};

bool IsGrey(const jpeg_decompress_struct& info)
{
    return info.jpeg_color_space == JCS_GRAYSCALE;
}

bool IsCmyk(const jpeg_decompress_struct& info)
{
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

QList<QRgb> GreyTable()
{
    QList<QRgb> table;
    table.reserve(256);
    for (int i = 0; i < 256; ++i)
        table.append(qRgb(i, i, i));
    return table;
}

void CmykToBgr(const JOCTET* in, uchar* out, int width, int step, bool inverted)
{
    for (int x = 0; x < width; ++x) {
        int c = in[4 * x], m = in[4 * x + 1], ye = in[4 * x + 2], k = in[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            ye = 255 - ye;
            k = 255 - k;
        }
        out[step * x] = uchar(ye * k / 255);
        out[step * x + 1] = uchar(m * k / 255);
        out[step * x + 2] = uchar(c * k / 255);
        if (step == 4)
            out[step * x + 3] = 0xff;
    }
}

} // namespace

// The whole-picture coefficient buffers of a progressive decode, held in memory of our own instead
// of libjpeg's pools: fresh pages read as zero, so nothing is cleared ahead, and once the last pass
// reads the buffers top to bottom the rows behind it are given back to the system, so that the
// rows written out take the place of the coefficients they came from.
class CoefficientBuffers {
public:
    // Takes over the buffers of the decompressor (whose client_data must be this).
    void Install(jpeg_decompress_struct& info)
    {
        m_library = *info.mem;
        info.mem->request_virt_barray = Request;
        info.mem->realize_virt_arrays = Realize;
        info.mem->access_virt_barray = Access;
    }

    ~CoefficientBuffers()
    {
        for (Buffer& b : m_buffers)
            if (b.mapping)
                ::munmap(b.mapping, b.mapped);
    }

private:
    struct Buffer {
        JDIMENSION blocksPerRow = 0;
        JDIMENSION rows = 0;
        std::size_t rowBytes = 0;
        std::size_t bytes = 0;
        void* memory = nullptr;
        std::vector<JBLOCKROW> rowStarts;
        void* mapping = nullptr;  // memory holds the rows from the first huge-page boundary in it
        std::size_t mapped = 0;
        std::size_t released = 0; // bytes from the start already given back
    };

    static CoefficientBuffers& Of(j_common_ptr info) { return *static_cast<CoefficientBuffers*>(info->client_data); }

    static jvirt_barray_ptr Request(j_common_ptr info, int pool, boolean preZero, JDIMENSION blocksPerRow,
                                    JDIMENSION rows, JDIMENSION maxAccess)
    {
        CoefficientBuffers& self = Of(info);
        if (pool != JPOOL_IMAGE)
            return self.m_library.request_virt_barray(info, pool, preZero, blocksPerRow, rows, maxAccess);
        Buffer& b = self.m_buffers.emplace_back();
        b.blocksPerRow = blocksPerRow;
        b.rows = rows;
        return reinterpret_cast<jvirt_barray_ptr>(self.m_buffers.size());
    }

    static void Realize(j_common_ptr info)
    {
        CoefficientBuffers& self = Of(info);
        self.m_library.realize_virt_arrays(info);
        std::int64_t total = 0;
        for (const Buffer& b : self.m_buffers)
            total += std::int64_t(b.blocksPerRow) * b.rows * std::int64_t(sizeof(JBLOCK));
        if (total > kLibjpegMemoryLimit)
            ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
        for (Buffer& b : self.m_buffers) {
            if (b.memory)
                continue;
            b.rowBytes = std::size_t(b.blocksPerRow) * sizeof(JBLOCK);
            b.bytes = std::max<std::size_t>(1, b.rowBytes * b.rows);
            // In huge pages: the first pass writes them all at once, and far fewer faults stop it.
            b.mapped = b.bytes + kHugePage;
            void* mapping = ::mmap(nullptr, b.mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (mapping == MAP_FAILED)
                ERREXIT1(info, JERR_OUT_OF_MEMORY, 1);
            b.mapping = mapping;
            const auto at = (reinterpret_cast<std::uintptr_t>(mapping) + kHugePage - 1) / kHugePage * kHugePage;
            void* memory = reinterpret_cast<void*>(at);
            ::madvise(memory, b.bytes, MADV_HUGEPAGE);
            b.memory = memory;
            b.rowStarts.resize(b.rows);
            for (JDIMENSION r = 0; r < b.rows; ++r)
                b.rowStarts[r] = reinterpret_cast<JBLOCKROW>(static_cast<char*>(memory) + r * b.rowBytes);
        }
    }

    static JBLOCKARRAY Access(j_common_ptr info, jvirt_barray_ptr handle, JDIMENSION start, JDIMENSION count,
                              boolean writable)
    {
        CoefficientBuffers& self = Of(info);
        const std::size_t index = reinterpret_cast<std::size_t>(handle);
        if (index == 0 || index > self.m_buffers.size())
            return self.m_library.access_virt_barray(info, handle, start, count, writable);
        Buffer& b = self.m_buffers[index - 1];
        if (!b.memory || start + count > b.rows || start > b.rows)
            ERREXIT(info, JERR_BAD_VIRTUAL_ACCESS);
        // Reading only happens in the output pass, after the whole file went in, and each reading
        // starts at or after the last one. Memory goes back in large steps: each step stops every
        // thread of the process for a moment.
        if (!writable && !reinterpret_cast<j_decompress_ptr>(info)->buffered_image) {
            const std::size_t end = std::size_t(start) * b.rowBytes / kHugePage * kHugePage;
            if (end >= b.released + kReleaseStep) {
                ::madvise(static_cast<char*>(b.memory) + b.released, end - b.released, MADV_DONTNEED);
                b.released = end;
            }
        }
        return b.rowStarts.data() + start;
    }

    static constexpr std::size_t kHugePage = 2 << 20;
    static constexpr std::size_t kReleaseStep = kHugePage;
    jpeg_memory_mgr m_library{};
    std::deque<Buffer> m_buffers;
};

struct JpegRowReader::State {
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    jpeg_decompress_struct info{};
    DecodeMemory memory; // declared before the coefficient buffers: given back once they are
    CoefficientBuffers coefficients;
    std::FILE* file = nullptr;
    bool created = false;
    JpegInfo header;
    bool cmyk = false;
    std::vector<JOCTET> cmykRow;
    std::vector<uchar> row;
    JDIMENSION endRow = 0; // the rows end here (the output height unless cropped)
    JDIMENSION left = 0;   // the first column decoded

    ~State()
    {
        if (created)
            jpeg_destroy_decompress(&info); // before the coefficient buffers go
        if (file)
            std::fclose(file);
    }
};

JpegRowReader::JpegRowReader(const QString& path) : m(std::make_unique<State>())
{
    const QByteArray name = QFile::encodeName(path);
    m->file = std::fopen(name.constData(), "rb");
    if (!m->file) {
        if (!QFileInfo::exists(path))
            throw FileNotFound(path.toStdString());
        throw FileError("Cannot open file \"" + path.toStdString() + "\". " + std::strerror(errno));
    }
    unsigned char start[2] = {};
    if (std::fread(start, 1, 2, m->file) != 2 || start[0] != 0xFF || start[1] != 0xD8)
        throw InvalidPicture("JPEG error #53: Not a JPEG file: " + path.toStdString());
    std::rewind(m->file);
    std::setvbuf(m->file, nullptr, _IOFBF, 1 << 18); // libjpeg asks for 4 KB at a time
    SetUpDecompressor(m->info, m->errors, m->progress);
    m->created = true;
    m->info.client_data = &m->coefficients;
    m->coefficients.Install(m->info);
    jpeg_stdio_src(&m->info, m->file);
    KeepExif(m->info);
    jpeg_read_header(&m->info, TRUE);
    struct stat status{};
    CheckHeader(m->info, ::fstat(::fileno(m->file), &status) == 0 ? std::int64_t(status.st_size) : 0);
    m->header.width = int(m->info.image_width);
    m->header.height = int(m->info.image_height);
    m->header.grayscale = IsGrey(m->info);
    m->header.progressive = jpeg_has_multiple_scans(&m->info);
    m->header.orientation = OrientationOf(m->info);
    m->cmyk = IsCmyk(m->info);
}

JpegRowReader::~JpegRowReader() = default;

const JpegInfo& JpegRowReader::Info() const
{
    return m->header;
}

QSize JpegRowReader::Start(int eighths)
{
    jpeg_decompress_struct& info = m->info;
    info.scale_num = unsigned(std::clamp(eighths, 1, 8));
    info.scale_denom = 8;
    info.out_color_space = m->cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&info);
    CheckPictureSize(info.output_width, info.output_height, "JPEG");
    m->row.resize(std::size_t(info.output_width) * 3);
    if (m->cmyk)
        m->cmykRow.resize(std::size_t(info.output_width) * 4);
    m->memory = ReserveDecodeMemory(WorkingBytes(info));
    jpeg_start_decompress(&info);
    m->endRow = info.output_height;
    return QSize(int(info.output_width), int(info.output_height));
}

QRect JpegRowReader::Crop(const QRect& wanted)
{
    jpeg_decompress_struct& info = m->info;
    const QRect all(0, 0, int(info.output_width), int(info.output_height));
    // The chroma upsampling of an edge pixel reads its neighbours: one block (iMCU) more on each
    // side leaves the wanted pixels as a full decode gives them.
    const int across = std::max(1, info.max_h_samp_factor * info.min_DCT_scaled_size);
    const int down = std::max(1, info.max_v_samp_factor * info.min_DCT_scaled_size);
    const QRect part = wanted.adjusted(-across, -down, across, down).intersected(all);
    if (part.isEmpty() || info.output_scanline != 0)
        return QRect(int(m->left), int(info.output_scanline), int(info.output_width),
                     int(m->endRow) - int(info.output_scanline));
    // libjpeg widens the columns to whole blocks.
    if (part.width() < all.width()) {
        JDIMENSION x = JDIMENSION(part.x());
        JDIMENSION width = JDIMENSION(part.width());
        jpeg_crop_scanline(&info, &x, &width);
        m->left = x;
        m->row.resize(std::size_t(width) * 3);
        if (m->cmyk)
            m->cmykRow.resize(std::size_t(width) * 4);
    }
    if (part.y() > 0)
        jpeg_skip_scanlines(&info, JDIMENSION(part.y()));
    m->endRow = JDIMENSION(part.y() + part.height());
    return QRect(int(m->left), int(info.output_scanline), int(info.output_width), int(m->endRow - info.output_scanline));
}

int JpegRowReader::NextRowIndex() const
{
    return int(m->info.output_scanline);
}

const uchar* JpegRowReader::NextRow()
{
    return ReadRow(m->row.data()) ? m->row.data() : nullptr;
}

bool JpegRowReader::ReadRow(uchar* into)
{
    jpeg_decompress_struct& info = m->info;
    if (info.output_scanline >= m->endRow)
        return false;
    if (!m->cmyk) {
        JSAMPROW row = into;
        jpeg_read_scanlines(&info, &row, 1);
    } else {
        JSAMPROW row = m->cmykRow.data();
        jpeg_read_scanlines(&info, &row, 1);
        CmykToBgr(m->cmykRow.data(), into, int(info.output_width), 3, info.saw_Adobe_marker);
    }
    return true;
}

JpegInfo ReadJpegInfo(const QByteArray& data)
{
    Decompressor d(data);
    d.ReadHeader(data);
    JpegInfo info;
    info.width = int(d.info().image_width);
    info.height = int(d.info().image_height);
    info.grayscale = IsGrey(d.info());
    info.progressive = jpeg_has_multiple_scans(&d.info());
    info.orientation = OrientationOf(d.info());
    return info;
}

QImage DecodeJpeg(const QByteArray& data, JpegOutput output, int eighths)
{
    const DecodeScope scope;
    Decompressor d(data);
    d.ReadHeader(data);
    jpeg_decompress_struct& info = d.info();
    info.scale_num = unsigned(std::clamp(eighths, 1, 8));
    info.scale_denom = 8;
    const bool grey = IsGrey(info);
    const bool cmyk = IsCmyk(info);
    QImage image;
    if (cmyk)
        info.out_color_space = JCS_CMYK;
    else if (grey && output == JpegOutput::Native)
        info.out_color_space = JCS_GRAYSCALE;
    else
        info.out_color_space = output == JpegOutput::Native ? JCS_EXT_BGR : JCS_EXT_BGRA;
    jpeg_calc_output_dimensions(&info);
    const int width = int(info.output_width);
    const int height = int(info.output_height);
    CheckPictureSize(width, height, "JPEG");

    QImage::Format format = output == JpegOutput::Rgb32 ? QImage::Format_RGB32 : QImage::Format_BGR888;
    if (grey && output == JpegOutput::Native)
        format = QImage::Format_Indexed8;
    DecodeMemory memory = ReserveDecodeMemory(ImageBytes(width, height, format) + WorkingBytes(info));
    image = AllocateImage(width, height, format, memory.Split(ImageBytes(width, height, format)));
    if (format == QImage::Format_Indexed8)
        image.setColorTable(GreyTable());

    jpeg_start_decompress(&info);
    std::vector<JOCTET> cmykRow(cmyk ? std::size_t(width) * 4 : 0);
    // Adobe writes CMYK inverted; the conversion below expects that.
    const bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        if (!cmyk) {
            JSAMPROW row = image.scanLine(y);
            jpeg_read_scanlines(&info, &row, 1);
            continue;
        }
        JSAMPROW row = cmykRow.data();
        jpeg_read_scanlines(&info, &row, 1);
        CmykToBgr(cmykRow.data(), image.scanLine(y), width, output == JpegOutput::Rgb32 ? 4 : 3, inverted);
    }
    jpeg_finish_decompress(&info);
    return image;
}

namespace {

struct Destination {
    jpeg_destination_mgr manager{};
    QByteArray* out = nullptr;
    static constexpr qsizetype kChunk = 1 << 16;
};

void InitDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<Destination*>(info->dest);
    dest->out->resize(Destination::kChunk);
    dest->manager.next_output_byte = reinterpret_cast<JOCTET*>(dest->out->data());
    dest->manager.free_in_buffer = std::size_t(dest->out->size());
}

boolean GrowDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<Destination*>(info->dest);
    const qsizetype used = dest->out->size();
    dest->out->resize(used * 2);
    dest->manager.next_output_byte = reinterpret_cast<JOCTET*>(dest->out->data()) + used;
    dest->manager.free_in_buffer = std::size_t(dest->out->size() - used);
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<Destination*>(info->dest);
    dest->out->resize(dest->out->size() - qsizetype(dest->manager.free_in_buffer));
}

bool IsGreyTable(const QImage& image)
{
    const QList<QRgb> table = image.colorTable();
    for (int i = 0; i < table.size(); ++i)
        if (table[i] != qRgb(i, i, i))
            return false;
    return true;
}

} // namespace

QByteArray EncodeJpeg(const QImage& source, int quality)
{
    if (source.isNull())
        throw InvalidPicture("JPEG error: the bitmap to compress is empty");
    QImage image = source;
    J_COLOR_SPACE space = JCS_EXT_BGR;
    int components = 3;
    if (image.format() == QImage::Format_Indexed8 && IsGreyTable(image)) {
        space = JCS_GRAYSCALE;
        components = 1;
    } else if (image.format() == QImage::Format_RGB32) {
        space = JCS_EXT_BGRX;
        components = 4;
    } else if (image.format() != QImage::Format_BGR888) {
        image = image.convertToFormat(QImage::Format_BGR888);
        if (image.isNull())
            throw OutOfMemory();
    }

    jpeg_error_mgr errors{};
    SetUpErrors(errors);
    jpeg_compress_struct info{};
    info.err = &errors;
    jpeg_create_compress(&info);
    struct Guard {
        jpeg_compress_struct* info;
        ~Guard() { jpeg_destroy_compress(info); }
    } guard{&info};

    QByteArray out;
    Destination dest;
    dest.out = &out;
    dest.manager.init_destination = InitDestination;
    dest.manager.empty_output_buffer = GrowDestination;
    dest.manager.term_destination = TermDestination;
    info.dest = &dest.manager;

    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return out;
}

JpegImage::JpegImage() = default;
JpegImage::JpegImage(const JpegImage& other) = default;
JpegImage& JpegImage::operator=(const JpegImage& other) = default;
JpegImage::~JpegImage() = default;

std::unique_ptr<Graphic> JpegImage::Clone() const
{
    return std::make_unique<JpegImage>(*this);
}

void JpegImage::LoadFromData(const QByteArray& data)
{
    const JpegInfo info = ReadJpegInfo(data);
    m_data = data;
    m_info = info;
    m_upright = info.Upright();
    m_decoded = QImage();
    m_decodedEighths = 0;
}

void JpegImage::SetOrientation(int exifTag)
{
    m_info.orientation = exifTag;
    m_upright = m_info.Upright();
    m_decoded = QImage();
    m_decodedEighths = 0;
}

void JpegImage::SetCompressionQuality(int quality)
{
    m_quality = std::clamp(quality, 1, 100);
}

void JpegImage::Assign(const Graphic& source)
{
    if (&source == this)
        return;
    if (source.Kind() == GraphicKind::Jpeg) {
        const int quality = m_quality;
        *this = static_cast<const JpegImage&>(source);
        m_quality = quality;
        return;
    }
    Bitmap pixels;
    pixels.Assign(source);
    if (pixels.Empty())
        throw InvalidPicture("JPEG error: the bitmap to compress is empty");
    QByteArray data = EncodeJpeg(pixels.Image(), m_quality);
    LoadFromData(data);
}

int JpegImage::ScaleFor(QSize upright) const
{
    if (upright.isEmpty() || m_info.width <= 0)
        return 8;
    const QSize target = m_upright.Apply(upright); // as the pixels are stored
    for (int n = 1; n < 8; ++n) {
        // libjpeg rounds scaled sizes up.
        const long long w = (static_cast<long long>(m_info.width) * n + 7) / 8;
        const long long h = (static_cast<long long>(m_info.height) * n + 7) / 8;
        if (w >= target.width() && h >= target.height())
            return n;
    }
    return 8;
}

QImage JpegImage::DecodedFor(int eighths, bool native) const
{
    if (m_data.isEmpty())
        return QImage();
    const bool reusable = !m_decoded.isNull() && m_decodedEighths >= eighths && (!native || (m_decodedNative && m_decodedEighths == 8));
    if (!reusable) {
        m_decoded = Orient(DecodeJpeg(m_data, native ? JpegOutput::Native : JpegOutput::Rgb32, native ? 8 : eighths),
                           m_upright);
        m_decodedEighths = native ? 8 : eighths;
        m_decodedNative = native;
    }
    return m_decoded;
}

void JpegImage::Predecode(QSize target) const
{
    DecodedFor(ScaleFor(target), target.isEmpty());
}

void JpegImage::Draw(Canvas& canvas, const QRect& dest) const
{
    const QImage pixels = DecodedFor(ScaleFor(dest.size()), false);
    if (!pixels.isNull())
        canvas.DrawImage(fromQRect(dest), pixels, pixels.rect());
}

bool JpegImage::AssignTo(Bitmap& target) const
{
    if (m_data.isEmpty()) {
        target.Clear();
        return true;
    }
    const QImage pixels = DecodedFor(8, true);
    target.SetImage(pixels, pixels.format() == QImage::Format_Indexed8 ? PixelFormat::Bits8 : PixelFormat::Bits24);
    return true;
}

} // namespace lumoria::platform
