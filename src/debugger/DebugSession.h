#pragma once

#include "DebugEngine.h"
#include "DebugHost.h"
#include "ValueChanges.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

class BuildTarget;

// One debugging at a time, and the breakpoints of every document while Quill runs. The
// session decides; the frame and its windows show what it decided through the DebugHost,
// the variables panel follows its signals. Commands that do not fit the state are ignored.
//
//   Idle --Start--> Waiting --Listening--> Running <--Resume/Step--> Stopped
//   any --Ended/Failed--> Idle
class DebugSession : public QObject {
    Q_OBJECT
public:
    explicit DebugSession(DebugHost &host, QObject *parent = nullptr);
    ~DebugSession() override;

    // The engine that debugs (not owned; it must outlive the session or be taken away
    // first); nullptr while there is none: "Debuggen starten" then says so.
    void SetEngine(DebugEngine *engine);
    DebugEngine *Engine() const { return m_engine; }

    DebugState State() const { return m_state; }
    // Whether "Debuggen starten" may be used, and the continuing and stepping commands.
    bool CanStart() const { return m_state == DebugState::Idle; }
    bool CanStep() const { return m_state == DebugState::Stopped; }

    // "Debuggen starten": compiles as F9 does, with "-g", then has the engine wait for the
    // program; the program starts as F9 starts it once the engine listens.
    void Start(BuildTarget &window);
    void Resume();
    void StepOver();
    void StepInto();
    void StepOut();
    // "Programm beenden" and the frame's close: ends the program and the debugging.
    void Finish();

    // "Haltepunkt ein/aus" on a line (from 1) of the document of fileName.
    void ToggleBreakpoint(const QString &fileName, int line);
    // The breakpoints of a file: its window's marks, or those it had when its window closed.
    QList<int> Breakpoints(const QString &fileName) const;
    // A window now holds the file: it gets the breakpoints the file had.
    void DocumentOpened(const QString &fileName);
    // The window of the file is closing: its breakpoints are kept for the file.
    void DocumentClosing(const QString &fileName);
    // A window's document took another file name: its breakpoints go with it.
    void DocumentRenamed(const QString &previous, const QString &fileName);

    // The stop's call stack, innermost first, and the frame whose line and variables are shown.
    const QList<DebugFrame> &Frames() const { return m_frames; }
    QStringList FrameTexts() const;
    int SelectedFrame() const { return m_selected; }
    // Shows another frame of the stop: its line and its variables.
    void SelectFrame(int index);
    // The variables of the selected frame, as far as the engine has told them.
    const QList<DebugValue> &Values() const { return m_values; }
    // Asks for the fields or elements of an object; ChildrenShown answers.
    void Expand(qint64 objectId);
    // The status text of the stop, "" while not stopped.
    QString StatusText() const { return m_status; }

signals:
    void StateChanged(DebugState state);
    // A new stop or another frame chosen: FrameTexts, SelectedFrame.
    void FramesChanged();
    // The variables of the selected frame changed: Values.
    void ValuesChanged();
    void ChildrenShown(qint64 objectId, const QList<DebugValue> &children);
    // The program's run returned: a captured program has ended, a terminal was started.
    void RunFinished();

private:
    void SetState(DebugState state);
    void EndDebugging();
    void SendBreakpoints();
    // Lets the engine go on with the step or resume `go`, when stopped.
    void Go(void (DebugEngine::*go)());
    // Shows the line of frame index in its window; the file it is in, or "".
    QString ShowFrameLine(int index);
    QString FrameFile(int index) const;
    std::shared_ptr<BuildTarget> RunTarget() const;
    qsizetype BreakpointIndex(const QString &fileName) const;
    void StoreBreakpoints(const QString &fileName, const QList<int> &lines);

    // The engine's signals.
    void OnListening(int port);
    // Starts the program as F9 does, with the agent told to connect to port.
    void StartProgram(int port);
    void OnStopped(const DebugStop &stop);
    void OnVariables(int frameIndex, const QList<DebugVariable> &variables);
    void OnChildren(qint64 objectId, const QList<DebugVariable> &children);
    void OnBreakpointMoved(const QString &fileName, int fromLine, int toLine);
    void OnEnded();
    void OnFailed(const QString &message);

    DebugHost &m_host;
    QPointer<DebugEngine> m_engine;
    QList<QMetaObject::Connection> m_connections;
    DebugState m_state = DebugState::Idle;
    // The file whose class runs, and its folder, where stops find their source files.
    QString m_runFile;
    QString m_folder;
    // Breakpoints by file, as last known from the windows (lines from 1, ascending).
    QList<std::pair<QString, QList<int>>> m_breakpoints;
    QList<DebugFrame> m_frames;
    int m_selected = 0;
    QList<DebugValue> m_values;
    QString m_status;
    ValueChanges m_changes;
};
