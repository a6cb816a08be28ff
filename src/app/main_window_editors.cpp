// Opening the photo editor: from the frame menu on a frame's photo, and from the button on the
// example photo beside the program.
#include "app/main_window.h"

#include <memory>

#include "common/general_routines.h"
#include "editing/photo_editor.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/screen_centre.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

using namespace platform;

QString TfrmPrincipal::EditarFotosEfeitos(const QString& arquivo)
{
    auto editor = std::make_unique<TfrmEditarFotosEfeitos>();
    centreOnScreen(editor.get());
    editor->SetarArquivoDaFoto(arquivo);
    AceitarArquivosArrastados(editor.get());
    editor->setWindowState(mainWindowState());
    runModal(editor.get());
    return editor->FArquivoGravado;
}

void TfrmPrincipal::spdEditarFotosEfeitosClick()
{
    // The example is only read; what the editor writes changes no frame.
    EditarFotosEfeitos(PastaDoAplicativo() + QStringLiteral("Fotos Lumoria/Exemplos/Exemplo Olhos Vermelhos.jpg"));
}

void TfrmPrincipal::mniEditarEstaFotoEfeitosClick()
{
    if (!MolduraSobOMouseValida())
        return;
    const int j = MolduraSobOMouse();
    const QString gravado = EditarFotosEfeitos(m_documento.currentPage().Foto(j).NomeDoArquivo);
    // The editor ran its own event loop: the frame is looked up again.
    if (gravado.isEmpty() || j > m_documento.currentPage().frameCount() - 1)
        return;
    const ScreenCursorGuard cursor(kCursorWait);
    SetarFotoNaPaginaAtual(j, m_documento.currentPage().Foto(j).Ajuste, gravado);
    DesenharMolduraNaTela(j);
    m_documento.setModified(true);
}

} // namespace lumoria
