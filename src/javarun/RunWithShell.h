#pragma once

#include "BuildProblem.h"

#include <QString>
#include <QStringList>

// A run in a window of its own: the process id of the window's program (0 when none was
// started) and, when it failed, the boxes that say why.
struct ShellRun {
    qint64 processId = 0;
    BuildProblems problems;
};

// Starts program with the target and then the parameters in a window of its own (a
// terminal emulator) in the directory of fileName, without waiting. A non-empty classPath
// becomes the program's CLASSPATH; ownOptions go before the target (the debugger's agent).
ShellRun RunWithShell(const QString &fileName, const QString &program, const QString &parameters,
                      const QString &target, const QString &classPath = QString(),
                      const QStringList &ownOptions = {});
