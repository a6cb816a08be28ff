#pragma once
// TfrmControlarPaginas: the small modal window of the "Páginas" button. It inserts a new page before
// or after the current one, or deletes the current page; every action closes it, so each opening
// allows one.
#include <QWidget>

class QLabel;

namespace lumoria {

class AlbumDocument;
class TFancyButton;

class TfrmControlarPaginas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLargura = 584;
    static constexpr int kAltura = 235;

    explicit TfrmControlarPaginas(AlbumDocument& documento, QWidget* owner = nullptr);

    // Shows the window modally; returns when it is closed.
    void ShowModal();

    QLabel* lblNumeroDaPagina = nullptr;
    TFancyButton* spdInserirPaginaAntes = nullptr;
    TFancyButton* spdInserirPaginaDepois = nullptr;
    TFancyButton* spdEliminarPagina = nullptr;
    TFancyButton* spdSair = nullptr;

    void spdInserirPaginaAntesClick();
    void spdInserirPaginaDepoisClick();
    void spdEliminarPaginaClick();
    void spdSairClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();

    AlbumDocument& m_documento;
};

} // namespace lumoria
