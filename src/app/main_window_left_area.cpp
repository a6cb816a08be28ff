// The left area: the folder list and its back button, the thumbnails of the folder with their footer
// and menu, the drag of a thumbnail onto the page, and the insertion of many photos across pages.
#include "app/main_window.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>

#include "album/geometry.h"
#include "album/image_cache.h"
#include "app/drag_object.h"
#include "common/general_routines.h"
#include "common/message_box.h"
#include "common/small_dialogs.h"
#include "components/fancy_button.h"
#include "components/thumbnail_list.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/parallel.h"
#include "platform/numeric.h"
#include "platform/shell/folder_listing.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/owner_drawn_menu.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/shell_list_view.h"

namespace lumoria {

using namespace platform;

namespace {

const QStringList kMascarasDeFotos = {QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                                      QStringLiteral("*.emf"), QStringLiteral("*.wmf"), QStringLiteral("*.gif"),
                                      QStringLiteral("*.ico")};

QString ComBarraNoFim(const QString& pasta)
{
    return pasta.endsWith(QLatin1Char('/')) ? pasta : pasta + QLatin1Char('/');
}

} // namespace

void TfrmPrincipal::CriarMenuDaMiniatura()
{
    mnmMenuFotoNaMiniatura = new OwnerDrawnMenu(this);
    mnmMenuFotoNaMiniatura->setMeasureHandler(
        [this](QAction* item, int& w, int& h) { DesenharItemDeMenuOnMeasure(item, w, h); });
    mnmMenuFotoNaMiniatura->setDrawHandler([this](QAction* item, Canvas& canvas, const Rect& r, bool selected) {
        DesenharItemDeMenuOnDraw(item, canvas, r, selected);
    });
    OwnerDrawnMenu* m = mnmMenuFotoNaMiniatura;
    mniInserirTodasSelecionadas = m->addAction(QStringLiteral("Inserir Fotos Selecionadas"));
    mniN0201 = m->addSeparator();
    mniSelecionarTodasMiniaturas = m->addAction(QStringLiteral("Selecionar Todas As Fotos"));
    mniSelecionarNenhumaMiniatura = m->addAction(QStringLiteral("Selecionar Nenhuma Das Fotos"));
    mniN0202 = m->addSeparator();
    MenuItem8 = m->addAction(QStringLiteral("Não Fazer Nada"));
}

void TfrmPrincipal::LigarEventosDaAreaDasImagens()
{
    connectGuarded(sheImagens, &QAbstractItemView::clicked, this, [this] { sheImagensClick(); });
    connectGuarded(btnVoltarDiretorio, &TFancyButton::OnClick, this, [this] { btnVoltarDiretorioClick(); });
    connectGuarded(thuImagens, &TThumbnailList::OnMouseDown, this,
                   [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) { thuImagensMouseDown(b, x, y); });
    connectGuarded(thuImagens, &TThumbnailList::OnDblClick, this, [this] { thuImagensDblClick(); });
    connectGuarded(mnmMenuFotoNaMiniatura, &QMenu::aboutToShow, this, [this] { mnmMenuFotoNaMiniaturaPopup(); });
    connectGuarded(mniInserirTodasSelecionadas, &QAction::triggered, this, [this] { mniInserirTodasSelecionadasClick(); });
    connectGuarded(mniSelecionarTodasMiniaturas, &QAction::triggered, this, [this] { mniSelecionarTodasMiniaturasClick(); });
    connectGuarded(mniSelecionarNenhumaMiniatura, &QAction::triggered, this,
                   [this] { mniSelecionarNenhumaMiniaturaClick(); });
    pnlImagensInferior->installEventFilter(this);
    pnlImagensSuperior->installEventFilter(this);
    SetarVisaoDeImagemArrastadaParaTodosComponentesDeUmForm(this);
}

void TfrmPrincipal::SetarVisaoDeImagemArrastadaParaTodosComponentesDeUmForm(QWidget* form)
{
    // Qt shows a drag's picture over every window; what remains is to let the page take the drop.
    if (form == this)
        imgPaginaCentral->setAcceptDrops(true);
}

// --- Folders

void TfrmPrincipal::sheImagensClick() { AtualizarMiniaturasDasFotosDeUmaPasta(); }

void TfrmPrincipal::btnVoltarDiretorioClick()
{
    sheImagens->back();
    AtualizarMiniaturasDasFotosDeUmaPasta();
}

void TfrmPrincipal::pnlImagensInferiorResize()
{
    btnVoltarDiretorio->setGeometry(sheImagens->width() + 1, 0, pnlImagens->width() - sheImagens->width(),
                                    pnlImagensSuperior->height());
}

QString TfrmPrincipal::PegarDiretorioAtualDoShellListView() const { return sheImagens->selectedPath(); }

void TfrmPrincipal::AtualizarMiniaturasDasFotosDeUmaPasta()
{
    const ScreenCursorGuard cursor(kCursorWait);
    pnlImagensRodape->setCaption(QStringLiteral("Selecione Pasta Com Fotos"));
    thuImagens->Thumbnails().Clear();
    QString pasta = PegarDiretorioAtualDoShellListView();
    if (!isExistingFolder(pasta))
        pasta = sheImagens->rootFolder();
    if (!isExistingFolder(pasta))
        return;
    const std::int32_t n = ContarQuantidadeDeArquivosDeImagens(pasta);
    if (n == 0)
        pnlImagensRodape->setCaption(QStringLiteral("Esta Pasta Não Contém Fotos"));
    else if (n == 1)
        pnlImagensRodape->setCaption(QStringLiteral("Contém Uma Foto"));
    else
        pnlImagensRodape->setCaption(QStringLiteral("Contém ") + QString::number(n) + QStringLiteral(" Fotos"));
    thuImagens->SetThumbnailSize(TruncToInt32(thuImagens->width() / 3.0L));
    thuImagens->LoadFolder(ComBarraNoFim(pasta) + QStringLiteral("*.*"));
}

std::int32_t TfrmPrincipal::ContarQuantidadeDeArquivosDeImagens(const QString& pasta) const
{
    std::int32_t soma = 0;
    for (const QString& mascara : kMascarasDeFotos)
        soma += ContarArquivosDaMascara(mascara, ComBarraNoFim(pasta));
    return soma;
}

std::int32_t TfrmPrincipal::ContarArquivosDaMascara(const QString& mascara, const QString& pasta) const
{
    return countFilesMatching(pasta, mascara);
}

// --- Thumbnails

void TfrmPrincipal::thuImagensMouseDown(Qt::MouseButton botao, int X, int Y)
{
    if (botao == Qt::RightButton) {
        mnmMenuFotoNaMiniatura->popup(thuImagens->mapToGlobal(QPoint(X, Y)));
        return;
    }
    if (thuImagens->SelCount() < 1)
        return;
    // The drag starts at once, without waiting for the mouse to move.
    TControleArrastado* objeto = thuImagensStartDrag();
    auto* arrasto = new QDrag(thuImagens);
    arrasto->setMimeData(objeto);
    arrasto->setPixmap(QPixmap::fromImage(objeto->GetDragImages()));
    arrasto->setHotSpot(objeto->HotSpot());
    arrasto->exec(Qt::CopyAction);
}

TControleArrastado* TfrmPrincipal::thuImagensStartDrag()
{
    const int S = thuImagens->ThumbnailSize();
    const int caret = thuImagens->ItemIndex();
    const TIPicture* p = nullptr;
    if (caret >= 0 && caret < thuImagens->Thumbnails().Count())
        p = &thuImagens->Thumbnails()[caret]->Picture();
    const int w0 = p ? p->Width() : 0;
    const int h0 = p ? p->Height() : 0;
    auto controle = std::make_unique<Bitmap>();
    if (w0 <= 0 || h0 <= 0) {
        // A picture that did not decode: a plain grey square.
        controle->SetSize(S, S);
        Canvas& c = controle->GetCanvas();
        c.brush.color = toQColor(clGray);
        c.brush.style = BrushStyle::Solid;
        c.FillRect(Rect{0, 0, S, S});
    } else {
        int w = S;
        int h = RoundToInt32((long double)(std::int64_t(h0) * S) / w0);
        if (h > S) {
            h = S;
            w = RoundToInt32((long double)(std::int64_t(w0) * S) / h0);
        }
        w = std::max(w, 1);
        h = std::max(h, 1);
        controle->SetSize(w, h);
        p->Draw(controle->GetCanvas(), Rect{0, 0, w, h});
    }
    return new TControleArrastado(std::move(controle));
}

void TfrmPrincipal::thuImagensDblClick()
{
    const int caret = thuImagens->ItemIndex();
    if (caret >= 0 && caret < thuImagens->Thumbnails().Count())
        EditarFotosEfeitos(thuImagens->Thumbnails()[caret]->Filename()); // what it saved is not used here
}

// --- Drop on the page

bool TfrmPrincipal::imgPaginaCentralDragOver(const QMimeData* arrastado) const
{
    return qobject_cast<const TControleArrastado*>(arrastado) != nullptr;
}

bool TfrmPrincipal::FiltrarArrastoSobreAPagina(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* arrasto = static_cast<QDragMoveEvent*>(event);
        if (!imgPaginaCentralDragOver(arrasto->mimeData()))
            return false; // left to the window (job files dropped on it)
        arrasto->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* soltura = static_cast<QDropEvent*>(event);
        if (!imgPaginaCentralDragOver(soltura->mimeData()))
            return false;
        soltura->acceptProposedAction();
        const QPoint p = soltura->position().toPoint();
        const QMimeData* dados = soltura->mimeData();
        runGuarded([&] { imgPaginaCentralDragDrop(dados, p.x(), p.y()); });
        return true;
    }
    default:
        return false;
    }
}

