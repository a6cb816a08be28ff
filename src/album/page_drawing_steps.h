#pragma once
// The steps that the four page drawings share: the frame's file check, the turn to the frame's
// orientation, the stretch with the fit modes, the placeholder of empty frames, and the reading of
// pictures ahead of the drawing on worker threads.
#include "album/album_model.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/picture.h"

#include <QString>
#include <QSize>

#include <vector>

#include <cstdint>
#include <functional>
#include <memory>

namespace lumoria::desenho {

// The frame's rectangle in millimetres.
inline Rect RetanguloDaMoldura(const TFoto& foto)
{
    return Rect{foto.Left, foto.Top, foto.Right, foto.Bottom};
}

// A frame without width or height (only a job file can hold one) draws nothing.
bool MolduraDegenerada(const TFoto& foto);

// Whether the file's name makes it a JPEG (a GIF) picture, as loading it would take it.
bool EhJpeg(const QString& nome);
bool EhGif(const QString& nome);

// Clears the frame's name when it names no existing file.
void VerificarArquivo(TFoto& foto);

// Whether a picture must turn a quarter to lie like its frame (a square frame counts as upright, a
// square picture never turns).
bool DeveGirar(const TFoto& foto, const platform::Graphic* grafico);
// The same for a picture of that size.
bool DeveGirar(const TFoto& foto, int largura, int altura);

// Paints the rectangle white with a white pen of width 1, as the drawings do before anything else.
void PintarDeBranco(platform::Canvas& canvas, const Rect& r);
// Leaves the canvas's brush and pen as PintarDeBranco does, for pixels painted white without it.
void PrepararPinturaDeBranco(platform::Canvas& canvas);

// Where a picture of pw x ph goes in a frame of fw x fh: the part of the frame it covers (destino,
// from the frame's top-left) and the part of the picture shown there (origem: all of it, but for the
// cut of mode 2). False when nothing is drawn.
bool PlanejarAjuste(std::int64_t fw, std::int64_t fh, std::int64_t pw, std::int64_t ph, std::uint8_t ajuste,
                    Rect& destino, Rect& origem);

// The fit modes 1 (inside, white borders) and 2 (outside, centred cut); the picture becomes a bitmap.
void AjustarFotoNaMoldura(platform::Canvas& canvas, const Rect& r, platform::Picture& figura, std::uint8_t ajuste);

// Stretches the picture into the rectangle and applies the fit mode when it is not 0.
void EstenderEAjustar(platform::Canvas& canvas, const Rect& r, platform::Picture& figura, std::uint8_t ajuste);

// The empty-frame picture of the program's resources (read once).
const platform::Graphic& FotoVazia();

// Draws the empty-frame picture stretched into the rectangle. It is scaled once for each size and the
// scaled copy kept, since a page may hold a great many empty frames of a few sizes.
void DesenharFotoVazia(platform::Canvas& canvas, const Rect& r);
// Scales at once, side by side, the copies of the empty-frame picture that frames of these sizes will
// want and that are not kept yet, so a page of empty frames of several sizes does not wait on each
// in turn.
void PrepararFotoVazia(const std::vector<QSize>& tamanhos);
// How many times the empty-frame picture has been scaled (for the tests).
int EscalasDaFotoVazia();

// Runs f and tells whether it went through; a picture that does not decode, a file that cannot be read
// and a picture too large for the memory (also a plain failed allocation) count as failures, anything
// else is raised on.
bool Tentar(const std::function<void()>& f);

// Reads pictures ahead on worker threads, a batch of as many as there are threads at a time, and
// hands them out in order on the calling thread.
class LeituraAntecipada {
public:
    // preparar(k) makes the graphic of item k (on a worker thread).
    LeituraAntecipada(int quantidade, std::function<std::unique_ptr<platform::Graphic>(int)> preparar);
    ~LeituraAntecipada();
    // The graphic of item k (items are taken in increasing order); null when it failed.
    std::unique_ptr<platform::Graphic> Tomar(int k);

private:
    struct Item;
    int m_quantidade;
    int m_preparados = 0;
    std::function<std::unique_ptr<platform::Graphic>(int)> m_preparar;
    std::vector<std::unique_ptr<Item>> m_itens;
};

} // namespace lumoria::desenho
