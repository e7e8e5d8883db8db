#pragma once

#include "RunPlan.h"
#include "WarmFrame.h"

#include <QByteArray>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

class QProcess;

// One resident Java helper of Quill's own (the resident compiler, the Java console): a
// small Java program beside Quill, started with the java launcher of the configured JDK and
// its class folder, that answers framed requests on its standard input and output and ends
// when its input closes, so it never outlives Quill, not even a crash. Knows nothing of
// what the requests mean.
class ResidentJava : public QObject {
    Q_OBJECT
public:
    explicit ResidentJava(QObject *parent = nullptr);
    // Ends the helper and waits for it (briefly; then it is killed).
    ~ResidentJava() override;

    // Starts the helper in the background; one already running is let go first. Its error
    // output is dropped: only the frames of its standard output count.
    void Start(const Command &command, const QString &workingDirectory,
               const QProcessEnvironment &environment);

    // True from Start until it ended or was let go.
    bool IsRunning() const { return m_process != nullptr; }
    // True once its ready word arrived.
    bool IsReady() const { return m_ready; }
    // The helper's process id, 0 when none runs.
    qint64 ProcessId() const;

    // Writes a request (see AppendFrameWord and AppendFrameText); nothing without a helper.
    void Send(const QByteArray &request);

    // The first complete answer received and not yet taken.
    std::optional<WarmAnswer> TakeAnswer();
    // How far the bytes after the answers taken hold the next answer.
    FrameState NextAnswerState() const;
    // Drops what was received and not taken.
    void DropReceived() { m_buffer.clear(); }

    // Closes its input, which ends it, without waiting; should it not end soon, it is
    // killed. No signal comes from it afterwards.
    void LetGo();
    // Closes its input and waits for its end (briefly; then it is killed).
    void EndNow();

signals:
    // The ready word arrived: the helper takes requests from now on.
    void Ready();
    // New bytes arrived after the ready word (they may or may not complete an answer).
    void Received();
    // The helper ended by itself or could not start; wasReady tells whether it had been
    // ready. The object may start another one from the slot.
    void Ended(bool wasReady);

private:
    void onOutput();
    void onEnded();

    QProcess *m_process = nullptr;
    QByteArray m_buffer;
    bool m_ready = false;
};

// The command that starts a helper class with a JDK's launcher: the JVM options, then the
// class folder as class path, then the class.
Command ResidentJavaCommand(const QString &launcher, const QStringList &jvmOptions,
                            const QString &classFolder, const QString &mainClass);

// The environment a helper starts with: the program's own, without the options that only
// the java launcher reads (they would make it print notes of its own).
QProcessEnvironment ResidentJavaEnvironment(const QProcessEnvironment &environment);
