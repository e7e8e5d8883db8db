#include "BuildCommands.h"

#include "javarun/CompileCaptured.h"
#include "javarun/JavaToolSearch.h"
#include "javarun/ProcessRunner.h"
#include "javarun/RunningPrograms.h"
#include "javarun/RunPlan.h"
#include "javarun/RunWithShell.h"

#include "common/FileHelpers.h"
#include "common/Helpers.h"
#include "common/ProgramDir.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QPointer>

namespace {

const QString NoticeCaption = QStringLiteral("Hinweis");

// Tells whether a window still exists after the event loop has run.
class Liveness {
public:
    explicit Liveness(BuildTarget &window)
        : m_object(window.LifetimeObject()), m_guarded(m_object != nullptr) {}
    bool Alive() const { return !m_guarded || m_object; }

private:
    QPointer<QObject> m_object;
    bool m_guarded;
};

// Runs the command on each window of the frame that is still open when its turn comes: a
// run pumps events, so an earlier one may close windows further down the list.
template <typename Command> void ForEachOpenWindow(BuildHost &frame, Command command) {
    const QList<std::shared_ptr<BuildTarget>> windows = frame.BuildTargets();
    QList<Liveness> liveness;
    for (const auto &window : windows)
        liveness << Liveness(*window);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (liveness.at(i).Alive())
            command(*windows.at(i));
    }
}

// The class path that lets a learner's program find the classes shipped with the program.
QString ClassPathFor(const QString &parameters) {
    return ShippedClassPath(parameters, ProgramDir() + QStringLiteral("java"),
                            qEnvironmentVariable("CLASSPATH"));
}

bool ClassFileExists(const QString &fileName) {
    return QFileInfo::exists(ClassFileOf(fileName));
}

// False (with a beep) while another build command is in progress.
bool MayStart(const BuildHost &frame) {
    if (!frame.BuildBusy())
        return true;
    BeepTimes(1);
    return false;
}

void ShowOnlyJavaNotice() {
    ShowWarningBox(NoticeCaption,
                   QStringLiteral("Nur Java-Quelltexte (*.java) können kompiliert werden."));
}

// False, with a notice, when the file is no Java source: compiling it would mean deleting
// "its" class file, which for a class file opened as text is the file itself.
bool IsCompilable(const QString &fileName) {
    if (IsJavaSource(fileName))
        return true;
    ShowOnlyJavaNotice();
    return false;
}

// F8 and F9: nothing but a beep while another build runs, and a notice for a document that
// was never saved or is no Java source.
bool MayBuild(const BuildTarget &window, const BuildHost &frame) {
    if (!MayStart(frame))
        return false;
    if (!window.HasFile()) {
        ShowWarningBox(NoticeCaption, QStringLiteral("Bitte die Datei erst speichern"));
        return false;
    }
    return IsCompilable(window.FileName());
}

} // namespace

void MnCompilerClick(BuildTarget &window, BuildHost &frame) {
    if (!MayBuild(window, frame))
        return;
    const BuildBusyGuard busy(frame);
    CompileFile(window, frame);
}

void CompileFile(BuildTarget &window, BuildHost &frame) {
    if (!window.HasFile() || !IsJavaSource(window.FileName()))
        return;
    const QString fileName = window.FileName();
    if (window.Modified() && !window.WriteForBuild())
        return;
    const QString classFile = ClassFileOf(fileName);
    DeleteFileForced(classFile);
    if (QFileInfo::exists(classFile)) {
        ShowWarningBox(NoticeCaption,
                       QStringLiteral("Die class-Datei konnte nicht gelöscht werden"));
        return;
    }
    const Liveness liveness(window);
    CapturedRunOptions options;
    options.waitForEnd = true;
    options.classPath = ClassPathFor(Settings::CompilerParameter);
    options.status = [&window, &liveness](const QString &text) {
        if (liveness.Alive())
            window.ShowBuildStatus(text);
    };
    CompileCaptured(frame.ResidentCompiler(), fileName, Settings::Compiler,
                    CompilerParameters(Settings::CompilerParameter, window.SourceEncoding()),
                    window.FileBase() + window.FileExt(), &frame.Output(), options);
    if (!QFileInfo::exists(classFile))
        frame.Output().FocusStart();
}

void MnRunClick(BuildTarget &window, BuildHost &frame) {
    if (!MayBuild(window, frame))
        return;
    // A main file that is no Java source stops the command before anything happens.
    const QString mainFile = frame.ChosenMainFile();
    if (!mainFile.isEmpty() && !IsCompilable(mainFile))
        return;
    const BuildBusyGuard busy(frame);
    const Liveness liveness(window);
    CompileFile(window, frame);
    if (!liveness.Alive() || !ClassFileExists(window.FileName()))
        return;
    if (!frame.ChosenMainFile().isEmpty())
        RunMainFile(frame);
    else
        RunFile(window, frame);
}

void RunFile(BuildTarget &window, BuildHost &frame) {
    const RunPlan plan = DecideRun(frame.MitUmleitung(), window.SourceText());
    const QString runtime = RuntimeForRun(Settings::Run, plan.console);
    const QString classPath = ClassPathFor(Settings::RunParameter);
    RunningPrograms *programs = frame.Programs();
    if (plan.shell) {
        const qint64 processId = RunWithShell(window.FileName(), runtime, Settings::RunParameter,
                                              window.FileBase(), classPath);
        if (programs)
            programs->AdoptDetached(processId);
    } else {
        CapturedRunOptions options;
        options.classPath = classPath;
        const CapturedRunReport report =
            RunCaptured(window.FileName(), runtime, Settings::RunParameter, window.FileBase(),
                        &frame.Output(), options);
        if (programs && report.leftRunning)
            programs->Adopt(report.leftRunning);
    }
}

void RunMainFile(BuildHost &frame) {
    const QString mainFile = frame.ChosenMainFile();
    if (mainFile.isEmpty() || !IsCompilable(mainFile))
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
        ShowWarningBox(
            NoticeCaption,
            QStringLiteral("Die Maindatei\r\n%1\r\nist in keinem Fenster geöffnet.").arg(mainFile));
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
        ShowOnlyJavaNotice();
    ForEachOpenWindow(frame, [&](BuildTarget &window) {
        // A document that was never saved has no file to compile and is never written.
        if (window.HasFile() && IsJavaSource(window.FileName()))
            CompileFile(window, frame);
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
    JavaToolSearch(Settings::Compiler, Settings::Run)
        .SearchEverywhere(ProgramDir(), qEnvironmentVariable("JAVA_HOME"),
                          qEnvironmentVariable("PATH"));
    if (!Settings::Compiler.isEmpty() && !Settings::Run.isEmpty()) {
        warnStoreProblemOnce(SaveSettings());
        ShowWarningBox(NoticeCaption,
                       QStringLiteral("Die Pfade der Java-Programme wurden gesetzt\r\n\r\n"
                                      "Kompiler: %1\r\nProgramm: %2")
                           .arg(Settings::Compiler, Settings::Run));
        return;
    }
    ShowWarningBox(NoticeCaption,
                   QStringLiteral("Bitte tragen Sie den Compiler und die Laufzeitumgebung ein"));
    if (openSettings)
        openSettings();
}
