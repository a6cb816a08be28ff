#pragma once
// The part of the main window that belongs to the model: the album, the current page, the frame under
// the mouse, the modified flag, and the relayout of the current page with its remembered names and its
// legend. It needs no widgets: the window reads the two size lists for it and shows the legend.
#include "album/album_model.h"
#include "album/undo_stack.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace lumoria {

// The selected items of the paper list and of the photo list; -1 = no selection.
struct SizeListSelection {
    int paperItem = 0;
    int photoItem = 3;
    friend bool operator==(const SizeListSelection&, const SizeListSelection&) = default;
};

// What the two lists show for a page: its types, or no selection for a type without an item.
SizeListSelection listSelectionShowing(const TPagina& pagina);

// The frames-per-sheet legend and the hint of the page picture, as the last relayout left them.
struct PageLegend {
    // Colours as $00BBGGRR; a system colour is $FF000000 plus the system colour's index.
    static constexpr std::uint32_t kDarkRed = 0x000000BF;
    static constexpr std::uint32_t kCl3DDkShadow = 0xFF000015; // system colour 21

    std::int32_t frames = 0;
    QString caption;
    std::uint32_t colour = kCl3DDkShadow;
    QString hint; // lines joined by CR LF
    friend bool operator==(const PageLegend&, const PageLegend&) = default;
};

class AlbumDocument final : public AlbumOwner {
public:
    static constexpr int kRememberedNames = 140;

    // An album of one default page, shown as the current page (not laid out yet).
    AlbumDocument();
    AlbumDocument(const AlbumDocument&) = delete;
    AlbumDocument& operator=(const AlbumDocument&) = delete;

    TAlbum& Album() { return *m_album; }
    const TAlbum& Album() const { return *m_album; }
    TPagina& Pagina(int i) { return m_album->Pagina(i); }
    const TPagina& Pagina(int i) const { return m_album->Pagina(i); }
    TFoto& Foto(int i, int j) { return m_album->Foto(i, j); }
    const TFoto& Foto(int i, int j) const { return m_album->Foto(i, j); }
    TPagina& currentPage() { return m_album->Pagina(m_currentPage); }

    int currentPageIndex() const override { return m_currentPage; }
    void setCurrentPageIndex(int index) override { m_currentPage = index; }
    int frameUnderMouse() const { return m_frameUnderMouse; }
    void setFrameUnderMouse(int frame) { m_frameUnderMouse = frame; }
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // Discards the album for a new one of one default page, current page 0, nothing remembered.
    void replaceAlbum();

    // Where the relayout reads the size lists from. Until the window sets it, the lists are taken to
    // show the current page's types.
    void setSizeListReader(std::function<SizeListSelection()> reader) { m_sizeLists = std::move(reader); }
    SizeListSelection sizeListSelection();

    // Where the document puts a selection into the two size lists; the window sets them without
    // running their change handlers. Without it the lists are not touched.
    void setSizeListWriter(std::function<void(const SizeListSelection&)> writer) { m_sizeListWriter = std::move(writer); }

    // Photo size of the photo list's item (and the paper list's, for the A4 exception); a list
    // without selection leaves largura and altura as they were.
    void PegarLarguraAlturaDasFotosConfigurada(std::int32_t& largura, std::int32_t& altura);

    // Lays the current page out from the size lists, turning the photo when more frames fit so. With
    // Lembrar, photos stay with their frame index across size changes.
    const PageLegend& CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(
        bool Lembrar);
    const PageLegend& CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(
        bool Lembrar, const SizeListSelection& listas);
    void ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga() override;
    // Whether the sizes the lists give can lay the current page out (a custom photo type without a
    // custom size cannot).
    bool podeMontar(const SizeListSelection& listas);
    // The legend of the current page as it stands (its frames and what the lists show), without a
    // relayout; shown through the legend listener.
    const PageLegend& AtualizarLegenda();

    // The sizes the lists show, as a job file records them for every page: the photo before any
    // turn, 0 for a list without selection.
    JobFileSizes jobFileSizes();
    // Writes the album as a job file with the current page; failures as TAlbum::GravarEmArquivo.
    // The modified flag is the caller's to clear.
    void GravarEmArquivo(const QString& nomeDoArquivo);
    // Reads a job file in place of the album; true when it was read, and the size lists then show
    // the current page. When it was not, informarFalha runs (the window tells the operator), then a
    // default page replaces the album as its only page, the lists show its types and it is laid
    // out. Either way the job is unmodified afterwards and no frame is under the mouse.
    bool LerAlbum(const QString& nomeDoArquivo, const std::function<void()>& informarFalha = {});
    // A new album of one default page with empty frames, laid out with the default types, which
    // the lists then show.
    void CriarNovoAlbumComUmaPaginaESemFotos();

    // The model half of placing a photo: frame j of the current page takes the photo and fit mode,
    // after an undo record of how it was; the job is then modified. The window redraws the frame.
    void SetarFotoNaPaginaAtual(std::int32_t j, std::uint8_t ajuste, const QString& nome);
    // Undoes the newest placement whose page and frame still exist. When its page is not the current
    // one, that page becomes current (its remembered names cleared).
    DesfazerAplicado Desfazer();
    UndoStack& undoStack() { return m_desfazer; }
    const UndoStack& undoStack() const { return m_desfazer; }

    const PageLegend& legenda() const { return m_legenda; }
    // Called after every relayout, page insertions included, and by AtualizarLegenda, so the window can
    // show the legend.
    void setLegendListener(std::function<void(const PageLegend&)> listener) { m_legendListener = std::move(listener); }

private:
    void relayoutCurrentPage(bool lembrar) override;
    void showInSizeLists(const SizeListSelection& listas);
    void startOverWithDefaultPage(bool lembrar);
    const PageLegend& mostrarLegenda(std::int32_t molduras, const SizeListSelection& listas);

    std::unique_ptr<TAlbum> m_album;
    UndoStack m_desfazer;
    int m_currentPage = 0;
    int m_frameUnderMouse = -1;
    bool m_modified = false;
    std::array<QString, kRememberedNames> m_nomes;
    PageLegend m_legenda;
    std::function<SizeListSelection()> m_sizeLists;
    std::function<void(const SizeListSelection&)> m_sizeListWriter;
    std::function<void(const PageLegend&)> m_legendListener;
};

} // namespace lumoria
