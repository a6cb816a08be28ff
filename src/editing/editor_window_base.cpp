// The frame, loading, fitting and saving that the two photo editors share.
#include "editing/editor_window_base.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>

#include <new>

#include "common/app_identity.h"
#include "common/custom_cursors.h"
#include "common/general_routines.h"
#include "common/message_box.h"
#include "common/text_trim.h"
#include "components/fancy_button.h"
#include "editing/editor_tabs.h"
#include "editing/picture_layer.h"
#include "editing/stage_frame.h"
#include "imaging/working_copy.h"
#include "platform/failure.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture.h"
#include "platform/numeric.h"
#include "platform/shell/file_drop.h"
#include "platform/shell/file_operations.h"
#include "platform/shell/special_folders.h"
#include "platform/ui/colors.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

using platform::Bitmap;
using platform::Panel;

namespace {

constexpr int kBordaDoFundo = 4;
constexpr int kAlturaDosControles = 175;
constexpr int kLarguraDaDireita = 200;
constexpr int kLarguraDoProgresso = 42;
constexpr int kFolgaDoPalco = 18;
// The designed window size counts the frame: 4 pixels a side and the caption bar.
constexpr int kMolduraHorizontal = 8;
constexpr int kMolduraVertical = 27;
constexpr platform::ColorRef kCorDoProgresso = 9474192;
constexpr platform::ColorRef kAzulMarinho = 0x800000;

Panel* NovoPainel(QWidget* pai, platform::ColorRef cor)
{
    auto* p = new Panel(pai);
    p->setColor(cor);
    p->setParentBackground(false);
    return p;
}

TFancyButton* NovoBotao(QWidget* pai, const QString& texto, const QString& dica, int ordem)
{
    auto* b = new TFancyButton(pai);
    ApplyCommandButtonLook(*b);
    b->SetCaption(texto);
    b->setToolTip(dica);
    b->move(5, 26 + ordem * 36);
    return b;
}

QString ExtensaoDe(const QString& arquivo)
{
    const int barra = arquivo.lastIndexOf(QLatin1Char('/'));
    const int ponto = arquivo.lastIndexOf(QLatin1Char('.'));
    return ponto > barra ? arquivo.mid(ponto) : QString();
}

} // namespace

Rect EnquadrarFotoNoPalco(QSize palco, QSize foto)
{
    if (foto.width() < 1 || foto.height() < 1)
        return Rect{};
    const long double fw = foto.width();
    const long double fh = foto.height();
    std::int32_t w = palco.width() - kFolgaDoPalco;
    std::int32_t h = RoundToInt32(fh * w / fw);
    if (h > palco.height() - kFolgaDoPalco) {
        h = palco.height() - kFolgaDoPalco;
        w = RoundToInt32(fw * h / fh);
    }
    const std::int32_t esquerda = RoundToInt32((palco.width() - w) / 2.0L);
    const std::int32_t topo = RoundToInt32((palco.height() - h) / 2.0L);
    return Rect{esquerda, topo, esquerda + w, topo + h};
}

QString MontarNomeDoArquivoEditado(const QString& arquivoDaFoto, const QString& pastaMeusDocumentos,
                                   const QDateTime& agora)
{
    QString nome = Trim(QFileInfo(arquivoDaFoto).fileName());
    const int ponto = nome.lastIndexOf(QLatin1Char('.'));
    if (ponto >= 0)
        nome.truncate(ponto);
    QString s = Trim(pastaMeusDocumentos + QStringLiteral("/Fotos Lumoria/") + nome);
    const qsizetype p1 = s.indexOf(QStringLiteral(" {LU"));
    const qsizetype p2 = s.indexOf(QLatin1Char('}'));
    if (p1 >= 0 && p2 > p1)
        s.remove(p1, p2 - p1 + 1);
    return Trim(s) + QStringLiteral(" {LU") + agora.toString(QStringLiteral("yyyyMMddHHmmss")) +
           QStringLiteral("}.jpg");
}

