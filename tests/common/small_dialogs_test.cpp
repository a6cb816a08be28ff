#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTest>

#include <cmath>

#include "common/custom_cursors.h"
#include "common/main_window_shrink.h"
#include "common/message_window.h"
#include "common/modal_helper.h"
#include "common/small_dialogs.h"
#include "components/fancy_button.h"
#include "platform/ui/panel.h"
#include "support/pointer_events.h"

using namespace lumoria;
using lumoria::test::WhenModal;

TEST(ProgressWindow, LayoutColoursAndNoWaiting)
{
    TfrmDialogoProgresso p(nullptr);
    p.setWindowTitle("Progresso da Gravação");
    p.SetLabelText("\r\nLumoria v1.0\r\n\r\nGravando Cada Página");
    p.prbProgresso->setRange(0, 8);
    p.prbProgresso->setValue(2);
    p.lblProgresso->setText("25% Já Executado");
    p.show(); // returns at once: callers go on working while it shows
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(p.width(), 462);
    EXPECT_EQ(p.pnlInferior->height(), 64);
    EXPECT_EQ(p.height(), p.lblDialogo->height() + 64);
    EXPECT_EQ(p.pnlInferior->y(), p.lblDialogo->height());
    EXPECT_EQ(p.prbProgresso->geometry(), QRect(16, 14, 430, 15));
    EXPECT_EQ(p.lblProgresso->geometry().topLeft(), QPoint(16, 38));
    EXPECT_EQ(p.lblProgresso->width(), 430);
    EXPECT_EQ(p.lblProgresso->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(p.prbProgresso->palette().color(QPalette::Highlight), QColor(0, 0, 128));
    EXPECT_FALSE(p.prbProgresso->isTextVisible());
    EXPECT_TRUE(p.findChildren<TFancyButton*>().isEmpty());
    EXPECT_FALSE(p.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(p.windowFlags() & Qt::WindowCloseButtonHint);

    // The navy bar (shaded by the style) covers a quarter of the trough.
    const QImage img = p.grab().toImage();
    const auto navy = [](QColor c) { return c.red() < 24 && c.green() < 24 && c.blue() > 100 && c.blue() < 170; };
    const QPoint bar = p.pnlInferior->mapTo(&p, p.prbProgresso->geometry().center());
    EXPECT_TRUE(navy(img.pixelColor(bar + QPoint(-150, 0))));
    EXPECT_FALSE(navy(img.pixelColor(bar + QPoint(150, 0))));

    // The window grows with its text and is centred.
    const int before = p.height();
    p.SetLabelText("\r\nUma\r\nDuas\r\nTrês\r\nQuatro");
    EXPECT_GT(p.height(), before);
    p.hide();
    p.show();
    const QRect f = p.frameGeometry();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(f.top(), int(std::nearbyint((screen.height() - f.height()) / 2.0)));
}

TEST(GuideChoice, ButtonsAnswerAndCloseBoxGivesZero)
{
    const auto run = [](std::function<void(TfrmDialogoGuia*)> act) {
        TfrmDialogoGuia g(nullptr);
        WhenModal([act](QWidget* w) { act(qobject_cast<TfrmDialogoGuia*>(w)); });
        g.Resposta = 9;
        g.ShowModal();
        return int(g.Resposta);
    };
    const auto click = [](TFancyButton* b) { test::ClickAt(b, QPoint(95, 15)); };
    EXPECT_EQ(run([&](TfrmDialogoGuia* g) { click(g->spdNao); }), 1);
    EXPECT_EQ(run([&](TfrmDialogoGuia* g) { click(g->spdSim); }), 2);
    EXPECT_EQ(run([&](TfrmDialogoGuia* g) { click(g->spdImpresso); }), 3);
    EXPECT_EQ(run([](TfrmDialogoGuia* g) { g->close(); }), 0) << "set to 0 when shown";
    bool openAfterKeys = false;
    EXPECT_EQ(run([&](TfrmDialogoGuia* g) {
                  for (Qt::Key k : {Qt::Key_Return, Qt::Key_Escape})
                      QTest::keyClick(g, k);
                  openAfterKeys = g->isVisible();
                  g->close();
              }),
              0);
    EXPECT_TRUE(openAfterKeys) << "no key handling";
}

TEST(GuideChoice, LookAndSizingToItsText)
{
    TfrmDialogoGuia g(nullptr);
    EXPECT_EQ(g.windowTitle(), "Guia Do Usuário Deste Software");
    EXPECT_EQ(g.size(), QSize(632, 72));
    EXPECT_TRUE(g.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(g.spdNao->Caption(), "Não Quero");
    EXPECT_EQ(g.spdSim->Caption(), "Na Tela");
    EXPECT_EQ(g.spdImpresso->Caption(), "Impresso");
    EXPECT_EQ(g.spdNao->x(), 21);
    EXPECT_EQ(g.spdSim->x(), 221);
    EXPECT_EQ(g.spdImpresso->x(), 421);
    EXPECT_EQ(g.pnlInferior->height(), 54);
    for (TFancyButton* b : {g.spdNao, g.spdSim, g.spdImpresso}) {
        EXPECT_EQ(b->size(), QSize(190, 30));
        EXPECT_EQ(b->FancyEffects().Shape(), btnCapsule);
        EXPECT_EQ(b->Glyphs().Glyph().size(), QSize(24, 24));
    }
    // Automatic size off while the text is set, then on: the window fits the text.
    g.SetAutoSize(false);
    g.SetLabelText("\r\nLumoria v1.0\r\nGuia do Usuário\r\n\r\nComo Você Deseja o Guia do Usuário?\r\n");
    EXPECT_EQ(g.height(), 72);
    g.SetAutoSize(true);
    EXPECT_EQ(g.height(), g.lblDialogo->height() + 54);
    EXPECT_GT(g.height(), 72);
}

TEST(ShrinkMainWindow, OneByOneHiddenWithoutItsHandlers)
{
    struct Main : QWidget {
        int resizes = 0, hides = 0;
        void resizeEvent(QResizeEvent*) override { ++resizes; }
        void hideEvent(QHideEvent*) override { ++hides; }
    } main;
    main.setMinimumSize(400, 300);
    main.resize(800, 600);
    main.show();
    QApplication::processEvents();
    main.resizes = main.hides = 0;
    ReduzTamanhoFormularioPrincipal(&main);
    QApplication::processEvents();
    EXPECT_EQ(main.size(), QSize(1, 1));
    EXPECT_EQ(main.minimumSize(), QSize(1, 1));
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.resizes, 0);
    EXPECT_EQ(main.hides, 0);
}

TEST(DialogCursors, EveryWindowMapsItsControlsOntoTheSet)
{
    TfrmDialogo box(nullptr);
    TfrmDialogoComImagem picture(nullptr);
    TfrmDialogoProgresso progress(nullptr);
    TfrmDialogoGuia guide(nullptr);
    for (QWidget* form : std::initializer_list<QWidget*>{&box, &picture, &progress, &guide}) {
        const auto controls = form->findChildren<QWidget*>();
        ASSERT_FALSE(controls.isEmpty());
        for (QWidget* c : controls)
            EXPECT_EQ(platform::controlCursor(c), crNormal) << form->metaObject()->className();
    }
}
