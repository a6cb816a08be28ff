// Opening the photo editor from the main window: from a frame's menu, where the file it wrote goes
// into the frame with one undo record, and from the "Editar Fotos" button, which changes no frame.
#include "main_window_fixture.h"


#include "editing/editor_tabs.h"
#include "editing/photo_editor.h"
#include "common/modal_helper.h"
#include "platform/ui/status_bar.h"

namespace lumoria::test {
namespace {

class PhotoEditorOpening : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        foto = FotoDeTeste(QStringLiteral("editar.bmp"), 60, 40, Qt::red);
    }

    // Runs on the editor once it shows modally: the action, then the window closes.
    void NoEditor(std::function<void(TfrmEditarFotosEfeitos*)> acao)
    {
        WhenModal([this, acao](QWidget* w) {
            editor = qobject_cast<TfrmEditarFotosEfeitos*>(w);
            if (!editor)
                return;
            estadoDoEditor = editor->windowState();
            tituloDoEditor = editor->windowTitle();
            acao(editor);
            editor->close();
        });
    }

    QString foto;
    QPointer<TfrmEditarFotosEfeitos> editor;
    Qt::WindowStates estadoDoEditor;
    QString tituloDoEditor;
};

TEST_F(PhotoEditorOpening, FrameTakesTheWrittenFileWithOneUndoRecord)
{
    janela->SetarFotoNaPaginaAtual(1, 2, foto);
    janela->Documento().setModified(false);
    const QStringList antes = Registros(*janela, 1);
    AtendenteCom atendente({6}); // "Sim" at closing: the turn is written into Fotos Lumoria
    NoEditor([](TfrmEditarFotosEfeitos* e) {
        e->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
        e->spdAntiHorarioClick();
    });
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 1), nullptr);
    EXPECT_TRUE(janela->mniEditarEstaFotoEfeitos->isEnabled());
    EscolherNoMenu(*janela, janela->mniEditarEstaFotoEfeitos);

    EXPECT_EQ(tituloDoEditor, QStringLiteral("Editor de Fotos e Efeitos - ") + foto);
    EXPECT_EQ(atendente.caixas.size(), 1);
    const QString escrito = janela->Foto(0, 1).NomeDoArquivo;
    EXPECT_TRUE(escrito.contains(QStringLiteral("/Fotos Lumoria/editar {LU")));
    EXPECT_TRUE(QFileInfo::exists(escrito));
    // The mouse has not moved from the frame: the status bar names its new file at once.
    EXPECT_EQ(janela->stbEstado->panelText(2), AbreviarCaminho(escrito, 60));
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, 2);
    EXPECT_TRUE(janela->Modificado());
    // One record: the frame's photo before the editor.
    EXPECT_EQ(Registros(*janela, 2), QStringList{"1 2 " + foto} + antes);
    EXPECT_TRUE(editor.isNull()) << "the editor is released after its modal run";
}

TEST_F(PhotoEditorOpening, NothingWrittenLeavesTheFrameAndTheUndoStack)
{
    janela->SetarFotoNaPaginaAtual(0, 1, foto);
    janela->Documento().setModified(false);
    const QStringList antes = Registros(*janela, 2);
    Atendente atendente;
    NoEditor([](TfrmEditarFotosEfeitos*) {});
    EscolherNaMoldura(0, janela->mniEditarEstaFotoEfeitos);
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, foto);
    EXPECT_EQ(Registros(*janela, 2), antes);
    EXPECT_FALSE(janela->Modificado());
    EXPECT_TRUE(atendente.caixas.isEmpty());
}

TEST_F(PhotoEditorOpening, ButtonOpensTheExampleInTheMainWindowsStateAndChangesNoFrame)
{
    janela->SetarFotoNaPaginaAtual(0, 1, foto);
    janela->showMaximized();
    QApplication::processEvents();
    AtendenteCom atendente({6});
    NoEditor([](TfrmEditarFotosEfeitos* e) {
        if (e->TemFoto()) {
            e->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
            e->spdAntiHorarioClick();
        }
    });
    EXPECT_TRUE(janela->spdEditarFotosEfeitos->isEnabled());
    Clicar(janela->spdEditarFotosEfeitos);
    EXPECT_TRUE(estadoDoEditor.testFlag(Qt::WindowMaximized));
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, foto);
}

} // namespace
} // namespace lumoria::test
