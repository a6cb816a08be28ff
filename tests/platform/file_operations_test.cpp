#include <unistd.h>
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/shell/file_operations.h"
#include "platform/shell/special_folders.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

using namespace lumoria::platform;

using namespace lumoria::test;

namespace {

const QDateTime kOldDate(QDate(2003, 4, 5), QTime(6, 7, 8), Qt::UTC);

QString freshFolder(const char* name) { return lumoria::test::freshFolder(QStringLiteral("fileops/") + QLatin1String(name)); }

} // namespace

TEST(SpecialFolders, FollowTheXdgFoldersOfTheUser)
{
    EXPECT_EQ(documentsFolder(), home() + QStringLiteral("/Documents"));
    EXPECT_EQ(desktopFolder(), home() + QStringLiteral("/Desktop"));
    EXPECT_EQ(applicationsMenuFolder(), home() + QStringLiteral("/data/applications"));
    EXPECT_EQ(installedProgramsFolder(), ::geteuid() == 0 ? QStringLiteral("/opt") : home() + QStringLiteral("/.local/opt"));
    QDir(home() + QStringLiteral("/.local/bin")).removeRecursively();
    EXPECT_EQ(userExecutablesFolder(), home() + QStringLiteral("/.local/bin"));
    EXPECT_TRUE(QFileInfo(home() + QStringLiteral("/.local/bin")).isDir());
}

TEST(FileOperations, SameFileIsFoundThroughLinksAndSpellings)
{
    const QString folder = freshFolder("same");
    const QString file = folder + QStringLiteral("/foto.jpg");
    writeFile(file, "x");
    EXPECT_TRUE(isSameFile(file, file));
    EXPECT_TRUE(isSameFile(file, folder + QStringLiteral("/./foto.jpg")));
    QDir().mkpath(folder + QStringLiteral("/sub"));
    EXPECT_TRUE(isSameFile(file, folder + QStringLiteral("/sub/../foto.jpg")));
    ASSERT_TRUE(QFile::link(file, folder + QStringLiteral("/atalho.jpg")));
    EXPECT_TRUE(isSameFile(file, folder + QStringLiteral("/atalho.jpg")));
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(folder + QStringLiteral("/duro.jpg")).constData()), 0);
    EXPECT_TRUE(isSameFile(folder + QStringLiteral("/duro.jpg"), file));
    // Letter case makes another file here.
    writeFile(folder + QStringLiteral("/FOTO.jpg"), "y");
    EXPECT_FALSE(isSameFile(file, folder + QStringLiteral("/FOTO.jpg")));
    EXPECT_FALSE(isSameFile(file, folder + QStringLiteral("/nao_existe.jpg")));
    // The same text is the same file, whether it exists or not.
    EXPECT_TRUE(isSameFile(folder + QStringLiteral("/nao_existe.jpg"), folder + QStringLiteral("/nao_existe.jpg")));
}

TEST(FileOperations, CopiesTheDateAndPermissionsOfAFile)
{
    const QString folder = freshFolder("attributes");
    const QString source = folder + QStringLiteral("/a");
    const QString target = folder + QStringLiteral("/b");
    writeFile(source, "a");
    writeFile(target, "b");
    setModificationTime(source, kOldDate);
    QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_TRUE(copyFileTime(source, target));
    EXPECT_TRUE(copyFilePermissions(source, target));
    EXPECT_EQ(QFileInfo(target).lastModified().toUTC(), kOldDate);
    EXPECT_EQ(QFileInfo(target).permissions(), QFileInfo(source).permissions());
    EXPECT_FALSE(copyFileTime(folder + QStringLiteral("/none"), target));
    EXPECT_FALSE(copyFilePermissions(folder + QStringLiteral("/none"), target));
}

