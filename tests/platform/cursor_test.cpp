#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <QtEndian>

#include "platform/cursor_bytes.h"
#include "platform/system/resources.h"
#include "platform/ui/animated_cursor_file.h"
#include "platform/ui/screen_cursor.h"
#include "support/test_files.h"

using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

QColor centre(const QImage& image) { return image.pixelColor(image.width() / 2, image.height() / 2); }

QString written(const QString& name, const QByteArray& bytes)
{
    const QString path = home() + QLatin1Char('/') + name;
    writeFile(path, bytes);
    return path;
}

// Three frames of different colours shown red, green, red, blue.
AniSpec threeColours()
{
    AniSpec s;
    s.frames = {iconFile(2, 32, Qt::red, 3, 4), iconFile(2, 32, Qt::green, 5, 6), iconFile(2, 32, Qt::blue, 31, 0)};
    s.sequence = {0, 1, 0, 2};
    s.rates = {6, 12, 3, 60};
    s.flags = 3;
    return s;
}

} // namespace

TEST(CursorFile, ReadsAStillCursorWithItsHotSpotAndAnIconWithTheMiddleAsOne)
{
    const auto data = readCursorData(iconFile(2, 16, QColor(10, 20, 30), 7, 9));
    ASSERT_TRUE(data);
    ASSERT_EQ(data->frames.size(), 1);
    const QImage& image = data->frames[0].image;
    EXPECT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));  // rows are read bottom-up
    EXPECT_EQ(image.pixelColor(15, 15), QColor(10, 20, 30));
    EXPECT_EQ(data->frames[0].hotSpot, QPoint(7, 9));
    EXPECT_EQ(data->sequence, QList<int>{0});

    const auto icon = readCursorData(iconFile(1, 32, Qt::red, 0, 0));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->frames[0].hotSpot, QPoint(16, 16));
}

TEST(CursorFile, ReadsAnAnimationWithSequenceAndRatesOrInFrameOrderAtTheHeaderRate)
{
    AniSpec spec = threeColours();
    spec.before = chunk("LIST", QByteArray("INFOINAM") + QByteArray("\x05\0\0\0abcde\0", 10));
    const QString path = written("three.ani", aniFile(spec));
    const auto data = readCursorFile(path);
    ASSERT_TRUE(data);
    ASSERT_EQ(data->frames.size(), 3);
    EXPECT_EQ(centre(data->frames[0].image), QColor(Qt::red));
    EXPECT_EQ(centre(data->frames[1].image), QColor(Qt::green));
    EXPECT_EQ(centre(data->frames[2].image), QColor(Qt::blue));
    EXPECT_EQ(data->frames[0].hotSpot, QPoint(3, 4));
    EXPECT_EQ(data->frames[1].hotSpot, QPoint(5, 6));
    EXPECT_EQ(data->frames[2].hotSpot, QPoint(31, 0));
    EXPECT_EQ(data->sequence, (QList<int>{0, 1, 0, 2}));
    EXPECT_EQ(data->rates, (QList<int>{6, 12, 3, 60}));

    AniSpec plain;
    plain.frames = {iconFile(2, 32, Qt::red, 0, 0), iconFile(2, 32, Qt::green, 0, 0)};
    plain.displayRate = 7;
    const auto inOrder = readCursorData(aniFile(plain));
    ASSERT_TRUE(inOrder);
    EXPECT_EQ(inOrder->sequence, (QList<int>{0, 1}));
    EXPECT_EQ(inOrder->rates, (QList<int>{7, 7}));
    plain.displayRate = 0;  // no time at all would spin the timer
    const auto zero = readCursorData(aniFile(plain));
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->rates, (QList<int>{1, 1}));
}

TEST(CursorFile, RefusesBrokenFiles)
{
    const QByteArray good = aniFile(threeColours());
    ASSERT_TRUE(readCursorData(good));
    EXPECT_FALSE(readCursorData(good.left(good.size() - 10)));  // the frame list runs past the end
    EXPECT_FALSE(readCursorData(QByteArray()));
    EXPECT_FALSE(readCursorData("RIFF\x04\0\0\0ACON"));
    EXPECT_FALSE(readCursorData("not a cursor at all"));
    EXPECT_FALSE(readCursorFile(QDir::tempPath() + "/does-not-exist.ani"));

    AniSpec badStep = threeColours();
    badStep.sequence = {0, 3};
    EXPECT_FALSE(readCursorData(aniFile(badStep)));

    AniSpec rawFrames = threeColours();
    rawFrames.flags = 2;
    EXPECT_FALSE(readCursorData(aniFile(rawFrames)));

    AniSpec shortSeq = threeColours();
    shortSeq.steps = 9;  // more steps than the sequence holds
    EXPECT_FALSE(readCursorData(aniFile(shortSeq)));

    QByteArray badImage = iconFile(2, 16, Qt::red, 0, 0);
    AppendU32(badImage, 0);
    badImage[18] = char(0x7F);  // image offset far past the end
    EXPECT_FALSE(readCursorData(badImage));
}

