#include "main_window_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>

#include "app/settings.h"
#include "platform/ui/owner_drawn_menu.h"

namespace lumoria::test {

void PrepararConfiguracoes(bool maximizada, int contador)
{
    Configuracoes c;
    c.EntrarMaximizada = maximizada;
    c.ContadorDeUtilizacoes = contador;
    GravarConfiguracoesNoRegistro(c);
}

std::unique_ptr<TfrmPrincipal> NovaJanela(const QStringList& argumentos)
{
    auto janela = std::make_unique<TfrmPrincipal>(argumentos);
    janela->show();
    QTest::qWait(20);
    QApplication::processEvents();
    return janela;
}

QPoint PixelDoMilimetro(TfrmPrincipal& janela, int x, int y)
{
    const TPagina& pagina = janela.Pagina(janela.PaginaAtual());
    const Rect pixels{0, 0, janela.imgPaginaCentral->width(), janela.imgPaginaCentral->height()};
    const Point p = MapearPontoEntreRetangulos(Rect{pagina.Left, pagina.Top, pagina.Right, pagina.Bottom},
                                               Point{x, y}, pixels);
    return QPoint(p.X, p.Y);
}

QPoint CentroDaMoldura(TfrmPrincipal& janela, int j)
{
    const TFoto& f = janela.Foto(janela.PaginaAtual(), j);
    return PixelDoMilimetro(janela, (f.Left + f.Right) / 2, (f.Top + f.Bottom) / 2);
}

void MoverSobreAPagina(TfrmPrincipal& janela, QPoint ponto)
{
    // A move to where the mouse already is reaches nobody: step aside first.
    QTest::mouseMove(janela.imgPaginaCentral, ponto + QPoint(1, 1));
    QTest::mouseMove(janela.imgPaginaCentral, ponto);
    QApplication::processEvents();
}

QMenu* AbrirMenuDaMoldura(TfrmPrincipal& janela, int j)
{
    const QPoint ponto = CentroDaMoldura(janela, j);
    MoverSobreAPagina(janela, ponto);
    QTest::mouseClick(janela.imgPaginaCentral, Qt::LeftButton, {}, ponto);
    QApplication::processEvents();
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void EscolherNoMenu(TfrmPrincipal& janela, QAction* item)
{
    QMenu* menu = janela.mnmMenuFotoNaMoldura;
    const auto clicar = [&menu](QAction* a) {
        const QPoint centro = menu->actionGeometry(a).center();
        QTest::mouseMove(menu, centro);
        QTest::mouseClick(menu, Qt::LeftButton, {}, centro);
        QApplication::processEvents();
    };
    if (janela.mnuComoAjustar->actions().contains(item)) {
        // The submenu opens from its item.
        clicar(janela.mniComoAjustarEstaFotoNaMoldura);
        menu = janela.mnuComoAjustar;
        ASSERT_TRUE(menu->isVisible());
    }
    clicar(item);
}

bool Soltar(QWidget* alvo, QPoint ponto, const QMimeData* dados)
{
    QDragEnterEvent entrada(ponto, Qt::CopyAction, dados, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(alvo, &entrada);
    EXPECT_TRUE(entrada.isAccepted());
    QDragMoveEvent movimento(ponto, Qt::CopyAction, dados, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(alvo, &movimento);
    QDropEvent soltura(QPointF(ponto), Qt::CopyAction, dados, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(alvo, &soltura);
    QApplication::processEvents();
    return soltura.isAccepted();
}

void EscolherNaLista(QComboBox* lista, int item)
{
    lista->showPopup();
    QApplication::processEvents();
    QAbstractItemView* vista = lista->view();
    const QRect r = vista->visualRect(lista->model()->index(item, 0));
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, r.center());
    QApplication::processEvents();
}

QStringList Registros(const TfrmPrincipal& janela, int n)
{
    QStringList r;
    for (int k = 0; k < n; ++k) {
        const RegistroDeDesfazer& b = janela.Backups()[std::size_t(k)];
        r << (b.Moldura < 0 ? QStringLiteral("-") : QStringLiteral("%1 %2 %3").arg(b.Moldura).arg(b.Ajuste).arg(b.NomeDoArquivo));
    }
    return r;
}

std::tuple<int, int, QString> Paginacao(TfrmPrincipal& janela)
{
    return {janela.Album().pageCount(), janela.PaginaAtual(), janela.lblNumeroDaPagina->text()};
}

QStringList Molduras(TfrmPrincipal& janela, int i)
{
    QStringList r;
    for (const TFoto& f : janela.Pagina(i).Fotos)
        r << QStringLiteral("%1 %2").arg(f.Ajuste).arg(f.NomeDoArquivo);
    return r;
}

void Paginas(TfrmPrincipal& janela, int n, int i)
{
    for (int k = 1; k < n; ++k)
        janela.Album().InserirPaginaDepois(k - 1);
    janela.Documento().setCurrentPageIndex(i);
    janela.AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
}

QString FotoDeTeste(const QString& nome, int largura, int altura, QColor cor)
{
    const QString pasta = home() + QStringLiteral("/fotos");
    QDir().mkpath(pasta);
    const QString caminho = pasta + QLatin1Char('/') + nome;
    QImage imagem(largura, altura, QImage::Format_RGB32);
    imagem.fill(cor);
    EXPECT_TRUE(imagem.save(caminho)) << caminho.toStdString();
    return caminho;
}

} // namespace lumoria::test