void TfrmPrincipal::imgPaginaCentralDragDrop(const QMimeData* arrastado, int X, int Y)
{
    if (!imgPaginaCentralDragOver(arrastado))
        return;
    if (thuImagens->SelCount() > 1) {
        // The question waits until the drag has ended.
        QTimer::singleShot(0, this, [this] { runGuarded([this] { mniInserirTodasSelecionadasClick(); }); });
        return;
    }
    TPagina& pagina = m_documento.currentPage();
    const Rect imagem{0, 0, imgPaginaCentral->width(), imgPaginaCentral->height()};
    const Point p = MapearPontoEntreRetangulos(imagem, Point{X, Y}, Rect{pagina.Left, pagina.Top, pagina.Right, pagina.Bottom});
    const int moldura = pagina.MolduraNoPonto(p);
    m_documento.setFrameUnderMouse(moldura);
    MostrarMolduraNaBarraDeEstado();
    const int caret = thuImagens->ItemIndex();
    if (moldura < 0 || moldura >= pagina.frameCount() || caret < 0 || caret >= thuImagens->Thumbnails().Count())
        return;
    SetarFotoNaPaginaAtual(moldura, pagina.Foto(moldura).Ajuste, thuImagens->Thumbnails()[caret]->Filename());
}

// --- Thumbnail menu

