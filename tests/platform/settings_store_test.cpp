#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>

#include <limits>

#include "platform/failure.h"
#include "platform/system/settings_store.h"
#include "support/test_files.h"

using namespace lumoria;
using namespace lumoria::platform;
using lumoria::test::home;

namespace {

// Each test gets a store file of its own, so the tests run alone or together in any order.
QString freshStorePath(const char* name)
{
    const QString path = home() + QStringLiteral("/config/settings-test/") + QLatin1String(name) + QStringLiteral(".json");
    QFile::remove(path);
    return path;
}

} // namespace

TEST(SettingsStore, KeepsItsFileUnderTheXdgConfigFolder)
{
    const SettingsStore store = SettingsStore::inConfigFolder(QStringLiteral("lumoria-test/users.json"));
    EXPECT_EQ(store.filePath(), home() + QStringLiteral("/config/lumoria-test/users.json"));
}

TEST(SettingsStore, ReadsBackEachTypeFromANewStoreOnTheSameFile)
{
    const QString path = freshStorePath("types");
    const QString key = QStringLiteral("SOFTWARE/Karvel/Lumoria");
    {
        SettingsStore store(path);
        store.writeBoolean(key, QStringLiteral("Janela"), true);
        store.writeInteger(key, QStringLiteral("Contador"), -7);
        store.writeInteger(key, QStringLiteral("Maior"), std::numeric_limits<std::int32_t>::max());
        store.writeInteger(key, QStringLiteral("Menor"), std::numeric_limits<std::int32_t>::min());
        store.writeString(key, QString(), QStringLiteral("Descrição \"com\" aspas\r\ne linhas"));
    }
    const SettingsStore again(path);
    EXPECT_EQ(again.readBoolean(key, QStringLiteral("Janela")), std::optional<bool>(true));
    EXPECT_EQ(again.readInteger(key, QStringLiteral("Contador")), std::optional<std::int32_t>(-7));
    EXPECT_EQ(again.readInteger(key, QStringLiteral("Maior")), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(again.readInteger(key, QStringLiteral("Menor")), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(again.readString(key, QString()), QStringLiteral("Descrição \"com\" aspas\r\ne linhas"));
    EXPECT_EQ(again.valueType(key, QStringLiteral("Janela")), SettingsValueType::Boolean);
    EXPECT_EQ(again.valueType(key, QStringLiteral("Contador")), SettingsValueType::Integer);
    EXPECT_EQ(again.valueType(key, QString()), SettingsValueType::String);
}

TEST(SettingsStore, AMissingValueAnotherTypeOrAForeignNumberReadsAsNothing)
{
    SettingsStore store(freshStorePath("missing"));
    const QString key = QStringLiteral("SOFTWARE/Karvel/Lumoria");
    EXPECT_FALSE(store.readInteger(key, QStringLiteral("Numero")).has_value());
    EXPECT_EQ(store.valueType(key, QStringLiteral("Numero")), SettingsValueType::None);

    store.writeString(key, QStringLiteral("Entrar"), QStringLiteral("1"));
    store.writeInteger(key, QStringLiteral("Zero"), 0);
    EXPECT_FALSE(store.readInteger(key, QStringLiteral("Entrar")).has_value());
    EXPECT_FALSE(store.readBoolean(key, QStringLiteral("Entrar")).has_value());
    EXPECT_FALSE(store.readBoolean(key, QStringLiteral("Zero")).has_value());
    EXPECT_FALSE(store.readString(key, QStringLiteral("Zero")).has_value());
    // A stored zero is a value, not a missing one.
    EXPECT_EQ(store.readInteger(key, QStringLiteral("Zero")), std::optional<std::int32_t>(0));
    // Names and keys are told apart by letter case.
    EXPECT_FALSE(store.readInteger(key, QStringLiteral("zero")).has_value());
    EXPECT_FALSE(store.readInteger(QStringLiteral("software/karvel/lumoria"), QStringLiteral("Zero")).has_value());

    // Numbers that are not 32-bit integers are foreign.
    const QString foreignPath = freshStorePath("foreign");
    lumoria::test::writeFile(foreignPath, R"({"K": {"Meio": 1.5, "Grande": 4294967296, "Texto": "12", "Lista": [1]}})");
    const SettingsStore foreign(foreignPath);
    for (const char* name : {"Meio", "Grande", "Lista"}) {
        EXPECT_FALSE(foreign.readInteger(QStringLiteral("K"), QLatin1String(name)).has_value()) << name;
        EXPECT_EQ(foreign.valueType(QStringLiteral("K"), QLatin1String(name)), SettingsValueType::None) << name;
    }
    EXPECT_EQ(foreign.readString(QStringLiteral("K"), QStringLiteral("Texto")), QStringLiteral("12"));
}

TEST(SettingsStore, KeysAcceptBothSeparatorsAndExistOnceCreated)
{
    SettingsStore store(freshStorePath("keys"));
    EXPECT_EQ(SettingsStore::normalizedKey(QStringLiteral("\\Software\\Karvel//Lumoria\\")),
              QStringLiteral("Software/Karvel/Lumoria"));
    EXPECT_FALSE(store.keyExists(QStringLiteral(".DEFAULT/SOFTWARE/Karvel/Lumoria")));
    EXPECT_TRUE(store.createKey(QStringLiteral(".DEFAULT\\SOFTWARE\\Karvel\\Lumoria")));
    EXPECT_TRUE(store.keyExists(QStringLiteral(".DEFAULT/SOFTWARE/Karvel/Lumoria")));
    EXPECT_TRUE(store.keyExists(QStringLiteral(".DEFAULT/SOFTWARE"))); // a key above it
    EXPECT_FALSE(store.keyExists(QStringLiteral(".DEFAULT/SOFT")));
    EXPECT_EQ(store.valueType(QStringLiteral(".DEFAULT/SOFTWARE/Karvel/Lumoria"), QStringLiteral("x")),
              SettingsValueType::None);

    store.writeString(QStringLiteral("PVO_auto_file\\shell\\open\\command"), QString(), QStringLiteral("\"p\" \"%1\""));
    EXPECT_EQ(store.readString(QStringLiteral("/PVO_auto_file/shell/open/command"), QString()),
              QStringLiteral("\"p\" \"%1\""));
    EXPECT_TRUE(store.keyExists(QStringLiteral("PVO_auto_file")));
}

TEST(SettingsStore, ARefusedWriteRaisesTheSettingsFailureAndKeepsTheFile)
{
    // A regular file where the store's folder should be: nobody, root included, can write there.
    const QString blocker = home() + QStringLiteral("/config/settings-blocker");
    lumoria::test::writeFile(blocker, "not a folder");
    SettingsStore store(blocker + QStringLiteral("/store.json"));
    try {
        store.writeInteger(QStringLiteral("K"), QStringLiteral("Numero_Da_Utilizacao_Para_Orientacao"), 1);
        FAIL() << "no failure raised";
    } catch (const SettingsWriteError& failure) {
        EXPECT_STREQ(failure.what(), "Failed to set data for 'Numero_Da_Utilizacao_Para_Orientacao'");
    }
    EXPECT_FALSE(store.createKey(QStringLiteral("K")));
    EXPECT_THROW(store.writeString(QStringLiteral("K"), QString(), QStringLiteral("x")), SettingsWriteError);
    EXPECT_THROW(store.writeBoolean(QStringLiteral("K"), QStringLiteral("b"), false), SettingsWriteError);
}

TEST(SettingsStore, ADamagedFileReadsAsEmptyAndIsReplacedByTheNextWrite)
{
    const QString path = freshStorePath("damaged");
    lumoria::test::writeFile(path, "{ not json");
    SettingsStore store(path);
    EXPECT_FALSE(store.keyExists(QStringLiteral("K")));
    store.writeInteger(QStringLiteral("K"), QStringLiteral("n"), 3);
    EXPECT_EQ(SettingsStore(path).readInteger(QStringLiteral("K"), QStringLiteral("n")), std::optional<std::int32_t>(3));
}

TEST(SettingsStore, WritingOneValueKeepsTheOthersAndAnUnchangedOneLeavesTheFileAlone)
{
    SettingsStore store(freshStorePath("keep"));
    store.writeInteger(QStringLiteral("A"), QStringLiteral("x"), 1);
    store.writeInteger(QStringLiteral("B"), QStringLiteral("y"), 2);
    store.writeInteger(QStringLiteral("A"), QStringLiteral("x"), 5);
    store.writeBoolean(QStringLiteral("A"), QStringLiteral("z"), false);
    EXPECT_EQ(store.readInteger(QStringLiteral("A"), QStringLiteral("x")), std::optional<std::int32_t>(5));
    EXPECT_EQ(store.readInteger(QStringLiteral("B"), QStringLiteral("y")), std::optional<std::int32_t>(2));
    EXPECT_EQ(store.readBoolean(QStringLiteral("A"), QStringLiteral("z")), std::optional<bool>(false));

    // A value written again unchanged leaves the file alone.
    const QString path = store.filePath();
    store.writeString(QStringLiteral("K"), QStringLiteral("s"), QStringLiteral("v"));
    auto inode = [&] {
        struct stat info {};
        ::stat(QFile::encodeName(path).constData(), &info);
        return info.st_ino;
    };
    const auto first = inode();
    store.writeString(QStringLiteral("K"), QStringLiteral("s"), QStringLiteral("v"));
    EXPECT_EQ(inode(), first);
    // Another value, or the same text as another type, is written.
    store.writeBoolean(QStringLiteral("K"), QStringLiteral("s"), true);
    EXPECT_NE(inode(), first);
    EXPECT_EQ(store.readBoolean(QStringLiteral("K"), QStringLiteral("s")), std::optional<bool>(true));
}

TEST(SettingsStore, DeletingAKeyTakesTheKeysBelowItAndNoOther)
{
    SettingsStore store(freshStorePath("delete"));
    for (const char* key : {".PVO", "PVO_auto_file", "PVO_auto_file\\shell\\open\\command", "PVO_auto_file/defaulticon",
                            "PVO_auto_file2", "Outra\\PVO_auto_file"})
        store.writeString(QString::fromLatin1(key), QString(), QStringLiteral("v"));
    EXPECT_TRUE(store.deleteKey(QStringLiteral("PVO_auto_file")));
    EXPECT_TRUE(store.deleteKey(QStringLiteral("Nenhuma"))); // nothing there: no failure
    struct Case {
        const char* key;
        bool left;
    };
    for (const Case& c : {Case{"PVO_auto_file", false}, Case{"PVO_auto_file/shell/open/command", false},
                          Case{"PVO_auto_file\\defaulticon", false}, Case{".PVO", true}, Case{"PVO_auto_file2", true},
                          Case{"Outra/PVO_auto_file", true}})
        EXPECT_EQ(SettingsStore(store.filePath()).readString(QString::fromLatin1(c.key), QString()).has_value(), c.left)
            << c.key;
}
