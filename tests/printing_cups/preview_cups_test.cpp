// The preview on the CUPS queue "PDF" under a Brazilian locale: its printer memo, and printing pages 2
// to 3 of 5 through Qt's print dialog, with and without "Ajustar às Bordas", checked on the PDF
// that cups-pdf writes.
#include "cups_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QLocale>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>

#include "album/album_document.h"
#include "album/document_host.h"
#include "common/app_identity.h"
#include "common/qstring_printer.h"
#include "components/fancy_button.h"
#include "platform/printing/qt_printer.h"
#include "platform/printing/spool_print_job.h"
#include "printing/print_preview.h"
#include "support/modal_attendant.h"
#include "support/page_builder.h"

namespace lumoria::test::cups {
namespace {

class Host : public DocumentHost {
public:
    void redrawPage() override {}
    // Printing hides the main window before it draws the first page.
    void hideMainWindow() override
    {
        if (aoEsconder)
            aoEsconder();
    }
    std::function<void()> aoEsconder;
    void showMainWindow() override {}
    Qt::WindowStates mainWindowState() const override { return Qt::WindowNoState; }
};

const QColor kCores[] = {kGreen, kBlue, kYellow, kCyan, kMagenta};

// Answers Qt's printer dialogs as they open: the printer to set up, the paper of the page set-up, and
// the print dialog (accepted after an optional change); the program's own boxes are left to Atendente.
class DialogosDoQt {
public:
    QString impressora;
    QString papel;
    std::function<void(QPrintDialog&)> noDialogoDeImpressao;
    int impressoes = 0;

private:
    bool Atender(QWidget* modal)
    {
        if (auto* escolha = qobject_cast<QInputDialog*>(modal)) {
            escolha->setTextValue(impressora);
            escolha->accept();
        } else if (auto* pagina = qobject_cast<QPageSetupDialog*>(modal)) {
            auto* papeis = pagina->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
            const int item = papeis ? papeis->findText(papel) : -1;
            if (item < 0) {
                ADD_FAILURE() << "no paper " << papel.toStdString() << " in the page set-up";
                pagina->reject();
                return true;
            }
            papeis->setCurrentIndex(item);
            pagina->accept();
        } else if (auto* impressao = qobject_cast<QPrintDialog*>(modal)) {
            ++impressoes;
            if (noDialogoDeImpressao)
                noDialogoDeImpressao(*impressao);
            impressao->accept();
        } else {
            return false;
        }
        return true;
    }
    ModalWatch m_watch{[this](QWidget* modal) { return Atender(modal); }, 10};
};

QString PrefixoDosPdfs()
{
    QString prefixo = TituloDoAplicativo();
    prefixo.replace(QLatin1Char(' '), QLatin1Char('_'));
    return prefixo;
}

QString LinhaDoMemo(const TfrmImprimirPrevisaoImpressaoFotos& previa, int linha)
{
    return previa.memImpressora->toPlainText().split(QLatin1Char('\n')).value(linha);
}

class PreviewOnCups : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
            GTEST_SKIP() << "no CUPS queue named \"PDF\" (scripts/start-cups.sh adds it)";
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        ASSERT_TRUE(printerSystem().selectPrinter(QStringLiteral("PDF")));
        impressora = dynamic_cast<QtPrinter*>(&printerSystem().currentPrinter());
        ASSERT_NE(impressora, nullptr);
        impressora->qprinter().setPageSize(QPageSize(QPageSize::A4));
        impressora->qprinter().setPageOrientation(QPageLayout::Portrait);
        documento.CriarNovoAlbumComUmaPaginaESemFotos();
        TAlbum& album = documento.Album();
        album.removeAllPages();
        for (int i = 0; i < 5; ++i) {
            album.Paginas.push_back(std::make_unique<TPagina>(test::PageWithFrames(210, 297, {Rect{60, 88, 150, 208}})));
            album.Foto(i, 0).NomeDoArquivo =
                test::WriteJpeg(QStringLiteral("cups-pagina%1.jpg").arg(i), test::SolidImage(90, 120, kCores[i]));
        }
        documento.setCurrentPageIndex(0);
    }

    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // Prints from a preview, after `antes` ran on it, through the print dialog that `dialogos` answers;
    // returns the PDF the queue made of the job.
    QString Imprimir(DialogosDoQt& dialogos, const std::function<void(TfrmImprimirPrevisaoImpressaoFotos&)>& antes = {})
    {
        const qint64 desde = QDateTime::currentSecsSinceEpoch() - 1;
        {
            TfrmImprimirPrevisaoImpressaoFotos previa(documento, host);
            previa.show();
            if (antes)
                antes(previa);
            QTest::mouseClick(previa.spdImprimir, Qt::LeftButton, {}, previa.spdImprimir->rect().center());
        }
        EXPECT_EQ(dialogos.impressoes, 1);
        const QString pdf =
            JobPdf(static_cast<QtPrinter&>(printerSystem().currentPrinter()).lastJobId(), PrefixoDosPdfs(), desde);
        EXPECT_FALSE(pdf.isEmpty()) << "no PDF in " << OutputFolder().toStdString();
        return pdf;
    }
    // The pages de to ate chosen in the print dialog.
    QString Imprimir(int de, int ate, const std::function<void(TfrmImprimirPrevisaoImpressaoFotos&)>& antes = {})
    {
        DialogosDoQt dialogos;
        dialogos.noDialogoDeImpressao = [&](QPrintDialog& dialogo) {
            auto* intervalo = dialogo.findChild<QRadioButton*>(QStringLiteral("printRange"));
            auto* inicio = dialogo.findChild<QSpinBox*>(QStringLiteral("from"));
            auto* fim = dialogo.findChild<QSpinBox*>(QStringLiteral("to"));
            ASSERT_TRUE(intervalo && inicio && fim) << "the print dialog has no page range fields";
            intervalo->setChecked(true);
            fim->setValue(ate);
            inicio->setValue(de);
        };
        return Imprimir(dialogos, antes);
    }

