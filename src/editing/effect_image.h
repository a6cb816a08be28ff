#pragma once
// A picture control that shows a processed copy of its picture: one optional area filter (emboss,
// mosaic, blurs, anti-alias, trace, tiles), an optional noise layer, then a chain of colour effects
// applied pixel by pixel into a 24-bit display bitmap. PictureOriginal is never changed by the effects;
// it is only turned into a 24-bit bitmap when assigned. Every effect setter recomputes the display once.
#include <QString>
#include <QWidget>

#include <memory>

#include "imaging/random_source.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/picture.h"
#include "platform/rect.h"

namespace lumoria {

struct TileLayout;

class TEffectImage : public QWidget {
    Q_OBJECT
public:
    explicit TEffectImage(QWidget* parent = nullptr);
    ~TEffectImage() override;

    // The unprocessed picture. Each setter takes a copy and runs PictureOriginalChanged; whoever
    // changes the picture through the non-const reference runs PictureOriginalChanged afterwards.
    const platform::Picture& PictureOriginal() const { return m_pictureOriginal; }
    platform::Picture& PictureOriginal() { return m_pictureOriginal; }
    void SetPictureOriginal(const platform::Picture& value);
    // Null empties the picture.
    void SetPictureOriginalGraphic(const platform::Graphic* graphic);
    // Converts the new picture to a 24-bit bitmap, drops the cached layers and applies the effects.
    void PictureOriginalChanged();

    // The displayed picture (a 24-bit bitmap once a picture is set). Drawing on it directly shows
    // until the next effect pass; call update() afterwards.
    const platform::Picture& DisplayPicture() const { return m_displayPicture; }
    platform::Picture& DisplayPicture() { return m_displayPicture; }

    int PicBrightness() const { return m_brightness; }
    void SetPicBrightness(int value);
    int PicContrast() const { return m_contrast; }
    void SetPicContrast(int value);
    bool PicGrayScale() const { return m_grayScale; }
    void SetPicGrayScale(bool value);
    int PicLightness() const { return m_lightness; }
    void SetPicLightness(int value);
    int PicDarkness() const { return m_darkness; }
    void SetPicDarkness(int value);
    int PicSaturation() const { return m_saturation; }
    void SetPicSaturation(int value);
    int PicSplitlight() const { return m_splitlight; }
    void SetPicSplitlight(int value);
    bool PicInvert() const { return m_invert; }
    void SetPicInvert(bool value);
    int PicPosterize() const { return m_posterize; }
    void SetPicPosterize(int value);
    int PicSolorize() const { return m_solorize; }
    void SetPicSolorize(int value);

    // Noise layers (exclusive with each other).
    int PicColorNoise() const { return m_colorNoise; }
    void SetPicColorNoise(int value);
    int PicMonoNoise() const { return m_monoNoise; }
    void SetPicMonoNoise(int value);

    // Area filters: setting one clears the other six.
    bool PicEmboss() const { return m_emboss; }
    void SetPicEmboss(bool value);
    int PicMosaic() const { return m_mosaic; }
    void SetPicMosaic(int value);
    int PicSplitBlur() const { return m_splitBlur; }
    void SetPicSplitBlur(int value);
    int PicGaussianBlur() const { return m_gaussianBlur; }
    void SetPicGaussianBlur(int value);
    int PicAntiAlias() const { return m_antiAlias; }
    void SetPicAntiAlias(int value);
    int PicTrace() const { return m_trace; }
    void SetPicTrace(int value);
    int PicTile() const { return m_tile; }
    void SetPicTile(int value);

    // Kept with the form; no effect.
    const QString& PictureEffects() const { return m_pictureEffects; }
    void SetPictureEffects(const QString& value) { m_pictureEffects = value; }

    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    // Kept for the designs that set it; the display is computed in one step and reports no progress.
    bool IncrementalDisplay() const { return m_incrementalDisplay; }
    void SetIncrementalDisplay(bool value) { m_incrementalDisplay = value; }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);

    // Every effect back to 0 or off and the display a plain copy of PictureOriginal (no effect pass).
    void ResetEffects();
    // Recomputes the display bitmap from PictureOriginal (or the area filter's result) and repaints.
    void ApplyEffects();

    // The canvas of the display bitmap; an empty display first gets a bitmap of the control's size.
    // InvalidOperation when the display holds something other than a bitmap.
    platform::Canvas& GetCanvas();

    // Where the display is drawn, in control coordinates.
    Rect DestRect() const;
    // The size automatic sizing gives the control, by its alignment in the parent.
    bool CanAutoSize(int& newWidth, int& newHeight) const;
    // Whether the control paints every pixel of itself.
    bool Opaque() const { return m_opaque; }

    // The noise layers draw from this generator; tests seed it.
    RandomSource& Random() { return m_random; }

    // The cached layers, for inspection (null when absent).
    const platform::Bitmap* NoiseBitmap() const { return m_noiseBitmap.get(); }
    const platform::Bitmap* FilterBitmap() const { return m_filterBitmap.get(); }

signals:
    void OnMouseEnter();
    void OnMouseExit();
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PictureChanged();
    void ClearAreaFilters();
    void FreeLayers();
    bool HasOriginal() const;
    // Builds the cached layers without applying the effects.
    void BuildNoise();
    // The tiles come from the value given to the setter; a rebuild takes them from the stored value.
    void BuildFilter(const TileLayout* tiles = nullptr);
    void StartFilterFromOriginal();

    platform::Picture m_pictureOriginal;
    platform::Picture m_displayPicture;
    std::unique_ptr<platform::Bitmap> m_noiseBitmap;
    std::unique_ptr<platform::Bitmap> m_filterBitmap;
    RandomSource m_random;

    int m_brightness = 0;
    int m_contrast = 0;
    bool m_grayScale = false;
    int m_lightness = 0;
    int m_darkness = 0;
    int m_saturation = 0;
    int m_splitlight = 0;
    bool m_invert = false;
    int m_colorNoise = 0;
    int m_monoNoise = 0;
    int m_posterize = 0;
    int m_solorize = 0;
    bool m_emboss = false;
    int m_mosaic = 0;
    int m_splitBlur = 0;
    int m_gaussianBlur = 0;
    int m_antiAlias = 0;
    int m_trace = 0;
    int m_tile = 0;
    QString m_pictureEffects;

    bool m_stretch = false;
    bool m_center = false;
    bool m_transparent = false;
    bool m_incrementalDisplay = false;
    bool m_autoSize = false;
    bool m_opaque = false;
    bool m_converting = false;
    bool m_drawing = false;
};

} // namespace lumoria
