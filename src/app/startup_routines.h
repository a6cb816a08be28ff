#pragma once
// Start-up and shut-down rules of the main window that need no window: the refusal of a second
// copy, the welcome tip of the first runs and the exit question. The window shows the boxes.
#include "app/settings.h"
#include "platform/system/single_instance.h"

#include <QString>

#include <cstdint>

namespace lumoria {

inline constexpr int kExecucoesComDica = 3;

// Takes the single-instance lock named after the title (so copies of another major.minor version
// do not see each other). Raises AlreadyRunning ("Aplicativo Já Em Execução") when another copy
// holds it; the lock is then not held. Where no lock can be made at all, the program runs.
void VerificarSeAplicativoJaEstaEmExecucao(platform::SingleInstanceLock& atomoDeExecucao,
                                           const QString& titulo);
void VerificarSeAplicativoJaEstaEmExecucao(platform::SingleInstanceLock& atomoDeExecucao);

// Counts this run once (the first time the window shows; the counter stops at its largest value)
// and tells whether the welcome tip shows now: while the raised counter is at most 3.
bool countRunForWelcomeTip(Configuracoes& configuracoes, bool& dicaApresentada);

// The welcome tip's caption and text for the raised counter; its last line tells in how many more
// runs (3 - counter) it shows.
QString welcomeTipCaption();
QString welcomeTipText(const QString& titulo, std::int32_t contador);

// The exit question, warning first of unsaved changes.
QString exitQuestionCaption();
QString exitQuestionText(const QString& titulo, bool haAlteracaoNaoGravada);

} // namespace lumoria
