#pragma once
// The progress window that long operations show without waiting, and the user-guide choice.
#include <cstdint>

#include "common/dialog_form.h"

class QLabel;
class QProgressBar;

namespace lumoria {

// Callers set the caption, the label, the bar's range and position and the percentage text, show it
// without waiting, update it after each step and release it at the end.
class TfrmDialogoProgresso : public DialogForm {
    Q_OBJECT
public:
    explicit TfrmDialogoProgresso(QWidget* owner);

    QProgressBar* prbProgresso = nullptr;
    QLabel* lblProgresso = nullptr;

    // Moves the bar and writes its percentage text (TextoDePercentual of the bar's maximum).
    void SetarPosicao(int posicao);
    // After a step of the work: the bar and its text, painted at once, then pending events once.
    void AvancarPara(int posicao);
    // posicao * 100 / maximo with no decimals, followed by "% Já Executado" (0 for no maximum).
    static QString TextoDePercentual(int posicao, int maximo);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Its work cannot be stopped, and the windows it hides come back only when the work ends: the
    // window stays until its caller releases it.
    void closeEvent(QCloseEvent* event) override;
};

// Answers 1 "Não Quero", 2 "Na Tela", 3 "Impresso"; 0 when closed with its close box.
class TfrmDialogoGuia : public DialogForm {
    Q_OBJECT
public:
    explicit TfrmDialogoGuia(QWidget* owner);

    TFancyButton* spdNao = nullptr;
    TFancyButton* spdSim = nullptr;
    TFancyButton* spdImpresso = nullptr;
    std::uint8_t Resposta = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Answer(std::uint8_t answer);
};

} // namespace lumoria