TEST(FileOperations, CopyFolderCreatesTheWholeTargetWithTheTree)
{
    const QString folder = freshFolder("copytree");
    const QString source = folder + QStringLiteral("/Lumoria");
    writeFile(source + QStringLiteral("/lumoria"), "program");
    writeFile(source + QStringLiteral("/manual/index.html"), "<html/>");
    writeFile(source + QStringLiteral("/Fotos Lumoria/Exemplos/Exemplo Texto.jpg"), QByteArray(5000, 'j'));
    QDir().mkpath(source + QStringLiteral("/vazia"));
    ASSERT_TRUE(QFile::link(QStringLiteral("manual/index.html"), source + QStringLiteral("/guia")));
    setModificationTime(source + QStringLiteral("/lumoria"), kOldDate);
    QFile::setPermissions(source + QStringLiteral("/lumoria"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);

    const QString target = folder + QStringLiteral("/a/b/Lumoria");
    ASSERT_TRUE(copyFolder(source, target));
    EXPECT_EQ(readFile(target + QStringLiteral("/lumoria")), QByteArray("program"));
    EXPECT_EQ(readFile(target + QStringLiteral("/manual/index.html")), QByteArray("<html/>"));
    EXPECT_EQ(readFile(target + QStringLiteral("/Fotos Lumoria/Exemplos/Exemplo Texto.jpg")), QByteArray(5000, 'j'));
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/vazia")).isDir());
    EXPECT_EQ(QFileInfo(target + QStringLiteral("/guia")).symLinkTarget(), target + QStringLiteral("/manual/index.html"));
    EXPECT_EQ(QFileInfo(target + QStringLiteral("/lumoria")).lastModified().toUTC(), kOldDate);
    EXPECT_EQ(QFileInfo(target + QStringLiteral("/lumoria")).permissions(),
              QFileInfo(source + QStringLiteral("/lumoria")).permissions());
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/Lumoria")));
}

TEST(FileOperations, CopyFolderRefusesATargetInsideTheSourceAndAMissingSource)
{
    const QString folder = freshFolder("inside");
    writeFile(folder + QStringLiteral("/src/a.txt"), "a");
    EXPECT_FALSE(copyFolder(folder + QStringLiteral("/src"), folder + QStringLiteral("/src/copia")));
    EXPECT_FALSE(copyFolder(folder + QStringLiteral("/src"), folder + QStringLiteral("/src")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/src/copia")));
    EXPECT_FALSE(copyFolder(folder + QStringLiteral("/nao_existe"), folder + QStringLiteral("/destino")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/destino")));
    EXPECT_FALSE(copyFolder(folder + QStringLiteral("/src/a.txt"), folder + QStringLiteral("/destino")));
}

TEST(FileOperations, CopyFolderWritesThroughNoLinkStandingAtAName)
{
    const struct {
        const char* what;
        const char* link; // made in the target, relative to it ("" for the target itself)
        bool toFolder;
        const char* named; // how the copy is told the target
    } cases[] = {{"the target", "", true, ""},
                 {"the target named with a final /", "", true, "/"},
                 {"a file", "lumoria", false, ""},
                 {"a folder", "manual", true, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = freshFolder(c.what);
        const QString source = folder + QStringLiteral("/src");
        writeFile(source + QStringLiteral("/lumoria"), "program");
        writeFile(source + QStringLiteral("/manual/index.html"), "<html/>");
        const QString victim = folder + QStringLiteral("/alheio");
        writeFile(victim + QStringLiteral("/lumoria"), "someone's");
        writeFile(victim + QStringLiteral("/index.html"), "someone's");
        const QString target = folder + QStringLiteral("/opt/Lumoria");
        QDir().mkpath(c.link[0] ? target : folder + QStringLiteral("/opt"));
        const QString at = c.link[0] ? target + QLatin1Char('/') + QLatin1String(c.link) : target;
        ASSERT_TRUE(QFile::link(c.toFolder ? victim : victim + QStringLiteral("/lumoria"), at));
        CopyRecord record;
        EXPECT_FALSE(copyFolder(source, target + QLatin1String(c.named), &record));
        EXPECT_EQ(record.reason, QStringLiteral("Existe Um Link Simbólico Com Este Nome"));
        EXPECT_EQ(readFile(victim + QStringLiteral("/lumoria")), QByteArray("someone's"));
        EXPECT_EQ(QDir(victim).entryList(QDir::Files, QDir::Name), (QStringList{"index.html", "lumoria"}));
        EXPECT_TRUE(QFileInfo(at).isSymLink());
    }
}

TEST(FileOperations, ACopyThatFailsSaysWhyAndCanBeTakenBack)
{
    const QString folder = freshFolder("failed copy");
    const QString source = folder + QStringLiteral("/src");
    writeFile(source + QStringLiteral("/a/pequeno"), "small");
    writeFile(source + QStringLiteral("/a/z/grande"), QByteArray(100000, 'g'));
    writeFile(folder + QStringLiteral("/opt/antigo"), "kept");
    const QString target = folder + QStringLiteral("/opt/novo/Lumoria");
    CopyRecord record;
    {
        const FileSizeLimit limit(50000);
        EXPECT_FALSE(copyFolder(source, target, &record));
    }
    EXPECT_EQ(record.reason, QStringLiteral("Arquivo Grande Demais Para o Disco"));
    EXPECT_TRUE(record.files.contains(target + QStringLiteral("/a/z/grande")));
    undoCopy(record);
    EXPECT_EQ(QDir(folder + QStringLiteral("/opt")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("antigo")});
}

TEST(FileOperations, RemovePathDeletesFilesFoldersAndLinksButNotWhatLinksReach)
{
    const QString folder = freshFolder("remove");
    writeFile(folder + QStringLiteral("/kept/file.txt"), "kept");
    writeFile(folder + QStringLiteral("/tree/a/b/c.txt"), "c");
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("/kept"), folder + QStringLiteral("/tree/link")));
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("/kept"), folder + QStringLiteral("/toplink")));

    EXPECT_TRUE(removePath(folder + QStringLiteral("/tree")));
    EXPECT_FALSE(pathExists(folder + QStringLiteral("/tree")));
    EXPECT_TRUE(removePath(folder + QStringLiteral("/toplink")));
    EXPECT_FALSE(pathExists(folder + QStringLiteral("/toplink")));
    EXPECT_EQ(readFile(folder + QStringLiteral("/kept/file.txt")), QByteArray("kept"));
    EXPECT_FALSE(removePath(folder + QStringLiteral("/tree")));
    EXPECT_TRUE(removePath(folder + QStringLiteral("/kept/file.txt")));
    EXPECT_FALSE(pathExists(folder + QStringLiteral("/kept/file.txt")));
}

// A file made again whenever it is missing is written at its name only where nothing stands there;
// a write that fails leaves nothing behind.
TEST(FileOperations, CreateFileWritesOnlyWhereNothingStandsAndLeavesNothingWhenItFails)
{
    const QString pasta = freshFolder("create");
    const QByteArray dados(5000, 'x');
    writeFile(pasta + QStringLiteral("/existe"), "antes");
    writeFile(pasta + QStringLiteral("/alvo"), "alvo");
    ASSERT_TRUE(QFile::link(pasta + QStringLiteral("/alvo"), pasta + QStringLiteral("/link")));
    ASSERT_TRUE(QFile::link(pasta + QStringLiteral("/nada"), pasta + QStringLiteral("/quebrado")));
    struct Case {
        const char* nome;
        int limite; // bytes a write may reach, 0 for none
        int erro;
    };
    const Case cases[] = {
        {"novo", 0, 0},
        {"existe", 0, EEXIST},
        {"link", 0, EEXIST},
        {"quebrado", 0, EEXIST}, // a link to nothing is not followed to make its target
        {"sem_pasta/novo", 0, ENOENT},
        {"cortado", 4096, EFBIG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nome);
        const QString caminho = pasta + QLatin1Char('/') + QLatin1String(c.nome);
        int erro = -1;
        bool criado = false;
        if (c.limite > 0) {
            FileSizeLimit limite(rlim_t(c.limite));
            criado = createFile(caminho, dados, &erro);
        } else {
            criado = createFile(caminho, dados, &erro);
        }
        EXPECT_EQ(criado, c.erro == 0);
        EXPECT_EQ(erro, c.erro);
        if (c.erro == 0)
            EXPECT_EQ(readFile(caminho), dados);
        if (c.erro == EFBIG)
            EXPECT_FALSE(QFileInfo::exists(caminho)) << "what was written is removed";
    }
    EXPECT_EQ(readFile(pasta + QStringLiteral("/existe")), QByteArray("antes"));
    EXPECT_EQ(readFile(pasta + QStringLiteral("/alvo")), QByteArray("alvo"));
    EXPECT_FALSE(QFileInfo::exists(pasta + QStringLiteral("/nada")));
}
