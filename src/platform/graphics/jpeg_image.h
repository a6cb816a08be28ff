#pragma once
// JPEG pictures through libjpeg (API 62). A JPEG image keeps the file's bytes and decodes on demand:
// at full size in the decoder's format (24-bit blue-green-red, 8-bit grey) when a bitmap takes a copy,
// and at the smallest DCT scale that still covers the target when it is drawn smaller than itself.
// A JPEG image is upright as its Exif orientation says: its size, its pixels and its drawing.
// Every libjpeg error, and a file cut short, raises InvalidPicture.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/image_rotation.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

namespace lumoria::platform {

struct JpegInfo {
    int width = 0;  // as the pixels are stored
    int height = 0;
    bool grayscale = false;
    bool progressive = false;
    int orientation = 1; // the Exif orientation tag, 1 to 8

    // What turns the stored pixels upright, and the size they then have.
    Orientation Upright() const { return Orientation::FromExif(orientation); }
    QSize UprightSize() const { return Upright().Apply(QSize(width, height)); }
};

// The header of a JPEG stream.
JpegInfo ReadJpegInfo(const QByteArray& data);

enum class JpegOutput {
    Native, // 24-bit blue-green-red, or 8-bit grey for a grey picture (Bits24 / Bits8)
    Rgb32,  // 32-bit for drawing
};

// Decodes at scale eighths/8 (1..8), as the pixels are stored.
QImage DecodeJpeg(const QByteArray& data, JpegOutput output, int eighths = 8);
// Compresses with a quality from 1 to 100.
QByteArray EncodeJpeg(const QImage& image, int quality);

// Decodes a JPEG file a row at a time, reading the file as it goes, so that neither the file nor the
// whole picture is held (for pictures scaled on the way). A missing or unreadable file raises
// FileNotFound or FileError, anything but a JPEG stream InvalidPicture.
class JpegRowReader {
public:
    explicit JpegRowReader(const QString& path);
    ~JpegRowReader();
    JpegRowReader(const JpegRowReader&) = delete;
    JpegRowReader& operator=(const JpegRowReader&) = delete;

    const JpegInfo& Info() const;
    // Starts the decode at eighths/8 of the size (1..8) and returns the size of the rows to come,
    // which are 24-bit blue, green, red, as the pixels are stored (Info().Upright() turns them).
    QSize Start(int eighths);
    // After Start and before the first row: decodes only the part of the rows (at the scale Start
    // gave) that holds `wanted`, plus about one block around it so that its edge pixels come out as
    // in a full decode. Returns the part: the rows then hold its columns only, NextRowIndex starts at
    // its top and the rows end after its bottom.
    QRect Crop(const QRect& wanted);
    // The next row (valid until the next call), or null after the last.
    const uchar* NextRow();
    // The next row written into `into` (as wide as the rows Start or Crop gave), or false after the last.
    bool ReadRow(uchar* into);
    // The number of the row that NextRow gives next.
    int NextRowIndex() const;

private:
    struct State;
    std::unique_ptr<State> m;
};

class JpegImage final : public Graphic {
public:
    JpegImage();
    JpegImage(const JpegImage& other);
    JpegImage& operator=(const JpegImage& other);
    ~JpegImage() override;

    GraphicKind Kind() const override { return GraphicKind::Jpeg; }
    int Width() const override { return m_upright.transpose ? m_info.height : m_info.width; }
    int Height() const override { return m_upright.transpose ? m_info.width : m_info.height; }
    bool Grayscale() const { return m_info.grayscale; }
    bool Progressive() const { return m_info.progressive; }
    std::unique_ptr<Graphic> Clone() const override;
    void Draw(Canvas& canvas, const QRect& dest) const override;
    bool AssignTo(Bitmap& target) const override;

    void LoadFromData(const QByteArray& data) override;
    QByteArray SaveToData() const override { return m_data; }

    // Lays the pixels as this Exif orientation tag says instead of the bytes' own (for a camera's
    // embedded thumbnail, stored the way its photo is).
    void SetOrientation(int exifTag);

    // Quality used when a bitmap is assigned (90 unless set).
    int CompressionQuality() const { return m_quality; }
    void SetCompressionQuality(int quality);
    // Compresses a copy of the graphic (a bitmap's pixels, or any graphic drawn on white).
    void Assign(const Graphic& source);

    // Decodes now what drawing into a target of that size will need, so that a worker thread can do
    // it ahead of the drawing (an empty size means full size).
    void Predecode(QSize target = QSize()) const;

    // The smallest eighths scale whose output covers the target, upright (8 for an empty target).
    int ScaleFor(QSize target) const;

private:
    QImage DecodedFor(int eighths, bool native) const;

    QByteArray m_data;
    JpegInfo m_info;
    Orientation m_upright;
    int m_quality = 90;
    // The last decode (copies share it).
    mutable QImage m_decoded;
    mutable int m_decodedEighths = 0;
    mutable bool m_decodedNative = false;
};

} // namespace lumoria::platform
