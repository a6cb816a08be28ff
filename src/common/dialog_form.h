#pragma once
// What the message window and the small dialogs share: the dark window with white bold Verdana, the
// message label over a bottom panel, fitting the height to the text, centring on the screen when
// shown, the command buttons, and the rule that a key release counts only after the window saw its
// press (so the Enter that closed one window never answers the next).
#include <QSet>
#include <QString>
#include <QWidget>

#include <cstdint>

#include "platform/ui/colors.h"

class QLabel;

namespace lumoria {

class TFancyButton;

class DialogForm : public QWidget {
    Q_OBJECT
public:
    DialogForm(QWidget* owner, int clientWidth, int bottomPanelHeight);

    QLabel* lblDialogo = nullptr;
    QWidget* pnlInferior = nullptr;

    platform::ColorRef Color() const { return m_color; }
    // The window's own colour (its label and panel keep theirs).
    void SetColor(platform::ColorRef value);
    static void PaintControl(QWidget& control, platform::ColorRef colour);
    static void SetTextColor(QWidget& control, platform::ColorRef colour);

    // With automatic size on, the height follows the wrapped label.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    // Lays the top-aligned controls out from the top and, with automatic size, fits the height.
    void Realign();

    // Shows the window modally; returns when it is closed.
    void ShowModal();

    // The label's text; CR LF pairs break its lines.
    void SetLabelText(const QString& text);
    QString LabelText() const { return m_labelText; }
    // The message boxes' label: CR LF, the trimmed text, CR LF.
    void SetMessage(const QString& text);

    // Leading and trailing blanks and control characters removed.
    static QString Trim(const QString& text);

signals:
    void Closed();

protected:
    // A control aligned to the top, stacked at the given place (-1: below the others).
    void AddTopControl(QWidget* control, int index = -1);
    TFancyButton* CreateButton(const QString& caption, int left, const QImage& glyph);
    // A key released after its press was seen here; Return and Enter both give Qt::Key_Return.
    virtual void FormKeyUp(int key) {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void CentreOnScreen();

    int m_clientWidth;
    bool m_autoSize = true;
    platform::ColorRef m_color;
    QString m_labelText;
    QList<QWidget*> m_topControls;
    QSet<int> m_keysDown;
};

} // namespace lumoria
