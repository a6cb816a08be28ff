#include "components/ipicture.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <new>

#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/jpeg_exif.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture_loader.h"
#include "platform/numeric.h"

namespace lumoria {

namespace {

// A progressive JPEG keeps every coefficient of the picture while it decodes, at any scale: up to
// 6 bytes a pixel (two bytes a sample, three samples a pixel at most). Those decodes share this much
// memory, so that a folder of them read on every worker at once stays within bounds; a single one
// larger than all of it still runs, alone.
constexpr std::int64_t kMemoriaParaProgressivos = 256LL * 1024 * 1024;

class OrcamentoDeMemoria {
public:
    std::int64_t Reservar(std::int64_t bytes)
    {
        bytes = std::min(bytes, kMemoriaParaProgressivos);
        std::unique_lock trava(m_mutex);
        m_livre.wait(trava, [&] { return m_usado + bytes <= kMemoriaParaProgressivos; });
        m_usado += bytes;
        return bytes;
    }
    void Liberar(std::int64_t bytes)
    {
        {
            std::lock_guard trava(m_mutex);
            m_usado -= bytes;
        }
        m_livre.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_livre;
    std::int64_t m_usado = 0;
};

OrcamentoDeMemoria& Orcamento()
{
    static OrcamentoDeMemoria orcamento;
    return orcamento;
}

// Holds the memory a decode needs for as long as it lives.
class Reserva {
public:
    explicit Reserva(const platform::Graphic& grafico)
    {
        if (grafico.Kind() != platform::GraphicKind::Jpeg)
            return;
        const auto& jpeg = static_cast<const platform::JpegImage&>(grafico);
        if (jpeg.Progressive())
            m_bytes = Orcamento().Reservar(std::int64_t(jpeg.Width()) * jpeg.Height() * 6);
    }
    ~Reserva()
    {
        if (m_bytes > 0)
            Orcamento().Liberar(m_bytes);
    }
    Reserva(const Reserva&) = delete;
    Reserva& operator=(const Reserva&) = delete;

private:
    std::int64_t m_bytes = 0;
};

constexpr long double kHimetricPorPolegada = 2540.0L;
constexpr int kDpiDaTela = 96;

// Bytes past the end count as absent (0).
unsigned Byte(const QByteArray& data, qsizetype p)
{
    return p >= 0 && p < data.size() ? static_cast<unsigned char>(data[p]) : 0u;
}

std::uint16_t LeU16(const QByteArray& data, qsizetype p)
{
    return std::uint16_t(Byte(data, p) | Byte(data, p + 1) << 8);
}

// A graphic control extension of block size 4 directly followed by an image descriptor; matched at
// any byte position, image data included.
bool MarcaDeQuadro(const QByteArray& data, qsizetype p)
{
    return p + 9 < data.size() && Byte(data, p) == 0x21 && Byte(data, p + 1) == 0xF9 && Byte(data, p + 2) == 0x04
           && Byte(data, p + 8) == 0x2C;
}

// Halves away from zero.
int ArredondarParaLonge(long double value)
{
    return ToInt32(std::llroundl(value));
}

QSize EmHimetric(int largura, int altura)
{
    return QSize(ArredondarParaLonge(largura * kHimetricPorPolegada / kDpiDaTela),
                 ArredondarParaLonge(altura * kHimetricPorPolegada / kDpiDaTela));
}

// How much of a JPEG file is read to find its Exif thumbnail and its size: the segments before the
// picture data (an Exif block is at most 64 KB; colour profiles may come first).
constexpr qint64 kInicioDoArquivo = 256 * 1024;

// The graphic drawn into a new transparent image of that size.
QImage CopiaReduzida(const platform::Graphic& grafico, QSize alvo)
{
    QImage copia(alvo, QImage::Format_ARGB32_Premultiplied);
    if (copia.isNull())
        throw OutOfMemory();
    copia.fill(Qt::transparent);
    QPainter pintor(&copia);
    platform::Canvas canvas(pintor, Rect{0, 0, alvo.width(), alvo.height()});
    const Reserva reserva(grafico);
    canvas.StretchDraw(Rect{0, 0, alvo.width(), alvo.height()}, grafico);
    return copia;
}

} // namespace

QSize FitThumbnail(int pw, int ph, int cw, int ch)
{
    if (cw < 1 || ch < 1)
        return QSize();
    const long double rx = (long double)pw / cw;
    const long double ry = (long double)ph / ch;
    if (rx > 1 || ry > 1) {
        if (rx > ry)
            return QSize(cw, TruncToInt32(ph / rx));
        return QSize(TruncToInt32(pw / ry), ch);
    }
    return QSize(pw, ph);
}

TIPicture::TIPicture() = default;
TIPicture::~TIPicture() = default;

int TIPicture::Width() const
{
    if (!m_picture && m_reduced.isNull())
        return 0;
    return ArredondarParaLonge(m_natural.width() * (long double)m_dpiX / kHimetricPorPolegada);
}

int TIPicture::Height() const
{
    if (!m_picture && m_reduced.isNull())
        return 0;
    return ArredondarParaLonge(m_natural.height() * (long double)m_dpiY / kHimetricPorPolegada);
}

int TIPicture::PictureWidth() const
{
    if (!m_picture && m_reduced.isNull())
        return 0;
    return m_gifWidth != 0 ? m_gifWidth : Width();
}

int TIPicture::PictureHeight() const
{
    if (!m_picture && m_reduced.isNull())
        return 0;
    return m_gifHeight != 0 ? m_gifHeight : Height();
}

void TIPicture::Fire(const std::function<void()>& event) const
{
    if (event)
        event();
}

void TIPicture::ReleasePicture()
{
    m_picture.reset();
    m_reduced = QImage();
    m_reducedArea = QSize();
    m_natural = QSize();
}

bool TIPicture::IsGIF() const
{
    return m_data.size() >= 5 && m_data.startsWith("GIF8");
}

int TIPicture::GetFrameCount() const
{
    if (!IsGIF())
        return -1;
    int count = 0;
    for (qsizetype p = 0; p < m_data.size(); ++p)
        if (MarcaDeQuadro(m_data, p))
            ++count;
    return count;
}

void TIPicture::LoadPicture()
{
    QByteArray bloco;
    try {
        bloco.reserve(m_data.size());
    } catch (const std::bad_alloc&) {
        throw Failure(kErroDeMemoria);
    }
    m_frameLeft = 0;
    m_frameTop = 0;
    m_gifWidth = 0;
    m_gifHeight = 0;

    if (IsGIF() && GetFrameCount() >= 1) {
        m_gifWidth = LeU16(m_data, 6);
        m_gifHeight = LeU16(m_data, 8);
        std::int32_t n = 1;
        bool pular = false;
        for (qsizetype p = 0; p < m_data.size(); ++p) {
            if (MarcaDeQuadro(m_data, p)) {
                if (m_frame == n) {
                    m_frameLeft = LeU16(m_data, p + 9);
                    m_frameTop = LeU16(m_data, p + 11);
                    m_frameWidth = LeU16(m_data, p + 13);
                    m_frameHeight = LeU16(m_data, p + 15);
                }
                ++n;
                pular = m_frame >= n;
            }
            if (!pular)
                bloco.append(m_data[p]);
        }
    } else {
        bloco = m_data;
    }

    ReleasePicture();
    std::unique_ptr<platform::Graphic> grafico;
    try {
        grafico = platform::LoadGraphicFromData(bloco);
    } catch (const Failure&) {
        throw Failure(kErroDeFormato);
    } catch (const std::bad_alloc&) {
        throw Failure(kErroDeFormato);
    }
    if (!grafico || grafico->Empty())
        throw Failure(kErroDeCarga);
    m_natural = EmHimetric(grafico->Width(), grafico->Height());
    m_picture = std::move(grafico);
}

void TIPicture::LoadBytes(const QByteArray& bytes)
{
    m_data = bytes;
    m_empty = false;
    m_frame = 1;
    m_gifWidth = 0;
    m_gifHeight = 0;
    LoadPicture();
    Fire(OnChange);
}

void TIPicture::LoadFromFile(const QString& fileName)
{
    try {
        LoadBytes(platform::ReadWholeFile(fileName));
    } catch (...) {
        m_empty = true;
    }
}

void TIPicture::LoadFromStream(const QByteArray* stream)
{
    if (stream)
        LoadBytes(*stream);
}

void TIPicture::ReadData(const QByteArray* stream)
{
    if (!stream)
        return;
    m_data = *stream;
    m_empty = false;
    LoadPicture();
}

void TIPicture::SaveToStream(QByteArray* stream) const
{
    if (stream)
        stream->append(m_data);
}

void TIPicture::Assign(const TIPicture* source)
{
    // Emptying first would lose the very picture to be copied.
    if (source == this)
        return;
    m_empty = true;
    ReleasePicture();
    if (!source) {
        m_data.clear();
        Fire(OnChange);
        return;
    }
    m_data = source->m_data;
    m_empty = false;
    LoadPicture();
    Fire(OnChange);
}

void TIPicture::Assign(const platform::Graphic* source)
{
    m_empty = true;
    ReleasePicture();
    if (!source) {
        m_data.clear();
        Fire(OnChange);
    }
}

void TIPicture::SetFrame(std::int32_t value)
{
    m_frame = value;
    if (!m_data.isEmpty()) {
        LoadPicture();
        Fire(OnFrameChange);
    }
}

void TIPicture::Draw(platform::Canvas& canvas, const Rect& rect) const
{
    if (m_empty || (!m_picture && m_reduced.isNull()))
        return;
    const Rect movido{rect.Left + m_frameLeft, rect.Top + m_frameTop, rect.Right + m_frameLeft,
                      rect.Bottom + m_frameTop};
    if (movido.Right <= movido.Left || movido.Bottom <= movido.Top)
        return;
    if (!m_picture) {
        canvas.DrawImage(movido, m_reduced, m_reduced.rect());
        return;
    }
    try {
        canvas.StretchDraw(movido, *m_picture);
    } catch (const Failure&) {
        // Pixels that do not decode draw nothing, as an empty picture.
    }
}

bool TIPicture::LoadReducedFromExifThumbnail(const QString& fileName, QSize area)
{
    try {
        const QByteArray inicio = platform::ReadFileStart(fileName, kInicioDoArquivo);
        const QByteArray miniatura = platform::ExifThumbnail(inicio);
        if (miniatura.isEmpty())
            return false;
        const platform::JpegInfo info = platform::ReadJpegInfo(inicio);
        const QSize foto = info.UprightSize();
        platform::JpegImage pequena;
        pequena.LoadFromData(miniatura);
        // The thumbnail is stored the way its photo is.
        pequena.SetOrientation(info.orientation);
        // Only a thumbnail of the photo's own proportions (within a pixel) that covers the cell.
        const std::int64_t w = pequena.Width(), h = pequena.Height();
        if (std::llabs(w * foto.height() - h * foto.width()) > std::max(foto.width(), foto.height()))
            return false;
        const QSize alvo = FitThumbnail(foto.width(), foto.height(), area.width(), area.height()).expandedTo(QSize(1, 1));
        if (w < alvo.width() || h < alvo.height())
            return false;
        QImage copia = CopiaReduzida(pequena, alvo);
        m_empty = false;
        m_frame = 1;
        ReleasePicture();
        m_data = QByteArray();
        m_frameLeft = m_frameTop = 0;
        m_gifWidth = m_gifHeight = 0;
        m_natural = EmHimetric(foto.width(), foto.height());
        m_reduced = std::move(copia);
        m_reducedArea = area;
        return true;
    } catch (const Failure&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
}

bool TIPicture::LoadReducedFromFile(const QString& fileName, QSize area)
{
    if (LoadReducedFromExifThumbnail(fileName, area))
        return true;
    LoadFromFile(fileName);
    if (m_empty || !m_picture)
        return false;
    const QSize alvo = FitThumbnail(PictureWidth(), PictureHeight(), area.width(), area.height()).expandedTo(QSize(1, 1));
    try {
        QImage copia = CopiaReduzida(*m_picture, alvo);
        const QSize natural = m_natural;
        m_picture.reset();
        m_data = QByteArray();
        m_reduced = std::move(copia);
        m_reducedArea = area;
        m_natural = natural;
        return true;
    } catch (const Failure&) {
    } catch (const std::bad_alloc&) {
    }
    m_empty = true;
    ReleasePicture();
    m_data = QByteArray();
    return false;
}

void TIPicture::TakeFrom(TIPicture& other)
{
    if (&other == this)
        return;
    m_picture = std::move(other.m_picture);
    m_data = std::move(other.m_data);
    m_empty = other.m_empty;
    m_dpiX = other.m_dpiX;
    m_dpiY = other.m_dpiY;
    m_frame = other.m_frame;
    m_frameLeft = other.m_frameLeft;
    m_frameTop = other.m_frameTop;
    m_frameWidth = other.m_frameWidth;
    m_frameHeight = other.m_frameHeight;
    m_gifWidth = other.m_gifWidth;
    m_gifHeight = other.m_gifHeight;
    m_natural = other.m_natural;
    m_reduced = std::move(other.m_reduced);
    m_reducedArea = other.m_reducedArea;
    other.m_empty = true;
    other.ReleasePicture();
}

} // namespace lumoria
