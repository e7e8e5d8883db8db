#pragma once

#include "CompilerMessage.h"

#include <QList>
#include <QString>

// What a compile gave, as values: whether the compiler ran to its end and with which exit
// code, the text the error panel shows of it, and the compiler's messages read once from
// that text. Both ways of compiling (the compiler process and the resident compiler) give
// the same result for the same compile.
struct CompileResult {
    // The compiler ran to its end: false when it could not be started, the waiting for it
    // failed or the program was quitting.
    bool ended = false;
    int exitCode = -1;
    // The panel's text without its closing lines: the `Datei "..."` line, an empty line,
    // then what the compiler wrote (line ends made uniform, none at the very end).
    QString panelText;
    // The line that says the output was cut, "" when nothing was cut.
    QString truncationLine;
    QList<Diagnostic> diagnostics;

    // The compile succeeded: the compiler ended and said so with its exit code.
    bool Succeeded() const { return ended && exitCode == 0; }
};

// The result of a compile whose output has been shown as panelText; the diagnostics are read
// from it here, once.
CompileResult MakeCompileResult(bool ended, int exitCode, const QString &panelText,
                                const QString &truncationLine);