void TfrmPrincipal::mnmMenuFotoNaMiniaturaPopup()
{
    const int selecionadas = thuImagens->SelCount();
    mniInserirTodasSelecionadas->setEnabled(selecionadas > 0);
    mniSelecionarTodasMiniaturas->setEnabled(selecionadas < thuImagens->Count());
    mniSelecionarNenhumaMiniatura->setEnabled(selecionadas > 0);
}

void TfrmPrincipal::mniSelecionarTodasMiniaturasClick()
{
    thuImagens->hide();
    thuImagens->SelectAll();
    thuImagens->show();
}

void TfrmPrincipal::mniSelecionarNenhumaMiniaturaClick()
{
    for (int i = 0; i < thuImagens->Count(); ++i)
        thuImagens->SetSelected(i, false);
}

void TfrmPrincipal::mniInserirTodasSelecionadasClick()
{
    const int s = thuImagens->SelCount();
    if (m_documento.currentPage().frameCount() == 0) {
        // Nothing could be placed: every page added would stay empty.
        CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("Não Cabe Sequer Uma Foto Nesta Página."),
                       QStringLiteral("Confirmação Para Inserir Fotos Selecionadas Na Impressão"), QString(),
                       QStringLiteral("Sim"), false);
        return;
    }
    const int resposta = CaixaDeDialogo(
        m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("Há ") + QString::number(s) +
            QStringLiteral(" Foto(s) Selecionada(s) Nesta Pasta.") + QuebrasDeLinha(2) +
            QStringLiteral("Se Você Prosseguir, Estas Fotos Serão Inseridas") + QuebrasDeLinha(1) +
            QStringLiteral("No Papel a Imprimir a Partir Da Página Atual.") + QuebrasDeLinha(2) +
            QStringLiteral("Caso Seja Necessário, Novas Páginas Serão Incluídas") + QuebrasDeLinha(1) +
            QStringLiteral("De Forma a Comportar Todas As Fotos.") + QuebrasDeLinha(2) +
            QStringLiteral("Você Desejar Inserir As Fotos Selecionadas?"),
        QStringLiteral("Confirmação Para Inserir Fotos Selecionadas Na Impressão"), QStringLiteral("Não"),
        QStringLiteral("Sim"), false);
    if (resposta != 6)
        return;
    QApplication::processEvents();
    const std::int32_t a = InserirTodasAsFotosSelecionadasDaPastaAtualEmMoldurasDoPapelAImprimir();
    if (a > 0)
        CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("Foram Inseridas As ") +
                           QString::number(s) + QStringLiteral(" Foto(s) Selecionadas.") + QuebrasDeLinha(2) +
                           QStringLiteral("Para Isto Foi Necessário Incluir Também Mais") + QuebrasDeLinha(1) +
                           QString::number(a) + QStringLiteral(" Página(s) Adicionais."),
                       QStringLiteral("Informando Sobre Inserção de Páginas Adicionais"), QString(),
                       QStringLiteral("Sim"), false);
}

