// The debugging session against a fake engine and a fake frame: states and enabled
// commands, breakpoints, stops, values that changed, and the end of a debugging. The
// compiler and the runtime are scripts that write down their arguments.
#include "FakeDebugEngine.h"
#include "FakeDebugHost.h"
#include "RecordingUi.h"
#include "SavedFileTarget.h"
#include "TestEnv.h"

#include "debugger/DebugAgent.h"
#include "debugger/DebugSession.h"
#include "debugger/DebugTexts.h"
#include "javarun/BuildCommands.h"
#include "javarun/BuildTarget.h"
#include "javarun/RunningPrograms.h"
#include "settings/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

QByteArray readFile(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDebugSession : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void texts();
    void startCompilesWithDebugInfoAndRunsWithTheAgent();
    void statesAndEnabledCommands();
    void breakpointsGoToTheEngineAtStartAndOnEachToggle();
    void breakpointsStayWithTheFileWhileQuillRuns();
    void breakpointMovedMovesTheMark();
    void stopShowsTheLineAndTheStatus();
    void stopInAnotherFileOfTheFolderOpensIt();
    void exceptionStopsAtTheLearnersLine();
    void valuesThatChangedAreMarked();
    void choosingAFrameShowsItsLineAndVariables();
    void endedAndFailedEndTheDebugging();
    void finishEndsTheProgram();
    void programmBeendenEndsAProgramThatRunsOn();
    void withoutEngineStartSaysSo();
    void refusalsAsF9();

private:
    // Starts a debugging of `file` and lets the engine listen; the engine's calls so far
    // are taken.
    void startAndListen(const QString &file);
    void stopAt(const QList<DebugFrame> &frames, const QString &exception = QString());
    // The engine listens; returns once the program's run is over.
    void listen();

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<RecordingUi> m_ui;
    std::unique_ptr<FakeDebugHost> m_host;
    std::unique_ptr<FakeDebugEngine> m_engine;
    std::unique_ptr<DebugSession> m_session;
    QString m_main;
};

void TestDebugSession::init() {
    m_env = std::make_unique<TestEnv>();
    m_ui = std::make_unique<RecordingUi>();
    m_host = std::make_unique<FakeDebugHost>();
    m_engine = std::make_unique<FakeDebugEngine>();
    m_session = std::make_unique<DebugSession>(*m_host);
    m_session->SetEngine(m_engine.get());
    Settings::Compiler = m_env->writeArgumentRecorder("bin/javac");
    Settings::Run = m_env->writeArgumentRecorder("bin/java");
    Settings::CompilerParameter.clear();
    Settings::RunParameter.clear();
    m_main = m_env->writeFile("p/Summe.java", "public class Summe {}\n");
    m_host->windows.insert(m_main, {});
    m_host->builds.targets = [this] {
        QList<std::shared_ptr<BuildTarget>> targets;
        for (const QString &file : m_host->windows.keys())
            targets << std::make_shared<SavedFileTarget>(file);
        return targets;
    };
}

void TestDebugSession::cleanup() {
    m_session.reset();
    m_engine.reset();
    m_host.reset();
    m_ui.reset();
    m_env.reset();
}

void TestDebugSession::startAndListen(const QString &file) {
    SavedFileTarget window(file);
    m_session->Start(window);
    QCOMPARE(m_session->State(), DebugState::Waiting);
    listen();
    m_engine->take();
}

void TestDebugSession::listen() {
    QSignalSpy finished(m_session.get(), &DebugSession::RunFinished);
    emit m_engine->Listening(4711);
    QCOMPARE(m_session->State(), DebugState::Running);
    QVERIFY(finished.wait(30000));
}

void TestDebugSession::stopAt(const QList<DebugFrame> &frames, const QString &exception) {
    emit m_engine->Stopped(DebugStop{frames, exception});
}

