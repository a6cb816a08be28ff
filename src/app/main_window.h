#pragma once
// The one main window: the left area for folders and thumbnails, the page view in the middle with
// the navigation row under it, the control column on the right and the status bar. It owns the album
// (through its AlbumDocument), the image cache and the undo stack. One class over several files:
// main_window_layout.cpp (areas and controls), main_window_page_view.cpp (page view, mouse, status
// bar, size lists, page export), main_window_frames.cpp (photo placement and undo),
// main_window_frame_menu.cpp (the frame menu and its commands), main_window_job.cpp (job commands),
// main_window_tools.cpp (opening the tool windows), main_window_left_area.cpp (folders,
// thumbnails, drag and drop, multiple insertion), main_window_navigation.cpp (page moves, their
// keys, the page-control window) and main_window_startup.cpp (start-up and shut-down).
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

#include "album/album_document.h"
#include "album/document_host.h"
#include "app/settings.h"
#include "platform/rect.h"

class QAction;
class QComboBox;
class QFileDialog;
class QLabel;
class QMimeData;

namespace lumoria {

namespace platform {
class Canvas;
class CaptionPanel;
class OwnerDrawnMenu;
class Panel;
class PictureControl;
class ShellListView;
class SideThread;
class SingleInstanceLock;
class Splitter;
class StatusBar;
} // namespace platform

class BusyIndicator;
class PreenchimentoDaTela;
class TCacheDeImagensJaCarregadas;
class TControleArrastado;
class TFancyButton;
class TThumbnailList;
class TfrmNavegadorGuia;
class EditorWindowBase;

// Where the cursor files go: the program's folder, or, when it cannot be written, the folder
// "lumoria" in the per-user runtime folder (created when missing). Ends in "/".
QString PastaParaOsCursores(const QString& pastaDoAplicativo);

class TfrmPrincipal : public QWidget, public DocumentHost {
    Q_OBJECT
public:
    static constexpr int kTamanhoDaPilhaDeDesfazer = UndoStack::kTamanho;
    static constexpr int kLarguraMinima = 800;
    static constexpr int kAlturaMinima = 600;

    // Creates the window and runs its start-up steps. The arguments are the command line's, without
    // the program; a job file among them is read. A failure during start-up goes to the failure
    // handler; an error there asks the program to end (see platform/ui/termination.h).
    explicit TfrmPrincipal(const QStringList& argumentos = {});
    ~TfrmPrincipal() override;

    // --- What the other windows reach the model through.
    TAlbum& Album() { return m_documento.Album(); }
    TPagina& Pagina(int i) { return m_documento.Pagina(i); }
    TFoto& Foto(int i, int j) { return m_documento.Foto(i, j); }
    AlbumDocument& Documento() { return m_documento; }
    // The page view's photos still being read.
    PreenchimentoDaTela& PreenchimentoDaPagina() { return *m_preenchimento; }
    int PaginaAtual() const { return m_documento.currentPageIndex(); }
    int MolduraSobOMouse() const { return m_documento.frameUnderMouse(); }
    bool Modificado() const { return m_documento.modified(); }
    QString TituloDoAplicativo() const { return m_tituloDoAplicativo; }
    QString PastaDoAplicativo() const { return m_pastaDoAplicativo; }
    // Where the cursor files are written: the program's folder, or the per-user runtime folder when
    // the program's folder cannot be written.
    QString PastaDosCursores() const { return m_pastaDosCursores; }

    // --- Page view (main_window_page_view.cpp).
    void AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
    void imgPaginaCentralMouseMove(int X, int Y);
    void stbEstadoDrawPanel(int panel, platform::Canvas& canvas, const Rect& rect);
    void cbxDimensaoDoPapelClick(int indice);
    void cbxDimensaoDaFotoClick(int indice);
    void GravarAlbumEmFormatoNaoProprietarioBMPJPG(const QString& nome);
    // The frame under the mouse and its status text, taken again where the mouse stands over the
    // page picture, or for the frame kept when it is elsewhere.
    void AtualizarMolduraSobOMouse();

    // --- Placement and undo (main_window_frames.cpp).
    void SetarFotoNaPaginaAtual(std::int32_t j, std::uint8_t ajuste, const QString& nome);
    void ZerarBackups() { m_documento.undoStack().ZerarBackups(); }
    void spdDesfazerClick();
    const std::array<RegistroDeDesfazer, kTamanhoDaPilhaDeDesfazer>& Backups() const
    {
        return m_documento.undoStack().Backups();
    }

