// The user guide: the hidden browser window, loading a guide, the guide command's question and its
// three answers, printing through the print dialog, and a missing guide.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTextBrowser>
#include <QUrl>

#include <memory>

#include "app/user_guide.h"
#include "common/app_identity.h"
#include "common/box_capture.h"
#include "common/failure_messages.h"
#include "common/modal_helper.h"
#include "common/small_dialogs.h"
#include "support/pointer_events.h"
#include "components/fancy_button.h"
#include "platform/failure.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/termination.h"
#include "support/fake_opener.h"
#include "support/test_files.h"

namespace lumoria {

// Counts the guide choice windows shown while it lives, and closes each as soon as it shows.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<TfrmDialogoGuia*>(watched)) {
            ++count;
            QTimer::singleShot(0, static_cast<QWidget*>(watched), &QWidget::close);
        }
        return false;
    }
};

namespace {

const char kGuideText[] = "Manual de teste do balcão";

QWidget* GuideChoice()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TfrmDialogoGuia*>(w) && w->isVisible())
            return w;
    return nullptr;
}

// Every opener the program started has ended.
bool OpenersEnded()
{
    return QTest::qWaitFor([] { return qApp->findChildren<QProcess*>().isEmpty(); }, 20000);
}

const QString kNotShown = QStringLiteral("\r\n\r\nO Guia do Usuário Não Pôde Ser Mostrado Na Tela.\r\n\r\n"
                                         "Não Há Um Programa Para Abrir Páginas da Internet\r\n"
                                         "Instalado Neste Computador.");

void Click(TFancyButton* button)
{
    test::ClickAt(button, button->rect().center());
}

class UserGuideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = test::freshFolder(QStringLiteral("guia"));
        guide = folder + QStringLiteral("/manual/index.html");
        test::writeFile(guide, QByteArray("<html><head><title>Guia</title></head><body><h1>")
                                   + QByteArray(kGuideText) + "</h1><p>Texto do guia.</p></body></html>");
        owner = std::make_unique<QWidget>();
        owner->resize(300, 200);
        browser = std::make_unique<TfrmNavegadorGuia>();
    }

    // Runs the guide command with the answer given by clicking one of the choice window's buttons
    // (null: closed with its close box); returns what the window showed.
    QString Answer(TFancyButton* TfrmDialogoGuia::*button, const QString& path)
    {
        auto label = std::make_shared<QString>();
        auto parent = std::make_shared<QWidget*>(nullptr);
        test::WhenModal([button, label, parent](QWidget* w) {
            auto* dialog = qobject_cast<TfrmDialogoGuia*>(w);
            *label = dialog->LabelText();
            *parent = dialog->parentWidget();
            if (button)
                Click(dialog->*button);
            else
                dialog->close();
        });
        ApresentarGuiaDoUsuario(owner.get(), browser.get(), path);
        EXPECT_EQ(*parent, owner.get());
        return *label;
    }

    QString folder;
    QString guide;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<TfrmNavegadorGuia> browser;
};

TEST_F(UserGuideTest, TheGuideLiesInTheManualFolderBesideTheProgram)
{
    EXPECT_EQ(ArquivoDoGuia(), PastaDoAplicativo() + QStringLiteral("manual/index.html"));
}

