#pragma once
// The program's own message window: every question and notice goes through it, never through a
// standard message box. The owner is the active window.
#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>

namespace lumoria {

// Shows the text under the caption with the first button (botao1, answer 6) and, when botao2 is
// not blank, the second button (answer 7) on its left. The error flag turns the window dark red and
// puts the first button on the left. Enter answers 6, Esc 7, closing the window otherwise 2.
int CaixaDeDialogo(const QString& texto, const QString& titulo, const QString& botao2, const QString& botao1,
                   bool erro);

// The same window with chosen button pictures from the main window's 24 x 24 image list (an index the
// list lacks leaves a blank glyph): two buttons stand at a quarter and three quarters of the width;
// the alert flag turns the window light red with black texts and puts the first button on the left;
// the system-menu flag gives the window a close box.
int CaixaDeDialogoComIconesEspeciais(const QString& texto, const QString& titulo, const QString& botao2,
                                     const QString& botao1, std::uint8_t imagem2, std::uint8_t imagem1,
                                     bool alerta, bool menuDoSistema,
                                     const QList<QImage>& imgImagensIcones24x24);

// The window with a picture above the text and one button: 6 for the button or Enter, 7 for Esc, 2
// when closed otherwise.
int CaixaDeDialogoComImagem(const QString& texto, const QString& titulo, const QString& botao);

} // namespace lumoria
