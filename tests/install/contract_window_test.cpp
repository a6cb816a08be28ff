// The contract window: its answers by button, key and close, the sign-it message when the box is not
// ticked, and the keys that count only on their release after their press.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTest>

#include "common/modal_helper.h"
#include "install/contract_window.h"
#include "install/install_texts.h"
#include "modal_script.h"
#include "platform/ui/termination.h"

using namespace lumoria;
using namespace lumoria::test;

namespace {

class Contrato : public ::testing::Test {
protected:
    void SetUp() override { platform::clearTerminationRequest(); }

    // Shows the window modally and runs the step on it once it shows.
    int Responder(TfrmDialogoContrato& janela, Roteiro::Passo passo, Roteiro* roteiro = nullptr)
    {
        Roteiro proprio;
        Roteiro& r = roteiro ? *roteiro : proprio;
        r.Passo_(std::move(passo));
        janela.ShowModal();
        return janela.Resposta;
    }
};

TEST_F(Contrato, LooksAsDesigned)
{
    TfrmDialogoContrato janela;
    EXPECT_EQ(janela.Resposta, 2);
    EXPECT_EQ(janela.windowTitle(), "Contrato de Uso de Software");
    EXPECT_EQ(janela.size(), QSize(623, 391));
    EXPECT_TRUE(janela.memContrato->isReadOnly());
    EXPECT_EQ(janela.memContrato->toPlainText(), TextoDoContrato().replace("\r\n", "\n"));
    EXPECT_EQ(janela.memContrato->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(janela.cbxContrato->text(), "Eu Li e Concordo Com o Contrato Acima:");
    EXPECT_FALSE(janela.cbxContrato->isChecked());
    EXPECT_EQ(janela.cbxContrato->layoutDirection(), Qt::RightToLeft) << "text on the left of the box";
    EXPECT_EQ(janela.spdNao->Caption(), "Não");
    EXPECT_EQ(janela.spdSim->Caption(), "Sim");
    EXPECT_LT(janela.spdNao->x(), janela.spdSim->x());
    EXPECT_FALSE(janela.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(Contrato, AnswersByButtonKeyAndCloseAKeyOnItsReleaseAfterItsPress)
{
    bool abertaAposSoltar = false, abertaAposPressionar = false;
    const struct {
        const char* como;
        Roteiro::Passo passo;
        int resposta;
    } casos[] = {
        {"Sim, ticked",
         [](QWidget* w) {
             auto* j = As<TfrmDialogoContrato>(w);
             j->cbxContrato->setChecked(true);
             QTest::mouseClick(j->spdSim, Qt::LeftButton, {}, j->spdSim->rect().center());
         },
         6},
        {"Enter, ticked",
         [](QWidget* w) {
             auto* j = As<TfrmDialogoContrato>(w);
             QTest::mouseClick(j->cbxContrato, Qt::LeftButton, {}, j->cbxContrato->rect().center());
             QTest::keyClick(j->cbxContrato, Qt::Key_Return);
         },
         6},
        {"Não", [](QWidget* w) { auto* j = As<TfrmDialogoContrato>(w); QTest::mouseClick(j->spdNao, Qt::LeftButton, {}, j->spdNao->rect().center()); }, 7},
        {"Esc", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, 7},
        {"Esc on the memo", [](QWidget* w) { QTest::keyClick(As<TfrmDialogoContrato>(w)->memContrato, Qt::Key_Escape); }, 7},
        {"closed", [](QWidget* w) { w->close(); }, 2},
        {"Enter, ticked, counted on its release after its press",
         [&](QWidget* w) {
             As<TfrmDialogoContrato>(w)->cbxContrato->setChecked(true);
             // A release whose press went to another window (the box before) does nothing.
             QTest::keyRelease(w, Qt::Key_Return);
             abertaAposSoltar = w->isVisible();
             QTest::keyPress(w, Qt::Key_Return);
             abertaAposPressionar = w->isVisible();
             QTest::keyRelease(w, Qt::Key_Return);
         },
         6},
    };
    for (const auto& c : casos) {
        TfrmDialogoContrato janela;
        EXPECT_EQ(Responder(janela, c.passo), c.resposta) << c.como;
        EXPECT_FALSE(janela.isVisible()) << c.como;
    }
    EXPECT_TRUE(abertaAposSoltar);
    EXPECT_TRUE(abertaAposPressionar);
}

TEST_F(Contrato, WithoutTheTickSimAsksToSignAndTheWindowStays)
{
    TfrmDialogoContrato janela;
    Roteiro roteiro;
    bool abertaDepois = false;
    // Enter with the box unticked: the sign-it message; then the window is still there to tick.
    roteiro.Passo_([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); })
        .Caixa(6)
        .Passo_([&](QWidget* w) {
            abertaDepois = w == &janela && janela.isVisible();
            janela.cbxContrato->setChecked(true);
            QTest::mouseClick(janela.spdSim, Qt::LeftButton, {}, janela.spdSim->rect().center());
        });
    janela.ShowModal();
    EXPECT_TRUE(abertaDepois);
    EXPECT_EQ(janela.Resposta, 6);
    ASSERT_EQ(roteiro.caixas.size(), 1);
    EXPECT_EQ(roteiro.caixas[0].titulo, "Por Favor, Assine o Contrato!");
    EXPECT_EQ(roteiro.caixas[0].texto, TextoParaAssinarOContrato());
    EXPECT_TRUE(roteiro.caixas[0].texto.endsWith("\r\n\"Eu Li e Concordo Com o Contrato Acima\""));
    EXPECT_EQ(roteiro.caixas[0].botao2, "");
}

} // namespace
