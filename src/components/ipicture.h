#pragma once
// TIPicture: the picture of a thumbnail. It keeps a picture file's bytes as read and shows them
// through the platform's picture loader, which tells the kind from the bytes (JPEG, GIF, BMP, ICO,
// WMF, EMF). For an animated GIF it picks one frame by cutting the earlier frames out of the bytes
// before decoding.
//
// For the thumbnail list it can also hold only a reduced copy made for a cell (LoadReducedFromFile):
// then neither the bytes nor the decoded picture stay, while the sizes still report the picture's own.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/rect.h"

namespace lumoria {

namespace platform {
class Canvas;
class Graphic;
} // namespace platform

class TIPicture {
public:
    // The failures of building the picture, in step order.
    static constexpr const char* kErroDeMemoria = "Could not allocate memory for image";
    static constexpr const char* kErroDeFluxo = "Could not create image stream";
    static constexpr const char* kErroDeFluxoVazio = "Empty image stream created";
    static constexpr const char* kErroDeFormato = "Could not load image. Invalid format";
    static constexpr const char* kErroDeCarga = "Could not load image";

    TIPicture();
    ~TIPicture();
    TIPicture(const TIPicture&) = delete;
    TIPicture& operator=(const TIPicture&) = delete;

    bool Empty() const { return m_empty; }
    // Pixels at 96 DPI from the picture's natural size; 0 without a picture. Setting them does nothing.
    int Width() const;
    int Height() const;
    void SetWidth(int) {}
    void SetHeight(int) {}
    // The size used to fit thumbnails: the GIF logical screen when there is one, else Width/Height.
    int PictureWidth() const;
    int PictureHeight() const;
    // The natural size in hundredths of a millimetre (0 x 0 without a picture).
    QSize NaturalSize() const { return m_natural; }

    bool Stretch = false; // stored only: drawing always fills the rectangle
    int HorizontalDpi() const { return m_dpiX; }
    int VerticalDpi() const { return m_dpiY; }

    std::int32_t Frame() const { return m_frame; }
    // Stores the frame; with bytes held, the picture is built again and OnFrameChange runs.
    void SetFrame(std::int32_t value);
    std::uint16_t FrameLeft() const { return m_frameLeft; }
    std::uint16_t FrameTop() const { return m_frameTop; }
    std::uint16_t FrameWidth() const { return m_frameWidth; }
    std::uint16_t FrameHeight() const { return m_frameHeight; }
    std::uint16_t GifScreenWidth() const { return m_gifWidth; }
    std::uint16_t GifScreenHeight() const { return m_gifHeight; }

    std::function<void()> OnChange;
    std::function<void()> OnFrameChange;

    // Reads the whole file and builds the picture; any failure leaves the graphic empty, silently.
    void LoadFromFile(const QString& fileName);
    // The same from bytes (null: nothing happens); failures reach the caller.
    void LoadFromStream(const QByteArray* stream);
    // Form data: the bytes, built without a change event and with Frame unchanged.
    void ReadData(const QByteArray* stream);
    void WriteData(QByteArray* stream) const { SaveToStream(stream); }
    void SaveToStream(QByteArray* stream) const;
    // Source null clears the bytes; another TIPicture is copied and built with this Frame.
    void Assign(const TIPicture* source);
    // Any other kind of source leaves the graphic empty with its bytes unchanged.
    void Assign(const platform::Graphic* source);

    const QByteArray& Data() const { return m_data; }
    bool IsGIF() const;
    // -1 when not a GIF, else the number of frame markers.
    int GetFrameCount() const;

    // Draws the picture into the rectangle moved by the frame's left and top.
    void Draw(platform::Canvas& canvas, const Rect& rect) const;

    // --- Thumbnails.
    // Loads the file as LoadFromFile does, then keeps only a copy reduced to fit the area (never
    // enlarged); the bytes and the decoded picture are let go. A JPEG whose embedded Exif thumbnail
    // has its proportions and covers the area is reduced from that thumbnail instead. False when the picture is empty
    // afterwards, also when its pixels do not decode. Safe on a worker thread for a picture no other
    // thread touches.
    bool LoadReducedFromFile(const QString& fileName, QSize area);
    // The area the reduced copy was made for (empty when there is none).
    QSize ReducedArea() const { return m_reducedArea; }
    const QImage& Reduced() const { return m_reduced; }
    // Takes over everything another picture holds (no change event).
    void TakeFrom(TIPicture& other);

private:
    void LoadBytes(const QByteArray& bytes);
    // The reduced copy from the thumbnail a camera stored in the file, when it has the picture's
    // proportions and covers the cell; only the file's start is read. False otherwise.
    bool LoadReducedFromExifThumbnail(const QString& fileName, QSize area);
    void LoadPicture();
    void ReleasePicture();
    void Fire(const std::function<void()>& event) const;

    std::shared_ptr<const platform::Graphic> m_picture;
    QByteArray m_data;
    bool m_empty = true;
    int m_dpiX = 96;
    int m_dpiY = 96;
    std::int32_t m_frame = 0;
    std::uint16_t m_frameLeft = 0;
    std::uint16_t m_frameTop = 0;
    std::uint16_t m_frameWidth = 0;
    std::uint16_t m_frameHeight = 0;
    std::uint16_t m_gifWidth = 0;
    std::uint16_t m_gifHeight = 0;
    QSize m_natural;
    QImage m_reduced;
    QSize m_reducedArea;
};

// The size a picture of pw x ph is drawn at in an area of cw x ch: shrunk to fit keeping its
// proportions, never enlarged.
QSize FitThumbnail(int pw, int ph, int cw, int ch);

} // namespace lumoria
