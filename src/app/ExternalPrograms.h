#pragma once

#include <QString>
#include <QStringList>

// The desktop programs that stand in for the calculator, the file manager and the text
// editor, and how a terminal emulator hosts the command shell.

QStringList CalculatorCandidates();
QStringList FileManagerCandidates();
QStringList TextEditorCandidates();

// The first candidate found as an executable in one of the PATH directories (or given as
// an absolute path); the empty text when none is found.
QString FindFirstProgram(const QStringList &candidates, const QString &pathList);

// The arguments that make the terminal (found by the build's FindTerminal) run the shell
// and close when the user leaves it.
QStringList ShellInTerminalArguments(const QString &terminalProgram,
                                     const QStringList &terminalArguments, const QString &shell);
