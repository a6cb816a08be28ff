#include "components/fancy_button.h"

#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>

#include <algorithm>

#include "components/fancy_shape.h"

namespace lumoria {

using namespace platform;

TFancyButton::TFancyButton(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    resize(97, 25);
    m_color = clBtnFace;
    m_fontColor = colorRef(0, 0, 0); // the window text of the scheme

    m_effects.SetFrameWidth(6);
    m_effects.SetHoverColor(clBlue);
    m_effects.SetShape(btnRectangle);
    m_effects.SetCornerRadius(3);
    m_effects.SetTextStyle(txLowered);
    m_effects.SetFrameStyle(fmGradient);
    m_glyphs.SetGlyph(QImage());
    m_glyphs.SetLayout(lyLeft);
    m_glyphs.SetNumber(1);
    m_glyphs.SetDistance(0);
    m_glyphs.SetGlyphStyle(gsNormal);

    // The only way property changes reach the screen.
    m_effects.OnEffectChange = [this](TFancyEffect*) { EffectChanged(); };
    m_glyphs.OnGlyphChange = [this](TFancyGlyph*) { EffectChanged(); };
}

TFancyButton::~TFancyButton() = default;

void TFancyButton::EffectChanged() { update(); }

void TFancyButton::SetColor(ColorRef value)
{
    m_color = value;
    update();
}

void TFancyButton::SetFontColor(ColorRef value)
{
    m_fontColor = value;
    update();
}

void TFancyButton::SetCaption(const QString& value)
{
    m_caption = value;
    delete m_accelerator;
    m_accelerator = nullptr;
    const QKeySequence key = QKeySequence::mnemonic(value);
    if (!key.isEmpty()) {
        m_accelerator = new QShortcut(key, this);
        m_accelerator->setContext(Qt::WindowShortcut);
        connect(m_accelerator, &QShortcut::activated, this, &TFancyButton::AcceleratorPressed);
    }
    update();
}

void TFancyButton::AcceleratorPressed()
{
    if (isEnabled())
        emit OnClick();
}

ColorRef TFancyButton::AdjustColor(ColorRef colour, int delta)
{
    const QRgb rgb = toRgb(colour);
    const auto adjust = [delta](int channel) {
        return delta > 0 ? std::min(255, channel + delta) : std::max(0, channel + delta);
    };
    return colorRef(adjust(qRed(rgb)), adjust(qGreen(rgb)), adjust(qBlue(rgb)));
}

bool TFancyButton::IsInsideShape(int x, int y) const
{
    const int w = width();
    const int h = height();
    switch (m_effects.Shape()) {
    case btnCapsule: {
        const int m = std::min(w, h);
        return PixelShape::roundRect(0, 0, w, h, m, m).contains(x, y);
    }
    case btnOval:
        return PixelShape::ellipse(0, 0, w, h).contains(x, y);
    case btnRectangle:
        break;
    }
    const int corner = 2 * m_effects.CornerRadius();
    return PixelShape::roundRect(0, 0, w, h, corner, corner).contains(x, y);
}

void TFancyButton::TrackPointer(int x, int y)
{
    m_inside = IsInsideShape(x, y);
    if (m_inside && m_state != StateHot) {
        m_state = StateHot;
        update();
    } else if (!m_inside && m_state != StateUp) {
        m_state = StateUp;
        update();
    }
}

void TFancyButton::MouseLeft()
{
    m_state = isEnabled() ? StateUp : StateDisabled;
    m_inside = false;
    m_pressed = false;
    update();
}

void TFancyButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    // The pointer's place at the press counts as its last move (a window may open under a still mouse).
    if (!m_pressed)
        TrackPointer(p.x(), p.y());
    emit OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
    if (event->button() != Qt::RightButton && m_inside) {
        m_pressed = true;
        m_state = StateDown;
        update();
    }
}

void TFancyButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    // Held buttons keep the pointer's events here; leaving the control still counts as leaving.
    if (!rect().contains(p))
        MouseLeft();
    QPointer<TFancyButton> alive(this);
    emit OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (!alive || event->button() == Qt::RightButton || !m_inside)
        return;
    emit OnClick();
    if (!alive)
        return;
    m_pressed = false;
    update();
}

void TFancyButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    QPointer<TFancyButton> alive(this);
    emit OnMouseMove(event->modifiers(), p.x(), p.y());
    if (!alive)
        return;
    if (m_pressed) {
        if (!rect().contains(p))
            MouseLeft();
        return;
    }
    TrackPointer(p.x(), p.y());
}

void TFancyButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeft();
}

void TFancyButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_state = isEnabled() ? StateUp : StateDisabled;
        update();
    } else if (event->type() == QEvent::FontChange) {
        update();
    }
}

TFancyButton* NewCommandButton(QWidget* parent, const QString& caption, const QString& hint)
{
    auto* button = new TFancyButton(parent);
    ApplyCommandButtonLook(*button);
    button->SetCaption(caption);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

void ApplyCommandButtonLook(TFancyButton& button)
{
    button.resize(190, 30);
    button.SetColor(cl3DDkShadow);
    TFancyEffect& effects = button.FancyEffects();
    effects.SetShape(btnCapsule);
    effects.SetFrameWidth(14);
    effects.SetHoverColor(clAqua);
    effects.SetCornerRadius(3);
    effects.SetFrameStyle(fmGradient);
    effects.SetTextStyle(txShadowed);
    TFancyGlyph& glyphs = button.Glyphs();
    glyphs.SetGlyphStyle(gsNormal);
    glyphs.SetNumber(1);
    glyphs.SetLayout(lyLeft);
    glyphs.SetDistance(10);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(16);
    font.setBold(true);
    button.setFont(font);
    button.SetFontColor(colorRef(255, 255, 255));
}

} // namespace lumoria
