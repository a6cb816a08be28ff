#pragma once
// The one place where failures become words: every failure that reaches the event loop is
// normalised, looked up in a fixed table of message fragments and shown in the message window as a
// warning (the program goes on) or an error (the program ends). A message no row knows is an error.
#include <QString>

namespace lumoria {

enum class FailureKind { Warning, Error, Silent };

struct FailureReport {
    int row = 0;  // the table row that matched, 0 for none
    FailureKind kind = FailureKind::Error;
    QString text;     // wrapped, as the box shows it; empty when silent
    QString caption;  // empty when silent
};

// Runs of five, four, three and two blanks each become one blank (in that order, once each), then
// accented capitals and a few signs become plain capitals.
void RemoverAcentosEEspacosRepetidos(QString& texto);
// Upper-cased, trimmed of blanks and control characters, then RemoverAcentosEEspacosRepetidos.
QString NormalizarMensagem(const QString& mensagem);

// Wraps at the given column with CR LF after a blank, comma, hyphen, full stop, colon or semicolon;
// quoted passages are never cut and CR LF already in the text starts a new line.
QString wrapText(const QString& text, int maxColumn);

// What the handler does with a message: the row, the kind, and the box's text and caption.
FailureReport classifyFailure(const QString& message);

// The application-wide handler: beeps and shows the box (nothing for the silent row, which puts the
// ordinary cursor back); after an error asks the program to end.
void appAplicacaoException(const QString& message);

// Makes appAplicacaoException the handler of every failure that reaches the event loop.
void installFailureHandler();

} // namespace lumoria
