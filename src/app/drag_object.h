#pragma once
// TControleArrastado: what a thumbnail drag carries from the thumbnail list to the page view. It
// holds the picture made for the drag and gives it as the drag image, hanging at the cursor's lower
// right. The drag owns it and frees it, with its picture, when the drag ends.
#include <QImage>
#include <QMimeData>
#include <QPoint>

#include <memory>

namespace lumoria {

namespace platform {
class Bitmap;
}

class TControleArrastado : public QMimeData {
    Q_OBJECT
public:
    explicit TControleArrastado(std::unique_ptr<platform::Bitmap> controle);
    ~TControleArrastado() override;

    const platform::Bitmap& Controle() const { return *m_controle; }
    // The drag image (made on the first call) and its hot spot.
    const QImage& GetDragImages();
    QPoint HotSpot() const { return QPoint(0, 0); }

    // How many drag objects exist now (each drag frees its own when it ends).
    static int Vivos();

private:
    std::unique_ptr<platform::Bitmap> m_controle;
    std::unique_ptr<QImage> m_imagens;
};

} // namespace lumoria