    // --- What the tool windows ask of this window (DocumentHost).
    void redrawPage() override { AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais(); }
    void hideMainWindow() override { hide(); }
    void showMainWindow() override { show(); }
    Qt::WindowStates mainWindowState() const override { return windowState(); }

    // --- Tool windows (main_window_tools.cpp).
    void MostrarPrevisaoDeImpressao();
    void spdPrevisaoImpressaoClick();
    // The analysis of a photo in the frame under the mouse of the current page.
    void AnalisarFotos(const QString& arquivo);

    // --- Frame menu (main_window_frame_menu.cpp).
    void imgPaginaCentralClick();
    void mnmMenuFotoNaMolduraPopup();
    void mniInserirUmaFotoClick();
    void mniRemoverEstaFotoClick();
    void mniRepetirEstaFotoClick();
    void mniAnalisarEstaFotoClick();
    void mniAjustarDespropoircionalEsticadoClick();
    void mniAjustarProporcionalPorDentroClick();
    void mniAjustarProporcionalPorForaClick();
    void DesenharItemDeMenuOnMeasure(QAction* item, int& width, int& height);
    void DesenharItemDeMenuOnDraw(QAction* item, platform::Canvas& canvas, const Rect& rect, bool selected);
    static void DesenharItemDeMenu(platform::Canvas& canvas, const QString& texto, Rect rect);
    // An item's caption as it is drawn (the fit items with their radio mark).
    QString TextoDoItemDeMenu(QAction* item) const;

    // --- The editors (main_window_editors.cpp).
    // Opens the photo editor modally on a file; the path of the file it wrote last, or empty.
    QString EditarFotosEfeitos(const QString& arquivo);
    void spdEditarFotosEfeitosClick();
    void mniEditarEstaFotoEfeitosClick();
    // The same with the CD/DVD cover editor.
    QString EditarFotosTrabalhos(const QString& arquivo);
    void spdEditarFotosTextosETrabalhosClick();
    void mniEditarEstaFotoTextosETrabalhosClick();
    // The example photo that the cover editor's button opens.
    QString FotoDeExemploDaCapa() const;

    // --- Job commands (main_window_job.cpp).
    bool GravarAlbumEmFormatoProprietarioPVO(const QString& nomeDoArquivo);
    void LerAlbum(const QString& nomeDoArquivo);
    bool VerificarSeHaAlteracaoNaoGravada();
    void CriarNovoAlbumComUmaPaginaESemFotos();
    void spdGravarTrabalhoClick();
    void spdLerTrabalhoClick();
    void spdNovoTrabalhoClick();
    void RecebeuArquivoArrastado(const QStringList& arquivos);

    // --- Folders, thumbnails, drag and drop, multiple insertion (main_window_left_area.cpp).
    void sheImagensClick();
    void btnVoltarDiretorioClick();
    void pnlImagensInferiorResize();
    QString PegarDiretorioAtualDoShellListView() const;
    void AtualizarMiniaturasDasFotosDeUmaPasta();
    std::int32_t ContarQuantidadeDeArquivosDeImagens(const QString& pasta) const;
    std::int32_t ContarArquivosDaMascara(const QString& mascara, const QString& pasta) const;
    void thuImagensMouseDown(Qt::MouseButton botao, int X, int Y);
    // The drag object of the caret thumbnail's picture; the drag frees it when it ends.
    TControleArrastado* thuImagensStartDrag();
    void thuImagensDblClick();
    bool imgPaginaCentralDragOver(const QMimeData* arrastado) const;
    void imgPaginaCentralDragDrop(const QMimeData* arrastado, int X, int Y);
    void mnmMenuFotoNaMiniaturaPopup();
    void mniInserirTodasSelecionadasClick();
    void mniSelecionarTodasMiniaturasClick();
    void mniSelecionarNenhumaMiniaturaClick();
    // The number of pages added.
    std::int32_t InserirTodasAsFotosSelecionadasDaPastaAtualEmMoldurasDoPapelAImprimir();
    void InserirFotoNaProximaMoldura(int& pagina, int& moldura, const QString& caminho, std::int32_t& adicionadas);
    void SetarVisaoDeImagemArrastadaParaTodosComponentesDeUmForm(QWidget* form);