TEST_F(UserGuideTest, TheGuideWindowIsASmallHiddenBorderlessBrowser)
{
    EXPECT_TRUE(browser->isWindow());
    EXPECT_FALSE(browser->isVisible());
    EXPECT_TRUE(browser->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(browser->size(), QSize(104, 41));
    EXPECT_EQ(browser->pos(), QPoint(460, 363)); // centred on 1024 x 768
    ASSERT_NE(browser->webNavegadorGuia, nullptr);
    browser->show();
    EXPECT_EQ(browser->webNavegadorGuia->geometry(), QRect(0, 0, 104, 41));
}

TEST_F(UserGuideTest, NavegarLoadsTheTrimmedFileAddress)
{
    Navegar(browser->webNavegadorGuia, QStringLiteral("  ") + guide + QStringLiteral(" \t"));
    EXPECT_EQ(browser->webNavegadorGuia->source(), QUrl::fromLocalFile(guide));
    EXPECT_TRUE(browser->webNavegadorGuia->toPlainText().contains(QString::fromUtf8(kGuideText)));
    EXPECT_EQ(browser->webNavegadorGuia->documentTitle(), QStringLiteral("Guia"));
}

TEST_F(UserGuideTest, OurOwnGuideIsARealPageInPortugueseThatSaysWhatTheWindowsDo)
{
    Navegar(browser->webNavegadorGuia, QStringLiteral(LUMORIA_SOURCE_DIR "/manual/index.html"));
    EXPECT_EQ(browser->webNavegadorGuia->documentTitle(), QStringLiteral("Lumoria - Guia do Usuário"));
    const QString text = browser->webNavegadorGuia->toPlainText().simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Proporcional, Fazendo Bordas")));
    EXPECT_GT(text.size(), 3000);
    // The page-control window only inserts and deletes pages; moving is the buttons under the page.
    const int pageControl = text.indexOf(QStringLiteral("abre o \"Controle de Páginas\""));
    ASSERT_GE(pageControl, 0);
    const QString pageControlSentence = text.mid(pageControl, text.indexOf(QLatin1Char('.'), pageControl) - pageControl);
    EXPECT_TRUE(pageControlSentence.contains(QStringLiteral("insere uma nova página antes ou depois da atual")));
    EXPECT_FALSE(pageControlSentence.contains(QStringLiteral("inicial"))) << pageControlSentence.toStdString();
    EXPECT_FALSE(pageControlSentence.contains(QStringLiteral("seguinte"))) << pageControlSentence.toStdString();
    // The table's legend is quoted as the table window shows it.
    for (const char* legend : {"Adequado ( DPI > 300 )", "Aceitável ( DPI Entre 200 e 300 )", "Ruim ( DPI Entre 100 e 200 )",
                               "Não Recomendado ( DPI < 100 )"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(legend))) << legend;
}

TEST_F(UserGuideTest, AMissingGuideRaisesTheFailureAsksNothingAndIsReportedAsAWarning)
{
    {
        ShownWindows shown; // closes any choice window at once, so a wrong one cannot hang the test
        try {
            ApresentarGuiaDoUsuario(owner.get(), browser.get(), folder + QStringLiteral("/nada/index.html"));
            FAIL() << "no failure raised";
        } catch (const GuideNotFound& e) {
            EXPECT_STREQ(e.what(), "Guia Não Encontrado");
        }
        EXPECT_EQ(shown.count, 0);
    }
    installFailureHandler();
    test::BoxCapture capture;
    platform::runGuarded([&] { ApresentarGuiaDoUsuario(owner.get(), browser.get(), folder + QStringLiteral("/x.html")); });
    ASSERT_EQ(capture.boxes.size(), 1);
    EXPECT_EQ(QString(capture.boxes[0].texto).remove(QStringLiteral("\r\n")),
              QStringLiteral("O Arquivo Contendo o Guia Eletrônico Do Usuário Não Está Instalado."));
    EXPECT_FALSE(capture.boxes[0].erro);
    EXPECT_FALSE(platform::terminationRequested());
    platform::setFailureHandler(nullptr);
}

TEST_F(UserGuideTest, TheChoiceWindowAsksHowTheGuideIsWantedAndEachAnswerActs)
{
    const QString label = QStringLiteral("\r\n") + TituloDoAplicativo()
                          + QStringLiteral("\r\nGuia do Usuário\r\n\r\nComo Você Deseja o Guia do Usuário?\r\n");
    const struct {
        const char* name;
        TFancyButton* TfrmDialogoGuia::*button; // null: closed with its close box
        std::optional<int> opener;              // the opener's exit code; none: not even the opener is there
        bool opened;
        bool notShownBox;
    } cases[] = {
        {"Não Quero", &TfrmDialogoGuia::spdNao, 0, false, false},
        {"closed", nullptr, 0, false, false},
        {"Na Tela", &TfrmDialogoGuia::spdSim, 0, true, false},
        {"Na Tela without an opener", &TfrmDialogoGuia::spdSim, std::nullopt, false, true},
        // xdg-open starts, then fails as it does on a desktop without a web browser.
        {"Na Tela, the opener finds no program", &TfrmDialogoGuia::spdSim, 3, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeOpener opener(c.opener);
        test::BoxCapture capture;
        EXPECT_EQ(Answer(c.button, guide), label);
        EXPECT_TRUE(OpenersEnded());
        EXPECT_EQ(opener.opened(), c.opened ? QStringList{guide} : QStringList());
        EXPECT_FALSE(browser->isVisible());
        EXPECT_EQ(GuideChoice(), nullptr);
        ASSERT_EQ(capture.boxes.size(), c.notShownBox ? 1 : 0);
        if (c.notShownBox) {
            EXPECT_EQ(capture.boxes[0].titulo, QStringLiteral("Guia do Usuário"));
            EXPECT_EQ(capture.boxes[0].texto, TituloDoAplicativo() + kNotShown);
            EXPECT_FALSE(capture.boxes[0].erro);
            EXPECT_EQ(capture.boxes[0].botao1, QStringLiteral("Sim"));
        }
    }
}

// Prints through the dialog to a PDF file, as an operator choosing "Print to File" does.
void PrintToFile(QWidget* w, const QString& pdf)
{
    auto* printers = w->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* fileName = w->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(printers, nullptr);
    ASSERT_NE(fileName, nullptr);
    // "Print to File (PDF)" comes after the installed printers.
    printers->setCurrentIndex(printers->count() - 1);
    fileName->setText(pdf);
    qobject_cast<QPrintDialog*>(w)->accept();
}

int PageCount(const QString& pdf, const QString& prefix)
{
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"), pdf, prefix});
    return int(QDir(QFileInfo(prefix).absolutePath()).entryList({QFileInfo(prefix).fileName() + QStringLiteral("*.png")}).size());
}

QString PdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(UserGuideTest, PrintedPrintsTheDocumentTheGuideWindowHoldsAndACancelledDialogNothing)
{
    Navegar(browser->webNavegadorGuia, guide);
    const QString pdf = folder + QStringLiteral("/impresso.pdf");
    for (bool accepted : {false, true}) {
        SCOPED_TRACE(accepted ? "printed" : "cancelled");
        bool browserShownWhilePrinting = false;
        int widthWhilePrinting = -1;
        test::WhenModal([&](QWidget* w) {
            test::WhenModal([&, pdf](QWidget* dialog) {
                browserShownWhilePrinting = browser->isVisible();
                widthWhilePrinting = browser->width();
                if (accepted)
                    PrintToFile(dialog, pdf);
                else
                    qobject_cast<QPrintDialog*>(dialog)->reject();
            });
            Click(qobject_cast<TfrmDialogoGuia*>(w)->spdImpresso);
        });
        ApresentarGuiaDoUsuario(owner.get(), browser.get(), guide);
        EXPECT_TRUE(browserShownWhilePrinting);
        EXPECT_EQ(widthWhilePrinting, 0);
        EXPECT_FALSE(browser->isVisible());
        ASSERT_EQ(QDir(folder).entryList({QStringLiteral("*.pdf")}), accepted ? QStringList{"impresso.pdf"} : QStringList());
    }
    EXPECT_EQ(PageCount(pdf, folder + QStringLiteral("/pagina")), 1);
    EXPECT_TRUE(PdfText(pdf).contains(QString::fromUtf8(kGuideText)));
}

} // namespace
} // namespace lumoria

