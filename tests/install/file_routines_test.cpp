#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include "install/file_routines.h"
#include "support/test_files.h"

using namespace lumoria;
using namespace lumoria::test;

namespace {

QString freshFolder(const char* name) { return test::freshFolder(QStringLiteral("install-test/") + QLatin1String(name)); }

QString launcherText(const QString& path) { return QString::fromUtf8(readFile(path)); }
QString inTrash(const QString& name) { return home() + QStringLiteral("/data/Trash/files/") + name; }

const QDateTime kOldDate(QDate(1999, 12, 31), QTime(23, 58, 7), Qt::UTC);

void setDateAndPermissions(const QString& path, QFile::Permissions permissions)
{
    setModificationTime(path, kOldDate);
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
}

QByteArray pattern(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return data;
}

} // namespace

// ---- special folders ----------------------------------------------------------------------------

TEST(PastasEspeciais, AreTheUsersFoldersWithoutATrailingSlash)
{
    EXPECT_EQ(PastaMeusDocumentos(), home() + QStringLiteral("/Documents"));
    EXPECT_EQ(PastaAreaDeTrabalho(), home() + QStringLiteral("/Desktop"));
    EXPECT_EQ(PastaMenuIniciar(), home() + QStringLiteral("/data/applications"));
    EXPECT_EQ(PastaArquivosDeProgramas(), ::geteuid() == 0 ? QStringLiteral("/opt") : home() + QStringLiteral("/.local/opt"));
    EXPECT_EQ(PastaDoWindows(), home() + QStringLiteral("/.local/bin"));
    EXPECT_TRUE(QFileInfo(PastaDoWindows()).isDir());
}

// ---- shortcuts ----------------------------------------------------------------------------------

TEST(CriarAtalho, PutsADesktopLauncherOnTheDesktopAndNothingElse)
{
    const QString desktop = home() + QStringLiteral("/Desktop");
    const QString launcher = desktop + QStringLiteral("/Lumoria v1.0.desktop");
    QFile::remove(launcher);
    QDir(desktop + QStringLiteral("/Subpasta Ignorada")).removeRecursively();

    EXPECT_TRUE(CriarAtalho(QStringLiteral("/home/ana/.local/share/Lumoria/lumoria"), QString(),
                            QStringLiteral("/home/ana/.local/share/Lumoria/"), QStringLiteral("Lumoria v1.0"),
                            QStringLiteral("Subpasta Ignorada"), kAtalhoNaAreaDeTrabalho));

    EXPECT_EQ(launcherText(launcher), QStringLiteral("[Desktop Entry]\nType=Application\nName=Lumoria v1.0\n"
                                                     "Exec=\"/home/ana/.local/share/Lumoria/lumoria\"\n"
                                                     "Path=/home/ana/.local/share/Lumoria/\n"));
    EXPECT_FALSE(QFileInfo::exists(desktop + QStringLiteral("/Subpasta Ignorada")));
}

TEST(CriarAtalho, WritesNothingWhenTheDesktopFolderIsMissingOrAtAnotherLocation)
{
    const QString desktop = home() + QStringLiteral("/Desktop");
    const QString moved = home() + QStringLiteral("/Desktop-moved");
    QDir(moved).removeRecursively();
    ASSERT_TRUE(QDir().rename(desktop, moved));
    const bool written = CriarAtalho(QStringLiteral("/usr/bin/lumoria"), QString(), QString(),
                                     QStringLiteral("Sem Area"), QString(), kAtalhoNaAreaDeTrabalho);
    const bool created = QFileInfo::exists(desktop);
    QDir(desktop).removeRecursively();
    ASSERT_TRUE(QDir().rename(moved, desktop));
    EXPECT_FALSE(created);
    EXPECT_FALSE(written);

    // Nor at a location other than the desktop and the menu.
    EXPECT_FALSE(CriarAtalho(QStringLiteral("/usr/bin/lumoria"), QString(), QString(), QStringLiteral("Local Dois"),
                             QStringLiteral("Sub"), 2));
    EXPECT_FALSE(QFileInfo::exists(desktop + QStringLiteral("/Local Dois.desktop")));
    EXPECT_FALSE(QFileInfo::exists(home() + QStringLiteral("/data/applications/Sub")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Local Dois.desktop")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Sub/Local Dois.desktop")));
}

