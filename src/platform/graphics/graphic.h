#pragma once
// One graphic of a picture: a bitmap, a JPEG image, a GIF image, an icon or a metafile. Each knows its
// size in pixels, can be copied, drawn stretched onto a canvas, and read from and written to bytes.
#include <QByteArray>
#include <QRect>
#include <QString>

#include <memory>

namespace lumoria::platform {

class Canvas;

enum class GraphicKind { Bitmap, Jpeg, Gif, Icon, Metafile };

class Graphic {
public:
    virtual ~Graphic() = default;

    virtual GraphicKind Kind() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // Whether parts of the graphic let the background show through.
    virtual bool Transparent() const { return false; }

    virtual std::unique_ptr<Graphic> Clone() const = 0;
    // Gives a bitmap this graphic's own pixels when the graphic has them (a decoder's output); false
    // when the bitmap should draw the graphic instead.
    virtual bool AssignTo(class Bitmap& target) const { return false; }

    // Draws the whole graphic stretched into dest (right and bottom exclusive).
    virtual void Draw(Canvas& canvas, const QRect& dest) const = 0;

    // Replaces the graphic by the one these bytes hold; raises InvalidPicture when they hold none.
    virtual void LoadFromData(const QByteArray& data) = 0;
    // The bytes of the graphic in its own file format.
    virtual QByteArray SaveToData() const = 0;

    // Files: a missing file raises FileNotFound, one that cannot be read or written FileError.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;
};

// The whole contents of a file (FileNotFound, FileError), and writing a whole file (FileError).
QByteArray ReadWholeFile(const QString& path);
// The first bytes of a file, at most count (fewer when the file is shorter); failures as above.
QByteArray ReadFileStart(const QString& path, qint64 count);
void WriteWholeFile(const QString& path, const QByteArray& data);

} // namespace lumoria::platform
