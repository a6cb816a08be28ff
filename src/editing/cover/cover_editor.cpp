// The cover editor's window: its tab, the hooks of the shared editor frame, and placing the cover
// controls.
#include "editing/cover/cover_editor.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QSlider>

#include "components/fancy_button.h"
#include "editing/cover/disc_cover.h"
#include "editing/editor_tabs.h"
#include "editing/picture_layer.h"
#include "imaging/picture_routines.h"
#include "platform/numeric.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/panel.h"

namespace lumoria {

namespace {

constexpr int kLarguraDoRotulo = 100;
constexpr int kLarguraDoDeslizante = 200;
constexpr int kAlturaDaLinha = 30;
constexpr int kLarguraDaCaixa = 280;

QLabel* NovoRotulo(QWidget* pai, const QString& texto)
{
    auto* r = new QLabel(texto, pai);
    r->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    r->resize(kLarguraDoRotulo, kAlturaDaLinha);
    return r;
}

QSlider* NovoDeslizante(QWidget* pai, int minimo, int maximo, int posicao)
{
    auto* s = new QSlider(Qt::Horizontal, pai);
    s->setRange(minimo, maximo);
    s->setValue(posicao);
    s->setTickPosition(QSlider::NoTicks);
    s->setEnabled(false);
    s->resize(kLarguraDoDeslizante, kAlturaDaLinha);
    return s;
}

} // namespace

TfrmEditarFotosTrabalhos::TfrmEditarFotosTrabalhos(QWidget* parent)
    : EditorWindowBase(QStringLiteral("Editor de Fotos, Textos e Produtos"), QSize(780, 600), parent)
{
    CriarAbaCapaDVD();
    CriarMarcador();
    platform::connectGuarded(imgFoto, &PictureLayer::mousePressed, this,
                             [this](Qt::MouseButton b, Qt::MouseButtons, int x, int y) { imgFotoMouseDown(b, x, y); });
    platform::connectGuarded(imgFoto, &PictureLayer::mouseMoved, this,
                             [this](Qt::MouseButtons b, int x, int y) { imgFotoMouseMove(b, x, y); });
    platform::connectGuarded(imgFoto, &PictureLayer::mouseReleased, this,
                             [this](Qt::MouseButton b, int x, int y) { imgFotoMouseUp(b, x, y); });
    pgcControles->OnChange = [this](int aba) { platform::runGuarded([&] { pgcControlesChange(aba); }); };
    TerminarCriacao();
    FMarcadorVisivel = false;
    FMovendoMarcador = false;
}

TfrmEditarFotosTrabalhos::~TfrmEditarFotosTrabalhos() = default;

void TfrmEditarFotosTrabalhos::CriarAbaCapaDVD()
{
    tshCapaDVD = pgcControles->addPage();
    cbxPermitirAplicarCapaCD = new QCheckBox(QStringLiteral("Habilitar Capa CD && DVD"), tshCapaDVD);
    cbxPermitirAplicarCapaCD->resize(kLarguraDaCaixa, 26);
    lblPorcentualDeDiametroCapaCD = NovoRotulo(tshCapaDVD, QStringLiteral("Diâmetro"));
    trbPorcentualDeDiametroCapaCD = NovoDeslizante(tshCapaDVD, 10, 100, 100);
    lblDeslocamentoHorizontal = NovoRotulo(tshCapaDVD, QStringLiteral("Horizontal"));
    trbDeslocamentoHorizontal = NovoDeslizante(tshCapaDVD, -100, 100, 0);
    lblDeslocamentoVertical = NovoRotulo(tshCapaDVD, QStringLiteral("Vertical"));
    trbDeslocamentoVertical = NovoDeslizante(tshCapaDVD, -100, 100, 0);
    spdRemoveraplicacaoCapaCD = new TFancyButton(tshCapaDVD);
    ApplyCommandButtonLook(*spdRemoveraplicacaoCapaCD);
    spdRemoveraplicacaoCapaCD->resize(110, 30); // beside the sliders, inside the page
    spdRemoveraplicacaoCapaCD->SetCaption(QStringLiteral("Remover"));
    spdRemoveraplicacaoCapaCD->setEnabled(false);

    // The check box acts also when code ticks it ("Remover" unticks it through its handler).
    platform::connectGuarded(cbxPermitirAplicarCapaCD, &QCheckBox::toggled, this,
                             [this](bool) { cbxPermitirAplicarCapaCDClick(); });
    for (QSlider* s : Deslizantes())
        platform::connectGuarded(s, &QSlider::valueChanged, this, [this](int) { trbPorcentualDeDiametroCapaCDChange(); });
    platform::connectGuarded(spdRemoveraplicacaoCapaCD, &TFancyButton::OnClick, this,
                             [this] { spdRemoveraplicacaoCapaCDClick(); });
}

QList<QSlider*> TfrmEditarFotosTrabalhos::Deslizantes() const
{
    return {trbPorcentualDeDiametroCapaCD, trbDeslocamentoHorizontal, trbDeslocamentoVertical};
}

QString TfrmEditarFotosTrabalhos::PrefixoDoTitulo() const { return QStringLiteral("Capa CD & DVD - "); }

QStringList TfrmEditarFotosTrabalhos::LinhasDaAba(int indice) const
{
    if (indice == 0)
        return {QStringLiteral("Capa"), QStringLiteral("CD & DVD")};
    return {};
}

void TfrmEditarFotosTrabalhos::AoIniciarCarga()
{
    pgcControles->setCurrentIndexSilently(0);
    // A new photo never inherits the cover of the one before: the cover starts off.
    DesligarCapaSemAplicar();
    ApagarMarcadorRetangular();
}

void TfrmEditarFotosTrabalhos::AoMontarCopiaDeTrabalho(const platform::Bitmap& copia)
{
    FFotoOriginal.AssignGraphic(&copia);
    FRetanguloDoMarcador = Rect{};
    const int h = LimiteDoDeslocamento(copia.Width());
    const int v = LimiteDoDeslocamento(copia.Height());
    const QSignalBlocker b1(trbDeslocamentoHorizontal);
    const QSignalBlocker b2(trbDeslocamentoVertical);
    trbDeslocamentoHorizontal->setRange(-h, h);
    trbDeslocamentoHorizontal->setValue(0);
    trbDeslocamentoVertical->setRange(-v, v);
    trbDeslocamentoVertical->setValue(0);
}

void TfrmEditarFotosTrabalhos::AoDesligarProgresso(bool abortado)
{
    if (!abortado)
        return;
    AtribuirFigura(FFotoOriginal, imgFoto->Picture());
    imgFoto->Changed();
}

void TfrmEditarFotosTrabalhos::DesligarCapaSemAplicar()
{
    {
        const QSignalBlocker bloqueio(cbxPermitirAplicarCapaCD);
        cbxPermitirAplicarCapaCD->setChecked(false);
    }
    ResetarControlesCapaCDEDVD();
    spdRemoveraplicacaoCapaCD->setEnabled(false);
}

void TfrmEditarFotosTrabalhos::pgcControlesChange(int)
{
    ApagarMarcadorRetangular();
    DesligarCapaSemAplicar();
    // A cover on show at this moment becomes the photo as loaded.
    AtribuirFigura(imgFoto->Picture(), FFotoOriginal);
    resizeEvent(nullptr);
}

void TfrmEditarFotosTrabalhos::PosicionarControlesDaCapa()
{
    // The check box keeps its centre in the middle of the page; the labels and sliders stand as one
    // block centred under it.
    const int largura = tshCapaDVD->width();
    cbxPermitirAplicarCapaCD->move(std::max(0, (largura - cbxPermitirAplicarCapaCD->width()) / 2), 8);
    const int esquerda = cbxPermitirAplicarCapaCD->x() -
                         RoundToInt32((kLarguraDoRotulo + kLarguraDoDeslizante - cbxPermitirAplicarCapaCD->width()) / 2.0L);
    const int deslizante = esquerda + kLarguraDoRotulo;
    int topo = 40;
    for (auto [rotulo, trb] : {std::pair{lblPorcentualDeDiametroCapaCD, trbPorcentualDeDiametroCapaCD},
                               std::pair{lblDeslocamentoHorizontal, trbDeslocamentoHorizontal},
                               std::pair{lblDeslocamentoVertical, trbDeslocamentoVertical}}) {
        rotulo->move(esquerda, topo);
        trb->move(deslizante, topo);
        topo += 34;
    }
    spdRemoveraplicacaoCapaCD->move(deslizante + kLarguraDoDeslizante + 12,
                                    trbDeslocamentoHorizontal->y() + (kAlturaDaLinha - spdRemoveraplicacaoCapaCD->height()) / 2);
}

void TfrmEditarFotosTrabalhos::resizeEvent(QResizeEvent* event)
{
    EditorWindowBase::resizeEvent(event);
    PosicionarControlesDaCapa();
    FPontoInicial.X = -1;
}

bool TfrmEditarFotosTrabalhos::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == pnlFoto && evento->type() == QEvent::FocusOut) {
        // Only the focus moving to another control of this window is an exit; a dialog, a menu or
        // another program taking the activation leaves the stage's focus where it was.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
            platform::runGuarded([this] { pnlFotoExit(); });
    }
    else if (objeto == tshCapaDVD && evento->type() == QEvent::Resize)
        PosicionarControlesDaCapa();
    return EditorWindowBase::eventFilter(objeto, evento);
}

