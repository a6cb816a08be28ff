// Printing from the preview on the test printer: the page range, the progress window and the order
// in which the windows hide and come back, the paper check, and what a failure leaves behind.
#include "preview_fixture.h"

#include "common/modal_helper.h"

#include <QProgressBar>

#include "common/app_identity.h"
#include "common/general_routines.h"
#include "common/small_dialogs.h"
#include "platform/failure.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/screen_cursor.h"
#include "support/draw_support.h"

namespace lumoria::test {
namespace {

const QColor kCores[] = {QColor(220, 30, 40), QColor(30, 190, 60), QColor(30, 50, 210), QColor(240, 220, 30),
                         QColor(200, 40, 190)};

TfrmDialogoProgresso* JanelaDeProgresso()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<TfrmDialogoProgresso*>(w))
            return p;
    return nullptr;
}

// The frame (60, 88)-(150, 208) mm of an A4 page at 100 dpi, on the sheet of 827 x 1169 dots.
const QPoint kMeioDaMoldura(414, 582);

class Printing : public PreviewTest {
protected:
    // n A4 pages of one frame, page i with a photo of colour i.
    void PaginasColoridas(int n)
    {
        PaginasA4(n);
        for (int i = 0; i < n; ++i)
            documento.Foto(i, 0).NomeDoArquivo =
                WriteBmp(QStringLiteral("pagina%1.bmp").arg(i), SolidImage(90, 120, kCores[i % 5]));
    }

    void Intervalo(int de, int ate)
    {
        impressoras->printDialogAnswer = [de, ate](int, platform::PageRange& r) {
            r = {de, ate};
            return true;
        };
    }

    // The boxes the print button shows, answered in turn.
    QList<CaixaVista> ImprimirRespondendo(int resposta) { return ClicarRespondendo(previa->spdImprimir, {resposta}); }
    // The one question of a print: its title, its lines, Yes and No.
    static QList<CaixaVista> Pergunta(const QString& titulo, const QStringList& linhas)
    {
        return {Caixa(titulo, linhas.join(QStringLiteral("\r\n")), QStringLiteral("Sim"), QStringLiteral("Não"))};
    }
};

struct Visto {
    QString percentual;
    int maximo = -1;
    bool previaVisivel = true;
    bool principalVisivel = true;
    bool operator==(const Visto&) const = default;
};

