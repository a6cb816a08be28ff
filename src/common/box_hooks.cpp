#include "common/box_hooks.h"

#include <QApplication>

#include "common/message_box.h"

namespace lumoria {

namespace {
BoxFunction g_box;
BeepFunction g_beep;
} // namespace

BoxFunction setBoxFunction(BoxFunction function)
{
    BoxFunction previous = std::move(g_box);
    g_box = std::move(function);
    return previous;
}

BeepFunction setBeepFunction(BeepFunction function)
{
    BeepFunction previous = std::move(g_beep);
    g_beep = std::move(function);
    return previous;
}

int showBox(const QString& texto, const QString& titulo, const QString& botao2, const QString& botao1, bool erro)
{
    if (g_box)
        return g_box(texto, titulo, botao2, botao1, erro);
    return CaixaDeDialogo(texto, titulo, botao2, botao1, erro);
}

void soundAlert()
{
    if (g_beep)
        g_beep();
    else
        QApplication::beep();
}

} // namespace lumoria
