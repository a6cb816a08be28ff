#pragma once
// The progress bar and abort button of an editor window, as the long pixel routines see them: the
// routines switch the bar on, report their outer index after each step, test the abort flag and
// switch the bar off. The editor windows implement it; tests give a recording double.
namespace lumoria {

class EditorProgress {
public:
    virtual ~EditorProgress() = default;

    // Sets the picture aside (where the window does so), disables the controls, clears the abort
    // flag and shows the bar with its lowest value, position and highest value.
    virtual void LigarBarraDeProgresso(int minimo, int posicao, int maximo) = 0;
    // Moves the bar; this is where pending events (the abort button's click) are seen.
    virtual void AtualizarBarraDeProgresso(int posicao) = 0;
    // Hides the bar; after an abort the visible picture goes back to what it was before.
    virtual void DesligarBarraDeProgresso() = 0;
    // The abort flag (FAbortarProcessamento), set by the abort button.
    virtual bool AbortarProcessamento() const = 0;
};

} // namespace lumoria
