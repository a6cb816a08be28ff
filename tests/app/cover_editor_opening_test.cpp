// Opening the cover editor from the frame menu, whose frame then takes the written file with one undo
// record, and from the control column's button on the example photo, which changes no frame.
#include "main_window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>

#include "common/modal_helper.h"
#include "editing/cover/cover_editor.h"
#include "platform/shell/special_folders.h"

namespace lumoria::test {
namespace {

class CoverEditorOpening : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        foto = FotoDeTeste(QStringLiteral("capa.bmp"), 90, 60, QColor(200, 30, 40));
    }
    // Acts on the cover editor once it shows modally, then closes it; what it saw is kept.
    void NoEditor(std::function<void(TfrmEditarFotosTrabalhos&)> acao)
    {
        visto = false;
        WhenModal(
            [this, acao](QWidget* w) {
                auto* editor = qobject_cast<TfrmEditarFotosTrabalhos*>(w);
                visto = true;
                titulo = editor->windowTitle();
                estado = editor->windowState();
                acao(*editor);
                editor->close();
            },
            [](QWidget* w) { return qobject_cast<TfrmEditarFotosTrabalhos*>(w) != nullptr; });
    }

    QString foto;
    bool visto = false;
    QString titulo;
    Qt::WindowStates estado;
};

TEST_F(CoverEditorOpening, FrameTakesTheWrittenFileWithOneUndoRecord)
{
    janela->SetarFotoNaPaginaAtual(1, 2, foto);
    janela->Documento().setModified(false);
    ASSERT_NE(AbrirMenuDaMoldura(*janela, 1), nullptr);
    EXPECT_TRUE(janela->mniEditarEstaFotoTextosETrabalhos->isEnabled());
    {
        AtendenteCom atendente({6}); // keep the edited photo
        NoEditor([](TfrmEditarFotosTrabalhos& e) { e.cbxPermitirAplicarCapaCD->setChecked(true); });
        EscolherNoMenu(*janela, janela->mniEditarEstaFotoTextosETrabalhos);
        ASSERT_TRUE(visto);
        EXPECT_EQ(titulo, QStringLiteral("Capa CD & DVD - ") + foto);
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
        NoEditor([](TfrmEditarFotosTrabalhos&) {});
        EscolherNoMenu(*janela, janela->mniEditarEstaFotoTextosETrabalhos);
        ASSERT_TRUE(visto);
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
        NoEditor([](TfrmEditarFotosTrabalhos& e) {
            EXPECT_EQ(e.lblFotoLegendaDimensao->text(), QStringLiteral("1600 x 1200 Pixels"));
            e.cbxPermitirAplicarCapaCD->setChecked(true);
        });
        Clicar(janela->spdEditarFotosTextosETrabalhos);
        ASSERT_TRUE(visto);
        EXPECT_EQ(titulo, QStringLiteral("Capa CD & DVD - ") + exemplo);
    }
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, foto);
    EXPECT_EQ(Registros(*janela, 2), pilha);
}

} // namespace
} // namespace lumoria::test
