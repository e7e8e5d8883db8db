#pragma once

#include "LiveCheckProtocol.h"
#include "ResidentJava.h"
#include "WarmCompileRules.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <optional>

// Checks window texts in the background with a resident compiler of its own: a second
// instance of the resident compiler, apart from the one F8 uses. So a compile never waits
// for a check and a check never takes the compile's instance away (that client waits for
// its answer in a loop of its own and gives up on a busy instance). It costs one more JVM,
// and only while checks are on.
//
// Like F8's it works in the folder of the text it checks (relative paths of the
// parameters, the default class path "."), and another folder gets a new one. The GUI
// thread only writes a request and reads the answer when it arrives; nothing waits.
class LiveCheckServer : public QObject {
    Q_OBJECT
public:
    // serverDir: where the resident compiler's class file is; "" for the program's folder.
    explicit LiveCheckServer(const QString &serverDir = QString(), QObject *parent = nullptr);
    ~LiveCheckServer() override;

    // Whether checks can run for the configured compiler: a JDK's own compiler, the resident
    // compiler's class beside the program, an environment that does not change it.
    bool Usable(const QString &compiler) const;

    // Checks the request for owner in the background; Checked tells the result. A check of
    // the same owner still waiting is replaced (only the newest text counts); one already
    // running goes on, and its answer still comes with its own ticket. Without a usable
    // compiler, or when the check fails, no answer comes.
    void Check(const QObject *owner, quint64 ticket, const QString &compiler,
               const CheckRequest &request);
    // Drops the owner's waiting check; the answer of one running for it is not sent.
    void Forget(const QObject *owner);

    // Ends the resident compiler, if any, and drops every check.
    void Stop();

    // The process id of the resident compiler, 0 when none runs.
    qint64 ProcessId() const { return m_helper.ProcessId(); }
    // Whether a check runs now.
    bool Busy() const { return m_running.has_value(); }
    // Checks answered so far.
    int Answered() const { return m_answered; }

    // How long a check may take before the resident compiler counts as hanging.
    void SetAnswerTimeout(int ms) { m_answerTimeoutMs = ms; }

signals:
    // The messages on the main text of the owner's check with that ticket.
    void Checked(const QObject *owner, quint64 ticket, const QList<CheckedMessage> &messages);

private:
    using Key = CompileServerKey;
    struct Job {
        const QObject *owner = nullptr;
        quint64 ticket = 0;
        Key key;
        CheckRequest request;
    };

    std::optional<Key> KeyFor(const QString &compiler, const QString &folder) const;
    // Sends the first waiting check when none runs, starting the resident compiler in its
    // folder first when needed.
    void Next();
    void OnReady();
    void OnReceived();
    void OnEnded(bool wasReady);
    void OnTimeout();

    QString m_serverDir;
    ResidentJava m_helper;
    std::optional<Key> m_key; // the folder of the running or starting resident compiler
    std::optional<Key> m_brokenKey;
    std::deque<Job> m_waiting;
    std::optional<Job> m_running;
    QTimer m_answerTimer;
    int m_answerTimeoutMs = 20000;
    int m_answered = 0;
};