// --- The cover.

void TfrmEditarFotosTrabalhos::AplicarCapaDeCDEmBitmap()
{
    if (!TemFoto())
        return;
    lumoria::AplicarCapaDeCDEmBitmap(imgFoto->Picture().GetBitmap(), trbPorcentualDeDiametroCapaCD->value(),
                                     trbDeslocamentoHorizontal->value(), trbDeslocamentoVertical->value());
    imgFoto->Changed();
}

void TfrmEditarFotosTrabalhos::cbxPermitirAplicarCapaCDClick()
{
    const bool ligada = cbxPermitirAplicarCapaCD->isChecked();
    if (ligada && !TemFoto()) {
        // Without a photo there is nothing to cut a disc from: the tick is taken back.
        const QSignalBlocker bloqueio(cbxPermitirAplicarCapaCD);
        cbxPermitirAplicarCapaCD->setChecked(false);
        return;
    }
    for (QSlider* s : Deslizantes())
        s->setEnabled(ligada);
    if (ligada) {
        AtribuirFigura(imgFoto->Picture(), FFotoAntesDaCapa);
        trbPorcentualDeDiametroCapaCDChange();
        spdRemoveraplicacaoCapaCD->setEnabled(true);
        FModificado = true;
    } else {
        if (FFotoAntesDaCapa.GetGraphic()) {
            AtribuirFigura(FFotoAntesDaCapa, imgFoto->Picture());
            imgFoto->Changed();
        }
        spdRemoveraplicacaoCapaCD->setEnabled(false);
    }
}

