#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QSignalSpy>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <memory>
#include <thread>
#include <tuple>

#include "support/pointer_events.h"
#include "components/fancy_button.h"
#include "support/button_stage.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

struct Stage : ButtonStage {
    Stage() : ButtonStage(qRgb(0, 128, 0)) {}
};

// The colour the button derives from another by its own rule.
QRgb Adjusted(ColorRef colour, int delta) { return toRgb(TFancyButton::AdjustColor(colour, delta)); }

QImage Strip(std::initializer_list<QRgb> cells, QRgb key = qRgb(255, 0, 255))
{
    QImage strip(8 * int(cells.size()), 6, QImage::Format_RGB32);
    strip.fill(key);
    int i = 0;
    for (QRgb c : cells) {
        for (int y = 1; y < 5; ++y)
            for (int x = 2; x < 6; ++x)
                strip.setPixel(8 * i + x, y, c);
        ++i;
    }
    return strip;
}

QFont Verdana16(QFont::StyleStrategy strategy = QFont::PreferDefault)
{
    QFont f("Verdana");
    f.setPixelSize(16);
    f.setBold(true);
    f.setStyleStrategy(strategy);
    return f;
}

} // namespace

TEST(FancyButton, ClampsOnStore)
{
    TFancyEffect e;
    TFancyGlyph g;
    const auto frame = [&](int v) { return e.SetFrameWidth(v), e.FrameWidth(); };
    const auto radius = [&](int v) { return e.SetCornerRadius(v), e.CornerRadius(); };
    const auto number = [&](int v) { return g.SetNumber(v), g.Number(); };
    const auto distance = [&](int v) { return g.SetDistance(v), g.Distance(); };
    const struct {
        const char* property;
        std::function<int(int)> store;
        int value, stored;
    } cases[] = {{"frame width", frame, 20, 14},    {"frame width", frame, 1, 3},      {"frame width", frame, 9, 9},
                 {"corner radius", radius, 200, 145}, {"corner radius", radius, -5, 0}, {"corner radius", radius, 145, 145},
                 {"number", number, 0, 1},          {"number", number, 9, 4},          {"number", number, 3, 3},
                 {"distance", distance, -3, 0},     {"distance", distance, 0, 0},      {"distance", distance, 1, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(c.store(c.value), c.stored) << c.property << " set to " << c.value;

    // The glyph is copied: the caller's later changes do not reach the button.
    QImage mine = Strip({qRgb(1, 2, 3)});
    g.SetGlyph(mine);
    mine.fill(Qt::black);
    EXPECT_EQ(g.Glyph().pixel(3, 2), qRgb(1, 2, 3));
}

TEST(FancyButton, EverySetterNotifiesEvenWithTheSameValue)
{
    TFancyEffect e;
    int effects = 0;
    TFancyEffect* sender = nullptr;
    e.OnEffectChange = [&](TFancyEffect* s) { ++effects, sender = s; };
    e.SetShape(e.Shape());
    e.SetCornerRadius(e.CornerRadius());
    e.SetFrameWidth(e.FrameWidth());
    e.SetHoverColor(e.HoverColor());
    e.SetTextStyle(e.TextStyle());
    e.SetFrameStyle(e.FrameStyle());
    EXPECT_EQ(effects, 6);
    EXPECT_EQ(sender, &e);

    TFancyGlyph g;
    int glyphs = 0;
    g.OnGlyphChange = [&](TFancyGlyph*) { ++glyphs; };
    g.SetGlyph(g.Glyph());
    g.SetLayout(g.Layout());
    g.SetNumber(g.Number());
    g.SetDistance(g.Distance());
    g.SetGlyphStyle(g.GlyphStyle());
    EXPECT_EQ(glyphs, 5);
}

TEST(FancyButton, PropertyChangesRepaintTheButton)
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    Stage s;
    s.parent.show();
    QApplication::processEvents();
    s.button->installEventFilter(&counter);
    const auto repaints = [&](auto change) {
        counter.paints = 0;
        change();
        QApplication::processEvents();
        return counter.paints > 0;
    };
    EXPECT_TRUE(repaints([&] { s.button->FancyEffects().SetFrameWidth(s.button->FancyEffects().FrameWidth()); }));
    EXPECT_TRUE(repaints([&] { s.button->Glyphs().SetDistance(0); }));
    EXPECT_TRUE(repaints([&] { s.button->SetCaption("Outro"); }));
    EXPECT_FALSE(repaints([] {}));
}

TEST(FancyButton, Defaults)
{
    const TFancyButton b;
    const TFancyEffect& e = b.FancyEffects();
    const TFancyGlyph& g = b.Glyphs();
    EXPECT_EQ(std::tuple(b.width(), b.height(), b.isEnabled(), b.Color(), b.State(), b.Pressed(), b.Inside(), b.focusPolicy()),
              std::tuple(97, 25, true, clBtnFace, int(TFancyButton::StateUp), false, false, Qt::NoFocus));
    EXPECT_EQ(std::tuple(e.FrameWidth(), e.HoverColor(), e.Shape(), e.CornerRadius(), e.TextStyle(), e.FrameStyle()),
              std::tuple(6, clBlue, btnRectangle, 3, txLowered, fmGradient));
    EXPECT_EQ(std::tuple(g.Glyph().isNull(), g.Layout(), int(g.Number()), g.Distance(), g.GlyphStyle()),
              std::tuple(true, lyLeft, 1, 0, gsNormal));
}

TEST(FancyButton, AdjustColorResolvesSystemColoursAndHoldsChannels)
{
    const QRgb face = toRgb(cl3DDkShadow);
    EXPECT_EQ(Adjusted(cl3DDkShadow, 25), qRgb(qRed(face) + 25, qGreen(face) + 25, qBlue(face) + 25));
    EXPECT_EQ(Adjusted(colorRef(250, 10, 128), 10), qRgb(255, 20, 138));
    EXPECT_EQ(Adjusted(colorRef(250, 10, 128), -80), qRgb(170, 0, 48));
    EXPECT_EQ(Adjusted(colorRef(3, 4, 5), 0), qRgb(3, 4, 5));
}

TEST(FancyButton, HitTestFollowsTheShape)
{
    const struct {
        TBtnShape shape;
        int w, h, cornerRadius, x, y;
        bool inside;
    } cases[] = {
        {btnCapsule, 190, 30, 3, 0, 0, false},    {btnCapsule, 190, 30, 3, 189, 29, false},
        {btnCapsule, 190, 30, 3, 0, 15, true},    {btnCapsule, 190, 30, 3, 95, 0, true},
        {btnCapsule, 190, 30, 3, 95, 29, true},   {btnCapsule, 190, 30, 3, 95, 30, false},
        {btnCapsule, 190, 30, 3, -1, 15, false},  {btnOval, 100, 60, 3, 5, 5, false},
        {btnOval, 100, 60, 3, 94, 54, false},     {btnOval, 100, 60, 3, 50, 30, true},
        {btnOval, 100, 60, 3, 1, 30, true},       {btnOval, 100, 60, 3, 50, 1, true},
        {btnRectangle, 100, 60, 0, 0, 0, true},   {btnRectangle, 100, 60, 0, 99, 59, true},
        {btnRectangle, 100, 60, 10, 0, 0, false}, {btnRectangle, 100, 60, 10, 10, 0, true},
        // The radius is a radius: a corner circle of 10 leaves (2, 2) out, one of 5 would take it in.
        {btnRectangle, 100, 60, 10, 2, 2, false}, {btnCapsule, 190, 30, 3, 3, 3, false},
    };
    for (const auto& c : cases) {
        TFancyButton b;
        b.resize(c.w, c.h);
        b.FancyEffects().SetShape(c.shape);
        b.FancyEffects().SetCornerRadius(c.cornerRadius);
        EXPECT_EQ(b.IsInsideShape(c.x, c.y), c.inside)
            << "shape " << int(c.shape) << " " << c.w << "x" << c.h << " radius " << c.cornerRadius << " at " << c.x << "," << c.y;
    }
}

TEST(FancyButton, StatesFollowPointerAndEnabling)
{
    Stage s;
    TFancyButton* b = s.button;
    b->resize(100, 40);
    // Inside, pressed and the state, after each step.
    const auto now = [b] { return std::tuple(b->Inside(), b->Pressed(), b->State()); };
    using B = TFancyButton;
    MoveTo(b, {50, 20});
    EXPECT_EQ(now(), std::tuple(true, false, int(B::StateHot)));
    Press(b, {50, 20});
    EXPECT_EQ(now(), std::tuple(true, true, int(B::StateDown)));
    // While pressed the inside flag is not refreshed.
    MoveTo(b, {1, 1}, Qt::LeftButton);
    EXPECT_EQ(now(), std::tuple(true, true, int(B::StateDown)));
    Leave(b);
    EXPECT_EQ(now(), std::tuple(false, false, int(B::StateUp)));
    b->setEnabled(false);
    EXPECT_EQ(b->State(), B::StateDisabled);
    Leave(b);
    EXPECT_EQ(now(), std::tuple(false, false, int(B::StateDisabled)));
    b->setEnabled(true);
    EXPECT_EQ(b->State(), B::StateUp);
    // Off the shape the button is up again.
    b->FancyEffects().SetShape(btnOval);
    MoveTo(b, {50, 20});
    MoveTo(b, {1, 1});
    EXPECT_EQ(now(), std::tuple(false, false, int(B::StateUp)));
}

TEST(FancyButton, ClickFiresOnceOnReleaseInsideOnly)
{
    const QPoint oval{50, 30}, corner{2, 2};
    // A move onto the press point, a press, a leave and a move while held when asked, then the release.
    const struct {
        const char* name;
        Qt::MouseButton button;
        QPoint press;
        bool leave;
        std::optional<QPoint> move;
        QPoint release;
        int clicks;
    } cases[] = {
        {"on the oval", Qt::LeftButton, oval, false, {}, oval, 1},
        // A press in the corner of the oval's bounds does not press it, and its release does not click.
        {"in a corner of the bounds", Qt::LeftButton, corner, false, {}, corner, 0},
        {"pressed on the oval, released in a corner", Qt::LeftButton, oval, false, corner, corner, 1},
        {"released outside the control", Qt::LeftButton, oval, false, QPoint(150, 30), QPoint(150, 30), 0},
        {"released outside without a move", Qt::LeftButton, oval, false, {}, QPoint(-20, 30), 0},
        // Leaving and coming back onto the shape before the release clicks (hot, not pressed).
        {"left and came back", Qt::LeftButton, oval, true, oval, oval, 1},
        // The right button does nothing but its own events; the middle one clicks.
        {"right button", Qt::RightButton, oval, false, {}, oval, 0},
        {"middle button", Qt::MiddleButton, oval, false, {}, oval, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        TFancyButton* b = s.button;
        b->resize(100, 60);
        b->FancyEffects().SetShape(btnOval);
        QSignalSpy clicks(b, &TFancyButton::OnClick);
        QSignalSpy ups(b, &TFancyButton::OnMouseUp);
        MoveTo(b, c.press);
        Press(b, c.press, c.button);
        if (c.leave)
            Leave(b);
        if (c.move)
            MoveTo(b, *c.move, c.button);
        if (c.leave) {
            EXPECT_FALSE(b->Pressed());
            EXPECT_EQ(b->State(), TFancyButton::StateHot);
        }
        Release(b, c.release, c.button);
        EXPECT_EQ(clicks.count(), c.clicks);
        EXPECT_EQ(ups.count(), 1);
        EXPECT_FALSE(b->Pressed());
    }
}

TEST(FancyButton, AcceleratorClicksWhenEnabled)
{
    Stage s;
    s.button->SetCaption("&Sim");
    s.parent.show();
    s.parent.activateWindow();
    QApplication::setActiveWindow(&s.parent);
    QSignalSpy clicks(s.button, &TFancyButton::OnClick);
    QTest::keyClick(&s.parent, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    s.button->setEnabled(false);
    QTest::keyClick(&s.parent, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(FancyButton, LayoutTable)
{
    const QFontMetrics m(Verdana16(QFont::NoAntialias));
    const int tw = m.horizontalAdvance("Imprimir"), th = m.height();
    const int cw = 24, gh = 24, d = 10, any = std::numeric_limits<int>::min();
    QImage glyph(cw, gh, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    const struct {
        const char* name;
        int w, h;
        TBmpLayout layout;
        const char* caption;
        bool glyph;
        int glyphLeft, glyphTop, captionLeft, captionTop;
    } cases[] = {
        {"left", 190, 30, lyLeft, "Imprimir", true, (190 - cw - d - tw) / 2, (30 - gh) / 2 - 1,
         (190 - cw - d - tw) / 2 + cw + d, (30 - th) / 2 - 1},
        {"right", 190, 30, lyRight, "Imprimir", true, 190 - (190 - cw - d - tw) / 2 - cw, any,
         190 - (190 - cw - d - tw) / 2 - cw - tw - d, any},
        // 30 high cannot hold glyph, distance and caption above each other.
        {"top, too low", 190, 30, lyTop, "Imprimir", true, (190 - cw) / 2, 0, (190 - tw) / 2, gh + d},
        {"bottom, too low", 190, 30, lyBottom, "Imprimir", true, any, 30 - gh, any, 30 - gh - d - th},
        {"top", 100, 120, lyTop, "Imprimir", true, any, (120 - gh - d - th) / 2 - 1, any, (120 - gh - d - th) / 2 - 1 + gh + d},
        {"bottom", 100, 120, lyBottom, "Imprimir", true, any, 120 - (120 - gh - d - th) / 2 - gh, any,
         120 - (120 - gh - d - th) / 2 - gh - d - th},
        {"centre, no caption", 24, 190, lyCenter, "", true, 0, (190 - 24) / 2, any, (190 - th) / 2},
        // A page arrow: the caption falls beyond the right edge.
        {"page arrow", 24, 24, lyLeft, "Próxima", true, 0, 0, cw + d, any},
        // Without a glyph the caption of a left layout stands Distance div 2 right of centre.
        {"left, no glyph", 190, 30, lyLeft, "Imprimir", false, any, any, (190 - d - tw) / 2 + d, any},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFancyButton b;
        b.resize(c.w, c.h);
        b.setFont(Verdana16());
        b.SetCaption(QString::fromUtf8(c.caption));
        if (c.glyph)
            b.Glyphs().SetGlyph(glyph);
        b.Glyphs().SetDistance(d);
        b.Glyphs().SetLayout(c.layout);
        b.CalculateLayout();
        for (const auto& [name, got, want] : {std::tuple{"glyph left", b.GlyphLeft(), c.glyphLeft},
                                              std::tuple{"glyph top", b.GlyphTop(), c.glyphTop},
                                              std::tuple{"caption left", b.CaptionLeft(), c.captionLeft},
                                              std::tuple{"caption top", b.CaptionTop(), c.captionTop}})
            if (want != any) {
                EXPECT_EQ(got, want) << name;
            }
    }
}

TEST(FancyButton, GlyphCellsFollowTheState)
{
    const QRgb up = qRgb(200, 0, 0), disabled = qRgb(0, 200, 0), down = qRgb(0, 0, 200), hot = qRgb(200, 200, 0);
    Stage s;
    TFancyButton* b = s.button;
    b->resize(40, 30);
    b->FancyEffects().SetFrameStyle(fmNone);
    b->Glyphs().SetGlyph(Strip({up, disabled, down, hot}));
    b->Glyphs().SetNumber(4);
    b->Glyphs().SetLayout(lyCenter);
    // Cell 8 x 6 centred: (16, 12); its pixels (2..5, 1..4) carry the cell colour, the rest is key.
    EXPECT_EQ(s.Picture().pixel(16 + 3, 12 + 2), up);
    EXPECT_EQ(s.Picture().pixel(16 + 0, 12 + 0), qRgb(0, 128, 0)) << "key colour left transparent";
    MoveTo(b, {20, 15});
    EXPECT_EQ(s.Picture().pixel(16 + 3, 12 + 2), hot);
    Press(b, {20, 15});
    const QImage pressed = s.Picture();
    EXPECT_EQ(pressed.pixel(17 + 3, 13 + 2), down) << "moved 1 px right and down";
    // Silhouettes while pressed: up-left in Adj(Color, -50), down-right in Adj(Color, +20).
    EXPECT_EQ(pressed.pixel(17 + 1, 13 + 0), Adjusted(clBtnFace, -50));
    EXPECT_EQ(pressed.pixel(17 + 6, 13 + 5), Adjusted(clBtnFace, 20));
    Leave(b);
    b->setEnabled(false);
    EXPECT_EQ(s.Picture().pixel(16 + 3, 12 + 2), disabled);

    // A single cell brings the state back to up at each paint.
    b->setEnabled(true);
    b->Glyphs().SetNumber(1);
    b->Glyphs().SetGlyph(Strip({up}));
    MoveTo(b, {20, 15});
    EXPECT_EQ(b->State(), TFancyButton::StateHot);
    s.Picture();
    EXPECT_EQ(b->State(), TFancyButton::StateUp);
}

TEST(FancyButton, RaisedAndLoweredGlyphStyles)
{
    Stage s;
    TFancyButton* b = s.button;
    b->resize(40, 30);
    b->FancyEffects().SetFrameStyle(fmNone);
    b->Glyphs().SetGlyph(Strip({qRgb(9, 9, 9)}));
    b->Glyphs().SetLayout(lyCenter);
    // Silhouettes of the cell at (16, 12): up-left and down-right of its opaque pixels.
    const struct {
        TGlyphStyle style;
        QRgb upLeft, downRight;
    } cases[] = {{gsRaised, Adjusted(clBtnFace, 20), Adjusted(clBtnFace, -50)},
                 {gsLowered, Adjusted(clBtnFace, -30), Adjusted(clBtnFace, 25)},
                 {gsNormal, qRgb(0, 128, 0), qRgb(0, 128, 0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style));
        b->Glyphs().SetGlyphStyle(c.style);
        const QImage p = s.Picture();
        EXPECT_EQ(p.pixel(16 + 1, 12 + 0), c.upLeft);
        EXPECT_EQ(p.pixel(16 + 6, 12 + 5), c.downRight);
        EXPECT_EQ(p.pixel(16 + 3, 12 + 3), qRgb(9, 9, 9));
    }
}

TEST(FancyButton, CaptionCopiesAndColours)
{
    Stage s;
    TFancyButton* b = s.button;
    ApplyCommandButtonLook(*b);
    b->FancyEffects().SetFrameStyle(fmNone);
    b->SetCaption("I");
    const QRgb white = qRgb(255, 255, 255);
    const QRgb copy = Adjusted(cl3DDkShadow, -50), light = Adjusted(cl3DDkShadow, 25);
    // Where the letter's ink stands, and the same ink moved by the copy offsets.
    const auto inkBox = [](const QImage& img, QRgb c) {
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == c)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect caption = inkBox(s.Picture(), white);
    ASSERT_FALSE(caption.isEmpty());
    const QRect shadow = inkBox(s.Picture(), copy);
    // The shadow is the caption moved (2, 2), partly covered by it.
    EXPECT_EQ(shadow.bottomRight(), caption.bottomRight() + QPoint(2, 2));

    MoveTo(b, {95, 15});
    const QRect hover = inkBox(s.Picture(), toRgb(clAqua));
    EXPECT_EQ(hover, caption) << "the hover colour while the mouse is over the shape";

    Press(b, {95, 15});
    const QImage pressed = s.Picture();
    EXPECT_EQ(inkBox(pressed, white), caption.translated(1, 1));
    EXPECT_EQ(inkBox(pressed, copy).bottomRight(), caption.bottomRight() + QPoint(3, 3));
    Leave(b);

    b->setEnabled(false);
    EXPECT_EQ(inkBox(s.Picture(), toRgb(clBtnFace)), caption) << "disabled shadowed text in the face colour";
    b->FancyEffects().SetTextStyle(txLowered);
    const QImage lowered = s.Picture();
    EXPECT_EQ(inkBox(lowered, toRgb(clBtnShadow)), caption);
    EXPECT_EQ(inkBox(lowered, light).bottomRight(), caption.bottomRight() + QPoint(1, 1));
    b->FancyEffects().SetTextStyle(txRaised);
    EXPECT_EQ(inkBox(s.Picture(), light).topLeft(), caption.topLeft() - QPoint(1, 1));
    b->FancyEffects().SetTextStyle(txPlain);
    EXPECT_TRUE(inkBox(s.Picture(), light).isEmpty());
}

TEST(FancyButton, DoubleAmpersandShowsOneAndIsMeasuredWithBoth)
{
    Stage s;
    TFancyButton* b = s.button;
    ApplyCommandButtonLook(*b);
    b->FancyEffects().SetFrameStyle(fmNone);
    b->FancyEffects().SetTextStyle(txPlain);
    b->SetCaption("Capa CD && DVD");
    const QFont f = Verdana16(QFont::NoAntialias);
    const QFontMetrics m(f);
    const int tw = m.horizontalAdvance("Capa CD && DVD");
    const int shown = m.horizontalAdvance("Capa CD & DVD");
    b->CalculateLayout();
    EXPECT_EQ(b->CaptionLeft(), (190 - 10 - tw) / 2 + 10);

    // The reference: "Capa CD & DVD" centred in the text rectangle, no underline.
    QImage expected(190, 30, QImage::Format_RGB32);
    expected.fill(qRgb(0, 128, 0));
    {
        QPainter p(&expected);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(b->CaptionLeft() + (tw - shown) / 2, b->CaptionTop() + m.ascent(), "Capa CD & DVD");
    }
    EXPECT_EQ(s.Picture(), expected);
}

// A face painted ahead, on another thread, is what the button shows while its size, font, look and
// state are those it was painted from; after any of them changes the button shows its new look, as a
// button that never had a face painted ahead does. The glyph's transparent colour, which the painting
// works out, is no part of the look.
TEST(FancyButton, AFacePaintedAheadIsShownOnlyWhileTheLookHolds)
{
    struct Case {
        const char* name;
        std::function<void(TFancyButton&)> change;
        bool sameLook;
    };
    const Case cases[] = {
        {"nothing changes", [](TFancyButton&) {}, true},
        {"size", [](TFancyButton& b) { b.resize(150, 30); }, false},
        {"caption", [](TFancyButton& b) { b.SetCaption("Gravar"); }, false},
        {"enabled", [](TFancyButton& b) { b.setEnabled(false); }, false},
        {"font",
         [](TFancyButton& b) {
             QFont f = b.font();
             f.setPixelSize(14);
             b.setFont(f);
         },
         false},
        {"colour", [](TFancyButton& b) { b.SetColor(colorRef(0, 0, 128)); }, false},
        {"font colour", [](TFancyButton& b) { b.SetFontColor(colorRef(255, 255, 0)); }, false},
        {"shape", [](TFancyButton& b) { b.FancyEffects().SetShape(btnOval); }, false},
        {"frame width", [](TFancyButton& b) { b.FancyEffects().SetFrameWidth(5); }, false},
        {"text style", [](TFancyButton& b) { b.FancyEffects().SetTextStyle(txRaised); }, false},
        {"glyph", [](TFancyButton& b) { b.Glyphs().SetGlyph(Strip({qRgb(0, 0, 255)})); }, false},
        {"glyph layout", [](TFancyButton& b) { b.Glyphs().SetLayout(lyRight); }, false},
        {"hover", [](TFancyButton& b) { MoveTo(&b, {95, 15}); }, false},
        {"pressed", [](TFancyButton& b) { Press(&b, {95, 15}); }, false},
    };
    const auto look = [](TFancyButton& b) {
        ApplyCommandButtonLook(b);
        b.SetCaption("Imprimir");
        b.Glyphs().SetGlyph(Strip({qRgb(255, 0, 0), qRgb(0, 255, 0)}));
        b.Glyphs().SetNumber(2);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage plain;
        look(*plain.button);
        c.change(*plain.button);
        const QImage want = plain.Picture();

        Stage ahead;
        look(*ahead.button);
        FancyFace before = ahead.button->Face();
        before.Paint(); // works out the glyph's transparent colour, which is no part of the look
        const std::shared_ptr<FancyFacesAhead> faces = FancyFacesAhead::For({ahead.button});
        std::thread([&] { faces->Paint(); }).join();
        c.change(*ahead.button);
        EXPECT_EQ(before.SameLook(ahead.button->Face()), c.sameLook);
        EXPECT_EQ(ahead.Picture(), want);
        const TFancyButton& a = *ahead.button;
        const TFancyButton& p = *plain.button;
        EXPECT_EQ(std::tuple(a.GlyphLeft(), a.GlyphTop(), a.CaptionLeft(), a.CaptionTop(), a.GlyphTransparentColor(), a.State()),
                  std::tuple(p.GlyphLeft(), p.GlyphTop(), p.CaptionLeft(), p.CaptionTop(), p.GlyphTransparentColor(), p.State()));
    }
}

// A button that paints before its face is painted ahead paints it there and then, and the painting
// ahead goes on with the others; each button lets go of the faces at its paint.
TEST(FancyButton, AButtonPaintingBeforeItsFaceIsReadyPaintsItItself)
{
    Stage first, second, plain;
    for (Stage* s : {&first, &second, &plain}) {
        ApplyCommandButtonLook(*s->button);
        s->button->SetCaption("Sair");
    }
    const std::shared_ptr<FancyFacesAhead> faces = FancyFacesAhead::For({first.button, second.button});
    const QImage a = first.Picture();
    faces->Paint();
    EXPECT_EQ(faces.use_count(), 2) << "the second button still holds them";
    const QImage b = second.Picture();
    EXPECT_EQ(a, plain.Picture());
    EXPECT_EQ(b, plain.Picture());
    EXPECT_EQ(faces.use_count(), 1);
}
