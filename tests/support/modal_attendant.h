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

// Answers, in order, the message boxes and file dialogs that open while it lives. A box is answered
// with 6 (a click on the first button), 7 (Esc) or 2 (the window closed); a file dialog with a path
// (empty: cancelled). A box or dialog beyond the answers given is closed and counted as unexpected.
class Atendente {
public:
    Atendente()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Atender(); });
        m_timer.start();
    }
    ~Atendente() { m_timer.stop(); }
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
    void Atender()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_ultimo)
            return;
        if (auto* caixa = qobject_cast<TfrmDialogo*>(modal)) {
            m_ultimo = modal;
            caixas.append({TextoDaCaixa(*caixa), caixa->windowTitle(), caixa->spdSim->Caption(),
                           caixa->spdNao->isHidden() ? QString() : caixa->spdNao->Caption()});
            if (aoMostrar)
                aoMostrar(caixa);
            const int resposta = respostas.isEmpty() ? -1 : respostas.takeFirst();
            if (resposta == 6)
                QTest::mouseClick(caixa->spdSim, Qt::LeftButton, {}, caixa->spdSim->rect().center());
            else if (resposta == 7)
                QTest::keyClick(caixa, Qt::Key_Escape);
            else {
                if (resposta != 2)
                    ++inesperadas;
                caixa->close();
            }
        } else if (auto* dialogo = qobject_cast<QFileDialog*>(modal); dialogo && !deixarDialogosDeArquivo) {
            m_ultimo = modal;
            const QString arquivo = arquivos.isEmpty() ? QString() : arquivos.takeFirst();
            if (arquivo.isEmpty()) {
                dialogo->reject();
                return;
            }
            // The path typed in the dialog's name field, as the operator would.
            dialogo->selectFile(arquivo);
            if (auto* campo = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                campo->setText(arquivo);
            QMetaObject::invokeMethod(dialogo, "accept", Qt::DirectConnection);
        }
    }

    QTimer m_timer;
    QPointer<QWidget> m_ultimo;
};

} // namespace lumoria::test
