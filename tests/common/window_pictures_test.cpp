// Pictures of a message window and of a row of the three kinds of button the windows use, checked
// pixel by pixel: colours, bevel rings, glyph places and the centring of the texts.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include "common/dialog_glyphs.h"
#include "common/message_box.h"
#include "common/message_window.h"
#include "common/modal_helper.h"
#include "components/fancy_button.h"
#include "platform/ui/colors.h"
#include "platform/ui/panel.h"
#include "support/bevel_reference.h"
#include "support/button_stage.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

const QRgb kDark = toRgb(cl3DDkShadow);

QFont ButtonFont()
{
    QFont f("Verdana");
    f.setPixelSize(16);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

bool Light(QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200; }

// Left and right ends of the light ink in a band of rows and columns ([-1, -1] when none).
std::pair<int, int> InkSpan(const QImage& img, int x0, int x1, int y0, int y1)
{
    int left = -1, right = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (Light(img.pixel(x, y))) {
                left = left < 0 ? x : std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

// Rows of the light ink, grouped into text lines.
std::vector<std::pair<int, int>> InkLines(const QImage& img, int x0, int x1, int y0, int y1)
{
    std::vector<std::pair<int, int>> lines;
    bool in = false;
    for (int y = y0; y < y1; ++y) {
        const bool ink = InkSpan(img, x0, x1, y, y + 1).first >= 0;
        if (ink && !in)
            lines.push_back({y, y});
        if (ink)
            lines.back().second = y;
        in = ink;
    }
    return lines;
}

// The bevel down a column of the straight part of a 14-ring capsule 30 high at rest, clear of glyph
// and caption.
void ExpectCapsuleColumn(const QImage& img, int x, int top, QRgb colour)
{
    EXPECT_EQ(img.pixel(x, top + 0), colour) << "outline";
    EXPECT_EQ(img.pixel(x, top + 1), Ring(colour, 14, 0)) << "rim";
    EXPECT_EQ(img.pixel(x, top + 2), Shift(colour, -15)) << "inner edge";
    for (int i = 2; i <= 13; ++i)
        EXPECT_EQ(img.pixel(x, top + i + 1), Ring(colour, 14, i)) << "ring " << i;
    for (int i = 0; i <= 12; ++i)
        EXPECT_EQ(img.pixel(x, top + 28 - i), Ring(colour, 14, i)) << "lower ring " << i;
}

// In a 190 x 30 button with a 24-pixel glyph on the left at 10, from the layout rule: where the
// glyph starts, and where the caption's ink is centred.
int GlyphLeft(const QString& caption) { return (190 - 24 - 10 - QFontMetrics(ButtonFont()).horizontalAdvance(caption)) / 2; }
int CaptionCentre(const QString& caption)
{
    return GlyphLeft(caption) + 24 + 10 + QFontMetrics(ButtonFont()).horizontalAdvance(caption) / 2;
}

// The caption's light ink centred in the button's place in the picture; gives the ink's right end.
int ExpectCaptionCentred(const QImage& img, const QRect& button, const QString& caption)
{
    const auto [left, right] = InkSpan(img, button.left(), button.left() + button.width(), button.top(),
                                       button.top() + button.height());
    EXPECT_GE(left, 0) << caption.toStdString();
    EXPECT_NEAR((left + right + 1) / 2.0 - button.left(), CaptionCentre(caption), 2.0) << caption.toStdString();
    return right;
}

QImage TestGlyph()
{
    QImage g(24, 24, QImage::Format_RGB32);
    g.fill(qRgb(255, 0, 255));
    QPainter p(&g);
    p.fillRect(4, 4, 16, 16, QColor(255, 220, 0));
    return g;
}

} // namespace

TEST(WindowPictures, MessageWindow)
{
    QImage plain, error;
    QRect sim, nao, errorSim;
    int panelTop = -1;
    for (bool erro : {false, true}) {
        WhenModal([&, erro](QWidget* w) {
            auto* f = qobject_cast<TfrmDialogo*>(w);
            ASSERT_NE(f, nullptr);
            (erro ? error : plain) = f->grab().toImage().convertToFormat(QImage::Format_RGB32);
            panelTop = f->pnlInferior->y();
            const QRect s(f->spdSim->mapTo(f, QPoint()), f->spdSim->size());
            const QRect n(f->spdNao->mapTo(f, QPoint()), f->spdNao->size());
            (erro ? errorSim : sim) = s;
            if (!erro)
                nao = n;
            f->close();
        });
        CaixaDeDialogo("Lumoria v1.0\r\n\r\nDeseja Sair?", "Confirmação", "Não", "Sim", erro);
    }
    ASSERT_FALSE(plain.isNull());
    ASSERT_EQ(plain.width(), 532);

    // Dark grey all round the text and the buttons.
    EXPECT_EQ(plain.pixel(1, 1), kDark);
    EXPECT_EQ(plain.pixel(530, panelTop + 3), kDark);
    EXPECT_EQ(plain.pixel(10, panelTop + 50), kDark);

    // Each text line centred across the window.
    const auto lines = InkLines(plain, 0, 532, 0, panelTop);
    ASSERT_EQ(lines.size(), 2u) << "the title and the question";
    for (auto [top, bottom] : lines) {
        const auto [left, right] = InkSpan(plain, 0, 532, top, bottom + 1);
        EXPECT_NEAR((left + right + 1) / 2.0, 266, 2.0) << "line at " << top;
    }

    // The buttons in their places, "Não" left and "Sim" right, with their bevel and centred captions.
    EXPECT_EQ(nao.topLeft(), QPoint(49, panelTop + 12));
    EXPECT_EQ(sim.topLeft(), QPoint(293, panelTop + 12));
    ExpectCapsuleColumn(plain, sim.left() + 20, sim.top(), kDark);
    ExpectCapsuleColumn(plain, nao.left() + 20, nao.top(), kDark);
    ExpectCaptionCentred(plain, sim, "Sim");
    ExpectCaptionCentred(plain, nao, "Não");
    // The tick glyph stands at (gx, 2) in "Sim".
    const QImage tick = GlyphYes();
    const int gx = GlyphLeft("Sim");
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (tick.pixel(x, y) != tick.pixel(0, 23)) {
                ASSERT_EQ(plain.pixel(sim.left() + gx + x, sim.top() + 2 + y), tick.pixel(x, y)) << x << "," << y;
            }
        }
    }

    // The error look: dark red around, buttons unchanged, "Sim" now on the left.
    ASSERT_FALSE(error.isNull());
    EXPECT_EQ(error.pixel(1, 1), qRgb(191, 0, 0));
    EXPECT_EQ(error.pixel(10, panelTop + 50), qRgb(191, 0, 0));
    EXPECT_EQ(errorSim.topLeft(), QPoint(49, panelTop + 12));
    ExpectCapsuleColumn(error, errorSim.left() + 20, errorSim.top(), kDark);
    ExpectCaptionCentred(error, QRect(49, panelTop + 12, 190, 30), "Sim");
}

