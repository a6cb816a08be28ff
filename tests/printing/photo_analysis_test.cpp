// The photo analysis: its lines and verdicts under a comma-decimal locale, the pairing of the
// smaller sides, the picture in its panel, and the files and frames it cannot analyse.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <QTransform>

#include <cmath>
#include <map>

#include "album/album_document.h"
#include "common/modal_helper.h"
#include "components/fancy_button.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/stretched_picture.h"
#include "printing/photo_analysis.h"
#include "printing/photo_analysis_window.h"
#include "printing/resolution_table_window.h"
#include "support/brazilian_locale.h"
#include "support/draw_support.h"
#include "support/page_builder.h"
#include "support/picture_files.h"

using namespace lumoria;
using namespace lumoria::test;

namespace {

class ComVirgulaDecimal : public ::testing::Test {
    LocalidadeBrasileira m_localidade;
};

TFoto Moldura(int largura, int altura, std::uint8_t ajuste = kFitStretch)
{
    TFoto f;
    f.Left = 10;
    f.Top = 20;
    f.Right = 10 + largura;
    f.Bottom = 20 + altura;
    f.Ajuste = ajuste;
    return f;
}

QStringList Linhas(int largura, int altura, const TFoto& moldura)
{
    const auto medidas = MedirFotoNaMoldura(largura, altura, moldura);
    if (!medidas)
        return {};
    return LinhasDaAnalise(*medidas, moldura.Ajuste);
}

// ---- the lines ----------------------------------------------------------------------------------

TEST_F(ComVirgulaDecimal, APhotoOf3072x2048InA10x15FrameIsAdequate)
{
    EXPECT_EQ(Linhas(3072, 2048, Moldura(100, 150)),
              (QStringList{"Dimensões da Foto: 2048 x 3072 Pixels",
                           "Dimensões da Impressão: 10 x 15 Centímetros",
                           "",
                           "Proporção Original: 1,500",
                           "Proporção de Impressão: 1,500",
                           "Ajuste Da Foto Na Moldura: Esticada, Mesmo Que Fique Desproporcional",
                           "",
                           "Resolução de Impressão, Por Dimensão: 520 x 520 DPI",
                           "Resolução de Impressão, Por Área Final: 520 DPI",
                           "Resultado Esperado Da Impressão Nestas Dimensões: \"Adequado\"",
                           ""}));
}

TEST_F(ComVirgulaDecimal, TheSmallerPictureSideGoesWithTheSmallerFrameSide)
{
    // Landscape photo, portrait frame and the other way round: all measured as if turned.
    const QStringList esperado = Linhas(3072, 2048, Moldura(100, 150));
    EXPECT_EQ(Linhas(2048, 3072, Moldura(100, 150)), esperado);
    EXPECT_EQ(Linhas(3072, 2048, Moldura(150, 100)), esperado);
    EXPECT_EQ(Linhas(2048, 3072, Moldura(150, 100)), esperado);
}

TEST_F(ComVirgulaDecimal, TheLinesFollowThePhotoAndTheFrame)
{
    const struct {
        int w, h, fw, fh;
        std::map<int, const char*> linhas;
    } casos[] = {
        {640, 480, 180, 270, {{1, "Dimensões da Impressão: 18 x 27 Centímetros"}, {3, "Proporção Original: 1,333"},
                              {7, "Resolução de Impressão, Por Dimensão: 68 x 60 DPI"},
                              {8, "Resolução de Impressão, Por Área Final: 64 DPI"},
                              {9, "Resultado Esperado Da Impressão Nestas Dimensões: \"Não Recomendado\""}}},
        // 1180 x 1770 pixels over 100 x 150 mm: 299.7 dots per inch, shown rounded as 300; the
        // verdict uses the unrounded resolution.
        {1180, 1770, 100, 150, {{8, "Resolução de Impressão, Por Área Final: 300 DPI"},
                                {9, "Resultado Esperado Da Impressão Nestas Dimensões: \"Aceitável\""}}},
    };
    for (const auto& c : casos) {
        const QStringList linhas = Linhas(c.w, c.h, Moldura(c.fw, c.fh));
        ASSERT_EQ(linhas.size(), 11) << c.w;
        for (const auto& [i, texto] : c.linhas)
            EXPECT_EQ(linhas[i], QString::fromUtf8(texto)) << c.w << " x " << c.h;
    }
}

TEST(TextoDoResultadoEsperado, FollowsTheBandsAtTheirEdges)
{
    const struct {
        long double a;
        const char* texto;
    } casos[] = {{1000, "Adequado"}, {300, "Adequado"},  {299.999L, "Aceitável"}, {200, "Aceitável"},
                 {199.6L, "Ruim"},   {100, "Ruim"},      {99.99L, "Não Recomendado"}, {0, "Não Recomendado"}};
    for (const auto& c : casos)
        EXPECT_EQ(TextoDoResultadoEsperado(c.a), QString::fromUtf8(c.texto)) << static_cast<double>(c.a);
}

TEST(TextoDoAjusteDaFotoNaMoldura, NamesTheThreeFitModesAndNothingElse)
{
    EXPECT_EQ(TextoDoAjusteDaFotoNaMoldura(0), "Esticada, Mesmo Que Fique Desproporcional");
    EXPECT_EQ(TextoDoAjusteDaFotoNaMoldura(1), "Proporcional, Por Dentro, Fazendo Bordas");
    EXPECT_EQ(TextoDoAjusteDaFotoNaMoldura(2), "Proporcional, Por Fora, Fazendo Cortes");
    EXPECT_EQ(TextoDoAjusteDaFotoNaMoldura(3), "");
    EXPECT_EQ(TextoDoAjusteDaFotoNaMoldura(255), "");
}

TEST(MedirFotoNaMoldura, AHugePictureDoesNotOverflowAndNoAreaGivesNothing)
{
    // 2^31 - 1 squared would wrap in 32 bits.
    const auto enorme = MedirFotoNaMoldura(2147483647, 2147483647, Moldura(100, 100));
    ASSERT_TRUE(enorme);
    EXPECT_NEAR(static_cast<double>(enorme->A), 25.4 * 2147483647.0 / 100.0, 1.0);
    EXPECT_FALSE(MedirFotoNaMoldura(0, 100, Moldura(100, 150)));
    EXPECT_FALSE(MedirFotoNaMoldura(100, 100, Moldura(0, 150)));
    EXPECT_FALSE(MedirFotoNaMoldura(100, 100, Moldura(100, -5)));
}

TEST(MedirFotoNaMoldura, AFrameAcrossThe32BitRangeIsMeasuredWhole)
{
    TFoto larga;
    larga.Left = -2'000'000'000;
    larga.Right = 2'000'000'000;
    larga.Bottom = 100;
    const auto m = MedirFotoNaMoldura(3000, 2000, larga);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->fmin, 100);
    EXPECT_EQ(m->fmax, 4'000'000'000);
    EXPECT_NEAR(static_cast<double>(m->A), 25.4 * std::sqrt(6e6 / 4e11), 1e-9);
}

TEST(RetanguloDaImagemNoPainel, FitsTheWholePictureAtNineTenthsCentred)
{
    const struct {
        int iw, ih;
        Rect r;
    } casos[] = {
        {3072, 2048, {10, 42, 199, 168}}, // 210 x 140 -> 189 x 126; (210 - 189) / 2 = 10.5 rounds to 10
        {2048, 3072, {42, 10, 168, 199}},
        {500, 500, {10, 10, 199, 199}},
        {100, 1000, {96, 10, 115, 199}}, // 21 x 210 -> 19 x 189; (210 - 19) / 2 = 95.5 rounds to 96
        {1, 20'000'000, {105, 10, 105, 199}}, // its height at the panel's width is past 32 bits
    };
    for (const auto& c : casos) {
        EXPECT_EQ(RetanguloDaImagemNoPainel(210, 210, c.iw, c.ih), c.r) << c.iw << "x" << c.ih;
    }
}

// ---- the window ---------------------------------------------------------------------------------

class JanelaDeAnalise : public ComVirgulaDecimal {
protected:
    void SetUp() override
    {
        documento.Pagina(0) = PageWithFrames(210, 297, {{5, 5, 105, 155}, {105, 5, 105, 155}});
        documento.Pagina(0).Fotos[0].Ajuste = kFitCut;
    }