    // --- Page navigation and page control (main_window_navigation.cpp).
    void spdPaginaInicialClick();
    void spdPaginaAnteriorClick();
    void spdPaginaSeguinteClick();
    void spdPaginaFinalClick();
    // A released key (auto-repeats never come here); true when it was one of the four page keys.
    bool FormKeyUp(int key);
    static bool EhTeclaDePagina(int key);
    void spdPaginasClick();
    void ControlarInserirEliminarPaginas();

    // --- Start-up and shut-down (main_window_startup.cpp).
    void VerificarSeEstaNasPrimeirasUtilizacoesParaApresentarDicas();
    void spdSairClick();
    void spdGuiaClick();
    // Opens the maker's web address in the browser (no control of the window runs it).
    void imgWindowsClick();
    const Configuracoes& ConfiguracoesAtuais() const { return m_configuracoes; }
    // The hidden guide window that the main block creates; the guide is loaded into it whenever this
    // window becomes active.
    void DefinirNavegadorDoGuia(TfrmNavegadorGuia* navegador);
    bool ArquivosDeCursoresGravados() const { return m_cursoresGravados; }

    // --- Controls (named as the window design names them).
    platform::Panel* pnlImagens = nullptr;
    platform::CaptionPanel* pnlImagensTitulo = nullptr;
    platform::Panel* pnlImagensSuperior = nullptr;
    platform::ShellListView* sheImagens = nullptr;
    TFancyButton* btnVoltarDiretorio = nullptr;
    platform::Splitter* splImagens = nullptr;
    platform::Panel* pnlImagensInferior = nullptr;
    TThumbnailList* thuImagens = nullptr;
    platform::CaptionPanel* pnlImagensRodape = nullptr;

    platform::CaptionPanel* lblPaginaCentralTitulo = nullptr;
    platform::Panel* pnlPaginaCentral = nullptr;
    QWidget* pnlPaginaCentralCliente = nullptr; // the panel's client area, inside its border
    platform::PictureControl* imgPaginaCentral = nullptr;
    platform::CaptionPanel* lblPaginaCentralRodape = nullptr;
    TFancyButton* spdPaginaInicial = nullptr;
    TFancyButton* spdPaginaAnterior = nullptr;
    QLabel* lblNumeroDaPagina = nullptr;
    TFancyButton* spdPaginaSeguinte = nullptr;
    TFancyButton* spdPaginaFinal = nullptr;

    platform::Panel* pnlControles = nullptr;
    platform::CaptionPanel* lblControlesTitulos = nullptr;
    QLabel* lblDimensaoDoPapel = nullptr;
    QComboBox* cbxDimensaoDoPapel = nullptr;
    QLabel* lblDimensaoDaFoto = nullptr;
    QComboBox* cbxDimensaoDaFoto = nullptr;
    platform::CaptionPanel* pnlLegendaQtdFotos = nullptr;
    TFancyButton* spdPaginas = nullptr;
    TFancyButton* spdDesfazer = nullptr;
    TFancyButton* spdEditarFotosEfeitos = nullptr;
    TFancyButton* spdEditarFotosTextosETrabalhos = nullptr;
    TFancyButton* spdPrevisaoImpressao = nullptr;
    TFancyButton* spdNovoTrabalho = nullptr;
    TFancyButton* spdGravarTrabalho = nullptr;
    TFancyButton* spdLerTrabalho = nullptr;
    TFancyButton* spdGuia = nullptr;
    TFancyButton* spdSair = nullptr;

    platform::StatusBar* stbEstado = nullptr;

    platform::OwnerDrawnMenu* mnmMenuFotoNaMoldura = nullptr;
    QAction* mniInserirUmaFoto = nullptr;
    QAction* mniRemoverEstaFoto = nullptr;
    QAction* mniRepetirEstaFoto = nullptr;
    QAction* mniN0101 = nullptr;
    QAction* mniEditarEstaFotoEfeitos = nullptr;
    QAction* mniEditarEstaFotoTextosETrabalhos = nullptr;
    QAction* mniN0102 = nullptr;
    QAction* mniAnalisarEstaFoto = nullptr;
    QAction* mniComoAjustarEstaFotoNaMoldura = nullptr;
    platform::OwnerDrawnMenu* mnuComoAjustar = nullptr;
    QAction* mniAjustarDespropoircionalEsticado = nullptr;
    QAction* mniAjustarProporcionalPorDentro = nullptr;
    QAction* mniAjustarProporcionalPorFora = nullptr;
    QAction* mniN0103 = nullptr;
    QAction* mniNada01 = nullptr;