TEST(WindowPictures, RowOfTheThreeButtonKinds)
{
    ButtonStage stage(kDark);
    const auto button = [&](TFancyButton* b, QRect place) {
        ApplyCommandButtonLook(*b);
        b->setGeometry(place);
        b->Glyphs().SetGlyph(TestGlyph());
        return b;
    };
    button(stage.button, QRect(10, 10, 190, 30))->SetCaption("Imprimir");
    button(new TFancyButton(&stage.parent), QRect(210, 10, 24, 190))->Glyphs().SetLayout(lyCenter);
    auto* arrow = button(new TFancyButton(&stage.parent), QRect(250, 10, 24, 24));
    arrow->SetColor(clGray);
    arrow->FancyEffects().SetFrameStyle(fmNone);
    arrow->FancyEffects().SetTextStyle(txPlain);
    arrow->SetCaption("Próxima");

    const QImage img = stage.parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb yellow = qRgb(255, 220, 0);

    // Command button: bevel, glyph at (gx, 2), caption centred after it.
    ExpectCapsuleColumn(img, 10 + 20, 10, kDark);
    const int gx = GlyphLeft("Imprimir");
    EXPECT_EQ(img.pixel(10 + gx + 4, 10 + 2 + 4), yellow);
    EXPECT_EQ(img.pixel(10 + gx + 19, 10 + 2 + 19), yellow);
    EXPECT_NE(img.pixel(10 + gx + 3, 10 + 2 + 4), yellow);
    const int right = ExpectCaptionCentred(img, QRect(10, 10, 190, 30), "Imprimir");
    // The shadow copy in Adj(Color, -50), 2 px down and right of the caption's lowest ink.
    bool shadow = false;
    for (int y = 10; y < 40; ++y)
        shadow = shadow || img.pixel(right + 2, y) == Shift(kDark, -50);
    EXPECT_TRUE(shadow);

    // Effect-abort bar: the rings across the row at y = 40 (a vertical capsule), the glyph centred.
    const int y = 10 + 40;
    EXPECT_EQ(img.pixel(210 + 0, y), kDark);
    EXPECT_EQ(img.pixel(210 + 1, y), Ring(kDark, 14, 0));
    EXPECT_EQ(img.pixel(210 + 2, y), Shift(kDark, -15));
    for (int i = 2; i <= 10; ++i)
        EXPECT_EQ(img.pixel(210 + i + 1, y), Ring(kDark, 14, i)) << "ring " << i;
    EXPECT_EQ(img.pixel(210 + 12, y), Ring(kDark, 14, 10));
    EXPECT_EQ(img.pixel(210 + 13, y), Ring(kDark, 14, 9));
    EXPECT_EQ(img.pixel(210 + 22, y), Ring(kDark, 14, 0));
    EXPECT_EQ(img.pixel(210 + 23, y), kDark) << "beyond the body the window shows";
    EXPECT_EQ(img.pixel(210 + 4, 10 + 83 + 4), yellow);
    EXPECT_EQ(img.pixel(210 + 19, 10 + 83 + 19), yellow);
    EXPECT_EQ(img.pixel(210 + 1, 10 + 83 + 4), Ring(kDark, 14, 0)) << "the glyph's key colour is transparent";

    // Page arrow: no body, only the glyph at (0, 0); its caption falls beyond the right edge.
    for (int ay = 0; ay < 24; ++ay)
        for (int ax = 0; ax < 24; ++ax) {
            const bool glyph = ax >= 4 && ax < 20 && ay >= 4 && ay < 20;
            ASSERT_EQ(img.pixel(250 + ax, 10 + ay), glyph ? yellow : kDark) << ax << "," << ay;
        }
}
