// Opening the photo editor and the cover editor from the main window: from a frame's menu, where the
// file the editor wrote goes into the frame with one undo record, and from their buttons in the
// control column, which change no frame.
#include "main_window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>

#include "common/modal_helper.h"
#include "editing/cover/cover_editor.h"
#include "editing/editor_tabs.h"
#include "editing/photo_editor.h"
#include "platform/shell/special_folders.h"
#include "platform/ui/status_bar.h"

namespace lumoria::test {
namespace {

class EditorOpening : public JanelaPrincipal {
protected:
    // Acts on the editor of type E once it shows modally, then closes it; what it showed is kept.
    template <typename E>
    void NoEditor(std::function<void(E&)> acao)
    {
        titulo.clear();
        WhenModal(
            [this, acao](QWidget* w) {
                auto* e = qobject_cast<E*>(w);
                editor = e;
                titulo = e->windowTitle();
                estado = e->windowState();
                acao(*e);
                e->close();
            },
            [](QWidget* w) { return qobject_cast<E*>(w) != nullptr; });
    }

    QString foto;
    QPointer<QWidget> editor;
    QString titulo;
    Qt::WindowStates estado;
};

class PhotoEditorOpening : public EditorOpening {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        foto = FotoDeTeste(QStringLiteral("editar.bmp"), 60, 40, Qt::red);
    }
    static void Girar(TfrmEditarFotosEfeitos& e)
    {
        e.pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
        e.spdAntiHorarioClick();
    }
};

class CoverEditorOpening : public EditorOpening {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        foto = FotoDeTeste(QStringLiteral("capa.bmp"), 90, 60, QColor(200, 30, 40));
    }
};

TEST_F(PhotoEditorOpening, FrameTakesTheWrittenFileWithOneUndoRecord)
{
    janela->SetarFotoNaPaginaAtual(1, 2, foto);
    janela->Documento().setModified(false);
    const QStringList antes = Registros(*janela, 1);
    AtendenteCom atendente({6}); // "Sim" at closing: the turn is written into Fotos Lumoria
    NoEditor<TfrmEditarFotosEfeitos>(Girar);
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 1), nullptr);
    EXPECT_TRUE(janela->mniEditarEstaFotoEfeitos->isEnabled());
    EscolherNoMenu(*janela, janela->mniEditarEstaFotoEfeitos);

    EXPECT_EQ(titulo, QStringLiteral("Editor de Fotos e Efeitos - ") + foto);
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
    NoEditor<TfrmEditarFotosEfeitos>([](TfrmEditarFotosEfeitos&) {});
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
    NoEditor<TfrmEditarFotosEfeitos>([](TfrmEditarFotosEfeitos& e) {
        if (e.TemFoto())
            Girar(e);
    });
    EXPECT_TRUE(janela->spdEditarFotosEfeitos->isEnabled());
    Clicar(janela->spdEditarFotosEfeitos);
    EXPECT_TRUE(estado.testFlag(Qt::WindowMaximized));
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, foto);
}

TEST_F(CoverEditorOpening, FrameTakesTheWrittenFileWithOneUndoRecord)
{
    janela->SetarFotoNaPaginaAtual(1, 2, foto);
    janela->Documento().setModified(false);
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 1), nullptr);
    EXPECT_TRUE(janela->mniEditarEstaFotoTextosETrabalhos->isEnabled());
    {
        AtendenteCom atendente({6}); // keep the edited photo
        NoEditor<TfrmEditarFotosTrabalhos>([](TfrmEditarFotosTrabalhos& e) { e.cbxPermitirAplicarCapaCD->setChecked(true); });
        EscolherNoMenu(*janela, janela->mniEditarEstaFotoTextosETrabalhos);
        ASSERT_EQ(titulo, QStringLiteral("Capa CD & DVD - ") + foto);
        EXPECT_EQ(estado, janela->windowState());
        ASSERT_EQ(atendente.caixas.size(), 1);
        EXPECT_EQ(atendente.caixas[0].titulo, QStringLiteral("Necessidade De Gravar Imagem Editada"));
    }
    const QString written = janela->Foto(0, 1).NomeDoArquivo;
    EXPECT_TRUE(written.startsWith(platform::documentsFolder() + QStringLiteral("/Fotos Lumoria/capa {LU")));
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, 2);
    EXPECT_TRUE(janela->Modificado());
    const QStringList registros{"1 2 " + foto, "1 0 ", "-"};
    EXPECT_EQ(Registros(*janela, 3), registros);
    // The frame shows the new picture: the disc's hole is white where the red photo was.
    EXPECT_TRUE(Parecida(CorNaMoldura(*janela, 1), Qt::white));

    // Closed without a change: nothing comes back, no record, nothing marked.
    janela->Documento().setModified(false);
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 1), nullptr);
    {
        Atendente atendente;
        NoEditor<TfrmEditarFotosTrabalhos>([](TfrmEditarFotosTrabalhos&) {});
        EscolherNoMenu(*janela, janela->mniEditarEstaFotoTextosETrabalhos);
        ASSERT_FALSE(titulo.isEmpty());
        EXPECT_TRUE(atendente.caixas.isEmpty());
    }
    EXPECT_EQ(janela->Foto(0, 1).NomeDoArquivo, written);
    EXPECT_EQ(Registros(*janela, 3), registros);
    EXPECT_FALSE(janela->Modificado());
}

TEST_F(CoverEditorOpening, ButtonOpensTheExamplePhotoAndChangesNoFrame)
{
    const QString exemplo = janela->FotoDeExemploDaCapa();
    EXPECT_EQ(exemplo, janela->PastaDoAplicativo() + QStringLiteral("Fotos Lumoria/Exemplos/Exemplo Texto.jpg"));
    // The build lays the example beside the program; the tests' program gets its own copy.
    QDir().mkpath(QFileInfo(exemplo).absolutePath());
    if (!QFile::exists(exemplo)) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMORIA_SOURCE_DIR "/examples/Exemplo Texto.jpg"), exemplo));
    }

    janela->SetarFotoNaPaginaAtual(0, 1, foto);
    const QStringList pilha = Registros(*janela, 2);
    ASSERT_TRUE(janela->spdEditarFotosTextosETrabalhos->isEnabled());
    {
        AtendenteCom atendente({6});
        NoEditor<TfrmEditarFotosTrabalhos>([](TfrmEditarFotosTrabalhos& e) {
            EXPECT_EQ(e.lblFotoLegendaDimensao->text(), QStringLiteral("1600 x 1200 Pixels"));
            e.cbxPermitirAplicarCapaCD->setChecked(true);
        });
        Clicar(janela->spdEditarFotosTextosETrabalhos);
        EXPECT_EQ(titulo, QStringLiteral("Capa CD & DVD - ") + exemplo);
    }
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, foto);
    EXPECT_EQ(Registros(*janela, 2), pilha);
}

} // namespace
} // namespace lumoria::test
