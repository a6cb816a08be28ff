#include <gtest/gtest.h>

#include <QList>

#include <optional>

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

TEST_F(ScreenCheck, BelowTheMinimumStopsAtItAdvisesAboveItSaysNothing)
{
    const QString para = TituloDoAplicativo() + u("\r\nTela Abaixo Da Dimensão Mínima Permitida\r\n\r\n"
                                                  "Para Adequado Funcionamento Deste Aplicativo\r\n"
                                                  "As Dimensões Mínimas Da Tela Deverão Ser\r\n"
                                                  "800 x 600 Pixels.\r\n\r\n"
                                                  "Na Verdade, Para Utilização Mais Adequada,\r\n"
                                                  "O Ideal Seria Trabalhar Com Dimensão\r\n"
                                                  "1024 x 768 Ou Superior.\r\n\r\n"
                                                  "A Execução Não Pode Prosseguir!");
    const QString sugere = TituloDoAplicativo() + u("\r\nTela Na Dimensão Mínima Permitida\r\n\r\n"
                                                    "Para Adequado Funcionamento Deste Aplicativo\r\n"
                                                    "As Dimensões Mínimas Recomendáveis Da Tela\r\n"
                                                    "Deveriam Ser 1024 x 768 Pixels.\r\n\r\n"
                                                    "A Execução Será Possível Nas Atuais Condições,\r\n"
                                                    "Mas Recomenda-se Aumentar a Resolução Da\r\n"
                                                    "Tela Para Utilização Com Maior Conforto.");
    const QString paraTitulo = u("Notificando Tela Abaixo Das Dimensões Mínimas");
    const QString sugereTitulo = u("Sugerindo Uso De Tela Com Maior Dimensão");
    const struct {
        std::optional<QSize> size; // none: the screen's own, 1024 x 768 in the tests
        const QString* titulo;     // null: no box
        const QString* texto;
        bool termina;
    } cases[] = {
        {QSize(799, 1024), &paraTitulo, &para, true},     {QSize(1024, 599), &paraTitulo, &para, true},
        {QSize(800, 600), &sugereTitulo, &sugere, false}, {QSize(1024, 600), &sugereTitulo, &sugere, false},
        {QSize(800, 1024), &sugereTitulo, &sugere, false}, {QSize(1024, 768), nullptr, nullptr, false},
        {QSize(801, 601), nullptr, nullptr, false},        {std::nullopt, nullptr, nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size ? QStringLiteral("%1x%2").arg(c.size->width()).arg(c.size->height()).toStdString() : "screen");
        boxes.clear();
        platform::clearTerminationRequest();
        c.size ? VerificarDimensoesDaTela(*c.size) : VerificarDimensoesDaTela();
        EXPECT_EQ(platform::terminationRequested(), c.termina);
        ASSERT_EQ(boxes.size(), c.titulo ? 1 : 0);
        if (!c.titulo)
            continue;
        EXPECT_EQ(boxes[0].titulo, *c.titulo);
        EXPECT_EQ(boxes[0].texto, *c.texto);
        EXPECT_EQ(boxes[0].botao2, QString());
        EXPECT_EQ(boxes[0].botao1, u("Sim"));
        EXPECT_FALSE(boxes[0].erro);
    }
}
