#pragma once
// The texts of the install modes' questions and reports, lines joined with CR LF.
#include <QString>
#include <QStringList>

namespace lumoria {

QString TextoDeConfirmacaoDaInstalacao(const QString& titulo);
QString TextoDeConfirmacaoDosIcones(const QString& titulo);
QString TextoDeConfirmacaoDaDesinstalacao(const QString& titulo);
QString TextoDeInstalacaoConcluida(const QString& titulo);
QString TextoDeDesinstalacaoConcluida(const QString& titulo);
QString TextoParaAssinarOContrato();

// An install step that failed: what could not be done, the path it concerned and, when known, why.
QString TextoDeFalhaNaInstalacao(const QString& titulo, const QString& oQue, const QString& caminho,
                                 const QString& motivo = QString());
// The items an uninstall could not remove.
QString TextoDeFalhaNaDesinstalacao(const QString& titulo, const QStringList& caminhos);

// The software-use agreement shown in the contract window.
QString TextoDoContrato();

} // namespace lumoria
