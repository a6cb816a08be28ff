#pragma once
// Reduced JPEG copies of the photos that the screen and the preview have drawn, so that redrawing a
// page does not decode every full-size file again. 150 slots taken in turn; a slot also remembers its
// file's size and modification time, and a file changed since counts as not cached.
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace lumoria {

class TCacheDeImagensJaCarregadas {
public:
    static constexpr int kQuantidadeDeEntradas = 150;
    static constexpr int kLarguraMaximaDaCopia = 640;

    TCacheDeImagensJaCarregadas();
    ~TCacheDeImagensJaCarregadas();
    TCacheDeImagensJaCarregadas(const TCacheDeImagensJaCarregadas&) = delete;
    TCacheDeImagensJaCarregadas& operator=(const TCacheDeImagensJaCarregadas&) = delete;

    // Fills the picture for a file: the reduced copy when the file is cached, otherwise the file itself
    // at full size (then a reduced copy is stored). A file that does not load raises its failure and
    // nothing is stored.
    void CarregarImagem(platform::Picture& figura, const QString& nomeDoArquivo);
    // As above, with the file already loaded by the caller on a miss (a worker thread read it ahead).
    void CarregarImagem(platform::Picture& figura, const QString& nomeDoArquivo,
                        std::unique_ptr<platform::Graphic> carregada);

    // Fills the picture with the file's reduced copy: the cached one, or, when the file is not cached,
    // one made now from a single decode at the copy's size (then stored), off the GUI thread while the
    // window stays painted. For placing a photo in a frame. A file that does not load raises its
    // failure and nothing is stored.
    void CarregarImagemReduzida(platform::Picture& figura, const QString& nomeDoArquivo);

    // Reads the files not cached yet on worker threads, each decoded once at the size of its reduced
    // copy, and stores the copies (in the order given). Files that do not load are left out.
    void Antecipar(const QStringList& nomes);

    // Whether the file is cached now (and unchanged since).
    bool Contem(const QString& nomeDoArquivo) const;

    // What tells a file changed on disk: its size and modification time (taken before it is read).
    struct Carimbo {
        qint64 tamanho = -1;
        QDateTime modificado;
    };
    static Carimbo CarimboDe(const QString& nomeDoArquivo);
    // The size of the reduced copy of a picture of w x h.
    static QSize TamanhoDaCopia(int w, int h);
    // The reduced copy of a picture, compressed as a slot holds it (safe on any thread).
    static std::unique_ptr<platform::JpegImage> FazerCopiaReduzida(const platform::Graphic& grafico);
    // Stores a reduced copy made elsewhere (by a worker) for a file, in the next slot.
    void Guardar(std::unique_ptr<platform::JpegImage> copia, const QString& nomeDoArquivo, const Carimbo& carimbo);

    std::int32_t Proxima() const { return m_proxima; }
    QString NomeDoArquivo(int entrada) const { return m_entradas.at(std::size_t(entrada)).nome; }
    // The reduced copy held in a slot, or null.
    const platform::JpegImage* Imagem(int entrada) const { return m_entradas.at(std::size_t(entrada)).imagem.get(); }

private:
    struct Entrada {
        QString nome;
        std::unique_ptr<platform::JpegImage> imagem;
        qint64 tamanho = -1;
        QDateTime modificado;
    };

    int Procurar(const QString& nomeDoArquivo) const;
    void Adicionar(const platform::Picture& figura, const QString& nomeDoArquivo, qint64 tamanho,
                   const QDateTime& modificado);
    void Guardar(std::unique_ptr<platform::JpegImage> imagem, const QString& nomeDoArquivo, qint64 tamanho,
                 const QDateTime& modificado);
    // The cached copy into the picture, when there is one; otherwise stale slots of the name go.
    bool TomarDaCache(platform::Picture& figura, const QString& nomeDoArquivo);

    std::array<Entrada, kQuantidadeDeEntradas> m_entradas;
    std::int32_t m_proxima = 0;
};

// The cache of the running program (set by its owner, the main window); null when there is none, and
// drawing then reads every file itself.
TCacheDeImagensJaCarregadas* CacheDeImagens();
void DefinirCacheDeImagens(TCacheDeImagensJaCarregadas* cache);

// Called on the worker before each file that Antecipar reads (for the tests: what the GUI thread
// does meanwhile).
void DefinirAoLerAntecipado(std::function<void()> aoLer);

} // namespace lumoria
