#include "common/small_dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include "common/custom_cursors.h"
#include "common/dialog_glyphs.h"
#include "common/general_routines.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/ui/panel.h"

namespace lumoria {

using namespace platform;

TfrmDialogoProgresso::TfrmDialogoProgresso(QWidget* owner) : DialogForm(owner, 462, 64)
{
    prbProgresso = new QProgressBar(pnlInferior);
    prbProgresso->setGeometry(16, 14, 430, 15);
    prbProgresso->setTextVisible(false);
    // Only the bar colour changes; the trough keeps its own.
    QPalette palette = prbProgresso->palette();
    palette.setColor(QPalette::Highlight, toQColor(0x800000));
    prbProgresso->setPalette(palette);

    lblProgresso = new QLabel(pnlInferior);
    lblProgresso->setTextFormat(Qt::PlainText);
    lblProgresso->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblProgresso->setGeometry(16, 38, 430, lblProgresso->fontMetrics().height());
    SetLabelFontColor(*lblProgresso, colorRef(255, 255, 255));
    AplicarCursoresNosControles(this);
}

void TfrmDialogoProgresso::SetarPosicao(int posicao)
{
    prbProgresso->setValue(posicao);
    lblProgresso->setText(TextoDePercentual(posicao, prbProgresso->maximum()));
}

void TfrmDialogoProgresso::AvancarPara(int posicao)
{
    SetarPosicao(posicao);
    repaint();
    QApplication::processEvents();
}

QString TfrmDialogoProgresso::TextoDePercentual(int posicao, int maximo)
{
    const long double percentual = maximo > 0 ? (long double)(std::int64_t(posicao) * 100) / maximo : 0.0L;
    return Trim(Trim(FormatarNumero(3, 0, percentual)) + QStringLiteral("% Já Executado"));
}

void TfrmDialogoProgresso::resizeEvent(QResizeEvent* event)
{
    DialogForm::resizeEvent(event);
    // The bar stretches with the window.
    if (prbProgresso)
        prbProgresso->resize(width() - 32, prbProgresso->height());
}

void TfrmDialogoProgresso::closeEvent(QCloseEvent* event) { event->ignore(); }

TfrmDialogoGuia::TfrmDialogoGuia(QWidget* owner) : DialogForm(owner, 632, 54)
{
    setWindowFlags(windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Guia Do Usuário Deste Software"));
    SetAutoSize(false);
    setFixedSize(632, 72);
    spdNao = CreateButton(QStringLiteral("Não Quero"), 21, GlyphNo(), [this] { Answer(1); });
    spdSim = CreateButton(QStringLiteral("Na Tela"), 221, GlyphOnScreen(), [this] { Answer(2); });
    spdImpresso = CreateButton(QStringLiteral("Impresso"), 421, GlyphPrinted(), [this] { Answer(3); });
    AplicarCursoresNosControles(this);
}

void TfrmDialogoGuia::showEvent(QShowEvent* event)
{
    Resposta = 0;
    DialogForm::showEvent(event);
}

void TfrmDialogoGuia::Answer(std::uint8_t answer)
{
    Resposta = answer;
    close();
}

} // namespace lumoria
