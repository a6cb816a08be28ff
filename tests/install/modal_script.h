#pragma once
// Answers the modal windows of an install mode in order, each with its own step, and keeps what the
// message boxes showed. A window beyond the steps given is closed and counted as unexpected.
#include <QApplication>
#include <QCheckBox>
#include <QList>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

#include "common/message_window.h"
#include "support/box_text.h"
#include "components/fancy_button.h"
#include "install/contract_window.h"

namespace lumoria::test {

struct Caixa {
    QString texto; // without the CR LF the window adds around it
    QString titulo;
    QString botao1;
    QString botao2; // empty when hidden
};

class Roteiro {
public:
    using Passo = std::function<void(QWidget*)>;

    Roteiro()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Atender(); });
        m_timer.start();
    }
    Roteiro(const Roteiro&) = delete;
    Roteiro& operator=(const Roteiro&) = delete;

    // A message box answered with 6 (a click on "Sim"), 7 (Esc) or 2 (closed).
    Roteiro& Caixa(int resposta)
    {
        m_passos << [resposta](QWidget* w) {
            auto* caixa = qobject_cast<TfrmDialogo*>(w);
            ASSERT_NE(caixa, nullptr) << "expected a message box";
            if (resposta == 6)
                QTest::mouseClick(caixa->spdSim, Qt::LeftButton, {}, caixa->spdSim->rect().center());
            else if (resposta == 7)
                QTest::keyClick(caixa, Qt::Key_Escape);
            else
                caixa->close();
        };
        return *this;
    }
    // The contract window, ticked and accepted, or declined with "Não".
    Roteiro& Contrato(bool aceitar)
    {
        m_passos << [aceitar](QWidget* w) {
            auto* contrato = qobject_cast<TfrmDialogoContrato*>(w);
            ASSERT_NE(contrato, nullptr) << "expected the contract window";
            if (aceitar) {
                contrato->cbxContrato->setChecked(true);
                QTest::mouseClick(contrato->spdSim, Qt::LeftButton, {}, contrato->spdSim->rect().center());
            } else {
                QTest::mouseClick(contrato->spdNao, Qt::LeftButton, {}, contrato->spdNao->rect().center());
            }
        };
        return *this;
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
    void Atender()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_ultimo)
            return;
        m_ultimo = modal;
        ++janelas;
        if (auto* caixa = qobject_cast<TfrmDialogo*>(modal)) {
            caixas.append({TextoDaCaixa(*caixa), caixa->windowTitle(), caixa->spdSim->Caption(),
                           caixa->spdNao->isHidden() ? QString() : caixa->spdNao->Caption()});
        }
        if (m_passos.isEmpty()) {
            ++inesperadas;
            modal->close();
            return;
        }
        // Run outside this timer's handler: a step that opens another modal window waits in it,
        // and a timer never fires again while its own handler runs.
        QTimer::singleShot(0, modal, [passo = m_passos.takeFirst(), alvo = QPointer<QWidget>(modal)] {
            if (alvo)
                passo(alvo);
        });
    }

    QList<Passo> m_passos;
    QTimer m_timer;
    QPointer<QWidget> m_ultimo;
};

} // namespace lumoria::test
