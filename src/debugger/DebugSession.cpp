#include "DebugSession.h"

#include "DebugAgent.h"
#include "DebugTexts.h"

#include "common/CommandGuard.h"
#include "common/Helpers.h"
#include "common/UiProvider.h"
#include "javarun/BuildCommands.h"
#include "javarun/BuildHost.h"
#include "javarun/BuildSteps.h"
#include "javarun/RunPlan.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

const QString NotAvailable = QStringLiteral("Der Debugger ist nicht verfügbar.");

QList<int> Sorted(QList<int> lines) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

} // namespace

DebugSession::DebugSession(DebugHost &host, QObject *parent) : QObject(parent), m_host(host) {}

DebugSession::~DebugSession() {
    // Nothing of the engine reaches a session that is going away; the program ends with it.
    DebugEngine *engine = m_engine;
    SetEngine(nullptr);
    if (engine && m_state != DebugState::Idle)
        engine->Finish();
}

void DebugSession::SetEngine(DebugEngine *engine) {
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        QObject::disconnect(connection);
    m_connections.clear();
    m_engine = engine;
    if (!engine)
        return;
    m_connections << ConnectCommand(engine, &DebugEngine::Listening, this,
                                    &DebugSession::OnListening)
                  << ConnectCommand(engine, &DebugEngine::Stopped, this, &DebugSession::OnStopped)
                  << ConnectCommand(engine, &DebugEngine::Variables, this,
                                    &DebugSession::OnVariables)
                  << ConnectCommand(engine, &DebugEngine::Children, this, &DebugSession::OnChildren)
                  << ConnectCommand(engine, &DebugEngine::BreakpointMoved, this,
                                    &DebugSession::OnBreakpointMoved)
                  << ConnectCommand(engine, &DebugEngine::Ended, this, &DebugSession::OnEnded)
                  << ConnectCommand(engine, &DebugEngine::Failed, this, &DebugSession::OnFailed);
}

void DebugSession::SetState(DebugState state) {
    if (m_state == state)
        return;
    m_state = state;
    m_host.ShowDebugState(state);
    emit StateChanged(state);
}

// --- starting and ending

void DebugSession::Start(BuildTarget &window) {
    if (!m_engine) {
        ui().messageBox(MsgIcon::Warning, QStringLiteral("Hinweis"), NotAvailable, {MsgButton::Ok});
        return;
    }
    if (m_state != DebugState::Idle) {
        BeepTimes(1);
        return;
    }
    // Local variables are only known to the debugger in class files compiled with "-g".
    const QString runFile = CompileBeforeRun(window, m_host.Builds(), {QStringLiteral("-g")});
    if (runFile.isEmpty())
        return;
    m_runFile = runFile;
    const std::shared_ptr<BuildTarget> target = RunTarget();
    if (!target) {
        ShowBuildProblems({MainFileNotOpenProblem(runFile)});
        return;
    }
    m_folder = WorkingDirectoryOf(QFileInfo(runFile).absoluteFilePath());
    m_changes.Clear();
    SetState(DebugState::Waiting);
    // The engine knows every breakpoint before the program's first class is loaded.
    SendBreakpoints();
    m_engine->Listen(target->FileBase());
}

std::shared_ptr<BuildTarget> DebugSession::RunTarget() const {
    for (const std::shared_ptr<BuildTarget> &target : m_host.Builds().BuildTargets())
        if (target->HasFile() && SameFileName(target->FileName(), m_runFile))
            return target;
    return nullptr;
}

void DebugSession::OnListening(int port) {
    if (m_state != DebugState::Waiting || !m_engine)
        return;
    SetState(DebugState::Running);
    // Not inside the engine's signal: the run keeps the event loop going while it waits, and
    // the engine's further reports must reach us meanwhile.
    QMetaObject::invokeMethod(this, Guarded([this, port] { StartProgram(port); }),
                              Qt::QueuedConnection);
}

