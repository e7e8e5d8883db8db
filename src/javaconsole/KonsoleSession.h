#pragma once

#include "ClassFolderWatch.h"
#include "KonsoleEngine.h"
#include "KonsoleHistory.h"
#include "KonsoleTranscript.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

// What the console window shows and does, without the window: the transcript, the prompt,
// the history, the requests to the engine one at a time, the class folder that follows the
// active editor window, and the reload after its classes were compiled anew (seen by the
// folder watch, and looked for before each evaluation).
class KonsoleSession : public QObject {
    Q_OBJECT
public:
    static inline const QString Prompt = QStringLiteral("> ");
    static inline const QString MorePrompt = QStringLiteral("... ");

    // The engine and the history are not owned; the engine must outlive the session.
    KonsoleSession(KonsoleEngine &engine, KonsoleHistory &history, QObject *parent = nullptr);

    // The folder whose classes the console should see (the active editor window's), asked
    // before each evaluation; "" for none.
    void SetClassFolderSource(std::function<QString()> source) {
        m_folderSource = std::move(source);
    }

    // Starts Java unless it runs; the transcript says so while it starts.
    void Open();
    // Takes what the learner typed (one or more lines): shown with its prompt, evaluated in
    // turn. Input that goes on (an open brace) waits for the next line under MorePrompt.
    void Submit(const QString &input);
    // Drops input that waits for its next line.
    void CancelContinuation();
    // Ends the evaluation that runs.
    void Stop();
    // A fresh state: variables, methods and classes are forgotten; the history stays.
    void ResetState();
    // Empties the transcript.
    void ClearTranscript();

    const KonsoleTranscript &Transcript() const { return m_transcript; }
    KonsoleHistory &History() { return m_history; }
    // The prompt for the next line.
    QString CurrentPrompt() const { return m_carry.isEmpty() ? Prompt : MorePrompt; }
    // True while a request runs or waits.
    bool Busy() const { return m_running || !m_queue.isEmpty(); }
    // True while an evaluation runs (it can be stopped).
    bool Evaluating() const { return m_running && m_runningKind == Op::Evaluate; }
    // A short state for the status line: "Java wird gestartet ...", "Bereit", ...
    QString StatusText() const { return m_status; }
    ClassFolderWatch &Watch() { return m_watch; }

signals:
    // Text was added to the transcript.
    void Appended(KonsoleText kind, const QString &text);
    void Cleared();
    // The prompt, the busy state or the status changed.
    void StateChanged();
    // The last request waiting has ended (tests wait for this).
    void Idle();

private:
    struct Op {
        enum Kind { Evaluate, Reset, ClassPath } kind;
        QString text;
        QString note; // shown when a Reset is done
    };

    void append(KonsoleText kind, const QString &text);
    void appendLine(KonsoleText kind, const QString &text);
    void setStatus(const QString &status);
    void followClassFolder();
    void pump();
    void onFinished(KonsoleOutcome outcome);
    void onFailed(const QString &message);
    void onRecompiled();

    KonsoleEngine &m_engine;
    KonsoleHistory &m_history;
    KonsoleTranscript m_transcript;
    ClassFolderWatch m_watch;
    std::function<QString()> m_folderSource;
    QList<Op> m_queue;
    bool m_running = false;
    Op::Kind m_runningKind = Op::Evaluate;
    QString m_runningText;
    QString m_runningNote;
    // Input that goes on: it is sent again with the next line.
    QString m_carry;
    QString m_status;
    bool m_failed = false;
    // The class folders are being looked at from pump itself.
    bool m_checking = false;
};