    AlbumDocument documento;
    Host host;
    QtPrinter* impressora = nullptr;
};

TEST_F(PreviewOnCups, MemoListsTheQueueInFifteenLines)
{
    TfrmImprimirPrevisaoImpressaoFotos previa(documento, host);
    const QStringList esperadas = {
        QStringLiteral("Características do Hardware:"), QStringLiteral("Pdf"), QString(),
        QStringLiteral("Tecnologia: Raster Printer"), QStringLiteral("Resolução Horizon.: 300 dpi"),
        QStringLiteral("Resolução Vertical: 300 dpi"), QStringLiteral("Largura do Papel: 210,0 mm"),
        QStringLiteral("Altura do Papel: 297,0 mm"), QString(), QStringLiteral("Largura Útil: 209,9 mm"),
        QStringLiteral("Altura Útil: 297,0 mm"), QStringLiteral("Borda Esquerda: 0,0 mm"),
        QStringLiteral("Borda Superior: 0,0 mm"), QStringLiteral("Borda Direita: 0,0 mm"),
        QStringLiteral("Borda Inferior: 0,0 mm")};
    EXPECT_EQ(previa.memImpressora->toPlainText().split(QLatin1Char('\n')), esperadas);
}

TEST_F(PreviewOnCups, PagesTwoToThreeOfFiveGiveTwoPdfPagesWithFramesAndMarksInPlace)
{
    const QString pdf = Imprimir(2, 3);
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_EQ(PageCount(pdf), 2);
    const QList<QImage> folhas = Rasterise(pdf, QStringLiteral("previa"));
    ASSERT_EQ(folhas.size(), 2);
    const Placement at{impressora->deviceValues()};
    const TPagina& pagina = documento.Pagina(1);
    ExpectFrame(folhas[0], at, at.Frame(pagina, pagina.Fotos[0]), kCores[1]);
    ExpectFrame(folhas[1], at, at.Frame(pagina, pagina.Fotos[0]), kCores[2]);
    QFile::remove(pdf);
}

