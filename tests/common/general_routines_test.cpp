#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <limits>
#include <optional>
#include <tuple>

#include "common/general_routines.h"
#include "lumoria_version.h"
#include "platform/failure.h"
#include "platform/shell/file_drop.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/screen_cursor.h"
#include "support/brazilian_locale.h"
#include "support/fake_opener.h"
#include "support/test_files.h"
#include "support/test_resources.h"

using namespace lumoria;
using lumoria::test::home;

namespace {

// Formats under a chosen locale and puts the default back afterwards.
class FormatarNumeroTest : public ::testing::Test {
    test::LocalidadeBrasileira m_localidade;
};

} // namespace

TEST(QuebrasDeLinha, GivesNTimesCrLf)
{
    EXPECT_EQ(QuebrasDeLinha(0), QString());
    EXPECT_EQ(QuebrasDeLinha(1), QStringLiteral("\r\n"));
    EXPECT_EQ(QuebrasDeLinha(2), QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(QuebrasDeLinha(-3), QString());
    EXPECT_EQ(QStringLiteral("Lumoria v1.0") + QuebrasDeLinha(2) + QStringLiteral("Bem Vindo!"),
              QStringLiteral("Lumoria v1.0\r\n\r\nBem Vindo!"));
}

TEST_F(FormatarNumeroTest, UsesTheLocaleSeparatorsPadsToTheWidthAndNamesWhatIsNoNumber)
{
    EXPECT_EQ(FormatarNumero(10, 1, 210.0L), QStringLiteral("     210,0"));
    EXPECT_EQ(FormatarNumero(10, 0, 1234567.0L), QStringLiteral(" 1.234.567"));
    EXPECT_EQ(FormatarNumero(3, 0, 50.0L), QStringLiteral(" 50"));
    EXPECT_EQ(FormatarNumero(3, 0, 100.0L), QStringLiteral("100"));
    EXPECT_EQ(FormatarNumero(2, 1, 1234.5L), QStringLiteral("1.234,5")); // never cut to the width
    EXPECT_EQ(FormatarNumero(0, 2, 0.0L), QStringLiteral("0,00"));
    EXPECT_EQ(FormatarNumero(0, 0, 1e20L), QStringLiteral("100.000.000.000.000.000.000"));
    EXPECT_EQ(FormatarNumero(0, 2, -1234.5L), QStringLiteral("-1.234,50"));
    // Values that are no number are named.
    EXPECT_EQ(FormatarNumero(5, 1, std::numeric_limits<long double>::infinity()), QStringLiteral("  INF"));
    EXPECT_EQ(FormatarNumero(0, 1, -std::numeric_limits<long double>::infinity()), QStringLiteral("-INF"));
    EXPECT_EQ(FormatarNumero(0, 1, std::numeric_limits<long double>::quiet_NaN()), QStringLiteral("NAN"));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FormatarNumero(0, 1, 1234.5L), QStringLiteral("1,234.5"));
}

TEST_F(FormatarNumeroTest, RoundsHalvesAwayFromZeroOnTheEighteenDigitsOfExtendedPrecision)
{
    EXPECT_EQ(FormatarNumero(3, 0, 12.5L), QStringLiteral(" 13"));
    EXPECT_EQ(FormatarNumero(0, 0, 2.5L), QStringLiteral("3"));
    EXPECT_EQ(FormatarNumero(0, 0, -2.5L), QStringLiteral("-3"));
    EXPECT_EQ(FormatarNumero(0, 0, 0.5L), QStringLiteral("1"));
    EXPECT_EQ(FormatarNumero(0, 1, 2.25L), QStringLiteral("2,3"));
    EXPECT_EQ(FormatarNumero(0, 2, 0.125L), QStringLiteral("0,13"));
    EXPECT_EQ(FormatarNumero(0, 0, 0.4999L), QStringLiteral("0"));
    EXPECT_EQ(FormatarNumero(0, 3, 0.0005L), QStringLiteral("0,001"));
    EXPECT_EQ(FormatarNumero(0, 2, 0.004L), QStringLiteral("0,00"));
    EXPECT_EQ(FormatarNumero(0, 1, 999.96L), QStringLiteral("1.000,0")); // the carry reaches a new group
    EXPECT_EQ(FormatarNumero(0, 0, -0.4L), QStringLiteral("0"));          // no sign on a zero
    // A percentage as the progress windows compute it: 1 of 8 steps.
    EXPECT_EQ(FormatarNumero(3, 0, 100.0L / 8.0L), QStringLiteral(" 13"));
    // 1.005 in extended precision shows as 1.00500000000000000 and rounds up; the same decimal
    // held in double precision is 1.00499999999999989... and rounds down.
    EXPECT_EQ(FormatarNumero(0, 2, 1.005L), QStringLiteral("1,01"));
    EXPECT_EQ(FormatarNumero(0, 2, static_cast<long double>(1.005)), QStringLiteral("1,00"));
}

