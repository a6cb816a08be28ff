#pragma once
// Pages built by hand for tests: a sheet of the given size in millimetres with empty frames.
#include "album/album_model.h"

#include <initializer_list>

namespace lumoria::test {

inline TPagina PageWithFrames(int width, int height, std::initializer_list<Rect> frames)
{
    TPagina p;
    p.Right = width;
    p.Bottom = height;
    for (const Rect& r : frames) {
        TFoto f;
        f.Left = r.Left;
        f.Top = r.Top;
        f.Right = r.Right;
        f.Bottom = r.Bottom;
        p.Fotos.push_back(f);
    }
    return p;
}

} // namespace lumoria::test
