#pragma once

#include "CompileResult.h"
#include "ProcessRunner.h"

#include <QString>

class WarmCompiler;

// Compiles like RunCaptured with the compiler as program, and shows the same panel text:
// through the resident compiler when it can promise the process's result (warm may be
// null: then always the process), otherwise by starting the compiler process. Afterwards
// the resident compiler is made ready for this compiler and folder, so the next compile
// there is quick. Returns what the compile gave; the panel's finished text is made from
// that result.
CompileResult CompileCaptured(WarmCompiler *warm, const QString &fileName, const QString &compiler,
                              const QString &parameters, const QString &target, RunOutput *panel,
                              const CapturedRunOptions &options = {});

// Shows a finished compile in the panel: its text, the line that says the output was cut
// and "-- Fertig --".
void ShowCompileResult(RunOutput *panel, const CompileResult &result);
