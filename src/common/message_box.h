#pragma once
// The program's own message window: every question and notice goes through it, never through a
// standard message box. The owner is the active window.
#include <QString>

namespace lumoria {

// Shows the text under the caption with the first button (botao1, answer 6) and, when botao2 is
// not blank, the second button (answer 7) on its left. The error flag turns the window dark red and
// puts the first button on the left. Enter answers 6, Esc 7, closing the window otherwise 2.
int CaixaDeDialogo(const QString& texto, const QString& titulo, const QString& botao2, const QString& botao1,
                   bool erro);

} // namespace lumoria
