#pragma once
// What the message window and the small dialogs share: the dark window with white bold Verdana, the
// message label over a bottom panel (an optional top panel above it), fitting the height to the
// text, centring on the screen when shown, the command buttons, and the rule that a key release
// counts only after the window saw its press (so the Enter that closed one window never answers the
// next).
#include <QSet>
#include <QString>
#include <QWidget>

#include "platform/ui/colors.h"

class QLabel;

namespace lumoria {

namespace platform {
class AlignLayout;
class Panel;
} // namespace platform

class TFancyButton;

class DialogForm : public QWidget {
    Q_OBJECT
public:
    // A top panel is made only when its height is above 0.
    DialogForm(QWidget* owner, int clientWidth, int bottomPanelHeight, int topPanelHeight = 0);

    platform::Panel* pnlSuperior = nullptr;
    QLabel* lblDialogo = nullptr;
    platform::Panel* pnlInferior = nullptr;

    platform::ColorRef Color() const { return m_color; }
    // The window's own colour (its label and panels keep theirs).
    void SetColor(platform::ColorRef value);
    static void SetLabelColor(QLabel& label, platform::ColorRef colour);
    static void SetLabelFontColor(QLabel& label, platform::ColorRef colour);

    // With automatic size on, the height follows the wrapped label.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);

    // Shows the window modally; returns when it is closed.
    void ShowModal();

    // The label's text; CR LF pairs break its lines.
    void SetLabelText(const QString& text);
    QString LabelText() const { return m_labelText; }
    // The message boxes' label: CR LF, the trimmed text, CR LF.
    void SetMessage(const QString& text);

protected:
    // A command button in the bottom panel, 12 from its top; its click runs guarded.
    template <typename Handler>
    TFancyButton* CreateButton(const QString& caption, int left, const QImage& glyph, Handler onClick);
    // A key released after its press was seen here; Return and Enter both give Qt::Key_Return.
    virtual void FormKeyUp(int key) {}

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    TFancyButton* NewButton(const QString& caption, int left, const QImage& glyph);
    void Realign();
    void CentreOnScreen();

    int m_clientWidth;
    bool m_autoSize = true;
    platform::ColorRef m_color;
    QString m_labelText;
    platform::AlignLayout* m_layout = nullptr;
    QSet<int> m_keysDown;
};

} // namespace lumoria

#include "components/fancy_button.h"
#include "platform/ui/dispatch.h"

namespace lumoria {

template <typename Handler>
TFancyButton* DialogForm::CreateButton(const QString& caption, int left, const QImage& glyph, Handler onClick)
{
    TFancyButton* button = NewButton(caption, left, glyph);
    platform::connectGuarded(button, &TFancyButton::OnClick, this, std::move(onClick));
    return button;
}

} // namespace lumoria