void DebugSession::StartProgram(int port) {
    if (m_state != DebugState::Running || !m_engine)
        return;
    const std::shared_ptr<BuildTarget> target = RunTarget();
    if (!target) {
        ShowBuildProblems({MainFileNotOpenProblem(m_runFile)});
        m_engine->Finish();
        return;
    }
    BuildHost &frame = m_host.Builds();
    BuildProblems problems;
    {
        // The run keeps the window responsive while it waits: no build starts inside it. A
        // captured program is waited for until it ends, however long it stays stopped, so its
        // output reaches the panel as under F9.
        std::optional<BuildBusyGuard> busy;
        if (!frame.BuildBusy())
            busy.emplace(frame);
        problems = StartRun(*target, frame, {DebugAgentOption(port)}, true);
    }
    ShowBuildProblems(problems);
    // A program that never started never connects.
    if (!problems.isEmpty() && m_state != DebugState::Idle && m_engine)
        m_engine->Finish();
    emit RunFinished();
}

void DebugSession::Finish() {
    if (m_state != DebugState::Idle && m_engine)
        m_engine->Finish();
}

void DebugSession::OnEnded() {
    EndDebugging();
}

void DebugSession::OnFailed(const QString &message) {
    const bool wasDebugging = m_state != DebugState::Idle;
    EndDebugging();
    if (wasDebugging)
        ui().messageBox(MsgIcon::Error, QStringLiteral("Fehler"), message, {MsgButton::Ok});
}

void DebugSession::EndDebugging() {
    if (m_state == DebugState::Idle)
        return;
    m_frames.clear();
    m_values.clear();
    m_selected = 0;
    m_status.clear();
    m_changes.Clear();
    m_host.ClearCurrentLine();
    m_host.ShowDebugStatus(QString());
    SetState(DebugState::Idle);
    emit FramesChanged();
    emit ValuesChanged();
}

// --- stops and steps

void DebugSession::Go(void (DebugEngine::*go)()) {
    if (m_state != DebugState::Stopped || !m_engine)
        return;
    SetState(DebugState::Running);
    m_host.ClearCurrentLine();
    (m_engine->*go)();
}

void DebugSession::Resume() {
    Go(&DebugEngine::Resume);
}

void DebugSession::StepOver() {
    Go(&DebugEngine::StepOver);
}

void DebugSession::StepInto() {
    Go(&DebugEngine::StepInto);
}

void DebugSession::StepOut() {
    Go(&DebugEngine::StepOut);
}

QString DebugSession::FrameFile(int index) const {
    if (index < 0 || index >= m_frames.size())
        return QString();
    return DebugSourceFile(m_folder, m_frames.at(index).sourceName);
}

QString DebugSession::ShowFrameLine(int index) {
    const QString file = FrameFile(index);
    if (file.isEmpty() || m_frames.at(index).line <= 0 ||
        !m_host.ShowCurrentLine(file, m_frames.at(index).line)) {
        m_host.ClearCurrentLine();
        return QString();
    }
    return file;
}

void DebugSession::OnStopped(const DebugStop &stop) {
    if (m_state != DebugState::Running || stop.frames.isEmpty())
        return;
    m_changes.NextStop();
    m_frames = stop.frames;
    m_values.clear();
    // The learner's own code: the innermost frame with a source file in the program's folder
    // (an exception may come from inside a library method).
    m_selected = 0;
    for (int i = 0; i < m_frames.size(); ++i)
        if (!FrameFile(i).isEmpty()) {
            m_selected = i;
            break;
        }
    SetState(DebugState::Stopped);
    ShowFrameLine(m_selected);
    m_status = DebugStatusText(stop, m_frames.at(m_selected).line);
    m_host.ShowDebugStatus(m_status);
    emit FramesChanged();
    emit ValuesChanged();
    // The engine tells frame 0's variables by itself.
    if (m_selected != 0 && m_engine)
        m_engine->SelectFrame(m_selected);
}

QStringList DebugSession::FrameTexts() const {
    QStringList texts;
    for (const DebugFrame &frame : m_frames)
        texts << DebugFrameText(frame);
    return texts;
}

