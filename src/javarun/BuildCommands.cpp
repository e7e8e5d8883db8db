#include "BuildCommands.h"

#include "javarun/RunningPrograms.h"
#include "javarun/RunPlan.h"

#include "common/Helpers.h"
#include "common/StoreWarning.h"

namespace {

// Runs the command on each window of the frame that is still open when its turn comes: a
// run pumps events, so an earlier one may close windows further down the list.
template <typename Command> void ForEachOpenWindow(BuildHost &frame, Command command) {
    const QList<std::shared_ptr<BuildTarget>> windows = frame.BuildTargets();
    QList<WindowLiveness> liveness;
    for (const auto &window : windows)
        liveness << WindowLiveness(*window);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (liveness.at(i).Alive())
            command(*windows.at(i));
    }
}

// False (with a beep) while another build command is in progress.
bool MayStart(const BuildHost &frame) {
    if (!frame.BuildBusy())
        return true;
    BeepTimes(1);
    return false;
}

// Shows the problem, if any; true when there was one.
bool Shown(const std::optional<BuildProblem> &problem) {
    if (problem)
        ShowBuildProblems({*problem});
    return problem.has_value();
}

// F8 and F9: nothing but a beep while another build runs, and a notice for a document that
// was never saved or is no Java source.
bool MayBuild(const BuildTarget &window, const BuildHost &frame) {
    return MayStart(frame) && !Shown(BuildRefusal(window));
}

} // namespace

void ShowBuildProblems(const BuildProblems &problems) {
    for (const BuildProblem &problem : problems)
        ui().messageBox(problem.icon, problem.caption, problem.text, {MsgButton::Ok});
}

void MnCompilerClick(BuildTarget &window, BuildHost &frame) {
    if (!MayBuild(window, frame))
        return;
    const BuildBusyGuard busy(frame);
    ShowBuildProblems(CompileFile(window, frame).problems);
}

QString CompileBeforeRun(BuildTarget &window, BuildHost &frame, const QStringList &ownOptions) {
    if (!MayBuild(window, frame))
        return QString();
    // A main file that is no Java source stops the command before anything happens.
    const QString mainFile = frame.ChosenMainFile();
    if (!mainFile.isEmpty() && Shown(NotJavaSource(mainFile)))
        return QString();
    const BuildBusyGuard busy(frame);
    const WindowLiveness liveness(window);
    const CompileOutcome compiled = CompileFile(window, frame, ownOptions);
    ShowBuildProblems(compiled.problems);
    if (!liveness.Alive() || !compiled.Succeeded())
        return QString();
    return frame.ChosenMainFile().isEmpty() ? window.FileName() : frame.ChosenMainFile();
}

void MnRunClick(BuildTarget &window, BuildHost &frame) {
    if (CompileBeforeRun(window, frame, {}).isEmpty())
        return;
    // The run belongs to the command: no other build starts inside its waiting.
    const BuildBusyGuard busy(frame);
    if (!frame.ChosenMainFile().isEmpty())
        RunMainFile(frame);
    else
        RunFile(window, frame);
}

void RunFile(BuildTarget &window, BuildHost &frame) {
    ShowBuildProblems(StartRun(window, frame));
}

void RunMainFile(BuildHost &frame) {
    const QString mainFile = frame.ChosenMainFile();
    if (mainFile.isEmpty() || Shown(NotJavaSource(mainFile)))
        return;
    // Every window of that file, not just the first.
    bool found = false;
    ForEachOpenWindow(frame, [&](BuildTarget &window) {
        if (window.HasFile() && SameFileName(window.FileName(), mainFile)) {
            found = true;
            RunFile(window, frame);
        }
    });
    // Running nothing without a word would look like a program that printed nothing.
    if (!found)
        ShowBuildProblems({MainFileNotOpenProblem(mainFile)});
}

void BuildAll(BuildHost &frame) {
    if (!MayStart(frame))
        return;
    const BuildBusyGuard busy(frame);
    // One notice for the files that are no Java source, before the compiles, so the panel
    // keeps the last compile's output in view; those files are left alone.
    bool othersOpen = false;
    for (const auto &window : frame.BuildTargets())
        othersOpen = othersOpen || (window->HasFile() && !IsJavaSource(window->FileName()));
    if (othersOpen)
        ShowBuildProblems({OnlyJavaProblem()});
    ForEachOpenWindow(frame, [&](BuildTarget &window) {
        // A document that was never saved has no file to compile and is never written.
        if (window.HasFile() && IsJavaSource(window.FileName()))
            ShowBuildProblems(CompileFile(window, frame).problems);
    });
}

void MnSetMainJava(BuildTarget &window, BuildHost &frame) {
    if (window.HasFile())
        frame.ChooseMainFile(window.FileName());
}

void StopProgram(BuildHost &frame) {
    RunningPrograms *programs = frame.Programs();
    if (programs && programs->StopAll())
        frame.Output().AppendLine(QStringLiteral("-- Programm beendet --"));
}

void FindJavaTools(const std::function<void()> &openSettings) {
    const ToolSearchOutcome outcome = SearchJavaTools();
    warnStoreProblemOnce(outcome.store);
    ShowBuildProblems({outcome.notice});
    if (!outcome.found && openSettings)
        openSettings();
}
