#pragma once
// The undo stack of photo placements: the frame as it was before each change, newest first, at most
// 150 records. A record names its page by the page's lasting identity, so pages inserted or removed
// around it never send a record to another page.
#include <QString>

#include <array>
#include <cstdint>

namespace lumoria {

class TAlbum;

struct RegistroDeDesfazer {
    std::int32_t Moldura = -1; // -1: an empty record
    std::uint8_t Ajuste = 0;
    QString NomeDoArquivo;
    std::uint64_t Pagina = 0; // the page's identity (TPagina::Identidade)
};

// What popping a record did: the frame restored and the index of its page, or frame -1 when no
// record with its page and frame still there was left.
struct DesfazerAplicado {
    std::int32_t moldura = -1;
    int pagina = -1;
};

class UndoStack {
public:
    static constexpr int kTamanho = 150;

    // Pushes the frame j of page pagina of the album as it is now; the oldest record falls off.
    void EmpilharDesfazer(const TAlbum& album, int pagina, std::int32_t j);
    // Restores the newest record that still has its page and frame into the album; records whose
    // page or frame is gone are dropped on the way.
    DesfazerAplicado DesempilharDesfazer(TAlbum& album);
    void ZerarBackups() { m_registros.fill(RegistroDeDesfazer{}); }
    const std::array<RegistroDeDesfazer, kTamanho>& Backups() const { return m_registros; }

private:
    std::array<RegistroDeDesfazer, kTamanho> m_registros;
};

} // namespace lumoria
