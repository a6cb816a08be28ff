#pragma once
// The message window behind every question and notice, and the picture window of the author box.
#include <cstdint>

#include "common/dialog_form.h"

class QLabel;

namespace lumoria {

class TfrmDialogo : public DialogForm {
    Q_OBJECT
public:
    explicit TfrmDialogo(QWidget* owner);

    TFancyButton* spdSim = nullptr; // first button, answers 6
    TFancyButton* spdNao = nullptr; // second button, answers 7
    // 2 until a button or key answers.
    std::int32_t Resposta = 2;

protected:
    void FormKeyUp(int key) override;

private:
    void Answer(std::int32_t answer);
};

class TfrmDialogoComImagem : public DialogForm {
    Q_OBJECT
public:
    explicit TfrmDialogoComImagem(QWidget* owner);

    QLabel* Image1 = nullptr;
    TFancyButton* spdSim = nullptr;
    std::int32_t Resposta = 2;

protected:
    void FormKeyUp(int key) override;

private:
    void Answer(std::int32_t answer);
};

} // namespace lumoria
