#include "BuildSteps.h"

#include "javarun/CompileCaptured.h"
#include "javarun/JavaToolSearch.h"
#include "javarun/RunningPrograms.h"
#include "javarun/RunPlan.h"
#include "javarun/RunWithShell.h"

#include "common/FileHelpers.h"
#include "common/ProgramDir.h"
#include "settings/Settings.h"

#include <QFileInfo>

namespace {

const QString NoticeCaption = QStringLiteral("Hinweis");

BuildProblem Notice(const QString &text) {
    return BuildProblem{MsgIcon::Warning, NoticeCaption, text};
}

// The class path that lets a learner's program find the classes shipped with the program.
QString ClassPathFor(const QString &parameters) {
    return ShippedClassPath(parameters, ProgramDir() + QStringLiteral("java"),
                            qEnvironmentVariable("CLASSPATH"));
}

} // namespace

BuildProblem OnlyJavaProblem() {
    return Notice(QStringLiteral("Nur Java-Quelltexte (*.java) können kompiliert werden."));
}

std::optional<BuildProblem> NotJavaSource(const QString &fileName) {
    if (IsJavaSource(fileName))
        return std::nullopt;
    return OnlyJavaProblem();
}

std::optional<BuildProblem> BuildRefusal(const BuildTarget &window) {
    if (!window.HasFile())
        return Notice(QStringLiteral("Bitte die Datei erst speichern"));
    return NotJavaSource(window.FileName());
}

QString CompileClassPath() {
    return ClassPathFor(Settings::CompilerParameter);
}

CompileOutcome CompileFile(BuildTarget &window, BuildHost &frame, const QStringList &ownOptions) {
    CompileOutcome outcome;
    if (!window.HasFile() || !IsJavaSource(window.FileName()))
        return outcome;
    const QString fileName = window.FileName();
    // The window has said why it could not write the file.
    if (window.Modified() && !window.WriteForBuild())
        return outcome;
    const QString classFile = ClassFileOf(fileName);
    DeleteFileForced(classFile);
    if (QFileInfo::exists(classFile)) {
        outcome.problems << Notice(QStringLiteral("Die class-Datei konnte nicht gelöscht werden"));
        return outcome;
    }
    const WindowLiveness liveness(window);
    CapturedRunOptions options;
    options.waitForEnd = true;
    options.classPath = CompileClassPath();
    options.status = [&window, &liveness](const QString &text) {
        if (liveness.Alive())
            window.ShowBuildStatus(text);
    };
    QString parameters = CompilerParameters(Settings::CompilerParameter, window.SourceEncoding());
    if (!ownOptions.isEmpty())
        parameters = (ownOptions + QStringList{parameters}).join(u' ').trimmed();
    outcome.result =
        CompileCaptured(frame.ResidentCompiler(), fileName, Settings::Compiler, parameters,
                        window.FileBase() + window.FileExt(), &frame.Output(), options);
    frame.CompileShown(*outcome.result);
    if (!outcome.Succeeded())
        frame.Output().FocusStart();
    return outcome;
}

BuildProblems StartRun(BuildTarget &window, BuildHost &frame, const QStringList &ownOptions,
                       bool untilEnd) {
    const RunPlan plan = DecideRun(frame.MitUmleitung(), window.SourceText());
    const QString runtime = RuntimeForRun(Settings::Run, plan.console);
    const QString classPath = ClassPathFor(Settings::RunParameter);
    RunningPrograms *programs = frame.Programs();
    if (plan.shell) {
        const ShellRun run = RunWithShell(window.FileName(), runtime, Settings::RunParameter,
                                          window.FileBase(), classPath, ownOptions);
        if (programs)
            programs->AdoptDetached(run.processId);
        return run.problems;
    }
    CapturedRunOptions options;
    options.classPath = classPath;
    options.ownOptions = ownOptions;
    options.waitForEnd = untilEnd;
    // However long it is waited for, "Programm beenden" ends it.
    if (untilEnd && programs)
        options.started = [programs](QProcess *process) { programs->Adopt(process); };
    const CapturedRunReport report = RunCaptured(window.FileName(), runtime, Settings::RunParameter,
                                                 window.FileBase(), &frame.Output(), options);
    if (programs && report.leftRunning)
        programs->Adopt(report.leftRunning);
    return {};
}

BuildProblem MainFileNotOpenProblem(const QString &mainFile) {
    return Notice(
        QStringLiteral("Die Maindatei\r\n%1\r\nist in keinem Fenster geöffnet.").arg(mainFile));
}

ToolSearchOutcome SearchJavaTools() {
    JavaToolSearch(Settings::Compiler, Settings::Run)
        .SearchEverywhere(ProgramDir(), qEnvironmentVariable("JAVA_HOME"),
                          qEnvironmentVariable("PATH"));
    ToolSearchOutcome outcome;
    outcome.found = !Settings::Compiler.isEmpty() && !Settings::Run.isEmpty();
    if (!outcome.found) {
        outcome.notice =
            Notice(QStringLiteral("Bitte tragen Sie den Compiler und die Laufzeitumgebung ein"));
        return outcome;
    }
    outcome.store = SaveSettings();
    outcome.notice = Notice(QStringLiteral("Die Pfade der Java-Programme wurden gesetzt\r\n\r\n"
                                           "Kompiler: %1\r\nProgramm: %2")
                                .arg(Settings::Compiler, Settings::Run));
    return outcome;
}
