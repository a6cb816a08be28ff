#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include "common/custom_cursors.h"
#include "platform/failure.h"
#include "platform/ui/animated_cursor_file.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"
#include "support/test_files.h"

using namespace lumoria;
using namespace lumoria::platform;

namespace {

const char* const kFiles[] = {"c_apontar.ani", "c_cortar.ani", "c_div_horizontal.ani",
                              "c_esperar.ani", "c_executar.ani", "c_movimentar.ani",
                              "c_normal.ani", "c_pintar.ani", "c_tocar.ani"};

QByteArray resource(const char* name) { return test::readFile(QStringLiteral(":/rcdata/") + QLatin1String(name)); }

class CustomCursors : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const CursorAnimado& c : kCursoresAnimados)
            unregisterCursor(c.id);
    }
};

} // namespace

TEST_F(CustomCursors, TheSetInItsOrder)
{
    ASSERT_EQ(kCursoresAnimados.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(kCursoresAnimados[i].id, 5376 + i);
        EXPECT_STREQ(kCursoresAnimados[i].arquivo, kFiles[i]);
    }
    EXPECT_STREQ(kCursoresAnimados[2].recurso, "Cursor_Div_Horizontal");
    EXPECT_EQ(crEsperar, kCursorWait);
}

TEST_F(CustomCursors, FilesAreWrittenFromTheResourcesOrRaiseTheFileFailureAndAreDeleted)
{
    QTemporaryDir dir;
    test::writeFile(dir.filePath("c_normal.ani"), "old");

    GravarArquivosDeCursores(dir.path());
    for (const CursorAnimado& c : kCursoresAnimados) {
        const QByteArray written = test::readFile(dir.filePath(c.arquivo));
        EXPECT_EQ(written, resource(c.recurso)) << c.arquivo;
        EXPECT_TRUE(written.startsWith("RIFF")) << c.arquivo;
    }
    ApagarArquivosDeCursores(dir.path());
    for (const char* name : kFiles)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name;
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    // A folder that cannot be written raises the file failure.
    EXPECT_THROW(GravarArquivosDeCursores(QStringLiteral("/proc/lumoria-nao-existe")), FileError);
}

TEST_F(CustomCursors, LoadingRegistersTheSetAndGivesTheMainWindowTheOrdinaryCursor)
{
    QTemporaryDir dir;
    GravarArquivosDeCursores(dir.path());
    QFile::remove(dir.filePath("c_pintar.ani"));
    QWidget main;
    CarregarCursoresAnimados(dir.path(), &main);
    for (const CursorAnimado& c : kCursoresAnimados)
        EXPECT_EQ(isCursorRegistered(c.id), c.id != crPintar) << c.arquivo;
    EXPECT_EQ(controlCursor(&main), crNormal);
    EXPECT_EQ(cursorFor(crPintar).shape(), Qt::ArrowCursor);  // missing file: the default cursor

    // The wait cursor's own file missing: the default cursor too, not a busy shape.
    QFile::remove(dir.filePath("c_esperar.ani"));
    CarregarCursoresAnimados(dir.path(), &main);
    EXPECT_FALSE(isCursorRegistered(crEsperar));
    EXPECT_EQ(cursorFor(crEsperar).shape(), Qt::ArrowCursor);
    EXPECT_EQ(cursorFor(kCursorWait).shape(), Qt::ArrowCursor);
    GravarArquivosDeCursores(dir.path());
    CarregarCursoresAnimados(dir.path(), &main);
    ASSERT_TRUE(isCursorRegistered(crEsperar));

    // The wait cursor plays: its step moves on by itself.
    const int first = cursorStep(crEsperar);
    QElapsedTimer clock;
    clock.start();
    while (cursorStep(crEsperar) == first && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_NE(cursorStep(crEsperar), first);
}

TEST_F(CustomCursors, DesignedCursorsMapOntoTheSet)
{
    EXPECT_EQ(MapearCursorDesenhado(kCursorAppStart), crExecutar);
    EXPECT_EQ(MapearCursorDesenhado(kCursorVerticalSplit), crDivHorizontal);
    EXPECT_EQ(MapearCursorDesenhado(kCursorHourGlass), crEsperar);
    EXPECT_EQ(MapearCursorDesenhado(kCursorUpArrow), crTocar);
    EXPECT_EQ(MapearCursorDesenhado(kCursorDefault), crNormal);
    EXPECT_EQ(MapearCursorDesenhado(-2), crNormal);
    EXPECT_EQ(MapearCursorDesenhado(-21), crNormal);
}

TEST_F(CustomCursors, AWindowMapsItsControlsAndPanels)
{
    QWidget form;
    setControlCursor(&form, kCursorHourGlass);
    auto* panel = new Panel(&form);
    auto* hourglass = new QPushButton(panel);
    setControlCursor(hourglass, kCursorHourGlass);
    auto* plain = new QLabel(&form);
    auto* upArrow = new QPushButton(&form);
    setControlCursor(upArrow, kCursorUpArrow);
    auto* split = new QWidget(&form);
    setControlCursor(split, kCursorVerticalSplit);
    auto* start = new QWidget(&form);
    start->setCursor(Qt::BusyCursor);  // given as a Qt shape
    auto* qtWait = new QWidget(&form);
    qtWait->setCursor(Qt::WaitCursor);
    auto* cross = new QWidget(&form);
    cross->setCursor(Qt::CrossCursor);
    auto* other = new QWidget(&form, Qt::Window);  // a window of its own maps itself
    auto* otherChild = new QWidget(other);

    EXPECT_TRUE(panel->parentBackground());
    AplicarCursoresNosControles(&form);
    EXPECT_EQ(controlCursor(hourglass), crEsperar);
    EXPECT_EQ(controlCursor(plain), crNormal);
    EXPECT_EQ(controlCursor(upArrow), crTocar);
    EXPECT_EQ(controlCursor(split), crDivHorizontal);
    EXPECT_EQ(controlCursor(start), crExecutar);
    EXPECT_EQ(controlCursor(qtWait), crEsperar);
    EXPECT_EQ(controlCursor(cross), crNormal);
    EXPECT_EQ(controlCursor(panel), crNormal);
    EXPECT_FALSE(panel->parentBackground());
    EXPECT_TRUE(panel->autoFillBackground());
    EXPECT_EQ(controlCursor(&form), kCursorHourGlass);
    EXPECT_EQ(controlCursor(other), kCursorDefault);
    EXPECT_EQ(controlCursor(otherChild), kCursorDefault);

    // Once the set is loaded the controls show its pictures.
    QTemporaryDir dir;
    GravarArquivosDeCursores(dir.path());
    CarregarCursoresAnimados(dir.path(), nullptr);
    EXPECT_EQ(hourglass->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(hourglass->cursor().hotSpot(), cursorFor(crEsperar).hotSpot());
    EXPECT_EQ(hourglass->cursor().hotSpot(), QPoint(16, 16));
    EXPECT_EQ(plain->cursor().hotSpot(), QPoint(1, 1));
}
