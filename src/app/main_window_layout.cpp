// The main window's areas and controls, their sizes and colours, and the key preview.
#include "app/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <utility>

#include "album/page_drawing_steps.h"
#include "album/size_tables.h"
#include "common/about_box.h"
#include "components/fancy_button.h"
#include "components/thumbnail_list.h"
#include "components/navigation_button.h"
#include "install/file_routines.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"
#include "platform/ui/align_layout.h"
#include "platform/shell/special_folders.h"
#include "platform/system/cross_thread.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/font_configuration.h"
#include "platform/ui/outer_size.h"
#include "platform/ui/owner_drawn_menu.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/shell_list_view.h"
#include "platform/ui/splitter.h"
#include "platform/ui/status_bar.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr ColorRef kVermelhoEscuro = 0x0000BF; // 191
constexpr ColorRef kBranco = 0x00FFFFFF;
constexpr ColorRef kPreto = 0x00000000;

constexpr int kLarguraDasImagens = 220;
constexpr int kLarguraDosControles = 200;
constexpr int kAlturaDosTitulos = 23;
constexpr int kAlturaDosRodapes = 19;
constexpr int kAlturaImagensSuperior = 186;
constexpr int kAlturaDoDivisor = 3;
constexpr int kLarguraDasPastas = 180;
// The navigation row keeps its distance to the window's bottom edge: it stands 4 pixels above the
// page footer, which is level with the thumbnail footer above the status bar.
constexpr int kLadoDaNavegacao = kLadoDoBotaoDeNavegacao;
constexpr int kNavegacaoAteOFundo = StatusBar::kDefaultHeight + kAlturaDosRodapes + 4 + kLadoDaNavegacao;
constexpr int kLarguraDoNumeroDaPagina = 100;

constexpr int kMargemDosControles = 8;
constexpr int kLarguraDasListas = kLarguraDosControles - 2 * kMargemDosControles;
constexpr int kEsquerdaDosBotoes = 5;
constexpr int kTopoDosBotoes = 160;
constexpr int kPassoDosBotoes = 36;

QFont FonteDoFormulario()
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(8);
    f.setBold(true);
    return f;
}

CaptionPanel* NovoPainelDeTitulo(QWidget* pai, const QString& texto, int altura)
{
    auto* p = new CaptionPanel(pai, texto);
    p->setColor(kVermelhoEscuro);
    p->setParentBackground(false);
    p->setFontColor(kBranco);
    p->resize(p->width(), altura);
    return p;
}

TFancyButton* NovoBotaoDeComando(QWidget* pai, const QString& texto, int ordem, const QString& dica = QString())
{
    auto* b = new TFancyButton(pai);
    ApplyCommandButtonLook(*b);
    b->SetCaption(texto);
    b->move(kEsquerdaDosBotoes, kTopoDosBotoes + ordem * kPassoDosBotoes);
    if (!dica.isEmpty())
        b->setToolTip(dica);
    return b;
}

QLabel* NovoRotulo(QWidget* pai, const QString& texto, int topo)
{
    auto* l = new QLabel(texto, pai);
    l->setGeometry(kMargemDosControles, topo, kLarguraDasListas, 16);
    return l;
}

QComboBox* NovaLista(QWidget* pai, const QStringList& itens, int selecionado, int topo)
{
    auto* c = new QComboBox(pai);
    c->setEditable(false);
    c->addItems(itens);
    c->setCurrentIndex(selecionado);
    c->setGeometry(kMargemDosControles, topo, kLarguraDasListas, 22);
    QPalette p = c->palette();
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    // Qt hands the list's colours on to its open list, which it makes when first opened.
    c->setPalette(p);
    return c;
}

} // namespace