TEST(CriarAtalho, CreatesTheWholeStartMenuFolderForItsLaunchers)
{
    const QString menu = home() + QStringLiteral("/data/applications");
    QDir(menu).removeRecursively();
    ASSERT_FALSE(QFileInfo::exists(menu));

    CriarAtalho(QStringLiteral("/home/ana/.local/share/Lumoria/lumoria"), QString(),
                QStringLiteral("/home/ana/.local/share/Lumoria"), QStringLiteral("01 - Executar Lumoria v1.0"),
                QStringLiteral("Lumoria v1.0"), kAtalhoNoMenuIniciar);
    CriarAtalho(QStringLiteral("/home/ana/.local/bin/lumoria_Desinstalar"), QStringLiteral("<DESINSTALAR>"),
                QStringLiteral("/home/ana/.local/bin"), QStringLiteral("02 - Desinstalar Lumoria v1.0"),
                QStringLiteral("Lumoria v1.0"), kAtalhoNoMenuIniciar);

    const QString folder = menu + QStringLiteral("/Lumoria v1.0");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("01 - Executar Lumoria v1.0.desktop"),
                           QStringLiteral("02 - Desinstalar Lumoria v1.0.desktop")}));
    EXPECT_EQ(launcherText(folder + QStringLiteral("/02 - Desinstalar Lumoria v1.0.desktop")),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=02 - Desinstalar Lumoria v1.0\n"
                             "Exec=\"/home/ana/.local/bin/lumoria_Desinstalar\" \"<DESINSTALAR>\"\n"
                             "Path=/home/ana/.local/bin\n"));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/01 - Executar Lumoria v1.0.desktop")).permissions() &
                QFile::ExeOwner);
}

// ---- copying a file -----------------------------------------------------------------------------

TEST(CopiarArquivo, CopiesContentsDateAndPermissionsOverALongerFile)
{
    const struct {
        const char* what;
        QByteArray data;
        QFile::Permissions permissions;
    } cases[] = {
        {"several blocks and a partial one", pattern(2048 * 3 + 17),
         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup},
        {"empty", QByteArray(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = freshFolder(c.what);
        const QString source = folder + QStringLiteral("/lumoria");
        writeFile(source, c.data);
        setDateAndPermissions(source, c.permissions);
        const QString target = folder + QStringLiteral("/lumoria_Desinstalar");
        writeFile(target, QByteArray(20000, 'x')); // an older, longer file is replaced

        EXPECT_TRUE(CopiarArquivo(source, target));
        EXPECT_EQ(readFile(target), c.data);
        EXPECT_EQ(QFileInfo(target).lastModified().toUTC(), kOldDate);
        EXPECT_EQ(QFileInfo(target).permissions(), QFileInfo(source).permissions());
    }
}

TEST(CopiarArquivo, RefusesToCopyAFileOntoItselfButAnotherLetterCaseIsAnotherFile)
{
    const QString folder = freshFolder("self");
    const QString file = folder + QStringLiteral("/foto.jpg");
    writeFile(file, "precious");
    QDir().mkpath(folder + QStringLiteral("/sub"));
    ASSERT_TRUE(QFile::link(file, folder + QStringLiteral("/atalho.jpg")));
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(folder + QStringLiteral("/duro.jpg")).constData()),
              0);

    EXPECT_FALSE(CopiarArquivo(file, file));
    EXPECT_FALSE(CopiarArquivo(file, folder + QStringLiteral("/sub/../foto.jpg")));
    EXPECT_FALSE(CopiarArquivo(file, folder + QStringLiteral("/atalho.jpg")));
    EXPECT_FALSE(CopiarArquivo(folder + QStringLiteral("/duro.jpg"), file));
    EXPECT_EQ(readFile(file), QByteArray("precious"));

    // Unlike the case-blind file systems this routine comes from, Linux keeps both names apart.
    const QString other = freshFolder("case");
    writeFile(other + QStringLiteral("/foto.jpg"), "small letters");
    EXPECT_TRUE(CopiarArquivo(other + QStringLiteral("/foto.jpg"), other + QStringLiteral("/FOTO.JPG")));
    EXPECT_EQ(readFile(other + QStringLiteral("/FOTO.JPG")), QByteArray("small letters"));
    EXPECT_EQ(readFile(other + QStringLiteral("/foto.jpg")), QByteArray("small letters"));
    EXPECT_EQ(QDir(other).entryList(QDir::Files).size(), 2);
}

TEST(CopiarArquivo, FailsForAnUnreadableSourceAnUncreatableDestinationOrAFailedWrite)
{
    const QString folder = freshFolder("failures");
    writeFile(folder + QStringLiteral("/a.txt"), "a");
    // A missing source, a folder as source or as destination, a destination in a missing folder.
    for (const auto& [from, to] : {std::pair{"/nao_existe.txt", "/b.txt"}, {"", "/pasta.txt"}, {"/a.txt", "/sem pasta/b.txt"},
                                   {"/a.txt", ""}}) {
        EXPECT_FALSE(CopiarArquivo(folder + from, folder + to)) << from << " to " << to;
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(' ').toStdString(), "a.txt");
    writeFile(folder + QStringLiteral("/a.bin"), pattern(5000));
    // Every write to this device fails with "no space left".
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/dev/full")));
    EXPECT_FALSE(CopiarArquivo(folder + QStringLiteral("/a.bin"), QStringLiteral("/dev/full")));
}