void TfrmEditarFotosTrabalhos::trbPorcentualDeDiametroCapaCDChange()
{
    if (m_ajustando || !FFotoAntesDaCapa.GetGraphic())
        return;
    m_ajustando = true;
    const QSignalBlocker b1(trbPorcentualDeDiametroCapaCD);
    const QSignalBlocker b2(trbDeslocamentoHorizontal);
    const QSignalBlocker b3(trbDeslocamentoVertical);
    try {
        // Each adjustment starts from the photo without the mask, so masks never build on each other.
        AtribuirFigura(FFotoAntesDaCapa, imgFoto->Picture());
        AplicarCapaDeCDEmBitmap();
    } catch (...) {
        m_ajustando = false;
        throw;
    }
    m_ajustando = false;
}

void TfrmEditarFotosTrabalhos::ResetarControlesCapaCDEDVD()
{
    {
        const QSignalBlocker b1(trbPorcentualDeDiametroCapaCD);
        const QSignalBlocker b2(trbDeslocamentoHorizontal);
        const QSignalBlocker b3(trbDeslocamentoVertical);
        trbPorcentualDeDiametroCapaCD->setValue(100);
        trbDeslocamentoHorizontal->setValue(0);
        trbDeslocamentoVertical->setValue(0);
    }
    const bool ligada = cbxPermitirAplicarCapaCD->isChecked();
    for (QSlider* s : Deslizantes())
        s->setEnabled(ligada);
}

void TfrmEditarFotosTrabalhos::spdRemoveraplicacaoCapaCDClick()
{
    cbxPermitirAplicarCapaCD->setChecked(false);
    ResetarControlesCapaCDEDVD();
    if (FFotoOriginal.GetGraphic()) {
        AtribuirFigura(FFotoOriginal, imgFoto->Picture());
        imgFoto->Changed();
    }
    spdRemoveraplicacaoCapaCD->setEnabled(false);
}

void TfrmEditarFotosTrabalhos::spdAplicarCapaCDClick() { AplicarCapaDeCDEmBitmap(); }

} // namespace lumoria