void TestDebugSession::texts() {
    const DebugFrame main{"main", "Summe", "Summe.java", 7};
    QCOMPARE(DebugFrameText(main), QStringLiteral("main (Summe.java:7)"));
    QCOMPARE(DebugFrameText(DebugFrame{"parseInt", "java.lang.Integer", "", 0}),
             QStringLiteral("parseInt (java.lang.Integer)"));
    QCOMPARE(DebugStatusText(DebugStop{{main}, QString()}, 7),
             QStringLiteral("Angehalten in Zeile 7"));
    QCOMPARE(DebugStatusText(DebugStop{{main}, "java.lang.ArithmeticException: / by zero"}, 7),
             QStringLiteral("Ausnahme: java.lang.ArithmeticException: / by zero"));
    QCOMPARE(DebugSourceFile(QFileInfo(m_main).absolutePath(), "Summe.java"), m_main);
    QCOMPARE(DebugSourceFile(QFileInfo(m_main).absolutePath(), "Fehlt.java"), QString());
    QCOMPARE(DebugSourceFile(QFileInfo(m_main).absolutePath(), "../p/Summe.java"), QString());
    QCOMPARE(DebugSourceFile(QFileInfo(m_main).absolutePath(), ""), QString());
}

void TestDebugSession::startCompilesWithDebugInfoAndRunsWithTheAgent() {
    Settings::CompilerParameter = QStringLiteral("-Xlint");
    Settings::RunParameter = QStringLiteral("eins zwei");
    startAndListen(m_main);
    QCOMPARE(readFile(Settings::Compiler + ".args"), "-g\n-encoding\nUTF-8\n-Xlint\nSumme.java\n");
    QCOMPARE(QString::fromUtf8(readFile(Settings::Run + ".args")),
             DebugAgentOption(4711) + "\neins\nzwei\nSumme\n");
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestDebugSession::statesAndEnabledCommands() {
    QVERIFY(m_session->CanStart());
    QVERIFY(!m_session->CanStep());
    SavedFileTarget window(m_main);
    m_session->Start(window);
    QCOMPARE(m_engine->take(), QStringList{"Listen Summe"});
    QVERIFY(!m_session->CanStart());
    QVERIFY(!m_session->CanStep());
    // A second start while one runs only beeps.
    m_session->Start(window);
    QVERIFY(m_engine->take().isEmpty());
    // Steps before the stop are ignored.
    m_session->StepOver();
    listen();
    m_session->Resume();
    QVERIFY(m_engine->take().isEmpty());
    stopAt({frameAt("main", "Summe", 3)});
    QCOMPARE(m_session->State(), DebugState::Stopped);
    QVERIFY(m_session->CanStep());
    QVERIFY(!m_session->CanStart());
    m_session->StepOver();
    QCOMPARE(m_session->State(), DebugState::Running);
    QVERIFY(!m_session->CanStep());
    stopAt({frameAt("main", "Summe", 4)});
    m_session->StepInto();
    stopAt({frameAt("main", "Summe", 5)});
    m_session->StepOut();
    stopAt({frameAt("main", "Summe", 6)});
    m_session->Resume();
    QCOMPARE(m_engine->take(), QStringList({"StepOver", "StepInto", "StepOut", "Resume"}));
    emit m_engine->Ended();
    QCOMPARE(m_session->State(), DebugState::Idle);
    QVERIFY(m_session->CanStart());
    QCOMPARE(m_host->states,
             QList<DebugState>({DebugState::Waiting, DebugState::Running, DebugState::Stopped,
                                DebugState::Running, DebugState::Stopped, DebugState::Running,
                                DebugState::Stopped, DebugState::Running, DebugState::Stopped,
                                DebugState::Running, DebugState::Idle}));
}

void TestDebugSession::breakpointsGoToTheEngineAtStartAndOnEachToggle() {
    const QString other = m_env->writeFile("p/Konto.java", "class Konto {}\n");
    m_host->windows.insert(other, {});
    m_session->ToggleBreakpoint(m_main, 5);
    m_session->ToggleBreakpoint(m_main, 3);
    m_session->ToggleBreakpoint(other, 2);
    m_session->ToggleBreakpoint(other, 2);
    QCOMPARE(m_host->windows.value(m_main), QList<int>({3, 5}));
    QCOMPARE(m_host->windows.value(other), QList<int>());
    // Nothing reaches the engine before a debugging.
    QVERIFY(m_engine->calls.isEmpty());
    // The marks moved with an edit: the engine gets them where they are now.
    m_host->windows[m_main] = {4, 6};
    SavedFileTarget window(m_main);
    m_session->Start(window);
    QCOMPARE(m_engine->take(), QStringList({"SetBreakpoints " + m_main + " 4,6", "Listen Summe"}));
    m_session->ToggleBreakpoint(m_main, 4);
    m_session->ToggleBreakpoint(other, 1);
    QCOMPARE(m_engine->take(),
             QStringList({"SetBreakpoints " + m_main + " 6", "SetBreakpoints " + other + " 1"}));
}

void TestDebugSession::breakpointsStayWithTheFileWhileQuillRuns() {
    m_session->ToggleBreakpoint(m_main, 2);
    m_session->DocumentClosing(m_main);
    m_host->windows.remove(m_main);
    QCOMPARE(m_session->Breakpoints(m_main), QList<int>{2});
    m_host->windows.insert(m_main, {});
    m_session->DocumentOpened(m_main);
    QCOMPARE(m_host->windows.value(m_main), QList<int>{2});
    // Saved under another name, the marks go with the window.
    const QString renamed = m_env->path("p/Neu.java");
    m_host->windows.insert(renamed, m_host->windows.take(m_main));
    m_session->DocumentRenamed(m_main, renamed);
    QCOMPARE(m_session->Breakpoints(renamed), QList<int>{2});
    QCOMPARE(m_session->Breakpoints(m_main), QList<int>());
}

void TestDebugSession::breakpointMovedMovesTheMark() {
    m_session->ToggleBreakpoint(m_main, 2);
    m_session->ToggleBreakpoint(m_main, 9);
    startAndListen(m_main);
    emit m_engine->BreakpointMoved(m_main, 2, 4);
    QCOMPARE(m_host->windows.value(m_main), QList<int>({4, 9}));
    // A move onto a line that has a breakpoint leaves one there.
    emit m_engine->BreakpointMoved(m_main, 4, 9);
    QCOMPARE(m_host->windows.value(m_main), QList<int>({9}));
    QVERIFY(m_engine->calls.isEmpty());
}

void TestDebugSession::stopShowsTheLineAndTheStatus() {
    startAndListen(m_main);
    QSignalSpy frames(m_session.get(), &DebugSession::FramesChanged);
    stopAt({frameAt("summe", "Summe", 12), frameAt("main", "Summe", 5)});
    QCOMPARE(m_host->currentFile, m_main);
    QCOMPARE(m_host->currentLine, 12);
    QCOMPARE(m_host->status, QStringLiteral("Angehalten in Zeile 12"));
    QCOMPARE(m_session->FrameTexts(),
             QStringList({"summe (Summe.java:12)", "main (Summe.java:5)"}));
    QCOMPARE(m_session->SelectedFrame(), 0);
    QCOMPARE(frames.count(), 1);
    // Running on, the line is no longer current.
    m_session->StepOver();
    QCOMPARE(m_host->currentLine, 0);
}

void TestDebugSession::stopInAnotherFileOfTheFolderOpensIt() {
    const QString konto = m_env->writeFile("p/Konto.java", "class Konto {}\n");
    startAndListen(m_main);
    stopAt({frameAt("einzahlen", "Konto", 8), frameAt("main", "Summe", 5)});
    QCOMPARE(m_host->currentFile, konto);
    QCOMPARE(m_host->currentLine, 8);
    QCOMPARE(m_host->opened, QStringList{konto});
}

void TestDebugSession::exceptionStopsAtTheLearnersLine() {
    startAndListen(m_main);
    stopAt({frameAt("parseInt", "java.lang.Integer", 0, ""),
            frameAt("parseInt", "java.lang.Integer", 770, "Integer.java"),
            frameAt("main", "Summe", 6)},
           "java.lang.NumberFormatException: For input string: \"x\"");
    QCOMPARE(m_host->currentFile, m_main);
    QCOMPARE(m_host->currentLine, 6);
    QCOMPARE(m_host->status,
             QStringLiteral("Ausnahme: java.lang.NumberFormatException: For input string: \"x\""));
    QCOMPARE(m_session->SelectedFrame(), 2);
    // Its variables are asked for; frame 0's, told unasked, are not shown.
    QCOMPARE(m_engine->take(), QStringList{"SelectFrame 2"});
    emit m_engine->Variables(0, {variable("s", "\"x\"", "String")});
    QVERIFY(m_session->Values().isEmpty());
    emit m_engine->Variables(2, {variable("args", "String[0] (id=3)", "String[]", 3)});
    QCOMPARE(m_session->Values().size(), 1);
    QCOMPARE(m_session->Values().first().variable.name, QStringLiteral("args"));
}

void TestDebugSession::valuesThatChangedAreMarked() {
    startAndListen(m_main);
    QSignalSpy children(m_session.get(), &DebugSession::ChildrenShown);
    stopAt({frameAt("main", "Summe", 4)});
    emit m_engine->Variables(0, {variable("i", "0", "int"), variable("summe", "0", "int"),
                                 variable("k", "Konto (id=7)", "Konto", 7)});
    for (const DebugValue &value : m_session->Values())
        QVERIFY(!value.changed);
    m_session->Expand(7);
    QCOMPARE(m_engine->take(), QStringList{"Expand 7"});
    emit m_engine->Children(7, {variable("saldo", "10", "int")});
    QCOMPARE(children.count(), 1);

    m_session->StepOver();
    stopAt({frameAt("main", "Summe", 5)});
    emit m_engine->Variables(0, {variable("i", "1", "int"), variable("summe", "0", "int"),
                                 variable("k", "Konto (id=7)", "Konto", 7),
                                 variable("neu", "3", "int")});
    QList<bool> changed;
    for (const DebugValue &value : m_session->Values())
        changed << value.changed;
    QCOMPARE(changed, QList<bool>({true, false, false, false}));
    m_session->Expand(7);
    emit m_engine->Children(7, {variable("saldo", "20", "int")});
    QCOMPARE(children.last().at(1).value<QList<DebugValue>>().first().changed, true);

    // The same name in another method is another variable.
    m_session->StepInto();
    stopAt({frameAt("rechne", "Summe", 20), frameAt("main", "Summe", 5)});
    emit m_engine->Variables(0, {variable("i", "5", "int")});
    QVERIFY(!m_session->Values().first().changed);
}

void TestDebugSession::choosingAFrameShowsItsLineAndVariables() {
    startAndListen(m_main);
    stopAt({frameAt("summe", "Summe", 12), frameAt("main", "Summe", 5)});
    m_engine->take();
    m_session->SelectFrame(1);
    QCOMPARE(m_engine->take(), QStringList{"SelectFrame 1"});
    QCOMPARE(m_host->currentLine, 5);
    QCOMPARE(m_session->SelectedFrame(), 1);
    emit m_engine->Variables(1, {variable("args", "String[0] (id=3)", "String[]", 3)});
    QCOMPARE(m_session->Values().size(), 1);
    // Out of range, or the one shown: nothing.
    m_session->SelectFrame(2);
    m_session->SelectFrame(1);
    QVERIFY(m_engine->calls.isEmpty());
}

void TestDebugSession::endedAndFailedEndTheDebugging() {
    startAndListen(m_main);
    stopAt({frameAt("main", "Summe", 4)});
    emit m_engine->Variables(0, {variable("i", "0", "int")});
    QSignalSpy values(m_session.get(), &DebugSession::ValuesChanged);
    emit m_engine->Ended();
    QCOMPARE(m_session->State(), DebugState::Idle);
    QCOMPARE(m_host->currentLine, 0);
    QCOMPARE(m_host->status, QString());
    QVERIFY(m_session->Values().isEmpty());
    QVERIFY(m_session->FrameTexts().isEmpty());
    QCOMPARE(values.count(), 1);
    QVERIFY(m_ui->boxes.isEmpty());

    startAndListen(m_main);
    stopAt({frameAt("main", "Summe", 4)});
    emit m_engine->Failed(QStringLiteral("Der Debug-Helfer ist abgestürzt."));
    QCOMPARE(m_session->State(), DebugState::Idle);
    QCOMPARE(m_host->currentLine, 0);
    QCOMPARE(m_ui->texts(), QStringList{"Der Debug-Helfer ist abgestürzt."});
    QCOMPARE(m_ui->boxes.first().caption, QStringLiteral("Fehler"));
    // A stop after the end is old news.
    stopAt({frameAt("main", "Summe", 4)});
    QCOMPARE(m_session->State(), DebugState::Idle);

    // Failing while waiting for the program.
    SavedFileTarget window(m_main);
    m_session->Start(window);
    emit m_engine->Failed(QStringLiteral("Das Programm hat sich nicht gemeldet."));
    QCOMPARE(m_session->State(), DebugState::Idle);
    QCOMPARE(m_ui->boxes.size(), 2);
}

void TestDebugSession::finishEndsTheProgram() {
    m_session->Finish();
    QVERIFY(m_engine->calls.isEmpty());
    startAndListen(m_main);
    stopAt({frameAt("main", "Summe", 4)});
    m_engine->take();
    m_session->Finish();
    QCOMPARE(m_engine->take(), QStringList{"Finish"});
    QCOMPARE(m_session->State(), DebugState::Idle);
    // Going away with a debugging still on ends the program too.
    m_engine->endOnFinish = false;
    startAndListen(m_main);
    m_session.reset();
    QCOMPARE(m_engine->take(), QStringList{"Finish"});
}

void TestDebugSession::programmBeendenEndsAProgramThatRunsOn() {
    // The helper went away and the program runs on: the run waits for it, and "Programm
    // beenden" still ends it.
    QFile::remove(Settings::Run);
    m_env->writeFile("bin/java", "#!/bin/sh\nexec sleep 120\n");
    QFile::setPermissions(Settings::Run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    RunningPrograms programs;
    m_host->builds.programs = &programs;
    SavedFileTarget window(m_main);
    m_session->Start(window);
    // What the learner does while the run waits: the helper fails, "Programm beenden".
    bool idleWhenStopped = false;
    QObject::connect(
        &programs, &RunningPrograms::RunningChanged, &programs,
        [&](bool running) {
            if (!running)
                return;
            emit m_engine->Failed(QStringLiteral("Der Debugger ist beendet worden."));
            idleWhenStopped = m_session->State() == DebugState::Idle;
            StopProgram(m_host->builds);
        },
        Qt::QueuedConnection);
    QSignalSpy finished(m_session.get(), &DebugSession::RunFinished);
    emit m_engine->Listening(4711);
    QVERIFY(finished.wait(30000));
    QVERIFY(idleWhenStopped);
    QVERIFY(!programs.AnyRunning());
    QVERIFY(m_host->builds.output.text.endsWith("-- Programm beendet --") ||
            m_host->builds.output.text.contains("-- Fertig --"));
    m_host->builds.programs = nullptr;
}

void TestDebugSession::withoutEngineStartSaysSo() {
    m_session->SetEngine(nullptr);
    SavedFileTarget window(m_main);
    m_session->Start(window);
    QCOMPARE(m_ui->texts(), QStringList{"Der Debugger ist nicht verfügbar."});
    QCOMPARE(m_session->State(), DebugState::Idle);
    QVERIFY(!QFile::exists(Settings::Compiler + ".args"));
    // Breakpoints work all the same.
    m_session->ToggleBreakpoint(m_main, 3);
    QCOMPARE(m_host->windows.value(m_main), QList<int>{3});
}

void TestDebugSession::refusalsAsF9() {
    // No Java source: the notice, no compile, no debugging.
    const QString text = m_env->writeFile("p/Notiz.txt", "x\n");
    m_host->windows.insert(text, {});
    SavedFileTarget notes(text);
    m_session->Start(notes);
    QCOMPARE(m_ui->texts(), QStringList{"Nur Java-Quelltexte (*.java) können kompiliert werden."});
    QCOMPARE(m_session->State(), DebugState::Idle);
    // A failing compile: nothing is debugged.
    m_ui->clear();
    QFile::remove(Settings::Compiler);
    m_env->writeFile("bin/javac", "#!/bin/sh\nexit 1\n");
    QFile::setPermissions(Settings::Compiler,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SavedFileTarget window(m_main);
    m_session->Start(window);
    QCOMPARE(m_session->State(), DebugState::Idle);
    QVERIFY(m_engine->calls.isEmpty());
    // The chosen main file runs: it is the one the engine waits for.
    QFile::remove(Settings::Compiler);
    m_env->writeFile("bin/javac", "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(Settings::Compiler,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString konto = m_env->writeFile("p/Konto.java", "class Konto {}\n");
    m_host->windows.insert(konto, {});
    m_host->builds.mainFiles = QStringList{m_main, konto};
    m_host->builds.chosen = 0;
    SavedFileTarget kontoWindow(konto);
    m_session->Start(kontoWindow);
    QCOMPARE(m_engine->take(), QStringList{"Listen Summe"});
}

QTEST_GUILESS_MAIN(TestDebugSession)
#include "tst_debugsession.moc"
