// The preview window's controls, their places and the binding of their events.
#include "printing/print_preview.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTextEdit>

#include "common/custom_cursors.h"
#include "components/fancy_button.h"
#include "components/navigation_button.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/outer_size.h"
#include "platform/ui/panel.h"
#include "platform/ui/picture_control.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr ColorRef kBranco = 0x00FFFFFF;
constexpr ColorRef kPreto = 0x00000000;
constexpr int kMargem = 8;
constexpr int kLarguraDoBotao = 190;
constexpr int kAlturaDoBotao = 30;
constexpr int kPassoDosBotoes = 36;
constexpr int kAlturaDaOpcao = 76;
constexpr int kLarguraDoNumero = 100;
constexpr int kEspacoDaNavegacao = 4;
constexpr int kLarguraDoZoom = 300;

QFont FonteVerdana(bool negrito)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(8);
    f.setBold(negrito);
    return f;
}

QLabel* NovoRotulo(QWidget* pai, const QString& texto, bool negrito)
{
    auto* l = new QLabel(texto, pai);
    l->setFont(FonteVerdana(negrito));
    l->setWordWrap(true);
    return l;
}

TFancyButton* NovoBotao(QWidget* pai, const QString& texto, const QString& dica)
{
    auto* b = new TFancyButton(pai);
    ApplyCommandButtonLook(*b);
    b->SetCaption(texto);
    b->setToolTip(dica);
    return b;
}

} // namespace

void TfrmImprimirPrevisaoImpressaoFotos::CriarControles()
{
    keepOuterDesignSize(this, QSize(kLarguraMinima, kAlturaMinima));
    setFont(FonteVerdana(true));
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(clGray));
    p.setColor(QPalette::WindowText, toQColor(kBranco));
    setPalette(p);
    setAutoFillBackground(true);

    scbPrevisao = new QScrollArea(this);
    scbPrevisao->setFrameShape(QFrame::NoFrame);
    scbPrevisao->setWidgetResizable(false);
    scbPrevisao->setBackgroundRole(QPalette::Window);
    m_conteudo = new QWidget;
    m_conteudo->setAutoFillBackground(false);
    scbPrevisao->setWidget(m_conteudo);
    scbPrevisao->viewport()->setAutoFillBackground(false);

    pnlPrevisao = new Panel(m_conteudo);
    pnlPrevisao->setColor(kBranco);
    pnlPrevisao->setParentBackground(false);
    pnlPrevisao->setFrameShape(QFrame::Box);
    pnlPrevisao->setFrameShadow(QFrame::Plain);
    pnlPrevisao->setLineWidth(1);
    QPalette borda = pnlPrevisao->palette();
    borda.setColor(QPalette::WindowText, toQColor(kPreto));
    pnlPrevisao->setPalette(borda);
    imgPrevisao = new PictureControl(pnlPrevisao);
    imgPrevisao->setStretch(true);

    CriarColunaDaDireita();
    CriarFaixaDeNavegacao();
    PosicionarControles();
}

void TfrmImprimirPrevisaoImpressaoFotos::CriarColunaDaDireita()
{
    memImpressora = new QTextEdit(this);
    memImpressora->setReadOnly(true);
    memImpressora->setFocusPolicy(Qt::NoFocus);
    memImpressora->setFont(FonteVerdana(false));
    memImpressora->setLineWrapMode(QTextEdit::NoWrap);
    QPalette pm = memImpressora->palette();
    pm.setColor(QPalette::Base, Qt::white);
    pm.setColor(QPalette::Text, Qt::black);
    memImpressora->setPalette(pm);

    cbxMostrarPrevisaoDeBordas = new QCheckBox(this);
    cbxMostrarPrevisaoDeBordas->resize(17, 17);
    lblMostrarPrevisaoDeBordas = NovoRotulo(this, QStringLiteral("Previsão de Bordas"), true);
    lblMostrarPrevisaoDeBordasLegenda = NovoRotulo(
        this, QStringLiteral("Com Marcas Vermelhas Mostrando Bordas Que a Impressora Não Consegue Imprimir"), false);
    cbxAjustarBordas = new QCheckBox(this);
    cbxAjustarBordas->resize(17, 17);
    lblAjustarBordas = NovoRotulo(this, QStringLiteral("Ajustar às Bordas"), true);
    lblAjustarBordasLegenda =
        NovoRotulo(this, QStringLiteral("Alinhar Impressão Com Borda Imprimível Esquerda Superior"), false);
    for (QWidget* w : {static_cast<QWidget*>(cbxAjustarBordas), static_cast<QWidget*>(lblAjustarBordas),
                       static_cast<QWidget*>(lblAjustarBordasLegenda)})
        w->setEnabled(false);

    spdConfigurar = NovoBotao(this, QStringLiteral("Configurar"), QStringLiteral("Configurar Impressora"));
    spdImprimir = NovoBotao(this, QStringLiteral("Imprimir"), QStringLiteral("Imprimir o Trabalho Final"));
    spdSair = NovoBotao(this, QStringLiteral("Sair"), QStringLiteral("Sair da Previsão de Impressão"));
}