// ---- the copy loop ------------------------------------------------------------------------------

namespace {

// A source that hands out at most `chunk` bytes per read, and records the largest request.
class TricklingSource : public QIODevice {
public:
    TricklingSource(QByteArray data, qint64 chunk) : m_data(std::move(data)), m_chunk(chunk)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 largestRequest = 0;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        largestRequest = std::max(largestRequest, max);
        const qint64 n = std::min({max, m_chunk, qint64(m_data.size()) - m_pos});
        if (n <= 0)
            return 0;
        std::memcpy(out, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_chunk;
    qint64 m_pos = 0;
};

// Endless zeros in, bytes counted out: a copy far beyond 32 bits without a disk.
class Zeros : public QIODevice {
public:
    Zeros() { open(QIODevice::ReadWrite | QIODevice::Unbuffered); }
    qint64 written = 0;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        std::memset(out, 0, size_t(max));
        return max;
    }
    qint64 writeData(const char*, qint64 n) override
    {
        written += n;
        return n;
    }
};

// Whether copyInBlocks said it copied `size` bytes of the source, and what reached the buffer.
std::pair<bool, QByteArray> CopyToBuffer(QIODevice& source, qint64 size)
{
    QByteArray copy;
    QBuffer target(&copy);
    target.open(QIODevice::WriteOnly);
    const bool copied = copyInBlocks(source, target, size);
    return {copied, copy};
}

} // namespace

TEST(CopyInBlocks, CopiesInBlocksOfAtMost2048BytesAndTakesShortReads)
{
    const QByteArray data = pattern(5000);
    TricklingSource source(data, 2048 * 4);
    EXPECT_EQ(CopyToBuffer(source, data.size()), std::pair(true, data));
    EXPECT_LE(source.largestRequest, 2048);
    TricklingSource slow(data, 7); // reads that give less than asked still progress
    EXPECT_EQ(CopyToBuffer(slow, data.size()), std::pair(true, data));
}

TEST(CopyInBlocks, ASourceThatEndsEarlyOrARefusedWriteStopsTheCopyWithFalse)
{
    QByteArray shortData("only ten b");
    QBuffer shortSource(&shortData);
    shortSource.open(QIODevice::ReadOnly);
    EXPECT_EQ(CopyToBuffer(shortSource, 5000), std::pair(false, shortData)); // what was read stays written

    QByteArray data = pattern(3000);
    QBuffer source(&data);
    source.open(QIODevice::ReadOnly);
    QByteArray none;
    QBuffer readOnlyTarget(&none);
    readOnlyTarget.open(QIODevice::ReadOnly);
    EXPECT_FALSE(copyInBlocks(source, readOnlyTarget, data.size()));
}

TEST(CopyInBlocks, SizesBeyond32BitsAreCopiedWhole)
{
    Zeros device;
    const std::int64_t size = (std::int64_t(1) << 32) + 100;
    EXPECT_TRUE(copyInBlocks(device, device, size));
    EXPECT_EQ(device.written, size);
}

// ---- copying a folder ---------------------------------------------------------------------------

