#include "TerminalCommand.h"

#include "ShellWords.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Common terminals, tried in this order after the desktop's own choice.
const QStringList CommonTerminals = {
    QStringLiteral("gnome-terminal"), QStringLiteral("konsole"),
    QStringLiteral("xfce4-terminal"), QStringLiteral("mate-terminal"),
    QStringLiteral("terminator"),     QStringLiteral("kitty"),
    QStringLiteral("alacritty"),      QStringLiteral("foot"),
    QStringLiteral("urxvt"),          QStringLiteral("xterm"),
};

std::optional<Command>
FromCommandText(const QString &commandText,
                const std::function<QString(const QString &)> &findExecutable) {
    QStringList words = SplitShellWords(commandText);
    if (words.isEmpty())
        return std::nullopt;
    const QString program = findExecutable(words.takeFirst());
    if (program.isEmpty())
        return std::nullopt;
    return Command{program, words};
}

// The terminal's kind: its file name after following links, without a ".wrapper" suffix.
QString KindOf(const QString &program) {
    const QFileInfo info(program);
    const QString target = info.canonicalFilePath();
    QString name = QFileInfo(target.isEmpty() ? program : target).fileName();
    if (name.endsWith(QStringLiteral(".wrapper")))
        name.chop(8);
    return name;
}

} // namespace

std::optional<Command> FindTerminal(const std::function<QString(const QString &)> &environment,
                                    const std::function<QString(const QString &)> &findExecutable) {
    for (const char *variable : {TerminalOverrideVariable, "TERMINAL"}) {
        if (auto terminal =
                FromCommandText(environment(QString::fromLatin1(variable)), findExecutable))
            return terminal;
    }
    if (auto terminal = FromCommandText(QStringLiteral("x-terminal-emulator"), findExecutable))
        return terminal;
    for (const QString &name : CommonTerminals) {
        if (auto terminal = FromCommandText(name, findExecutable))
            return terminal;
    }
    return std::nullopt;
}

std::optional<Command> FindTerminal() {
    return FindTerminal([](const QString &name) { return qEnvironmentVariable(qPrintable(name)); },
                        [](const QString &name) {
                            if (name.contains(u'/'))
                                return QFileInfo(name).isExecutable() ? name : QString();
                            return QStandardPaths::findExecutable(name);
                        });
}

Command ComposeTerminalCommand(const Command &terminal, const Command &inner,
                               const QString &workingDir) {
    const QString kind = KindOf(terminal.program);
    QStringList options;
    if (kind == u"gnome-terminal") {
        options << QStringLiteral("--working-directory=") + workingDir << QStringLiteral("--");
    } else if (kind == u"konsole") {
        options << QStringLiteral("--hold") << QStringLiteral("--workdir") << workingDir
                << QStringLiteral("-e");
    } else if (kind == u"xfce4-terminal") {
        options << QStringLiteral("--hold") << QStringLiteral("--working-directory=") + workingDir
                << QStringLiteral("-x");
    } else if (kind == u"mate-terminal" || kind == u"terminator") {
        options << QStringLiteral("--working-directory=") + workingDir << QStringLiteral("-x");
    } else if (kind == u"kitty") {
        options << QStringLiteral("--hold") << QStringLiteral("--directory") << workingDir;
    } else if (kind == u"alacritty") {
        options << QStringLiteral("--hold") << QStringLiteral("--working-directory") << workingDir
                << QStringLiteral("-e");
    } else if (kind == u"foot") {
        options << QStringLiteral("--hold") << QStringLiteral("--working-directory=") + workingDir;
    } else if (kind == u"xterm" || kind == u"uxterm" || kind == u"lxterm" || kind == u"urxvt" ||
               kind == u"rxvt-unicode") {
        options << QStringLiteral("-hold") << QStringLiteral("-e");
    } else {
        // What every x-terminal-emulator must understand: -e, then the program and its
        // arguments as separate words.
        options << QStringLiteral("-e");
    }
    Command command{terminal.program, terminal.arguments};
    command.arguments << options << inner.program << inner.arguments;
    return command;
}

QString NoTerminalMessage() {
    return QStringLiteral("Es wurde kein Terminalprogramm gefunden, in dem das Programm laufen "
                          "kann.\r\nBitte installieren Sie eines, zum Beispiel das Paket \"%1\" "
                          "(sudo apt-get install %1).")
        .arg(QLatin1String(TerminalPackage));
}
