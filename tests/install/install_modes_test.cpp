// The install, launchers-only and uninstall modes in the test's HOME: what each writes or removes,
// the questions asked and their answers, and the failures reported.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include "common/job_file_association.h"
#include "install/command_line.h"
#include "install/install_modes.h"
#include "install/install_texts.h"
#include "modal_script.h"
#include "platform/ui/termination.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

using namespace lumoria;
using namespace lumoria::test;

namespace {

const QString kTitulo = QStringLiteral("Lumoria v9.9");
// Steps of a script beside the boxes' answers (6, 7, 2): the contract ticked and accepted, or declined.
constexpr int kAceitar = 1;
constexpr int kRecusar = 0;

QString Texto(const QStringList& linhas) { return linhas.join(QStringLiteral("\r\n")); }

QString Lido(const QString& arquivo) { return QString::fromUtf8(readFile(arquivo)); }
// A launcher's text as the install writes it.
QString Lancador(const QString& nome, const QString& executar, const QString& pasta)
{
    return "[Desktop Entry]\nType=Application\nName=" + nome + "\nExec=" + executar + "\nPath=" + pasta + "\n";
}
QStringList Lixeira() { return QDir(home() + QStringLiteral("/data/Trash/files")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

class ModosDeInstalacaoTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::clearTerminationRequest();
        origem = freshFolder(QStringLiteral("instalar/origem/Pasta Do Programa"));
        base = freshFolder(QStringLiteral("instalar/opt"));
        bin = freshFolder(QStringLiteral("instalar/bin"));
        marca = home() + QStringLiteral("/instalar/iniciado");
        QFile::remove(marca);
        desktop = home() + QStringLiteral("/Desktop");
        menu = home() + QStringLiteral("/data/applications");
        QFile::remove(AtalhoDaArea());
        QDir(PastaDoMenu()).removeRecursively();
        principal.resize(300, 200);
        principal.show();
        programa = Programa(QStringLiteral("lumoria"));
    }
    void TearDown() override { platform::clearTerminationRequest(); }

    // A program that leaves a mark when it runs, with its guide beside it.
    QString Programa(const QString& nome, bool comBiblioteca = false)
    {
        const QString caminho = origem + QStringLiteral("/") + nome;
        writeFile(caminho, ("#!/bin/sh\necho iniciado > '" + marca + "'\n").toUtf8());
        QFile::setPermissions(caminho, QFile::permissions(caminho) | QFile::ExeOwner | QFile::ExeUser);
        writeFile(origem + QStringLiteral("/manual/index.html"), "guia");
        if (comBiblioteca)
            writeFile(origem + QStringLiteral("/suporte32.dll"), "biblioteca");
        return caminho;
    }
    LocaisDeInstalacao Locais(const QString& programa) const { return {programa, base, bin}; }

    // The command line's arguments after the program, read as start-up reads them.
    bool Executar(const QStringList& argumentos, const LocaisDeInstalacao& locais)
    {
        ModosDeInstalacao modos(&principal, kTitulo, ParametroDaLinhaDeComando(argumentos), locais);
        return modos.ProcessarParametrosDeInstalacao();
    }

    QString AtalhoDaArea() const { return desktop + QStringLiteral("/") + kTitulo + QStringLiteral(".desktop"); }
    QString PastaDoMenu() const { return menu + QStringLiteral("/") + kTitulo; }
    QStringList NoMenu() const { return QDir(PastaDoMenu()).entryList(QDir::Files, QDir::Name); }
    bool Iniciado(int ms) { return QTest::qWaitFor([this] { return QFileInfo::exists(marca); }, ms); }
    // Runs the switch's mode with its windows answered by the steps, in order and every one used,
    // and gives the boxes it showed.
    QList<Caixa> Rodar(const QString& chave, const QList<int>& passos, const LocaisDeInstalacao& locais)
    {
        platform::clearTerminationRequest();
        Roteiro roteiro;
        for (int passo : passos)
            passo == kAceitar || passo == kRecusar ? roteiro.Contrato(passo == kAceitar) : roteiro.Caixa(passo);
        EXPECT_TRUE(Executar(QStringList{chave}, locais)) << chave.toStdString();
        EXPECT_TRUE(roteiro.terminou());
        EXPECT_EQ(roteiro.inesperadas, 0);
        return roteiro.caixas;
    }
    // The install mode with its question and contract answered "Sim": the box that follows them is
    // its failure box.
    Caixa Falha(const QString& chave, const LocaisDeInstalacao& locais)
    {
        const QList<Caixa> caixas = Rodar(chave, {6, kAceitar, 6}, locais);
        EXPECT_EQ(caixas.size(), 2) << "no completion question";
        EXPECT_EQ(caixas.value(1).titulo, "Falha na Instalação");
        return caixas.value(1);
    }
    void NadaEscrito()
    {
        EXPECT_TRUE(QDir(base).isEmpty());
        EXPECT_TRUE(QDir(bin).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(AtalhoDaArea()));
        EXPECT_FALSE(QFileInfo::exists(PastaDoMenu()));
    }

    QWidget principal;
    QString origem, base, bin, marca, desktop, menu;
    QString programa; // "lumoria", which leaves the mark
};

TEST_F(ModosDeInstalacaoTeste, InstallCopiesTheFolderAndMakesLaunchersAndUninstaller)
{
    const QList<Caixa> caixas = Rodar(QStringLiteral("<INSTALAR>"), {6, kAceitar, 7}, Locais(programa));
    ASSERT_EQ(caixas.size(), 2);
    const Caixa& confirmacao = caixas[0];
    EXPECT_EQ(confirmacao.titulo, "Confirmação de Instalação");
    EXPECT_EQ(confirmacao.botao1, "Sim");
    EXPECT_EQ(confirmacao.botao2, "Não");
    EXPECT_TRUE(confirmacao.texto.startsWith("Instalação\r\n\r\nEste Software Destina-Se a Operar a Produção\r\n"));
    EXPECT_TRUE(confirmacao.texto.endsWith("Você Autoriza a Instalação do\r\nLumoria v9.9?"));
    const Caixa& concluida = caixas[1];
    EXPECT_EQ(concluida.titulo, "Instalação Concluída");
    EXPECT_EQ(concluida.texto, Texto({"Lumoria v9.9", "Instalação Concluída", "",
                                      "O Aplicativo Poderá Ser Utilizado Através", "Do Menu de Aplicativos ou Então",
                                      "Disparado Pelo Ícone Que Foi Preparado", "Na Sua Área de Trabalho.", "",
                                      "Você Deseja Executa-lo Imediatamente?"}));
    EXPECT_EQ(concluida.botao2, "Não");

    const QString instalado = base + QStringLiteral("/Lumoria/lumoria");
    EXPECT_EQ(readFile(instalado), readFile(programa));
    EXPECT_EQ(readFile(base + QStringLiteral("/Lumoria/manual/index.html")), QByteArray("guia"));
    EXPECT_EQ(Lido(AtalhoDaArea()), Lancador("Lumoria v9.9", '"' + instalado + '"', base + "/Lumoria"));
    EXPECT_EQ(NoMenu(), (QStringList{"01 - Executar Lumoria v9.9.desktop", "02 - Desinstalar Lumoria v9.9.desktop"}));
    EXPECT_EQ(Lido(PastaDoMenu() + "/01 - Executar Lumoria v9.9.desktop"),
              Lancador("01 - Executar Lumoria v9.9", '"' + instalado + '"', base + "/Lumoria"));
    const QString desinstalador = bin + QStringLiteral("/lumoria_Desinstalar");
    EXPECT_EQ(readFile(desinstalador), readFile(programa));
    EXPECT_TRUE(QFileInfo(desinstalador).isExecutable());
    // The switch is quoted, so no shell takes it for a redirection.
    EXPECT_EQ(Lido(PastaDoMenu() + "/02 - Desinstalar Lumoria v9.9.desktop"),
              Lancador("02 - Desinstalar Lumoria v9.9", '"' + desinstalador + "\" \"<DESINSTALAR>\"", bin));
    EXPECT_FALSE(QFileInfo::exists(bin + QStringLiteral("/suporte32.dll")));

    EXPECT_FALSE(Iniciado(300)) << "\"Não\" starts nothing";
    EXPECT_TRUE(platform::terminationRequested());
    EXPECT_TRUE(principal.isHidden());
    EXPECT_EQ(principal.size(), QSize(1, 1));

    // "Sim" to the completion starts the installed program.
    EXPECT_EQ(Rodar(QStringLiteral("<INSTALAR>"), {6, kAceitar, 6}, Locais(programa)).size(), 2);
    EXPECT_TRUE(Iniciado(5000));
}

TEST_F(ModosDeInstalacaoTeste, DecliningWritesNothing)
{
    Programa(QStringLiteral("lumoria"), true);
    const struct {
        const char* argumento;
        bool contrato; // declined at the contract window rather than at the question
    } casos[] = {{"<INSTALAR>", false}, {"<INSTALAR>", true}, {"<ICONES>", false}, {"<ICONES>", true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.contrato ? "declined at the contract" : "declined at the question");
        const QList<int> passos = c.contrato ? QList<int>{6, kRecusar} : QList<int>{7};
        EXPECT_EQ(Rodar(QLatin1String(c.argumento), passos, Locais(programa)).size(), 1);
        EXPECT_TRUE(platform::terminationRequested());
        NadaEscrito();
    }
}

TEST_F(ModosDeInstalacaoTeste, LaunchersOnlyPointAtTheProgramWhereItStands)
{
    const QString outro = Programa(QStringLiteral("LumoriaTeste"), true);
    const QList<Caixa> caixas = Rodar(QStringLiteral("\"<icones>\""), {6, kAceitar, 7}, Locais(outro));
    ASSERT_EQ(caixas.size(), 2);
    EXPECT_EQ(caixas[0].titulo, "Confirmação de Instalação");
    EXPECT_EQ(caixas[0].texto, "Lumoria v9.9\r\n" + TextoDeConfirmacaoDaInstalacao(kTitulo));
    EXPECT_EQ(caixas[1].titulo, "Instalação Concluída");

    EXPECT_TRUE(QDir(base).isEmpty()) << "nothing copied";
    EXPECT_EQ(Lido(AtalhoDaArea()), Lancador("Lumoria v9.9", '"' + outro + '"', origem));
    EXPECT_EQ(readFile(bin + QStringLiteral("/LumoriaTeste_Desinstalar")), readFile(outro));
    EXPECT_EQ(readFile(bin + QStringLiteral("/suporte32.dll")), QByteArray("biblioteca"));
    EXPECT_TRUE(Lido(PastaDoMenu() + "/02 - Desinstalar Lumoria v9.9.desktop")
                    .contains("Exec=\"" + bin + "/LumoriaTeste_Desinstalar\" \"<DESINSTALAR>\"\n"));
}

TEST_F(ModosDeInstalacaoTeste, UninstallRemovesWhatTheInstallMadeButTheUninstaller)
{
    Rodar(QStringLiteral("<INSTALAR>"), {6, kAceitar, 7}, Locais(programa));
    ASSERT_TRUE(QFileInfo::exists(AtalhoDaArea()));

    // "Não" removes nothing.
    QList<Caixa> caixas = Rodar(QStringLiteral("<DESINSTALAR>"), {7}, Locais(programa));
    ASSERT_EQ(caixas.size(), 1);
    EXPECT_EQ(caixas[0].titulo, "Confirmação de Desinstalação");
    EXPECT_EQ(caixas[0].texto, Texto({"Lumoria v9.9", "Desinstalação", "", "Você Está Certo de Que Deseja Remover",
                                      "Este Aplicativo Do Seu Computador?", "", "Você Autoriza a Desinstalação do",
                                      "Lumoria v9.9?"}));
    EXPECT_TRUE(QFileInfo::exists(base + QStringLiteral("/Lumoria/lumoria")));
    EXPECT_TRUE(QFileInfo::exists(AtalhoDaArea()));
    EXPECT_EQ(NoMenu().size(), 2);

    const QStringList naLixeira = Lixeira();
    caixas = Rodar(QStringLiteral(" <desinstalar> "), {6, 6}, Locais(programa));
    ASSERT_EQ(caixas.size(), 2);
    EXPECT_EQ(caixas[1].titulo, "Desinstalação Concluída");
    EXPECT_EQ(caixas[1].texto, Texto({"Lumoria v9.9", "Desinstalação", "", "O Aplicativo Foi Desinstalado Com Sucesso."}));
    EXPECT_EQ(caixas[1].botao2, "");
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("/Lumoria")));
    EXPECT_TRUE(QFileInfo(base).isDir());
    EXPECT_FALSE(QFileInfo::exists(AtalhoDaArea()));
    EXPECT_FALSE(QFileInfo::exists(PastaDoMenu()));
    EXPECT_TRUE(QFileInfo(menu).isDir());
    EXPECT_TRUE(QFileInfo::exists(bin + QStringLiteral("/lumoria_Desinstalar")));
    EXPECT_TRUE(platform::terminationRequested());
    // Deleted, not moved to the trash (which other tests of this process may have used).
    EXPECT_EQ(Lixeira(), naLixeira);
}