void TfrmPrincipal::CriarControles()
{
    // The first text measured reads the font configuration and the list of installed fonts, and the
    // first empty frame wants its picture decoded: each done beside the building of the controls, the
    // first paint finds them ready. A failure here is met again, and reported, where they are used.
    // Nothing else reads the fonts before the configuration is read: two threads would each read it.
    m_leituraDasFontes = std::make_unique<SideThread>([] {
        try {
            LoadFontConfiguration();
            QFontDatabase::families();
        } catch (...) {
        }
    });
    m_leituraDaFotoVazia = std::make_unique<SideThread>([] {
        try {
            desenho::FotoVazia();
        } catch (...) {
        }
    });
    keepOuterDesignSize(this, QSize(kLarguraMinima, kAlturaMinima));
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        const QRect g = tela->geometry();
        move(g.x() + Div(g.width() - width(), 2), g.y() + Div(g.height() - height(), 2));
    }
    setFont(FonteDoFormulario());
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(clGray));
    p.setColor(QPalette::WindowText, toQColor(kBranco));
    setPalette(p);
    setAutoFillBackground(true);

    auto* layout = new AlignLayout(this);
    CriarBarraDeEstado();
    layout->addWidget(stbEstado, Align::Bottom);
    CriarAreaDasImagens();
    layout->addWidget(pnlImagens, Align::Left);
    CriarAreaDeControles();
    layout->addWidget(pnlControles, Align::Right);
    CriarAreaCentral();
    CriarMenuDaMoldura();
    CriarMenuDaMiniatura();
}

void TfrmPrincipal::CriarAreaDasImagens()
{
    pnlImagens = new Panel(this);
    pnlImagens->resize(kLarguraDasImagens, height());
    auto* layout = new AlignLayout(pnlImagens);

    pnlImagensTitulo = NovoPainelDeTitulo(pnlImagens, QStringLiteral("Imagens e Fotos"), kAlturaDosTitulos);
    layout->addWidget(pnlImagensTitulo, Align::Top);

    pnlImagensSuperior = new Panel(pnlImagens);
    pnlImagensSuperior->resize(kLarguraDasImagens, kAlturaImagensSuperior);
    layout->addWidget(pnlImagensSuperior, Align::Top);
    auto* superior = new AlignLayout(pnlImagensSuperior);
    sheImagens = new ShellListView(pnlImagensSuperior);
    sheImagens->resize(kLarguraDasPastas, kAlturaImagensSuperior);
    superior->addWidget(sheImagens, Align::Left);
    btnVoltarDiretorio = new TFancyButton(pnlImagensSuperior);
    btnVoltarDiretorio->SetColor(cl3DDkShadow);
    btnVoltarDiretorio->FancyEffects().SetShape(btnRectangle);
    btnVoltarDiretorio->FancyEffects().SetFrameWidth(3);
    btnVoltarDiretorio->FancyEffects().SetHoverColor(clAqua);
    btnVoltarDiretorio->Glyphs().SetGlyph(GlifoDeNavegacao(true, false));
    btnVoltarDiretorio->Glyphs().SetLayout(lyCenter);
    btnVoltarDiretorio->setToolTip(QStringLiteral("Voltar à Pasta Anterior"));

    pnlImagensInferior = new Panel(pnlImagens);
    auto* inferior = new AlignLayout(pnlImagensInferior);
    thuImagens = new TThumbnailList(pnlImagensInferior);
    thuImagens->setFrameShape(QFrame::NoFrame);
    thuImagens->SetColor(clGray);
    thuImagens->SetColumns(3);
    thuImagens->SetMultiSelect(true);
    thuImagens->SetShowSelection(true);
    thuImagens->SetScrollStyle(ssNormal);
    thuImagens->SetScrollColor(clGray);
    thuImagens->SetScrollWidth(16);
    thuImagens->SetThumbnailSize(64);
    QFont fonte(QStringLiteral("Verdana"));
    fonte.setPixelSize(11);
    thuImagens->setFont(fonte);
    QPalette branca = thuImagens->palette();
    branca.setColor(QPalette::Text, toQColor(kBranco));
    thuImagens->setPalette(branca);
    thuImagens->setToolTip(QStringLiteral("Arraste As Fotos Desejadas Para a Folha Ao Lado Direito Ou Clique Com o "
                                          "Botão Direito Para Seleção Múltipla"));
    inferior->addWidget(thuImagens, Align::Client);

    splImagens = new Splitter(pnlImagensSuperior, pnlImagensInferior, pnlImagens);
    splImagens->resize(kLarguraDasImagens, kAlturaDoDivisor);
    QPalette p = splImagens->palette();
    p.setColor(QPalette::Window, toQColor(kVermelhoEscuro));
    splImagens->setPalette(p);
    splImagens->setAutoFillBackground(true);
    layout->addWidget(splImagens, Align::Top);

    pnlImagensRodape = NovoPainelDeTitulo(pnlImagens, QString(), kAlturaDosRodapes);
    layout->addWidget(pnlImagensRodape, Align::Bottom);
    layout->addWidget(pnlImagensInferior, Align::Client);
}

