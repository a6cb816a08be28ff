#include "app/drag_object.h"

#include <atomic>

#include "platform/graphics/bitmap.h"

namespace lumoria {

namespace {
std::atomic<int> g_vivos{0};
}

TControleArrastado::TControleArrastado(std::unique_ptr<platform::Bitmap> controle) : m_controle(std::move(controle))
{
    ++g_vivos;
}

TControleArrastado::~TControleArrastado() { --g_vivos; }

int TControleArrastado::Vivos() { return g_vivos.load(); }

const QImage& TControleArrastado::GetDragImages()
{
    if (!m_imagens)
        m_imagens = std::make_unique<QImage>();
    *m_imagens = m_controle->Image().convertToFormat(QImage::Format_RGB32);
    return *m_imagens;
}

} // namespace lumoria
