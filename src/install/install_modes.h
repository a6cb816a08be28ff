#pragma once
// The program's own installer. Given one of three switches as its argument it installs itself for
// the user ("<INSTALAR>"), makes only its launchers and uninstaller where it stands ("<ICONES>"), or
// removes itself ("<DESINSTALAR>"), then ends without its main window. Every step is checked: a step
// that fails stops the install and says what failed; an uninstall says what it could not remove.
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

#include "platform/shell/file_operations.h"

class QWidget;

namespace lumoria {

inline constexpr char kSwitchInstalar[] = "<INSTALAR>";
inline constexpr char kSwitchIcones[] = "<ICONES>";
inline constexpr char kSwitchDesinstalar[] = "<DESINSTALAR>";
// The folder made in the program-files folder.
inline constexpr char kPastaDoProduto[] = "Lumoria";

// Where an installation goes and what it installs. Each left out is the system's, asked only when a
// step needs it (so that declining creates not even a folder).
struct LocaisDeInstalacao {
    std::optional<QString> programa;            // the running program's full path
    std::optional<QString> arquivosDeProgramas; // base of the program folder
    std::optional<QString> pastaDoWindows;      // the uninstaller's folder
};

// "lumoria" gives "lumoria_Desinstalar", "lumoria.bin" gives "lumoria_Desinstalar.bin".
QString NomeDoDesinstalador(const QString& nomeDoPrograma);

// The pictures of the confirmation buttons: 2 a tick ("Sim"), 3 a cross ("Não").
QList<QImage> ImagensIcones24x24();

class ModosDeInstalacao {
public:
    // principal: the main window, shrunk and hidden after a mode; titulo: the title that names the
    // launchers and the menu folder; argumento: the program's argument.
    ModosDeInstalacao(QWidget* principal, QString titulo, QString argumento,
                      LocaisDeInstalacao locais = {});

    // Runs the mode of the argument's switch; true when there was one (the program then ends).
    bool ProcessarParametrosDeInstalacao();
    bool ProcessarParametroInstalar();
    bool ProcessarParametroIcones();
    bool ProcessarParametroDesinstalar();

    // Each returns whether it was done whole; a failure has been reported to the operator.
    bool Instalar(const QString& produto, const QString& titulo);
    bool ConcluirInstalacao(const QString& programa, const QString& titulo);
    bool Desinstalar(const QString& produto, const QString& titulo);

private:
    bool ArgumentoE(const char* chave) const;
    int Confirmar(const QString& texto, const QString& titulo);
    bool ContratoAceito();
    // Ends the mode: the main window shrinks and hides and the program is asked to end.
    void Terminar();
    // Takes back what this run wrote, then says what failed and why.
    bool Falhou(const QString& oQue, const QString& caminho, QString motivo = QString());
    // Notes a file this run wrote, for Falhou.
    void Escrito(const QString& arquivo);
    QString Programa() const;
    QString ArquivosDeProgramas() const;
    QString PastaDoDesinstalador() const;

    QWidget* m_principal;
    QString m_titulo;
    QString m_argumento;
    LocaisDeInstalacao m_locais;
    // What this run wrote: the program folder's copy, then launchers, uninstaller and library.
    platform::CopyRecord m_copia;
    QStringList m_escritos;
    QString m_pastaDoMenuCriada;
};

} // namespace lumoria