TEST(ZerosAEsquerda, PadsWithZerosAndKeepsTheSignAfterThem)
{
    EXPECT_EQ(ZerosAEsquerda(7, 3), QStringLiteral("007"));
    EXPECT_EQ(ZerosAEsquerda(1234, 2), QStringLiteral("1234"));
    EXPECT_EQ(ZerosAEsquerda(-5, 4), QStringLiteral("00-5"));
    EXPECT_EQ(ZerosAEsquerda(0, 1), QStringLiteral("0"));
    EXPECT_EQ(ZerosAEsquerda(42, 0), QStringLiteral("42"));
    EXPECT_EQ(ZerosAEsquerda(2024, 8), QStringLiteral("00002024"));
}

TEST(PrimeirasLetrasMaiusculas, CapitalisesTheFirstLetterAfterTheMarksThatStartAWord)
{
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("FESTA DE ANIVERSÁRIO-INFANTIL")),
              QStringLiteral("Festa De Aniversário-Infantil"));
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("l'água")), QStringLiteral("L'água"));
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("ação e ÉTICA")), QStringLiteral("Ação E Ética"));
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("joão(silva)/maria\\josé")),
              QStringLiteral("João(Silva)/Maria\\José"));
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("a@b#c$d%e&f*g_h=i+j[k<l{m")),
              QStringLiteral("A@B#C$D%E&F*G_H=I+J[K<L{M"));
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QString()), QString());
    // Other marks do not start a word.
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("dia.MÊS,ano")), QStringLiteral("Dia.mês,ano"));
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("123abc 9x")), QStringLiteral("123abc 9x"));
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("a)b]c}d")), QStringLiteral("A)b]c}d"));
    // Letters outside a to z and the Portuguese accented ones stay small.
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("ÑANDU ñ ølo")), QStringLiteral("ñandu ñ ølo"));
    // A blank of another kind is not a word break.
    EXPECT_EQ(PrimeirasLetrasMaiusculas(QStringLiteral("um\tdois")), QStringLiteral("Um\tdois"));
}

TEST(Esperar, ProcessesEventsOnceForZeroSecondsAndWaitsTheGivenTimeWhileTimersRun)
{
    bool ran = false;
    bool later = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    QTimer due;
    due.setSingleShot(true);
    QObject::connect(&due, &QTimer::timeout, [&later] { later = true; });
    due.start(5000);
    Esperar(false, 0.0L);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(later) << "returns before a timer due later";
    ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    Esperar(false, -5.0L);
    EXPECT_TRUE(ran);
    Esperar(false, std::numeric_limits<long double>::quiet_NaN()); // returns

    // A time given is waited with the timers running.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    Esperar(false, 0.25L);
    EXPECT_GE(clock.elapsed(), 250);
    // Twice at least: events are handled all through the wait, not once at its end (a loaded
    // machine may merge ticks, so no more is asked).
    EXPECT_GE(ticks, 2);
}

TEST(Esperar, ShowsTheWaitCursorOnlyWhenAskedAndPutsTheCursorBack)
{
    using namespace lumoria::platform;
    setScreenCursor(kCursorDefault);
    CursorId during = -1;
    QTimer::singleShot(0, [&during] { during = screenCursor(); });
    Esperar(true, 0.05L);
    EXPECT_EQ(during, kCursorWait);
    EXPECT_EQ(screenCursor(), kCursorDefault);

    setScreenCursor(5382);
    during = -1;
    QTimer::singleShot(0, [&during] {
        during = screenCursor();
        setScreenCursor(5376); // an event handler changes the cursor meanwhile
    });
    Esperar(false, 0.05L);
    EXPECT_EQ(during, 5382);
    EXPECT_EQ(screenCursor(), 5382);
    setScreenCursor(kCursorDefault);
}