TEST(CopiarPasta, CopiesTheFolderAndMergesIntoAnExistingOne)
{
    const QString folder = freshFolder("folder");
    const QString program = folder + QStringLiteral("/build/Lumoria");
    writeFile(program + QStringLiteral("/lumoria"), "v2");
    writeFile(program + QStringLiteral("/manual/index.html"), "guide v2");
    const QString installed = folder + QStringLiteral("/programas/Lumoria");

    EXPECT_TRUE(CopiarPasta(nullptr, program, installed));
    EXPECT_EQ(readFile(installed + QStringLiteral("/lumoria")), QByteArray("v2"));
    EXPECT_EQ(readFile(installed + QStringLiteral("/manual/index.html")), QByteArray("guide v2"));

    // Installing again over an older installation replaces files and keeps the rest.
    writeFile(installed + QStringLiteral("/lumoria"), "v1 was here");
    writeFile(installed + QStringLiteral("/extra.txt"), "extra");
    writeFile(program + QStringLiteral("/lumoria"), "v3");
    EXPECT_TRUE(CopiarPasta(nullptr, program, installed));
    EXPECT_EQ(readFile(installed + QStringLiteral("/lumoria")), QByteArray("v3"));
    EXPECT_EQ(readFile(installed + QStringLiteral("/extra.txt")), QByteArray("extra"));
    EXPECT_FALSE(QFileInfo::exists(installed + QStringLiteral("/Lumoria")));

    // A missing source creates nothing.
    EXPECT_FALSE(CopiarPasta(nullptr, folder + QStringLiteral("/nao_existe"), folder + QStringLiteral("/destino")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/destino")));
}

// ---- deleting -----------------------------------------------------------------------------------

TEST(ApagarArquivo, DeletesTheFileOrMovesItToTheTrashAndLeavesAFolderAlone)
{
    const QString folder = freshFolder("delfile");
    writeFile(folder + QStringLiteral("/atalho-apagado.desktop"), "gone");
    EXPECT_TRUE(ApagarArquivo(folder + QStringLiteral("/atalho-apagado.desktop"), false));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/atalho-apagado.desktop")));
    EXPECT_FALSE(QFileInfo::exists(inTrash("atalho-apagado.desktop")));

    writeFile(folder + QStringLiteral("/atalho-na-lixeira.desktop"), "kept in the trash");
    EXPECT_TRUE(ApagarArquivo(folder + QStringLiteral("/atalho-na-lixeira.desktop"), true));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/atalho-na-lixeira.desktop")));
    EXPECT_EQ(readFile(inTrash("atalho-na-lixeira.desktop")), QByteArray("kept in the trash"));

    // A missing file counts as deleted, and nothing of its name reaches the trash.
    EXPECT_TRUE(ApagarArquivo(folder + QStringLiteral("/nao_existe.lnk"), false));
    EXPECT_TRUE(ApagarArquivo(folder + QStringLiteral("/nao_existe.lnk"), true));
    EXPECT_FALSE(QFileInfo::exists(inTrash("nao_existe.lnk")));

    // A folder is left alone.
    writeFile(folder + QStringLiteral("/pasta/dentro.txt"), "inside");
    EXPECT_TRUE(ApagarArquivo(folder + QStringLiteral("/pasta"), false));
    EXPECT_EQ(readFile(folder + QStringLiteral("/pasta/dentro.txt")), QByteArray("inside"));
}

TEST(ApagarPasta, DeletesTheFolderWithEverythingInItOrMovesItToTheTrashAndSaysWhenItCannot)
{
    const QString folder = freshFolder("deltree");
    writeFile(folder + QStringLiteral("/Lumoria/lumoria"), "p");
    writeFile(folder + QStringLiteral("/Lumoria/Fotos Lumoria/Exemplos/Exemplo Texto.jpg"), "j");
    EXPECT_TRUE(ApagarPasta(folder + QStringLiteral("/Lumoria"), false));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Lumoria")));
    // A missing folder gives false, whether to the trash or not.
    EXPECT_FALSE(ApagarPasta(folder + QStringLiteral("/Lumoria"), false));
    EXPECT_FALSE(ApagarPasta(folder + QStringLiteral("/Lumoria"), true));

    // With undo allowed, the folder goes to the trash.
    writeFile(folder + QStringLiteral("/Pasta-Na-Lixeira/a.txt"), "a");
    EXPECT_TRUE(ApagarPasta(folder + QStringLiteral("/Pasta-Na-Lixeira"), true));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Pasta-Na-Lixeira")));
    EXPECT_EQ(readFile(inTrash("Pasta-Na-Lixeira/a.txt")), QByteArray("a"));

    // Nothing can be deleted from the kernel's process folders, whoever asks.
    const QString kernels = QStringLiteral("/proc/self/fdinfo");
    ASSERT_TRUE(QFileInfo(kernels).isDir());
    EXPECT_FALSE(ApagarPasta(kernels, false));
    EXPECT_TRUE(QFileInfo(kernels).isDir());
}

TEST(ApagarPasta, TakesPathsOfAnyLength)
{
    const QString folder = freshFolder("dellong");
    QString deep = folder + QStringLiteral("/Lumoria v1.0");
    while (deep.size() < 400)
        deep += QStringLiteral("/uma pasta com nome comprido");
    writeFile(deep + QStringLiteral("/arquivo.txt"), "deep");
    const QString top = folder + QStringLiteral("/Lumoria v1.0") + QStringLiteral("/uma pasta com nome comprido").repeated(9);
    ASSERT_GT(top.size(), 256);
    EXPECT_TRUE(ApagarPasta(top, false));
    EXPECT_FALSE(QFileInfo::exists(top));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Lumoria v1.0")));
}