void TfrmPrincipal::CriarAreaCentral()
{
    lblPaginaCentralTitulo = NovoPainelDeTitulo(this, QStringLiteral("Papel a Imprimir"), kAlturaDosTitulos);
    lblPaginaCentralTitulo->move(kLarguraDasImagens, 0);

    pnlPaginaCentral = new Panel(this);
    pnlPaginaCentral->setColor(kBranco);
    pnlPaginaCentral->setParentBackground(false);
    pnlPaginaCentral->setFrameShape(QFrame::Box);
    pnlPaginaCentral->setFrameShadow(QFrame::Plain);
    pnlPaginaCentral->setLineWidth(1);
    QPalette borda = pnlPaginaCentral->palette();
    borda.setColor(QPalette::WindowText, toQColor(kPreto));
    pnlPaginaCentral->setPalette(borda);
    pnlPaginaCentralCliente = new QWidget(pnlPaginaCentral);
    imgPaginaCentral = new PictureControl(pnlPaginaCentralCliente);
    imgPaginaCentral->setToolTip(
        QStringLiteral("Página a Ser Impressa, Clique Para Editar Ou Arraste Fotos Sobre Ela"));
    imgPaginaCentral->setContextMenuPolicy(Qt::CustomContextMenu);

    lblPaginaCentralRodape =
        NovoPainelDeTitulo(this, QStringLiteral("Arraste As Fotos Sobre o Papel"), kAlturaDosRodapes);

    spdPaginaInicial = NovoBotaoDeNavegacao(this, QStringLiteral("Ia à Página Inicial"), true, true);
    spdPaginaAnterior = NovoBotaoDeNavegacao(this, QStringLiteral("Ia à Página Anterior"), true, false);
    lblNumeroDaPagina = new QLabel(this);
    lblNumeroDaPagina->resize(kLarguraDoNumeroDaPagina, kLadoDaNavegacao);
    lblNumeroDaPagina->setAlignment(Qt::AlignCenter);
    spdPaginaSeguinte = NovoBotaoDeNavegacao(this, QStringLiteral("Ia Página Seguinte"), false, false);
    spdPaginaFinal = NovoBotaoDeNavegacao(this, QStringLiteral("Ia à Página Final"), false, true);
    PosicionarLinhaDeNavegacao();
}

