#include "editing/effect_image.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "imaging/effect_filters.h"
#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"
#include "platform/ui/align_layout.h"

namespace lumoria {

using platform::Bitmap;
using platform::GraphicKind;
using platform::PixelFormat;

namespace {

platform::Align AlignInParent(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return platform::Align::None;
    if (const auto* layout = qobject_cast<const platform::AlignLayout*>(parent->layout()))
        return layout->alignOf(control);
    return platform::Align::None;
}

const Bitmap* BitmapOf(const platform::Picture& picture)
{
    const platform::Graphic* graphic = picture.GetGraphic();
    return graphic && graphic->Kind() == GraphicKind::Bitmap ? static_cast<const Bitmap*>(graphic) : nullptr;
}

} // namespace

TEffectImage::TEffectImage(QWidget* parent) : QWidget(parent)
{
    resize(105, 105);
}

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
    const bool filtered = m_emboss || m_mosaic > 0 || m_splitBlur > 0 || m_gaussianBlur > 0 || m_antiAlias > 0
        || m_trace > 0 || m_tile > 0;
    if (filtered && !m_filterBitmap)
        BuildFilter();
    const Bitmap& source = filtered && m_filterBitmap ? *m_filterBitmap : *original;

    ColourEffects effects;
    effects.posterize = m_posterize;
    effects.solorize = m_solorize;
    effects.contrast = m_contrast;
    effects.lightness = m_lightness;
    effects.darkness = m_darkness;
    effects.brightness = m_brightness;
    effects.splitlight = m_splitlight;
    effects.grayScale = m_grayScale;
    effects.saturation = m_saturation;
    effects.invert = m_invert;
    ApplyColourEffects(source, m_noiseBitmap.get(), effects, m_displayPicture.GetBitmap());
    update();
}

void TEffectImage::ResetEffects()
{
    m_brightness = m_contrast = m_lightness = m_darkness = m_saturation = m_splitlight = 0;
    m_grayScale = m_invert = false;
    m_colorNoise = m_monoNoise = m_posterize = m_solorize = 0;
    ClearAreaFilters();
    FreeLayers();
    m_displayPicture.Assign(m_pictureOriginal);
    PictureChanged();
}

// ---- colour effects ----------------------------------------------------------------------------

void TEffectImage::SetPicBrightness(int value)
{
    m_brightness = std::clamp(value, -255, 255);
    ApplyEffects();
}

void TEffectImage::SetPicContrast(int value)
{
    m_contrast = std::max(value, -255);
    ApplyEffects();
}

void TEffectImage::SetPicGrayScale(bool value)
{
    m_grayScale = value;
    ApplyEffects();
}

void TEffectImage::SetPicLightness(int value)
{
    m_lightness = std::min(value, 255);
    ApplyEffects();
}

void TEffectImage::SetPicDarkness(int value)
{
    m_darkness = std::min(value, 255);
    ApplyEffects();
}

void TEffectImage::SetPicSaturation(int value)
{
    m_saturation = std::max(value, -255);
    ApplyEffects();
}

void TEffectImage::SetPicSplitlight(int value)
{
    m_splitlight = std::clamp(value, 0, 10);
    ApplyEffects();
}

void TEffectImage::SetPicInvert(bool value)
{
    m_invert = value;
    ApplyEffects();
}

void TEffectImage::SetPicPosterize(int value)
{
    m_posterize = std::max(value, 0);
    m_solorize = 0;
    ApplyEffects();
}

void TEffectImage::SetPicSolorize(int value)
{
    m_solorize = std::clamp(value, 0, 255);
    m_posterize = 0;
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
        TileBitmap(BitmapOf(m_pictureOriginal) ? *BitmapOf(m_pictureOriginal) : bitmap, bitmap, layout.tileWidth,
                   layout.tileHeight);
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

void TEffectImage::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    PictureChanged();
}

void TEffectImage::SetCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    PictureChanged();
}

void TEffectImage::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    PictureChanged();
}

void TEffectImage::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    if (m_autoSize) {
        int w = width();
        int h = height();
        if (CanAutoSize(w, h))
            resize(w, h);
    }
}

bool TEffectImage::CanAutoSize(int& newWidth, int& newHeight) const
{
    const platform::Align align = AlignInParent(this);
    if (align == platform::Align::None || align == platform::Align::Left || align == platform::Align::Right)
        newWidth = m_displayPicture.Width();
    if (align == platform::Align::None || align == platform::Align::Top || align == platform::Align::Bottom)
        newHeight = m_displayPicture.Height();
    return true;
}

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

void TEffectImage::paintEvent(QPaintEvent*)
{
    const platform::Graphic* graphic = m_displayPicture.GetGraphic();
    if (!graphic)
        return;
    const bool wasDrawing = m_drawing;
    m_drawing = true;
    QPainter painter(this);
    platform::Canvas canvas(painter, fromQRect(rect()));
    const Rect dest = DestRect();
    if (m_transparent && graphic->Kind() == GraphicKind::Bitmap && !graphic->Empty()) {
        // The bitmap's transparent colour is that of its bottom-left pixel.
        QImage image = static_cast<const Bitmap*>(graphic)->Image().convertToFormat(QImage::Format_ARGB32);
        const QRgb clear = image.pixel(0, image.height() - 1) & RGB_MASK;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & RGB_MASK) == clear)
                    line[x] = 0;
        }
        canvas.DrawImage(dest, image.convertToFormat(QImage::Format_ARGB32_Premultiplied), image.rect());
    } else {
        canvas.StretchDraw(dest, *graphic);
    }
    m_drawing = wasDrawing;
}

void TEffectImage::enterEvent(QEnterEvent*)
{
    emit OnMouseEnter();
}

void TEffectImage::leaveEvent(QEvent*)
{
    emit OnMouseExit();
}

void TEffectImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TEffectImage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(event->modifiers(), at.x(), at.y());
}

void TEffectImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton && rect().contains(at))
        emit OnClick();
}

void TEffectImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    emit OnDblClick();
}

} // namespace lumoria
