// Printing from the preview: the print dialog with its page range, the check of the printer's paper
// against the job's, and the print run with the progress window while the windows are hidden.
#include "printing/print_preview.h"

#include <QApplication>
#include <QCheckBox>
#include <QProgressBar>

#include "album/album_document.h"
#include "album/document_host.h"
#include "album/size_tables.h"
#include "common/app_identity.h"
#include "common/general_routines.h"
#include "common/message_box.h"
#include "common/small_dialogs.h"
#include "platform/graphics/parallel.h"
#include "platform/graphics/picture_check.h"
#include "platform/printing/cups_queue.h"
#include "platform/printing/printer.h"
#include "platform/ui/screen_cursor.h"
#include "printing/print_job.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace lumoria {

using namespace platform;

void TfrmImprimirPrevisaoImpressaoFotos::spdImprimirClick()
{
    const int N = m_documento.Album().pageCount();
    PageRange intervalo;
    if (!printerSystem().runPrintDialog(this, N, intervalo))
        return;
    // A dialog that reports no range prints every page.
    m_fromPage = intervalo.from > 0 ? std::clamp(intervalo.from, 1, N) : 1;
    m_toPage = intervalo.to > 0 ? std::clamp(intervalo.to, m_fromPage, N) : N;
    if (!VerificarSeConfiguracaoDoPapelDaImpressoraEstaCompativelComTrabalho())
        return;
    if (!VerificarFotosIlegiveis())
        return;
    ImprimirAlbum();
}

bool TfrmImprimirPrevisaoImpressaoFotos::VerificarFotosIlegiveis()
{
    constexpr int kNomeadas = 3;
    TAlbum& album = m_documento.Album();
    QStringList nomes; // each photo once, in page and frame order
    for (int i = m_fromPage - 1; i < m_toPage; ++i)
        for (const TFoto& foto : album.Pagina(i).Fotos)
            if (!foto.NomeDoArquivo.isEmpty() && !nomes.contains(foto.NomeDoArquivo))
                nomes << foto.NomeDoArquivo;
    std::vector<char> legivel(std::size_t(nomes.size()), 0);
    {
        const ScreenCursorGuard cursor(kCursorWait);
        ParallelFor(int(nomes.size()), [&](int k) { legivel[std::size_t(k)] = PictureFileReadable(nomes[k]); });
    }
    int molduras = 0;
    QStringList ilegiveis;
    for (int i = m_fromPage - 1; i < m_toPage; ++i) {
        for (const TFoto& foto : album.Pagina(i).Fotos) {
            const qsizetype k = foto.NomeDoArquivo.isEmpty() ? -1 : nomes.indexOf(foto.NomeDoArquivo);
            if (k < 0 || legivel[std::size_t(k)])
                continue;
            ++molduras;
            if (!ilegiveis.contains(foto.NomeDoArquivo))
                ilegiveis << foto.NomeDoArquivo;
        }
    }
    if (molduras == 0)
        return true;

    QString texto = TituloDoAplicativo() + QuebrasDeLinha(2);
    texto += molduras == 1 ? QStringLiteral("Uma Moldura Deste Trabalho Tem Uma Foto Que Não Pode Ser Lida:")
                           : QStringLiteral("%1 Molduras Deste Trabalho Têm Fotos Que Não Podem Ser Lidas:").arg(molduras);
    texto += QuebrasDeLinha(2);
    for (int k = 0; k < std::min<int>(kNomeadas, int(ilegiveis.size())); ++k)
        texto += AbreviarCaminho(ilegiveis[k], 60) + QuebrasDeLinha(1);
    if (ilegiveis.size() > kNomeadas)
        texto += QStringLiteral("...") + QuebrasDeLinha(1);
    texto += QuebrasDeLinha(1) + QStringLiteral("São Fotos Que Faltam, Incompletas ou Que Não São Fotos,") +
             QuebrasDeLinha(1) + QStringLiteral("e Sairão Como Molduras Em Branco Na Impressão.") + QuebrasDeLinha(2) +
             QStringLiteral("Você Deseja Imprimir Mesmo Assim?");
    return CaixaDeDialogo(texto, QStringLiteral("Fotos Que Não Podem Ser Lidas"), QStringLiteral("Não"),
                          QStringLiteral("Sim"), true) == 6;
}

