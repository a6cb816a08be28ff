// The page view: its size and place, the frame under the mouse with its status text, the owner-drawn
// status panel, the two size lists and the export of the pages as pictures.
#include "app/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "album/geometry.h"
#include "album/page_view_fill.h"
#include "album/size_tables.h"
#include "common/general_routines.h"
#include "common/small_dialogs.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/numeric.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/colors.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/status_bar.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr int kPainelDaMoldura = 2;
constexpr int kResolucaoDaExportacao = 300; // dots per inch

} // namespace

void TfrmPrincipal::AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais()
{
    AlinharAreas();
    const int paginas = Album().pageCount();
    lblNumeroDaPagina->setText(QString::number(PaginaAtual() + 1) + QStringLiteral(" de ") + QString::number(paginas));
    const bool navegacao = paginas != 1;
    for (QWidget* c : {static_cast<QWidget*>(lblNumeroDaPagina), static_cast<QWidget*>(spdPaginaInicial),
                       static_cast<QWidget*>(spdPaginaAnterior), static_cast<QWidget*>(spdPaginaSeguinte),
                       static_cast<QWidget*>(spdPaginaFinal)})
        c->setVisible(navegacao);

    TPagina& pagina = m_documento.currentPage();
    MostrarTiposNasListas(pagina);
    m_documento.AtualizarLegenda();

    const int livreW = pnlControles->x() - pnlImagens->x() - pnlImagens->width();
    const int livreH = spdPaginaInicial->y() - lblPaginaCentralTitulo->y() - lblPaginaCentralTitulo->height();
    int W = 0;
    int H = 0;
    // A page without a size (none is laid out so) cannot be scaled: the view then shows no page.
    if (pagina.Right > 0 && pagina.Bottom > 0) {
        W = RoundToInt32(livreW * 0.95L);
        H = RoundToInt32((long double)(std::int64_t(pagina.Bottom) * W) / pagina.Right);
        if (H > livreH) {
            H = RoundToInt32(livreH * 0.95L);
            W = RoundToInt32((long double)(std::int64_t(pagina.Right) * H) / pagina.Bottom);
        }
        W = std::max(W, 0);
        H = std::max(H, 0);
    }

    const int esquerda = TruncToInt32((livreW - W) / 2.0L) + pnlImagens->x() + pnlImagens->width();
    const int topo = lblPaginaCentralTitulo->y() + lblPaginaCentralTitulo->height();
    pnlPaginaCentral->setGeometry(esquerda, topo, W, H);
    const QRect cliente = pnlPaginaCentral->contentsRect();
    pnlPaginaCentralCliente->setGeometry(cliente);

    lblPaginaCentralTitulo->setGeometry(esquerda, lblPaginaCentralTitulo->y(), W, lblPaginaCentralTitulo->height());
    lblPaginaCentralRodape->setGeometry(esquerda, pnlImagens->y() + pnlImagensRodape->y(), W,
                                        lblPaginaCentralRodape->height());

    const std::pair<QWidget*, int> linha[] = {{spdPaginaInicial, 3}, {spdPaginaAnterior, 5}, {lblNumeroDaPagina, 10},
                                              {spdPaginaSeguinte, 15}, {spdPaginaFinal, 17}};
    for (const auto& [controle, k] : linha) {
        const long double x = esquerda + (long double)(std::int64_t(W) * k) / 20 - controle->width() / 2.0L;
        controle->move(RoundToInt32(x), controle->y());
    }

    if (!imgPaginaCentral->hasGraphic()) {
        Canvas& c = imgPaginaCentral->canvas();
        c.LineTo(0, 0);
    }
    imgPaginaCentral->setGeometry(0, 0, W, H);
    imgPaginaCentral->bitmap().SetSize(W, H);
    DesenharPaginaNaTela();
    AtualizarMolduraSobOMouse();
}

void TfrmPrincipal::AtualizarMolduraSobOMouse()
{
    // The page or its frames may have changed under a mouse that has not moved.
    const QPoint sobOMouse = imgPaginaCentral->mapFromGlobal(QCursor::pos());
    if (imgPaginaCentral->isVisible() && imgPaginaCentral->underMouse() && imgPaginaCentral->rect().contains(sobOMouse))
        imgPaginaCentralMouseMove(sobOMouse.x(), sobOMouse.y());
    else
        MostrarMolduraNaBarraDeEstado();
}

void TfrmPrincipal::MostrarMolduraNaBarraDeEstado()
{
    const TPagina& pagina = m_documento.currentPage();
    const int moldura = MolduraSobOMouse();
    QString texto;
    if (moldura >= 0 && moldura < pagina.frameCount()) {
        const QString& nome = pagina.Foto(moldura).NomeDoArquivo;
        texto = nome.isEmpty() ? QStringLiteral("<<< Moldura Vazia e Disponível >>>") : AbreviarCaminho(nome, 60);
    }
    stbEstado->setPanelText(kPainelDaMoldura, texto);
}

