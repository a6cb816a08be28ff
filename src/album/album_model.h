#pragma once
// The job: an album of pages, each page a sheet of paper divided into equal frames that hold at most
// one photo file each. All geometry is in whole millimetres, origin at the page's top-left corner.
// Pages and frames are reached by 0-based index; nobody keeps a reference to one across changes.
#include "platform/rect.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace lumoria {

namespace platform {
class Canvas;
}

// How a photo fills its frame; the values are those stored in job files and shown in the menu.
enum FitMode : std::uint8_t {
    kFitStretch = 0, // stretched to the frame
    kFitInside = 1,  // the whole photo inside, centred, with white borders
    kFitCut = 2,     // the frame filled, the overflow cut evenly on both sides
};

// One frame. A frame of width w has Right = Left + w, so neighbouring frames share the edge.
class TFoto {
public:
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::uint8_t Ajuste = kFitStretch; // a FitMode
    QString NomeDoArquivo; // empty: an empty frame
};

// One sheet. Its rectangle is (0, 0, paper width, paper height) once laid out.
class TPagina {
public:
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::vector<TFoto> Fotos; // row by row, left to right
    std::int32_t TipoDoPapel = 0;
    std::int32_t TipoDaFoto = 3;
    std::int32_t TamanhoPersonalizado1 = 80; // custom photo height (photo type 7)
    std::int32_t TamanhoPersonalizado2 = 60; // custom photo width

    TPagina() = default;
    // A copy is another page: it gets an identity of its own.
    TPagina(const TPagina& other);
    TPagina& operator=(const TPagina& other);

    // Never reused within a run, so a record that names a page cannot land on a later one.
    std::uint64_t Identidade() const { return m_identidade; }

    int frameCount() const { return static_cast<int>(Fotos.size()); }
    // Raise ListIndexError outside 0..count-1.
    TFoto& Foto(int j);
    const TFoto& Foto(int j) const;

    // Replaces the frames by a centred grid of w x h frames on a W x H sheet; returns the frame count.
    std::int32_t MontarMolduras(std::int32_t larguraPapel, std::int32_t alturaPapel, std::int32_t larguraFoto,
                                std::int32_t alturaFoto);
    // The first frame in list order whose closed rectangle holds the point; -1 when none does.
    int MolduraNoPonto(std::int32_t x, std::int32_t y) const;
    int MolduraNoPonto(const Point& p) const { return MolduraNoPonto(p.X, p.Y); }
    // Bounding rectangle of the frames; the page rectangle turned inside out when there are none.
    Rect PegarRetanguloDasMolduras() const;
    void DeslocarMolduras(std::int32_t dx, std::int32_t dy);
    void CentralizarMolduras();

    // Drawing the page on a canvas (page_drawing.cpp): the page view, one frame, the print preview
    // inside the printer's printable area, and the printer (or a bitmap) from the full-size files.
    void DesenharNaTela(platform::Canvas& canvas, bool MostrarVazias);
    void DesenharFoto(platform::Canvas& canvas, int indiceDaMoldura);
    void DesenharNaPrevisao(platform::Canvas& canvas, bool AjustarBordas);
    void DesenharParaImpressao(platform::Canvas& canvas, bool AjustarBordas);

private:
    static std::uint64_t novaIdentidade();
    std::uint64_t m_identidade = novaIdentidade();
};

// Whoever shows the album: it keeps the current page index and lays the current page out. Page
// insertion and removal act on it.
class AlbumOwner {
public:
    virtual int currentPageIndex() const = 0;
    virtual void setCurrentPageIndex(int index) = 0;
    // Forgets the names that the relayout remembers for the page shown.
    virtual void ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga() = 0;
    // Lays the current page out from the size lists.
    virtual void relayoutCurrentPage(bool lembrar) = 0;

protected:
    ~AlbumOwner() = default;
};

// The sizes that the size lists show when a job file is written; every page of the file gets them.
// 0 stands for a list without selection.
struct JobFileSizes {
    std::int32_t larguraPapel = 0;
    std::int32_t alturaPapel = 0;
    std::int32_t larguraFoto = 0;
    std::int32_t alturaFoto = 0;
};

class TAlbum {
public:
    explicit TAlbum(AlbumOwner& dono) : m_dono(dono) {}
    TAlbum(const TAlbum&) = delete;
    TAlbum& operator=(const TAlbum&) = delete;

    std::vector<std::unique_ptr<TPagina>> Paginas;

    int pageCount() const { return static_cast<int>(Paginas.size()); }
    // Raise ListIndexError outside the lists.
    TPagina& Pagina(int i);
    const TPagina& Pagina(int i) const;
    TFoto& Foto(int i, int j) { return Pagina(i).Foto(j); }
    const TFoto& Foto(int i, int j) const { return Pagina(i).Foto(j); }

    // Frames over pages primeira..ultima, both clamped into the album; (-1, -1) is the whole album.
    std::int32_t ContarFotos(int primeira, int ultima) const;

    // A new page with page i's types and custom sizes at i (before) or i + 1 (after); it becomes the
    // current page and is laid out with empty frames.
    void InserirPaginaAntes(int i);
    void InserirPaginaDepois(int i);
    // Removes page i; when it lay at or before the current page, the page before it becomes current.
    void EliminarPagina(int i);
    // Discards every page (a job file is about to replace them).
    void removeAllPages();

    // Writes the job file (album/job_file.cpp): to a temporary file in the same folder that then
    // replaces the old one, so a failure leaves the old file as it was. Raises FileError when the
    // file cannot be written or a photo path holds a line break (nothing is written then).
    void GravarEmArquivo(const QString& nomeDoArquivo, int indiceDaPaginaAtual, const JobFileSizes& tamanhos) const;
    // Replaces the pages by those of the job file and makes its page the current one. False when the
    // file cannot be read or is not a job file; the pages read so far are left for the caller to replace.
    bool LerDeArquivo(const QString& nomeDoArquivo);

private:
    void inserirPagina(int modelo, int posicao);

    AlbumOwner& m_dono;
};

} // namespace lumoria
