#include "CompileCaptured.h"

#include "RunPlan.h"
#include "WarmCompiler.h"
#include "WarmCompileRules.h"

#include <QPointer>

#include <optional>

namespace {

// The resident compiler's part: the same result and panel text as the captured run of the
// process. Nothing when the process has to compile instead.
std::optional<CompileResult> WarmCompile(WarmCompiler &warm, const QString &fileName,
                                         const QString &compiler, QStringList arguments,
                                         const QString &target, RunOutput *panel,
                                         const CapturedRunOptions &options) {
    // The process finds the shipped classes through its environment; the resident
    // compiler gets the same class path as an option.
    if (!options.classPath.isEmpty())
        arguments = QStringList{QStringLiteral("-classpath"), options.classPath} + arguments;
    const QString folder = WorkingDirectoryOf(fileName);
    if (!warm.CanCompile(compiler, folder, arguments))
        return std::nullopt;
    const QString start = BeginCapturedPanel(panel, fileName);
    if (options.status)
        options.status(CompileStatusText(target));
    const std::optional<WarmAnswer> answer = warm.Compile(compiler, folder, arguments);
    if (options.status)
        options.status(QString());
    if (!answer)
        return std::nullopt;

    OutputCollector collector(options.outputLimit);
    collector.Append(answer->output);
    // The compiler never reads its input, so the process shows the line end written there
    // in front of its output.
    const CompileResult result =
        MakeCompileResult(true, answer->exitCode, FinishedPanelText(start, "\r\n", collector),
                          TruncationLineOf(collector));
    ShowCompileResult(panel, result);
    PauseAfterRun();
    return result;
}

} // namespace

void ShowCompileResult(RunOutput *panel, const CompileResult &result) {
    ShowFinishedPanel(panel, result.panelText, result.truncationLine);
}

CompileResult CompileCaptured(WarmCompiler *warm, const QString &fileName, const QString &compiler,
                              const QString &parameters, const QString &target, RunOutput *panel,
                              const CapturedRunOptions &options) {
    const QPointer<WarmCompiler> resident(warm);
    const QStringList arguments = CapturedCommand(compiler, parameters, target).arguments;
    std::optional<CompileResult> result;
    if (resident)
        result = WarmCompile(*resident, fileName, compiler, arguments, target, panel, options);
    if (!result) {
        result = CompileResult();
        CapturedRunOptions processOptions = options;
        processOptions.showFinished = [&result, panel](const QString &panelText,
                                                       const QString &truncationLine,
                                                       const CapturedRunReport &report) {
            *result = MakeCompileResult(report.ended, report.exitCode, panelText, truncationLine);
            ShowCompileResult(panel, *result);
        };
        RunCaptured(fileName, compiler, parameters, target, panel, processOptions);
    }
    // Ready for the next compile here, unless it could never go the warm way.
    if (resident && WarmArgumentsAllowed(arguments, true))
        resident->Prepare(compiler, WorkingDirectoryOf(fileName));
    return *result;
}
