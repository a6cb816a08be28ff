// The two settings with their order, defaults and write-back, and the job-file association.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <functional>

#include "app/settings.h"
#include "platform/failure.h"
#include "support/test_files.h"

using namespace lumoria;
using namespace lumoria::platform;
using lumoria::test::home;
using lumoria::test::readFile;
using lumoria::test::writeFile;

namespace {

const QString kKey = QStringLiteral(".DEFAULT/SOFTWARE/Karvel/Lumoria");
const QString kMax = QStringLiteral("Entrar_Com_Janela_Maximizada");
const QString kCount = QStringLiteral("Numero_Da_Utilizacao_Para_Orientacao");

QString freshStore(const char* name)
{
    const QString path = home() + QStringLiteral("/config/app-settings/") + QLatin1String(name) + QStringLiteral(".json");
    QFile::remove(path);
    return path;
}

// Fields set away from the defaults, so that the read visibly sets them.
Configuracoes unlikely() { return Configuracoes{false, 4242}; }

} // namespace

TEST(Settings, TheReadTakesStoredIntegersAndWritesTheDefaultsBackOtherwise)
{
    const struct {
        const char* name;
        std::function<void(SettingsStore&)> stored;
        Configuracoes read;
        std::int32_t maxAfter, countAfter;
        bool written;
    } cases[] = {
        {"first run", [](SettingsStore&) {}, {true, 0}, 1, 0, true},
        {"0 and -1", [](SettingsStore& s) { s.writeInteger(kKey, kMax, 0); s.writeInteger(kKey, kCount, -1); },
         {false, -1}, 0, -1, false},
        // Any value but 0 is true.
        {"5 and the largest", [](SettingsStore& s) { s.writeInteger(kKey, kMax, 5); s.writeInteger(kKey, kCount, 2147483647); },
         {true, 2147483647}, 5, 2147483647, false},
        // A flag of another type stops the reading before the counter; both are written back.
        {"flag as a string", [](SettingsStore& s) { s.writeString(kKey, kMax, "1"); s.writeInteger(kKey, kCount, 5); },
         {true, 0}, 1, 0, true},
        {"flag as a boolean", [](SettingsStore& s) { s.writeBoolean(kKey, kMax, false); s.writeInteger(kKey, kCount, 5); },
         {true, 0}, 1, 0, true},
        {"key there, flag not", [](SettingsStore& s) { s.writeString(kKey, "outro", "x"); s.writeInteger(kKey, kCount, 5); },
         {true, 0}, 1, 0, true},
        // A missing counter, or one of another type, keeps the flag read before it.
        {"counter missing", [](SettingsStore& s) { s.writeInteger(kKey, kMax, 0); }, {false, 0}, 0, 0, true},
        {"counter as a string", [](SettingsStore& s) { s.writeInteger(kKey, kMax, 0); s.writeString(kKey, kCount, "7"); },
         {false, 0}, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = freshStore("read");
        SettingsStore store(path);
        c.stored(store);
        const QByteArray before = readFile(path);
        // Both fields start away from what the read should give.
        Configuracoes read{!c.read.EntrarMaximizada, 4242};
        LerConfiguracoesDoRegistro(store, read);
        EXPECT_EQ(read.EntrarMaximizada, c.read.EntrarMaximizada);
        EXPECT_EQ(read.ContadorDeUtilizacoes, c.read.ContadorDeUtilizacoes);
        EXPECT_EQ(store.readInteger(kKey, kMax), std::optional<std::int32_t>(c.maxAfter));
        EXPECT_EQ(store.readInteger(kKey, kCount), std::optional<std::int32_t>(c.countAfter));
        EXPECT_EQ(readFile(path) != before, c.written);
    }
}

TEST(Settings, WritesBothValuesAndARefusedWriteRaisesNamingTheFirstValueWritten)
{
    SettingsStore store(freshStore("write"));
    GravarConfiguracoesNoRegistro(store, Configuracoes{false, 3});
    EXPECT_EQ(store.readInteger(kKey, kMax), std::optional<std::int32_t>(0));
    EXPECT_EQ(store.readInteger(kKey, kCount), std::optional<std::int32_t>(3));

    writeFile(home() + QStringLiteral("/config/blocker"), "a file, not a folder");
    SettingsStore blocked(home() + QStringLiteral("/config/blocker/store.json"));
    Configuracoes c = unlikely();
    const struct {
        const char* name;
        std::function<void()> write;
        const char* message;
    } cases[] = {
        // The maximised flag is the first value written.
        {"settings read", [&] { LerConfiguracoesDoRegistro(blocked, c); }, "Failed to set data for 'Entrar_Com_Janela_Maximizada'"},
        {"settings written", [&] { GravarConfiguracoesNoRegistro(blocked, c); }, "Failed to set data for 'Entrar_Com_Janela_Maximizada'"},
        {"file association", [&] { RegistrarExtensaoDeArquivo(blocked, ".pvo", "Lumoria", "/p/L"); }, "Failed to set data for ''"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        try {
            k.write();
            ADD_FAILURE() << "no failure raised";
        } catch (const SettingsWriteError& e) {
            EXPECT_STREQ(e.what(), k.message);
        }
    }
    // The read set the defaults before it failed to write them back.
    EXPECT_TRUE(c.EntrarMaximizada);
    EXPECT_EQ(c.ContadorDeUtilizacoes, 0);
}

TEST(Settings, TheDefaultStoresArePerUser)
{
    EXPECT_EQ(userSettingsStore().filePath(), home() + QStringLiteral("/config/lumoria/users.json"));
    EXPECT_EQ(fileClassesStore().filePath(), home() + QStringLiteral("/config/lumoria/classes.json"));
    QFile::remove(userSettingsStore().filePath());
    Configuracoes c = unlikely();
    LerConfiguracoesDoRegistro(c);
    c.ContadorDeUtilizacoes = 2;
    GravarConfiguracoesNoRegistro(c);
    Configuracoes again;
    LerConfiguracoesDoRegistro(again);
    EXPECT_EQ(again.ContadorDeUtilizacoes, 2);
    EXPECT_TRUE(again.EntrarMaximizada);
}

TEST(FileAssociation, WritesTheFourKeysOverWhateverTheyHeldWithTheProgramPathAsItIs)
{
    const QString program = QStringLiteral("/opt/Programas/Lumoria Foto/Lumoria");
    for (const char* extension : {".pvo", "pvo", ".PVO", "Pvo"}) {
        SCOPED_TRACE(extension);
        SettingsStore classes(freshStore("classes"));
        // Whatever the keys held is overwritten.
        classes.writeString(QStringLiteral("PVO_auto_file\\shell\\open\\command"), QString(), QStringLiteral("outro"));
        RegistrarExtensaoDeArquivo(classes, QLatin1String(extension), QStringLiteral("Lumoria"), program);
        EXPECT_EQ(classes.readString(QStringLiteral(".PVO"), QString()), QStringLiteral("PVO_auto_file"));
        EXPECT_EQ(classes.readString(QStringLiteral("PVO_auto_file"), QString()), QStringLiteral("Lumoria"));
        EXPECT_EQ(classes.readString(QStringLiteral("PVO_auto_file\\shell\\open\\command"), QString()),
                  QStringLiteral("\"/opt/Programas/Lumoria Foto/Lumoria\" \"%1\""));
        EXPECT_EQ(classes.readString(QStringLiteral("PVO_auto_file\\defaulticon"), QString()),
                  QStringLiteral("/opt/Programas/Lumoria Foto/Lumoria, 0"));
        EXPECT_FALSE(classes.keyExists(QStringLiteral(".pvo")));
    }
}

TEST(FileAssociation, TheDesktopLearnsTheTypeAndItsProgramFromFilesWrittenOnlyWhenTheyChangeOrReportedWhenTheyCannotBe)
{
    const QString data = home() + QStringLiteral("/data");
    const QString package = data + QStringLiteral("/mime/packages/application-x-lumoria-pvo.xml");
    const QString entry = data + QStringLiteral("/applications/lumoria-pvo.desktop");
    QDir(data + QStringLiteral("/mime")).removeRecursively();
    QDir(data + QStringLiteral("/applications")).removeRecursively();
    SettingsStore classes(freshStore("classes-desktop"));
    const QString program = QStringLiteral("/opt/Lumoria Foto/Lumoria");
    ASSERT_TRUE(RegistrarExtensaoDeArquivo(classes, QStringLiteral(".PVO"), QStringLiteral("Lumoria"), program));
    EXPECT_EQ(readFile(package),
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                         "  <mime-type type=\"application/x-lumoria-pvo\">\n"
                         "    <comment>Lumoria</comment>\n"
                         "    <glob pattern=\"*.pvo\"/>\n"
                         "  </mime-type>\n"
                         "</mime-info>\n"));
    EXPECT_EQ(readFile(entry), QByteArray("[Desktop Entry]\nType=Application\nName=Lumoria\n"
                                          "Exec=\"/opt/Lumoria Foto/Lumoria\" %f\n"
                                          "MimeType=application/x-lumoria-pvo;\nNoDisplay=true\nTerminal=false\n"));
    if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
        EXPECT_TRUE(readFile(data + QStringLiteral("/mime/globs2")).contains("application/x-lumoria-pvo:*.pvo"));
    }

    // The same registration again touches neither file.
    const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    lumoria::test::setModificationTime(package, old);
    lumoria::test::setModificationTime(entry, old);
    QFile::remove(data + QStringLiteral("/mime/globs2"));
    EXPECT_TRUE(RegistrarExtensaoDeArquivo(classes, QStringLiteral("PVO"), QStringLiteral("Lumoria"), program));
    EXPECT_EQ(QFileInfo(package).lastModified(), old);
    EXPECT_EQ(QFileInfo(entry).lastModified(), old);
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/mime/globs2"))); // no cache refresh either

    // Another program path rewrites the entry, and only the entry.
    EXPECT_TRUE(RegistrarExtensaoDeArquivo(classes, QStringLiteral(".pvo"), QStringLiteral("Lumoria"),
                                           QStringLiteral("/home/u/Lumoria/lumoria")));
    EXPECT_EQ(QFileInfo(package).lastModified(), old);
    EXPECT_NE(QFileInfo(entry).lastModified(), old);
    EXPECT_TRUE(readFile(entry).contains("Exec=\"/home/u/Lumoria/lumoria\" %f\n"));

    // Desktop files that cannot be written are reported, not raised; the keys are written all the same.
    QDir(data + QStringLiteral("/applications")).removeRecursively();
    writeFile(data + QStringLiteral("/applications"), "a file, not a folder");
    SettingsStore outras(freshStore("classes-no-desktop"));
    EXPECT_FALSE(RegistrarExtensaoDeArquivo(outras, QStringLiteral(".pvo"), QStringLiteral("Lumoria"), QStringLiteral("/p/lumoria")));
    EXPECT_EQ(outras.readString(QStringLiteral(".PVO"), QString()), QStringLiteral("PVO_auto_file"));
}
