#pragma once
// Our own player of Windows metafiles (WMF): it checks the record structure once and draws the
// records with a QPainter into any rectangle. It knows the records that drawings carry (mapping,
// pens, brushes, fonts, lines, shapes, text, clipping and embedded bitmaps) and passes over the rest.
#include <QByteArray>
#include <QRectF>
#include <QSize>

#include <vector>

class QPainter;

namespace lumoria::platform {

class WmfPlayer {
public:
    // Raises InvalidPicture for anything that is not a whole metafile.
    explicit WmfPlayer(const QByteArray& data);

    // The picture's size in pixels at 96 dots per inch.
    QSize Size() const { return m_size; }
    // Draws the whole metafile stretched into target.
    void Play(QPainter& painter, const QRectF& target) const;

private:
    struct Record {
        qsizetype offset = 0; // of the first parameter
        int function = 0;
        int words = 0;        // parameter words
    };

    QByteArray m_data;
    std::vector<Record> m_records;
    int m_objects = 0;
    QRectF m_window; // logical coordinates of the whole picture
    QSize m_size;
};

} // namespace lumoria::platform