void TfrmPrincipal::CriarAreaDeControles()
{
    pnlControles = new Panel(this);
    pnlControles->resize(kLarguraDosControles, height());
    auto* layout = new AlignLayout(pnlControles);
    lblControlesTitulos = NovoPainelDeTitulo(pnlControles, QStringLiteral("Controles"), kAlturaDosTitulos);
    layout->addWidget(lblControlesTitulos, Align::Top);

    lblDimensaoDoPapel = NovoRotulo(pnlControles, QStringLiteral("Tamanho Do Papel:"), 31);
    cbxDimensaoDoPapel = NovaLista(pnlControles, paperListItems(), 0, 49);
    lblDimensaoDaFoto = NovoRotulo(pnlControles, QStringLiteral("Tamanho Das Fotos, Cm:"), 79);
    cbxDimensaoDaFoto = NovaLista(pnlControles, photoListItems(), 3, 97);

    pnlLegendaQtdFotos = new CaptionPanel(pnlControles);
    pnlLegendaQtdFotos->setGeometry(kMargemDosControles, 127, kLarguraDasListas, 25);
    pnlLegendaQtdFotos->setColor(cl3DDkShadow);
    pnlLegendaQtdFotos->setParentBackground(false);
    pnlLegendaQtdFotos->setFontColor(kBranco);
    QFont simples = pnlLegendaQtdFotos->font();
    simples.setBold(false);
    pnlLegendaQtdFotos->setFont(simples);

    spdPaginas = NovoBotaoDeComando(pnlControles, QStringLiteral("Páginas"), 0);
    spdDesfazer = NovoBotaoDeComando(pnlControles, QStringLiteral("Desfazer"), 1,
                                     QStringLiteral("Desfazer Operação De Troca Ou Edição De Foto Anterior"));
    spdEditarFotosEfeitos =
        NovoBotaoDeComando(pnlControles, QStringLiteral("Editar Fotos"), 2, QStringLiteral("Edição de Fotos e Imagens"));
    spdEditarFotosTextosETrabalhos = NovoBotaoDeComando(pnlControles, QStringLiteral("Capa CD && DVD"), 3,
                                                        QStringLiteral("Efeito Capa de CD && DVD"));
    spdPrevisaoImpressao =
        NovoBotaoDeComando(pnlControles, QStringLiteral("Previsão"), 4, QStringLiteral("Previsão de Impressão"));
    spdNovoTrabalho = NovoBotaoDeComando(pnlControles, QStringLiteral("Novo"), 5);
    spdGravarTrabalho = NovoBotaoDeComando(pnlControles, QStringLiteral("Gravar"), 6);
    spdLerTrabalho = NovoBotaoDeComando(pnlControles, QStringLiteral("Ler"), 7);
    spdGuia = NovoBotaoDeComando(pnlControles, QStringLiteral("Guia"), 8, QStringLiteral("Manual do Usuário"));
    spdSair = NovoBotaoDeComando(pnlControles, QStringLiteral("Sair"), 9);
}

void TfrmPrincipal::CriarBarraDeEstado()
{
    stbEstado = new StatusBar(this);
    stbEstado->addPanel(200, Qt::AlignHCenter, true);
    stbEstado->addPanel(120, Qt::AlignHCenter);
    stbEstado->addPanel(380, Qt::AlignHCenter);
    stbEstado->addPanel(50, Qt::AlignLeft);
}

void TfrmPrincipal::CriarMenuDaMoldura()
{
    mnmMenuFotoNaMoldura = new OwnerDrawnMenu(this);
    mnmMenuFotoNaMoldura->setMeasureHandler(
        [this](QAction* item, int& w, int& h) { DesenharItemDeMenuOnMeasure(item, w, h); });
    mnmMenuFotoNaMoldura->setDrawHandler([this](QAction* item, Canvas& canvas, const Rect& r, bool selected) {
        DesenharItemDeMenuOnDraw(item, canvas, r, selected);
    });

    OwnerDrawnMenu* m = mnmMenuFotoNaMoldura;
    mniInserirUmaFoto = m->addAction(QStringLiteral("Inserir Ou Trocar Foto"));
    mniRemoverEstaFoto = m->addAction(QStringLiteral("Remover Foto"));
    mniRepetirEstaFoto = m->addAction(QStringLiteral("Repetir Foto Na Página"));
    mniN0101 = m->addSeparator();
    mniEditarEstaFotoEfeitos = m->addAction(QStringLiteral("Editar Foto"));
    mniEditarEstaFotoTextosETrabalhos = m->addAction(QStringLiteral("Capa CD && DVD"));
    mniN0102 = m->addSeparator();
    mniAnalisarEstaFoto = m->addAction(QStringLiteral("Analisar Foto e Moldura"));
    mnuComoAjustar = m->addOwnerDrawnMenu(QStringLiteral("Ajustar Foto Na Moldura"));
    mniComoAjustarEstaFotoNaMoldura = mnuComoAjustar->menuAction();
    mniComoAjustarEstaFotoNaMoldura->setObjectName(QStringLiteral("mniComoAjustarEstaFotoNaMoldura"));
    mniAjustarDespropoircionalEsticado = mnuComoAjustar->addAction(QStringLiteral("Desproporcional, Esticar Na Moldura"));
    mniAjustarProporcionalPorDentro = mnuComoAjustar->addAction(QStringLiteral("Proporcional, Fazendo Bordas"));
    mniAjustarProporcionalPorFora = mnuComoAjustar->addAction(QStringLiteral("Proporcional, Fazendo Cortes"));
    for (QAction* a : {mniAjustarDespropoircionalEsticado, mniAjustarProporcionalPorDentro, mniAjustarProporcionalPorFora})
        a->setCheckable(true);
    mniN0103 = m->addSeparator();
    mniNada01 = m->addAction(QStringLiteral("Não Fazer Nada"));
}

