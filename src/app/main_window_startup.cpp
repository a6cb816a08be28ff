// Start-up and shut-down of the main window: creation and its steps, showing, the welcome tip, the
// exit question, the cursor files and the single copy.
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <QToolTip>

#include "album/image_cache.h"
#include "common/app_identity.h"
#include "common/custom_cursors.h"
#include "common/general_routines.h"
#include "common/message_box.h"
#include "common/screen_check.h"
#include "install/file_routines.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/status_bar.h"

namespace lumoria {

using namespace platform;

void RegistrarExtensaoDeArquivo(const QString&, const QString&);
QString TextoDaDicaDeBoasVindas(const QString&, int);
QString TextoDaPerguntaDeSaida(const QString&, bool);

namespace {

const QString kEnderecoDoFabricante = QStringLiteral("www.lumoria.com.br");
constexpr int kPainelDoEndereco = 0;

// Whether a file can be created in the folder (a read-only folder, or one on a read-only file
// system, cannot take one whoever the user is).
bool PastaGravavel(const QString& pasta)
{
    QTemporaryFile sonda(QDir(pasta).filePath(QStringLiteral(".lumoria-XXXXXX")));
    return sonda.open();
}

} // namespace

QString PastaParaOsCursores(const QString& pastaDoAplicativo)
{
    if (PastaGravavel(pastaDoAplicativo))
        return pastaDoAplicativo;
    QString execucao = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString pasta = QDir(execucao).filePath(QStringLiteral("lumoria"));
    QDir().mkpath(pasta);
    return pasta + QLatin1Char('/');
}

TfrmPrincipal::TfrmPrincipal(const QStringList& argumentos) : QWidget(nullptr), m_argumentos(argumentos)
{
    CriarControles();
    LigarEventos();
    // A failure here goes to the failure handler as any other; an error there ends the program.
    runGuarded([this] { FormCreate(); });
}

TfrmPrincipal::~TfrmPrincipal() { FormDestroy(); }

void TfrmPrincipal::FormCreate()
{
    CriarNovoAlbumComUmaPaginaESemFotos();
    m_cache = std::make_unique<TCacheDeImagensJaCarregadas>();
    DefinirCacheDeImagens(m_cache.get());
    SetarInicioDaAplicacao();
}

void TfrmPrincipal::SetarInicioDaAplicacao()
{
    RegistrarExtensaoDeArquivo(QStringLiteral(".pvo"), QStringLiteral("Lumoria"));
    AceitarArquivosArrastados(this);
    m_versaoCurta = VersaoCurta();
    m_tituloDoAplicativo = lumoria::TituloDoAplicativo();
    m_pastaDoAplicativo = lumoria::PastaDoAplicativo();
    LerConfiguracoes();
    // The install switches come with the installation modes.

    QPalette dica = QToolTip::palette();
    dica.setColor(QPalette::ToolTipBase, QColor(255, 255, 255));
    dica.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    QToolTip::setPalette(dica);

    VerificarSeAplicativoJaEstaEmExecucao();

    m_pastaDosCursores = PastaParaOsCursores(m_pastaDoAplicativo);
    GravarArquivosDeCursores(m_pastaDosCursores);
    m_cursoresGravados = true;
    VerificarDimensoesDaTela();
    CarregarCursoresAnimados(m_pastaDosCursores, this);
    AplicarCursoresNosControles(this);

    m_documento.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true);
    // The thumbnails of the folder come with the folder browsing.

    const QString documentos = PastaMeusDocumentos();
    for (QFileDialog* d : {opdFoto, svdTrabalho, opdTrabalho})
        d->setDirectory(documentos);

    m_documento.setModified(false);
    ZerarBackups();
    if (m_entrarMaximizada)
        setWindowState(windowState() | Qt::WindowMaximized);
    const QString argumento = m_argumentos.join(QLatin1Char(' ')).trimmed();
    if (!argumento.isEmpty())
        LerAlbum(argumento);
    m_dicaApresentada = false;
}

void TfrmPrincipal::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TfrmPrincipal::FormShow()
{
    setWindowTitle(m_tituloDoAplicativo + QStringLiteral(" (Build: ") + VersaoDoExecutavel() + QStringLiteral(")"));
    stbEstado->setPanelText(kPainelDoEndereco, kEnderecoDoFabricante);
    // The tip waits until the window is on the screen.
    QTimer::singleShot(0, this, [this] { runGuarded([this] { VerificarSeEstaNasPrimeirasUtilizacoesParaApresentarDicas(); }); });
}

void TfrmPrincipal::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        runGuarded([this] { FormActivate(); });
}

void TfrmPrincipal::FormActivate() {}

void TfrmPrincipal::VerificarSeEstaNasPrimeirasUtilizacoesParaApresentarDicas()
{
    if (!m_dicaApresentada) {
        if (m_contadorDeUtilizacoes < std::numeric_limits<std::int32_t>::max())
            ++m_contadorDeUtilizacoes;
        if (m_contadorDeUtilizacoes <= 3)
            CaixaDeDialogo(TextoDaDicaDeBoasVindas(m_tituloDoAplicativo, m_contadorDeUtilizacoes),
                           QStringLiteral("Mensagem de Boas Vindas e Dica Para Aplicação de Fotos"), QString(),
                           QStringLiteral("Sim"), false);
    }
    m_dicaApresentada = true;
}

void TfrmPrincipal::closeEvent(QCloseEvent* event)
{
    bool fechar = false;
    runGuarded([&] { fechar = FormCloseQuery(); });
    if (!fechar) {
        event->ignore();
        return;
    }
    runGuarded([this] { FormClose(); });
    event->accept();
}

bool TfrmPrincipal::FormCloseQuery()
{
    const int resposta = CaixaDeDialogo(TextoDaPerguntaDeSaida(m_tituloDoAplicativo, m_documento.modified()),
                                        QStringLiteral("Confirmação Para Saída"), QStringLiteral("Não"),
                                        QStringLiteral("Sim"), false);
    if (resposta != 6)
        return false;
    m_entrarMaximizada = isMaximized();
    GravarConfiguracoes();
    return true;
}

void TfrmPrincipal::FormClose()
{
    if (m_cursoresGravados)
        ApagarArquivosDeCursores(m_pastaDosCursores);
}

void TfrmPrincipal::FormDestroy()
{
    m_atomoDeExecucao.reset();
    if (CacheDeImagens() == m_cache.get())
        DefinirCacheDeImagens(nullptr);
    m_cache.reset();
}

void TfrmPrincipal::spdSairClick() { close(); }

void TfrmPrincipal::spdSairMouseUp(Qt::MouseButton botao, Qt::KeyboardModifiers teclas)
{
    const Qt::KeyboardModifiers todas = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (botao != Qt::RightButton || (teclas & todas) != todas)
        return;
    CaixaDeDialogoComImagem(m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("Concepção e Criação Integral") +
                                QuebrasDeLinha(1) + QStringLiteral("De Todos Os Elementos Deste") + QuebrasDeLinha(1) +
                                QStringLiteral("Produto Sob Autoria De") + QuebrasDeLinha(1) +
                                QStringLiteral("Equipe Lumoria"),
                            QStringLiteral("Autor Deste Programa"), QStringLiteral("Sim"));
}

} // namespace lumoria
