#pragma once

#include <QString>
#include <QStringList>

// The desktop programs that stand in for the calculator, the file manager and the text
// editor, and the terminal emulator that hosts the command shell.

QStringList CalculatorCandidates();
QStringList FileManagerCandidates();
QStringList TextEditorCandidates();

// The first candidate found as an executable in one of the PATH directories (or given as
// an absolute path); the empty text when none is found.
QString FindFirstProgram(const QStringList &candidates, const QString &pathList);

// A terminal emulator with the arguments that make it run a command: the program named by
// QUILL_TERMINAL, then $TERMINAL, x-terminal-emulator and some common ones. The command
// follows the returned arguments.
struct TerminalCommand {
    QString program;       // empty when no terminal was found
    QStringList arguments; // e.g. {"-e"}
};
TerminalCommand FindTerminal(const QString &pathList);