// What the job files open with: the command in the classes store and the desktop's entry.
struct Associacao {
    std::optional<QString> comando;
    QString entrada;
};

Associacao AssociacaoAtual()
{
    const QString entrada = home() + QStringLiteral("/data/applications/lumoria-pvo.desktop");
    return {fileClassesStore().readString(QStringLiteral("PVO_auto_file\\shell\\open\\command"), QString()),
            QFileInfo::exists(entrada) ? Lido(entrada) : QString()};
}

TEST_F(ModosDeInstalacaoTeste, TheInstallAssociatesTheJobFilesWithTheInstalledCopyAndTheUninstallRemovesIt)
{
    // A start of the copy the install runs from has associated the job files with it.
    ASSERT_TRUE(RegistrarExtensaoDeArquivo(QStringLiteral(".pvo"), QStringLiteral("Lumoria")));
    const QString instalado = base + QStringLiteral("/Lumoria/lumoria");
    struct Caso {
        QString chave;
        QString esperado; // the program the job files open with afterwards
    };
    for (const Caso& c : {Caso{QStringLiteral("<INSTALAR>"), instalado}, Caso{QStringLiteral("<ICONES>"), programa}}) {
        SCOPED_TRACE(c.chave.toStdString());
        Rodar(c.chave, {6, kAceitar, 7}, Locais(programa));
        const Associacao depois = AssociacaoAtual();
        EXPECT_EQ(depois.comando, std::optional<QString>(QStringLiteral("\"") + c.esperado + QStringLiteral("\" \"%1\"")));
        EXPECT_TRUE(depois.entrada.contains(QStringLiteral("Exec=\"") + c.esperado + QStringLiteral("\" %f\n")))
            << depois.entrada.toStdString();
    }

    EXPECT_EQ(Rodar(QStringLiteral("<DESINSTALAR>"), {6, 6}, Locais(programa)).value(1).titulo, "Desinstalação Concluída");
    EXPECT_FALSE(AssociacaoAtual().comando.has_value());
    EXPECT_FALSE(fileClassesStore().keyExists(QStringLiteral(".PVO")));
    EXPECT_FALSE(fileClassesStore().keyExists(QStringLiteral("PVO_auto_file")));
    EXPECT_FALSE(QFileInfo::exists(home() + QStringLiteral("/data/applications/lumoria-pvo.desktop")));
    EXPECT_FALSE(QFileInfo::exists(home() + QStringLiteral("/data/mime/packages/application-x-lumoria-pvo.xml")));
}

