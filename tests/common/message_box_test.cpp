#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QScreen>
#include <QTest>

#include <cmath>

#include "common/about_box.h"
#include "common/app_identity.h"
#include "common/message_box.h"
#include "common/message_window.h"
#include "common/modal_helper.h"
#include "support/pointer_events.h"
#include "support/unexpected_boxes.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/ui/panel.h"

using namespace lumoria;
using lumoria::test::WhenModal;

namespace {

struct Seen {
    bool shown = false;
    QString caption, label, simCaption, naoCaption;
    bool naoShown = false;
    int simLeft = -1, naoLeft = -1, simTop = -1;
    QSize size;
    QRect frame;
    QColor window, label_, panel, labelText;
    platform::ColorRef simFont = 0, naoFont = 0;
    Qt::WindowFlags flags;
    QImage simGlyph, naoGlyph;
};

Seen Look(TfrmDialogo* f)
{
    const auto colour = [](QWidget* w, QPalette::ColorRole role) { return w->palette().color(role); };
    return {true, f->windowTitle(), f->LabelText(), f->spdSim->Caption(), f->spdNao->Caption(), !f->spdNao->isHidden(),
            f->spdSim->x(), f->spdNao->x(), f->spdSim->y(), f->size(), f->frameGeometry(), colour(f, QPalette::Window),
            colour(f->lblDialogo, QPalette::Window), f->pnlInferior->color(), colour(f->lblDialogo, QPalette::WindowText),
            f->spdSim->FontColor(), f->spdNao->FontColor(), f->windowFlags(), f->spdSim->Glyphs().Glyph(),
            f->spdNao->Glyphs().Glyph()};
}

void Click(TFancyButton* b) { test::ClickAt(b, b->rect().center()); }

// A key pressed and released on the window.
void Key(QWidget* w, Qt::Key k)
{
    QTest::keyPress(w, k);
    QTest::keyRelease(w, k);
}

// Shows a box whose window is answered by the action, and returns what was seen and answered.
template <typename Box>
std::pair<Seen, int> RunBox(Box box, std::function<void(TfrmDialogo*)> answer)
{
    Seen seen;
    WhenModal([&](QWidget* w) {
        auto* f = qobject_cast<TfrmDialogo*>(w);
        if (!f) {
            w->close();
            return;
        }
        seen = Look(f);
        answer(f);
    });
    const int result = box();
    return {seen, result};
}

std::pair<Seen, int> Box(const QString& texto, const QString& titulo, const QString& botao2,
                         const QString& botao1, bool erro, std::function<void(TfrmDialogo*)> answer)
{
    return RunBox([&] { return CaixaDeDialogo(texto, titulo, botao2, botao1, erro); }, std::move(answer));
}

const QColor kDarkGrey = platform::toQColor(platform::cl3DDkShadow);

} // namespace

