#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "common/message_box.h"
#include "common/message_window.h"
#include "components/fancy_button.h"
#include "common/modal_helper.h"

using namespace lumoria;
using lumoria::test::WhenModal;

namespace {

struct Seen {
    QString caption, label, simCaption, naoCaption;
    bool naoShown = false;
    int simLeft = -1, naoLeft = -1, simTop = -1;
    QSize size;
    QPoint pos;
};

Seen Look(TfrmDialogo* f)
{
    Seen s;
    s.caption = f->windowTitle();
    s.label = f->LabelText();
    s.simCaption = f->spdSim->Caption();
    s.naoCaption = f->spdNao->Caption();
    s.naoShown = !f->spdNao->isHidden();
    s.simLeft = f->spdSim->x();
    s.naoLeft = f->spdNao->x();
    s.simTop = f->spdSim->y();
    s.size = f->size();
    s.pos = f->pos();
    return s;
}

void Click(TFancyButton* b)
{
    const QPoint centre(b->width() / 2, b->height() / 2);
    QTest::mouseMove(b, centre);
    QTest::mouseClick(b, Qt::LeftButton, {}, centre);
}

} // namespace

TEST(MessageBox, TwoButtonsSecondOnTheLeftFirstAnswersSix)
{
    Seen seen;
    WhenModal([&](QWidget* w) {
        auto* f = qobject_cast<TfrmDialogo*>(w);
        ASSERT_NE(f, nullptr);
        seen = Look(f);
        Click(f->spdSim);
    });
    const int answer = CaixaDeDialogo("  Texto da pergunta  ", "  Título  ", "Não", "Sim", false);
    EXPECT_EQ(answer, 6);
    EXPECT_EQ(seen.caption, "Título");
    EXPECT_EQ(seen.label, "\r\nTexto da pergunta\r\n");
    EXPECT_TRUE(seen.naoShown);
    EXPECT_EQ(seen.naoLeft, 49);
    EXPECT_EQ(seen.simLeft, 293);
    EXPECT_EQ(seen.simTop, 12);
    EXPECT_EQ(seen.simCaption, "Sim");
    EXPECT_EQ(seen.naoCaption, "Não");
    EXPECT_EQ(seen.size.width(), 532);
}