    platform::OwnerDrawnMenu* mnmMenuFotoNaMiniatura = nullptr;
    QAction* mniInserirTodasSelecionadas = nullptr;
    QAction* mniN0201 = nullptr;
    QAction* mniSelecionarTodasMiniaturas = nullptr;
    QAction* mniSelecionarNenhumaMiniatura = nullptr;
    QAction* mniN0202 = nullptr;
    QAction* MenuItem8 = nullptr;

    // Null until GarantirDialogos.
    QFileDialog* opdFoto = nullptr;
    QFileDialog* svdTrabalho = nullptr;
    QFileDialog* opdTrabalho = nullptr;
    // Makes the three file dialogs, starting in the user's documents, if they are not made yet.
    void GarantirDialogos();

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Layout (main_window_layout.cpp).
    void CriarControles();
    void CriarAreaDasImagens();
    void CriarAreaCentral();
    void CriarAreaDeControles();
    void CriarBarraDeEstado();
    void CriarMenuDaMoldura();
    void CriarMenuDaMiniatura();
    void CriarAreaDePastas();
    void LigarEventosDaAreaDasImagens();
    // Moves to a page (names remembered for the old page forgotten) and shows it.
    void IrParaAPagina(int indice);
    bool FiltrarArrastoSobreAPagina(QEvent* event);
    void LigarEventos();
    void AlinharAreas();
    void PosicionarLinhaDeNavegacao();
    void MostrarLegenda(const PageLegend& legenda);
    SizeListSelection LerListasDeTamanho() const;
    // A size list's choice: stored into the page's type, then the page is laid out again.
    void AplicarTamanhoEscolhido(std::int32_t& tipoDaPagina, int indice);
    // Sets both lists to show the page's types (a type without an item leaves a list unselected).
    void MostrarTiposNasListas(const TPagina& pagina);
    void MostrarTiposNasListas(int papel, int foto);
    // The status text of the frame under the mouse.
    void MostrarMolduraNaBarraDeEstado();

    // Frames.
    bool MolduraSobOMouseValida() const;
    // The opening both editors share: centred, on the file, taking drops, in this window's state,
    // modal; the path of the file written last, or empty.
    QString AbrirEditor(EditorWindowBase& editor, const QString& arquivo);
    // Runs an editor on the photo of the frame under the mouse and puts the written file in its place.
    void EditarFotoDaMoldura(QString (TfrmPrincipal::*editar)(const QString&));
    void DesenharMolduraNaTela(std::int32_t j);
    void DesenharPaginaNaTela();
    void AjustarFoto(std::uint8_t modo);

    // Job.
    // After a job is read: one box that tells how many of its photos are missing and names the first.
    void AvisarFotosAusentes();
    void MostrarErroDeGravacao(const QString& detalhe);

    // Start-up and shut-down.
    void FormCreate();
    void SetarInicioDaAplicacao();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();

    AlbumDocument m_documento;
    std::unique_ptr<TCacheDeImagensJaCarregadas> m_cache;
    std::unique_ptr<PreenchimentoDaTela> m_preenchimento; // the page view's photos still to arrive
    std::unique_ptr<BusyIndicator> m_indicadorDeOcupado;
    QStringList m_argumentos;
    Point m_ultimaPosicaoDoMouse;

    QString m_versaoCurta;
    QString m_tituloDoAplicativo;
    QString m_pastaDoAplicativo;
    QString m_pastaDosCursores;
    Configuracoes m_configuracoes;
    bool m_dicaApresentada = false;
    bool m_cursoresGravados = false;
    // While a job file is read the album may hold a part of it: the view is not redrawn meanwhile.
    bool m_lendoTrabalho = false;
    // While the window is being shown its size may change more than once: the page is drawn after.
    bool m_mostrando = false;
    bool m_paginaPendente = false;
    bool m_facesPreparadas = false;
    std::unique_ptr<platform::SingleInstanceLock> m_atomoDeExecucao;
    std::unique_ptr<platform::SideThread> m_leituraDasFontes;
    std::unique_ptr<platform::SideThread> m_leituraDaFotoVazia;
    QPointer<TfrmNavegadorGuia> m_navegadorDoGuia;
};

} // namespace lumoria