TEST(MessageBox, TrimmedTextsOnTopWithoutACloseButton)
{
    auto [seen, answer] = Box("  Texto da pergunta  ", "  Título  ", "Não", "Sim", false,
                              [](TfrmDialogo* f) { Click(f->spdSim); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(answer, 6);
    EXPECT_EQ(seen.caption, "Título");
    EXPECT_EQ(seen.label, "\r\nTexto da pergunta\r\n");
    EXPECT_EQ(seen.simTop, 12);
    EXPECT_EQ(seen.size.width(), 532);
    EXPECT_EQ(seen.labelText, QColor(Qt::white));
    EXPECT_TRUE(seen.flags & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(seen.flags & Qt::WindowCloseButtonHint);
}

TEST(MessageBox, ButtonPlacesColoursAndAnswers)
{
    const QColor darkRed(191, 0, 0);
    const struct {
        const char* what;
        QString botao2, botao1;
        bool erro, clicaNao;
        int resposta, simLeft, naoLeft; // naoLeft -1: the second button hidden
        QColor cor;
    } cases[] = {
        {"two buttons, the second on the left", "Não", "Sim", false, false, 6, 293, 49, kDarkGrey},
        {"the second answers 7 and keeps its blanks", "  Talvez  ", "Pode Ser", false, true, 7, 293, 49, kDarkGrey},
        {"no second caption: one centred button", QString(), "Sim", false, false, 6, 171, -1, kDarkGrey},
        {"a blank second caption: one centred button", "   ", "Sim", false, false, 6, 171, -1, kDarkGrey},
        {"error: dark red, the first button on the left", "Não", "Sim", true, false, 6, 49, 293, darkRed},
        {"error with one button only changes colours", "", "Sim", true, false, 6, 171, -1, darkRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto [seen, answer] = Box("Pergunta", "Título", c.botao2, c.botao1, c.erro,
                                  [&](TfrmDialogo* f) { Click(c.clicaNao ? f->spdNao : f->spdSim); });
        EXPECT_EQ(answer, c.resposta);
        EXPECT_EQ(seen.simCaption, c.botao1);
        EXPECT_EQ(seen.simLeft, c.simLeft);
        EXPECT_EQ(seen.naoShown, c.naoLeft >= 0);
        if (c.naoLeft >= 0) {
            EXPECT_EQ(seen.naoLeft, c.naoLeft);
            EXPECT_EQ(seen.naoCaption, c.botao2);
        }
        EXPECT_EQ(seen.window, c.cor);
        EXPECT_EQ(seen.label_, c.cor);
        EXPECT_EQ(seen.panel, c.cor);
    }
}

TEST(MessageBox, EnterAnswersSixEscSevenClosingTwoEachOnTheReleaseOfItsPress)
{
    const auto key = [](Qt::Key k) { return [k](TfrmDialogo* f) { Key(f, k); }; };
    EXPECT_EQ(Box("T", "C", "Não", "Sim", false, key(Qt::Key_Return)).second, 6);
    EXPECT_EQ(Box("T", "C", "Não", "Sim", false, key(Qt::Key_Enter)).second, 6);
    EXPECT_EQ(Box("T", "C", "Não", "Sim", false, key(Qt::Key_Escape)).second, 7);
    EXPECT_EQ(Box("T", "C", "", "Sim", false, key(Qt::Key_Escape)).second, 7) << "also with one button";
    EXPECT_EQ(Box("T", "C", "Não", "Sim", false,
                  [&](TfrmDialogo* f) {
                      key(Qt::Key_Space)(f);
                      key(Qt::Key_S)(f);
                      f->close();
                  })
                  .second,
              2)
        << "other keys do nothing";
    EXPECT_EQ(Box("T", "C", "Não", "Sim", false, [](TfrmDialogo* f) { f->close(); }).second, 2);

    // A key's release without its press does not answer.
    bool stillOpen = false;
    EXPECT_EQ(Box("T", "C", "Não", "Sim", false,
                  [&](TfrmDialogo* f) {
                      // The release of the Enter that closed the window before.
                      QTest::keyRelease(f, Qt::Key_Return);
                      stillOpen = f->isVisible();
                      // A press the box does not see, then Esc pressed and released here.
                      Key(f, Qt::Key_Escape);
                  })
                  .second,
              7);
    EXPECT_TRUE(stillOpen);
}

TEST(MessageBox, LongTextWrapsGrowsAndIsCentred)
{
    Seen shortSeen = Box("Curto", "C", "", "Sim", false, [](TfrmDialogo* f) { f->close(); }).first;
    QString longText;
    for (int i = 0; i < 12; ++i)
        longText += "Uma Frase Bastante Longa Que Não Cabe ";
    auto [seen, answer] = Box(longText, "C", "", "Sim", false, [](TfrmDialogo* f) { f->close(); });
    EXPECT_EQ(seen.size.width(), 532);
    EXPECT_GT(seen.size.height(), shortSeen.size.height() + 3 * 16);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    // The whole window, its border included, is centred with halves to even.
    EXPECT_EQ(seen.frame.topLeft(), QPoint(int(std::nearbyint((screen.width() - seen.frame.width()) / 2.0)),
                                           int(std::nearbyint((screen.height() - seen.frame.height()) / 2.0))));
    EXPECT_GE(seen.frame.width(), 532);
}

TEST(MessageBox, OwnerIsTheActiveWindow)
{
    QWidget owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    QWidget* parent = nullptr;
    RunBox([] { return CaixaDeDialogo("T", "C", "", "Sim", false); },
        [&](TfrmDialogo* f) {
            parent = f->parentWidget();
            f->close();
        });
    EXPECT_EQ(parent, &owner);
}

TEST(SpecialIconsBox, QuarterPlacesPicturesInThePlainOrTheAlertLook)
{
    QList<QImage> icons;
    for (QRgb c : {qRgb(10, 0, 0), qRgb(20, 0, 0), qRgb(30, 0, 0), qRgb(40, 0, 0)}) {
        QImage i(24, 24, QImage::Format_RGB32);
        i.fill(c);
        icons << i;
    }
    auto [seen, answer] = RunBox(
        [&] { return CaixaDeDialogoComIconesEspeciais(" Instalar? ", " Confirmação ", "Não", "Sim", 3, 2, false, false, icons); },
        [](TfrmDialogo* f) { Click(f->spdNao); });
    EXPECT_EQ(answer, 7);
    EXPECT_EQ(seen.caption, "Confirmação");
    EXPECT_EQ(seen.label, "\r\nInstalar?\r\n");
    EXPECT_EQ(seen.naoLeft, 38);
    EXPECT_EQ(seen.simLeft, 304);
    EXPECT_EQ(seen.naoGlyph.pixel(5, 5), qRgb(40, 0, 0));
    EXPECT_EQ(seen.simGlyph.pixel(5, 5), qRgb(30, 0, 0));
    EXPECT_EQ(seen.window, kDarkGrey);
    EXPECT_FALSE(seen.flags & Qt::WindowCloseButtonHint);

    // The alert look, with the system menu.
    const QList<QImage> none;
    auto [alert, a6] = RunBox(
        [&] { return CaixaDeDialogoComIconesEspeciais("Texto", "C", "Não", "Sim", 3, 2, true, true, none); },
        [](TfrmDialogo* f) { Key(f, Qt::Key_Return); });
    EXPECT_EQ(a6, 6);
    const QColor light(255, 128, 128);
    EXPECT_EQ(alert.window, light);
    EXPECT_EQ(alert.label_, light);
    EXPECT_EQ(alert.panel, light);
    EXPECT_EQ(alert.labelText, QColor(Qt::black));
    EXPECT_EQ(alert.simFont, platform::colorRef(0, 0, 0));
    EXPECT_EQ(alert.naoFont, platform::colorRef(0, 0, 0));
    EXPECT_EQ(alert.simLeft, 38);
    EXPECT_EQ(alert.naoLeft, 304);
    EXPECT_TRUE(alert.flags & Qt::WindowCloseButtonHint);
    // Numbers the image list lacks leave a blank 24 x 24 glyph (all of it the transparent colour).
    ASSERT_EQ(alert.simGlyph.size(), QSize(24, 24));
    EXPECT_EQ(alert.simGlyph.pixel(12, 12), alert.simGlyph.pixel(0, 23));

    auto [one, a1] = RunBox([&] { return CaixaDeDialogoComIconesEspeciais("Texto", "C", " ", "Sim", 0, 0, false, false, none); },
                         [](TfrmDialogo* f) { f->close(); });
    EXPECT_EQ(a1, 2);
    EXPECT_FALSE(one.naoShown);
    EXPECT_EQ(one.simLeft, 171);
}

TEST(PictureBox, LayoutAndAnswers)
{
    struct PictureSeen {
        QString caption, label, button;
        QSize size;
        QRect image, top, label_;
        int buttonLeft = -1;
    } seen;
    const auto run = [&](std::function<void(TfrmDialogoComImagem*)> answer) {
        WhenModal([&, answer](QWidget* w) {
            auto* f = qobject_cast<TfrmDialogoComImagem*>(w);
            ASSERT_NE(f, nullptr);
            seen = {f->windowTitle(), f->LabelText(), f->spdSim->Caption(), f->size(), f->Image1->geometry(),
                    f->pnlSuperior->geometry(), f->lblDialogo->geometry(), f->spdSim->x()};
            answer(f);
        });
        return CaixaDeDialogoComImagem(" Texto ", " Autor ", " Sim ");
    };
    EXPECT_EQ(run([](TfrmDialogoComImagem* f) { Click(f->spdSim); }), 6);
    EXPECT_EQ(seen.caption, "Autor");
    EXPECT_EQ(seen.label, "\r\nTexto\r\n");
    EXPECT_EQ(seen.button, "Sim");
    EXPECT_EQ(seen.buttonLeft, 61);
    EXPECT_EQ(seen.size.width(), 312);
    EXPECT_EQ(seen.top, QRect(0, 0, 312, 312));
    EXPECT_EQ(seen.image, QRect(6, 6, 300, 300));
    EXPECT_EQ(seen.label_.top(), 312);
    EXPECT_EQ(seen.size.height(), 312 + seen.label_.height() + 54);
    EXPECT_EQ(run([](TfrmDialogoComImagem* f) { Key(f, Qt::Key_Return); }), 6);
    EXPECT_EQ(run([](TfrmDialogoComImagem* f) { Key(f, Qt::Key_Escape); }), 7);
    EXPECT_EQ(run([](TfrmDialogoComImagem* f) { f->close(); }), 2);
}

TEST(AboutBox, OnlyRightReleaseWithShiftCtrlAltShowsIt)
{
    const Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    EXPECT_FALSE(spdSairMouseUp(Qt::LeftButton, all));
    EXPECT_FALSE(spdSairMouseUp(Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier));
    EXPECT_FALSE(spdSairMouseUp(Qt::RightButton, {}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    QString caption, label;
    WhenModal([&](QWidget* w) {
        auto* f = qobject_cast<TfrmDialogoComImagem*>(w);
        ASSERT_NE(f, nullptr);
        caption = f->windowTitle();
        label = f->LabelText();
        f->close();
    });
    EXPECT_TRUE(spdSairMouseUp(Qt::RightButton, all));
    EXPECT_EQ(caption, "Autor Deste Programa");
    EXPECT_TRUE(label.startsWith("\r\n" + TituloDoAplicativo() + "\r\n\r\nConcepção e Criação Integral\r\n"
                                 "De Todos Os Elementos Deste\r\nProduto Sob Autoria De\r\n"));
}

TEST(TextTrim, DropsBlanksAndControlCharactersAtBothEndsOnly)
{
    EXPECT_EQ(Trim(QString("\t\r\n \x01 a  b \x1f ")), "a  b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim(QString::fromUtf8("\u00a0x\u00a0")), QString::fromUtf8("\u00a0x\u00a0")) << "only up to the blank";
}

TEST(UnexpectedBoxes, ABoxNothingAnswersFailsTheTestAtOnceAndSaysWhichBoxItWas)
{
    const int old = lumoria::test::SetUnexpectedBoxDelay(200);
    int resposta = -1;
    EXPECT_NONFATAL_FAILURE(resposta = lumoria::CaixaDeDialogo(QStringLiteral("Ninguém Responde Esta Caixa"),
                                                               QStringLiteral("Caixa Esquecida"), QString(),
                                                               QStringLiteral("Sim"), false),
                            "Caixa Esquecida");
    EXPECT_NE(resposta, 6);
    lumoria::test::SetUnexpectedBoxDelay(old);
}