TEST_F(PreviewOnCups, AlignedWithThePrintableCornerTheFrameStartsAtTheSheetsCorner)
{
    const QString pdf = Imprimir(1, 1, [](TfrmImprimirPrevisaoImpressaoFotos& previa) {
        previa.cbxMostrarPrevisaoDeBordas->setChecked(true);
        previa.cbxAjustarBordas->setChecked(true);
    });
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_EQ(PageCount(pdf), 1);
    const QList<QImage> folhas = Rasterise(pdf, QStringLiteral("alinhada"));
    ASSERT_EQ(folhas.size(), 1);
    const QImage& folha = folhas[0];
    const Placement at{impressora->deviceValues()};
    const TPagina& pagina = documento.Pagina(0);
    Rect r = at.Frame(pagina, pagina.Fotos[0]);
    r = Rect{0, 0, r.Right - r.Left, r.Bottom - r.Top};
    // The photo fills the corner; the marks run from its right and bottom edges to the sheet's edges.
    EXPECT_TRUE(Near(folha.pixelColor(at.X(r.Right / 2), at.Y(r.Bottom / 2)), kCores[0], 40));
    EXPECT_TRUE(Near(folha.pixelColor(3, 3), kCores[0], 40));
    const int abaixo = at.Y((r.Bottom + at.device.physicalHeight) / 2);
    EXPECT_TRUE(RedNear(folha, at.X(r.Right), abaixo));
    EXPECT_FALSE(RedNear(folha, at.X(r.Right / 2), abaixo));
    const int aDireita = at.X((r.Right + at.device.physicalWidth) / 2);
    EXPECT_TRUE(RedNear(folha, aDireita, at.Y(r.Bottom)));
    EXPECT_EQ(folha.pixelColor(aDireita, at.Y(r.Bottom / 2)), QColor(Qt::white));
    QFile::remove(pdf);
}

// A 10 x 15 job on the queue that offers 10 x 15 cm paper: the paper chosen in "Configurar" is the
// paper printed on, without the paper question, and it is still in force in the next preview.
TEST_F(PreviewOnCups, TheTenByFifteenPaperOfConfigurarIsPrintedOnWithoutTheQuestion)
{
    const QString fila = QStringLiteral("Foto10x15");
    if (!QPrinterInfo::availablePrinterNames().contains(fila))
        GTEST_SKIP() << "no CUPS queue named Foto10x15 (scripts/start-cups.sh adds it)";
    TAlbum& album = documento.Album();
    album.removeAllPages();
    // A 60 x 90 frame off the page's centre; the photo green with a blue top-left quarter.
    album.Paginas.push_back(std::make_unique<TPagina>(test::PageWithFrames(100, 150, {Rect{10, 12, 70, 102}})));
    QImage foto = test::SolidImage(300, 450, kGreen);
    {
        QPainter p(&foto);
        p.fillRect(0, 0, 150, 225, kBlue);
    }
    album.Foto(0, 0).NomeDoArquivo = test::WriteJpeg(QStringLiteral("dez-por-quinze.jpg"), foto);
    documento.setCurrentPageIndex(0);
    documento.setSizeListReader([] { return SizeListSelection{2, 3}; });

    DialogosDoQt dialogos;
    dialogos.impressora = fila;
    dialogos.papel = QStringLiteral("10 x 15 cm");
    Atendente caixas;
    const QString pdf = Imprimir(dialogos, [](TfrmImprimirPrevisaoImpressaoFotos& previa) {
        QTest::mouseClick(previa.spdConfigurar, Qt::LeftButton, {}, previa.spdConfigurar->rect().center());
        EXPECT_EQ(LinhaDoMemo(previa, 6), QStringLiteral("Largura do Papel: 100,0 mm"));
    });
    EXPECT_TRUE(caixas.caixas.isEmpty()) << caixas.caixas.value(0).texto.toStdString();
    auto& impressora10x15 = static_cast<QtPrinter&>(printerSystem().currentPrinter());
    ASSERT_EQ(impressora10x15.name(), fila);
    ASSERT_FALSE(pdf.isEmpty());
    const QSizeF folhaMm = PageSizeMm(pdf);
    EXPECT_NEAR(folhaMm.width(), 100, 0.5);
    EXPECT_NEAR(folhaMm.height(), 150, 0.5);
    const QList<QImage> folhas = Rasterise(pdf, QStringLiteral("dez-por-quinze"));
    ASSERT_EQ(folhas.size(), 1);
    const Placement at{impressora10x15.deviceValues()};
    const TPagina& pagina = documento.Pagina(0);
    const Rect r = at.Frame(pagina, pagina.Fotos[0]);
    ExpectFrame(folhas[0], at, r, kGreen);
    // The blue quarter at the frame's top-left: neither turned nor mirrored.
    const int quartoX = r.Left + (r.Right - r.Left) / 4;
    const int quartoY = r.Top + (r.Bottom - r.Top) / 4;
    EXPECT_TRUE(Near(folhas[0].pixelColor(at.X(quartoX), at.Y(quartoY)), kBlue, 40));
    EXPECT_TRUE(Near(folhas[0].pixelColor(at.X(r.Right - quartoX + r.Left), at.Y(quartoY)), kGreen, 40));
    QFile::remove(pdf);

    TfrmImprimirPrevisaoImpressaoFotos seguinte(documento, host);
    EXPECT_EQ(LinhaDoMemo(seguinte, 1), QStringLiteral("Foto10x15"));
    EXPECT_EQ(LinhaDoMemo(seguinte, 6), QStringLiteral("Largura do Papel: 100,0 mm"));
    EXPECT_EQ(LinhaDoMemo(seguinte, 7), QStringLiteral("Altura do Papel: 150,0 mm"));
}

