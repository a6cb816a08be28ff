#include "install/install_modes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

#include "common/dialog_glyphs.h"
#include "common/job_file_association.h"
#include "common/main_window_shrink.h"
#include "common/message_box.h"
#include "common/text_trim.h"
#include "install/contract_window.h"
#include "install/file_routines.h"
#include "install/install_texts.h"
#include "platform/shell/desktop_launcher.h"
#include "platform/shell/file_operations.h"
#include "platform/shell/start_program.h"
#include "platform/system/program_info.h"
#include "platform/ui/termination.h"

namespace lumoria {

namespace {

constexpr std::uint8_t kImagemSim = 2;
constexpr std::uint8_t kImagemNao = 3;
const QString kBibliotecaDeSuporte = QStringLiteral("suporte32.dll");

// base + "/" + nome, or empty when either is unknown or the name would climb out of the base: an
// empty name must never make the base itself the thing removed.
QString CaminhoDentroDe(const QString& base, const QString& nome)
{
    const QString n = Trim(nome);
    if (base.isEmpty() || n.isEmpty() || n == QStringLiteral(".") || n == QStringLiteral("..") ||
        n.contains(QLatin1Char('/')))
        return QString();
    return Trim(base + QLatin1Char('/') + n);
}

QString PastaDe(const QString& arquivo) { return QFileInfo(arquivo).absolutePath(); }

} // namespace


QString NomeDoDesinstalador(const QString& nomeDoPrograma)
{
    const QString nome = Trim(nomeDoPrograma);
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    const QString marca = QStringLiteral("_Desinstalar");
    // A leading dot marks a hidden file, not an extension.
    if (ponto <= 0)
        return nome + marca;
    return nome.left(ponto) + marca + nome.mid(ponto);
}

QList<QImage> ImagensIcones24x24() { return {QImage(), QImage(), GlyphYes(), GlyphNo()}; }

ModosDeInstalacao::ModosDeInstalacao(QWidget* principal, QString titulo, QString argumento, LocaisDeInstalacao locais)
    : m_principal(principal), m_titulo(std::move(titulo)), m_argumento(std::move(argumento)), m_locais(std::move(locais))
{
}

QString ModosDeInstalacao::Programa() const
{
    return m_locais.programa ? *m_locais.programa : platform::programFilePath();
}

QString ModosDeInstalacao::ArquivosDeProgramas() const
{
    return m_locais.arquivosDeProgramas ? *m_locais.arquivosDeProgramas : PastaArquivosDeProgramas();
}

QString ModosDeInstalacao::PastaDoDesinstalador() const
{
    return m_locais.pastaDoWindows ? *m_locais.pastaDoWindows : PastaDoWindows();
}

bool ModosDeInstalacao::ArgumentoE(const char* chave) const
{
    return Trim(m_argumento).toUpper() == QLatin1String(chave);
}

bool ModosDeInstalacao::ProcessarParametrosDeInstalacao()
{
    return ProcessarParametroInstalar() || ProcessarParametroIcones() || ProcessarParametroDesinstalar();
}

int ModosDeInstalacao::Confirmar(const QString& texto, const QString& titulo)
{
    return CaixaDeDialogoComIconesEspeciais(texto, titulo, QStringLiteral("Não"), QStringLiteral("Sim"), kImagemNao,
                                            kImagemSim, false, false, ImagensIcones24x24());
}

bool ModosDeInstalacao::ContratoAceito()
{
    // A new window for every use, released afterwards.
    auto contrato = std::make_unique<TfrmDialogoContrato>(m_principal);
    contrato->ShowModal();
    return contrato->Resposta == 6;
}

void ModosDeInstalacao::Terminar()
{
    ReduzTamanhoFormularioPrincipal(m_principal);
    platform::requestTermination();
    QCoreApplication::processEvents();
}

bool ModosDeInstalacao::ProcessarParametroInstalar()
{
    if (!ArgumentoE(kSwitchInstalar))
        return false;
    if (Confirmar(TextoDeConfirmacaoDaInstalacao(m_titulo), QStringLiteral("Confirmação de Instalação")) == 6 &&
        ContratoAceito())
        Instalar(QLatin1String(kPastaDoProduto), m_titulo);
    Terminar();
    return true;
}

bool ModosDeInstalacao::ProcessarParametroIcones()
{
    if (!ArgumentoE(kSwitchIcones))
        return false;
    if (Confirmar(TextoDeConfirmacaoDosIcones(m_titulo), QStringLiteral("Confirmação de Instalação")) == 6 &&
        ContratoAceito())
        ConcluirInstalacao(Trim(QFileInfo(Programa()).absoluteFilePath()), m_titulo);
    Terminar();
    return true;
}

bool ModosDeInstalacao::ProcessarParametroDesinstalar()
{
    if (!ArgumentoE(kSwitchDesinstalar))
        return false;
    if (Confirmar(TextoDeConfirmacaoDaDesinstalacao(m_titulo), QStringLiteral("Confirmação de Desinstalação")) == 6)
        Desinstalar(QLatin1String(kPastaDoProduto), m_titulo);
    Terminar();
    return true;
}

void ModosDeInstalacao::Escrito(const QString& arquivo) { m_escritos << arquivo; }

bool ModosDeInstalacao::Falhou(const QString& oQue, const QString& caminho, QString motivo)
{
    // A half-made installation is of no use and would be taken for a whole one.
    for (const QString& arquivo : std::as_const(m_escritos))
        platform::removeFile(arquivo);
    m_escritos.clear();
    if (!m_pastaDoMenuCriada.isEmpty())
        QDir().rmdir(m_pastaDoMenuCriada);
    m_pastaDoMenuCriada.clear();
    platform::undoCopy(m_copia);
    m_copia = {};
    CaixaDeDialogo(TextoDeFalhaNaInstalacao(m_titulo, oQue, caminho, motivo), QStringLiteral("Falha na Instalação"),
                   QString(), QStringLiteral("Sim"), true);
    return false;
}

bool ModosDeInstalacao::Instalar(const QString& produto, const QString& titulo)
{
    const QFileInfo executando(Programa());
    const QString origem = executando.absolutePath();
    const QString base = ArquivosDeProgramas();
    const QString destino = CaminhoDentroDe(base, produto);
    const QString copiarPara = QStringLiteral("Não Foi Possível Copiar o Programa Para:");
    if (destino.isEmpty())
        return Falhou(copiarPara, base + QLatin1Char('/') + produto);
    // Letter case kept: on this system another case is another file.
    const QString instalado = destino + QLatin1Char('/') + executando.fileName();
    m_copia = {};
    if (!CopiarPasta(m_principal, origem, destino, &m_copia))
        return Falhou(copiarPara, destino, m_copia.reason);
    if (!QFileInfo(instalado).isFile())
        return Falhou(copiarPara, destino);
    return ConcluirInstalacao(instalado, titulo);
}

bool ModosDeInstalacao::ConcluirInstalacao(const QString& programaDado, const QString& titulo)
{
    const QString programa = Trim(QFileInfo(Trim(programaDado)).absoluteFilePath());
    const QString pastaDoPrograma = PastaDe(programa);
    const QString criarAtalho = QStringLiteral("Não Foi Possível Criar o Atalho:");
    const QString sufixo = QLatin1String(platform::kLauncherSuffix);

    QString motivo;
    const QString naArea = PastaAreaDeTrabalho() + QLatin1Char('/') + titulo + sufixo;
    if (!CriarAtalho(programa, QString(), pastaDoPrograma, titulo, QString(), kAtalhoNaAreaDeTrabalho, &motivo))
        return Falhou(criarAtalho, naArea, motivo);
    Escrito(naArea);
    const QString pastaDoMenu = PastaMenuIniciar() + QLatin1Char('/') + titulo;
    if (!PastaMenuIniciar().isEmpty() && !platform::pathExists(pastaDoMenu))
        m_pastaDoMenuCriada = pastaDoMenu;
    const QString executar = QStringLiteral("01 - Executar ") + titulo;
    if (!CriarAtalho(programa, QString(), pastaDoPrograma, executar, titulo, kAtalhoNoMenuIniciar, &motivo))
        return Falhou(criarAtalho, pastaDoMenu + QLatin1Char('/') + executar + sufixo, motivo);
    Escrito(pastaDoMenu + QLatin1Char('/') + executar + sufixo);

    const QString pastaDoDesinstalador = PastaDoDesinstalador();
    const QString desinstalador =
        CaminhoDentroDe(pastaDoDesinstalador, NomeDoDesinstalador(QFileInfo(programa).fileName()));
    const QString criarDesinstalador = QStringLiteral("Não Foi Possível Criar o Desinstalador:");
    if (desinstalador.isEmpty())
        return Falhou(criarDesinstalador, pastaDoDesinstalador);
    if (!CopiarArquivo(programa, desinstalador, &motivo))
        return Falhou(criarDesinstalador, desinstalador, motivo);
    Escrito(desinstalador);
    const QString desinstalar = QStringLiteral("02 - Desinstalar ") + titulo;
    if (!CriarAtalho(desinstalador, QLatin1String(kSwitchDesinstalar), PastaDe(desinstalador), desinstalar, titulo,
                     kAtalhoNoMenuIniciar, &motivo))
        return Falhou(criarAtalho, pastaDoMenu + QLatin1Char('/') + desinstalar + sufixo, motivo);
    Escrito(pastaDoMenu + QLatin1Char('/') + desinstalar + sufixo);

    // The job files open with the installed copy from now on, not with the one the install ran from.
    platform::SettingsStore classes = fileClassesStore();
    const platform::FileTypeAssociation associacao = desktopAssociationFor(
        QLatin1String(kExtensaoDosTrabalhos), QLatin1String(kDescricaoDosTrabalhos), programa);
    if (!RegistrarExtensaoDeArquivo(classes, QLatin1String(kExtensaoDosTrabalhos), QLatin1String(kDescricaoDosTrabalhos),
                                    programa))
        return Falhou(QStringLiteral("Não Foi Possível Gravar o Arquivo:"), platform::desktopEntryPath(associacao));

    const QString biblioteca = PastaDe(Programa()) + QLatin1Char('/') + kBibliotecaDeSuporte;
    if (QFileInfo(biblioteca).isFile()) {
        const QString copia = pastaDoDesinstalador + QLatin1Char('/') + kBibliotecaDeSuporte;
        if (!CopiarArquivo(biblioteca, copia, &motivo))
            return Falhou(QStringLiteral("Não Foi Possível Copiar o Arquivo:"), copia, motivo);
        Escrito(copia);
    }
    // Whole: nothing of it is taken back any more.
    m_escritos.clear();
    m_pastaDoMenuCriada.clear();
    m_copia = {};

    if (QFileInfo(programa).isFile() &&
        CaixaDeDialogo(TextoDeInstalacaoConcluida(titulo), QStringLiteral("Instalação Concluída"),
                       QStringLiteral("Não"), QStringLiteral("Sim"), false) == 6 &&
        !platform::startProgramDetached(programa))
        Falhou(QStringLiteral("Não Foi Possível Iniciar o Programa:"), programa);
    ReduzTamanhoFormularioPrincipal(m_principal);
    return true;
}

bool ModosDeInstalacao::Desinstalar(const QString& produto, const QString& titulo)
{
    QStringList restantes;
    const auto remover = [&restantes](const QString& caminho, const QString& mostrado, auto apagar) {
        // An unknown place cannot be checked, so it counts as not removed.
        if (caminho.isEmpty()) {
            restantes << mostrado;
            return;
        }
        apagar(caminho);
        if (platform::pathExists(caminho))
            restantes << caminho;
    };
    const QString base = ArquivosDeProgramas();
    remover(CaminhoDentroDe(base, produto), base + QLatin1Char('/') + produto,
            [](const QString& p) { ApagarPasta(p, false); });
    const QString nomeDoAtalho = Trim(titulo).isEmpty() ? QString() : Trim(titulo) + QLatin1String(platform::kLauncherSuffix);
    remover(CaminhoDentroDe(PastaAreaDeTrabalho(), nomeDoAtalho), PastaAreaDeTrabalho() + QLatin1Char('/') + nomeDoAtalho,
            [](const QString& p) { ApagarArquivo(p, false); });
    remover(CaminhoDentroDe(PastaMenuIniciar(), titulo), PastaMenuIniciar() + QLatin1Char('/') + titulo,
            [](const QString& p) { ApagarPasta(p, false); });
    // The job files' association the program wrote, at its starts and at the install.
    platform::SettingsStore classes = fileClassesStore();
    if (!RemoverExtensaoDeArquivo(classes, QLatin1String(kExtensaoDosTrabalhos), QLatin1String(kDescricaoDosTrabalhos)))
        restantes << platform::desktopEntryPath(desktopAssociationFor(QLatin1String(kExtensaoDosTrabalhos),
                                                                      QLatin1String(kDescricaoDosTrabalhos), QString()));

    if (!restantes.isEmpty()) {
        CaixaDeDialogo(TextoDeFalhaNaDesinstalacao(titulo, restantes), QStringLiteral("Falha na Desinstalação"),
                       QString(), QStringLiteral("Sim"), true);
        return false;
    }
    CaixaDeDialogo(TextoDeDesinstalacaoConcluida(titulo), QStringLiteral("Desinstalação Concluída"), QString(),
                   QStringLiteral("Sim"), false);
    return true;
}

} // namespace lumoria
