#include "CompileResult.h"

CompileResult MakeCompileResult(bool ended, int exitCode, const QString &panelText,
                                const QString &truncationLine) {
    CompileResult result;
    result.ended = ended;
    result.exitCode = exitCode;
    result.panelText = panelText;
    result.truncationLine = truncationLine;
    result.diagnostics = CompilerDiagnostics(panelText.split(u'\n'));
    return result;
}
