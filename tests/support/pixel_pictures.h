#pragma once
// Small bitmaps for the pixel routines' tests, and a progress bar double that records what a routine
// reports, can abort at a chosen step and, like the editor, gives back the picture after an abort.
#include "imaging/editor_progress.h"
#include "platform/graphics/bitmap.h"

#include <QColor>
#include <QImage>

#include <functional>
#include <vector>

namespace lumoria::test {

// A bitmap of that size and format whose pixel (x, y) is colour(x, y).
inline platform::Bitmap MakeBitmap(int w, int h, const std::function<QColor(int, int)>& colour,
                                   platform::PixelFormat format = platform::PixelFormat::Bits24)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, colour(x, y).rgb());
    platform::Bitmap bitmap;
    bitmap.SetImage(image, format);
    return bitmap;
}

// Every pixel different and busy in all three channels.
inline platform::Bitmap NoisyBitmap(int w, int h, platform::PixelFormat format = platform::PixelFormat::Bits24)
{
    return MakeBitmap(
        w, h, [](int x, int y) { return QColor((x * 37 + y * 11) % 256, (x * 5 + y * 71) % 256, (x * y * 13 + 7) % 256); },
        format);
}

inline QColor PixelOf(const platform::Bitmap& bitmap, int x, int y)
{
    return QColor(bitmap.Image().pixel(x, y));
}

inline bool SamePixels(const platform::Bitmap& a, const platform::Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.Image().pixel(x, y) & 0xFFFFFF) != (b.Image().pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

class RecordingProgress : public EditorProgress {
public:
    // The bitmap the editor would show: copied aside when the bar goes on, given back after an abort.
    platform::Bitmap* visible = nullptr;
    // Sets the abort flag while the bar moves to this position (-1: never).
    int abortAt = -1;

    int lowest = -1, position = -1, highest = -1;
    std::vector<int> steps;
    int onCount = 0, offCount = 0;

    void LigarBarraDeProgresso(int minimo, int posicao, int maximo) override
    {
        lowest = minimo;
        position = posicao;
        highest = maximo;
        ++onCount;
        m_abort = false;
        if (visible)
            m_backup = *visible;
    }
    void AtualizarBarraDeProgresso(int pos) override
    {
        steps.push_back(pos);
        if (pos == abortAt)
            m_abort = true;
    }
    void DesligarBarraDeProgresso() override
    {
        ++offCount;
        if (m_abort && visible)
            *visible = m_backup;
    }
    bool AbortarProcessamento() const override { return m_abort; }

private:
    bool m_abort = false;
    platform::Bitmap m_backup;
};

} // namespace lumoria::test
