// The preview's creation, its printer memo, the relayout and the drawing of the current page, the
// zoom, the page buttons and keys, and the two border options.
#include "printing/print_preview.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QTextCursor>
#include <QTextEdit>

#include "album/album_document.h"
#include "album/document_host.h"
#include "common/custom_cursors.h"
#include "common/general_routines.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"
#include "platform/printing/printer.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/panel.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/screen_centre.h"

namespace lumoria {

using namespace platform;

namespace {

// The page takes 95 % of the scroll box; the product is taken whole so that a half stays a half.
std::int32_t NoventaECincoPorCento(int medida)
{
    return RoundToInt32((long double)(std::int64_t(medida) * 95) / 100);
}

QString Numero(int decimais, long double valor) { return Trim(FormatarNumero(10, decimais, valor)); }

} // namespace

TfrmImprimirPrevisaoImpressaoFotos::TfrmImprimirPrevisaoImpressaoFotos(AlbumDocument& documento,
                                                                       DocumentHost& janelaPrincipal, QWidget* owner)
    : QWidget(owner, Qt::Window), m_documento(documento), m_janelaPrincipal(janelaPrincipal)
{
    CriarControles();
    LigarEventos();
    FormCreate();
    m_criada = true;
    // The window sees the page keys before its controls.
    qApp->installEventFilter(this);
}

TfrmImprimirPrevisaoImpressaoFotos::~TfrmImprimirPrevisaoImpressaoFotos() { qApp->removeEventFilter(this); }

void TfrmImprimirPrevisaoImpressaoFotos::FormCreate()
{
    AplicarCursoresNosControles(this);
    setWindowTitle(QStringLiteral("Previsão de Impressão, ") + QString::number(m_documento.Album().pageCount()) +
                   QStringLiteral(" Página(s), ") + QString::number(m_documento.Album().ContarFotos(-1, -1)) +
                   QStringLiteral(" Foto(s)"));
    PegarMostrarCaracteristicasDaImpressora();
    AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmImprimirPrevisaoImpressaoFotos::ShowModal(Qt::WindowStates estado)
{
    centreOnScreen(this);
    setWindowState(estado);
    runModal(this);
}

void TfrmImprimirPrevisaoImpressaoFotos::PegarMostrarCaracteristicasDaImpressora()
{
    m_impressora = ObterCaracteristicasDaImpressora();
    m_medidas = ObterMedidasDaPaginaDaImpressora();
    const CaracteristicasDaImpressora& c = m_impressora;
    const MedidasDaPaginaDaImpressora& m = m_medidas;
    const QString mm = QStringLiteral(" mm");
    const QStringList linhas = {
        QStringLiteral("Características do Hardware:"),
        PrimeirasLetrasMaiusculas(c.nome),
        QString(),
        QStringLiteral("Tecnologia: ") + c.tecnologia,
        QStringLiteral("Resolução Horizon.: ") + Numero(0, c.dpiX) + QStringLiteral(" dpi"),
        QStringLiteral("Resolução Vertical: ") + Numero(0, c.dpiY) + QStringLiteral(" dpi"),
        QStringLiteral("Largura do Papel: ") + Numero(1, c.larguraPapelMm) + mm,
        QStringLiteral("Altura do Papel: ") + Numero(1, c.alturaPapelMm) + mm,
        QString(),
        QStringLiteral("Largura Útil: ") + Numero(1, m.larguraImprimivel) + mm,
        QStringLiteral("Altura Útil: ") + Numero(1, m.alturaImprimivel) + mm,
        QStringLiteral("Borda Esquerda: ") + Numero(1, m.margemEsquerda) + mm,
        QStringLiteral("Borda Superior: ") + Numero(1, m.margemSuperior) + mm,
        QStringLiteral("Borda Direita: ") + Numero(1, m.margemDireita) + mm,
        QStringLiteral("Borda Inferior: ") + Numero(1, m.margemInferior) + mm,
    };
    memImpressora->clear();
    for (const QString& linha : linhas)
        memImpressora->append(linha);
    // Centre every line, then show the first one with nothing selected.
    QTextCursor cursor(memImpressora->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centrado;
    centrado.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centrado);
    cursor.movePosition(QTextCursor::Start);
    memImpressora->setTextCursor(cursor);
    memImpressora->ensureCursorVisible();
}

void TfrmImprimirPrevisaoImpressaoFotos::AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais()
{
    const int c = m_documento.currentPageIndex();
    const int N = m_documento.Album().pageCount();
    TPagina& P = m_documento.Pagina(c);

    lblNumeroDaPagina->setText(QString::number(c + 1) + QStringLiteral(" de ") + QString::number(N));
    for (QWidget* w : {static_cast<QWidget*>(lblNumeroDaPagina), static_cast<QWidget*>(spdPaginaInicial),
                       static_cast<QWidget*>(spdPaginaAnterior), static_cast<QWidget*>(spdPaginaSeguinte),
                       static_cast<QWidget*>(spdPaginaFinal)})
        w->setVisible(N != 1);

    const int W0 = scbPrevisao->width();
    const int H0 = scbPrevisao->height();
    int w = 0;
    int h = 0;
    // A page without a size cannot be scaled: the preview then shows no sheet.
    if (P.Right > 0 && P.Bottom > 0) {
        w = NoventaECincoPorCento(W0);
        h = RoundToInt32((long double)(std::int64_t(P.Bottom) * w) / P.Right);
        if (h > H0) {
            h = NoventaECincoPorCento(H0);
            w = RoundToInt32((long double)(std::int64_t(P.Right) * h) / P.Bottom);
        }
        w = std::max(w, 0);
        h = std::max(h, 0);
    }
    m_larguraPrevisao = w;
    m_alturaPrevisao = h;
    ColocarPainel(RoundToInt32((W0 - w) / 2.0L), RoundToInt32((H0 - h) / 2.0L), w, h);

    Bitmap& bitmap = imgPrevisao->bitmap();
    bitmap.SetSize(w, h);
    Canvas& canvas = imgPrevisao->canvas();
    canvas.brush.color = Qt::white;
    canvas.brush.style = BrushStyle::Solid;
    canvas.pen.color = Qt::black;
    canvas.pen.style = PenStyle::Solid;
    canvas.pen.width = 1;
    if (w > 0 && h > 0) {
        if (cbxMostrarPrevisaoDeBordas->isChecked())
            P.DesenharNaPrevisao(canvas, cbxAjustarBordas->isChecked());
        else
            P.DesenharNaTela(canvas, false);
    }
    imgPrevisao->update();
}

void TfrmImprimirPrevisaoImpressaoFotos::trbZoomChange()
{
    const int posicao = trbZoom->value();
    const int largura = RoundToInt32((long double)(std::int64_t(m_larguraPrevisao) * posicao) / 100);
    const int altura = RoundToInt32((long double)(std::int64_t(m_alturaPrevisao) * posicao) / 100);
    const int esquerda = std::max(0, RoundToInt32((scbPrevisao->width() - largura) / 2.0L));
    const int topo = std::max(0, RoundToInt32((scbPrevisao->height() - altura) / 2.0L));
    ColocarPainel(esquerda, topo, largura, altura);
}

void TfrmImprimirPrevisaoImpressaoFotos::ZoomEm100() { trbZoom->setValue(100); }

void TfrmImprimirPrevisaoImpressaoFotos::spdAjustarAlturaClick() { ZoomEm100(); }

void TfrmImprimirPrevisaoImpressaoFotos::spdSairClick() { close(); }

void TfrmImprimirPrevisaoImpressaoFotos::spdConfigurarClick()
{
    if (!printerSystem().runPageSetupDialog(this))
        return;
    PegarMostrarCaracteristicasDaImpressora();
    ZoomEm100();
    AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmImprimirPrevisaoImpressaoFotos::IrParaPagina(int pagina)
{
    m_documento.setCurrentPageIndex(pagina);
    ZoomEm100();
    AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmImprimirPrevisaoImpressaoFotos::spdPaginaInicialClick()
{
    if (m_documento.currentPageIndex() != 0)
        IrParaPagina(0);
}

void TfrmImprimirPrevisaoImpressaoFotos::spdPaginaAnteriorClick()
{
    if (m_documento.currentPageIndex() > 0)
        IrParaPagina(m_documento.currentPageIndex() - 1);
}

void TfrmImprimirPrevisaoImpressaoFotos::spdPaginaSeguinteClick()
{
    if (m_documento.currentPageIndex() < m_documento.Album().pageCount() - 1)
        IrParaPagina(m_documento.currentPageIndex() + 1);
}

void TfrmImprimirPrevisaoImpressaoFotos::spdPaginaFinalClick()
{
    const int ultima = m_documento.Album().pageCount() - 1;
    if (m_documento.currentPageIndex() != ultima)
        IrParaPagina(ultima);
}

void TfrmImprimirPrevisaoImpressaoFotos::cbxMostrarPrevisaoDeBordasClick()
{
    const bool bordas = cbxMostrarPrevisaoDeBordas->isChecked();
    cbxAjustarBordas->setEnabled(bordas);
    lblAjustarBordas->setEnabled(bordas);
    lblAjustarBordasLegenda->setEnabled(bordas);
    // Alignment with the printable corner never holds without the border preview.
    if (!bordas)
        cbxAjustarBordas->setChecked(false);
    ZoomEm100();
    AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmImprimirPrevisaoImpressaoFotos::cbxAjustarBordasClick()
{
    ZoomEm100();
    AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmImprimirPrevisaoImpressaoFotos::lblMostrarPrevisaoDeBordasClick()
{
    cbxMostrarPrevisaoDeBordas->setChecked(!cbxMostrarPrevisaoDeBordas->isChecked());
}

void TfrmImprimirPrevisaoImpressaoFotos::lblAjustarBordasClick()
{
    cbxAjustarBordas->setChecked(!cbxAjustarBordas->isChecked());
}

bool TfrmImprimirPrevisaoImpressaoFotos::FormKeyUp(int key)
{
    switch (key) {
    case Qt::Key_PageUp: spdPaginaAnteriorClick(); return true;
    case Qt::Key_PageDown: spdPaginaSeguinteClick(); return true;
    case Qt::Key_End: spdPaginaFinalClick(); return true;
    case Qt::Key_Home: spdPaginaInicialClick(); return true;
    default: return false;
    }
}

bool TfrmImprimirPrevisaoImpressaoFotos::EhTeclaDaJanela(QObject* watched) const
{
    auto* w = qobject_cast<QWidget*>(watched);
    return w && (w == this || isAncestorOf(w)) && isVisible() && isEnabled();
}

bool TfrmImprimirPrevisaoImpressaoFotos::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type tipo = event->type();
    if ((tipo == QEvent::KeyPress || tipo == QEvent::KeyRelease) && EhTeclaDaJanela(watched)) {
        auto* tecla = static_cast<QKeyEvent*>(event);
        const int k = tecla->key();
        if (k != Qt::Key_PageUp && k != Qt::Key_PageDown && k != Qt::Key_Home && k != Qt::Key_End)
            return false;
        // The page keys belong to the window: no control sees them, and they act once, on release.
        if (tipo == QEvent::KeyRelease && !tecla->isAutoRepeat())
            runGuarded([&] { FormKeyUp(k); });
        return true;
    }
    if (tipo == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        auto* rotulo = qobject_cast<QLabel*>(watched);
        if (rotulo && rotulo->isEnabled() && rotulo->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            if (rotulo == lblMostrarPrevisaoDeBordas)
                runGuarded([this] { lblMostrarPrevisaoDeBordasClick(); });
            else if (rotulo == lblAjustarBordas)
                runGuarded([this] { lblAjustarBordasClick(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmImprimirPrevisaoImpressaoFotos::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PosicionarControles();
    if (!m_criada)
        return;
    runGuarded([this] {
        ZoomEm100();
        AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
    });
}

} // namespace lumoria
