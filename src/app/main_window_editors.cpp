// Opening the two editors: from the frame menu on a frame's photo, whose place the written file then
// takes, and from the buttons on the example photos beside the program.
#include "app/main_window.h"

#include <memory>

#include "common/general_routines.h"
#include "editing/cover/cover_editor.h"
#include "editing/photo_editor.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/screen_centre.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

using namespace platform;

QString TfrmPrincipal::AbrirEditor(EditorWindowBase& editor, const QString& arquivo)
{
    centreOnScreen(&editor);
    editor.SetarArquivoDaFoto(arquivo);
    AceitarArquivosArrastados(&editor);
    editor.setWindowState(mainWindowState());
    runModal(&editor);
    return editor.FArquivoGravado;
}

void TfrmPrincipal::EditarFotoDaMoldura(QString (TfrmPrincipal::*editar)(const QString&))
{
    if (!MolduraSobOMouseValida())
        return;
    const int j = MolduraSobOMouse();
    const QString gravado = (this->*editar)(m_documento.currentPage().Foto(j).NomeDoArquivo);
    // The editor ran its own event loop: the frame is looked up again.
    if (gravado.isEmpty() || j > m_documento.currentPage().frameCount() - 1)
        return;
    const ScreenCursorGuard cursor(kCursorWait);
    SetarFotoNaPaginaAtual(j, m_documento.currentPage().Foto(j).Ajuste, gravado);
    DesenharMolduraNaTela(j);
    m_documento.setModified(true);
}

QString TfrmPrincipal::EditarFotosEfeitos(const QString& arquivo)
{
    // A new window for every opening, released when its modal run ends.
    auto editor = std::make_unique<TfrmEditarFotosEfeitos>();
    return AbrirEditor(*editor, arquivo);
}

QString TfrmPrincipal::EditarFotosTrabalhos(const QString& arquivo)
{
    auto editor = std::make_unique<TfrmEditarFotosTrabalhos>();
    return AbrirEditor(*editor, arquivo);
}

void TfrmPrincipal::spdEditarFotosEfeitosClick()
{
    // The example is only read; what the editor writes changes no frame.
    EditarFotosEfeitos(PastaDoAplicativo() + QStringLiteral("Fotos Lumoria/Exemplos/Exemplo Olhos Vermelhos.jpg"));
}

QString TfrmPrincipal::FotoDeExemploDaCapa() const
{
    return PastaDoAplicativo() + QStringLiteral("Fotos Lumoria/Exemplos/Exemplo Texto.jpg");
}

void TfrmPrincipal::spdEditarFotosTextosETrabalhosClick() { EditarFotosTrabalhos(FotoDeExemploDaCapa()); }

void TfrmPrincipal::mniEditarEstaFotoEfeitosClick() { EditarFotoDaMoldura(&TfrmPrincipal::EditarFotosEfeitos); }

void TfrmPrincipal::mniEditarEstaFotoTextosETrabalhosClick()
{
    EditarFotoDaMoldura(&TfrmPrincipal::EditarFotosTrabalhos);
}

} // namespace lumoria
