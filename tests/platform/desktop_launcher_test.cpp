#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "platform/shell/desktop_launcher.h"
#include "support/test_files.h"

using namespace lumoria::platform;
using lumoria::test::home;

namespace {

// Reads an Exec value back the way a desktop does: undo the string escapes, then split the quoted
// words and undo their escapes, then turn "%%" into "%".
QStringList execWords(const QString& value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            unescaped += next == QLatin1Char('s')   ? QChar(' ')
                         : next == QLatin1Char('n') ? QChar('\n')
                         : next == QLatin1Char('t') ? QChar('\t')
                         : next == QLatin1Char('r') ? QChar('\r')
                         : next == QLatin1Char('\\') ? QChar('\\')
                                                     : QChar(0xFFFD); // not a string escape
        } else {
            unescaped += value[i];
        }
    }
    QStringList words;
    qsizetype i = 0;
    while (i < unescaped.size()) {
        if (unescaped[i] == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        if (unescaped[i] != QLatin1Char('"'))
            return {QStringLiteral("<unquoted word>")};
        QString word;
        for (++i; i < unescaped.size() && unescaped[i] != QLatin1Char('"'); ++i) {
            if (unescaped[i] == QLatin1Char('\\'))
                ++i;
            word += unescaped[i];
        }
        ++i;
        words += word.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return words;
}

QMap<QString, QString> readEntry(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QMap<QString, QString> entry;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        entry.insert(eq < 0 ? line : line.left(eq), eq < 0 ? QString() : line.mid(eq + 1));
    }
    return entry;
}

} // namespace

TEST(DesktopLauncher, QuotesEveryWordOfTheExecValue)
{
    EXPECT_EQ(desktopExecValue(QStringLiteral("/opt/Meu Programa/lumoria"), {QStringLiteral("<DESINSTALAR>")}),
              QStringLiteral("\"/opt/Meu Programa/lumoria\" \"<DESINSTALAR>\""));
    EXPECT_EQ(desktopExecValue(QStringLiteral("/usr/bin/lumoria"), {}), QStringLiteral("\"/usr/bin/lumoria\""));
    // $ and " escaped for the quoting, then every backslash doubled by the string escapes.
    EXPECT_EQ(desktopExecValue(QStringLiteral("/tmp/a$b\"c\\d%e`f"), {}),
              QStringLiteral("\"/tmp/a\\\\$b\\\\\"c\\\\\\\\d%%e\\\\`f\""));
}

TEST(DesktopLauncher, ExecWordsReadBackUnchanged)
{
    const QString program = QStringLiteral("/home/ana/Programas Lumoria/lu$moria");
    const QStringList arguments{QStringLiteral("<DESINSTALAR>"), QStringLiteral("50% \"off\" `x` \\ ~ | & ; * ? # ( )"),
                                QStringLiteral(" a\tb\nc "), QString()};
    const QStringList words = execWords(desktopExecValue(program, arguments));
    EXPECT_EQ(words, QStringList{program} + arguments);
}

TEST(DesktopLauncher, WritesAnExecutableApplicationEntry)
{
    const QString path = home() + QStringLiteral("/Desktop/Lançador de Teste.desktop");
    QFile::remove(path);
    DesktopLauncher launcher;
    launcher.name = QStringLiteral("Lumoria v1.0");
    launcher.program = QStringLiteral("/home/ana/.local/share/Lumoria/lumoria");
    launcher.workingFolder = QStringLiteral("/home/ana/.local/share/Lumoria");
    ASSERT_TRUE(writeDesktopLauncher(path, launcher));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=Lumoria v1.0\n"
                             "Exec=\"/home/ana/.local/share/Lumoria/lumoria\"\n"
                             "Path=/home/ana/.local/share/Lumoria\n"));
    EXPECT_TRUE(QFileInfo(path).permissions() & QFile::ExeOwner);
}

TEST(DesktopLauncher, LeavesOutAnEmptyWorkingFolderAndEscapesStrings)
{
    const QString path = home() + QStringLiteral("/Desktop/escapes.desktop");
    DesktopLauncher launcher;
    launcher.name = QStringLiteral(" Nome\\com\nquebra");
    launcher.program = QStringLiteral("/bin/true");
    launcher.arguments = {QStringLiteral("um argumento")};
    ASSERT_TRUE(writeDesktopLauncher(path, launcher));
    const QMap<QString, QString> entry = readEntry(path);
    EXPECT_EQ(entry.value(QStringLiteral("Name")), QStringLiteral("\\sNome\\\\com\\nquebra"));
    EXPECT_EQ(execWords(entry.value(QStringLiteral("Exec"))),
              (QStringList{QStringLiteral("/bin/true"), QStringLiteral("um argumento")}));
    EXPECT_FALSE(entry.contains(QStringLiteral("Path")));
}

TEST(DesktopLauncher, ReportsAFileThatCannotBeWritten)
{
    DesktopLauncher launcher;
    launcher.name = QStringLiteral("x");
    launcher.program = QStringLiteral("/bin/true");
    EXPECT_FALSE(writeDesktopLauncher(home() + QStringLiteral("/no such folder/x.desktop"), launcher));
    EXPECT_FALSE(QFileInfo::exists(home() + QStringLiteral("/no such folder")));
}
