// The job commands: save, read, new job, the unsaved-changes question and a job file dropped on the
// window.
#include "app/main_window.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

#include "common/general_routines.h"
#include "common/message_box.h"
#include "common/text_trim.h"
#include "platform/failure.h"
#include "platform/shell/file_drop.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/file_dialog.h"

namespace lumoria {

namespace {

const QString kSim = QStringLiteral("Sim");
const QString kNao = QStringLiteral("Não");
constexpr int kAusentesNomeadas = 3;

// The photos the album names that are not there (a memory card not inserted), each once, in the
// order of the pages and frames.
QStringList FotosAusentes(const TAlbum& album)
{
    QStringList ausentes;
    for (int i = 0; i < album.pageCount(); ++i) {
        const TPagina& pagina = album.Pagina(i);
        for (int j = 0; j < pagina.frameCount(); ++j) {
            const QString& nome = pagina.Foto(j).NomeDoArquivo;
            if (!nome.isEmpty() && !ausentes.contains(nome) && !QFileInfo(nome).isFile())
                ausentes << nome;
        }
    }
    return ausentes;
}

} // namespace

bool TfrmPrincipal::GravarAlbumEmFormatoProprietarioPVO(const QString& nomeDoArquivo)
{
    if (QFileInfo::exists(nomeDoArquivo)) {
        const int resposta = CaixaDeDialogo(
            m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("Já Existe Um Arquivo Gravado") +
                QuebrasDeLinha(1) + QStringLiteral("Com Este Mesmo Nome!") + QuebrasDeLinha(2) +
                QStringLiteral("Você Deseja Gravar Sobre o Existente?"),
            QStringLiteral("Arquivo Já Existente"), kNao, kSim, false);
        if (resposta != 6)
            return false;
    }
    // A write that fails leaves the old file as it was; the operator is told and the job stays
    // marked as not saved.
    try {
        m_documento.GravarEmArquivo(nomeDoArquivo);
    } catch (const FileError& e) {
        MostrarErroDeGravacao(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void TfrmPrincipal::MostrarErroDeGravacao(const QString& detalhe)
{
    CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) + detalhe, QStringLiteral("Erro de Gravação"), QString(),
                   kSim, true);
}

void TfrmPrincipal::LerAlbum(const QString& nomeDoArquivo)
{
    m_lendoTrabalho = true;
    bool leu = false;
    try {
        leu = m_documento.LerAlbum(nomeDoArquivo, [this] {
            CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) +
                               QStringLiteral("Ocorreu Erro de Leitura Deste Arquivo.") + QuebrasDeLinha(1) +
                               QStringLiteral("O Formato Não Foi Reconhecido."),
                           QStringLiteral("Erro de Leitura"), QString(), kSim, false);
        });
    } catch (...) {
        m_lendoTrabalho = false;
        throw;
    }
    m_lendoTrabalho = false;
    // Before the page is shown: drawing forgets the paths of missing photos, and the next save would
    // lose them. The operator can put them back first.
    if (leu)
        AvisarFotosAusentes();
    AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmPrincipal::AvisarFotosAusentes()
{
    const QStringList ausentes = FotosAusentes(Album());
    if (ausentes.isEmpty())
        return;
    QString texto = m_tituloDoAplicativo + QuebrasDeLinha(2);
    texto += ausentes.size() == 1 ? QStringLiteral("Uma Foto Deste Trabalho Não Foi Encontrada:")
                                  : QStringLiteral("%1 Fotos Deste Trabalho Não Foram Encontradas:").arg(ausentes.size());
    texto += QuebrasDeLinha(2);
    for (int k = 0; k < std::min<int>(kAusentesNomeadas, int(ausentes.size())); ++k)
        texto += AbreviarCaminho(ausentes[k], 60) + QuebrasDeLinha(1);
    if (ausentes.size() > kAusentesNomeadas)
        texto += QStringLiteral("...") + QuebrasDeLinha(1);
    texto += QuebrasDeLinha(1) + QStringLiteral("Elas Aparecerão Como Molduras Vazias e Seus Nomes") + QuebrasDeLinha(1) +
             QStringLiteral("Serão Perdidos Se o Trabalho For Gravado Assim.") + QuebrasDeLinha(2) +
             QStringLiteral("Recoloque As Fotos (Cartão de Memória, Pendrive...)") + QuebrasDeLinha(1) +
             QStringLiteral("Antes de Continuar.");
    CaixaDeDialogo(texto, QStringLiteral("Fotos Não Encontradas"), QString(), kSim, false);
}

bool TfrmPrincipal::VerificarSeHaAlteracaoNaoGravada()
{
    if (!m_documento.modified())
        return true;
    return CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) +
                              QStringLiteral("Há Modificações Neste Trabalho Que Ainda Não") + QuebrasDeLinha(1) +
                              QStringLiteral("Foram Gravadas. Estas Modificações Serão Perdidas") + QuebrasDeLinha(1) +
                              QStringLiteral("Se Ele Não For Gravado Em Disco.") + QuebrasDeLinha(2) +
                              QStringLiteral("Deseja Prosseguir Mesmo Assim?"),
                          QStringLiteral("Pedindo Confirmação Para Prosseguir"), kNao, kSim, false) == 6;
}