bool TfrmImprimirPrevisaoImpressaoFotos::VerificarSeConfiguracaoDoPapelDaImpressoraEstaCompativelComTrabalho()
{
    std::int32_t larguraDoTrabalho = 0;
    std::int32_t alturaDoTrabalho = 0;
    PegarLarguraAlturaDaPaginaConfigurada(m_documento.sizeListSelection().paperItem, larguraDoTrabalho,
                                          alturaDoTrabalho);
    // The printer chosen in the print dialog; the memo stays as it was.
    m_impressora = ObterCaracteristicasDaImpressora();
    if (larguraDoTrabalho == m_impressora.larguraPapelMm && alturaDoTrabalho == m_impressora.alturaPapelMm)
        return true;

    const QString quebra = QuebrasDeLinha(1);
    const QString texto =
        TituloDoAplicativo() + QuebrasDeLinha(2) + QStringLiteral("Há Uma Diferença Entre o Tamanho Do Papel") +
        quebra + QStringLiteral("Configurado Para Este Trabalho e o Tamanho") + quebra +
        QStringLiteral("Do Papel Configurado Na Impressora.") + QuebrasDeLinha(2) +
        QStringLiteral("O Trabalho Está Configurado Para Papel:") + quebra + QString::number(larguraDoTrabalho) +
        QStringLiteral(" x ") + QString::number(alturaDoTrabalho) + QStringLiteral(" Milímetros") + QuebrasDeLinha(2) +
        QStringLiteral("A Impressora Está Configurada Para Papel:") + quebra +
        QString::number(m_impressora.larguraPapelMm) + QStringLiteral(" x ") +
        QString::number(m_impressora.alturaPapelMm) + QStringLiteral(" Milímetros") + QuebrasDeLinha(2) +
        QStringLiteral("Se a Impressão Prosseguir o Resultado Ficará") + quebra +
        QStringLiteral("Desproporcional Ao Que Foi Produzido.") + QuebrasDeLinha(2) +
        QStringLiteral("Para Resolver Isto Basta Voltar e Configurar a") + quebra +
        QStringLiteral("Impressora Com o Mesmo Tamanho De Papel") + quebra + QStringLiteral("Do Trabalho.") +
        QuebrasDeLinha(2) + QStringLiteral("Você Deseja Imprimir Mesmo Assim?");
    return CaixaDeDialogo(texto, QStringLiteral("Encontrada Diferença De Configuração De Impressora"),
                          QStringLiteral("Não"), QStringLiteral("Sim"), true) == 6;
}

void TfrmImprimirPrevisaoImpressaoFotos::ImprimirAlbum()
{
    const int F = m_fromPage;
    const int T = m_toPage;
    const ScreenCursorGuard cursor(kCursorWait);
    std::unique_ptr<TfrmDialogoProgresso> progresso = std::make_unique<TfrmDialogoProgresso>(this);
    progresso->setWindowTitle(QStringLiteral("Progresso da Impressão"));
    progresso->prbProgresso->setRange(0, T - F + 1);
    const QString quebra = QuebrasDeLinha(1);
    progresso->SetLabelText(quebra + TituloDoAplicativo() + QuebrasDeLinha(2) +
                            QStringLiteral("Enviando o Trabalho Para a Impressora.") + quebra +
                            QStringLiteral("Dependendo Da Quantidade De Fotos e") + quebra +
                            QStringLiteral("Das Suas Dimensões, Isto Poderá Demorar") + quebra +
                            QStringLiteral("Um Pouco..."));
    progresso->SetarPosicao(0);
    progresso->show();
    progresso->repaint();
    // A window shown on a window system paints once it is mapped: let that happen, without input.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    hide();
    m_janelaPrincipal.hideMainWindow();

    // Whatever happens, the windows come back before the progress window and the cursor go; a
    // failure then passes on to the failure handler.
    const auto restaurar = [&] {
        m_janelaPrincipal.showMainWindow();
        show();
        progresso.reset();
    };
    try {
        TrabalhoDeImpressao trabalho;
        trabalho.primeira = F - 1;
        trabalho.ultima = T - 1;
        trabalho.ajustarBordas = cbxAjustarBordas->isChecked();
        trabalho.titulo = TituloDoAplicativo();
        ImprimirPaginas(printerSystem().currentPrinter(), m_documento.Album(), trabalho,
                        [&](int feitas) { progresso->AvancarPara(feitas); });
    } catch (const PrintJobNotSent& recusa) {
        // The pages were drawn but the queue did not take them: nothing was printed, and the operator
        // is told why in words of his own, not through the failure handler.
        restaurar();
        AvisarTrabalhoNaoEnviado(recusa.reason());
        return;
    } catch (...) {
        restaurar();
        throw;
    }
    restaurar();
}

void TfrmImprimirPrevisaoImpressaoFotos::AvisarTrabalhoNaoEnviado(const QString& motivo)
{
    CaixaDeDialogo(TituloDoAplicativo() + QuebrasDeLinha(2) + QStringLiteral("O Trabalho Não Foi Enviado Para a Impressora:") +
                       QuebrasDeLinha(2) + motivo + QuebrasDeLinha(2) + QStringLiteral("Nenhuma Página Foi Impressa."),
                   QStringLiteral("Falha Na Impressão"), QString(), QStringLiteral("Sim"), true);
}

} // namespace lumoria
