#pragma once
class QWidget;

namespace lumoria {

// Shrinks the main window to 1 x 1 and hides it while an installation mode ends the program; its
// resize and hide handlers no longer run from here on.
void ReduzTamanhoFormularioPrincipal(QWidget* principal);

} // namespace lumoria