TEST_F(Printing, PagesTwoToThreeOfFiveGiveTwoSheetsWithTheProgressAtZeroFiftyAndAHundred)
{
    PaginasColoridas(5);
    Abrir();
    Intervalo(2, 3);
    QList<Visto> vistos;
    auto anotar = [&] {
        if (TfrmDialogoProgresso* p = JanelaDeProgresso())
            if (vistos.isEmpty() || vistos.last().percentual != p->lblProgresso->text())
                vistos.append({p->lblProgresso->text(), p->prbProgresso->maximum(), previa->isVisible(),
                               host.principal.isVisible()});
    };
    impressora->onEndDoc = anotar;
    QTimer observador;
    QObject::connect(&observador, &QTimer::timeout, anotar);
    bool previaEscondidaAntes = false;
    impressora->onBeginDoc = [&] {
        anotar();
        TfrmDialogoProgresso* p = JanelaDeProgresso();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->windowTitle(), QStringLiteral("Progresso da Impressão"));
        EXPECT_EQ(p->LabelText(), QStringLiteral("\r\n") + TituloDoAplicativo() +
                                      QStringLiteral("\r\n\r\nEnviando o Trabalho Para a Impressora.\r\n"
                                                     "Dependendo Da Quantidade De Fotos e\r\n"
                                                     "Das Suas Dimensões, Isto Poderá Demorar\r\nUm Pouco..."));
        EXPECT_TRUE(p->isVisible());
        EXPECT_EQ(platform::screenCursor(), platform::kCursorWait);
        previaEscondidaAntes = !previa->isVisible();
        observador.start(0);
    };
    int novasPaginas = 0;
    impressora->onNewPage = [&] { ++novasPaginas; };
    bool previaEscondidaAoMostrarPrincipal = false;
    host.aoMostrar = [&] { previaEscondidaAoMostrarPrincipal = !previa->isVisible(); };

    Clicar(previa->spdImprimir);
    observador.stop();

    ASSERT_EQ(impressora->documents().size(), 1u);
    const platform::PrintedDocument& doc = impressora->documents()[0];
    EXPECT_EQ(doc.title, TituloDoAplicativo());
    EXPECT_TRUE(doc.ended);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(novasPaginas, 1);
    EXPECT_TRUE(Near(doc.pages[0].pixelColor(kMeioDaMoldura), kCores[1], 20));
    EXPECT_TRUE(Near(doc.pages[1].pixelColor(kMeioDaMoldura), kCores[2], 20));

    // Both windows hidden all along.
    EXPECT_EQ(vistos, (QList<Visto>{{QStringLiteral("0% Já Executado"), 2, false, false},
                                    {QStringLiteral("50% Já Executado"), 2, false, false},
                                    {QStringLiteral("100% Já Executado"), 2, false, false}}));
    // The preview hides before the main window, and the main window comes back first.
    EXPECT_TRUE(previaEscondidaAntes);
    EXPECT_TRUE(previaEscondidaAoMostrarPrincipal);
    EXPECT_EQ(host.eventos, (QStringList{QStringLiteral("esconder principal"), QStringLiteral("mostrar principal")}));
    EXPECT_TRUE(previa->isVisible());
    EXPECT_TRUE(host.principal.isVisible());
    EXPECT_EQ(JanelaDeProgresso(), nullptr);
    EXPECT_EQ(platform::screenCursor(), platform::kCursorDefault);
    EXPECT_EQ(std::pair(previa->FromPage(), previa->ToPage()), std::pair(2, 3));
}

TEST_F(Printing, AOnePageJobStartsNoNewPage)
{
    PaginasColoridas(1);
    Abrir();
    int novasPaginas = 0;
    impressora->onNewPage = [&] { ++novasPaginas; };
    Clicar(previa->spdImprimir);
    ASSERT_EQ(impressora->documents().size(), 1u);
    EXPECT_EQ(impressora->documents()[0].pages.size(), 1u);
    EXPECT_EQ(novasPaginas, 0);
    EXPECT_TRUE(Near(impressora->documents()[0].pages[0].pixelColor(kMeioDaMoldura), kCores[0], 20));
}

TEST_F(Printing, ADialogWithoutARangePrintsEveryPageAndACancelledOnePrintsNothing)
{
    PaginasColoridas(3);
    Abrir();
    impressoras->printDialogAnswer = [](int ultima, platform::PageRange&) {
        EXPECT_EQ(ultima, 3);
        return false;
    };
    Clicar(previa->spdImprimir);
    EXPECT_TRUE(impressora->documents().empty());
    EXPECT_TRUE(host.eventos.isEmpty());

    impressoras->printDialogAnswer = nullptr;
    Clicar(previa->spdImprimir);
    ASSERT_EQ(impressora->documents().size(), 1u);
    EXPECT_EQ(impressora->documents()[0].pages.size(), 3u);
}

TEST_F(Printing, AlignmentWithThePrintableCornerGovernsPrintingToo)
{
    PaginasColoridas(1);
    Abrir();
    Clicar(previa->lblMostrarPrevisaoDeBordas);
    Clicar(previa->lblAjustarBordas);
    Clicar(previa->spdImprimir);
    ASSERT_EQ(impressora->documents().size(), 1u);
    const QImage folha = impressora->documents()[0].pages[0];
    // The frame block starts at the printable corner: the photo there, white past its 90 mm.
    EXPECT_TRUE(Near(folha.pixelColor(5, 5), kCores[0], 20));
    EXPECT_EQ(folha.pixelColor(360, 5), QColor(Qt::white));
}