bool ExtensaoDeFotoAceita(const QString& arquivo)
{
    static const QStringList aceitas = {QStringLiteral(".bmp"), QStringLiteral(".jpg"), QStringLiteral(".jpeg"),
                                        QStringLiteral(".gif"), QStringLiteral(".emf"), QStringLiteral(".wmf")};
    return aceitas.contains(ExtensaoDe(arquivo).toLower());
}

EditorWindowBase::EditorWindowBase(const QString& titulo, QSize tamanho, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(titulo);
    const QSize cliente(tamanho.width() - kMolduraHorizontal, tamanho.height() - kMolduraVertical);
    setMinimumSize(cliente);
    resize(cliente);
    QFont f(QStringLiteral("Verdana"));
    f.setBold(true);
    f.setPixelSize(16);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Window, platform::toQColor(platform::clGray));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);

    pnlFundo = NovoPainel(this, platform::clGray);
    pnlFoto = NovoPainel(pnlFundo, platform::clGray);
    pnlControles = NovoPainel(pnlFundo, platform::clGray);
    pnlProgresso = NovoPainel(pnlFundo, kCorDoProgresso);
    shpFoto = new StageFrame(pnlFoto);
    imgFoto = new PictureLayer(pnlFoto);
    pgcControles = new EditorTabs(pnlControles);
    pgcControles->TabLines = [this](int i) { return LinhasDaAba(i); };
    pnlControlesDireito = NovoPainel(pnlControles, platform::clGray);

    lblFotoLegendaDimensao = new QLabel(QStringLiteral("Dimensao"), pnlControlesDireito);
    lblFotoLegendaDimensao->setAlignment(Qt::AlignCenter);
    lblFotoLegendaDimensao->setGeometry(0, 2, kLarguraDaDireita, 20);
    spdLerFoto = NovoBotao(pnlControlesDireito, QStringLiteral("Ler Foto"), QStringLiteral("Ler Foto do Disco"), 0);
    spdFotoOriginal = NovoBotao(pnlControlesDireito, QStringLiteral("Foto Original"),
                                QStringLiteral("Restaurar Foto Original Gravada Em Disco"), 1);
    spdGravarFoto = NovoBotao(pnlControlesDireito, QStringLiteral("Gravar Foto"),
                              QStringLiteral("Gravar Foto Atual Em Arquivo"), 2);
    spdSair = NovoBotao(pnlControlesDireito, QStringLiteral("Sair"), QStringLiteral("Sair da Edição de Fotos e Efeitos"), 3);

    prbProgresso = new QProgressBar(pnlProgresso);
    prbProgresso->setOrientation(Qt::Vertical);
    prbProgresso->setTextVisible(false);
    prbProgresso->hide();
    spdAbortarProcessamentoDesteEfeito = new TFancyButton(pnlProgresso);
    spdAbortarProcessamentoDesteEfeito->resize(24, 190);
    spdAbortarProcessamentoDesteEfeito->hide();

    opdFoto = new QFileDialog(this, QStringLiteral("Ler Foto"));
    opdFoto->setOption(QFileDialog::DontUseNativeDialog);
    opdFoto->setFileMode(QFileDialog::ExistingFile);
    opdFoto->setNameFilter(QStringLiteral("Fotos e Imagens (*.jpg *.jpeg *.bmp *.gif *.ico *.emf *.wmf)"));
    svdFoto = new QFileDialog(this, QStringLiteral("Gravar Foto"));
    svdFoto->setOption(QFileDialog::DontUseNativeDialog);
    svdFoto->setAcceptMode(QFileDialog::AcceptSave);
    svdFoto->setDefaultSuffix(QStringLiteral("jpg"));
    // The save dialog asks its own question about an existing file through GravarFoto.
    svdFoto->setOption(QFileDialog::DontConfirmOverwrite);
    svdFoto->setNameFilters({QStringLiteral("JPEG Image File (*.jpg)"), QStringLiteral("JPEG Image File (*.jpeg)"),
                             QStringLiteral("Bitmaps (*.bmp)")});

    platform::connectGuarded(spdSair, &TFancyButton::OnClick, this, [this] { spdSairClick(); });
    platform::connectGuarded(spdLerFoto, &TFancyButton::OnClick, this, [this] { spdLerFotoClick(); });
    platform::connectGuarded(spdFotoOriginal, &TFancyButton::OnClick, this, [this] { spdFotoOriginalClick(); });
    platform::connectGuarded(spdGravarFoto, &TFancyButton::OnClick, this, [this] { spdGravarFotoClick(); });
    platform::connectGuarded(spdAbortarProcessamentoDesteEfeito, &TFancyButton::OnClick, this,
                             [this] { spdAbortarProcessamentoDesteEfeitoClick(); });
}

