#pragma once
// A control that shows its picture stretched over the whole control, as a picture control with
// stretching on does.
#include <QWidget>

#include "platform/graphics/picture.h"

namespace lumoria::platform {

class StretchedPicture : public QWidget {
    Q_OBJECT
public:
    explicit StretchedPicture(QWidget* parent = nullptr);

    Picture& picture() { return m_picture; }
    const Picture& picture() const { return m_picture; }
    // Loads by extension (Picture::LoadFromFile); on a failure the control keeps what it showed.
    void loadFromFile(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture m_picture;
};

} // namespace lumoria::platform
