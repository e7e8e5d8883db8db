#include "BuildCommands.h"

#include "javarun/CompileCaptured.h"
#include "javarun/JavaToolSearch.h"
#include "javarun/ProcessRunner.h"
#include "javarun/RunPlan.h"

#include "common/Helpers.h"
#include "common/ProgramDir.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>

namespace {

const QString NoName = QStringLiteral("noname");
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
template <typename Command> void ForEachOpenWindow(const BuildFrame &frame, Command command) {
    const QList<std::shared_ptr<BuildTarget>> windows = frame.windows();
    QList<Liveness> liveness;
    for (const auto &window : windows)
        liveness << Liveness(*window);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (liveness.at(i).Alive())
            command(*windows.at(i));
    }
}

bool ClassFileExists(const QString &fileName) {
    return QFileInfo::exists(ClassFileOf(fileName));
}

void FocusPanelStart(QPlainTextEdit *panel) {
    if (!panel)
        return;
    panel->setFocus();
    QTextCursor cursor = panel->textCursor();
    cursor.movePosition(QTextCursor::Start);
    panel->setTextCursor(cursor);
}

} // namespace

void MnCompilerClick(BuildTarget &window, const BuildFrame &frame) {
    if (window.FileName() == NoName) {
        ShowWarningBox(NoticeCaption, QStringLiteral("Bitte die Datei erst speichern"));
        return;
    }
    CompileFile(window, frame);
}

void CompileFile(BuildTarget &window, const BuildFrame &frame) {
    const QString fileName = window.FileName();
    if (fileName == NoName)
        return;
    QPlainTextEdit *memo = window.ActiveMemo();
    if (memo && memo->document()->isModified() && !window.WriteForBuild())
        return;
    const QString classFile = ClassFileOf(fileName);
    DeleteFileForced(classFile);
    if (QFileInfo::exists(classFile)) {
        ShowWarningBox(NoticeCaption,
                       QStringLiteral("Die class-Datei konnte nicht gelöscht werden"));
        return;
    }
    const Liveness liveness(window);
    const QPointer<QPlainTextEdit> panel(frame.memo1);
    CapturedRunOptions options;
    options.waitForEnd = true;
    options.status = [&window, &liveness](const QString &text) {
        if (liveness.Alive())
            window.ShowBuildStatus(text);
    };
    CompileCaptured(frame.warmCompiler, fileName, Settings::Compiler,
                    CompilerParameters(Settings::CompilerParameter, window.SourceEncoding()),
                    window.FileBase() + window.FileExt(), panel, options);
    if (!QFileInfo::exists(classFile))
        FocusPanelStart(panel);
}

void MnRunClick(BuildTarget &window, const BuildFrame &frame) {
    if (window.FileName() == NoName) {
        ShowWarningBox(NoticeCaption, QStringLiteral("Bitte die Datei erst speichern"));
        return;
    }
    const Liveness liveness(window);
    CompileFile(window, frame);
    if (!liveness.Alive() || !ClassFileExists(window.FileName()))
        return;
    if (frame.cbMainFile && !frame.cbMainFile->currentText().isEmpty())
        RunMainFile(frame);
    else
        RunFile(window, frame);
}

void RunFile(BuildTarget &window, const BuildFrame &frame) {
    const QPlainTextEdit *memo = window.ActiveMemo();
    const bool umleitung = !frame.cbMitUmleitung || frame.cbMitUmleitung->isChecked();
    const RunPlan plan = DecideRun(umleitung, memo ? memo->toPlainText() : QString());
    const QString runtime = RuntimeForRun(Settings::Run, plan.console);
    if (plan.shell)
        RunWithShell(window.FileName(), runtime, Settings::RunParameter, window.FileBase());
    else
        RunCaptured(window.FileName(), runtime, Settings::RunParameter, window.FileBase(),
                    frame.memo1);
}

void RunMainFile(const BuildFrame &frame) {
    if (!frame.cbMainFile || !frame.cbMainFile2 || !frame.windows)
        return;
    const int index = frame.cbMainFile->currentIndex();
    if (index < 0 || index >= frame.cbMainFile2->count())
        return;
    const QString mainFile = frame.cbMainFile2->itemText(index);
    if (mainFile.isEmpty())
        return;
    // Every window of that file, not just the first.
    ForEachOpenWindow(frame, [&](BuildTarget &window) {
        if (SameFileName(window.FileName(), mainFile))
            RunFile(window, frame);
    });
}

void BuildAll(const BuildFrame &frame) {
    if (!frame.cbMainFile || frame.cbMainFile->count() == 0 || !frame.windows)
        return;
    ForEachOpenWindow(frame, [&](BuildTarget &window) {
        // A document that was never saved has no file to compile and is never written.
        if (window.FileName() != NoName)
            CompileFile(window, frame);
    });
}

void MnSetMainJava(BuildTarget &window, const BuildFrame &frame) {
    if (!frame.cbMainFile || !frame.cbMainFile2)
        return;
    for (int i = 0; i < frame.cbMainFile2->count() && i < frame.cbMainFile->count(); ++i) {
        if (SameFileName(frame.cbMainFile2->itemText(i), window.FileName())) {
            frame.cbMainFile->setCurrentIndex(i);
            frame.cbMainFile2->setCurrentIndex(i);
            return;
        }
    }
}

void FindJavaTools(const std::function<void()> &openSettings) {
    JavaToolSearch(Settings::Compiler, Settings::Run)
        .SearchEverywhere(ProgramDir(), qEnvironmentVariable("JAVA_HOME"),
                          qEnvironmentVariable("PATH"));
    if (!Settings::Compiler.isEmpty() && !Settings::Run.isEmpty()) {
        SaveSettings();
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
