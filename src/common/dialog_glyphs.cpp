#include "common/dialog_glyphs.h"

#include <QPainter>
#include <QPolygon>

namespace lumoria {

namespace {

const QColor kKey(255, 0, 255);

QImage Blank()
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(kKey);
    return image;
}

// Hard edges only: a blended edge pixel would be neither the key colour nor the picture's own.
void Begin(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
}

} // namespace

QImage GlyphYes()
{
    QImage image = Blank();
    QPainter painter(&image);
    Begin(painter);
    painter.setBrush(QColor(0, 96, 0));
    painter.drawPolygon(QPolygon({QPoint(2, 12), QPoint(6, 8), QPoint(10, 12), QPoint(18, 3), QPoint(22, 7),
                                  QPoint(10, 20)}));
    painter.setBrush(QColor(40, 200, 40));
    painter.drawPolygon(QPolygon({QPoint(4, 12), QPoint(6, 10), QPoint(10, 14), QPoint(18, 5), QPoint(20, 7),
                                  QPoint(10, 18)}));
    return image;
}

QImage GlyphNo()
{
    QImage image = Blank();
    QPainter painter(&image);
    Begin(painter);
    painter.setBrush(QColor(112, 0, 0));
    painter.drawPolygon(QPolygon({QPoint(3, 6), QPoint(6, 3), QPoint(12, 9), QPoint(18, 3), QPoint(21, 6),
                                  QPoint(15, 12), QPoint(21, 18), QPoint(18, 21), QPoint(12, 15), QPoint(6, 21),
                                  QPoint(3, 18), QPoint(9, 12)}));
    painter.setBrush(QColor(230, 40, 40));
    painter.drawPolygon(QPolygon({QPoint(5, 6), QPoint(6, 5), QPoint(12, 11), QPoint(18, 5), QPoint(19, 6),
                                  QPoint(13, 12), QPoint(19, 18), QPoint(18, 19), QPoint(12, 13), QPoint(6, 19),
                                  QPoint(5, 18), QPoint(11, 12)}));
    return image;
}

QImage GlyphOnScreen()
{
    QImage image = Blank();
    QPainter painter(&image);
    Begin(painter);
    painter.fillRect(1, 3, 22, 15, QColor(48, 48, 48));
    painter.fillRect(3, 5, 18, 11, QColor(60, 140, 230));
    painter.fillRect(4, 6, 8, 3, QColor(200, 230, 255));
    painter.fillRect(10, 18, 4, 2, QColor(48, 48, 48));
    painter.fillRect(6, 20, 12, 2, QColor(80, 80, 80));
    return image;
}

QImage GlyphPrinted()
{
    QImage image = Blank();
    QPainter painter(&image);
    Begin(painter);
    painter.fillRect(6, 2, 12, 7, QColor(250, 250, 250));
    painter.fillRect(2, 8, 20, 10, QColor(70, 70, 70));
    painter.fillRect(3, 9, 18, 2, QColor(140, 140, 140));
    painter.fillRect(18, 12, 2, 2, QColor(40, 220, 40));
    painter.fillRect(6, 15, 12, 7, QColor(250, 250, 250));
    painter.fillRect(8, 17, 8, 1, QColor(90, 90, 90));
    painter.fillRect(8, 19, 6, 1, QColor(90, 90, 90));
    return image;
}

QImage AuthorPicture()
{
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(QColor(64, 64, 64));
    QPainter painter(&image);
    Begin(painter);
    // A white print with a sky, a sun and two hills.
    painter.fillRect(20, 20, 260, 260, QColor(250, 250, 250));
    painter.setClipRect(34, 34, 232, 200);
    for (int y = 0; y < 200; ++y)
        painter.fillRect(34, 34 + y, 232, 1, QColor(70 + y / 4, 130 + y / 4, 220));
    painter.setBrush(QColor(255, 210, 60));
    painter.drawEllipse(QPoint(210, 80), 26, 26);
    painter.setBrush(QColor(40, 120, 50));
    painter.drawEllipse(QRect(0, 150, 200, 160));
    painter.setBrush(QColor(70, 160, 70));
    painter.drawEllipse(QRect(110, 170, 230, 140));
    painter.setClipping(false);
    painter.fillRect(34, 250, 120, 4, QColor(150, 150, 150));
    painter.fillRect(34, 260, 80, 4, QColor(150, 150, 150));
    return image;
}

} // namespace lumoria