    AlbumDocument documento;
};

TEST_F(JanelaDeAnalise, FillsItselfForAPhotoShownAndMeasuredUpright)
{
    EXPECT_EQ(TfrmAnalisarFotos(documento).size(), QSize(574, 435));
    // 300 x 200 upright, a BMP or a JPEG however it is stored (tags 1 to 8): 210 x 140 at nine tenths
    // in the 210 x 210 panel, centred, red above and blue below.
    const QImage deitada = HalvesImage(200, 300, QColor(200, 20, 20), QColor(20, 20, 200)).transformed(QTransform().rotate(90));
    for (int tag = 0; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        QString arquivo = WriteBmp(QStringLiteral("analise.bmp"), deitada);
        if (tag > 0) {
            arquivo = TempPath(QStringLiteral("analise-exif-%1.jpg").arg(tag));
            WriteBytes(arquivo, WithExifOrientation(ReadBytes(WriteJpeg(QStringLiteral("analise-exif.jpg"), StoredForExif(deitada, tag))),
                                                    tag, tag > 2));
        }
        TfrmAnalisarFotos janela(documento);
        EXPECT_EQ(janela.windowTitle(), "Analisador de Fotos");
        platform::setScreenCursor(platform::kCursorDefault);
        janela.SetarArquivoEMolduraDaFoto(QStringLiteral("  ") + arquivo + QStringLiteral(" "), 0, 0);
        EXPECT_EQ(platform::screenCursor(), platform::kCursorDefault);
        EXPECT_EQ(janela.windowTitle(), "Analisador de Fotos - " + arquivo);
        EXPECT_EQ(janela.lblNomeDoArquivo->text(), "Arquivo:\n" + arquivo);
        const QStringList linhas = janela.Linhas();
        ASSERT_EQ(linhas.size(), 11);
        EXPECT_EQ(linhas[0], "Dimensões da Foto: 200 x 300 Pixels");
        EXPECT_EQ(linhas[5], "Ajuste Da Foto Na Moldura: Proporcional, Por Fora, Fazendo Cortes");
        EXPECT_EQ(linhas[8], "Resolução de Impressão, Por Área Final: 51 DPI");
        EXPECT_EQ(janela.memArquivo->toPlainText(), linhas.join('\n'));
        EXPECT_EQ(janela.imgImagem->geometry(), QRect(10, 42, 189, 126));
        janela.show();
        const QImage tela = janela.pnlImagem->grab().toImage();
        ExpectPixels(tela, {{{10 + 94, 42 + 20}, QColor(200, 20, 20)}, {{10 + 94, 42 + 106}, QColor(20, 20, 200)}}, 16);
        for (const QPoint& fora : {QPoint(5, 5), QPoint(10 + 94, 30)}) // the panel around it
            EXPECT_FALSE(Near(tela.pixelColor(fora), QColor(200, 20, 20))) << fora.x() << "," << fora.y();
    }
}

TEST_F(JanelaDeAnalise, ThePathLosesBlanksAndControlCharactersOnly)
{
    const QString arquivo = WriteBmp(QStringLiteral("analise-aparada.bmp"), SolidImage(30, 20, QColor(20, 200, 20)));
    struct Caso {
        QString dado;
        bool analisada;
    };
    // A no-break space is part of the name: no such file, nothing filled.
    for (const Caso& c : {Caso{arquivo + QChar(0x1F), true}, Caso{QChar(0x01) + QStringLiteral("\t ") + arquivo + "\r\n", true},
                          Caso{QChar(0x00A0) + arquivo, false}, Caso{arquivo + QChar(0x00A0), false}}) {
        TfrmAnalisarFotos janela(documento);
        janela.SetarArquivoEMolduraDaFoto(c.dado, 0, 0);
        EXPECT_EQ(janela.windowTitle(), c.analisada ? "Analisador de Fotos - " + arquivo : QStringLiteral("Analisador de Fotos"))
            << c.dado.toStdString();
        EXPECT_EQ(janela.memArquivo->toPlainText().isEmpty(), !c.analisada) << c.dado.toStdString();
    }
}

TEST_F(JanelaDeAnalise, AMissingFileLeavesTheWindowAsDesigned)
{
    TfrmAnalisarFotos janela(documento);
    janela.SetarArquivoEMolduraDaFoto(TempPath(QStringLiteral("analise-nao-existe.jpg")), 0, 0);
    EXPECT_EQ(janela.windowTitle(), "Analisador de Fotos");
    EXPECT_EQ(janela.lblNomeDoArquivo->text(), "Arquivo:");
    EXPECT_TRUE(janela.memArquivo->toPlainText().isEmpty());
    EXPECT_EQ(janela.imgImagem->picture().GetGraphic(), nullptr);
}

TEST_F(JanelaDeAnalise, WhatCannotBeAnalysedLeavesItUnfilledWithAMessage)
{
    const QString quebrada = WriteTempFile(QStringLiteral("analise-quebrada.jpg"), QByteArray("isto nao e um jpeg", 18));
    const QString boa = WriteBmp(QStringLiteral("analise-boa.bmp"), SolidImage(30, 20, Qt::blue));
    // A sound header over pixels cut short: it fails only when decoded.
    const QString cortada = TempPath(QStringLiteral("analise-cortada.jpg"));
    WriteBytes(cortada, ReadBytes(WriteJpeg(QStringLiteral("analise-inteira.jpg"), HalvesImage(400, 300, Qt::red, Qt::blue)))
                            .left(700));
    // A BMP header that declares no pixels (refused as unreadable or as without dimensions).
    QByteArray semArea = BmpBytes(SolidImage(1, 1, Qt::red), 24);
    semArea.replace(18, 4, QByteArray(4, '\0'));
    const QString vazia = WriteTempFile(QStringLiteral("analise-vazia.bmp"), semArea);
    const struct {
        QString arquivo;
        int pagina, moldura;
        const char* motivo; // null: any
    } casos[] = {
        {quebrada, 0, 0, "Este Arquivo Não Pôde Ser Lido Como Uma Imagem."},
        {vazia, 0, 0, nullptr},
        {cortada, 0, 0, "Este Arquivo Não Pôde Ser Lido Como Uma Imagem."},
        {boa, 0, 1, "A Moldura Desta Foto Não Tem Dimensões."},
        {boa, 0, 2, "A Moldura Desta Foto Não Está Na Página."},
        {boa, 0, -1, "A Moldura Desta Foto Não Está Na Página."},
        {boa, 3, 0, "A Moldura Desta Foto Não Está Na Página."},
    };
    for (const auto& c : casos) {
        TfrmAnalisarFotos janela(documento);
        platform::setScreenCursor(platform::kCursorDefault);
        EXPECT_NO_THROW(janela.SetarArquivoEMolduraDaFoto(c.arquivo, c.pagina, c.moldura));
        EXPECT_EQ(platform::screenCursor(), platform::kCursorDefault);
        SCOPED_TRACE(c.arquivo.toStdString() + " " + std::to_string(c.pagina) + " " + std::to_string(c.moldura));
        EXPECT_EQ(janela.windowTitle(), "Analisador de Fotos");
        EXPECT_EQ(janela.lblNomeDoArquivo->text(), "Arquivo:");
        const QStringList linhas = janela.Linhas();
        ASSERT_EQ(linhas.size(), 2);
        EXPECT_EQ(linhas[0], "Não Foi Possível Analisar Esta Foto.");
        if (c.motivo) {
            EXPECT_EQ(linhas[1], QString::fromUtf8(c.motivo));
        }
        EXPECT_EQ(janela.imgImagem->picture().GetGraphic(), nullptr);
        janela.show();
        EXPECT_NO_THROW(janela.grab());
    }
}

TEST_F(JanelaDeAnalise, AFrameAcrossThe32BitRangeIsAnalysed)
{
    const QString arquivo = WriteBmp(QStringLiteral("analise-larga.bmp"), SolidImage(300, 200, Qt::green));
    TFoto& f = documento.Pagina(0).Fotos[0];
    f.Left = -2'000'000'000;
    f.Right = 2'000'000'000;
    f.Top = 0;
    f.Bottom = 150;
    TfrmAnalisarFotos janela(documento);
    janela.SetarArquivoEMolduraDaFoto(arquivo, 0, 0);
    const QStringList linhas = janela.Linhas();
    ASSERT_EQ(linhas.size(), 11) << linhas.join('|').toStdString();
    EXPECT_EQ(linhas[1], "Dimensões da Impressão: 15 x 400.000.000 Centímetros");
    EXPECT_EQ(linhas[9], "Resultado Esperado Da Impressão Nestas Dimensões: \"Não Recomendado\"");
}

TEST_F(JanelaDeAnalise, TheTableButtonOpensTheReferenceTableAndSairCloses)
{
    TfrmAnalisarFotos janela(documento);
    EXPECT_EQ(janela.spdTabela->Caption(), "Tabela");
    EXPECT_EQ(janela.spdTabela->toolTip(), "Mostrar Tabela Comparativa de Resoluções");
    bool tabelaVista = false;
    WhenModal([&](QWidget*) {
        // The analysis window shows first; the table opens over it, and its "Sair" leads back.
        WhenModal([&](QWidget* w) {
            auto* tabela = qobject_cast<TfrmAnalisarFotosTabelaResolucao*>(w);
            tabelaVista = tabela != nullptr;
            if (tabela)
                QTest::mouseClick(tabela->spdSair, Qt::LeftButton, {}, tabela->spdSair->rect().center());
        }, [&](QWidget* w) { return w != &janela; });
        QTest::mouseClick(janela.spdTabela, Qt::LeftButton, {}, janela.spdTabela->rect().center());
        QTest::mouseClick(janela.spdSair, Qt::LeftButton, {}, janela.spdSair->rect().center());
    });
    janela.ShowModal();
    EXPECT_TRUE(tabelaVista);
    EXPECT_FALSE(janela.isVisible());
}

} // namespace
