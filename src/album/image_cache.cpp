#include "album/image_cache.h"

#include "album/page_drawing_steps.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/parallel.h"
#include "platform/numeric.h"
#include "platform/ui/responsive_wait.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <vector>

namespace lumoria {

using platform::Bitmap;
using platform::JpegImage;
using platform::Picture;

namespace {

TCacheDeImagensJaCarregadas* g_cache = nullptr;
std::function<void()> g_aoLerAntecipado;

} // namespace

TCacheDeImagensJaCarregadas::Carimbo TCacheDeImagensJaCarregadas::CarimboDe(const QString& nome)
{
    const QFileInfo info(nome);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

TCacheDeImagensJaCarregadas* CacheDeImagens()
{
    return g_cache;
}

void DefinirCacheDeImagens(TCacheDeImagensJaCarregadas* cache)
{
    g_cache = cache;
}

TCacheDeImagensJaCarregadas::TCacheDeImagensJaCarregadas() = default;

TCacheDeImagensJaCarregadas::~TCacheDeImagensJaCarregadas()
{
    if (g_cache == this)
        g_cache = nullptr;
}

int TCacheDeImagensJaCarregadas::Procurar(const QString& nomeDoArquivo) const
{
    if (nomeDoArquivo.isEmpty())
        return -1;
    const Carimbo agora = CarimboDe(nomeDoArquivo);
    for (int i = 0; i < kQuantidadeDeEntradas; ++i) {
        const Entrada& e = m_entradas[std::size_t(i)];
        if (e.nome == nomeDoArquivo && e.imagem && e.tamanho == agora.tamanho && e.modificado == agora.modificado)
            return i;
    }
    return -1;
}

bool TCacheDeImagensJaCarregadas::Contem(const QString& nomeDoArquivo) const
{
    return Procurar(nomeDoArquivo) >= 0;
}

void TCacheDeImagensJaCarregadas::CarregarImagem(Picture& figura, const QString& nomeDoArquivo)
{
    CarregarImagem(figura, nomeDoArquivo, nullptr);
}

void TCacheDeImagensJaCarregadas::CarregarImagem(Picture& figura, const QString& nomeDoArquivo,
                                                 std::unique_ptr<platform::Graphic> carregada)
{
    if (TomarDaCache(figura, nomeDoArquivo))
        return;
    const Carimbo carimbo = CarimboDe(nomeDoArquivo);
    if (carregada)
        figura.SetGraphic(std::move(carregada));
    else
        figura.LoadFromFile(nomeDoArquivo);
    Adicionar(figura, nomeDoArquivo, carimbo.tamanho, carimbo.modificado);
}

QSize TCacheDeImagensJaCarregadas::TamanhoDaCopia(int larguraDaFigura, int alturaDaFigura)
{
    const int largura = std::max(1, std::min(RoundToInt32((long double)larguraDaFigura / 2), kLarguraMaximaDaCopia));
    int altura = std::max(1, RoundToInt32((long double)(std::int64_t(alturaDaFigura) * largura) / larguraDaFigura));
    // A nearly square photo can round to a square copy, which never turns: the copy keeps the photo's
    // side, so that the photo lies the same way on every draw.
    if (altura == largura && larguraDaFigura > alturaDaFigura && largura > 1)
        altura = largura - 1;
    else if (altura == largura && larguraDaFigura < alturaDaFigura)
        altura = largura + 1;
    return QSize(largura, altura);
}

void TCacheDeImagensJaCarregadas::Antecipar(const QStringList& nomes)
{
    QStringList faltam;
    for (const QString& nome : nomes)
        if (!nome.isEmpty() && !faltam.contains(nome) && !Contem(nome) && QFileInfo(nome).isFile())
            faltam << nome;
    // Reading, decoding, reducing and compressing all run on workers while the GUI thread goes on
    // handling its events; only the storing is left to it.
    struct Lida {
        std::unique_ptr<JpegImage> copia;
        Carimbo carimbo;
    };
    std::vector<Lida> lidas(std::size_t(faltam.size()));
    const std::function<void()> aoLer = g_aoLerAntecipado;
    platform::RunResponsive([&] {
        platform::ParallelFor(int(faltam.size()), [&](int k) {
            if (aoLer)
                aoLer();
            Lida& lida = lidas[std::size_t(k)];
            // The decode and the reduction of its picture are one piece of work: a thread holding a
            // picture never waits for the budget.
            const platform::DecodeScope escopo;
            desenho::Tentar([&] {
                lida.carimbo = CarimboDe(faltam[k]);
                Picture figura;
                figura.LoadFromFile(faltam[k]);
                const platform::Graphic* grafico = figura.GetGraphic();
                if (grafico && grafico->Width() > 0 && grafico->Height() > 0)
                    lida.copia = FazerCopiaReduzida(*grafico);
            });
        });
    });
    for (int k = 0; k < faltam.size(); ++k)
        if (lidas[std::size_t(k)].copia && !Contem(faltam[k]))
            Guardar(std::move(lidas[std::size_t(k)].copia), faltam[k], lidas[std::size_t(k)].carimbo);
}

void DefinirAoLerAntecipado(std::function<void()> aoLer)
{
    g_aoLerAntecipado = std::move(aoLer);
}

namespace {

// The reduced copy of a picture, stretched onto a new bitmap (a JPEG photo is decoded here once, at
// the smallest scale that covers the copy).
Bitmap CopiaReduzida(const platform::Graphic& grafico, QSize tamanho)
{
    Bitmap reduzida(tamanho.width(), tamanho.height());
    reduzida.GetCanvas().StretchDraw(Rect{0, 0, tamanho.width(), tamanho.height()}, grafico);
    return reduzida;
}

} // namespace

void TCacheDeImagensJaCarregadas::Adicionar(const Picture& figura, const QString& nomeDoArquivo, qint64 tamanho,
                                            const QDateTime& modificado)
{
    const platform::Graphic* grafico = figura.GetGraphic();
    if (!grafico || grafico->Width() <= 0 || grafico->Height() <= 0)
        return;
    // The copy is made before the slot changes, so that a picture that fails to decode leaves the
    // slot as it was.
    Guardar(FazerCopiaReduzida(*grafico), nomeDoArquivo, tamanho, modificado);
}

std::unique_ptr<JpegImage> TCacheDeImagensJaCarregadas::FazerCopiaReduzida(const platform::Graphic& grafico)
{
    auto imagem = std::make_unique<JpegImage>();
    imagem->Assign(CopiaReduzida(grafico, TamanhoDaCopia(grafico.Width(), grafico.Height())));
    return imagem;
}

void TCacheDeImagensJaCarregadas::Guardar(std::unique_ptr<JpegImage> copia, const QString& nomeDoArquivo,
                                          const Carimbo& carimbo)
{
    Guardar(std::move(copia), nomeDoArquivo, carimbo.tamanho, carimbo.modificado);
}

void TCacheDeImagensJaCarregadas::Guardar(std::unique_ptr<platform::JpegImage> imagem, const QString& nomeDoArquivo,
                                          qint64 tamanho, const QDateTime& modificado)
{
    Entrada& entrada = m_entradas[std::size_t(m_proxima)];
    entrada.imagem = std::move(imagem);
    entrada.nome = nomeDoArquivo;
    entrada.tamanho = tamanho;
    entrada.modificado = modificado;
    ++m_proxima;
    if (m_proxima > kQuantidadeDeEntradas - 1)
        m_proxima = 0;
}

void TCacheDeImagensJaCarregadas::CarregarImagemReduzida(Picture& figura, const QString& nomeDoArquivo)
{
    if (TomarDaCache(figura, nomeDoArquivo))
        return;
    const Carimbo carimbo = CarimboDe(nomeDoArquivo);
    // Reading, the one decode, the reduction and the stored copy's compression run off the GUI thread.
    std::unique_ptr<Bitmap> reduzida;
    std::unique_ptr<JpegImage> imagem;
    platform::RunResponsive([&] {
        Picture lida;
        lida.LoadFromFile(nomeDoArquivo);
        const platform::Graphic* grafico = lida.GetGraphic();
        if (!grafico || grafico->Width() <= 0 || grafico->Height() <= 0)
            return;
        reduzida = std::make_unique<Bitmap>(CopiaReduzida(*grafico, TamanhoDaCopia(grafico->Width(), grafico->Height())));
        imagem = std::make_unique<JpegImage>();
        imagem->Assign(*reduzida);
    });
    if (!reduzida)
        return;
    figura.SetGraphic(std::move(reduzida));
    Guardar(std::move(imagem), nomeDoArquivo, carimbo.tamanho, carimbo.modificado);
}

bool TCacheDeImagensJaCarregadas::TomarDaCache(Picture& figura, const QString& nomeDoArquivo)
{
    const int achada = Procurar(nomeDoArquivo);
    if (achada >= 0) {
        figura.AssignGraphic(m_entradas[std::size_t(achada)].imagem.get());
        return true;
    }
    // A slot of this name whose file changed since is stale: it is let go.
    for (Entrada& e : m_entradas) {
        if (!nomeDoArquivo.isEmpty() && e.nome == nomeDoArquivo) {
            e.nome.clear();
            e.imagem.reset();
        }
    }
    return false;
}

} // namespace lumoria
