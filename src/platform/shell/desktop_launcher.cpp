#include "platform/shell/desktop_launcher.h"

#include "platform/shell/file_operations.h"

#include <QFile>

#include <cerrno>

namespace lumoria::platform {

namespace {

QString quotedWord(const QString& word)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : word) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // A lone "%" would start a field code.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return quoted;
}

} // namespace

QString desktopStringValue(const QString& text)
{
    QString value;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\'))
            value += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            value += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            value += QStringLiteral("\\r");
        else if (c == QLatin1Char(' ') && i == 0)
            value += QStringLiteral("\\s"); // a leading blank would be taken for spacing after "="
        else
            value += c;
    }
    return value;
}

QString desktopExecValue(const QString& program, const QStringList& arguments)
{
    QStringList words;
    // GLib looks for the program named by the first word before it turns "%%" back into "%", and
    // refuses the launcher when there is none: a program whose path holds a "%" is started by the
    // shell, with its path as the shell's first argument.
    if (program.contains(QLatin1Char('%')))
        words << quotedWord(QStringLiteral("/bin/sh")) << quotedWord(QStringLiteral("-c"))
              << quotedWord(QStringLiteral("exec \"$0\" \"$@\""));
    words += quotedWord(program);
    for (const QString& argument : arguments)
        words += quotedWord(argument);
    return desktopStringValue(words.join(QLatin1Char(' ')));
}

bool writeDesktopLauncher(const QString& filePath, const DesktopLauncher& launcher, QString* reason)
{
    // A link at the launcher's name would have the file it reaches replaced.
    if (isLink(filePath)) {
        if (reason)
            *reason = describeSystemError(ELOOP);
        return false;
    }
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + desktopStringValue(launcher.name) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + desktopExecValue(launcher.program, launcher.arguments) + QLatin1Char('\n');
    if (!launcher.workingFolder.isEmpty())
        text += QStringLiteral("Path=") + desktopStringValue(launcher.workingFolder) + QLatin1Char('\n');

    if (!writeFileSafely(filePath, text.toUtf8(), reason))
        return false;
    if (QFile::setPermissions(filePath, QFile::permissions(filePath) | QFile::ExeOwner | QFile::ExeUser))
        return true;
    if (reason)
        *reason = describeSystemError(errno);
    return false;
}

} // namespace lumoria::platform
