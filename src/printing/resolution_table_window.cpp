#include "printing/resolution_table_window.h"

#include <QPainter>

#include "common/custom_cursors.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/screen_centre.h"
#include "platform/ui/string_grid.h"
#include "printing/resolution_bands.h"
#include "printing/resolution_table.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr int kLarguraDaLegenda = 350;
constexpr int kAlturaDaLegenda = 20;
constexpr int kEspacoDaLegenda = 2;
constexpr int kAlturaDoRodape = 4 * kAlturaDaLegenda + 3 * kEspacoDaLegenda + 2 * 6;

CaptionPanel* NovaLegenda(QWidget* pai, const QString& texto, FaixaDeResolucao faixa, int indice)
{
    auto* painel = new CaptionPanel(pai, texto);
    painel->setColor(CorDaFaixa(faixa));
    painel->setParentBackground(false);
    painel->setFontColor(colorRef(255, 255, 255));
    QFont fonte(QStringLiteral("Verdana"));
    fonte.setPixelSize(12);
    fonte.setBold(true);
    painel->setFont(fonte);
    painel->setGeometry(0, 6 + indice * (kAlturaDaLegenda + kEspacoDaLegenda), kLarguraDaLegenda, kAlturaDaLegenda);
    return painel;
}

} // namespace

TfrmAnalisarFotosTabelaResolucao::TfrmAnalisarFotosTabelaResolucao(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Tabela de Resolução"));
    setMinimumSize(620, 450);
    resize(kLargura, kAltura);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, toQColor(cl3DDkShadow));
    setPalette(paleta);
    setAutoFillBackground(true);

    stgTabela = new StringGrid(this);
    stgTabela->setColor(toQColor(cl3DDkShadow));
    stgTabela->setDefaultColumnWidth(108);
    stgTabela->setFocusPolicy(Qt::NoFocus);
    QFont fonteDaGrade(QStringLiteral("Verdana"));
    fonteDaGrade.setPixelSize(13);
    stgTabela->setFont(fonteDaGrade);
    stgTabela->setDrawCellHandler([this](int c, int l, const Rect& r, QPainter& p) { stgTabelaDrawCell(c, l, r, p); });

    pnlInferior = new Panel(this);
    pnlInferior->setFocusPolicy(Qt::StrongFocus);
    pnlAdequado = NovaLegenda(pnlInferior, QStringLiteral("Adequado   ( DPI > 300 )"), FaixaDeResolucao::Adequado, 0);
    pnlAceitavel =
        NovaLegenda(pnlInferior, QStringLiteral("Aceitável   ( DPI Entre 200 e 300 )"), FaixaDeResolucao::Aceitavel, 1);
    pnlRuim = NovaLegenda(pnlInferior, QStringLiteral("Ruim   ( DPI Entre 100 e 200 )"), FaixaDeResolucao::Ruim, 2);
    pnlNaoRecomendado =
        NovaLegenda(pnlInferior, QStringLiteral("Não Recomendado   ( DPI < 100 )"), FaixaDeResolucao::NaoRecomendado, 3);
    spdSair = NewCommandButton(pnlInferior, QStringLiteral("Sair"));
    connectGuarded(spdSair, &TFancyButton::OnClick, this, [this] { spdSairClick(); });

    AplicarCursoresNosControles(this);
    PreencherTabela();
    Alinhar();
}

void TfrmAnalisarFotosTabelaResolucao::PreencherTabela()
{
    stgTabela->setSize(kColunasDaTabela, kLinhasDaTabela);
    stgTabela->setFixedRows(1);
    for (int linha = 0; linha < kLinhasDaTabela; ++linha)
        for (int coluna = 0; coluna < kColunasDaTabela; ++coluna)
            stgTabela->setCell(coluna, linha, TextoDaCelulaDaTabela(coluna, linha));
}

void TfrmAnalisarFotosTabelaResolucao::stgTabelaDrawCell(int coluna, int linha, const Rect& retangulo, QPainter& painter)
{
    const QString texto = Trim(stgTabela->cell(coluna, linha));
    Canvas canvas(painter, retangulo);
    canvas.font.name = QStringLiteral("Verdana");
    canvas.font.size = 10; // 13 pixels on the screen
    canvas.font.bold = linha == 0;
    canvas.font.color = QColor(255, 255, 255);
    canvas.brush.color = stgTabela->color();
    if (linha == 0 || coluna <= 2)
        canvas.brush.color = QColor(128, 128, 128);
    if (const auto n = ResolucaoDaCelula(texto)) {
        // The band of the number shown, in the legend's colour of the moment.
        const FaixaDeResolucao faixa = FaixaDaResolucao(static_cast<long double>(*n));
        const CaptionPanel* legenda = faixa == FaixaDeResolucao::Adequado    ? pnlAdequado
                                      : faixa == FaixaDeResolucao::Aceitavel ? pnlAceitavel
                                      : faixa == FaixaDeResolucao::Ruim      ? pnlRuim
                                                                             : pnlNaoRecomendado;
        canvas.brush.color = legenda->color();
    }
    canvas.brush.style = BrushStyle::Solid;
    canvas.FillRect(retangulo);
    const int largura = retangulo.Right - retangulo.Left;
    const int altura = retangulo.Bottom - retangulo.Top;
    const int x = retangulo.Left + RoundToInt32((largura - canvas.TextWidth(texto)) / 2.0L);
    const int y = retangulo.Top + RoundToInt32((altura - canvas.TextHeight(texto)) / 2.0L);
    canvas.brush.style = BrushStyle::Clear;
    canvas.TextOut(x, y, texto);
}

void TfrmAnalisarFotosTabelaResolucao::ShowModal() { runModal(this); }

void TfrmAnalisarFotosTabelaResolucao::spdSairClick() { close(); }

void TfrmAnalisarFotosTabelaResolucao::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centreOnScreen(this);
    pnlInferior->setFocus();
}

void TfrmAnalisarFotosTabelaResolucao::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Alinhar();
}

void TfrmAnalisarFotosTabelaResolucao::Alinhar()
{
    const int largura = width() - 2 * kBorda;
    const int topoDoRodape = height() - kBorda - kAlturaDoRodape;
    stgTabela->setGeometry(kBorda, kBorda, largura, topoDoRodape - kBorda);
    pnlInferior->setGeometry(kBorda, topoDoRodape, largura, kAlturaDoRodape);
    spdSair->move(largura - spdSair->width(), (kAlturaDoRodape - spdSair->height()) / 2);
}

} // namespace lumoria