EditorWindowBase::~EditorWindowBase() = default;

void EditorWindowBase::TerminarCriacao()
{
    AplicarCursoresNosControles(this);
    QPalette p = prbProgresso->palette();
    p.setColor(QPalette::Highlight, platform::toQColor(kAzulMarinho));
    prbProgresso->setPalette(p);
    svdFoto->setDirectory(platform::documentsFolder());
    pgcControles->setCurrentIndexSilently(0);
    FModificado = false;
    resizeEvent(nullptr);
}

bool EditorWindowBase::TemFoto() const
{
    const platform::Graphic* g = imgFoto->Picture().GetGraphic();
    return g && !g->Empty();
}

void EditorWindowBase::AvisarFalha(const QString& linha1, const QString& arquivo, const QString& motivo) const
{
    const QString causa =
        motivo.isEmpty() ? QString() : QuebrasDeLinha(2) + QLatin1Char('(') + motivo + QLatin1Char(')');
    CaixaDeDialogo(TituloDoAplicativo() + QuebrasDeLinha(2) + linha1 + QuebrasDeLinha(2) + arquivo + causa,
                   TituloDoAplicativo() + QStringLiteral(" - Mensagem de Advertência"), QString(),
                   QStringLiteral("Sim"), false);
}

bool EditorWindowBase::SetarArquivoDaFoto(const QString& arquivoDaFoto)
{
    const platform::ScreenCursorGuard cursor(crEsperar);
    const QString arquivo = Trim(arquivoDaFoto);
    if (arquivo.isEmpty() || !platform::isFile(arquivo))
        return false;
    // Everything is read and made before anything of the window changes, so that a photo that cannot
    // be had leaves the one before in place.
    Bitmap copia;
    try {
        platform::Picture carregada;
        carregada.LoadFromFile(arquivo);
        if (!carregada.GetGraphic() || carregada.GetGraphic()->Empty())
            throw InvalidPicture("Empty picture");
        const platform::Graphic& lida = *carregada.GetGraphic();
        // A picture far wider than high shrinks to a copy without a single row: nothing to edit.
        if (TamanhoDaCopiaDeTrabalho(QSize(lida.Width(), lida.Height())).height() < 1) {
            AvisarFalha(QStringLiteral("Esta Foto É Baixa Demais Para Ser Editada.") + QuebrasDeLinha(1) +
                            QStringLiteral("Reduzida a ") + QString::number(kLarguraMaximaDaCopiaDeTrabalho) +
                            QStringLiteral(" Pixels de Largura,") + QuebrasDeLinha(1) +
                            QStringLiteral("Ela Ficaria Sem Nenhum Pixel de Altura:"),
                        arquivo);
            return false;
        }
        copia = MontarCopiaDeTrabalho(lida);
    } catch (const OutOfMemory&) {
        AvisarFalha(QStringLiteral("Não Há Memória Suficiente Para Abrir Esta Foto:"), arquivo);
        return false;
    } catch (const std::bad_alloc&) {
        AvisarFalha(QStringLiteral("Não Há Memória Suficiente Para Abrir Esta Foto:"), arquivo);
        return false;
    } catch (const Failure&) {
        AvisarFalha(QStringLiteral("Não Foi Possível Ler Esta Foto:"), arquivo);
        return false;
    }
    FArquivoDaFoto = arquivo;
    setWindowTitle(PrefixoDoTitulo() + arquivo);
    opdFoto->setDirectory(QFileInfo(arquivo).absolutePath());
    AoIniciarCarga();
    imgFoto->Picture().SetGraphic(std::make_unique<Bitmap>(copia));
    imgFoto->Changed();
    AoMontarCopiaDeTrabalho(copia);
    DimensionarFoto();
    AtualizarLegendaDeDimensaoReal();
    return true;
}