namespace {

bool OpenersEnded()
{
    return QTest::qWaitFor([] { return qApp->findChildren<QProcess*>().isEmpty(); }, 20000);
}

} // namespace

TEST(AbrirComProgramaAssociado, HandsFilesAndAddressesToTheDesktopsOpener)
{
    test::FakeOpener opener(0);
    platform::setScreenCursor(platform::kCursorDefault);
    int naoAbriu = 0;

    const QString guide = home() + QStringLiteral("/manual/index.html");
    test::writeFile(guide, {});
    EXPECT_TRUE(AbrirComProgramaAssociado(guide, [&] { ++naoAbriu; }));
    ASSERT_TRUE(OpenersEnded());
    EXPECT_TRUE(AbrirComProgramaAssociado(QStringLiteral("https://www.lumoria.example/a b")));
    ASSERT_TRUE(OpenersEnded());
    EXPECT_FALSE(AbrirComProgramaAssociado(QString())); // nothing to open; nothing reported

    EXPECT_EQ(opener.opened(), (QStringList{guide, QStringLiteral("https://www.lumoria.example/a%20b")}));
    EXPECT_EQ(naoAbriu, 0);
    EXPECT_EQ(platform::screenCursor(), platform::kCursorDefault);
}

TEST(AbrirComProgramaAssociado, TellsWhenTheOpenerFailsOnlyAfterItStartedAndAFailingReportGoesToTheHandler)
{
    const QString file = home() + QStringLiteral("/foto.xyz");
    test::writeFile(file, "x");
    for (const auto& [exitCode, started, told] : {std::tuple{std::optional<int>(), false, 0},
                                                   std::tuple{std::optional<int>(0), true, 0},
                                                   std::tuple{std::optional<int>(3), true, 1},
                                                   std::tuple{std::optional<int>(4), true, 1}}) {
        SCOPED_TRACE(exitCode.value_or(-1));
        test::FakeOpener opener(exitCode);
        int naoAbriu = 0;
        EXPECT_EQ(AbrirComProgramaAssociado(file, [&] { ++naoAbriu; }), started);
        ASSERT_TRUE(OpenersEnded());
        EXPECT_EQ(naoAbriu, told);
    }
    // A failing report goes to the failure handler.
    test::FakeOpener opener(3);
    QStringList reported;
    const auto previous = platform::setFailureHandler([&](const QString& m) { reported << m; });
    EXPECT_TRUE(AbrirComProgramaAssociado(home(), [] { throw Failure("sem programa"); }));
    EXPECT_TRUE(OpenersEnded());
    platform::setFailureHandler(previous);
    EXPECT_EQ(reported, QStringList{QStringLiteral("sem programa")});
}

TEST(VersaoDoExecutavel, GivesTheFourNumbersOfTheBuildVersion)
{
    const QString expected = QStringLiteral("%1.%2.%3.%4")
                                 .arg(LUMORIA_VERSION_MAJOR)
                                 .arg(LUMORIA_VERSION_MINOR)
                                 .arg(LUMORIA_VERSION_PATCH + 0)
                                 .arg(LUMORIA_VERSION_TWEAK + 0);
    EXPECT_EQ(VersaoDoExecutavel(), expected);
    EXPECT_EQ(VersaoDoExecutavel(platform::FileVersion{1, 2, 3, 4}), QStringLiteral("1.2.3.4"));
    EXPECT_EQ(VersaoDoExecutavel(platform::FileVersion{10, 0, 65535, 7}), QStringLiteral("10.0.65535.7"));
    EXPECT_EQ(VersaoDoExecutavel(std::nullopt), QStringLiteral("Padrão")); // no version information
}