void TfrmPrincipal::GarantirDialogos()
{
    // Made on first use: building them is a good part of the start-up, and many runs never use them.
    if (opdFoto)
        return;
    opdFoto = new QFileDialog(this, QStringLiteral("Escolher Foto Para Integrar o Trabalho"));
    opdFoto->setFileMode(QFileDialog::ExistingFile);
    opdFoto->setAcceptMode(QFileDialog::AcceptOpen);
    opdFoto->setNameFilter(QStringLiteral("Fotos (*.jpg *.jpeg *.bmp *.gif *.ico *.wmf *.emf "
                                          "*.JPG *.JPEG *.BMP *.GIF *.ICO *.WMF *.EMF)"));

    svdTrabalho = new QFileDialog(this, QStringLiteral("Gravar o Trabalho"));
    svdTrabalho->setAcceptMode(QFileDialog::AcceptSave);
    svdTrabalho->setFileMode(QFileDialog::AnyFile);
    svdTrabalho->setNameFilter(QStringLiteral("Lumoria (*.pvo)"));
    svdTrabalho->setDefaultSuffix(QStringLiteral("pvo"));
    // The program asks its own question before writing over a file.
    svdTrabalho->setOption(QFileDialog::DontConfirmOverwrite);

    opdTrabalho = new QFileDialog(this, QStringLiteral("Ler Um Trabalho Gravado"));
    opdTrabalho->setAcceptMode(QFileDialog::AcceptOpen);
    opdTrabalho->setFileMode(QFileDialog::ExistingFile);
    opdTrabalho->setNameFilter(QStringLiteral("Lumoria (*.pvo)"));
    opdTrabalho->setDefaultSuffix(QStringLiteral("pvo"));

    const QString documentos = platform::dialogStartFolder();
    for (QFileDialog* d : {opdFoto, svdTrabalho, opdTrabalho})
        d->setDirectory(documentos);
}

