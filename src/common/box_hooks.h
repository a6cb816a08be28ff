#pragma once
// How the failure handler and the screen check show their box and sound the alert: the program's
// message window and the platform beep, or whatever a test puts in their place to see what would be
// shown.
#include <QString>

#include <functional>

namespace lumoria {

// Arguments as CaixaDeDialogo takes them: text, caption, second button, first button, error look.
using BoxFunction = std::function<int(const QString& texto, const QString& titulo, const QString& botao2,
                                      const QString& botao1, bool erro)>;
using BeepFunction = std::function<void()>;

// Each returns the previous function; an empty one restores the program's own.
BoxFunction setBoxFunction(BoxFunction function);
BeepFunction setBeepFunction(BeepFunction function);

int showBox(const QString& texto, const QString& titulo, const QString& botao2, const QString& botao1, bool erro);
void soundAlert();

} // namespace lumoria
