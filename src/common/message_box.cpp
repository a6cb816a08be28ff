#include "common/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>

#include "common/message_window.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/numeric.h"
#include "platform/ui/panel.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr int kButtonTop = 12;

// Shows the window modally, reads its answer and leaves the window to be freed by the event loop.
template <typename Form>
int Answer(Form* form)
{
    QPointer<Form> alive(form);
    form->ShowModal();
    if (!alive)
        return 2;
    const int answer = form->Resposta;
    form->deleteLater();
    return answer;
}

int CentredLeft(const TfrmDialogo& form)
{
    return RoundToInt32((form.pnlInferior->width() - form.spdSim->width()) / 2.0L);
}

void SwapLefts(TfrmDialogo& form)
{
    const int left = form.spdSim->x();
    form.spdSim->move(form.spdNao->x(), kButtonTop);
    form.spdNao->move(left, kButtonTop);
}

// The active window, unless it is on its way out (a box just answered is still active while hidden,
// and its deferred release would take the new box with it).
QWidget* Owner()
{
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

// Steps shared by both boxes: the window, its text and its caption.
TfrmDialogo* NewBox(const QString& texto, const QString& titulo)
{
    auto* form = new TfrmDialogo(Owner());
    form->SetMessage(texto);
    form->setWindowTitle(Trim(titulo));
    return form;
}

} // namespace

int CaixaDeDialogo(const QString& texto, const QString& titulo, const QString& botao2, const QString& botao1,
                   bool erro)
{
    TfrmDialogo* form = NewBox(texto, titulo);
    if (!Trim(botao2).isEmpty()) {
        form->spdNao->move(49, kButtonTop);
        form->spdNao->SetCaption(botao2);
        form->spdNao->show();
        form->spdSim->move(293, kButtonTop);
    } else {
        form->spdNao->hide();
        form->spdSim->move(CentredLeft(*form), kButtonTop);
    }
    form->spdSim->SetCaption(botao1);
    form->spdSim->show();
    if (erro) {
        const ColorRef darkRed = 0x0000BF;
        form->SetColor(darkRed);
        form->pnlInferior->setColor(darkRed);
        DialogForm::SetLabelColor(*form->lblDialogo, darkRed);
        if (!form->spdNao->isHidden())
            SwapLefts(*form);
    }
    return Answer(form);
}

int CaixaDeDialogoComIconesEspeciais(const QString& texto, const QString& titulo, const QString& botao2,
                                     const QString& botao1, std::uint8_t imagem2, std::uint8_t imagem1,
                                     bool alerta, bool menuDoSistema,
                                     const QList<QImage>& imgImagensIcones24x24)
{
    TfrmDialogo* form = NewBox(texto, titulo);
    const long double w = form->pnlInferior->width();
    if (!Trim(botao2).isEmpty()) {
        form->spdNao->move(RoundToInt32(w / 4 - form->spdNao->width() / 2.0L), kButtonTop);
        form->spdSim->move(RoundToInt32(3 * w / 4 - form->spdSim->width() / 2.0L), kButtonTop);
        form->spdNao->SetCaption(botao2);
        form->spdNao->show();
    } else {
        form->spdNao->hide();
        form->spdSim->move(CentredLeft(*form), kButtonTop);
    }
    form->spdSim->SetCaption(botao1);
    form->spdSim->show();
    if (menuDoSistema)
        form->setWindowFlags(form->windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    if (alerta) {
        const ColorRef lightRed = 0x8080FF;
        const ColorRef black = 0x000000;
        form->SetColor(lightRed);
        form->pnlInferior->setColor(lightRed);
        DialogForm::SetLabelColor(*form->lblDialogo, lightRed);
        DialogForm::SetLabelFontColor(*form->lblDialogo, black);
        form->spdNao->SetFontColor(black);
        form->spdSim->SetFontColor(black);
        if (!form->spdNao->isHidden())
            SwapLefts(*form);
    }
    const auto picture = [&imgImagensIcones24x24](std::uint8_t index) {
        if (index < imgImagensIcones24x24.size())
            return imgImagensIcones24x24[index];
        QImage blank(24, 24, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    };
    form->spdNao->Glyphs().SetGlyph(picture(imagem2));
    form->spdSim->Glyphs().SetGlyph(picture(imagem1));
    form->spdNao->Glyphs().SetLayout(lyLeft);
    form->spdSim->Glyphs().SetLayout(lyLeft);
    return Answer(form);
}

int CaixaDeDialogoComImagem(const QString& texto, const QString& titulo, const QString& botao)
{
    auto* form = new TfrmDialogoComImagem(Owner());
    form->SetMessage(texto);
    form->setWindowTitle(Trim(titulo));
    form->spdSim->SetCaption(Trim(botao));
    return Answer(form);
}

} // namespace lumoria
