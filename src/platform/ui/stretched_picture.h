#pragma once
// A control that shows its picture stretched over the whole control, as a picture control with
// stretching on does. The picture is drawn ahead at the control's size (prepare), so that a picture
// that fails to decode fails there, where the caller can handle it, and never while painting.
#include <QImage>
#include <QWidget>

#include "platform/graphics/picture.h"

namespace lumoria::platform {

class StretchedPicture : public QWidget {
    Q_OBJECT
public:
    explicit StretchedPicture(QWidget* parent = nullptr);

    const Picture& picture() const { return m_picture; }
    // Loads by extension (Picture::LoadFromFile); on a failure the control keeps what it showed.
    void loadFromFile(const QString& path);
    void clear();
    // Draws the picture at the control's size now; raises what decoding the picture raises.
    void prepare();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture m_picture;
    QImage m_drawn;
};

} // namespace lumoria::platform
