#pragma once
// The push button of every window: body, frame and hit area follow a shape (capsule, oval or rounded
// rectangle), the frame is a bevel of concentric rings, the caption can carry an offset copy and a
// glyph strip holds up to four state cells. It paints without antialiasing, pixel by pixel.
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/colors.h"

class QShortcut;

namespace lumoria {

enum TBtnShape : std::uint8_t { btnCapsule, btnOval, btnRectangle };
enum TTextStyle : std::uint8_t { txPlain, txLowered, txRaised, txShadowed };
enum TFrameStyle : std::uint8_t { fmNone, fmGradient };
enum TBmpLayout : std::uint8_t { lyLeft, lyTop, lyRight, lyBottom, lyCenter };
enum TGlyphStyle : std::uint8_t { gsNormal, gsRaised, gsLowered };

// Every setter stores (clamped) and notifies, also when the value does not change.
class TFancyEffect {
public:
    TBtnShape Shape() const { return m_shape; }
    void SetShape(TBtnShape value);
    std::int32_t CornerRadius() const { return m_cornerRadius; }
    void SetCornerRadius(std::int32_t value); // 0 to 145
    std::int32_t FrameWidth() const { return m_frameWidth; }
    void SetFrameWidth(std::int32_t value); // 3 to 14 rings
    platform::ColorRef HoverColor() const { return m_hoverColor; }
    void SetHoverColor(platform::ColorRef value);
    TTextStyle TextStyle() const { return m_textStyle; }
    void SetTextStyle(TTextStyle value);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle value);

    std::function<void(TFancyEffect*)> OnEffectChange;

    // The same look (the handler is not part of it).
    bool operator==(const TFancyEffect& other) const;

private:
    void Changed();

    TBtnShape m_shape = btnRectangle;
    std::int32_t m_cornerRadius = 3;
    std::int32_t m_frameWidth = 6;
    platform::ColorRef m_hoverColor = platform::clBlue;
    TTextStyle m_textStyle = txLowered;
    TFrameStyle m_frameStyle = fmGradient;
};

class TFancyGlyph {
public:
    // A horizontal strip of Number() equal cells; the bottom-left pixel is the transparent colour.
    const QImage& Glyph() const { return m_glyph; }
    void SetGlyph(const QImage& value); // copied
    TBmpLayout Layout() const { return m_layout; }
    void SetLayout(TBmpLayout value);
    std::uint8_t Number() const { return m_number; }
    void SetNumber(std::uint8_t value); // 1 to 4
    std::int32_t Distance() const { return m_distance; }
    void SetDistance(std::int32_t value); // below 1 becomes 0
    TGlyphStyle GlyphStyle() const { return m_glyphStyle; }
    void SetGlyphStyle(TGlyphStyle value);

    std::function<void(TFancyGlyph*)> OnGlyphChange;

    // The same look (the handler is not part of it).
    bool operator==(const TFancyGlyph& other) const;

private:
    void Changed();

    QImage m_glyph;
    TBmpLayout m_layout = lyLeft;
    std::uint8_t m_number = 1;
    std::int32_t m_distance = 0;
    TGlyphStyle m_glyphStyle = gsNormal;
};

// What a button's face is painted from (its size, font, look and state at one moment) and the
// positions the painting works out. Painting a face needs nothing of the button itself, so it can be
// done on another thread, and the face compared with the button's state when the button paints.
class FancyFace {
public:
    // The face, as large as the button; also works out the positions.
    QImage Paint();
    // Works out the glyph and caption positions.
    void CalculateLayout();
    // Whether the other face is painted from the same size, font, look and state.
    bool SameLook(const FancyFace& other) const;

private:
    friend class TFancyButton;
    friend class FancyFacesAhead;

    void PaintBody(QImage& image);
    void PaintGradientFrame(QImage& image);
    void PaintInnerEdge(QImage& image);
    void PaintGlyph(QImage& image);
    void PaintCaption(QImage& image);

    QSize m_size;
    bool m_enabled = true;
    QFont m_font;
    TFancyEffect m_effects;
    TFancyGlyph m_glyphs;
    platform::ColorRef m_color = 0;
    platform::ColorRef m_fontColor = 0;
    QString m_caption;
    bool m_pressed = false;
    bool m_inside = false;
    std::int32_t m_state = 0;
    // Worked out by the painting.
    std::int32_t m_cellWidth = 0;
    std::int32_t m_glyphLeft = 0;
    std::int32_t m_glyphTop = 0;
    platform::ColorRef m_glyphTransparent = 0;
    std::int32_t m_captionLeft = 0;
    std::int32_t m_captionTop = 0;
};

