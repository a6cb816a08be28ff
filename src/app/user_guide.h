#pragma once
// The operator's guide: an HTML page installed beside the program as manual/index.html. A hidden
// window keeps it loaded in a browser control for printing; the guide command asks whether it is
// wanted on screen (opened with the desktop's program for it) or printed (through the print dialog).
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace lumoria {

// Created hidden by the main block; it stays hidden except while it prints.
class TfrmNavegadorGuia : public QWidget {
    Q_OBJECT
public:
    explicit TfrmNavegadorGuia(QWidget* parent = nullptr);

    QTextBrowser* webNavegadorGuia = nullptr;
};

// PastaDoAplicativo() + "manual/index.html".
QString ArquivoDoGuia();

// Loads the trimmed address (a file path or a URL) into the browser. A local file loads at once, so
// the document is complete when this returns.
void Navegar(QTextBrowser* navegador, const QString& endereco);

// Prints the browser's document on the printer the operator chooses in the print dialog; nothing
// when the dialog is cancelled. A printer that fails raises a failure.
void ImprimirPaginaDoNavegador(QTextBrowser* navegador);

// The main window's guide command (spdGuiaClick). A missing guide raises GuideNotFound. Otherwise
// the choice window, owned by the main window, asks: "Na Tela" opens the guide file with its
// associated program, "Impresso" prints the document the guide window holds, and "Não Quero" or
// closing the window does nothing.
void ApresentarGuiaDoUsuario(QWidget* janelaPrincipal, TfrmNavegadorGuia* navegador);
void ApresentarGuiaDoUsuario(QWidget* janelaPrincipal, TfrmNavegadorGuia* navegador, const QString& arquivoDoGuia);

} // namespace lumoria