QList<QWidget*> EditorWindowBase::CamadasDaFoto() const { return {imgFoto}; }

QSize EditorWindowBase::TamanhoMostrado() const
{
    return QSize(imgFoto->Picture().Width(), imgFoto->Picture().Height());
}

void EditorWindowBase::DimensionarFoto()
{
    const QSize foto(imgFoto->Picture().Width(), imgFoto->Picture().Height());
    if (foto.width() < 1 || foto.height() < 1)
        return;
    const Rect r = EnquadrarFotoNoPalco(pnlFoto->size(), foto);
    shpFoto->setGeometry(r.Left - 9, r.Top - 9, r.Right - r.Left + 18, r.Bottom - r.Top + 18);
    for (QWidget* camada : CamadasDaFoto())
        camada->setGeometry(toQRect(r));
}

void EditorWindowBase::AtualizarLegendaDeDimensaoReal()
{
    const QSize s = TamanhoMostrado();
    if (s.width() <= 0 || s.height() <= 0)
        return;
    lblFotoLegendaDimensao->setText(QStringLiteral("%1 x %2 Pixels").arg(s.width()).arg(s.height()));
}

bool EditorWindowBase::GravarFoto(const QString& arquivo)
{
    if (!TemFoto())
        return false;
    if (platform::pathExists(arquivo)) {
        const int r = CaixaDeDialogo(TituloDoAplicativo() + QuebrasDeLinha(2) + QStringLiteral("Já Existe Um Arquivo Gravado") +
                                         QuebrasDeLinha(1) + QStringLiteral("Com Este Mesmo Nome!") + QuebrasDeLinha(2) +
                                         QStringLiteral("Você Deseja Gravar Sobre o Existente?"),
                                     QStringLiteral("Arquivo Já Existente"), QStringLiteral("Não"),
                                     QStringLiteral("Sim"), false);
        if (r != 6)
            return false;
    }
    try {
        AntesDeGravar();
        const platform::Graphic& g = *imgFoto->Picture().GetGraphic();
        const bool bmp = ExtensaoDe(arquivo).toUpper() == QStringLiteral(".BMP");
        if (bmp) {
            Bitmap b;
            b.Assign(g);
            b.SaveToFile(arquivo);
        } else if (g.Kind() == platform::GraphicKind::Bitmap) {
            platform::JpegImage jpeg;
            jpeg.SetCompressionQuality(90);
            jpeg.Assign(g);
            jpeg.SaveToFile(arquivo);
        } else {
            g.SaveToFile(arquivo);
        }
    } catch (const FileWriteError& e) {
        AvisarFalha(QStringLiteral("Não Foi Possível Gravar a Foto No Arquivo:"), arquivo,
                    QString::fromStdString(e.reason()));
        return false;
    } catch (const Failure&) {
        AvisarFalha(QStringLiteral("Não Foi Possível Gravar a Foto No Arquivo:"), arquivo);
        return false;
    } catch (const std::bad_alloc&) {
        AvisarFalha(QStringLiteral("Não Há Memória Suficiente Para Gravar a Foto No Arquivo:"), arquivo);
        return false;
    }
    FModificado = false;
    return true;
}

QString EditorWindowBase::MontarNomeDoArquivoEditado() const
{
    return lumoria::MontarNomeDoArquivoEditado(FArquivoDaFoto, platform::documentsFolder(), Relogio());
}