TEST_F(ModosDeInstalacaoTeste, UninstallReportsWhatItCouldNotRemoveAndNeverABaseFolder)
{
    writeFile(AtalhoDaArea(), "x");
    writeFile(PastaDoMenu() + QStringLiteral("/01.desktop"), "x");
    writeFile(desktop + QStringLiteral("/outro.txt"), "fica");
    // Where programs are installed is unknown here: the program folder cannot be found.
    ModosDeInstalacao modos(&principal, kTitulo, QString(), {programa, QString(), bin});
    {
        Roteiro roteiro;
        roteiro.Caixa(6);
        EXPECT_FALSE(modos.Desinstalar(QStringLiteral("Lumoria"), kTitulo));
        ASSERT_EQ(roteiro.caixas.size(), 1);
        EXPECT_EQ(roteiro.caixas[0].titulo, "Falha na Desinstalação");
        EXPECT_EQ(roteiro.caixas[0].texto, Texto({"Lumoria v9.9", "Desinstalação", "", "Não Foi Possível Remover:",
                                                  "/Lumoria", "", "A Desinstalação Não Foi Concluída."}));
    }
    EXPECT_FALSE(QFileInfo::exists(AtalhoDaArea()));
    EXPECT_FALSE(QFileInfo::exists(PastaDoMenu()));

    // An empty title names no launcher and no menu folder: the desktop and the menu stay whole.
    Roteiro outro;
    outro.Caixa(6);
    ModosDeInstalacao semTitulo(&principal, QString(), QString(), {QString(), base, bin});
    EXPECT_FALSE(semTitulo.Desinstalar(QStringLiteral("  "), QStringLiteral("  ")));
    EXPECT_EQ(outro.caixas.size(), 1);
    EXPECT_EQ(readFile(desktop + QStringLiteral("/outro.txt")), QByteArray("fica"));
    EXPECT_TRUE(QFileInfo(menu).isDir());
    EXPECT_TRUE(QFileInfo(base).isDir());
}