std::int32_t TfrmPrincipal::InserirTodasAsFotosSelecionadasDaPastaAtualEmMoldurasDoPapelAImprimir()
{
    const ScreenCursorGuard cursor(kCursorWait);
    const int s = thuImagens->SelCount();
    auto* progresso = new TfrmDialogoProgresso(this);
    progresso->setWindowTitle(QStringLiteral("Progresso da Inserção Múltipla de Fotos"));
    progresso->prbProgresso->setRange(0, s);
    progresso->SetLabelText(QuebrasDeLinha(1) + m_tituloDoAplicativo + QuebrasDeLinha(2) +
                            QStringLiteral("Inserindo Fotos Selecionadas.") + QuebrasDeLinha(1) +
                            QStringLiteral("Isto Poderá Demorar Um Pouco..."));
    progresso->SetarPosicao(0);
    progresso->show();
    progresso->repaint();
    hide();
    // The progress window goes at once: the closing box must not take it as its owner.
    auto restaurar = [this, progresso] {
        show();
        delete progresso;
        AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
    };

    QStringList caminhos;
    for (int i = 0; i < thuImagens->Thumbnails().Count(); ++i)
        if (thuImagens->Selected(i))
            caminhos << thuImagens->Thumbnails()[i]->Filename();
    // The photos are read ahead a few at a time on workers, into the image cache: each is decoded
    // once, and drawing its frame takes the cached copy.
    const int lote = std::max(1, PixelThreads());

    std::int32_t adicionadas = 0;
    int pagina = PaginaAtual();
    int moldura = 0;
    try {
        for (int passo = 0; passo < caminhos.size(); ++passo) {
            if (passo % lote == 0 && m_cache)
                m_cache->Antecipar(caminhos.mid(passo, lote));
            InserirFotoNaProximaMoldura(pagina, moldura, caminhos[passo], adicionadas);
            ++moldura;
            progresso->AvancarPara(passo + 1);
        }
    } catch (...) {
        restaurar();
        throw;
    }
    restaurar();
    return adicionadas;
}

void TfrmPrincipal::InserirFotoNaProximaMoldura(int& pagina, int& moldura, const QString& caminho,
                                                 std::int32_t& adicionadas)
{
    if (moldura > Pagina(pagina).frameCount() - 1) {
        Album().InserirPaginaDepois(pagina);
        ++pagina;
        moldura = 0;
        ++adicionadas;
    }
    if (moldura >= 0 && moldura < Pagina(pagina).frameCount())
        SetarFotoNaPaginaAtual(moldura, Foto(pagina, moldura).Ajuste, caminho);
}

} // namespace lumoria
