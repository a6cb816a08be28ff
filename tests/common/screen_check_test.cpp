#include <gtest/gtest.h>

#include <QList>

#include "common/qstring_printer.h"
#include "common/app_identity.h"
#include "common/box_capture.h"
#include "common/screen_check.h"
#include "platform/ui/termination.h"

using namespace lumoria;

namespace {

class ScreenCheck : public ::testing::Test {
protected:
    void TearDown() override { platform::clearTerminationRequest(); }
    test::BoxCapture capture;
    QList<test::ShownBox>& boxes = capture.boxes;
};

QString u(const char* s) { return QString::fromUtf8(s); }

} // namespace

TEST_F(ScreenCheck, BelowTheMinimumStopsWithAMessage)
{
    VerificarDimensoesDaTela(QSize(799, 1024));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].titulo, u("Notificando Tela Abaixo Das Dimensões Mínimas"));
    EXPECT_EQ(boxes[0].texto, TituloDoAplicativo() + u("\r\nTela Abaixo Da Dimensão Mínima Permitida\r\n\r\n"
                                                       "Para Adequado Funcionamento Deste Aplicativo\r\n"
                                                       "As Dimensões Mínimas Da Tela Deverão Ser\r\n"
                                                       "800 x 600 Pixels.\r\n\r\n"
                                                       "Na Verdade, Para Utilização Mais Adequada,\r\n"
                                                       "O Ideal Seria Trabalhar Com Dimensão\r\n"
                                                       "1024 x 768 Ou Superior.\r\n\r\n"
                                                       "A Execução Não Pode Prosseguir!"));
    EXPECT_EQ(boxes[0].botao2, QString());
    EXPECT_EQ(boxes[0].botao1, u("Sim"));
    EXPECT_FALSE(boxes[0].erro);
    EXPECT_TRUE(platform::terminationRequested());

    platform::clearTerminationRequest();
    VerificarDimensoesDaTela(QSize(1024, 599));
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_TRUE(platform::terminationRequested());
}

TEST_F(ScreenCheck, AtTheMinimumAdvisesABiggerScreen)
{
    for (QSize size : {QSize(800, 600), QSize(1024, 600), QSize(800, 1024)}) {
        boxes.clear();
        VerificarDimensoesDaTela(size);
        ASSERT_EQ(boxes.size(), 1) << size.width() << "x" << size.height();
        EXPECT_EQ(boxes[0].titulo, u("Sugerindo Uso De Tela Com Maior Dimensão"));
        EXPECT_EQ(boxes[0].texto, TituloDoAplicativo() + u("\r\nTela Na Dimensão Mínima Permitida\r\n\r\n"
                                                           "Para Adequado Funcionamento Deste Aplicativo\r\n"
                                                           "As Dimensões Mínimas Recomendáveis Da Tela\r\n"
                                                           "Deveriam Ser 1024 x 768 Pixels.\r\n\r\n"
                                                           "A Execução Será Possível Nas Atuais Condições,\r\n"
                                                           "Mas Recomenda-se Aumentar a Resolução Da\r\n"
                                                           "Tela Para Utilização Com Maior Conforto."));
        EXPECT_EQ(boxes[0].botao2, QString());
        EXPECT_EQ(boxes[0].botao1, u("Sim"));
        EXPECT_FALSE(boxes[0].erro);
        EXPECT_FALSE(platform::terminationRequested());
    }
}

TEST_F(ScreenCheck, ABiggerScreenSaysNothing)
{
    VerificarDimensoesDaTela(QSize(1024, 768));
    VerificarDimensoesDaTela(QSize(801, 601));
    // The test screen is 1024 x 768.
    VerificarDimensoesDaTela();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_FALSE(platform::terminationRequested());
}
