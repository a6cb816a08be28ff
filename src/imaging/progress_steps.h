#pragma once
// The outer loop of the editor's long pixel routines: after each outer step (a row or a column) the
// abort flag ends the loop, otherwise the bar moves to the step's index.
#include "imaging/editor_progress.h"
#include "platform/graphics/bitmap.h"

#include <functional>

namespace lumoria::steps {

// False when the abort flag is set (the loop ends there); otherwise the bar moves to index.
inline bool Done(EditorProgress& progress, int index)
{
    if (progress.AbortarProcessamento())
        return false;
    progress.AtualizarBarraDeProgresso(index);
    return true;
}

enum class Outer { Rows, Columns };

// For routines whose pixels do not depend on each other: runs work(x0, x1, y0, y1) in place on parts
// of the area (0, 0)-(width, height) of the bitmap, a band of outer steps at a time spread over the
// pixel threads, then reports the band's steps in order. After an abort the steps of the band beyond
// the aborted one get their pixels back, so the bitmap ends as the step-by-step loop leaves it.
// Returns false after an abort. The bitmap must be 24-bit or 32-bit.
bool RunIndependentSteps(platform::Bitmap& bitmap, int width, int height, Outer outer, EditorProgress& progress,
                         const std::function<void(int x0, int x1, int y0, int y1)>& work);

} // namespace lumoria::steps
