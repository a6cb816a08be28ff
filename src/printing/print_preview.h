#pragma once
// The modal print preview: one page of the album at a time as the current printer will receive it,
// the printer's characteristics, its set-up, the zoom, the page buttons that move the document's
// current page, the printer's borders, and printing. One class over several files:
// print_preview_layout.cpp (controls and their places), print_preview_view.cpp (memo, relayout,
// zoom, navigation, border options, keys) and print_preview_print.cpp (print dialog, paper check,
// the print run with its progress window).
#include <QWidget>

#include <cstdint>

#include "album/printer_geometry.h"

class QCheckBox;
class QLabel;
class QTextEdit;
class QScrollArea;
class QSlider;

namespace lumoria {

namespace platform {
class Panel;
class PictureControl;
} // namespace platform

class AlbumDocument;
class DocumentHost;
class TFancyButton;

class TfrmImprimirPrevisaoImpressaoFotos : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLarguraMinima = 790;
    static constexpr int kAlturaMinima = 590;
    static constexpr int kLarguraDaColuna = 220;
    static constexpr int kAlturaDaFaixa = 78;

    // Reads the printer, lays out and draws the current page. Raises the printer geometry's
    // failures (no printer installed).
    TfrmImprimirPrevisaoImpressaoFotos(AlbumDocument& documento, DocumentHost& janelaPrincipal,
                                       QWidget* owner = nullptr);
    ~TfrmImprimirPrevisaoImpressaoFotos() override;

    // Shows the window modally in the given state; returns when it is closed.
    void ShowModal(Qt::WindowStates estado);

    void PegarMostrarCaracteristicasDaImpressora();
    void AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
    bool VerificarSeConfiguracaoDoPapelDaImpressoraEstaCompativelComTrabalho();
    // Counts the frames of the pages to print whose photos are missing or cannot be read and, when
    // there are any, asks whether to print anyway; true when printing may go on.
    bool VerificarFotosIlegiveis();
    void ImprimirAlbum();
    // Tells that the queue did not take the job, and why.
    void AvisarTrabalhoNaoEnviado(const QString& motivo);

    // Event handlers.
    void spdSairClick();
    void spdConfigurarClick();
    void spdImprimirClick();
    void trbZoomChange();
    void spdAjustarAlturaClick();
    void cbxMostrarPrevisaoDeBordasClick();
    void cbxAjustarBordasClick();
    void lblMostrarPrevisaoDeBordasClick();
    void lblAjustarBordasClick();
    void spdPaginaInicialClick();
    void spdPaginaAnteriorClick();
    void spdPaginaSeguinteClick();
    void spdPaginaFinalClick();
    // The page keys; true when the key was one of them (it then goes no further).
    bool FormKeyUp(int key);

    // Printer fields, as the memo and the paper check read them.
    const CaracteristicasDaImpressora& Caracteristicas() const { return m_impressora; }
    const MedidasDaPaginaDaImpressora& Medidas() const { return m_medidas; }
    // The preview's size at zoom 100 %.
    int LarguraDaPrevisao() const { return m_larguraPrevisao; }
    int AlturaDaPrevisao() const { return m_alturaPrevisao; }
    // The page range of the last print dialog, 1-based.
    int FromPage() const { return m_fromPage; }
    int ToPage() const { return m_toPage; }

    // Controls.
    QTextEdit* memImpressora = nullptr;
    QCheckBox* cbxMostrarPrevisaoDeBordas = nullptr;
    QLabel* lblMostrarPrevisaoDeBordas = nullptr;
    QLabel* lblMostrarPrevisaoDeBordasLegenda = nullptr;
    QCheckBox* cbxAjustarBordas = nullptr;
    QLabel* lblAjustarBordas = nullptr;
    QLabel* lblAjustarBordasLegenda = nullptr;
    TFancyButton* spdConfigurar = nullptr;
    TFancyButton* spdImprimir = nullptr;
    TFancyButton* spdSair = nullptr;
    QScrollArea* scbPrevisao = nullptr;
    platform::Panel* pnlPrevisao = nullptr;
    platform::PictureControl* imgPrevisao = nullptr;
    TFancyButton* spdPaginaInicial = nullptr;
    TFancyButton* spdPaginaAnterior = nullptr;
    QLabel* lblNumeroDaPagina = nullptr;
    TFancyButton* spdPaginaSeguinte = nullptr;
    TFancyButton* spdPaginaFinal = nullptr;
    QLabel* lblZoom = nullptr;
    QSlider* trbZoom = nullptr;
    TFancyButton* spdAjustarAltura = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Layout (print_preview_layout.cpp).
    void CriarControles();
    void CriarColunaDaDireita();
    void CriarFaixaDeNavegacao();
    void LigarEventos();
    void PosicionarControles();
    // The scroll box's content: the panel placed at (esquerda, topo), scroll bars when it overflows.
    void ColocarPainel(int esquerda, int topo, int largura, int altura);

    // View (print_preview_view.cpp).
    void FormCreate();
    void MostrarLegenda();
    void ZoomEm100();
    void IrParaPagina(int pagina);
    bool EhTeclaDaJanela(QObject* watched) const;

    AlbumDocument& m_documento;
    DocumentHost& m_janelaPrincipal;
    QWidget* m_conteudo = nullptr; // the scroll box's content, which holds the panel
    CaracteristicasDaImpressora m_impressora;
    MedidasDaPaginaDaImpressora m_medidas;
    int m_larguraPrevisao = 0;
    int m_alturaPrevisao = 0;
    int m_fromPage = 1;
    int m_toPage = 1;
    bool m_criada = false;
};

} // namespace lumoria
