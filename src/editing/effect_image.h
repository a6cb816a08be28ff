#pragma once
// A picture control that shows a processed copy of its picture: one optional area filter (emboss,
// mosaic, blurs, anti-alias, trace, tiles), an optional noise layer, then a chain of colour effects
// applied pixel by pixel into a 24-bit display bitmap. PictureOriginal is never changed by the effects;
// it is only turned into a 24-bit bitmap when assigned. Every effect setter recomputes the display once.
#include <QString>

#include <memory>

#include "components/picture_control.h"
#include "imaging/effect_filters.h"
#include "imaging/random_source.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/picture.h"
#include "platform/rect.h"

namespace lumoria {

class TEffectImage : public TPictureControl {
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

    int PicBrightness() const { return m_effects.brightness; }
    void SetPicBrightness(int value);
    int PicContrast() const { return m_effects.contrast; }
    void SetPicContrast(int value);
    bool PicGrayScale() const { return m_effects.grayScale; }
    void SetPicGrayScale(bool value);
    int PicLightness() const { return m_effects.lightness; }
    void SetPicLightness(int value);
    int PicDarkness() const { return m_effects.darkness; }
    void SetPicDarkness(int value);
    int PicSaturation() const { return m_effects.saturation; }
    void SetPicSaturation(int value);
    int PicSplitlight() const { return m_effects.splitlight; }
    void SetPicSplitlight(int value);
    bool PicInvert() const { return m_effects.invert; }
    void SetPicInvert(bool value);
    int PicPosterize() const { return m_effects.posterize; }
    void SetPicPosterize(int value);
    int PicSolorize() const { return m_effects.solorize; }
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

    // Every effect back to 0 or off and the display a plain copy of PictureOriginal (no effect pass).
    void ResetEffects();
    // Recomputes the display bitmap from PictureOriginal (or the area filter's result) and repaints.
    void ApplyEffects();

    // The canvas of the display bitmap; an empty display first gets a bitmap of the control's size.
    // InvalidOperation when the display holds something other than a bitmap.
    platform::Canvas& GetCanvas();

    // Where the display is drawn, in control coordinates.
    Rect DestRect() const;
    // Sizes the control to the display when AutoSize is on, works out whether it is opaque, repaints.
    void PictureChanged() override;
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

protected:
    QSize ShownPictureSize() const override
    {
        return QSize(m_displayPicture.Width(), m_displayPicture.Height());
    }
    const platform::Graphic* ShownGraphic() const override { return m_displayPicture.GetGraphic(); }
    Rect DrawnRect() const override { return DestRect(); }
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
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
    ColourEffects m_effects;
    RandomSource m_random;

    int m_colorNoise = 0;
    int m_monoNoise = 0;
    bool m_emboss = false;
    int m_mosaic = 0;
    int m_splitBlur = 0;
    int m_gaussianBlur = 0;
    int m_antiAlias = 0;
    int m_trace = 0;
    int m_tile = 0;
    QString m_pictureEffects;

    bool m_opaque = false;
    bool m_converting = false;
};

// The date stamp of the effect layer: on its displayed picture (the wider box), then a repaint. The next
// effect pass recomputes the display without it.
void AplicarDataNaFotoEfeito(TEffectImage& camada, const QString& texto);

} // namespace lumoria