TEST(AbreviarCaminho, KeepsTheLastFoldersThatFitAndWhatStandsBeforeTheFirstSeparator)
{
    const char* const path = "/home/ana/Fotos/Festa/Noite/foto.jpg";
    const struct {
        const char* path;
        int maximum;
        const char* shown;
    } cases[] = {
        {path, 25, "/.../Festa/Noite/foto.jpg"},
        {path, 24, "/.../Noite/foto.jpg"},
        {path, 10, "/.../foto.jpg"},
        {path, 36, path},
        {path, 35, "/.../ana/Fotos/Festa/Noite/foto.jpg"},
        {path, 60, path},
        // The same rule gives the drive form on a path that starts with a name.
        {"C:/Fotos/Festa/Noite/foto.jpg", 25, "C:/.../Noite/foto.jpg"},
        {"C:/Fotos/Festa/Noite/foto.jpg", 10, "C:/.../foto.jpg"},
        // The file name alone may be longer than the maximum.
        {"/fotos/um_nome_de_arquivo_bem_longo.jpg", 12, "/.../um_nome_de_arquivo_bem_longo.jpg"},
        // Without a separator there is nothing to leave out.
        {"um_nome_de_arquivo.jpg", 5, "um_nome_de_arquivo.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AbreviarCaminho(QString::fromUtf8(c.path), c.maximum), QString::fromUtf8(c.shown)) << c.path << " " << c.maximum;
}

TEST(ExtrairRecursoParaArquivo, WritesTheResourceOnlyWhenTheFileIsMissingAndRaisesWhatFails)
{
    const QByteArray data("RIFF\x10\0\0\0ACON-cursor-bytes", 24);
    const QString rcc = test::registerResources({{QStringLiteral("rcdata/Cursor_Teste"), data}});
    ASSERT_FALSE(rcc.isEmpty());

    const QString target = home() + QStringLiteral("/c_teste.ani");
    QFile::remove(target);
    ExtrairRecursoParaArquivo(QStringLiteral("Cursor_Teste"), target);
    EXPECT_EQ(test::readFile(target), data);
    // An existing file stays as it is, whatever it holds.
    test::writeFile(target, "mine");
    ExtrairRecursoParaArquivo(QStringLiteral("Cursor_Teste"), target);
    EXPECT_EQ(test::readFile(target), QByteArray("mine"));

    // A missing resource raises the resource failure, and writes nothing.
    const QString missing = home() + QStringLiteral("/nao_existe.bin");
    QFile::remove(missing);
    try {
        ExtrairRecursoParaArquivo(QStringLiteral("Recurso_Inexistente"), missing);
        FAIL() << "no failure raised";
    } catch (const ResourceNotFound& failure) {
        EXPECT_STREQ(failure.what(), "Resource Recurso_Inexistente not found");
    }
    EXPECT_FALSE(QFile::exists(missing));
    // When the file already exists the resource is not even looked at.
    QFile(missing).open(QIODevice::WriteOnly);
    EXPECT_NO_THROW(ExtrairRecursoParaArquivo(QStringLiteral("Recurso_Inexistente"), missing));

    // A regular file where the folder should be: no user, root included, can create the file.
    const QString notAFolder = home() + QStringLiteral("/arquivo_comum");
    QFile(notAFolder).open(QIODevice::WriteOnly);
    EXPECT_THROW(ExtrairRecursoParaArquivo(QStringLiteral("Cursor_Teste"), notAFolder + QStringLiteral("/c.ani")), FileError);
    test::unregisterResources(rcc);
}

namespace {

class DropTarget : public QWidget {
public:
    QStringList dropped;

protected:
    void dropEvent(QDropEvent* event) override
    {
        dropped = platform::droppedFilePaths(event->mimeData());
        event->acceptProposedAction();
    }
};

} // namespace

TEST(AceitarArquivosArrastados, TakesDragsOfFilesAndHandsTheDropToTheWindow)
{
    DropTarget window;
    window.resize(200, 100);
    EXPECT_FALSE(window.acceptDrops());
    AceitarArquivosArrastados(&window);
    AceitarArquivosArrastados(&window); // a second call changes nothing
    EXPECT_TRUE(window.acceptDrops());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/home/ana/trabalho.pvo")),
                   QUrl(QStringLiteral("https://example.org/x.pvo"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());

    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    EXPECT_EQ(window.dropped, QStringList{QStringLiteral("/home/ana/trabalho.pvo")});

    QMimeData text;
    text.setText(QStringLiteral("só texto"));
    QDragEnterEvent textEnter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
}

