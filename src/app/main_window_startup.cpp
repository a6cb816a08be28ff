// Start-up and shut-down of the main window: creation and its steps, showing, the welcome tip, the
// exit question, the cursor files and the single copy.
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTimer>
#include <QToolTip>

#include <vector>

#include "album/busy_scope.h"
#include "album/image_cache.h"
#include "album/page_view_fill.h"
#include "app/settings.h"
#include "app/startup_routines.h"
#include "app/user_guide.h"
#include "common/about_box.h"
#include "common/app_identity.h"
#include "common/custom_cursors.h"
#include "common/general_routines.h"
#include "common/message_box.h"
#include "common/screen_check.h"
#include "components/fancy_button.h"
#include "install/command_line.h"
#include "install/file_routines.h"
#include "install/install_modes.h"
#include "platform/system/cross_thread.h"
#include "platform/system/single_instance.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/termination.h"

namespace lumoria {

using namespace platform;

namespace {

const QString kEnderecoDoFabricante = QStringLiteral("www.lumoria.com.br");
constexpr int kPainelDoEndereco = 0;

// While the model lays out or draws, the screen shows the wait cursor; nested steps each put back
// what they found.
class CursorDeEspera final : public BusyIndicator {
public:
    void begin() override
    {
        m_salvos.push_back(screenCursor());
        setScreenCursor(kCursorWait);
    }
    void end() override
    {
        setScreenCursor(m_salvos.back());
        m_salvos.pop_back();
    }

private:
    std::vector<CursorId> m_salvos;
};

} // namespace

QString PastaParaOsCursores(const QString& pastaDoAplicativo)
{
    if (isWritableFolder(pastaDoAplicativo))
        return pastaDoAplicativo;
    const QString pasta = runtimeFolder() + QStringLiteral("/lumoria");
    makeFolder(pasta);
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
    m_indicadorDeOcupado = std::make_unique<CursorDeEspera>();
    setBusyIndicator(m_indicadorDeOcupado.get());
    CriarNovoAlbumComUmaPaginaESemFotos();
    m_cache = std::make_unique<TCacheDeImagensJaCarregadas>();
    DefinirCacheDeImagens(m_cache.get());
    m_preenchimento = std::make_unique<PreenchimentoDaTela>([this] { imgPaginaCentral->update(); });
    SetarInicioDaAplicacao();
}

void TfrmPrincipal::SetarInicioDaAplicacao()
{
    RegistrarExtensaoDeArquivo(QLatin1String(kExtensaoDosTrabalhos), QLatin1String(kDescricaoDosTrabalhos));
    AceitarArquivosArrastados(this);
    m_versaoCurta = VersaoCurta();
    m_tituloDoAplicativo = lumoria::TituloDoAplicativo();
    m_pastaDoAplicativo = lumoria::PastaDoAplicativo();
    LerConfiguracoesDoRegistro(m_configuracoes);
    if (ModosDeInstalacao(this, m_tituloDoAplicativo, ParametroDaLinhaDeComando(m_argumentos))
            .ProcessarParametrosDeInstalacao()) {
        requestTermination();
        QCoreApplication::processEvents();
        return;
    }

    QPalette dica = QToolTip::palette();
    dica.setColor(QPalette::ToolTipBase, QColor(255, 255, 255));
    dica.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    QToolTip::setPalette(dica);

    m_atomoDeExecucao = std::make_unique<SingleInstanceLock>();
    VerificarSeAplicativoJaEstaEmExecucao(*m_atomoDeExecucao, m_tituloDoAplicativo);

    m_pastaDosCursores = PastaParaOsCursores(m_pastaDoAplicativo);
    GravarArquivosDeCursores(m_pastaDosCursores);
    m_cursoresGravados = true;
    VerificarDimensoesDaTela();
    CarregarCursoresAnimados(m_pastaDosCursores, this);
    AplicarCursoresNosControles(this);

    m_documento.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true);
    // The list's width gives the thumbnails their size: the areas are placed first.
    AlinharAreas();
    AtualizarMiniaturasDasFotosDeUmaPasta();

    m_documento.setModified(false);
    ZerarBackups();
    if (m_configuracoes.EntrarMaximizada)
        setWindowState(windowState() | Qt::WindowMaximized);
    const QString argumento = ParametroDaLinhaDeComando(m_argumentos);
    if (!argumento.isEmpty())
        LerAlbum(argumento);
    m_dicaApresentada = false;
}

void TfrmPrincipal::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
    // For the first paint, the shaped buttons' faces are painted beside the page, once the fonts
    // are read. The controls are laid out by now.
    if (!std::exchange(m_facesPreparadas, true)) {
        std::vector<TFancyButton*> botoes;
        for (TFancyButton* botao : findChildren<TFancyButton*>())
            if (botao->window() == this && botao->isVisible())
                botoes.push_back(botao);
        m_leituraDasFontes->Then([faces = FancyFacesAhead::For(botoes)] { faces->Paint(); });
    }
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

void TfrmPrincipal::FormActivate()
{
    if (m_navegadorDoGuia)
        Navegar(m_navegadorDoGuia->webNavegadorGuia, ArquivoDoGuia());
}

void TfrmPrincipal::DefinirNavegadorDoGuia(TfrmNavegadorGuia* navegador) { m_navegadorDoGuia = navegador; }

void TfrmPrincipal::spdGuiaClick()
{
    if (!m_navegadorDoGuia) {
        // Printing needs the hidden guide window; without the main block's, the window makes its own.
        m_navegadorDoGuia = new TfrmNavegadorGuia(this);
        Navegar(m_navegadorDoGuia->webNavegadorGuia, ArquivoDoGuia());
    }
    ApresentarGuiaDoUsuario(this, m_navegadorDoGuia);
}

void TfrmPrincipal::VerificarSeEstaNasPrimeirasUtilizacoesParaApresentarDicas()
{
    if (countRunForWelcomeTip(m_configuracoes, m_dicaApresentada))
        CaixaDeDialogo(welcomeTipText(m_tituloDoAplicativo, m_configuracoes.ContadorDeUtilizacoes),
                       welcomeTipCaption(), QString(), QStringLiteral("Sim"), false);
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
    const int resposta = CaixaDeDialogo(exitQuestionText(m_tituloDoAplicativo, m_documento.modified()),
                                        exitQuestionCaption(), QStringLiteral("Não"), QStringLiteral("Sim"), false);
    if (resposta != 6)
        return false;
    m_configuracoes.EntrarMaximizada = isMaximized();
    GravarConfiguracoesNoRegistro(m_configuracoes);
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
    m_preenchimento.reset();
    if (CacheDeImagens() == m_cache.get())
        DefinirCacheDeImagens(nullptr);
    m_cache.reset();
    setBusyIndicator(nullptr);
}

void TfrmPrincipal::spdSairClick() { close(); }

void TfrmPrincipal::imgWindowsClick() { AbrirComProgramaAssociado(QStringLiteral("http://") + kEnderecoDoFabricante); }

} // namespace lumoria
