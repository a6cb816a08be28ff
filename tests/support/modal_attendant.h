#pragma once
// Answers, from the event loop, the program's message boxes and the file dialogs that a window under
// test opens, and keeps what the boxes showed.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>

#include <functional>

#include "common/message_window.h"
#include "support/box_text.h"
#include "components/fancy_button.h"

namespace lumoria::test {

// A message box as the operator saw it.
struct CaixaVista {
    QString texto; // the label's text without the CR LF the window adds around it
    QString titulo;
    QString botao1;
    QString botao2; // empty when the second button was hidden
};

// Offers each modal window that shows to `take`, once, from the event loop; a window the handler
// does not take (returns false) is offered again on the next round.
class ModalWatch {
public:
    explicit ModalWatch(std::function<bool(QWidget*)> take, int interval = 5) : m_take(std::move(take))
    {
        m_timer.setInterval(interval);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible() && modal != m_last && m_take(modal))
                m_last = modal;
        });
        m_timer.start();
    }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

private:
    std::function<bool(QWidget*)> m_take;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};

inline CaixaVista VerCaixa(TfrmDialogo* caixa)
{
    return {TextoDaCaixa(*caixa), caixa->windowTitle(), caixa->spdSim->Caption(),
            caixa->spdNao->isHidden() ? QString() : caixa->spdNao->Caption()};
}

// 6: a click on the first button, 7: Esc, anything else: the window closed.
inline void ResponderCaixa(TfrmDialogo* caixa, int resposta)
{
    if (resposta == 6)
        QTest::mouseClick(caixa->spdSim, Qt::LeftButton, {}, caixa->spdSim->rect().center());
    else if (resposta == 7)
        QTest::keyClick(caixa, Qt::Key_Escape);
    else
        caixa->close();
}

// Answers, in order, the message boxes and file dialogs that open while it lives. A box is answered
// with 6 (a click on the first button), 7 (Esc) or 2 (the window closed); a file dialog with a path
// (empty: cancelled). A box or dialog beyond the answers given is closed and counted as unexpected.
class Atendente {
public:
    Atendente() = default;
    Atendente(const Atendente&) = delete;
    Atendente& operator=(const Atendente&) = delete;

    QList<int> respostas;
    QStringList arquivos;
    QList<CaixaVista> caixas;
    int inesperadas = 0;
    // Runs when a box shows, before it is answered.
    std::function<void(TfrmDialogo*)> aoMostrar;
    // File dialogs are left to the test.
    bool deixarDialogosDeArquivo = false;

private:
    bool Atender(QWidget* modal)
    {
        if (auto* caixa = qobject_cast<TfrmDialogo*>(modal)) {
            caixas.append(VerCaixa(caixa));
            if (aoMostrar)
                aoMostrar(caixa);
            const int resposta = respostas.isEmpty() ? -1 : respostas.takeFirst();
            if (resposta != 6 && resposta != 7 && resposta != 2)
                ++inesperadas;
            ResponderCaixa(caixa, resposta);
            return true;
        }
        auto* dialogo = qobject_cast<QFileDialog*>(modal);
        if (!dialogo || deixarDialogosDeArquivo)
            return false;
        const QString arquivo = arquivos.isEmpty() ? QString() : arquivos.takeFirst();
        if (arquivo.isEmpty()) {
            dialogo->reject();
            return true;
        }
        // The path typed in the dialog's name field, as the operator would.
        dialogo->selectFile(arquivo);
        if (auto* campo = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            campo->setText(arquivo);
        QMetaObject::invokeMethod(dialogo, "accept", Qt::DirectConnection);
        return true;
    }

    ModalWatch m_watch{[this](QWidget* modal) { return Atender(modal); }};
};

} // namespace lumoria::test
