// Opening the CD/DVD cover editor: from the frame menu on the frame's photo, whose place the written
// file then takes, and from the control column's button on the example photo.
#include "app/main_window.h"

#include "editing/cover/cover_editor.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

using namespace platform;

QString TfrmPrincipal::FotoDeExemploDaCapa() const
{
    QString caminho = QStringLiteral("$(INSTALLDIR)/Fotos Lumoria/Exemplos/Exemplo Texto.jpg");
    return caminho.replace(0, int(qstrlen("$(INSTALLDIR)/")), PastaDoAplicativo());
}

void TfrmPrincipal::EditarFotosTrabalhos(const QString& arquivo, QString& gravado)
{
    // A new window for every opening, released when its modal run ends.
    TfrmEditarFotosTrabalhos editor;
    editor.SetarArquivoDaFoto(arquivo);
    editor.setWindowState(mainWindowState());
    runModal(&editor);
    gravado = editor.FArquivoGravado;
}

void TfrmPrincipal::mniEditarEstaFotoTextosETrabalhosClick()
{
    if (!MolduraSobOMouseValida())
        return;
    const int j = MolduraSobOMouse();
    const TFoto& f = m_documento.currentPage().Foto(j);
    const std::uint8_t ajuste = f.Ajuste;
    QString gravado;
    EditarFotosTrabalhos(f.NomeDoArquivo, gravado);
    // The editor ran its own event loop: the frame is looked up again.
    if (gravado.isEmpty() || j > m_documento.currentPage().frameCount() - 1)
        return;
    const ScreenCursorGuard cursor(kCursorWait);
    SetarFotoNaPaginaAtual(j, ajuste, gravado);
    m_documento.setModified(true);
}

void TfrmPrincipal::spdEditarFotosTextosETrabalhosClick()
{
    // The example photo is only looked at: what the editor wrote goes into no frame.
    QString gravado;
    EditarFotosTrabalhos(FotoDeExemploDaCapa(), gravado);
}

} // namespace lumoria