void TfrmPrincipal::DesenharPaginaNaTela()
{
    Canvas& canvas = imgPaginaCentral->canvas();
    canvas.brush.color = QColor(255, 255, 255);
    canvas.brush.style = BrushStyle::Solid;
    canvas.pen.color = QColor(0, 0, 0);
    m_preenchimento->Desenhar(m_documento.currentPage(), canvas);
    imgPaginaCentral->update();
    // While the window is not on the screen yet (start-up) the photos fill their frames when they
    // come; once it is, a drawing ends with its photos, the window painting meanwhile.
    if (windowHandle() && windowHandle()->isExposed())
        m_preenchimento->Esperar();
}

void TfrmPrincipal::imgPaginaCentralMouseMove(int X, int Y)
{
    m_ultimaPosicaoDoMouse = Point{X, Y};
    TPagina& pagina = m_documento.currentPage();
    const Rect imagem{0, 0, imgPaginaCentral->width(), imgPaginaCentral->height()};
    const Rect emMilimetros{pagina.Left, pagina.Top, pagina.Right, pagina.Bottom};
    const Point p = MapearPontoEntreRetangulos(imagem, Point{X, Y}, emMilimetros);
    m_documento.setFrameUnderMouse(pagina.MolduraNoPonto(p));
    MostrarMolduraNaBarraDeEstado();
}

void TfrmPrincipal::stbEstadoDrawPanel(int panel, Canvas& canvas, const Rect& rect)
{
    canvas.font.color = toQColor(cl3DDkShadow);
    canvas.font.size = 10;
    canvas.font.bold = true;
    const QString texto = stbEstado->panelText(panel);
    const int w = canvas.TextWidth(texto);
    const int h = canvas.TextHeight(texto);
    const int x = TruncToInt32((rect.Right - rect.Left - w) / 2.0L);
    const int y = TruncToInt32((rect.Bottom - rect.Top - h) / 2.0L) + 2;
    canvas.TextOut(x, y, texto);
}

void TfrmPrincipal::cbxDimensaoDoPapelClick(int indice) { AplicarTamanhoEscolhido(m_documento.currentPage().TipoDoPapel, indice); }

void TfrmPrincipal::cbxDimensaoDaFotoClick(int indice) { AplicarTamanhoEscolhido(m_documento.currentPage().TipoDaFoto, indice); }

void TfrmPrincipal::AplicarTamanhoEscolhido(std::int32_t& tipoDaPagina, int indice)
{
    // The item already chosen changes nothing.
    if (indice == tipoDaPagina)
        return;
    // A choice that cannot lay the page out at all (a custom size without a size) leaves the page
    // and its type alone, so that the lists, which show the page's types, do not show it.
    if (m_documento.podeMontar(LerListasDeTamanho())) {
        tipoDaPagina = indice;
        m_documento.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true);
        // The page's types and frames go into the job file: the job has changed.
        m_documento.setModified(true);
    }
    AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmPrincipal::GravarAlbumEmFormatoNaoProprietarioBMPJPG(const QString& nome)
{
    const ScreenCursorGuard cursor(kCursorWait);
    auto* progresso = new TfrmDialogoProgresso(this);
    const int paginas = Album().pageCount();
    progresso->setWindowTitle(QStringLiteral("Progresso da Gravação"));
    progresso->prbProgresso->setRange(0, paginas);
    progresso->SetLabelText(QuebrasDeLinha(1) + m_tituloDoAplicativo + QuebrasDeLinha(2) +
                            QStringLiteral("Gravando Cada Página do Trabalho") + QuebrasDeLinha(1) +
                            QStringLiteral("Em Um Arquivo de Imagem Independente."));
    progresso->SetarPosicao(0);
    progresso->show();
    progresso->repaint();
    hide();

    const QFileInfo info(nome);
    const QString extensao = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    const QString semExtensao = Trim(nome.left(nome.size() - extensao.size()));
    auto restaurar = [this, progresso] {
        show();
        progresso->deleteLater();
    };
    try {
        for (int i = 0; i < paginas; ++i) {
            TPagina& pagina = Album().Pagina(i);
            std::int32_t largura = 0;
            std::int32_t altura = 0;
            PegarLarguraAlturaDaPaginaConfigurada(pagina.TipoDoPapel, largura, altura);
            Bitmap bitmap(RoundToInt32(largura * kResolucaoDaExportacao / 25.4L),
                          RoundToInt32(altura * kResolucaoDaExportacao / 25.4L));
            pagina.DesenharParaImpressao(bitmap.GetCanvas(), false);
            const QString arquivo = semExtensao + QStringLiteral(" - Pg ") + ZerosAEsquerda(i + 1, 5) + extensao;
            if (extensao.toUpper() == QStringLiteral(".BMP")) {
                bitmap.SaveToFile(arquivo);
            } else {
                JpegImage jpeg;
                jpeg.SetCompressionQuality(100);
                jpeg.Assign(bitmap);
                jpeg.SaveToFile(arquivo);
            }
            progresso->AvancarPara(i + 1);
        }
    } catch (...) {
        restaurar();
        throw;
    }
    restaurar();
}

} // namespace lumoria
