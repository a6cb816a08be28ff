#pragma once
// The progress window that long operations show without waiting, and the user-guide choice.
#include <cstdint>

#include <QString>

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

    // Sets the caption, the label and the bar from 0 to maximo, then shows the window without
    // waiting and paints it.
    void Iniciar(const QString& titulo, int maximo, const QString& texto);
    // One more step: the bar, the percentage text, a repaint, and the pending events processed.
    void Avancar(int posicao);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// The progress window's percentage: position * 100 / maximum with no decimals, then "% Já Executado".
QString TextoDePercentual(int posicao, int maximo);

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