TEST_F(ModosDeInstalacaoTeste, AFailedInstallTakesBackWhatItWroteAndSaysWhereAndWhy)
{
    const QString bloqueio = home() + QStringLiteral("/instalar/arquivo-comum"); // a file where a folder should be
    const QString alheio = home() + QStringLiteral("/instalar/alheio");
    const QString copiar = "Não Foi Possível Copiar o Programa Para:", atalho = "Não Foi Possível Criar o Atalho:",
                  desinstalador = "Não Foi Possível Criar o Desinstalador:";
    const QString pasta = "Parte do Caminho Não É Uma Pasta", link = "Existe Um Link Simbólico Com Este Nome";
    const struct {
        const char* chave;
        LocaisDeInstalacao locais;
        rlim_t limite;  // the largest file the disk takes; 0: no limit
        QString ligado; // a link made at that name first, to a folder or to a file of someone else's
        bool aPasta;
        QString passo, caminho, motivo;
    } cases[] = {
        {"<INSTALAR>", {programa, bloqueio, bin}, 0, {}, false, copiar, bloqueio + "/Lumoria", pasta},
        {"<ICONES>", {programa, base, bloqueio}, 0, {}, false, desinstalador, bloqueio + "/lumoria_Desinstalar", pasta},
        // The example photo fails half copied.
        {"<INSTALAR>", Locais(programa), 100000, {}, false, copiar, base + "/Lumoria", "Arquivo Grande Demais Para o Disco"},
        {"<INSTALAR>", Locais(programa), 0, base + "/Lumoria", true, copiar, base + "/Lumoria", link},
        {"<INSTALAR>", Locais(programa), 0, AtalhoDaArea(), false, atalho, AtalhoDaArea(), link},
        {"<INSTALAR>", Locais(programa), 0, PastaDoMenu(), true, atalho, PastaDoMenu() + "/01 - Executar Lumoria v9.9.desktop",
         link},
        {"<INSTALAR>", Locais(programa), 0, bin + "/lumoria_Desinstalar", false, desinstalador, bin + "/lumoria_Desinstalar",
         link},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.motivo + " at " + c.caminho).toStdString());
        SetUp();
        QDir(alheio).removeRecursively();
        writeFile(alheio + QStringLiteral("/lumoria"), "someone's");
        writeFile(bloqueio, "nao e uma pasta");
        writeFile(origem + QStringLiteral("/Fotos Lumoria/Exemplos/grande.jpg"), QByteArray(200000, 'j'));
        if (!c.ligado.isEmpty()) {
            QDir().mkpath(QFileInfo(c.ligado).absolutePath());
            ASSERT_TRUE(QFile::link(c.aPasta ? alheio : alheio + QStringLiteral("/lumoria"), c.ligado));
        }
        std::optional<FileSizeLimit> limite;
        if (c.limite)
            limite.emplace(c.limite);
        EXPECT_EQ(Falha(QLatin1String(c.chave), c.locais).texto,
                  Texto({"Lumoria v9.9", "Instalação", "", c.passo, c.caminho, "(" + c.motivo + ")", "",
                         "A Instalação Foi Interrompida."}));
        limite.reset();
        EXPECT_TRUE(platform::terminationRequested());
        // Nothing is written through a link, and the link stays.
        EXPECT_EQ(QDir(alheio).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"lumoria"});
        EXPECT_EQ(readFile(alheio + QStringLiteral("/lumoria")), QByteArray("someone's"));
        EXPECT_EQ(QFileInfo(c.ligado).isSymLink(), !c.ligado.isEmpty());
        if (!c.ligado.isEmpty())
            QFile::remove(c.ligado);
        NadaEscrito();
    }
}

