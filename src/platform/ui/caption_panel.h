#pragma once
// A panel that shows a caption in its font and font colour, centred unless told otherwise, over its
// own colour (a panel as window designs use them for titles, footers and legends).
#include "platform/ui/panel.h"

namespace lumoria::platform {

class CaptionPanel : public Panel {
    Q_OBJECT
public:
    explicit CaptionPanel(QWidget* parent = nullptr, const QString& caption = QString());

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    void setFontColor(ColorRef color);
    QColor fontColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignCenter;
};

} // namespace lumoria::platform