void TfrmImprimirPrevisaoImpressaoFotos::CriarFaixaDeNavegacao()
{
    spdPaginaInicial = NovoBotaoDeNavegacao(this, QStringLiteral("Ia à Página Inicial"), true, true);
    spdPaginaAnterior = NovoBotaoDeNavegacao(this, QStringLiteral("Ia à Página Anterior"), true, false);
    lblNumeroDaPagina = new QLabel(this);
    lblNumeroDaPagina->setAlignment(Qt::AlignCenter);
    lblNumeroDaPagina->resize(kLarguraDoNumero, kLadoDoBotaoDeNavegacao);
    spdPaginaSeguinte = NovoBotaoDeNavegacao(this, QStringLiteral("Ia Página Seguinte"), false, false);
    spdPaginaFinal = NovoBotaoDeNavegacao(this, QStringLiteral("Ia à Página Final"), false, true);

    lblZoom = NovoRotulo(this, QStringLiteral("Ampliação da Previsão"), true);
    lblZoom->setWordWrap(false);
    trbZoom = new QSlider(Qt::Horizontal, this);
    trbZoom->setRange(30, 300);
    trbZoom->setTickInterval(30);
    trbZoom->setTickPosition(QSlider::TicksBelow);
    trbZoom->setValue(100);
    trbZoom->setToolTip(QStringLiteral("Ampliação da Previsão Ao Lado, Isto Não Afeta a Impressão Final"));
    spdAjustarAltura = NovoBotao(this, QStringLiteral("Ver Inteira"), QStringLiteral("Visualização de Página Inteira"));
}

void TfrmImprimirPrevisaoImpressaoFotos::LigarEventos()
{
    connectGuarded(spdSair, &TFancyButton::OnClick, this, [this] { spdSairClick(); });
    connectGuarded(spdConfigurar, &TFancyButton::OnClick, this, [this] { spdConfigurarClick(); });
    connectGuarded(spdImprimir, &TFancyButton::OnClick, this, [this] { spdImprimirClick(); });
    connectGuarded(spdAjustarAltura, &TFancyButton::OnClick, this, [this] { spdAjustarAlturaClick(); });
    connectGuarded(spdPaginaInicial, &TFancyButton::OnClick, this, [this] { spdPaginaInicialClick(); });
    connectGuarded(spdPaginaAnterior, &TFancyButton::OnClick, this, [this] { spdPaginaAnteriorClick(); });
    connectGuarded(spdPaginaSeguinte, &TFancyButton::OnClick, this, [this] { spdPaginaSeguinteClick(); });
    connectGuarded(spdPaginaFinal, &TFancyButton::OnClick, this, [this] { spdPaginaFinalClick(); });
    // The track bar and the check boxes act also when the program sets them.
    connectGuarded(trbZoom, &QSlider::valueChanged, this, [this] { trbZoomChange(); });
    connectGuarded(cbxMostrarPrevisaoDeBordas, &QCheckBox::toggled, this, [this] { cbxMostrarPrevisaoDeBordasClick(); });
    connectGuarded(cbxAjustarBordas, &QCheckBox::toggled, this, [this] { cbxAjustarBordasClick(); });
    // The two option labels are clicked through the window's event filter.
}

