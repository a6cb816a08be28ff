#pragma once
// The message window behind every question and notice, and the picture window of the author box.
#include <cstdint>

#include "common/dialog_form.h"

class QLabel;

namespace lumoria {

// A window whose first button or Enter answers 6 and Esc 7; 2 until one of them answers.
class AnsweringForm : public DialogForm {
    Q_OBJECT
public:
    using DialogForm::DialogForm;

    std::int32_t Resposta = 2;

protected:
    void FormKeyUp(int key) override;
    void Answer(std::int32_t answer);
};

class TfrmDialogo : public AnsweringForm {
    Q_OBJECT
public:
    explicit TfrmDialogo(QWidget* owner);

    TFancyButton* spdSim = nullptr; // first button, answers 6
    TFancyButton* spdNao = nullptr; // second button, answers 7
};

class TfrmDialogoComImagem : public AnsweringForm {
    Q_OBJECT
public:
    explicit TfrmDialogoComImagem(QWidget* owner);

    QLabel* Image1 = nullptr;
    TFancyButton* spdSim = nullptr;
};

} // namespace lumoria