class TFancyButton : public QWidget {
    Q_OBJECT
public:
    // Button states; the glyph cell shown is the state minus one.
    enum : std::int32_t { StateUp = 1, StateDisabled = 2, StateDown = 3, StateHot = 4 };

    explicit TFancyButton(QWidget* parent = nullptr);
    ~TFancyButton() override;

    TFancyEffect& FancyEffects() { return m_effects; }
    const TFancyEffect& FancyEffects() const { return m_effects; }
    TFancyGlyph& Glyphs() { return m_glyphs; }
    const TFancyGlyph& Glyphs() const { return m_glyphs; }

    platform::ColorRef Color() const { return m_color; }
    void SetColor(platform::ColorRef value);
    // An ampersand marks the accelerator letter; "&&" shows one ampersand.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    // The colour of Font (the font itself is the widget's font).
    platform::ColorRef FontColor() const { return m_fontColor; }
    void SetFontColor(platform::ColorRef value);

    std::int32_t State() const { return m_state; }
    bool Pressed() const { return m_pressed; }
    bool Inside() const { return m_inside; }
    // Positions worked out by the last layout.
    std::int32_t GlyphLeft() const { return m_glyphLeft; }
    std::int32_t GlyphTop() const { return m_glyphTop; }
    std::int32_t CaptionLeft() const { return m_captionLeft; }
    std::int32_t CaptionTop() const { return m_captionTop; }
    platform::ColorRef GlyphTransparentColor() const { return m_glyphTransparent; }

    // The colour resolved to RGB, then each of red, green and blue moved by delta within 0..255.
    static platform::ColorRef AdjustColor(platform::ColorRef colour, int delta);
    // Whether a point in control coordinates lies in the button's shape.
    bool IsInsideShape(int x, int y) const;
    // Works out the glyph and caption positions for the present size, caption and font.
    void CalculateLayout();
    // What the button's face is painted from, as the button stands.
    FancyFace Face() const;

signals:
    // The command: fired from the button's own release inside the shape.
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void EffectChanged();
    void TrackPointer(int x, int y);
    void MouseLeft();
    void AcceleratorPressed();
    friend class FancyFacesAhead;

    // The positions a face's painting worked out, taken back.
    void Adopt(const FancyFace& face);

    TFancyEffect m_effects;
    TFancyGlyph m_glyphs;
    bool m_pressed = false;
    bool m_inside = false;
    std::int32_t m_cellWidth = 0;
    std::int32_t m_state = StateUp;
    std::int32_t m_glyphLeft = 0;
    std::int32_t m_glyphTop = 0;
    platform::ColorRef m_glyphTransparent = 0;
    std::int32_t m_captionLeft = 0;
    std::int32_t m_captionTop = 0;

    platform::ColorRef m_color = platform::clBtnFace;
    platform::ColorRef m_fontColor = 0;
    QString m_caption;
    QShortcut* m_accelerator = nullptr;
    // The face painted ahead for the first paint, and which of them it is.
    std::shared_ptr<class FancyFacesAhead> m_ahead;
    std::size_t m_aheadIndex = 0;
};

// The faces of buttons, painted ahead of their next paint (on another thread) from their state when
// this was made. Paint() paints them in turn, each face on whichever thread comes to it first: a
// button's next paint paints its own face, or waits while it is being painted, or takes it painted.
// The button then shows it while its size, font, look and state are still the same, and paints
// afresh when they are not.
class FancyFacesAhead {
public:
    static std::shared_ptr<FancyFacesAhead> For(const std::vector<TFancyButton*>& buttons);
    void Paint();

private:
    friend class TFancyButton;
    void Paint(std::size_t i);

    std::vector<FancyFace> m_faces;
    std::vector<QImage> m_images;
    std::unique_ptr<std::once_flag[]> m_painted;
};

// The look the windows give their command buttons: a 190 x 30 capsule with a 14-ring gradient frame in
// dark grey, aqua hover colour, shadowed white bold Verdana of 16 px and the glyph on the left at 10.
void ApplyCommandButtonLook(TFancyButton& button);
// A new button of that look in the parent, with its caption and, when given, its hint.
TFancyButton* NewCommandButton(QWidget* parent, const QString& caption, const QString& hint = QString());

} // namespace lumoria
