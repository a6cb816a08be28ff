#pragma once
// The screen size check of the start: below 800 x 600 the program cannot go on; at exactly 800 wide
// or 600 high it advises 1024 x 768.
#include <QSize>

namespace lumoria {

// Checks the primary screen.
void VerificarDimensoesDaTela();
// Checks a screen of the given size in pixels. A screen that is too small shows its message and asks
// the program to end.
void VerificarDimensoesDaTela(QSize tela);

} // namespace lumoria
