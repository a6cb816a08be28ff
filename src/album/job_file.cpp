// The job file: indented text, one value per line, CR LF, written in UTF-8. Lines are taken strictly
// by position; labels and blank lines are never compared, so a file is known only by its shape.
#include "album/album_model.h"

#include "common/general_routines.h"
#include "common/text_trim.h"
#include "lumoria_version.h"
#include "platform/failure.h"
#include "platform/shell/file_operations.h"
#include "platform/shell/input_file.h"

#include <QStringDecoder>

#include <initializer_list>
#include <limits>

namespace lumoria {

namespace {

constexpr int kIndentation = 10; // spaces per level
// Far longer than any path; a longer line means the file is not a job file.
constexpr qsizetype kMaxLineBytes = 1 << 20;
constexpr qint64 kReadChunk = 64 * 1024;

constexpr std::int32_t kPaperTypes = 3;  // 0..2
constexpr std::int32_t kPhotoTypes = 8;  // 0..6 from the list, 7 the page's custom size
constexpr std::int32_t kFitModes = 3;    // 0..2
// Every page and frame coordinate lies within 10 metres of the page's corner: far beyond any paper,
// and small enough that the page view, the preview and a printer at any resolution map it onto
// their pixels without overflow.
constexpr std::int32_t kMaxMillimetres = 10000;

class JobFileWriter {
public:
    void line(int level, const QString& text)
    {
        m_text += QString(level * kIndentation, QLatin1Char(' '));
        m_text += text;
        m_text += QStringLiteral("\r\n");
    }
    void line(int level, std::int32_t value) { line(level, QString::number(value)); }
    void lines(int level, std::initializer_list<std::int32_t> values)
    {
        for (std::int32_t v : values)
            line(level, v);
    }
    void blank(int level) { line(level, QString()); }
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

QString pageLabel(int i, const char* rest) { return QStringLiteral("Page %1, ").arg(i) + QLatin1String(rest); }

// A name the reader would read back differently is refused: a line break splits the line, and blanks
// at either end are trimmed away (the frame would then name another file).
void refuseUnreadablePaths(const TAlbum& album)
{
    for (int i = 0; i < album.pageCount(); ++i) {
        const TPagina& pagina = album.Pagina(i);
        for (int j = 0; j < pagina.frameCount(); ++j) {
            const QString& nome = pagina.Foto(j).NomeDoArquivo;
            QString motivo;
            if (nome.contains(QLatin1Char('\n')) || nome.contains(QLatin1Char('\r')))
                motivo = QStringLiteral("Contém Uma Quebra de Linha");
            else if (!nome.isEmpty() && (nome.front().unicode() <= 0x20 || nome.back().unicode() <= 0x20))
                motivo = QStringLiteral("Começa ou Termina Com Espaços");
            if (!motivo.isEmpty())
                throw FileError(QStringLiteral("O Trabalho Não Foi Gravado: o Nome Do Arquivo Da Foto %1 Da "
                                               "Página %2 %3.")
                                    .arg(j + 1)
                                    .arg(i + 1)
                                    .arg(motivo)
                                    .toStdString());
        }
    }
}

// Bytes 0x80..0x9F of Windows-1252; the five it leaves undefined keep their Latin-1 meaning.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (files of the 8-bit code page).
QString decodeLine(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

bool parseDecimal(const QString& text, std::int32_t& value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return false;
    }
    const std::int64_t v = negative ? -magnitude : magnitude;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

// The file's lines in order, each trimmed. CR LF, LF and a lone CR all end a line. Past the end of
// the file every line is empty (so a number due there fails, a blank line does not); a read error
// and a line too long for a job file fail.
class JobFileReader {
public:
    explicit JobFileReader(platform::InputFile& file) : m_file(file) {}

    bool text(QString& out)
    {
        QByteArray bytes;
        if (!rawLine(bytes)) {
            if (!m_pastEnd)
                return false;
            bytes.clear();
        }
        out = Trim(decodeLine(bytes));
        return true;
    }

    bool skip(int lines)
    {
        QString ignored;
        for (int k = 0; k < lines; ++k) {
            if (!text(ignored))
                return false;
        }
        return true;
    }

    bool number(std::int32_t& value)
    {
        QString t;
        return text(t) && parseDecimal(t, value);
    }

    bool numberIn(std::int32_t& value, std::int32_t first, std::int32_t last)
    {
        return number(value) && value >= first && value <= last;
    }

private:
    bool fill()
    {
        m_buffer.remove(0, m_pos);
        m_scan -= m_pos;
        m_pos = 0;
        QByteArray chunk;
        if (!m_file.read(kReadChunk, chunk))
            return false;
        if (chunk.isEmpty())
            m_atEnd = true;
        m_buffer += chunk;
        return true;
    }

    bool rawLine(QByteArray& out)
    {
        for (;;) {
            const char* d = m_buffer.constData();
            qsizetype end = -1;
            for (; m_scan < m_buffer.size(); ++m_scan) {
                if (d[m_scan] == '\r' || d[m_scan] == '\n') {
                    end = m_scan;
                    break;
                }
            }
            if (end >= 0) {
                // A CR that ends the buffer may have its LF in the next chunk.
                if (d[end] == '\r' && end + 1 == m_buffer.size() && !m_atEnd) {
                    if (!fill())
                        return false;
                    continue;
                }
                out = m_buffer.mid(m_pos, end - m_pos);
                m_pos = end + 1;
                if (d[end] == '\r' && m_pos < m_buffer.size() && m_buffer[m_pos] == '\n')
                    ++m_pos;
                m_scan = m_pos;
                return true;
            }
            if (m_buffer.size() - m_pos > kMaxLineBytes)
                return false;
            if (m_atEnd) {
                if (m_pos >= m_buffer.size()) {
                    m_pastEnd = true;
                    return false;
                }
                out = m_buffer.mid(m_pos);
                m_pos = m_scan = m_buffer.size();
                return true;
            }
            if (!fill())
                return false;
        }
    }

    platform::InputFile& m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_scan = 0;
    bool m_atEnd = false;
    bool m_pastEnd = false;
};

bool inBounds(std::initializer_list<std::int32_t> values)
{
    for (std::int32_t v : values) {
        if (v < -kMaxMillimetres || v > kMaxMillimetres)
            return false;
    }
    return true;
}

bool readFrame(JobFileReader& in, TFoto& foto)
{
    std::int32_t ajuste = 0;
    if (!(in.skip(1) && in.number(foto.Left) && in.number(foto.Top) && in.number(foto.Right) &&
          in.number(foto.Bottom) && in.numberIn(ajuste, 0, kFitModes - 1)))
        return false;
    if (!inBounds({foto.Left, foto.Top, foto.Right, foto.Bottom}))
        return false;
    foto.Ajuste = static_cast<std::uint8_t>(ajuste);
    return in.text(foto.NomeDoArquivo) && in.skip(1);
}

bool readPage(JobFileReader& in, TPagina& pagina)
{
    if (!(in.skip(1) && in.numberIn(pagina.TipoDoPapel, 0, kPaperTypes - 1) && in.skip(3)))
        return false;
    if (!(in.skip(1) && in.numberIn(pagina.TipoDaFoto, 0, kPhotoTypes - 1) && in.skip(2) &&
          in.number(pagina.TamanhoPersonalizado1) && in.number(pagina.TamanhoPersonalizado2) && in.skip(1)))
        return false;
    if (!(in.skip(1) && in.number(pagina.Left) && in.number(pagina.Top) && in.number(pagina.Right) &&
          in.number(pagina.Bottom) && in.skip(1)))
        return false;
    // The page view and the drawing scale by the page's extent: it must not be empty.
    if (std::int64_t(pagina.Right) - pagina.Left <= 0 || std::int64_t(pagina.Bottom) - pagina.Top <= 0 ||
        pagina.Right <= 0 || pagina.Bottom <= 0 || !inBounds({pagina.Left, pagina.Top, pagina.Right, pagina.Bottom}))
        return false;
    std::int32_t frames = 0;
    if (!(in.skip(1) && in.numberIn(frames, 0, std::numeric_limits<std::int32_t>::max()) && in.skip(1)))
        return false;
    // No room is reserved up front: a false count must not cost memory before its lines are found.
    for (std::int32_t j = 0; j < frames; ++j) {
        TFoto foto;
        if (!readFrame(in, foto))
            return false;
        pagina.Fotos.push_back(std::move(foto));
    }
    return true;
}

} // namespace

void TAlbum::GravarEmArquivo(const QString& nomeDoArquivo, int indiceDaPaginaAtual, const JobFileSizes& tamanhos) const
{
    refuseUnreadablePaths(*this);

    JobFileWriter out;
    out.line(0, QStringLiteral("Name:"));
    out.line(0, QStringLiteral(LUMORIA_PRODUCT_NAME));
    out.blank(0);
    out.line(0, QStringLiteral("Version:"));
    out.line(0, VersaoDoExecutavel());
    out.blank(0);
    out.line(0, QStringLiteral("Number Of Pages:"));
    out.line(0, pageCount());
    out.blank(0);
    out.line(0, QStringLiteral("Actual Page Index"));
    out.line(0, indiceDaPaginaAtual);
    out.blank(0);
    for (int i = 0; i < pageCount(); ++i) {
        const TPagina& p = Pagina(i);
        out.line(1, pageLabel(i, "Paper Type, Size:"));
        out.lines(1, {p.TipoDoPapel, tamanhos.larguraPapel, tamanhos.alturaPapel});
        out.blank(1);
        out.line(1, pageLabel(i, "Photo Type, Size, Personalized Size:"));
        out.lines(1, {p.TipoDaFoto, tamanhos.larguraFoto, tamanhos.alturaFoto, p.TamanhoPersonalizado1,
                      p.TamanhoPersonalizado2});
        out.blank(1);
        out.line(1, pageLabel(i, "Paper, Dimensions In Millimeters (Left, Top, Right, Bottom):"));
        out.lines(1, {p.Left, p.Top, p.Right, p.Bottom});
        out.blank(1);
        out.line(1, pageLabel(i, "Number Of Photos:"));
        out.line(1, p.frameCount());
        out.blank(1);
        for (int j = 0; j < p.frameCount(); ++j) {
            const TFoto& f = p.Foto(j);
            out.line(2, pageLabel(i, "Photo ") + QString::number(j) +
                            QStringLiteral(", Dimensions In Millimeters (Left, Top, Right, Bottom), And FileName:"));
            out.lines(2, {f.Left, f.Top, f.Right, f.Bottom, f.Ajuste});
            out.line(2, f.NomeDoArquivo);
            out.blank(2);
        }
    }

    QString motivo;
    if (!platform::writeFileSafely(nomeDoArquivo, out.text().toUtf8(), &motivo)) {
        throw FileError(QStringLiteral("O Trabalho Não Foi Gravado: Não Foi Possível Escrever o Arquivo \"%1\" (%2).")
                            .arg(nomeDoArquivo, motivo)
                            .toStdString());
    }
}

bool TAlbum::LerDeArquivo(const QString& nomeDoArquivo)
{
    removeAllPages();
    platform::InputFile file(nomeDoArquivo);
    if (!file.open())
        return false;
    JobFileReader in(file);

    std::int32_t paginas = 0;
    std::int32_t atual = 0;
    if (!(in.skip(7) && in.numberIn(paginas, 1, std::numeric_limits<std::int32_t>::max()) && in.skip(2) &&
          in.numberIn(atual, 0, paginas - 1)))
        return false;
    m_dono.setCurrentPageIndex(atual);
    if (!in.skip(1))
        return false;

    for (std::int32_t i = 0; i < paginas; ++i) {
        auto pagina = std::make_unique<TPagina>();
        if (!readPage(in, *pagina))
            return false;
        Paginas.push_back(std::move(pagina));
    }
    return true;
}

} // namespace lumoria
