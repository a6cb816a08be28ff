#include "common/dialog_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/numeric.h"
#include "platform/ui/align_layout.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/panel.h"

namespace lumoria {

using namespace platform;

namespace {

// Enter on the keypad is the same key as Return.
int KeyOf(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Enter ? Qt::Key_Return : event->key();
}

Panel* NewPanel(QWidget* parent, int width, int height, ColorRef colour)
{
    auto* panel = new Panel(parent);
    panel->resize(width, height);
    panel->setColor(colour);
    panel->setParentBackground(false);
    return panel;
}

} // namespace

DialogForm::DialogForm(QWidget* owner, int clientWidth, int bottomPanelHeight, int topPanelHeight)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_clientWidth(clientWidth),
      m_color(cl3DDkShadow)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(16);
    f.setBold(true);
    setFont(f);
    SetColor(m_color);
    m_layout = new AlignLayout(this);

    if (topPanelHeight > 0) {
        pnlSuperior = NewPanel(this, clientWidth, topPanelHeight, m_color);
        m_layout->addWidget(pnlSuperior, Align::Top);
    }
    lblDialogo = new QLabel(this);
    lblDialogo->setTextFormat(Qt::PlainText);
    lblDialogo->setWordWrap(true);
    lblDialogo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetLabelColor(*lblDialogo, m_color);
    SetLabelFontColor(*lblDialogo, colorRef(255, 255, 255));
    m_layout->addWidget(lblDialogo, Align::Top, true);
    pnlInferior = NewPanel(this, clientWidth, bottomPanelHeight, m_color);
    m_layout->addWidget(pnlInferior, Align::Top);

    m_layout->setAutoSize(true);
    resize(clientWidth, bottomPanelHeight + topPanelHeight);
    Realign();
}

void DialogForm::SetLabelColor(QLabel& label, ColorRef colour)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    label.setPalette(palette);
    label.setAutoFillBackground(true);
}

void DialogForm::SetLabelFontColor(QLabel& label, ColorRef colour)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    label.setPalette(palette);
}

void DialogForm::SetColor(ColorRef value)
{
    m_color = value;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(value));
    setPalette(palette);
    setAutoFillBackground(true);
}

void DialogForm::SetLabelText(const QString& text)
{
    m_labelText = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblDialogo->setText(shown);
    Realign();
}

void DialogForm::SetMessage(const QString& text)
{
    SetLabelText(QStringLiteral("\r\n") + Trim(text) + QStringLiteral("\r\n"));
}

void DialogForm::SetAutoSize(bool value)
{
    m_autoSize = value;
    m_layout->setAutoSize(value);
    Realign();
}

// The window keeps a fixed size: its width, and its height from the content while it sizes itself.
void DialogForm::Realign()
{
    const int h = m_autoSize ? m_layout->contentHeight(m_clientWidth) : height();
    setFixedSize(m_clientWidth, h);
    m_layout->setGeometry(QRect(0, 0, m_clientWidth, h));
}

TFancyButton* DialogForm::NewButton(const QString& caption, int left, const QImage& glyph)
{
    auto* button = new TFancyButton(pnlInferior);
    ApplyCommandButtonLook(*button);
    button->move(left, 12);
    button->SetCaption(caption);
    button->Glyphs().SetGlyph(glyph);
    return button;
}

void DialogForm::ShowModal()
{
    Realign();
    m_keysDown.clear();
    runModal(this);
}

void DialogForm::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(RoundToInt32((area.width() - outer.width()) / 2.0L), RoundToInt32((area.height() - outer.height()) / 2.0L));
}

void DialogForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Realign();
    CentreOnScreen();
}

void DialogForm::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        m_keysDown.insert(KeyOf(event));
    event->accept();
}

void DialogForm::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (event->isAutoRepeat())
        return;
    const int key = KeyOf(event);
    if (m_keysDown.remove(key))
        runGuarded([&] { FormKeyUp(key); });
}

} // namespace lumoria