void TfrmPrincipal::CriarNovoAlbumComUmaPaginaESemFotos() { m_documento.CriarNovoAlbumComUmaPaginaESemFotos(); }

void TfrmPrincipal::spdGravarTrabalhoClick()
{
    GarantirDialogos();
    const QStringList escolhidos = svdTrabalho->selectedFiles();
    const QString anterior = escolhidos.isEmpty() ? QString() : Trim(escolhidos.constFirst());
    if (!anterior.isEmpty() && !QFileInfo(anterior).isDir()) {
        const QFileInfo info(anterior);
        const QString semExtensao =
            info.suffix().isEmpty() ? anterior : anterior.left(anterior.size() - info.suffix().size() - 1);
        svdTrabalho->selectFile(semExtensao);
    }
    if (platform::runFileDialog(*svdTrabalho) != QDialog::Accepted || svdTrabalho->selectedFiles().isEmpty())
        return;
    const QString nome = svdTrabalho->selectedFiles().constFirst();
    Esperar(false, 0.5L);
    if (GravarAlbumEmFormatoProprietarioPVO(nome)) {
        m_documento.setModified(false);
        Esperar(false, 0.5L);
        CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("Arquivo Gravado Com Sucesso!") +
                           QuebrasDeLinha(2) + QStringLiteral("Este Software Não Grava As Fotos, Mas") +
                           QuebrasDeLinha(1) + QStringLiteral("Apenas Os Seus Nomes e Posições.") + QuebrasDeLinha(2) +
                           QStringLiteral("Assim, Para Leitura Posterior, As Fotos Deverão") + QuebrasDeLinha(1) +
                           QStringLiteral("Estar Nos Mesmos Arquivos e Pastas Originais."),
                       QStringLiteral("Gravação Concluída"), QString(), kSim, false);
    }
}

void TfrmPrincipal::spdLerTrabalhoClick()
{
    if (!VerificarSeHaAlteracaoNaoGravada())
        return;
    GarantirDialogos();
    if (platform::runFileDialog(*opdTrabalho) != QDialog::Accepted || opdTrabalho->selectedFiles().isEmpty())
        return;
    ZerarBackups();
    m_documento.setModified(false);
    LerAlbum(opdTrabalho->selectedFiles().constFirst());
}

void TfrmPrincipal::spdNovoTrabalhoClick()
{
    if (!VerificarSeHaAlteracaoNaoGravada())
        return;
    ZerarBackups();
    m_documento.setModified(false);
    CriarNovoAlbumComUmaPaginaESemFotos();
    AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmPrincipal::RecebeuArquivoArrastado(const QStringList& arquivos)
{
    if (arquivos.isEmpty())
        return;
    const QString& caminho = arquivos.constFirst();
    if (QFileInfo(caminho).suffix().toLower() != QStringLiteral("pvo"))
        return;
    if (!VerificarSeHaAlteracaoNaoGravada())
        return;
    ZerarBackups();
    m_documento.setModified(false);
    LerAlbum(caminho);
    DesenharPaginaNaTela();
}

void TfrmPrincipal::dropEvent(QDropEvent* event)
{
    const QStringList arquivos = platform::droppedFilePaths(event->mimeData());
    if (arquivos.isEmpty()) {
        QWidget::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    // Read once the drop is over, so that the application the file came from is not kept waiting
    // while the boxes of the read are open.
    QTimer::singleShot(0, this, [this, arquivos] { platform::runGuarded([&] { RecebeuArquivoArrastado(arquivos); }); });
}

} // namespace lumoria
