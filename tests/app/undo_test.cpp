// The undo stack: 150 records newest first, Ctrl+Z from any control, the empty-stack box, and
// records that go back to their own page or are dropped when their page or frame is gone.
#include "main_window_fixture.h"

#include <QComboBox>
#include <QLabel>

namespace lumoria::test {
namespace {

const QString kTextoSemDesfazer = QStringLiteral(
    "Lumoria v1.0\r\n\r\nA Função Desfazer Armazena As Últimas 150\r\nOperações de Troca Ou Edição de Fotos,\r\n"
    "Incluindo Mudanças No Seu Ajustamento\r\nÀs Molduras.\r\n\r\nNão Há Operações a Desfazer.");

class Undo : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        for (int i = 0; i < 3; ++i)
            fotos << FotoDeTeste(QStringLiteral("f%1.bmp").arg(i), 16, 12, QColor(40 * i, 100, 200));
    }
    void Desfazer() { Clicar(janela->spdDesfazer); }
    void InserirPaginaDepois(int i)
    {
        janela->Album().InserirPaginaDepois(i);
        Redesenhar();
    }
    // Undo on an empty stack: the box says so.
    void DesfazerSemRegistros()
    {
        EXPECT_EQ(ClicarRespondendo(janela->spdDesfazer, {6}),
                  QList<CaixaVista>{Caixa(QStringLiteral("Não Há Operações a Desfazer."), kTextoSemDesfazer)});
    }

    QStringList fotos;
};

TEST_F(Undo, OneHundredFiftyOneChangesAllowOneHundredFiftyUndosThenTheBox)
{
    QStringList nomes;
    for (int i = 0; i < 151; ++i) {
        nomes << FotoDeTeste(QStringLiteral("serie%1.bmp").arg(i), 8, 8, QColor(i, 0, 0));
        janela->SetarFotoNaPaginaAtual(i % 4, std::uint8_t(i % 3), nomes.last());
    }
    janela->Documento().setModified(false);
    EXPECT_EQ(janela->Backups()[149].Moldura, 1 % 4) << "the oldest record kept is the second change";

    // Ctrl+Z works whichever control has the focus; so does the button.
    janela->cbxDimensaoDoPapel->setFocus();
    for (int i = 150; i >= 1; --i) {
        if (i % 2)
            QTest::keyClick(janela->cbxDimensaoDoPapel, Qt::Key_Z, Qt::ControlModifier);
        else
            Desfazer();
        // Undoing change i gives frame i % 4 what change i - 4 put there (or what it held first).
        const int j = i % 4;
        const QString antes = i >= 4 ? nomes[i - 4] : QString();
        ASSERT_EQ(janela->Foto(0, j).NomeDoArquivo, antes) << "undo of change " << i;
        ASSERT_EQ(janela->Foto(0, j).Ajuste, antes.isEmpty() ? 0 : (i - 4) % 3) << "undo of change " << i;
    }
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, nomes[0]) << "the first change is beyond the stack";
    EXPECT_FALSE(janela->Modificado());
    EXPECT_EQ(janela->Backups()[0].Moldura, -1);

    DesfazerSemRegistros();
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, nomes[0]);
}

TEST_F(Undo, AnUndoRedrawsTheFrame)
{
    janela->SetarFotoNaPaginaAtual(0, 0, FotoDeTeste(QStringLiteral("verm.bmp"), 20, 30, Qt::red));
    janela->SetarFotoNaPaginaAtual(0, 0, FotoDeTeste(QStringLiteral("azul.bmp"), 20, 30, Qt::blue));
    EXPECT_TRUE(Parecida(CorNaMoldura(*janela, 0), QColor(0, 0, 255)));
    Desfazer();
    EXPECT_TRUE(Parecida(CorNaMoldura(*janela, 0), QColor(255, 0, 0)));
}

