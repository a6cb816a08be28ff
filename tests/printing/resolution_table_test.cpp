// The reference table: its cells under a comma-decimal locale, the band read from a cell's digits,
// and the colours the cells and the legend are drawn in.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "components/fancy_button.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/string_grid.h"
#include "printing/resolution_table.h"
#include "printing/resolution_table_window.h"
#include "support/brazilian_locale.h"

using namespace lumoria;
using namespace lumoria::test;

namespace {

class Tabela : public ::testing::Test {
    LocalidadeBrasileira m_localidade;
};

// Columns of the print sizes and rows of the camera resolutions used below.
constexpr int k2x2 = 3, k10x15 = 7, k20x35 = 15, k50x75 = 21;
constexpr int k640 = 1, k1024 = 3, k2258 = 11, k3072 = 13;

TEST_F(Tabela, HeaderRowNamesTheColumns)
{
    QStringList cabecalho;
    for (int c = 0; c < kColunasDaTabela; ++c)
        cabecalho << TextoDaCelulaDaTabela(c, 0);
    EXPECT_EQ(cabecalho,
              (QStringList{"Foto Original", "Mega Pixels", "Proporção", "2 x 2 cm", "3 x 4 cm", "5 x 7 cm", "9 x 12 cm",
                           "10 x 15 cm", "13 x 18 cm", "15 x 21 cm", "18 x 24 cm", "18 x 27 cm", "20 x 25 cm",
                           "20 x 28 cm", "20 x 30 cm", "20 x 35 cm", "24 x 30 cm", "30 x 40 cm", "30 x 45 cm",
                           "30 x 90 cm", "50 x 60 cm", "50 x 75 cm"}));
    QStringList fotos;
    for (int l = 1; l < kLinhasDaTabela; ++l)
        fotos << TextoDaCelulaDaTabela(0, l);
    EXPECT_EQ(fotos, (QStringList{"640 x 480", "800 x 600", "1024 x 768", "1152 x 864", "1280 x 960", "1280 x 1024",
                                  "1600 x 1200", "1920 x 1440", "2048 x 1536", "2080 x 1560", "2258 x 1915",
                                  "2803 x 2000", "3072 x 2048"}));
    EXPECT_EQ(TextoDaCelulaDaTabela(kColunasDaTabela, 1), "");
    EXPECT_EQ(TextoDaCelulaDaTabela(0, kLinhasDaTabela), "");
}

TEST_F(Tabela, CellsHoldTheResolutionsOfTheExamples)
{
    const struct {
        int coluna, linha;
        const char* texto;
    } casos[] = {
        {k10x15, k640, "115 DPI"},   {k10x15, k3072, "520 DPI"}, {k20x35, k2258, "200 DPI"},
        {k2x2, k1024, "1.126 DPI"},  {k50x75, k640, "23 DPI"},   {1, k3072, "6,00"},
        {1, k640, "0,29"},           {2, k640, "1,333"},         {2, k2258, "1,179"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoDaCelulaDaTabela(c.coluna, c.linha), QString::fromUtf8(c.texto)) << c.coluna << "," << c.linha;
}

TEST(ResolucaoDaCelula, ReadsTheDigitsWhateverTheSeparators)
{
    EXPECT_EQ(ResolucaoDaCelula("1.126 DPI"), 1126);
    EXPECT_EQ(ResolucaoDaCelula("1,126 DPI"), 1126);
    EXPECT_EQ(ResolucaoDaCelula(QStringLiteral("1\u00A0126 DPI")), 1126);
    EXPECT_EQ(ResolucaoDaCelula(QStringLiteral("1\u202F126 DPI")), 1126);
    EXPECT_EQ(ResolucaoDaCelula("  200 DPI"), 200);
    EXPECT_EQ(ResolucaoDaCelula("Proporção"), std::nullopt);
    EXPECT_EQ(ResolucaoDaCelula("6,00"), std::nullopt);
    EXPECT_EQ(ResolucaoDaCelula(" DPI"), std::nullopt);
}

TEST_F(Tabela, WindowDrawsEachCellInTheColourOfItsBand)
{
    TfrmAnalisarFotosTabelaResolucao janela;
    EXPECT_EQ(janela.windowTitle(), "Tabela de Resolução");
    EXPECT_EQ(janela.size(), QSize(690, 520));
    EXPECT_EQ(janela.minimumSize(), QSize(620, 450));
    EXPECT_EQ(janela.stgTabela->columnCount(), 22);
    EXPECT_EQ(janela.stgTabela->rowCount(), 14);
    EXPECT_EQ(janela.stgTabela->fixedRows(), 1);
    EXPECT_EQ(janela.stgTabela->cell(k10x15, k640), "115 DPI");

    // Wide enough for every column.
    janela.resize(2500, 600);
    janela.show();
    const QImage grade = janela.stgTabela->viewport()->grab().toImage();
    const auto cor = [&](int coluna, int linha) {
        const Rect r = janela.stgTabela->cellRect(coluna, linha);
        return grade.pixelColor(r.Left + 2, r.Top + 2);
    };
    const QColor azul(0, 0, 255), verde(0, 128, 0), laranja(232, 116, 0), vermelho(191, 0, 0), cinza(128, 128, 128);
    EXPECT_EQ(cor(k10x15, k640), laranja);
    EXPECT_EQ(cor(k10x15, k3072), azul);
    EXPECT_EQ(cor(k20x35, k2258), verde); // 199.6 shows 200, so green
    EXPECT_EQ(cor(k2x2, k1024), azul);    // with its thousands separator
    EXPECT_EQ(cor(k50x75, k640), vermelho);
    for (int c : {0, 1, 2, k10x15})
        EXPECT_EQ(cor(c, 0), cinza) << c;
    for (int c : {0, 1, 2})
        EXPECT_EQ(cor(c, k3072), cinza) << c;
    // White text is written in the middle of the cell.
    const Rect r = janela.stgTabela->cellRect(k10x15, k640);
    bool branco = false;
    for (int x = r.Left; x < r.Right; ++x)
        branco = branco || grade.pixelColor(x, (r.Top + r.Bottom) / 2) == QColor(255, 255, 255);
    EXPECT_TRUE(branco);
}

TEST_F(Tabela, HeaderRowStaysInPlaceWhileTheRowsScroll)
{
    TfrmAnalisarFotosTabelaResolucao janela;
    janela.resize(690, 200);
    janela.show();
    const Rect antes = janela.stgTabela->cellRect(0, 5);
    janela.stgTabela->verticalScrollBar()->setValue(2);
    EXPECT_EQ(janela.stgTabela->cellRect(0, 0).Top, 0);
    EXPECT_EQ(janela.stgTabela->cellRect(0, 5).Top, antes.Top - 2 * (janela.stgTabela->defaultRowHeight() + 1));
    const QImage grade = janela.stgTabela->viewport()->grab().toImage();
    EXPECT_EQ(grade.pixelColor(2, 2), QColor(128, 128, 128));
}

TEST_F(Tabela, LegendShowsTheFourBands)
{
    TfrmAnalisarFotosTabelaResolucao janela;
    const struct {
        platform::CaptionPanel* painel;
        const char* texto;
        QColor cor;
    } legendas[] = {{janela.pnlAdequado, "Adequado   ( DPI > 300 )", QColor(0, 0, 255)},
                    {janela.pnlAceitavel, "Aceitável   ( DPI Entre 200 e 300 )", QColor(0, 128, 0)},
                    {janela.pnlRuim, "Ruim   ( DPI Entre 100 e 200 )", QColor(232, 116, 0)},
                    {janela.pnlNaoRecomendado, "Não Recomendado   ( DPI < 100 )", QColor(191, 0, 0)}};
    int topo = -1;
    for (const auto& l : legendas) {
        EXPECT_EQ(l.painel->caption(), QString::fromUtf8(l.texto));
        EXPECT_EQ(l.painel->color(), l.cor);
        EXPECT_EQ(l.painel->size(), QSize(350, 20));
        EXPECT_GT(l.painel->y(), topo) << "top to bottom";
        topo = l.painel->y();
    }
    EXPECT_EQ(janela.spdSair->Caption(), "Sair");
    EXPECT_GE(janela.spdSair->x(), 350) << "to the right of the legend";
}

} // namespace
