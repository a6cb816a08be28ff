#include "printing/photo_analysis_window.h"

#include <QFileInfo>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>

#include <exception>

#include "album/album_document.h"
#include "common/custom_cursors.h"
#include "common/general_routines.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "platform/failure.h"
#include "platform/graphics/graphic.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_centre.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/stretched_picture.h"
#include "printing/photo_analysis.h"
#include "printing/resolution_table_window.h"

namespace lumoria {

using namespace platform;

namespace {

const QString kTitulo = QStringLiteral("Analisador de Fotos");
const QString kRotuloDoArquivo = QStringLiteral("Arquivo:");

// Why a file cannot be analysed; shown in the memo in place of the analysis.
class AnaliseImpossivel : public std::exception {
public:
    explicit AnaliseImpossivel(QString motivo) : m_motivo(std::move(motivo)) {}
    const QString& motivo() const { return m_motivo; }

private:
    QString m_motivo;
};

void PintarDeCor(QWidget& controle, ColorRef fundo, ColorRef texto)
{
    QPalette paleta = controle.palette();
    paleta.setColor(QPalette::Window, toQColor(fundo));
    paleta.setColor(QPalette::Base, toQColor(fundo));
    paleta.setColor(QPalette::WindowText, toQColor(texto));
    paleta.setColor(QPalette::Text, toQColor(texto));
    controle.setPalette(paleta);
    controle.setAutoFillBackground(true);
}

} // namespace

TfrmAnalisarFotos::TfrmAnalisarFotos(AlbumDocument& documento, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_documento(documento)
{
    setWindowTitle(kTitulo);
    setFixedSize(kLarguraDoCliente, kAlturaDoCliente);
    QFont fonte(QStringLiteral("Verdana"));
    fonte.setPixelSize(12);
    fonte.setBold(true);
    setFont(fonte);
    PintarDeCor(*this, cl3DDkShadow, colorRef(255, 255, 255));

    pnlImagem = new Panel(this);
    pnlImagem->setGeometry(kBorda, kBorda, kLadoDoPainel, kLadoDoPainel);
    pnlImagem->setColor(clGray);
    pnlImagem->setParentBackground(false);
    imgImagem = new StretchedPicture(pnlImagem);
    imgImagem->setGeometry(4, 4, kLadoDoPainel - 8, kLadoDoPainel - 8);

    const int direitaDoPainel = kBorda + kLadoDoPainel;
    const int larguraInterna = kLarguraDoCliente - 2 * kBorda;
    lblNomeDoArquivo = new QLabel(kRotuloDoArquivo, this);
    lblNomeDoArquivo->setTextFormat(Qt::PlainText);
    lblNomeDoArquivo->setWordWrap(true);
    lblNomeDoArquivo->setAlignment(Qt::AlignCenter);
    lblNomeDoArquivo->setGeometry(direitaDoPainel + kBorda, kBorda, kLarguraDoCliente - kBorda - direitaDoPainel - kBorda,
                                  kLadoDoPainel);
    PintarDeCor(*lblNomeDoArquivo, cl3DDkShadow, colorRef(255, 255, 255));

    spdTabela = NewCommandButton(this, QStringLiteral("Tabela"), QStringLiteral("Mostrar Tabela Comparativa de Resoluções"));
    spdSair = NewCommandButton(this, QStringLiteral("Sair"));
    const int topoDosBotoes = kAlturaDoCliente - kBorda - spdSair->height();
    spdTabela->move(kBorda, topoDosBotoes);
    spdSair->move(kLarguraDoCliente - kBorda - spdSair->width(), topoDosBotoes);

    memArquivo = new QTextEdit(this);
    memArquivo->setReadOnly(true);
    memArquivo->setFrameShape(QFrame::NoFrame);
    memArquivo->setFocusPolicy(Qt::NoFocus);
    memArquivo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int topoDoMemo = kBorda + kLadoDoPainel + kBorda;
    memArquivo->setGeometry(kBorda, topoDoMemo, larguraInterna, topoDosBotoes - kBorda - topoDoMemo);
    PintarDeCor(*memArquivo, cl3DDkShadow, colorRef(255, 255, 255));
    PintarDeCor(*memArquivo->viewport(), cl3DDkShadow, colorRef(255, 255, 255));

    connectGuarded(spdTabela, &TFancyButton::OnClick, this, [this] { spdTabelaClick(); });
    connectGuarded(spdSair, &TFancyButton::OnClick, this, [this] { spdSairClick(); });

    AplicarCursoresNosControles(this);
}

void TfrmAnalisarFotos::SetarArquivoEMolduraDaFoto(const QString& arquivoDado, int pagina, int moldura)
{
    const ScreenCursorGuard cursor(kCursorWait);
    const QString arquivo = Trim(arquivoDado);
    if (arquivo.isEmpty() || !QFileInfo(arquivo).isFile())
        return;
    try {
        const TAlbum& album = m_documento.Album();
        if (pagina < 0 || pagina >= album.pageCount() || moldura < 0 || moldura >= album.Pagina(pagina).frameCount())
            throw AnaliseImpossivel(QStringLiteral("A Moldura Desta Foto Não Está Na Página."));
        const TFoto& foto = album.Foto(pagina, moldura);
        if (std::int64_t{foto.Right} - foto.Left <= 0 || std::int64_t{foto.Bottom} - foto.Top <= 0)
            throw AnaliseImpossivel(QStringLiteral("A Moldura Desta Foto Não Tem Dimensões."));

        DimensionarImagemNoPainel(arquivo);
        const auto medidas = MedirFotoNaMoldura(imgImagem->picture().Width(), imgImagem->picture().Height(), foto);
        if (!medidas)
            throw AnaliseImpossivel(QStringLiteral("A Imagem Deste Arquivo Não Tem Dimensões."));
        setWindowTitle(kTitulo + QStringLiteral(" - ") + arquivo);
        lblNomeDoArquivo->setText(kRotuloDoArquivo + QStringLiteral("\n") + arquivo);
        MostrarLinhas(LinhasDaAnalise(*medidas, foto.Ajuste));
    } catch (const AnaliseImpossivel& e) {
        InformarQueNaoFoiPossivel(e.motivo());
    } catch (const Failure&) {
        // The file is there but holds no picture that can be read.
        InformarQueNaoFoiPossivel(QStringLiteral("Este Arquivo Não Pôde Ser Lido Como Uma Imagem."));
    } catch (const std::bad_alloc&) {
        InformarQueNaoFoiPossivel(QStringLiteral("Esta Imagem é Grande Demais Para Ser Lida."));
    }
}

void TfrmAnalisarFotos::DimensionarImagemNoPainel(const QString& arquivo)
{
    imgImagem->loadFromFile(arquivo);
    const Picture& imagem = imgImagem->picture();
    if (imagem.Width() <= 0 || imagem.Height() <= 0)
        throw AnaliseImpossivel(QStringLiteral("A Imagem Deste Arquivo Não Tem Dimensões."));
    const Rect r = RetanguloDaImagemNoPainel(pnlImagem->width(), pnlImagem->height(), imagem.Width(), imagem.Height());
    imgImagem->setGeometry(toQRect(r));
    // Decoded now, so that a picture broken past its header is told here and not while painting.
    imgImagem->prepare();
}

void TfrmAnalisarFotos::MostrarLinhas(const QStringList& linhas)
{
    m_linhas = linhas;
    memArquivo->setPlainText(linhas.join(QLatin1Char('\n')));
    // Every line centred, as the memo is designed.
    QTextCursor cursor(memArquivo->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat formato;
    formato.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(formato);
}

void TfrmAnalisarFotos::InformarQueNaoFoiPossivel(const QString& motivo)
{
    imgImagem->clear();
    setWindowTitle(kTitulo);
    lblNomeDoArquivo->setText(kRotuloDoArquivo);
    MostrarLinhas({QStringLiteral("Não Foi Possível Analisar Esta Foto."), motivo});
}

void TfrmAnalisarFotos::ShowModal() { runModal(this); }

void TfrmAnalisarFotos::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centreOnScreen(this);
}

void TfrmAnalisarFotos::spdTabelaClick()
{
    TfrmAnalisarFotosTabelaResolucao tabela;
    tabela.ShowModal();
}

void TfrmAnalisarFotos::spdSairClick() { close(); }

} // namespace lumoria