bool EditorWindowBase::VerificarSeHaAlteracoesSemSalvamentoAlertandoUsuario()
{
    if (!FModificado)
        return true;
    const QString nome = MontarNomeDoArquivoEditado();
    // One folder a line; the root's separator starts no empty line.
    QString linhas = nome.startsWith(QLatin1Char('/')) ? nome.mid(1) : nome;
    linhas.replace(QLatin1Char('/'), QuebrasDeLinha(1));
    const int r = CaixaDeDialogo(
        TituloDoAplicativo() + QuebrasDeLinha(2) + QStringLiteral("Há Modificações Nesta Imagem Que Ainda Não Foram") +
            QuebrasDeLinha(1) + QStringLiteral("Gravadas. Estas Modificações Serão Perdidas Se a") + QuebrasDeLinha(1) +
            QStringLiteral("Imagem Não For Gravada Em Disco.") + QuebrasDeLinha(2) +
            QStringLiteral("A Nova Imagem Será Gravada No Seguinte Arquivo:") + QuebrasDeLinha(2) + linhas +
            QuebrasDeLinha(2) + QStringLiteral("Você Autoriza a Gravação Da Nova Imagem?"),
        QStringLiteral("Necessidade De Gravar Imagem Editada"), QStringLiteral("Não"), QStringLiteral("Sim"), false);
    if (r != 6) {
        FArquivoGravado.clear();
        return true;
    }
    const QString pasta = QFileInfo(nome).absolutePath();
    if (!platform::makeFolder(pasta)) {
        AvisarFalha(QStringLiteral("Não Foi Possível Criar a Pasta:"), pasta);
        return false;
    }
    // The caller is handed the name only once the file stands written.
    if (!GravarFoto(nome))
        return false;
    FArquivoGravado = nome;
    return true;
}

bool EditorWindowBase::VerificarSeHaAlteracaoNaoGravada()
{
    if (!FModificado)
        return true;
    return CaixaDeDialogo(TituloDoAplicativo() + QuebrasDeLinha(2) + QStringLiteral("Há Modificações Nesta Foto Que Ainda Não") +
                              QuebrasDeLinha(1) + QStringLiteral("Foram Gravadas. Estas Modificações Serão Perdidas") +
                              QuebrasDeLinha(1) + QStringLiteral("Se Ela Não For Gravada Em Disco.") + QuebrasDeLinha(2) +
                              QStringLiteral("Deseja Prosseguir Mesmo Assim?"),
                          QStringLiteral("Pedindo Confirmação Para Prosseguir"), QStringLiteral("Não"),
                          QStringLiteral("Sim"), false) == 6;
}

void EditorWindowBase::RecebeuArquivoArrastado(const QStringList& arquivos)
{
    if (arquivos.isEmpty() || m_processando)
        return;
    const QString arquivo = arquivos.constFirst().left(500);
    if (!ExtensaoDeFotoAceita(arquivo) || !VerificarSeHaAlteracaoNaoGravada())
        return;
    AntesDeLerPeloComando();
    if (SetarArquivoDaFoto(arquivo))
        FModificado = false;
}

void EditorWindowBase::spdSairClick() { close(); }

void EditorWindowBase::spdLerFotoClick()
{
    if (!VerificarSeHaAlteracaoNaoGravada())
        return;
    if (opdFoto->exec() != QDialog::Accepted || opdFoto->selectedFiles().isEmpty())
        return;
    AntesDeLerPeloComando();
    if (SetarArquivoDaFoto(opdFoto->selectedFiles().constFirst()))
        FModificado = false;
}

void EditorWindowBase::spdFotoOriginalClick()
{
    if (FArquivoDaFoto.isEmpty())
        return;
    AntesDeLerPeloComando();
    if (SetarArquivoDaFoto(FArquivoDaFoto))
        FModificado = false;
}

void EditorWindowBase::spdGravarFotoClick()
{
    if (!TemFoto())
        return;
    if (!m_ultimoNomeGravado.isEmpty()) {
        QString semExtensao = m_ultimoNomeGravado;
        const QString ext = ExtensaoDe(semExtensao);
        semExtensao.chop(ext.size());
        svdFoto->selectFile(semExtensao);
    }
    if (svdFoto->exec() != QDialog::Accepted || svdFoto->selectedFiles().isEmpty())
        return;
    const QString nome = svdFoto->selectedFiles().constFirst();
    m_ultimoNomeGravado = Trim(nome);
    if (!GravarFoto(nome))
        return;
    FArquivoDaFoto = nome;
    FArquivoGravado = nome;
    AposGravarPeloDialogo(nome);
}

