#pragma once
// The photo analyser: for the photo of one frame it shows the picture, its size, the print size,
// both proportions, the fit mode, the print resolution and a verdict on the print's quality. A
// button opens the reference table. It reads the frame from the document.
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>

class QLabel;
class QTextEdit;

namespace lumoria {

namespace platform {
class Panel;
class StretchedPicture;
} // namespace platform

class AlbumDocument;
class TFancyButton;

class TfrmAnalisarFotos : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLarguraDoCliente = 574;
    static constexpr int kAlturaDoCliente = 435;
    static constexpr int kBorda = 8;
    static constexpr int kLadoDoPainel = 210;

    explicit TfrmAnalisarFotos(AlbumDocument& documento, QWidget* owner = nullptr);

    // Fills the window for the photo file in that frame of that page; called before it shows. A
    // file that does not exist leaves the window as designed. A file that is not a readable picture,
    // a picture or a frame without area, or a frame not on the page leave it unfilled with a short
    // message in the memo.
    void SetarArquivoEMolduraDaFoto(const QString& arquivo, int pagina, int moldura);

    // Shows the window modally; returns when it is closed.
    void ShowModal();

    // The memo's lines as they were added.
    QStringList Linhas() const { return m_linhas; }

    platform::Panel* pnlImagem = nullptr;
    platform::StretchedPicture* imgImagem = nullptr;
    QLabel* lblNomeDoArquivo = nullptr;
    QTextEdit* memArquivo = nullptr;
    TFancyButton* spdTabela = nullptr;
    TFancyButton* spdSair = nullptr;

    void spdTabelaClick();
    void spdSairClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Loads the picture and fits it into the panel; raises when it cannot be read or has no area.
    void DimensionarImagemNoPainel(const QString& arquivo);
    void MostrarLinhas(const QStringList& linhas);
    void InformarQueNaoFoiPossivel(const QString& motivo);

    AlbumDocument& m_documento;
    QStringList m_linhas;
};

} // namespace lumoria
