#include "CompileCaptured.h"

#include "RunPlan.h"
#include "WarmCompiler.h"
#include "WarmCompileRules.h"

#include <QPointer>

namespace {

// The resident compiler's part: the same panel text as the captured run of the process.
// False when the process has to compile instead.
bool WarmCompile(WarmCompiler &warm, const QString &fileName, const QString &compiler,
                 QStringList arguments, const QString &target, RunOutput *panel,
                 const CapturedRunOptions &options) {
    // The process finds the shipped classes through its environment; the resident
    // compiler gets the same class path as an option.
    if (!options.classPath.isEmpty())
        arguments = QStringList{QStringLiteral("-classpath"), options.classPath} + arguments;
    const QString folder = WorkingDirectoryOf(fileName);
    if (!warm.CanCompile(compiler, folder, arguments))
        return false;
    const QString start = BeginCapturedPanel(panel, fileName);
    if (options.status)
        options.status(CompileStatusText(target));
    const std::optional<WarmAnswer> answer = warm.Compile(compiler, folder, arguments);
    if (options.status)
        options.status(QString());
    if (!answer)
        return false;

    OutputCollector collector(options.outputLimit);
    collector.Append(answer->output);
    // The compiler never reads its input, so the process shows the line end written there
    // in front of its output.
    FinishCapturedPanel(panel, start, "\r\n", collector);
    PauseAfterRun();
    return true;
}

} // namespace

void CompileCaptured(WarmCompiler *warm, const QString &fileName, const QString &compiler,
                     const QString &parameters, const QString &target, RunOutput *panel,
                     const CapturedRunOptions &options) {
    const QPointer<WarmCompiler> resident(warm);
    const QStringList arguments = CapturedCommand(compiler, parameters, target).arguments;
    if (!resident ||
        !WarmCompile(*resident, fileName, compiler, arguments, target, panel, options)) {
        RunCaptured(fileName, compiler, parameters, target, panel, options);
    }
    // Ready for the next compile here, unless it could never go the warm way.
    if (resident && WarmArgumentsAllowed(arguments, true))
        resident->Prepare(compiler, WorkingDirectoryOf(fileName));
}
