#pragma once
// Answers the modal windows of an install mode in order, each with its own step, and keeps what the
// message boxes showed. A window beyond the steps given is closed and counted as unexpected.
#include <QCheckBox>

#include "install/contract_window.h"
#include "support/modal_attendant.h"

namespace lumoria::test {

using Caixa = CaixaVista;

class Roteiro {
public:
    using Passo = std::function<void(QWidget*)>;

    Roteiro() = default;
    Roteiro(const Roteiro&) = delete;
    Roteiro& operator=(const Roteiro&) = delete;

    // A message box answered with 6 (a click on "Sim"), 7 (Esc) or 2 (closed).
    Roteiro& Caixa(int resposta)
    {
        return Passo_([resposta](QWidget* w) {
            auto* caixa = qobject_cast<TfrmDialogo*>(w);
            ASSERT_NE(caixa, nullptr) << "expected a message box";
            ResponderCaixa(caixa, resposta);
        });
    }
    // The contract window, ticked and accepted, or declined with "Não".
    Roteiro& Contrato(bool aceitar)
    {
        return Passo_([aceitar](QWidget* w) {
            auto* contrato = qobject_cast<TfrmDialogoContrato*>(w);
            ASSERT_NE(contrato, nullptr) << "expected the contract window";
            if (aceitar)
                contrato->cbxContrato->setChecked(true);
            TFancyButton* botao = aceitar ? contrato->spdSim : contrato->spdNao;
            QTest::mouseClick(botao, Qt::LeftButton, {}, botao->rect().center());
        });
    }
    Roteiro& Passo_(Passo passo)
    {
        m_passos << std::move(passo);
        return *this;
    }

    QList<test::Caixa> caixas;
    int janelas = 0;
    int inesperadas = 0;
    bool terminou() const { return m_passos.isEmpty(); }

private:
    bool Atender(QWidget* modal)
    {
        ++janelas;
        if (auto* caixa = qobject_cast<TfrmDialogo*>(modal))
            caixas.append(VerCaixa(caixa));
        if (m_passos.isEmpty()) {
            ++inesperadas;
            modal->close();
            return true;
        }
        // Run outside this timer's handler: a step that opens another modal window waits in it,
        // and a timer never fires again while its own handler runs.
        QTimer::singleShot(0, modal, [passo = m_passos.takeFirst(), alvo = QPointer<QWidget>(modal)] {
            if (alvo)
                passo(alvo);
        });
        return true;
    }

    QList<Passo> m_passos;
    ModalWatch m_watch{[this](QWidget* modal) { return Atender(modal); }};
};

} // namespace lumoria::test