void TfrmPrincipal::LigarEventos()
{
    stbEstado->setDrawPanelHandler(
        [this](int panel, Canvas& canvas, const Rect& r) { stbEstadoDrawPanel(panel, canvas, r); });
    // The lists act on the operator's choice only, never when the program sets them.
    connectGuarded(cbxDimensaoDoPapel, &QComboBox::activated, this, [this](int i) { cbxDimensaoDoPapelClick(i); });
    connectGuarded(cbxDimensaoDaFoto, &QComboBox::activated, this, [this](int i) { cbxDimensaoDaFotoClick(i); });
    connectGuarded(imgPaginaCentral, &PictureControl::mouseMoved, this,
                   [this](Qt::KeyboardModifiers, int x, int y) { imgPaginaCentralMouseMove(x, y); });
    connectGuarded(imgPaginaCentral, &PictureControl::clicked, this, [this] { imgPaginaCentralClick(); });
    connectGuarded(imgPaginaCentral, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        mnmMenuFotoNaMolduraPopup();
        mnmMenuFotoNaMoldura->popup(imgPaginaCentral->mapToGlobal(p));
    });
    connectGuarded(mnmMenuFotoNaMoldura, &QMenu::aboutToShow, this, [this] { mnmMenuFotoNaMolduraPopup(); });
    connectGuarded(mniInserirUmaFoto, &QAction::triggered, this, [this] { mniInserirUmaFotoClick(); });
    connectGuarded(mniRemoverEstaFoto, &QAction::triggered, this, [this] { mniRemoverEstaFotoClick(); });
    connectGuarded(mniRepetirEstaFoto, &QAction::triggered, this, [this] { mniRepetirEstaFotoClick(); });
    connectGuarded(mniAnalisarEstaFoto, &QAction::triggered, this, [this] { mniAnalisarEstaFotoClick(); });
    // Only the popup sets the fit marks: a chosen item keeps the mark it had (Qt flips a checkable
    // item as it is triggered), so a popup over a gap shows what the previous popup set.
    const std::pair<QAction*, void (TfrmPrincipal::*)()> ajustes[] = {
        {mniAjustarDespropoircionalEsticado, &TfrmPrincipal::mniAjustarDespropoircionalEsticadoClick},
        {mniAjustarProporcionalPorDentro, &TfrmPrincipal::mniAjustarProporcionalPorDentroClick},
        {mniAjustarProporcionalPorFora, &TfrmPrincipal::mniAjustarProporcionalPorForaClick}};
    for (const auto& [item, comando] : ajustes)
        connectGuarded(item, &QAction::triggered, this, [this, item = item, comando = comando](bool marcado) {
            item->setChecked(!marcado);
            (this->*comando)();
        });
    connectGuarded(mniEditarEstaFotoTextosETrabalhos, &QAction::triggered, this,
                   [this] { mniEditarEstaFotoTextosETrabalhosClick(); });
    connectGuarded(spdEditarFotosTextosETrabalhos, &TFancyButton::OnClick, this,
                   [this] { spdEditarFotosTextosETrabalhosClick(); });
    // The analysis comes with its window: until then its item stays disabled.
    connectGuarded(spdDesfazer, &TFancyButton::OnClick, this, [this] { spdDesfazerClick(); });
    connectGuarded(spdEditarFotosEfeitos, &TFancyButton::OnClick, this, [this] { spdEditarFotosEfeitosClick(); });
    connectGuarded(mniEditarEstaFotoEfeitos, &QAction::triggered, this, [this] { mniEditarEstaFotoEfeitosClick(); });
    connectGuarded(spdPrevisaoImpressao, &TFancyButton::OnClick, this, [this] { spdPrevisaoImpressaoClick(); });
    connectGuarded(spdNovoTrabalho, &TFancyButton::OnClick, this, [this] { spdNovoTrabalhoClick(); });
    connectGuarded(spdGravarTrabalho, &TFancyButton::OnClick, this, [this] { spdGravarTrabalhoClick(); });
    connectGuarded(spdLerTrabalho, &TFancyButton::OnClick, this, [this] { spdLerTrabalhoClick(); });
    connectGuarded(spdGuia, &TFancyButton::OnClick, this, [this] { spdGuiaClick(); });
    connectGuarded(spdSair, &TFancyButton::OnClick, this, [this] { spdSairClick(); });
    connectGuarded(spdSair, &TFancyButton::OnMouseUp, this,
                   [](Qt::MouseButton b, Qt::KeyboardModifiers k) { spdSairMouseUp(b, k); });
    LigarEventosDaAreaDasImagens();
    connectGuarded(spdPaginaInicial, &TFancyButton::OnClick, this, [this] { spdPaginaInicialClick(); });
    connectGuarded(spdPaginaAnterior, &TFancyButton::OnClick, this, [this] { spdPaginaAnteriorClick(); });
    connectGuarded(spdPaginaSeguinte, &TFancyButton::OnClick, this, [this] { spdPaginaSeguinteClick(); });
    connectGuarded(spdPaginaFinal, &TFancyButton::OnClick, this, [this] { spdPaginaFinalClick(); });
    connectGuarded(spdPaginas, &TFancyButton::OnClick, this, [this] { spdPaginasClick(); });
    m_documento.setLegendListener([this](const PageLegend& legenda) { MostrarLegenda(legenda); });
    m_documento.setSizeListReader([this] { return LerListasDeTamanho(); });
    m_documento.setSizeListWriter([this](const SizeListSelection& s) { MostrarTiposNasListas(s.paperItem, s.photoItem); });
    qApp->installEventFilter(this);
}

