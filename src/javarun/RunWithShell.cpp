#include "RunWithShell.h"

#include "RunPlan.h"
#include "TerminalCommand.h"

#include "common/ExecuteFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString ErrorCaption = QStringLiteral("Fehler");
const QString ShellRunFailed = QStringLiteral("Fehler beim Aufruf des externen Programms");

#ifndef Q_OS_WIN
// The launch message for a program that cannot be started, or "" when it can.
QString ProgramProblem(const QString &program) {
    const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    const QFileInfo info(path);
    const QString prefix =
        QStringLiteral("Fehler beim Aufruf der Datei/des Programms\r\n") + program;
    if (program.isEmpty() || path.isEmpty() || !info.exists())
        return prefix + QStringLiteral("\r\nDas Programm existiert nicht");
    if (info.isDir() || !info.isExecutable())
        return prefix + QStringLiteral("\r\nAuf das Programm konnte nicht zugegriffen werden. "
                                       "Zugriffsverweigerung");
    return QString();
}
#endif

} // namespace

ShellRun RunWithShell(const QString &fileName, const QString &program, const QString &parameters,
                      const QString &target, const QString &classPath,
                      const QStringList &ownOptions) {
    const QString workingDir = WorkingDirectoryOf(fileName);
    ShellRun run;
    // Every failure ends with the same general line after the one that says why.
    const auto failed = [&run](const QString &reason) {
        if (!reason.isEmpty())
            run.problems << BuildProblem{MsgIcon::Error, ErrorCaption, reason};
        run.problems << BuildProblem{MsgIcon::Error, ErrorCaption, ShellRunFailed};
        return run;
    };
#ifdef Q_OS_WIN
    // The shell's "open" gives the program a console window of its own.
    if (ExecuteFile(program, (ownOptions + QStringList{target, parameters}).join(u' '), workingDir,
                    5) <= 32)
        return failed(QString());
    return run;
#else
    if (const QString problem = ProgramProblem(program); !problem.isEmpty())
        return failed(problem);
    const std::optional<Command> terminal = FindTerminal();
    if (!terminal)
        return failed(NoTerminalMessage());
    const Command command = ComposeTerminalCommand(
        *terminal, ShellCommand(program, parameters, target, ownOptions), workingDir);
    QProcess terminalProcess;
    terminalProcess.setProgram(command.program);
    terminalProcess.setArguments(command.arguments);
    terminalProcess.setWorkingDirectory(workingDir);
    if (!classPath.isEmpty())
        terminalProcess.setProcessEnvironment(ClassPathEnvironment(classPath));
    if (!terminalProcess.startDetached(&run.processId)) {
        run.processId = 0;
        return failed(QStringLiteral("Fehler beim Aufruf der Datei/des Programms\r\n") +
                      command.program);
    }
    return run;
#endif
}
