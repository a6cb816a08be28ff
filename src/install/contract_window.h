#pragma once
// The contract window shown before installing: the software-use agreement, a check box to agree
// and the buttons "Não" and "Sim". The caller reads Resposta: 6 accepted, 7 declined, 2 closed.
#include <QSet>
#include <QWidget>

#include <cstdint>

class QCheckBox;
class QPlainTextEdit;

namespace lumoria {

class TFancyButton;

class TfrmDialogoContrato : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLarguraDoCliente = 623;
    static constexpr int kAlturaDoCliente = 391;

    explicit TfrmDialogoContrato(QWidget* owner = nullptr);

    std::int32_t Resposta = 2;

    void ShowModal();

    void spdSimClick();
    void spdNaoClick();
    // Enter acts as "Sim", Esc as "Não", on the key's release.
    void FormKeyUp(int key);

    QPlainTextEdit* memContrato = nullptr;
    QCheckBox* cbxContrato = nullptr;
    TFancyButton* spdNao = nullptr;
    TFancyButton* spdSim = nullptr;

protected:
    // Every key of the window's controls passes here first.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    bool TeclaPressionada(QKeyEvent* event);
    bool TeclaSolta(QKeyEvent* event);

    // Keys whose press this window saw: a release counts only after its press, so the Enter that
    // answered the box before never answers here.
    QSet<int> m_teclasPressionadas;
};

} // namespace lumoria
