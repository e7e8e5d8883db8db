#include "CompileCaptured.h"

#include "RunPlan.h"
#include "WarmCompiler.h"
#include "WarmCompileRules.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace {

constexpr int PauseMs = 300;

// The panel text of a captured run: line ends made uniform, and a line end at the very end
// ends the last line instead of starting an empty one.
QString PanelText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

void Pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, [&loop] { loop.quit(); });
    loop.exec();
}

// The resident compiler's part: the same panel text as the captured run of the process.
// False when the process has to compile instead.
bool WarmCompile(WarmCompiler &warm, const QString &fileName, const QString &compiler,
                 const QString &parameters, const QString &target, RunOutput *panel,
                 const CapturedRunOptions &options) {
    Command command = CapturedCommand(compiler, parameters, target);
    // The process finds the shipped classes through its environment; the resident
    // compiler gets the same class path as an option.
    if (!options.classPath.isEmpty())
        command.arguments =
            QStringList{QStringLiteral("-classpath"), options.classPath} + command.arguments;
    if (!warm.CanCompile(compiler, WorkingDirectoryOf(fileName), command.arguments))
        return false;
    const QString fileLine = QStringLiteral("Datei \"%1\"").arg(fileName);
    if (panel) {
        panel->Clear();
        panel->AppendLine(fileLine);
        panel->AppendLine(QString());
    }
    const QString header = fileLine + QStringLiteral("\n\n");
    if (options.status)
        options.status(QStringLiteral("Kompiliere %1 ...").arg(target));
    const std::optional<WarmAnswer> answer =
        warm.Compile(compiler, WorkingDirectoryOf(fileName), command.arguments);
    if (options.status)
        options.status(QString());
    if (!answer)
        return false;

    OutputCollector collector(options.outputLimit);
    collector.Append(answer->output);
    if (panel) {
        // The compiler never reads its input, so the process shows the line end written
        // there in front of its output.
        panel->SetText(PanelText(header + QStringLiteral("\r\n") + collector.Text()));
        if (collector.Truncated())
            panel->AppendLine(collector.TruncationLine());
        panel->AppendLine(QStringLiteral("-- Fertig --"));
    }
    Pause(PauseMs);
    return true;
}

} // namespace

void CompileCaptured(WarmCompiler *warm, const QString &fileName, const QString &compiler,
                     const QString &parameters, const QString &target, RunOutput *panel,
                     const CapturedRunOptions &options) {
    const QPointer<WarmCompiler> resident(warm);
    if (!resident ||
        !WarmCompile(*resident, fileName, compiler, parameters, target, panel, options)) {
        RunCaptured(fileName, compiler, parameters, target, panel, options);
    }
    // Ready for the next compile here, unless it could never go the warm way.
    const QStringList arguments = CapturedCommand(compiler, parameters, target).arguments;
    if (resident && WarmArgumentsAllowed(arguments, true))
        resident->Prepare(compiler, WorkingDirectoryOf(fileName));
}
