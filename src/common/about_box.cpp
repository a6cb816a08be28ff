#include "common/about_box.h"

#include "common/app_identity.h"
#include "common/general_routines.h"
#include "common/message_box.h"

namespace lumoria {

QString TextoDoAutor()
{
    return TituloDoAplicativo() + QuebrasDeLinha(2) + QStringLiteral("Concepção e Criação Integral") +
           QuebrasDeLinha(1) + QStringLiteral("De Todos Os Elementos Deste") + QuebrasDeLinha(1) +
           QStringLiteral("Produto Sob Autoria De") + QuebrasDeLinha(1) +
           QStringLiteral("Equipe De Desenvolvimento Karvel");
}

bool spdSairMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    const Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (button != Qt::RightButton || (shift & all) != all)
        return false;
    CaixaDeDialogoComImagem(TextoDoAutor(), QStringLiteral("Autor Deste Programa"), QStringLiteral("Sim"));
    return true;
}

} // namespace lumoria