TEST_F(PreviewOnCups, TwoCopiesChosenInThePrintDialogGiveAJobOfTwoCopies)
{
    DialogosDoQt dialogos;
    dialogos.noDialogoDeImpressao = [](QPrintDialog& dialogo) {
        auto* copias = dialogo.findChild<QSpinBox*>(QStringLiteral("copies"));
        ASSERT_NE(copias, nullptr);
        copias->setValue(2);
    };
    // cups-pdf writes one file whatever the copies; the five pages are in it once.
    const QString pdf = Imprimir(dialogos);
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_EQ(JobAttribute(impressora->lastJobId(), "copies"), 2);
    EXPECT_EQ(PageCount(pdf), 5);
    QFile::remove(pdf);
}

struct Queda {
    const char* nome;
    QStringList comando; // run on the queue's name while the job is drawn
    const char* motivo;  // in the box that follows
};

class QueueGoneWhileDrawing : public PreviewOnCups, public ::testing::WithParamInterface<Queda> {};

// A queue deleted, or set to reject jobs, while the pages are drawn: the box says the job was not sent
// and why, and nothing is printed.
TEST_P(QueueGoneWhileDrawing, TheBoxNamesTheCause)
{
    const Queda& q = GetParam();
    TemporaryQueue fila(QStringLiteral("Lumoria%1%2").arg(q.nome).arg(getpid()));
    if (!fila.made())
        GTEST_SKIP() << "queues cannot be added here";
    ASSERT_TRUE(printerSystem().selectPrinter(fila.name()));
    host.aoEsconder = [&] { EXPECT_TRUE(Admin(q.comando.first(), q.comando.mid(1) << fila.name())); };
    DialogosDoQt dialogos;
    Atendente caixas;
    caixas.respostas = {6};
    TfrmImprimirPrevisaoImpressaoFotos previa(documento, host);
    previa.show();
    QTest::mouseClick(previa.spdImprimir, Qt::LeftButton, {}, previa.spdImprimir->rect().center());
    ASSERT_EQ(caixas.caixas.size(), 1);
    const CaixaVista& caixa = caixas.caixas[0];
    EXPECT_EQ(caixa.titulo, QStringLiteral("Falha Na Impressão"));
    const QStringList linhas = caixa.texto.split(QStringLiteral("\r\n"));
    const QStringList esperadas = {TituloDoAplicativo(), QString(), QStringLiteral("O Trabalho Não Foi Enviado Para a Impressora:"),
                                   QString(), QString::fromUtf8(q.motivo).arg(fila.name()), QString(),
                                   QStringLiteral("Nenhuma Página Foi Impressa.")};
    EXPECT_EQ(linhas, esperadas);
    EXPECT_TRUE(previa.isVisible());
    EXPECT_EQ(static_cast<QtPrinter&>(printerSystem().currentPrinter()).lastJobId(), 0);
    EXPECT_TRUE(QDir(SpoolFolder()).entryList(QDir::Files).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Queues, QueueGoneWhileDrawing,
    ::testing::Values(Queda{"Removida", {QStringLiteral("lpadmin"), QStringLiteral("-x")},
                            "A Impressora \"%1\" Não Existe Mais No Sistema."},
                      Queda{"Recusando", {QStringLiteral("cupsreject"), QStringLiteral("-r"), QStringLiteral("Sem papel")},
                            "A Impressora \"%1\" Não Está Aceitando Trabalhos. Motivo: Sem papel"}),
    [](const ::testing::TestParamInfo<Queda>& info) { return std::string(info.param.nome); });

} // namespace
} // namespace lumoria::test::cups
