#pragma once

#include <QString>

// Starts program with the target and then the parameters in a window of its own (a
// terminal emulator) in the directory of fileName, without waiting. Failures are shown
// in error boxes. A non-empty classPath becomes the program's CLASSPATH. Returns the process
// id of the window's program, 0 when none was started.
qint64 RunWithShell(const QString &fileName, const QString &program, const QString &parameters,
                    const QString &target, const QString &classPath = QString());