TEST_F(Undo, ARecordGoesBackToItsOwnPageWhereverItNowStands)
{
    janela->SetarFotoNaPaginaAtual(2, 1, fotos[0]);
    InserirPaginaDepois(0); // the new page 1 is shown
    ASSERT_EQ(janela->PaginaAtual(), 1);
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[1]);
    janela->SetarFotoNaPaginaAtual(2, 2, fotos[2]);

    Desfazer();
    EXPECT_EQ(janela->PaginaAtual(), 1);
    EXPECT_EQ(janela->Foto(1, 2).NomeDoArquivo, QString());
    EXPECT_EQ(janela->Foto(0, 2).NomeDoArquivo, fotos[0]);
    Desfazer();
    EXPECT_EQ(janela->Foto(1, 0).NomeDoArquivo, QString());

    // The next record belongs to page 0: undo shows page 0 and restores its frame there.
    Desfazer();
    EXPECT_EQ(janela->PaginaAtual(), 0);
    EXPECT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("1 de 2"));
    EXPECT_EQ(janela->Foto(0, 2).NomeDoArquivo, QString());
    EXPECT_EQ(janela->Foto(0, 2).Ajuste, 0);
    for (int j = 0; j < janela->Pagina(1).frameCount(); ++j)
        EXPECT_EQ(janela->Foto(1, j).NomeDoArquivo, QString()) << j;
    EXPECT_EQ(CorNaMoldura(*janela, 2), CorNaMoldura(*janela, 0)) << "frame 2 shows the empty-frame picture again";

    // A page inserted before the record's page moves it, and the record follows.
    janela->SetarFotoNaPaginaAtual(1, 0, fotos[0]);
    janela->Album().InserirPaginaAntes(0); // the old page is now page 1
    Redesenhar();
    ASSERT_EQ(janela->PaginaAtual(), 0);
    Desfazer();
    EXPECT_EQ(janela->PaginaAtual(), 1);
    EXPECT_EQ(janela->Foto(1, 1).NomeDoArquivo, QString());
    EXPECT_EQ(janela->Foto(0, 1).NomeDoArquivo, QString());
}

TEST_F(Undo, RecordsOfARemovedPageAreDropped)
{
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[0]);
    InserirPaginaDepois(0);
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[1]);
    janela->SetarFotoNaPaginaAtual(1, 0, fotos[2]);
    janela->Album().EliminarPagina(1);
    Redesenhar();
    ASSERT_EQ(janela->PaginaAtual(), 0);
    // A new page may take the removed page's place in memory: its frames must not be touched.
    InserirPaginaDepois(0);
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[1]); // this page's own record
    janela->SetarFotoNaPaginaAtual(1, 0, fotos[2]);

    Desfazer();
    Desfazer();
    EXPECT_EQ(janela->Foto(1, 0).NomeDoArquivo, QString());
    EXPECT_EQ(janela->Foto(1, 1).NomeDoArquivo, QString());
    // The removed page's two records are gone; the first change, on page 0, is next.
    Desfazer();
    EXPECT_EQ(janela->PaginaAtual(), 0);
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, QString());
    EXPECT_EQ(janela->Foto(1, 0).NomeDoArquivo, QString());
    DesfazerSemRegistros();
}

TEST_F(Undo, ARecordOfARemovedPageNeverLandsOnAPageAddedRightAfter)
{
    InserirPaginaDepois(0);
    janela->SetarFotoNaPaginaAtual(2, 1, fotos[0]);
    janela->SetarFotoNaPaginaAtual(2, 2, fotos[1]); // its record holds fotos[0] in mode 1
    // As in the page-control window: remove and add pages with no redraw in between; the new page
    // is free to take the removed one's place in memory.
    janela->Album().EliminarPagina(1);
    InserirPaginaDepois(0);
    ASSERT_EQ(janela->Album().pageCount(), 2);

    DesfazerSemRegistros();
    EXPECT_EQ(janela->Foto(1, 2).NomeDoArquivo, QString());
    EXPECT_EQ(janela->Foto(1, 2).Ajuste, 0);
    EXPECT_EQ(janela->PaginaAtual(), 1);
}

TEST_F(Undo, ARecordWhoseFrameIsGoneIsDroppedAndTheNextTried)
{
    // A4 in 9 x 12 has four frames; a record is applied only to a frame the page still has.
    struct Caso {
        int moldura;  // frame changed second
        int tamanho;  // photo size chosen afterwards
        int molduras; // frames of A4 in that size
    };
    const Caso casos[] = {
        {3, 1, 2}, // 14 x 19: frame 3 lies beyond the page
        {1, 0, 1}, // 18 x 27: frame 1 equals the frame count
        {1, 1, 2}, // 14 x 19: frame 1 is the last frame, still there
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(testing::Message() << "frame " << caso.moldura << ", size " << caso.tamanho);
        janela = NovaJanela();
        janela->SetarFotoNaPaginaAtual(0, 1, fotos[0]);
        janela->SetarFotoNaPaginaAtual(caso.moldura, 2, fotos[1]);
        EscolherNaLista(janela->cbxDimensaoDaFoto, caso.tamanho);
        ASSERT_EQ(janela->Pagina(0).frameCount(), caso.molduras);
        ASSERT_EQ(janela->Foto(0, 0).NomeDoArquivo, fotos[0]);

        Desfazer();
        if (caso.moldura < caso.molduras) {
            EXPECT_EQ(janela->Foto(0, caso.moldura).NomeDoArquivo, QString());
            EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, fotos[0]);
            EXPECT_EQ(janela->Backups()[0].Moldura, 0);
        } else {
            // The gone frame's record is dropped; frame 0's own is applied in its place.
            EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, QString());
            EXPECT_EQ(janela->Backups()[0].Moldura, -1);
        }
    }
}

} // namespace
} // namespace lumoria::test
