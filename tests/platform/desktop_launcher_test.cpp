#include <gtest/gtest.h>

#include <QFile>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

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
    QMap<QString, QString> entry;
    for (const QString& line : QString::fromUtf8(lumoria::test::readFile(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        entry.insert(eq < 0 ? line : line.left(eq), eq < 0 ? QString() : line.mid(eq + 1));
    }
    return entry;
}

} // namespace

TEST(DesktopLauncher, QuotesEveryWordOfTheExecValueSoThatItReadsBackUnchanged)
{
    EXPECT_EQ(desktopExecValue(QStringLiteral("/opt/Meu Programa/lumoria"), {QStringLiteral("<DESINSTALAR>")}),
              QStringLiteral("\"/opt/Meu Programa/lumoria\" \"<DESINSTALAR>\""));
    EXPECT_EQ(desktopExecValue(QStringLiteral("/usr/bin/lumoria"), {}), QStringLiteral("\"/usr/bin/lumoria\""));
    // $ and " escaped for the quoting, then every backslash doubled by the string escapes.
    EXPECT_EQ(desktopExecValue(QStringLiteral("/tmp/a$b\"c\\d`f"), {}),
              QStringLiteral("\"/tmp/a\\\\$b\\\\\"c\\\\\\\\d\\\\`f\""));
    // A "%" doubled, and the program handed to the shell.
    EXPECT_EQ(desktopExecValue(QStringLiteral("/tmp/50%/lumoria"), {QStringLiteral("%f")}),
              QStringLiteral("\"/bin/sh\" \"-c\" \"exec \\\\\"\\\\$0\\\\\" \\\\\"\\\\$@\\\\\"\" "
                             "\"/tmp/50%%/lumoria\" \"%%f\""));

    const QString program = QStringLiteral("/home/ana/Programas Lumoria/lu$moria");
    const QStringList arguments{QStringLiteral("<DESINSTALAR>"), QStringLiteral("50% \"off\" `x` \\ ~ | & ; * ? # ( )"),
                                QStringLiteral(" a\tb\nc "), QString()};
    const QStringList words = execWords(desktopExecValue(program, arguments));
    EXPECT_EQ(words, QStringList{program} + arguments);
}

TEST(DesktopLauncher, WritesAnExecutableApplicationEntryOrReportsItCouldNot)
{
    const QString path = home() + QStringLiteral("/Desktop/Lançador de Teste.desktop");
    QFile::remove(path);
    DesktopLauncher launcher;
    launcher.name = QStringLiteral("Lumoria v1.0");
    launcher.program = QStringLiteral("/home/ana/.local/share/Lumoria/lumoria");
    launcher.workingFolder = QStringLiteral("/home/ana/.local/share/Lumoria");
    ASSERT_TRUE(writeDesktopLauncher(path, launcher));

    EXPECT_EQ(QString::fromUtf8(lumoria::test::readFile(path)),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=Lumoria v1.0\n"
                             "Exec=\"/home/ana/.local/share/Lumoria/lumoria\"\n"
                             "Path=/home/ana/.local/share/Lumoria\n"));
    EXPECT_TRUE(QFileInfo(path).permissions() & QFile::ExeOwner);

    // Without a working folder no Path; the name's string escapes.
    const QString escapes = home() + QStringLiteral("/Desktop/escapes.desktop");
    launcher = DesktopLauncher();
    launcher.name = QStringLiteral(" Nome\\com\nquebra");
    launcher.program = QStringLiteral("/bin/true");
    launcher.arguments = {QStringLiteral("um argumento")};
    ASSERT_TRUE(writeDesktopLauncher(escapes, launcher));
    const QMap<QString, QString> entry = readEntry(escapes);
    EXPECT_EQ(entry.value(QStringLiteral("Name")), QStringLiteral("\\sNome\\\\com\\nquebra"));
    EXPECT_EQ(execWords(entry.value(QStringLiteral("Exec"))),
              (QStringList{QStringLiteral("/bin/true"), QStringLiteral("um argumento")}));
    EXPECT_FALSE(entry.contains(QStringLiteral("Path")));

    // A file that cannot be written is reported.
    EXPECT_FALSE(writeDesktopLauncher(home() + QStringLiteral("/no such folder/x.desktop"), launcher));
    EXPECT_FALSE(QFileInfo::exists(home() + QStringLiteral("/no such folder")));
}

namespace {

// Runs a desktop tool on the launcher; its exit code, and its output in `output`.
int runTool(const QString& tool, const QStringList& arguments, QString* output,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing (scripts/setup.sh installs it)";
        return -1;
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    *output = QString::fromUtf8(process.readAll());
    return process.exitCode();
}

} // namespace

TEST(DesktopLauncher, DesktopsRunTheProgramWhateverItsFolderIsCalled)
{
    // Blanks, accents, quotes, $, \ and % in the folder, as an installation under such a home has.
    const QString folder = lumoria::test::freshFolder(QStringLiteral("launch/Fotos Ação \"50%\" 'x' $HOME \\ `y`"));
    const QString program = folder + QStringLiteral("/lumoria");
    const QString output = home() + QStringLiteral("/launch/ran.txt");
    QFile::remove(output);
    lumoria::test::writeFile(program, "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$@\" > \"$LUMORIA_RAN\"\n");
    ASSERT_TRUE(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
    const struct {
        const char* what;
        QStringList arguments;
    } cases[] = {{"no argument", {}}, {"the uninstall switch", {QStringLiteral("<DESINSTALAR>")}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = home() + QStringLiteral("/launch/Lumoria.desktop");
        DesktopLauncher launcher;
        launcher.name = QStringLiteral("Lumoria v1.0");
        launcher.program = program;
        launcher.arguments = c.arguments;
        launcher.workingFolder = folder;
        ASSERT_TRUE(writeDesktopLauncher(path, launcher));

        QString said;
        EXPECT_EQ(runTool(QStringLiteral("desktop-file-validate"), {path}, &said), 0) << said.toStdString();
        EXPECT_EQ(said, QString());

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LUMORIA_RAN"), output);
        QFile::remove(output);
        EXPECT_EQ(runTool(QStringLiteral("gio"), {QStringLiteral("launch"), path}, &said, environment), 0)
            << said.toStdString();
        // The program runs detached from gio: its output is awaited.
        const QDeadlineTimer deadline(10000);
        while (!QFileInfo(output).size() && !deadline.hasExpired())
            QThread::msleep(10);
        EXPECT_EQ(lumoria::test::readFile(output), (QStringList{folder} + c.arguments).join(QLatin1Char('\n')).toUtf8() + "\n");
    }
}