void EditorWindowBase::spdAbortarProcessamentoDesteEfeitoClick() { FAbortarProcessamento = true; }

void EditorWindowBase::LigarBarraDeProgresso(int minimo, int posicao, int maximo)
{
    AoLigarProgresso();
    m_processando = true;
    pgcControles->setEnabled(false);
    pnlControlesDireito->setEnabled(false);
    FAbortarProcessamento = false;
    spdAbortarProcessamentoDesteEfeito->show();
    prbProgresso->setMinimum(minimo);
    prbProgresso->setValue(posicao);
    prbProgresso->setMaximum(maximo);
    prbProgresso->show();
    prbProgresso->repaint();
}

void EditorWindowBase::AtualizarBarraDeProgresso(int posicao)
{
    prbProgresso->setValue(posicao);
    const int passo = PassoDeMensagensDoProgresso();
    if (passo <= 1 || posicao % passo == 0)
        QCoreApplication::processEvents();
}

void EditorWindowBase::DesligarBarraDeProgresso()
{
    spdAbortarProcessamentoDesteEfeito->hide();
    prbProgresso->hide();
    AoDesligarProgresso(FAbortarProcessamento);
    m_processando = false;
    pgcControles->setEnabled(true);
    pnlControlesDireito->setEnabled(true);
}

void EditorWindowBase::closeEvent(QCloseEvent* event)
{
    // The window hides before the question and may have to come back when the write fails; the
    // question runs once the close event is over, so that hiding for it does not end the modal wait.
    event->ignore();
    if (m_fechando || m_processando)
        return;
    m_fechando = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            platform::runGuarded([this] {
                // Hidden for the question, the window takes no second request meanwhile.
                m_fechando = false;
                hide();
                if (!VerificarSeHaAlteracoesSemSalvamentoAlertandoUsuario()) {
                    show();
                    return;
                }
                if (platform::isRunningModal(this))
                    platform::endModal(this, platform::kModalCancel);
            });
        },
        Qt::QueuedConnection);
}

void EditorWindowBase::resizeEvent(QResizeEvent* event)
{
    const int w = width();
    const int h = height();
    pnlFundo->setGeometry(0, 0, w, h);
    const int iw = w - 2 * kBordaDoFundo;
    const int ih = h - 2 * kBordaDoFundo;
    pnlControles->setGeometry(kBordaDoFundo, kBordaDoFundo + ih - kAlturaDosControles, iw, kAlturaDosControles);
    pnlProgresso->setGeometry(kBordaDoFundo + iw - kLarguraDoProgresso, kBordaDoFundo, kLarguraDoProgresso,
                              ih - kAlturaDosControles);
    pnlFoto->setGeometry(kBordaDoFundo, kBordaDoFundo, iw - kLarguraDoProgresso, ih - kAlturaDosControles);
    pgcControles->setGeometry(0, 0, iw - kLarguraDaDireita, kAlturaDosControles);
    pnlControlesDireito->setGeometry(iw - kLarguraDaDireita, 0, kLarguraDaDireita, kAlturaDosControles);
    const int ph = pnlProgresso->height();
    spdAbortarProcessamentoDesteEfeito->move(9, std::max(0, ph - 4 - 190));
    prbProgresso->setGeometry(9, 4, 24, std::max(0, ph - 4 - 190 - 8));
    DimensionarFoto();
    if (event)
        QWidget::resizeEvent(event);
}

void EditorWindowBase::dragEnterEvent(QDragEnterEvent* event)
{
    if (!platform::droppedFilePaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void EditorWindowBase::dropEvent(QDropEvent* event)
{
    const QStringList arquivos = platform::droppedFilePaths(event->mimeData());
    event->acceptProposedAction();
    platform::runGuarded([&] { RecebeuArquivoArrastado(arquivos); });
}

} // namespace lumoria
