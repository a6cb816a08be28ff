#include "common/message_window.h"

#include <QLabel>
#include <QPixmap>

#include "common/custom_cursors.h"
#include "common/dialog_glyphs.h"
#include "components/fancy_button.h"
#include "platform/ui/panel.h"

namespace lumoria {

void AnsweringForm::Answer(std::int32_t answer)
{
    Resposta = answer;
    close();
}

void AnsweringForm::FormKeyUp(int key)
{
    if (key == Qt::Key_Return)
        Answer(6);
    else if (key == Qt::Key_Escape)
        Answer(7);
}

TfrmDialogo::TfrmDialogo(QWidget* owner) : AnsweringForm(owner, 532, 54)
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Dialogo"));
    spdNao = CreateButton(QStringLiteral("Não"), 49, GlyphNo(), [this] { Answer(7); });
    spdSim = CreateButton(QStringLiteral("Sim"), 293, GlyphYes(), [this] { Answer(6); });
    AplicarCursoresNosControles(this);
}

TfrmDialogoComImagem::TfrmDialogoComImagem(QWidget* owner) : AnsweringForm(owner, 312, 54, 312)
{
    Image1 = new QLabel(pnlSuperior);
    Image1->setGeometry(6, 6, 300, 300);
    Image1->setPixmap(QPixmap::fromImage(AuthorPicture()));
    spdSim = CreateButton(QStringLiteral("Sim"), 61, GlyphYes(), [this] { Answer(6); });
    AplicarCursoresNosControles(this);
}

} // namespace lumoria