TEST_F(ModosDeInstalacaoTeste, OnlyAWholeSwitchSelectsAMode)
{
    const struct {
        const char* argumento;
        const char* titulo; // of the question asked; empty: no mode
    } casos[] = {
        {"<instalar>", "Confirmação de Instalação"},
        {"  <Instalar>  ", "Confirmação de Instalação"},
        {"<ICONES>", "Confirmação de Instalação"},
        {"<DESINSTALAR>", "Confirmação de Desinstalação"},
        {"<INSTALAR> agora", ""},
        {"<INSTALAR>x", ""},
        {"INSTALAR", ""},
        {"/fotos/trabalho.pvo", ""},
        {"", ""},
    };
    for (const auto& c : casos) {
        platform::clearTerminationRequest();
        Roteiro roteiro;
        roteiro.Caixa(7);
        const bool modo = Executar(QStringList{QString::fromUtf8(c.argumento)}, Locais(programa));
        const QString titulo = QString::fromUtf8(c.titulo);
        EXPECT_EQ(modo, !titulo.isEmpty()) << c.argumento;
        EXPECT_EQ(platform::terminationRequested(), modo) << c.argumento;
        if (modo) {
            ASSERT_EQ(roteiro.caixas.size(), 1) << c.argumento;
            EXPECT_EQ(roteiro.caixas[0].titulo, titulo);
        } else {
            EXPECT_EQ(roteiro.janelas, 0) << c.argumento;
        }
    }
    NadaEscrito();
}

} // namespace