void DebugSession::SelectFrame(int index) {
    if (m_state != DebugState::Stopped || index < 0 || index >= m_frames.size() ||
        index == m_selected || !m_engine)
        return;
    m_selected = index;
    m_values.clear();
    ShowFrameLine(index);
    emit FramesChanged();
    emit ValuesChanged();
    m_engine->SelectFrame(index);
}

void DebugSession::OnVariables(int frameIndex, const QList<DebugVariable> &variables) {
    if (m_state != DebugState::Stopped || frameIndex != m_selected || frameIndex >= m_frames.size())
        return;
    const DebugFrame &frame = m_frames.at(frameIndex);
    m_values = m_changes.Variables(frame.className + u'.' + frame.method, variables);
    emit ValuesChanged();
}

void DebugSession::Expand(qint64 objectId) {
    if (m_state == DebugState::Stopped && objectId != 0 && m_engine)
        m_engine->Expand(objectId);
}

void DebugSession::OnChildren(qint64 objectId, const QList<DebugVariable> &children) {
    if (m_state != DebugState::Stopped)
        return;
    emit ChildrenShown(objectId, m_changes.Children(objectId, children));
}

// --- breakpoints

qsizetype DebugSession::BreakpointIndex(const QString &fileName) const {
    for (qsizetype i = 0; i < m_breakpoints.size(); ++i)
        if (SameFileName(m_breakpoints.at(i).first, fileName))
            return i;
    return -1;
}

void DebugSession::StoreBreakpoints(const QString &fileName, const QList<int> &lines) {
    const qsizetype index = BreakpointIndex(fileName);
    if (index >= 0)
        m_breakpoints[index].second = lines;
    else if (!lines.isEmpty())
        m_breakpoints.append({QFileInfo(fileName).absoluteFilePath(), lines});
}

QList<int> DebugSession::Breakpoints(const QString &fileName) const {
    // The marks move with edits: the window knows where they are now.
    if (const std::optional<QList<int>> marks = m_host.BreakpointMarks(fileName))
        return *marks;
    const qsizetype index = BreakpointIndex(fileName);
    return index >= 0 ? m_breakpoints.at(index).second : QList<int>();
}

void DebugSession::ToggleBreakpoint(const QString &fileName, int line) {
    if (line <= 0)
        return;
    QList<int> lines = Breakpoints(fileName);
    if (lines.contains(line))
        lines.removeAll(line);
    else
        lines << line;
    lines = Sorted(lines);
    m_host.SetBreakpointMarks(fileName, lines);
    StoreBreakpoints(fileName, lines);
    if (m_state != DebugState::Idle && m_engine)
        m_engine->SetBreakpoints(QFileInfo(fileName).absoluteFilePath(), lines);
}

void DebugSession::SendBreakpoints() {
    for (auto &[fileName, lines] : m_breakpoints) {
        lines = Breakpoints(fileName);
        if (!lines.isEmpty())
            m_engine->SetBreakpoints(fileName, lines);
    }
}

void DebugSession::OnBreakpointMoved(const QString &fileName, int fromLine, int toLine) {
    QList<int> lines = Breakpoints(fileName);
    if (!lines.contains(fromLine))
        return;
    lines.removeAll(fromLine);
    lines << toLine;
    lines = Sorted(lines);
    m_host.SetBreakpointMarks(fileName, lines);
    StoreBreakpoints(fileName, lines);
}

void DebugSession::DocumentOpened(const QString &fileName) {
    const qsizetype index = BreakpointIndex(fileName);
    if (index >= 0 && !m_breakpoints.at(index).second.isEmpty())
        m_host.SetBreakpointMarks(fileName, m_breakpoints.at(index).second);
}

void DebugSession::DocumentClosing(const QString &fileName) {
    if (const std::optional<QList<int>> marks = m_host.BreakpointMarks(fileName))
        StoreBreakpoints(fileName, *marks);
}

void DebugSession::DocumentRenamed(const QString &previous, const QString &fileName) {
    const qsizetype index = BreakpointIndex(previous);
    if (index >= 0)
        m_breakpoints.removeAt(index);
    if (const std::optional<QList<int>> marks = m_host.BreakpointMarks(fileName))
        StoreBreakpoints(fileName, *marks);
}
