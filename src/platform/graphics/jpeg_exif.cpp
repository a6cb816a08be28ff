#include "platform/graphics/jpeg_exif.h"

#include <cstdint>
#include <optional>

namespace lumoria::platform {

namespace {

// A view of the TIFF structure inside the Exif block, in its byte order.
class Tiff {
public:
    Tiff(const QByteArray& data, qsizetype start, qsizetype size) : m_data(data), m_start(start), m_size(size) {}

    bool Init()
    {
        const auto ordem = U16Raw(0);
        if (!ordem)
            return false;
        if (*ordem == 0x4949)
            m_little = true;
        else if (*ordem == 0x4D4D)
            m_little = false;
        else
            return false;
        return U16(2) == 42;
    }

    std::optional<std::uint32_t> U16(qsizetype at) const
    {
        if (at < 0 || at + 2 > m_size)
            return std::nullopt;
        const std::uint32_t a = Byte(at), b = Byte(at + 1);
        return m_little ? (a | b << 8) : (a << 8 | b);
    }

    std::optional<std::uint32_t> U32(qsizetype at) const
    {
        const auto a = U16(at), b = U16(at + 2);
        if (!a || !b)
            return std::nullopt;
        return m_little ? (*a | *b << 16) : (*a << 16 | *b);
    }

    qsizetype Size() const { return m_size; }
    qsizetype Start() const { return m_start; }

private:
    std::optional<std::uint32_t> U16Raw(qsizetype at) const
    {
        if (at + 2 > m_size)
            return std::nullopt;
        return Byte(at) << 8 | Byte(at + 1);
    }
    std::uint32_t Byte(qsizetype at) const { return static_cast<unsigned char>(m_data[m_start + at]); }

    const QByteArray& m_data;
    qsizetype m_start;
    qsizetype m_size;
    bool m_little = true;
};

constexpr std::uint32_t kTagOrientation = 0x0112;
constexpr std::uint32_t kTypeShort = 3;
constexpr std::uint32_t kTagJpegOffset = 0x0201;
constexpr std::uint32_t kTagJpegLength = 0x0202;

QByteArray ThumbnailOfTiff(const QByteArray& data, Tiff& tiff)
{
    if (!tiff.Init())
        return QByteArray();
    const auto ifd0 = tiff.U32(4);
    if (!ifd0)
        return QByteArray();
    const auto entradas0 = tiff.U16(*ifd0);
    if (!entradas0)
        return QByteArray();
    const auto ifd1 = tiff.U32(qsizetype(*ifd0) + 2 + 12 * qsizetype(*entradas0));
    if (!ifd1 || *ifd1 == 0)
        return QByteArray();
    const auto entradas1 = tiff.U16(*ifd1);
    if (!entradas1)
        return QByteArray();
    std::optional<std::uint32_t> inicio, tamanho;
    for (std::uint32_t i = 0; i < *entradas1; ++i) {
        const qsizetype entrada = qsizetype(*ifd1) + 2 + 12 * qsizetype(i);
        const auto tag = tiff.U16(entrada);
        if (!tag)
            return QByteArray();
        if (*tag == kTagJpegOffset)
            inicio = tiff.U32(entrada + 8);
        else if (*tag == kTagJpegLength)
            tamanho = tiff.U32(entrada + 8);
    }
    if (!inicio || !tamanho || *tamanho < 4 || qsizetype(*inicio) + qsizetype(*tamanho) > tiff.Size())
        return QByteArray();
    QByteArray miniatura = data.mid(tiff.Start() + qsizetype(*inicio), qsizetype(*tamanho));
    if (static_cast<unsigned char>(miniatura[0]) != 0xFF || static_cast<unsigned char>(miniatura[1]) != 0xD8)
        return QByteArray();
    return miniatura;
}

bool IsExifBlock(const QByteArray& data, qsizetype start, qsizetype size)
{
    return size >= 14 && data.mid(start, 6) == QByteArray("Exif\0\0", 6);
}

} // namespace

int ExifOrientation(const QByteArray& app1)
{
    if (!IsExifBlock(app1, 0, app1.size()))
        return 1;
    Tiff tiff(app1, 6, app1.size() - 6);
    if (!tiff.Init())
        return 1;
    const auto ifd0 = tiff.U32(4);
    const auto entradas = ifd0 ? tiff.U16(*ifd0) : std::nullopt;
    if (!entradas)
        return 1;
    for (std::uint32_t i = 0; i < *entradas; ++i) {
        const qsizetype entrada = qsizetype(*ifd0) + 2 + 12 * qsizetype(i);
        const auto tag = tiff.U16(entrada);
        if (!tag)
            return 1;
        if (*tag != kTagOrientation)
            continue;
        const auto tipo = tiff.U16(entrada + 2);
        const auto valor = tiff.U16(entrada + 8);
        if (tipo != kTypeShort || !valor || *valor < 1 || *valor > 8)
            return 1;
        return int(*valor);
    }
    return 1;
}

QByteArray ExifThumbnail(const QByteArray& data)
{
    auto byte = [&](qsizetype at) { return static_cast<unsigned char>(data[at]); };
    if (data.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return QByteArray();
    qsizetype pos = 2;
    while (pos + 4 <= data.size()) {
        if (byte(pos) != 0xFF)
            return QByteArray();
        const unsigned marcador = byte(pos + 1);
        if (marcador == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (marcador == 0xDA || marcador == 0xD9)
            return QByteArray();
        const qsizetype comprimento = qsizetype(byte(pos + 2)) << 8 | byte(pos + 3);
        if (comprimento < 2)
            return QByteArray();
        const qsizetype segmento = pos + 4;
        const qsizetype tamanho = std::min(comprimento - 2, data.size() - segmento);
        if (marcador == 0xE1 && IsExifBlock(data, segmento, tamanho)) {
            Tiff tiff(data, segmento + 6, tamanho - 6);
            const QByteArray miniatura = ThumbnailOfTiff(data, tiff);
            if (!miniatura.isEmpty())
                return miniatura;
        }
        pos += 2 + comprimento;
    }
    return QByteArray();
}

} // namespace lumoria::platform
