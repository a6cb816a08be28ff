#include "install/contract_window.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "common/custom_cursors.h"
#include "common/message_box.h"
#include "components/fancy_button.h"
#include "install/install_texts.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/screen_centre.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr int kMargem = 12;

int TeclaDe(const QKeyEvent* event) { return event->key() == Qt::Key_Enter ? Qt::Key_Return : event->key(); }

bool TeclaDeResposta(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Escape; }

} // namespace

TfrmDialogoContrato::TfrmDialogoContrato(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Contrato de Uso de Software"));
    setFixedSize(kLarguraDoCliente, kAlturaDoCliente);
    QFont fonte(QStringLiteral("Verdana"));
    fonte.setPixelSize(13);
    fonte.setBold(true);
    setFont(fonte);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, toQColor(cl3DDkShadow));
    paleta.setColor(QPalette::WindowText, QColor(255, 255, 255));
    setPalette(paleta);
    setAutoFillBackground(true);

    spdNao = NewCommandButton(this, QStringLiteral("Não"));
    spdSim = NewCommandButton(this, QStringLiteral("Sim"));
    const int topoDosBotoes = kAlturaDoCliente - kMargem - spdSim->height();
    spdNao->move(kMargem, topoDosBotoes);
    spdSim->move(kLarguraDoCliente - kMargem - spdSim->width(), topoDosBotoes);

    cbxContrato = new QCheckBox(QStringLiteral("Eu Li e Concordo Com o Contrato Acima:"), this);
    // The text stands on the left of the box.
    cbxContrato->setLayoutDirection(Qt::RightToLeft);
    cbxContrato->adjustSize();
    const int topoDaCaixa = topoDosBotoes - kMargem - cbxContrato->height();
    cbxContrato->move(kLarguraDoCliente - kMargem - cbxContrato->width(), topoDaCaixa);

    memContrato = new QPlainTextEdit(this);
    memContrato->setReadOnly(true);
    memContrato->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memContrato->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memContrato->setPlainText(TextoDoContrato());
    QPalette papel = memContrato->palette();
    papel.setColor(QPalette::Base, QColor(192, 192, 192));
    papel.setColor(QPalette::Text, QColor(0, 0, 0));
    memContrato->setPalette(papel);
    memContrato->setGeometry(kMargem, kMargem, kLarguraDoCliente - 2 * kMargem, topoDaCaixa - 2 * kMargem);

    for (QWidget* controle : findChildren<QWidget*>())
        controle->installEventFilter(this);
    connectGuarded(spdSim, &TFancyButton::OnClick, this, [this] { spdSimClick(); });
    connectGuarded(spdNao, &TFancyButton::OnClick, this, [this] { spdNaoClick(); });
    FormCreate();
}

void TfrmDialogoContrato::FormCreate()
{
    AplicarCursoresNosControles(this);
    Resposta = 2;
}

void TfrmDialogoContrato::ShowModal()
{
    m_teclasPressionadas.clear();
    runModal(this);
}

void TfrmDialogoContrato::spdSimClick()
{
    if (cbxContrato->isChecked()) {
        Resposta = 6;
        close();
        return;
    }
    CaixaDeDialogo(TextoParaAssinarOContrato(), QStringLiteral("Por Favor, Assine o Contrato!"), QString(),
                   QStringLiteral("Sim"), false);
}

void TfrmDialogoContrato::spdNaoClick()
{
    Resposta = 7;
    close();
}

void TfrmDialogoContrato::FormKeyUp(int key)
{
    if (key == Qt::Key_Return)
        spdSimClick();
    else if (key == Qt::Key_Escape)
        spdNaoClick();
}

bool TfrmDialogoContrato::TeclaPressionada(QKeyEvent* event)
{
    const int tecla = TeclaDe(event);
    if (!TeclaDeResposta(tecla))
        return false;
    if (!event->isAutoRepeat())
        m_teclasPressionadas.insert(tecla);
    return true;
}

bool TfrmDialogoContrato::TeclaSolta(QKeyEvent* event)
{
    const int tecla = TeclaDe(event);
    if (!TeclaDeResposta(tecla))
        return false;
    if (!event->isAutoRepeat() && m_teclasPressionadas.remove(tecla))
        runGuarded([&] { FormKeyUp(tecla); });
    return true;
}

bool TfrmDialogoContrato::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return TeclaPressionada(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::KeyRelease)
        return TeclaSolta(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

void TfrmDialogoContrato::keyPressEvent(QKeyEvent* event)
{
    if (!TeclaPressionada(event))
        QWidget::keyPressEvent(event);
}

void TfrmDialogoContrato::keyReleaseEvent(QKeyEvent* event)
{
    if (!TeclaSolta(event))
        QWidget::keyReleaseEvent(event);
}

void TfrmDialogoContrato::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centreOnScreen(this);
}

} // namespace lumoria
