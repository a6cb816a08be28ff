#include "common/dialog_form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>

#include "components/fancy_button.h"
#include "platform/numeric.h"

namespace lumoria {

using namespace platform;

namespace {

const ColorRef kWhite = colorRef(255, 255, 255);

// Enter on the keypad is the same key as Return.
int KeyOf(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Enter ? Qt::Key_Return : event->key();
}

} // namespace

DialogForm::DialogForm(QWidget* owner, int clientWidth, int bottomPanelHeight)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_clientWidth(clientWidth),
      m_color(cl3DDkShadow)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(16);
    f.setBold(true);
    setFont(f);
    PaintControl(*this, m_color);

    lblDialogo = new QLabel(this);
    lblDialogo->setTextFormat(Qt::PlainText);
    lblDialogo->setWordWrap(true);
    lblDialogo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PaintControl(*lblDialogo, m_color);
    SetTextColor(*lblDialogo, kWhite);

    pnlInferior = new QWidget(this);
    pnlInferior->resize(clientWidth, bottomPanelHeight);
    PaintControl(*pnlInferior, m_color);

    AddTopControl(lblDialogo);
    AddTopControl(pnlInferior);
    resize(clientWidth, bottomPanelHeight);
}

void DialogForm::PaintControl(QWidget& control, ColorRef colour)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    control.setPalette(palette);
    control.setAutoFillBackground(true);
}

void DialogForm::SetTextColor(QWidget& control, ColorRef colour)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    control.setPalette(palette);
}

void DialogForm::SetColor(ColorRef value)
{
    m_color = value;
    PaintControl(*this, value);
}

QString DialogForm::Trim(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] <= u' ')
        ++first;
    while (last > first && text[last - 1] <= u' ')
        --last;
    return text.mid(first, last - first);
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

void DialogForm::AddTopControl(QWidget* control, int index)
{
    if (index < 0)
        m_topControls.append(control);
    else
        m_topControls.insert(index, control);
    Realign();
}

void DialogForm::SetAutoSize(bool value)
{
    m_autoSize = value;
    Realign();
}

void DialogForm::Realign()
{
    int top = 0;
    for (QWidget* control : m_topControls) {
        const int h =
            control == lblDialogo ? std::max(0, lblDialogo->heightForWidth(m_clientWidth)) : control->height();
        control->setGeometry(0, top, m_clientWidth, h);
        top += h;
    }
    if (m_autoSize)
        setFixedSize(m_clientWidth, top);
    else
        setFixedSize(m_clientWidth, height());
}

TFancyButton* DialogForm::CreateButton(const QString& caption, int left, const QImage& glyph)
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
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &DialogForm::Closed, &loop, &QEventLoop::quit);
    show();
    if (isVisible())
        loop.exec();
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
    if (m_autoSize)
        Realign();
    CentreOnScreen();
}

void DialogForm::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
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
    if (m_keysDown.remove(KeyOf(event)))
        FormKeyUp(KeyOf(event));
}

} // namespace lumoria
