#include "app/user_guide.h"

#include "common/box_hooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

#include <cstdint>

#include "common/app_identity.h"
#include "common/dialog_form.h"
#include "common/general_routines.h"
#include "common/small_dialogs.h"
#include "common/text_trim.h"
#include "platform/failure.h"
#include "platform/printing/document_printing.h"
#include "platform/ui/align_layout.h"
#include "platform/ui/screen_centre.h"

namespace lumoria {

namespace {

constexpr int kWidth = 104;
constexpr int kHeight = 41;

enum RespostaDoGuia : std::uint8_t { kFechado = 0, kNaoQuero = 1, kNaTela = 2, kImpresso = 3 };

void AvisarGuiaNaoMostrado()
{
    showBox(TituloDoAplicativo() + QuebrasDeLinha(2) + QStringLiteral("O Guia do Usuário Não Pôde Ser Mostrado Na Tela.")
                + QuebrasDeLinha(2) + QStringLiteral("Não Há Um Programa Para Abrir Páginas da Internet")
                + QuebrasDeLinha(1) + QStringLiteral("Instalado Neste Computador."),
            QStringLiteral("Guia do Usuário"), QString(), QStringLiteral("Sim"), false);
}

} // namespace

TfrmNavegadorGuia::TfrmNavegadorGuia(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    resize(kWidth, kHeight);
    platform::centreOnScreen(this);
    auto* layout = new platform::AlignLayout(this);
    webNavegadorGuia = new QTextBrowser(this);
    webNavegadorGuia->setObjectName(QStringLiteral("webNavegadorGuia"));
    layout->addWidget(webNavegadorGuia, platform::Align::Client);
}

QString ArquivoDoGuia()
{
    return PastaDoAplicativo() + QStringLiteral("manual/index.html");
}

void Navegar(QTextBrowser* navegador, const QString& endereco)
{
    const QString alvo = Trim(endereco);
    navegador->setSource(QUrl::fromUserInput(alvo, QDir::currentPath(), QUrl::AssumeLocalFile));
}

void ImprimirPaginaDoNavegador(QTextBrowser* navegador)
{
    platform::printDocumentWithDialog(*navegador->document(), navegador->window());
}

void ApresentarGuiaDoUsuario(QWidget* janelaPrincipal, TfrmNavegadorGuia* navegador)
{
    ApresentarGuiaDoUsuario(janelaPrincipal, navegador, ArquivoDoGuia());
}

void ApresentarGuiaDoUsuario(QWidget* janelaPrincipal, TfrmNavegadorGuia* navegador, const QString& arquivoDoGuia)
{
    if (!QFileInfo(arquivoDoGuia).isFile())
        throw GuideNotFound();

    std::uint8_t resposta = kFechado;
    {
        auto* dialogo = new TfrmDialogoGuia(janelaPrincipal);
        dialogo->SetAutoSize(false);
        dialogo->SetLabelText(QuebrasDeLinha(1) + TituloDoAplicativo() + QuebrasDeLinha(1)
                              + QStringLiteral("Guia do Usuário") + QuebrasDeLinha(2)
                              + QStringLiteral("Como Você Deseja o Guia do Usuário?") + QuebrasDeLinha(1));
        dialogo->SetAutoSize(true);
        dialogo->ShowModal();
        resposta = dialogo->Resposta;
        delete dialogo;
    }
    QCoreApplication::processEvents();

    if (resposta == kNaTela) {
        // Without a program for web pages nothing would show: the operator is told, also when the
        // desktop's opener finds that out only after it has started.
        if (!AbrirComProgramaAssociado(arquivoDoGuia, AvisarGuiaNaoMostrado))
            AvisarGuiaNaoMostrado();
    } else if (resposta == kImpresso) {
        // The browser control loads local files at once, so the document it holds is complete.
        navegador->resize(0, navegador->height());
        navegador->show();
        try {
            ImprimirPaginaDoNavegador(navegador->webNavegadorGuia);
        } catch (...) {
            navegador->hide();
            throw;
        }
        navegador->hide();
    }
}

} // namespace lumoria