void TfrmPrincipal::AlinharAreas()
{
    // A hidden window places its aligned controls only when shown; the page view reads their places
    // before that (a job read at start), so they are placed here, the window's areas first.
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(pnlImagens),
                       static_cast<QWidget*>(pnlImagensSuperior), static_cast<QWidget*>(pnlImagensInferior),
                       static_cast<QWidget*>(pnlControles)})
        if (QLayout* l = w->layout())
            l->setGeometry(w->rect());
    PosicionarLinhaDeNavegacao();
}

void TfrmPrincipal::PosicionarLinhaDeNavegacao()
{
    const int topo = height() - kNavegacaoAteOFundo;
    for (QWidget* c : {static_cast<QWidget*>(spdPaginaInicial), static_cast<QWidget*>(spdPaginaAnterior),
                       static_cast<QWidget*>(lblNumeroDaPagina), static_cast<QWidget*>(spdPaginaSeguinte),
                       static_cast<QWidget*>(spdPaginaFinal)})
        c->move(c->x(), topo);
}

void TfrmPrincipal::MostrarLegenda(const PageLegend& legenda)
{
    pnlLegendaQtdFotos->setColor(legenda.colour);
    pnlLegendaQtdFotos->setCaption(legenda.caption);
    imgPaginaCentral->setToolTip(legenda.hint);
    pnlPaginaCentral->setToolTip(legenda.hint);
}

SizeListSelection TfrmPrincipal::LerListasDeTamanho() const
{
    return SizeListSelection{cbxDimensaoDoPapel->currentIndex(), cbxDimensaoDaFoto->currentIndex()};
}

void TfrmPrincipal::MostrarTiposNasListas(int papel, int foto)
{
    cbxDimensaoDoPapel->setCurrentIndex(papel >= 0 && papel < cbxDimensaoDoPapel->count() ? papel : -1);
    cbxDimensaoDaFoto->setCurrentIndex(foto >= 0 && foto < cbxDimensaoDaFoto->count() ? foto : -1);
}

void TfrmPrincipal::MostrarTiposNasListas(const TPagina& pagina)
{
    MostrarTiposNasListas(pagina.TipoDoPapel, pagina.TipoDaFoto);
}

void TfrmPrincipal::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!imgPaginaCentral)
        return;
    PosicionarLinhaDeNavegacao();
    if (m_lendoTrabalho)
        return;
    if (m_mostrando) {
        m_paginaPendente = true;
        return;
    }
    runGuarded([this] { AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais(); });
}

void TfrmPrincipal::setVisible(bool visible)
{
    if (!visible || m_mostrando) {
        QWidget::setVisible(visible);
        return;
    }
    m_mostrando = true;
    QWidget::setVisible(true);
    m_mostrando = false;
    if (std::exchange(m_paginaPendente, false) && !m_lendoTrabalho)
        runGuarded([this] { AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais(); });
}

bool TfrmPrincipal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgPaginaCentral && FiltrarArrastoSobreAPagina(event))
        return true;
    if ((watched == pnlImagensInferior || watched == pnlImagensSuperior) && event->type() == QEvent::Resize)
        runGuarded([this] { pnlImagensInferiorResize(); });
    // The window sees every key first, whichever of its controls has the focus; the page keys act
    // when a key is let go (not on auto-repeat) while this window is active and no modal window is.
    const bool teclaDaJanela = (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
                               && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this
                               && !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
    if (teclaDaJanela && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The page keys act on release; their presses would move a focused list's selection.
        if (EhTeclaDePagina(key->key()))
            return true;
        const bool ctrlZ = key->text() == QChar(26)
                           || (key->key() == Qt::Key_Z && (key->modifiers() & Qt::ControlModifier)
                               && !(key->modifiers() & Qt::AltModifier));
        if (ctrlZ) {
            runGuarded([this] { spdDesfazerClick(); });
            return true;
        }
    }
    if (teclaDaJanela && event->type() == QEvent::KeyRelease && isActiveWindow()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            return QWidget::eventFilter(watched, event);
        bool tratada = false;
        runGuarded([&] { tratada = FormKeyUp(key->key()); });
        if (tratada)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumoria
