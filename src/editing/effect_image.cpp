#include "editing/effect_image.h"


#include <algorithm>

#include "imaging/date_stamp.h"
#include "imaging/effect_filters.h"
#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"

namespace lumoria {

using platform::Bitmap;
using platform::GraphicKind;
using platform::PixelFormat;

namespace {

const Bitmap* BitmapOf(const platform::Picture& picture)
{
    const platform::Graphic* graphic = picture.GetGraphic();
    return graphic && graphic->Kind() == GraphicKind::Bitmap ? static_cast<const Bitmap*>(graphic) : nullptr;
}

} // namespace

TEffectImage::TEffectImage(QWidget* parent) : TPictureControl(parent) {}

TEffectImage::~TEffectImage() = default;

// ---- the picture -------------------------------------------------------------------------------

void TEffectImage::SetPictureOriginal(const platform::Picture& value)
{
    if (&value != &m_pictureOriginal)
        m_pictureOriginal.Assign(value);
    PictureOriginalChanged();
}

void TEffectImage::SetPictureOriginalGraphic(const platform::Graphic* graphic)
{
    m_pictureOriginal.AssignGraphic(graphic);
    PictureOriginalChanged();
}

bool TEffectImage::HasOriginal() const
{
    return m_pictureOriginal.GetGraphic() != nullptr;
}

void TEffectImage::PictureOriginalChanged()
{
    if (m_converting)
        return;
    platform::Graphic* graphic = m_pictureOriginal.GetGraphic();
    if (!graphic) {
        m_displayPicture.Clear();
        FreeLayers();
        PictureChanged();
        return;
    }
    if (graphic->Kind() == GraphicKind::Bitmap) {
        static_cast<Bitmap*>(graphic)->SetPixelFormat(PixelFormat::Bits24);
        m_displayPicture.Assign(m_pictureOriginal);
    } else {
        // Any other graphic is drawn once into a 24-bit bitmap, which then replaces it.
        m_converting = true;
        try {
            auto converted = std::make_unique<Bitmap>();
            converted->Assign(*graphic);
            converted->SetPixelFormat(PixelFormat::Bits24);
            m_displayPicture.AssignGraphic(converted.get());
            m_pictureOriginal.SetGraphic(std::move(converted));
        } catch (...) {
            m_converting = false;
            throw;
        }
        m_converting = false;
    }
    FreeLayers();
    PictureChanged();
    ApplyEffects();
}

void TEffectImage::FreeLayers()
{
    m_noiseBitmap.reset();
    m_filterBitmap.reset();
}

// ---- the effect pass ---------------------------------------------------------------------------

void TEffectImage::ApplyEffects()
{
    const Bitmap* original = BitmapOf(m_pictureOriginal);
    if (!original || !BitmapOf(m_displayPicture))
        return;
    if ((m_colorNoise > 0 || m_monoNoise > 0) && !m_noiseBitmap)
        BuildNoise();
    bool filtered = m_emboss || m_mosaic > 0 || m_splitBlur > 0 || m_gaussianBlur > 0 || m_antiAlias > 0
        || m_trace > 0 || m_tile > 0;
    if (filtered && !m_filterBitmap) {
        // Rebuilt as its setter builds it, which limits the value to the new picture first.
        const int w = m_pictureOriginal.Width();
        const int h = m_pictureOriginal.Height();
        if (m_mosaic > 0)
            m_mosaic = std::min(m_mosaic, std::max(h, w));
        if (m_tile > 0) {
            const TileLayout layout = TileLayoutFor(m_tile, w, h);
            m_tile = layout.value;
            BuildFilter(&layout);
        } else {
            BuildFilter();
        }
    }
    filtered = filtered && m_filterBitmap;
    const Bitmap& source = filtered ? *m_filterBitmap : *original;

    ApplyColourEffects(source, m_noiseBitmap.get(), m_effects, m_displayPicture.GetBitmap());
    update();
}

void TEffectImage::ResetEffects()
{
    m_effects = ColourEffects();
    m_colorNoise = m_monoNoise = 0;
    ClearAreaFilters();
    FreeLayers();
    m_displayPicture.Assign(m_pictureOriginal);
    PictureChanged();
}

// ---- colour effects ----------------------------------------------------------------------------

void TEffectImage::SetPicBrightness(int value)
{
    m_effects.brightness = std::clamp(value, -255, 255);
    ApplyEffects();
}

void TEffectImage::SetPicContrast(int value)
{
    m_effects.contrast = std::max(value, -255);
    ApplyEffects();
}

void TEffectImage::SetPicGrayScale(bool value)
{
    m_effects.grayScale = value;
    ApplyEffects();
}

void TEffectImage::SetPicLightness(int value)
{
    m_effects.lightness = std::min(value, 255);
    ApplyEffects();
}

void TEffectImage::SetPicDarkness(int value)
{
    m_effects.darkness = std::min(value, 255);
    ApplyEffects();
}

void TEffectImage::SetPicSaturation(int value)
{
    m_effects.saturation = std::max(value, -255);
    ApplyEffects();
}

void TEffectImage::SetPicSplitlight(int value)
{
    m_effects.splitlight = std::clamp(value, 0, 10);
    ApplyEffects();
}

void TEffectImage::SetPicInvert(bool value)
{
    m_effects.invert = value;
    ApplyEffects();
}

void TEffectImage::SetPicPosterize(int value)
{
    m_effects.posterize = std::max(value, 0);
    m_effects.solorize = 0;
    ApplyEffects();
}

void TEffectImage::SetPicSolorize(int value)
{
    m_effects.solorize = std::clamp(value, 0, 255);
    m_effects.posterize = 0;
    ApplyEffects();
}

// ---- noise layers ------------------------------------------------------------------------------

void TEffectImage::BuildNoise()
{
    m_noiseBitmap.reset();
    const int amount = m_colorNoise > 0 ? m_colorNoise : m_monoNoise;
    if (amount < 1 || !HasOriginal())
        return;
    const int w = m_pictureOriginal.Width();
    const int h = m_pictureOriginal.Height();
    m_noiseBitmap = std::make_unique<Bitmap>(m_colorNoise > 0 ? ColorNoiseLayer(w, h, amount, m_random)
                                                              : MonoNoiseLayer(w, h, amount, m_random));
}

void TEffectImage::SetPicColorNoise(int value)
{
    m_colorNoise = std::max(value, 0);
    m_monoNoise = 0;
    BuildNoise();
    ApplyEffects();
}

void TEffectImage::SetPicMonoNoise(int value)
{
    m_monoNoise = std::max(value, 0);
    m_colorNoise = 0;
    BuildNoise();
    ApplyEffects();
}

// ---- area filters ------------------------------------------------------------------------------

void TEffectImage::ClearAreaFilters()
{
    m_emboss = false;
    m_mosaic = m_splitBlur = m_gaussianBlur = m_antiAlias = m_trace = m_tile = 0;
}

void TEffectImage::StartFilterFromOriginal()
{
    if (!m_filterBitmap)
        m_filterBitmap = std::make_unique<Bitmap>();
    m_filterBitmap->Assign(*m_pictureOriginal.GetGraphic());
    m_filterBitmap->SetPixelFormat(PixelFormat::Bits24);
}

// The result of whichever area filter is set, always from PictureOriginal; absent when none is set.
void TEffectImage::BuildFilter(const TileLayout* tiles)
{
    const bool set = m_emboss || m_mosaic > 0 || m_splitBlur > 0 || m_gaussianBlur > 0 || m_antiAlias > 0
        || m_trace > 0 || m_tile > 0;
    if (!set || !HasOriginal()) {
        m_filterBitmap.reset();
        return;
    }
    StartFilterFromOriginal();
    Bitmap& bitmap = *m_filterBitmap;
    if (m_emboss) {
        EmbossBitmap(bitmap);
    } else if (m_mosaic > 0) {
        MosaicBitmap(bitmap, m_mosaic);
    } else if (m_splitBlur > 0) {
        SplitBlurBitmap(bitmap, m_splitBlur);
    } else if (m_gaussianBlur > 0) {
        for (int i = 0; i <= m_gaussianBlur; ++i)
            SplitBlurBitmap(bitmap, 3);
    } else if (m_antiAlias > 0) {
        for (int i = 0; i < m_antiAlias; ++i)
            AntiAliasBitmap(bitmap, 0, 0, bitmap.Width(), bitmap.Height());
    } else if (m_trace > 0) {
        TraceBitmap(bitmap, m_trace);
    } else {
        const TileLayout layout = tiles ? *tiles : TileLayoutFor(m_tile, bitmap.Width(), bitmap.Height());
        const Bitmap original = bitmap; // the tiles are the copy of the original, resampled
        TileBitmap(original, bitmap, layout.tileWidth, layout.tileHeight);
    }
}

void TEffectImage::SetPicEmboss(bool value)
{
    ClearAreaFilters();
    m_emboss = value;
    BuildFilter();
    ApplyEffects();
}

void TEffectImage::SetPicMosaic(int value)
{
    ClearAreaFilters();
    if (value < 0)
        value = 0;
    else if (HasOriginal())
        value = std::min(value, std::max(m_pictureOriginal.Height(), m_pictureOriginal.Width()));
    m_mosaic = value;
    BuildFilter();
    ApplyEffects();
}

void TEffectImage::SetPicSplitBlur(int value)
{
    ClearAreaFilters();
    m_splitBlur = std::clamp(value, 0, 255);
    BuildFilter();
    ApplyEffects();
}

void TEffectImage::SetPicGaussianBlur(int value)
{
    ClearAreaFilters();
    m_gaussianBlur = std::clamp(value, 0, 50);
    BuildFilter();
    ApplyEffects();
}

void TEffectImage::SetPicAntiAlias(int value)
{
    ClearAreaFilters();
    m_antiAlias = std::clamp(value, 0, 50);
    BuildFilter();
    ApplyEffects();
}

void TEffectImage::SetPicTrace(int value)
{
    ClearAreaFilters();
    m_trace = std::clamp(value, 0, 10);
    BuildFilter();
    ApplyEffects();
}

void TEffectImage::SetPicTile(int value)
{
    ClearAreaFilters();
    const TileLayout layout = TileLayoutFor(value, m_pictureOriginal.Width(), m_pictureOriginal.Height());
    m_tile = layout.value;
    BuildFilter(&layout);
    ApplyEffects();
}

// ---- display -----------------------------------------------------------------------------------

Rect TEffectImage::DestRect() const
{
    const int w = m_displayPicture.Width();
    const int h = m_displayPicture.Height();
    if (m_stretch)
        return Rect{0, 0, width(), height()};
    if (m_center) {
        const int left = Div(width() - w, 2);
        const int top = Div(height() - h, 2);
        return Rect{left, top, left + w, top + h};
    }
    return Rect{0, 0, w, h};
}

void TEffectImage::PictureChanged()
{
    const int w = m_displayPicture.Width();
    const int h = m_displayPicture.Height();
    if (m_autoSize && w > 0 && h > 0)
        setGeometry(x(), y(), w, h);
    const platform::Graphic* graphic = m_displayPicture.GetGraphic();
    bool transparent = false;
    if (graphic) {
        transparent = graphic->Kind() == GraphicKind::Metafile || graphic->Kind() == GraphicKind::Icon
            ? graphic->Transparent()
            : m_transparent;
    }
    m_opaque = graphic && !transparent && (m_stretch || (w >= width() && h >= height()));
    setAttribute(Qt::WA_OpaquePaintEvent, m_opaque);
    if (!m_drawing)
        update();
}

platform::Canvas& TEffectImage::GetCanvas()
{
    if (!m_displayPicture.GetGraphic())
        m_displayPicture.SetGraphic(std::make_unique<Bitmap>(width(), height()));
    platform::Graphic* graphic = m_displayPicture.GetGraphic();
    if (graphic->Kind() != GraphicKind::Bitmap)
        throw Failure("Can only modify an image if it contains a bitmap");
    return static_cast<Bitmap*>(graphic)->GetCanvas();
}

void TEffectImage::enterEvent(QEnterEvent*)
{
    emit OnMouseEnter();
}

void TEffectImage::leaveEvent(QEvent*)
{
    emit OnMouseExit();
}

void AplicarDataNaFotoEfeito(TEffectImage& camada, const QString& texto)
{
    AplicarDataNaFotoEfeito(camada.DisplayPicture(), texto);
    camada.update();
}

} // namespace lumoria
