#include "app/page_control_window.h"

#include <QLabel>

#include "album/album_document.h"
#include "common/custom_cursors.h"
#include "components/fancy_button.h"
#include "platform/numeric.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_centre.h"

namespace lumoria {

using namespace platform;

namespace {

constexpr int kBorda = 4;
constexpr int kLarguraDosBotoes = 500;
constexpr int kAlturaDosBotoes = 30;
constexpr int kAlturaDoPainelInferior = 54;

TFancyButton* NovoBotao(QWidget* pai, const QString& texto, int topo)
{
    auto* b = new TFancyButton(pai);
    ApplyCommandButtonLook(*b);
    b->SetCaption(texto);
    b->setGeometry(Div(TfrmControlarPaginas::kLargura - kLarguraDosBotoes, 2), topo, kLarguraDosBotoes,
                   kAlturaDosBotoes);
    return b;
}

} // namespace

TfrmControlarPaginas::TfrmControlarPaginas(AlbumDocument& documento, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_documento(documento)
{
    setWindowTitle(QStringLiteral("Controle de Páginas"));
    setFixedSize(kLargura, kAltura);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(cl3DDkShadow));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);
    QFont fonte(QStringLiteral("Verdana"));
    fonte.setPixelSize(16);
    fonte.setBold(true);
    setFont(fonte);

    lblNumeroDaPagina = new QLabel(this);
    lblNumeroDaPagina->setAlignment(Qt::AlignCenter);
    lblNumeroDaPagina->setGeometry(Div(kLargura - kLarguraDosBotoes, 2), kBorda + 8, kLarguraDosBotoes, 24);
    spdInserirPaginaAntes = NovoBotao(this, QStringLiteral("Inserir Uma Nova Página Antes Da Atual"), 48);
    spdInserirPaginaDepois = NovoBotao(this, QStringLiteral("Inserir Uma Nova Página Depois Da Atual"), 88);
    spdEliminarPagina = NovoBotao(this, QStringLiteral("Eliminar a Página Atual"), 128);

    auto* inferior = new Panel(this);
    inferior->setColor(cl3DDkShadow);
    inferior->setParentBackground(false);
    inferior->setGeometry(kBorda, kAltura - kBorda - kAlturaDoPainelInferior, kLargura - 2 * kBorda,
                          kAlturaDoPainelInferior);
    spdSair = new TFancyButton(inferior);
    ApplyCommandButtonLook(*spdSair);
    spdSair->SetCaption(QStringLiteral("Sair"));
    spdSair->move(Div(inferior->width() - spdSair->width(), 2), Div(kAlturaDoPainelInferior - spdSair->height(), 2));

    connectGuarded(spdInserirPaginaAntes, &TFancyButton::OnClick, this, [this] { spdInserirPaginaAntesClick(); });
    connectGuarded(spdInserirPaginaDepois, &TFancyButton::OnClick, this, [this] { spdInserirPaginaDepoisClick(); });
    connectGuarded(spdEliminarPagina, &TFancyButton::OnClick, this, [this] { spdEliminarPaginaClick(); });
    connectGuarded(spdSair, &TFancyButton::OnClick, this, [this] { spdSairClick(); });
    runGuarded([this] { FormCreate(); });
}

void TfrmControlarPaginas::FormCreate()
{
    AplicarCursoresNosControles(this);
    const int n = m_documento.Album().pageCount();
    lblNumeroDaPagina->setText(QStringLiteral("Página Atual: ") + QString::number(m_documento.currentPageIndex() + 1) +
                               QStringLiteral(" de ") + QString::number(n));
    spdEliminarPagina->setEnabled(n > 1);
}

void TfrmControlarPaginas::ShowModal() { runModal(this); }

void TfrmControlarPaginas::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centreOnScreen(this);
}

void TfrmControlarPaginas::spdInserirPaginaAntesClick()
{
    m_documento.Album().InserirPaginaAntes(m_documento.currentPageIndex());
    close();
}

void TfrmControlarPaginas::spdInserirPaginaDepoisClick()
{
    m_documento.Album().InserirPaginaDepois(m_documento.currentPageIndex());
    close();
}

void TfrmControlarPaginas::spdEliminarPaginaClick()
{
    m_documento.Album().EliminarPagina(m_documento.currentPageIndex());
    close();
}

void TfrmControlarPaginas::spdSairClick() { close(); }

} // namespace lumoria
