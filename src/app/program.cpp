#include "app/program.h"

#include <QApplication>

#include <memory>

#include "app/main_window.h"
#include "app/splash_screen.h"
#include "app/user_guide.h"
#include "editing/cover/cover_editor.h"
#include "common/custom_cursors.h"
#include "common/general_routines.h"
#include "platform/system/priorities.h"
#include "platform/ui/termination.h"

namespace lumoria {

int ExecutarLumoria(const QStringList& argumentos)
{
    const bool semArgumentos = argumentos.isEmpty();
    std::unique_ptr<TfrmSplashScreen> splash;
    if (semArgumentos) {
        splash = std::make_unique<TfrmSplashScreen>();
        splash->show();
        QCoreApplication::processEvents();
    }

    auto janela = std::make_unique<TfrmPrincipal>(argumentos);
    auto guia = std::make_unique<TfrmNavegadorGuia>();
    janela->DefinirNavegadorDoGuia(guia.get());
    // A cover editor window lives hidden for the whole run, as the guide window does.
    auto capaOculta = std::make_unique<TfrmEditarFotosTrabalhos>();

    if (semArgumentos) {
        // The cursors are loaded now: the splash takes them again.
        AplicarCursoresNosControles(splash.get());
        Esperar(true, 5.0L);
        splash->hide();
        QCoreApplication::processEvents();
    }

    int resultado = 0;
    {
        const platform::RaisedPriorities prioridades;
        // quit() before exec() would be forgotten: a request to end made during start-up is a flag.
        if (!platform::terminationRequested()) {
            janela->show();
            resultado = QApplication::exec();
        }
    } // the priorities go back here, the thread's first

    splash.reset();
    janela.reset();
    guia.reset();
    capaOculta.reset();
    return resultado;
}

} // namespace lumoria