void TfrmImprimirPrevisaoImpressaoFotos::PosicionarControles()
{
    const int W = width();
    const int H = height();
    const int esquerdaDaColuna = W - kLarguraDaColuna;
    const int larguraDaEsquerda = esquerdaDaColuna;
    const int topoDaFaixa = H - kAlturaDaFaixa;

    // Right column: the buttons at its foot, the two options above them, the memo on top.
    const int xBotao = esquerdaDaColuna + (kLarguraDaColuna - kLarguraDoBotao) / 2;
    spdSair->move(xBotao, H - kMargem - kAlturaDoBotao);
    spdImprimir->move(xBotao, spdSair->y() - kPassoDosBotoes);
    spdConfigurar->move(xBotao, spdImprimir->y() - kPassoDosBotoes);
    const int larguraUtil = kLarguraDaColuna - 2 * kMargem;
    const int xTexto = esquerdaDaColuna + kMargem + 17 + 6;
    const int larguraDoTexto = larguraUtil - 17 - 6;
    const auto opcao = [&](QCheckBox* caixa, QLabel* titulo, QLabel* legenda, int topo) {
        caixa->move(esquerdaDaColuna + kMargem, topo);
        titulo->setGeometry(xTexto, topo, larguraDoTexto, 17);
        legenda->setGeometry(xTexto, topo + 19, larguraDoTexto, kAlturaDaOpcao - 21);
        legenda->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    const int topoDasOpcoes = spdConfigurar->y() - kMargem - 2 * kAlturaDaOpcao;
    opcao(cbxMostrarPrevisaoDeBordas, lblMostrarPrevisaoDeBordas, lblMostrarPrevisaoDeBordasLegenda, topoDasOpcoes);
    opcao(cbxAjustarBordas, lblAjustarBordas, lblAjustarBordasLegenda, topoDasOpcoes + kAlturaDaOpcao);
    memImpressora->setGeometry(esquerdaDaColuna + kMargem, kMargem, larguraUtil, topoDasOpcoes - 2 * kMargem);

    // Left side: the scroll box above the strip.
    scbPrevisao->setGeometry(0, 0, larguraDaEsquerda, topoDaFaixa);

    // The strip: the page row, then the zoom row.
    const int larguraDaLinha = 4 * kLadoDoBotaoDeNavegacao + kLarguraDoNumero + 4 * kEspacoDaNavegacao;
    int x = (larguraDaEsquerda - larguraDaLinha) / 2;
    const int yPaginas = topoDaFaixa + 4;
    for (QWidget* c : {static_cast<QWidget*>(spdPaginaInicial), static_cast<QWidget*>(spdPaginaAnterior),
                       static_cast<QWidget*>(lblNumeroDaPagina), static_cast<QWidget*>(spdPaginaSeguinte),
                       static_cast<QWidget*>(spdPaginaFinal)}) {
        c->move(x, yPaginas);
        x += c->width() + kEspacoDaNavegacao;
    }
    const int larguraDoZoom = kLarguraDoZoom + kMargem + kLarguraDoBotao;
    const int xZoom = (larguraDaEsquerda - larguraDoZoom) / 2;
    lblZoom->setGeometry(xZoom, topoDaFaixa + 32, kLarguraDoZoom, 14);
    lblZoom->setAlignment(Qt::AlignHCenter);
    trbZoom->setGeometry(xZoom, topoDaFaixa + 46, kLarguraDoZoom, 28);
    spdAjustarAltura->move(xZoom + kLarguraDoZoom + kMargem, topoDaFaixa + 40);
}

void TfrmImprimirPrevisaoImpressaoFotos::ColocarPainel(int esquerda, int topo, int largura, int altura)
{
    pnlPrevisao->setGeometry(esquerda, topo, largura, altura);
    imgPrevisao->setGeometry(0, 0, largura, altura);
    // The content covers the scroll box and the panel: scroll bars only when the panel overflows.
    m_conteudo->resize(std::max(scbPrevisao->width(), esquerda + largura),
                       std::max(scbPrevisao->height(), topo + altura));
    if (m_conteudo->width() <= scbPrevisao->width() && m_conteudo->height() <= scbPrevisao->height()) {
        scbPrevisao->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scbPrevisao->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        scbPrevisao->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        scbPrevisao->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
}

} // namespace lumoria
