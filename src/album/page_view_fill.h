#pragma once
// The page view's drawing without a freeze: the page and its frames are drawn at once, and the photos
// not cached yet are read on worker threads, each decoded once at the smallest scale that still gives
// the cache's reduced copy and the frames' own pixels, and drawn into their frames as they arrive.
#include "album/album_model.h"
#include "platform/graphics/canvas.h"

#include <functional>
#include <memory>

namespace lumoria {

class PreenchimentoDaTela {
public:
    // aoPreencher runs on the GUI thread after each photo has been drawn into its frames.
    explicit PreenchimentoDaTela(std::function<void()> aoPreencher = {});
    ~PreenchimentoDaTela();
    PreenchimentoDaTela(const PreenchimentoDaTela&) = delete;
    PreenchimentoDaTela& operator=(const PreenchimentoDaTela&) = delete;

    // What TPagina::DesenharNaTela draws with placeholders, but for the photos still to be read, which
    // fill their frames later on the same canvas (it must outlive them, or a later Desenhar). A new
    // Desenhar leaves the photos of the earlier one out of the canvas (their copies still go to the
    // cache).
    void Desenhar(TPagina& pagina, platform::Canvas& canvas);
    // Returns once every photo of the last Desenhar is in its frames; the GUI thread goes on painting
    // and running its timers meanwhile, and the operator's input waits.
    void Esperar();
    // The frame was drawn anew: its photo, when it arrives, is not drawn there.
    void Esquecer(int moldura);
    // Whether photos of the last Desenhar are still to arrive.
    bool Pendente() const;

private:
    struct Lote;
    struct Estado;
    void Chegou(const std::shared_ptr<Lote>& lote, std::size_t k);

    std::function<void()> m_aoPreencher;
    std::shared_ptr<Estado> m_estado;
    std::shared_ptr<Lote> m_lote;
};

} // namespace lumoria