TEST(CursorSet, AnAnimatedCursorPlaysOnTheControlsThatShowIt)
{
    constexpr CursorId id = 6002;
    AniSpec spec = threeColours();
    spec.rates = {1, 1, 1, 1};
    ASSERT_TRUE(loadCursorFile(id, written("fast.ani", aniFile(spec))));
    QWidget control;
    setControlCursor(&control, id);
    EXPECT_EQ(controlCursor(&control), id);
    EXPECT_EQ(cursorFor(id).hotSpot(), QPoint(3, 4));

    // Every step the control shows the frame the sequence names.
    QList<int> stepsSeen;
    QElapsedTimer clock;
    clock.start();
    while (stepsSeen.size() < 6 && clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const int step = cursorStep(id);
        if (stepsSeen.isEmpty() || stepsSeen.last() != step) {
            stepsSeen.append(step);
            const QImage shown = control.cursor().pixmap().toImage();
            const QColor expected[] = {Qt::red, Qt::green, Qt::red, Qt::blue};
            EXPECT_EQ(centre(shown), expected[step]) << "step " << step;
        }
    }
    EXPECT_GE(stepsSeen.size(), 6);
    unregisterCursor(id);
    EXPECT_FALSE(isCursorRegistered(id));
    EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
}

TEST(CursorSet, ControlsFollowALaterRegistrationAndAnUnreadableFileRegistersNothing)
{
    constexpr CursorId id = 6003;
    QWidget control;
    setControlCursor(&control, id);
    EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
    registerCursor(id, QCursor(Qt::CrossCursor));
    EXPECT_EQ(control.cursor().shape(), Qt::CrossCursor);
    unregisterCursor(id);

    QWidget plain;
    EXPECT_EQ(controlCursor(&plain), kCursorDefault);
    EXPECT_EQ(cursorFor(kCursorHourGlass).shape(), Qt::WaitCursor);
    EXPECT_EQ(cursorFor(kCursorUpArrow).shape(), Qt::UpArrowCursor);

    // A file that cannot be read registers nothing.
    constexpr CursorId broken = 6001;
    EXPECT_FALSE(loadCursorFile(broken, written("broken.ani", "RIFF")));
    EXPECT_FALSE(isCursorRegistered(broken));
    EXPECT_EQ(cursorFor(broken).shape(), Qt::ArrowCursor);
}

TEST(CursorSet, TheScreenCursorShowsTheRegisteredOne)
{
    constexpr CursorId id = 6004;
    registerCursor(id, QCursor(Qt::PointingHandCursor));
    {
        ScreenCursorGuard guard(id);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
        registerCursor(id, QCursor(Qt::IBeamCursor));
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    unregisterCursor(id);
}

namespace {

// The icon files an animated cursor holds, in file order (chunks "icon", also inside lists).
void collectIcons(const QByteArray& d, qsizetype from, qsizetype to, QList<QByteArray>& icons)
{
    for (qsizetype at = from; at + 8 <= to;) {
        const QByteArray id = d.mid(at, 4);
        const auto size = qsizetype(qFromLittleEndian<quint32>(d.constData() + at + 4));
        if (id == "LIST")
            collectIcons(d, at + 12, std::min(to, at + 8 + size), icons);
        else if (id == "icon")
            icons.append(d.mid(at + 8, size));
        at += 8 + size + (size & 1);
    }
}

} // namespace

TEST(CursorFile, TheProgramsCursorsAreAnimated32By32AndDecodeAsQtsIconReaderDecodesThem)
{
    for (const char* name : {"Cursor_Apontar", "Cursor_Cortar", "Cursor_Div_Horizontal", "Cursor_Esperar",
                             "Cursor_Executar", "Cursor_Movimentar", "Cursor_Normal", "Cursor_Pintar",
                             "Cursor_Tocar"}) {
        SCOPED_TRACE(name);
        const std::optional<QByteArray> file = readRawResource(QString::fromLatin1(name));
        ASSERT_TRUE(file);
        const auto data = readCursorData(*file);
        ASSERT_TRUE(data);
        QList<QByteArray> icons;
        collectIcons(*file, 12, file->size(), icons);
        // Animated, 32 x 32, hot spots inside.
        EXPECT_GE(data->frames.size(), 2);
        ASSERT_EQ(data->frames.size(), icons.size());
        for (qsizetype i = 0; i < icons.size(); ++i) {
            const QImage qt = QImage::fromData(icons[i], "ico").convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(qt.isNull());
            EXPECT_EQ(data->frames[i].image.convertToFormat(QImage::Format_ARGB32), qt) << "frame " << i;
            EXPECT_EQ(data->frames[i].image.size(), QSize(32, 32)) << "frame " << i;
            EXPECT_TRUE(QRect(0, 0, 32, 32).contains(data->frames[i].hotSpot)) << "frame " << i;
        }
    }
}
