#include "album/page_drawing_steps.h"

#include "imaging/picture_routines.h"
#include "common/jpeg_resource.h"
#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/parallel.h"
#include "platform/numeric.h"

#include <QFileInfo>

#include <algorithm>
#include <mutex>
#include <new>

namespace lumoria::desenho {

using platform::Bitmap;
using platform::Canvas;
using platform::Picture;

bool MolduraDegenerada(const TFoto& foto)
{
    return foto.Right <= foto.Left || foto.Bottom <= foto.Top;
}

namespace {

bool EhDoTipo(const QString& nome, platform::GraphicKind tipo)
{
    const auto grafico = platform::NewGraphicForExtension(QFileInfo(nome).suffix());
    return grafico && grafico->Kind() == tipo;
}

} // namespace

bool EhJpeg(const QString& nome)
{
    return EhDoTipo(nome, platform::GraphicKind::Jpeg);
}

bool EhGif(const QString& nome)
{
    return EhDoTipo(nome, platform::GraphicKind::Gif);
}

void VerificarArquivo(TFoto& foto)
{
    if (foto.NomeDoArquivo.isEmpty() || !QFileInfo(foto.NomeDoArquivo).isFile())
        foto.NomeDoArquivo.clear();
}

bool DeveGirar(const TFoto& foto, const platform::Graphic* grafico)
{
    return grafico && DeveGirar(foto, grafico->Width(), grafico->Height());
}

bool DeveGirar(const TFoto& foto, int largura, int altura)
{
    if (largura <= 0 || altura <= 0 || MolduraDegenerada(foto))
        return false;
    long double moldura = (long double)(foto.Right - foto.Left) / (foto.Bottom - foto.Top);
    if (moldura == 1.0L)
        moldura = 0.5L;
    const long double figura = (long double)largura / altura;
    return (moldura > 1 && figura < 1) || (moldura < 1 && figura > 1);
}

void PrepararPinturaDeBranco(Canvas& canvas)
{
    canvas.brush.color = Qt::white;
    canvas.brush.style = platform::BrushStyle::Solid;
    canvas.pen.color = Qt::white;
    canvas.pen.style = platform::PenStyle::Solid;
    canvas.pen.width = 1;
}

void PintarDeBranco(Canvas& canvas, const Rect& r)
{
    PrepararPinturaDeBranco(canvas);
    canvas.Rectangle(r);
}

bool PlanejarAjuste(std::int64_t fw, std::int64_t fh, std::int64_t pw, std::int64_t ph, std::uint8_t ajuste,
                    Rect& destino, Rect& origem)
{
    if (fw <= 0 || fh <= 0 || pw <= 0 || ph <= 0)
        return false;
    destino = Rect{0, 0, std::int32_t(fw), std::int32_t(fh)};
    origem = Rect{0, 0, std::int32_t(pw), std::int32_t(ph)};
    if (ajuste == kFitInside) {
        std::int64_t w = fw;
        std::int64_t h = Round((long double)(ph * w) / pw);
        if (h > fh) {
            h = fh;
            w = Round((long double)(pw * h) / ph);
        }
        if (w <= 0 || h <= 0)
            return false;
        const std::int32_t mx = RoundToInt32((long double)(fw - w) / 2);
        const std::int32_t my = RoundToInt32((long double)(fh - h) / 2);
        destino = Rect{mx, my, std::int32_t(fw) - mx, std::int32_t(fh) - my};
    } else if (ajuste == kFitCut) {
        std::int64_t w = fw;
        std::int64_t h = Round((long double)(ph * w) / pw);
        if (h < fh) {
            h = fh;
            w = Round((long double)(pw * h) / ph);
        }
        if (w <= 0 || h <= 0)
            return false;
        const std::int32_t dx = RoundToInt32(pw * (1 - (long double)fw / w) / 2);
        const std::int32_t dy = RoundToInt32(ph * (1 - (long double)fh / h) / 2);
        origem = Rect{dx, dy, std::int32_t(pw) - dx, std::int32_t(ph) - dy};
    }
    return true;
}

void AjustarFotoNaMoldura(Canvas& canvas, const Rect& r, Picture& figura, std::uint8_t ajuste)
{
    ConverterFiguraParaBitmap(figura);
    PintarDeBranco(canvas, r);
    Bitmap& bitmap = figura.GetBitmap();
    Rect destino;
    Rect origem;
    if (!PlanejarAjuste(std::int64_t(r.Right) - r.Left, std::int64_t(r.Bottom) - r.Top, bitmap.Width(),
                        bitmap.Height(), ajuste, destino, origem))
        return;
    const Rect naTela{r.Left + destino.Left, r.Top + destino.Top, r.Left + destino.Right, r.Top + destino.Bottom};
    if (ajuste == kFitInside)
        canvas.CopyRect(naTela, bitmap.GetCanvas(), bitmap.GetCanvas().ClipRect());
    else if (ajuste == kFitCut)
        canvas.CopyRect(naTela, bitmap.GetCanvas(), origem);
}

void EstenderEAjustar(Canvas& canvas, const Rect& r, Picture& figura, std::uint8_t ajuste)
{
    const platform::Graphic* grafico = figura.GetGraphic();
    if (!grafico)
        return;
    // With a fit mode the stretched picture is painted over in white at once, so it is not drawn.
    if (ajuste == kFitStretch)
        canvas.StretchDraw(r, *grafico);
    else
        AjustarFotoNaMoldura(canvas, r, figura, ajuste);
}

const platform::Graphic& FotoVazia()
{
    static std::mutex mutex;
    static std::unique_ptr<platform::JpegImage> foto;
    std::lock_guard lock(mutex);
    if (!foto) {
        foto = CarregarJpegDoRecurso(QStringLiteral("Foto_Vazia"));
        foto->Predecode();
    }
    return *foto;
}

namespace {

// Beyond these a scaled copy is not worth its memory, or its scaling would take every row of the
// picture across a needlessly long side: such a frame is drawn straight away, only its part on the
// canvas being scaled.
constexpr std::int64_t kMaiorCopiaDaFotoVazia = 4'000'000; // pixels
constexpr std::int64_t kMaiorLadoDaCopia = 8192;          // pixels
constexpr std::size_t kTamanhosGuardados = 8;

struct CopiasDaFotoVazia {
    std::mutex mutex;
    std::vector<QImage> copias; // the most recent last
    int escalas = 0;
};

CopiasDaFotoVazia& Copias()
{
    static CopiasDaFotoVazia copias;
    return copias;
}

QImage EscalarFotoVazia(QSize tamanho)
{
    Bitmap escalada(tamanho.width(), tamanho.height());
    escalada.GetCanvas().StretchDraw(Rect{0, 0, tamanho.width(), tamanho.height()}, FotoVazia());
    return escalada.Image();
}

// Keeps a scaled copy, the oldest going when there are too many. The caller holds the lock.
void GuardarCopia(CopiasDaFotoVazia& c, const QImage& copia)
{
    ++c.escalas;
    if (c.copias.size() == kTamanhosGuardados)
        c.copias.erase(c.copias.begin());
    c.copias.push_back(copia);
}

bool MereceCopia(std::int64_t w, std::int64_t h)
{
    return w > 0 && h > 0 && w <= kMaiorLadoDaCopia && h <= kMaiorLadoDaCopia && w * h <= kMaiorCopiaDaFotoVazia;
}

// The kept copy of that size, or null. The caller holds the lock.
const QImage* CopiaGuardada(const CopiasDaFotoVazia& c, QSize tamanho)
{
    const auto achada = std::find_if(c.copias.begin(), c.copias.end(), [&](const QImage& i) { return i.size() == tamanho; });
    return achada != c.copias.end() ? &*achada : nullptr;
}

} // namespace

void PrepararFotoVazia(const std::vector<QSize>& tamanhos)
{
    std::vector<QSize> faltam;
    {
        CopiasDaFotoVazia& c = Copias();
        std::lock_guard lock(c.mutex);
        for (const QSize& t : tamanhos)
            if (MereceCopia(t.width(), t.height()) && !CopiaGuardada(c, t)
                && std::find(faltam.begin(), faltam.end(), t) == faltam.end() && faltam.size() < kTamanhosGuardados)
                faltam.push_back(t);
    }
    if (faltam.size() < 2)
        return; // one size gains nothing from being scaled beforehand
    FotoVazia(); // decoded once, before the scaling starts
    std::vector<QImage> copias(faltam.size());
    platform::ParallelFor(int(faltam.size()), [&](int k) { copias[std::size_t(k)] = EscalarFotoVazia(faltam[std::size_t(k)]); });
    CopiasDaFotoVazia& c = Copias();
    std::lock_guard lock(c.mutex);
    for (const QImage& copia : copias)
        if (!CopiaGuardada(c, copia.size()))
            GuardarCopia(c, copia);
}

void DesenharFotoVazia(Canvas& canvas, const Rect& r)
{
    const std::int64_t w = std::int64_t(r.Right) - r.Left;
    const std::int64_t h = std::int64_t(r.Bottom) - r.Top;
    if (w <= 0 || h <= 0)
        return;
    if (!MereceCopia(w, h)) {
        canvas.StretchDraw(r, FotoVazia());
        return;
    }
    const QSize tamanho{int(w), int(h)};
    QImage copia;
    {
        CopiasDaFotoVazia& c = Copias();
        std::lock_guard lock(c.mutex);
        if (const QImage* guardada = CopiaGuardada(c, tamanho)) {
            copia = *guardada;
        } else {
            copia = EscalarFotoVazia(tamanho);
            GuardarCopia(c, copia);
        }
    }
    canvas.DrawImage(r, copia, copia.rect());
}

int EscalasDaFotoVazia()
{
    CopiasDaFotoVazia& c = Copias();
    std::lock_guard lock(c.mutex);
    return c.escalas;
}

bool Tentar(const std::function<void()>& f)
{
    try {
        f();
        return true;
    } catch (const InvalidPicture&) {
    } catch (const FileError&) {
    } catch (const FileNotFound&) {
    } catch (const OutOfMemory&) {
    } catch (const std::bad_alloc&) {
        // A file read whole or a decoder's own buffer that did not fit: the frame stays empty.
    }
    return false;
}

struct LeituraAntecipada::Item {
    std::unique_ptr<platform::Graphic> grafico;
    bool adiada = false; // let go for want of memory: read again when taken
};

LeituraAntecipada::LeituraAntecipada(int quantidade, std::function<std::unique_ptr<platform::Graphic>(int)> preparar)
    : m_quantidade(quantidade), m_preparar(std::move(preparar))
{
    m_itens.resize(std::size_t(std::max(0, quantidade)));
}

LeituraAntecipada::~LeituraAntecipada() = default;

std::unique_ptr<platform::Graphic> LeituraAntecipada::Tomar(int k)
{
    if (k < 0 || k >= m_quantidade)
        return nullptr;
    if (k >= m_preparados) {
        const int inicio = k;
        const int fim = std::min(m_quantidade, k + platform::PixelThreads());
        platform::ParallelFor(fim - inicio, [&](int i) {
            auto item = std::make_unique<Item>();
            // Pictures read ahead are held until taken: one that does not fit in the decode memory
            // beside those is read when taken, once the pictures before it are gone.
            const platform::DecodeScope escopo(platform::DecodeScope::Short::Defer);
            Tentar([&] { item->grafico = m_preparar(inicio + i); });
            item->adiada = escopo.Deferred();
            m_itens[std::size_t(inicio + i)] = std::move(item);
        });
        m_preparados = fim;
    }
    std::unique_ptr<Item> item = std::move(m_itens[std::size_t(k)]);
    if (item && item->adiada)
        Tentar([&] { item->grafico = m_preparar(k); });
    return item ? std::move(item->grafico) : nullptr;
}

} // namespace lumoria::desenho
