#pragma once
// A holder of one graphic (bitmap, JPEG image, GIF image, icon or metafile), chosen by the file
// extension when loading. The picture owns its graphic.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphic.h"

#include <QString>

#include <memory>

namespace lumoria::platform {

class Picture {
public:
    Picture();
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Null when the picture holds nothing.
    Graphic* GetGraphic() const { return m_graphic.get(); }
    void SetGraphic(std::unique_ptr<Graphic> graphic);
    // Takes a copy of a graphic; null empties the picture.
    void AssignGraphic(const Graphic* graphic);
    // Takes a copy of the other picture's graphic.
    void Assign(const Picture& other);
    // The picture's bitmap; a picture holding anything else first gets a new empty bitmap in its place.
    Bitmap& GetBitmap();
    void Clear();

    int Width() const { return m_graphic ? m_graphic->Width() : 0; }
    int Height() const { return m_graphic ? m_graphic->Height() : 0; }

    // Loads by extension (.jpg .jpeg .jpe .jfif .bmp .dib .gif .ico .wmf .emf, any letter case). On any
    // failure the picture keeps what it held.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;

private:
    std::unique_ptr<Graphic> m_graphic;
};

// A new empty graphic of the kind a file extension names ("jpg", ".JPG"); null for other extensions.
std::unique_ptr<Graphic> NewGraphicForExtension(const QString& extension);

} // namespace lumoria::platform