struct Papel {
    const char* nome;
    int largura, altura;  // dots at 100 dpi
    int itemDaLista;      // the main window's paper list
    int resposta;         // 0: no question expected
    bool imprime;
    const char* papelDaImpressora;
    const char* papelDoTrabalho;
};

class PaperCheck : public Printing, public ::testing::WithParamInterface<Papel> {};

TEST_P(PaperCheck, DifferentPaperAsksWhetherToPrintAnyway)
{
    const Papel p = GetParam();
    platform::PrinterDeviceValues v = A4(100, 0, 0, 0, 0);
    v.physicalWidth = v.clip.Right = p.largura;
    v.physicalHeight = v.clip.Bottom = p.altura;
    impressora->setDeviceValues(v);
    PaginasColoridas(1);
    documento.setSizeListReader([item = p.itemDaLista] { return SizeListSelection{item, 3}; });
    Abrir();
    const QList<CaixaVista> caixas = ImprimirRespondendo(p.resposta);

    EXPECT_EQ(impressora->documents().size(), p.imprime ? 1u : 0u);
    const QStringList esperadas = {TituloDoAplicativo(), "", "Há Uma Diferença Entre o Tamanho Do Papel",
                                   "Configurado Para Este Trabalho e o Tamanho", "Do Papel Configurado Na Impressora.", "",
                                   "O Trabalho Está Configurado Para Papel:", QString::fromUtf8(p.papelDoTrabalho), "",
                                   "A Impressora Está Configurada Para Papel:", QString::fromUtf8(p.papelDaImpressora), "",
                                   "Se a Impressão Prosseguir o Resultado Ficará", "Desproporcional Ao Que Foi Produzido.", "",
                                   "Para Resolver Isto Basta Voltar e Configurar a", "Impressora Com o Mesmo Tamanho De Papel",
                                   "Do Trabalho.", "", "Você Deseja Imprimir Mesmo Assim?"};
    EXPECT_EQ(caixas, p.resposta ? Pergunta(QStringLiteral("Encontrada Diferença De Configuração De Impressora"), esperadas)
                                 : QList<CaixaVista>());
    if (p.imprime) { // the paper is turned upright for printing
        EXPECT_LE(impressora->documents()[0].values.physicalWidth, impressora->documents()[0].values.physicalHeight);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PaperCheck,
    ::testing::Values(
        Papel{"A4", 827, 1169, 0, 0, true, "", ""},
        Papel{"A4LandscapeYes", 1169, 827, 0, 6, true, "297 x 210 Milímetros", "210 x 297 Milímetros"},
        Papel{"A4LandscapeNo", 1169, 827, 0, 7, false, "297 x 210 Milímetros", "210 x 297 Milímetros"},
        Papel{"A4LandscapeClosed", 1169, 827, 0, 2, false, "297 x 210 Milímetros", "210 x 297 Milímetros"},
        Papel{"LetterYes", 850, 1100, 0, 6, true, "216 x 279 Milímetros", "210 x 297 Milímetros"},
        Papel{"LetterNo", 850, 1100, 0, 7, false, "216 x 279 Milímetros", "210 x 297 Milímetros"},
        // Both sides must match, not one of them.
        Papel{"WidthOnlyMatches", 827, 1098, 0, 7, false, "210 x 279 Milímetros", "210 x 297 Milímetros"},
        Papel{"HeightOnlyMatches", 850, 1169, 0, 7, false, "216 x 297 Milímetros", "210 x 297 Milímetros"},
        // The paper list, not the printed page, says what the job's paper is.
        Papel{"ListSaysTenByFifteen", 827, 1169, 2, 7, false, "210 x 297 Milímetros", "100 x 150 Milímetros"}),
    [](const ::testing::TestParamInfo<Papel>& info) { return std::string(info.param.nome); });

// What the failure handler found when it was reached.
struct NaFalha {
    QString mensagem;
    bool previaVisivel = false;
    bool principalVisivel = false;
    bool progresso = true;
    platform::CursorId cursor = -1;
};

class PrintFailure : public Printing {
protected:
    NaFalha ImprimirComFalha()
    {
        NaFalha visto;
        int chamadas = 0;
        platform::FailureHandler anterior = platform::setFailureHandler([&](const QString& mensagem) {
            ++chamadas;
            visto = {mensagem, previa->isVisible(), host.principal.isVisible(), JanelaDeProgresso() != nullptr,
                     platform::screenCursor()};
        });
        Clicar(previa->spdImprimir);
        platform::setFailureHandler(anterior);
        EXPECT_EQ(chamadas, 1);
        return visto;
    }

    void EsperarTudoDeVolta(const NaFalha& visto)
    {
        EXPECT_TRUE(visto.previaVisivel);
        EXPECT_TRUE(visto.principalVisivel);
        EXPECT_FALSE(visto.progresso);
        EXPECT_EQ(visto.cursor, platform::kCursorDefault);
        EXPECT_EQ(host.eventos, (QStringList{QStringLiteral("esconder principal"), QStringLiteral("mostrar principal")}));
    }
};

TEST_F(PrintFailure, ADrawingErrorMidJobBringsTheWindowsBackBeforeTheFailureIsReported)
{
    PaginasColoridas(3);
    // A frame far beyond any sheet: mapping it onto the printer overflows.
    documento.Foto(1, 0).Right = 2000000000;
    Abrir();
    const NaFalha visto = ImprimirComFalha();
    EXPECT_EQ(visto.mensagem.toStdString(), RangeError().what());
    EsperarTudoDeVolta(visto);
    ASSERT_EQ(impressora->documents().size(), 1u);
    EXPECT_FALSE(impressora->documents()[0].ended); // abandoned
    EXPECT_EQ(impressora->documents()[0].pages.size(), 2u); // the first page, and the one begun
}

TEST_F(PrintFailure, APrinterThatRefusesAPageOrTheJobIsAFailureWithAMessage)
{
    PaginasColoridas(3);
    Abrir();
    impressora->refuseNewPageAfter(1);
    NaFalha visto = ImprimirComFalha();
    EXPECT_TRUE(visto.mensagem.contains(QStringLiteral("did not take a new page"))) << visto.mensagem.toStdString();
    EsperarTudoDeVolta(visto);

    host.eventos.clear();
    impressora->refuseDocuments(true);
    visto = ImprimirComFalha();
    EXPECT_TRUE(visto.mensagem.contains(QStringLiteral("did not start the print job"))) << visto.mensagem.toStdString();
    EsperarTudoDeVolta(visto);
    EXPECT_EQ(impressora->documents().size(), 1u);
}

TEST_F(Printing, TheModalPreviewSurvivesBeingHiddenWhileItPrints)
{
    PaginasColoridas(2);
    previa = std::make_unique<TfrmImprimirPrevisaoImpressaoFotos>(documento, host);
    bool aindaModal = false;
    bool visivel = false;
    WhenModal([&](QWidget*) {
        Clicar(previa->spdImprimir);
        aindaModal = platform::isRunningModal(previa.get());
        visivel = previa->isVisible();
        Clicar(previa->spdSair);
    });
    previa->ShowModal(Qt::WindowNoState);
    EXPECT_TRUE(aindaModal);
    EXPECT_TRUE(visivel);
    ASSERT_EQ(impressora->documents().size(), 1u);
    EXPECT_EQ(impressora->documents()[0].pages.size(), 2u);
}

struct Ilegiveis {
    const char* nome;
    QList<int> fotos;  // per page: 0 good, 1 cut short, 2 empty, 3 text named .jpg, 4 missing
    int de, ate;       // the range printed
    int resposta;      // 0: no question expected
    bool imprime;
    const char* contagem;
    QList<int> nomeadas; // the pages whose photos the box names, in order
    bool reticencias;
};

class UnreadablePhotos : public Printing, public ::testing::WithParamInterface<Ilegiveis> {};

// One box counts the frames of the printed pages whose photos are missing or cannot be read, names
// the first three photos and asks whether to print anyway.
TEST_P(UnreadablePhotos, OneBoxCountsThemNamesThreeAndAsks)
{
    const Ilegiveis& p = GetParam();
    const QByteArray boa = ReadBytes(WriteJpeg(QStringLiteral("boa.jpg"), SolidImage(90, 120, kCores[1])));
    const QString cortada = WriteTempFile(QStringLiteral("cortada.jpg"), boa.left(boa.size() * 2 / 3));
    const QString vazia = WriteTempFile(QStringLiteral("vazia.jpg"), QByteArray());
    const QString texto = WriteTempFile(QStringLiteral("texto.jpg"), "isto não é uma foto\n");
    const QString nomes[] = {TempPath(QStringLiteral("boa.jpg")), cortada, vazia, texto,
                             TempPath(QStringLiteral("ausente.jpg"))};
    PaginasA4(int(p.fotos.size()));
    for (int i = 0; i < p.fotos.size(); ++i)
        documento.Foto(i, 0).NomeDoArquivo = nomes[p.fotos[i]];
    Abrir();
    Intervalo(p.de, p.ate);
    const QList<CaixaVista> caixas = ImprimirRespondendo(p.resposta);

    EXPECT_EQ(impressora->documents().size(), p.imprime ? 1u : 0u);
    QStringList esperadas = {TituloDoAplicativo(), QString(), QString::fromUtf8(p.contagem), QString()};
    for (int pagina : p.nomeadas)
        esperadas << AbreviarCaminho(nomes[p.fotos[pagina]], 60);
    if (p.reticencias)
        esperadas << QStringLiteral("...");
    esperadas << "" << "São Fotos Que Faltam, Incompletas ou Que Não São Fotos,"
              << "e Sairão Como Molduras Em Branco Na Impressão." << "" << "Você Deseja Imprimir Mesmo Assim?";
    EXPECT_EQ(caixas, p.resposta ? Pergunta(QStringLiteral("Fotos Que Não Podem Ser Lidas"), esperadas) : QList<CaixaVista>());
}

INSTANTIATE_TEST_SUITE_P(
    Photos, UnreadablePhotos,
    ::testing::Values(
        Ilegiveis{"AllReadable", {0, 0}, 1, 2, 0, true, "", {}, false},
        Ilegiveis{"TextFilePrintedAnyway", {0, 3}, 1, 2, 6, true, "Uma Moldura Deste Trabalho Tem Uma Foto Que Não Pode Ser Lida:", {1}, false},
        Ilegiveis{"CutShortNotPrinted", {1, 0}, 1, 2, 7, false, "Uma Moldura Deste Trabalho Tem Uma Foto Que Não Pode Ser Lida:", {0}, false},
        Ilegiveis{"BoxClosedNotPrinted", {2}, 1, 1, 2, false, "Uma Moldura Deste Trabalho Tem Uma Foto Que Não Pode Ser Lida:", {0}, false},
        // Five frames, four photos (one in two frames); the page outside the range is not counted.
        Ilegiveis{"FiveFramesFirstThreeNamed", {3, 1, 2, 0, 4, 1, 3}, 1, 6, 6, true,
                  "5 Molduras Deste Trabalho Têm Fotos Que Não Podem Ser Lidas:", {0, 1, 2}, true},
        Ilegiveis{"OnlyTheRangeCounts", {3, 0, 0, 2}, 2, 3, 0, true, "", {}, false}),
    [](const ::testing::TestParamInfo<Ilegiveis>& info) { return std::string(info.param.nome); });

} // namespace
} // namespace lumoria::test
