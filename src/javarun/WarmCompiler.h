#pragma once

#include "ResidentJava.h"
#include "WarmCompileRules.h"
#include "WarmFrame.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// Keeps one Java compiler resident, so a compile costs the compile and not the start of a
// JVM. The resident compiler is a resident Java helper (ResidentJava), started with the java
// launcher of the configured compiler's JDK in the folder of the files it compiles: the
// folder is the working directory of a javac process too, so relative paths and the file
// names in messages come out as the process gives them. It compiles for that one folder;
// another folder gets a new one. It ends when Quill closes its input, so it never outlives
// Quill, not even a crash.
class WarmCompiler : public QObject {
    Q_OBJECT
public:
    // serverDir: where the resident compiler's class file is; "" for the program's folder.
    explicit WarmCompiler(const QString &serverDir = QString(), QObject *parent = nullptr);
    ~WarmCompiler() override;

    // Starts a resident compiler for the configured compiler and folder in the background,
    // unless one is running or starting for them already. Does nothing when the compiler is
    // not a JDK's own javac or the environment would make it differ from the process.
    void Prepare(const QString &compiler, const QString &folder);

    // Compiles in folder with the arguments as a javac process there would get them.
    // Returns nothing when the resident compiler cannot promise the process's result (not
    // a JDK javac, another folder, arguments it does not know, no compiler ready, already
    // busy, or it died, refused or hung meanwhile); the caller then starts the process. A
    // compiler that is still starting is waited for, as it is quicker than a new process.
    // Keeps the event loop running while it waits.
    std::optional<WarmAnswer> Compile(const QString &compiler, const QString &folder,
                                      const QStringList &arguments);

    // True when Compile would try the resident compiler (it may still fail there); answers
    // at once.
    bool CanCompile(const QString &compiler, const QString &folder,
                    const QStringList &arguments) const;

    // Ends the resident compiler, if any.
    void Stop();

    bool IsReady() const { return m_state == State::Ready; }
    // The resident compiler's process id, 0 when none runs.
    qint64 ProcessId() const;
    // Compiles answered by the resident compiler so far.
    int WarmCompiles() const { return m_warmCompiles; }

    // How long a compile may take before the resident compiler counts as hanging.
    void SetAnswerTimeout(int ms) { m_answerTimeoutMs = ms; }

signals:
    // The resident compiler has started and compiled once; it answers quickly from now on.
    void Ready();

private:
    enum class State { Off, Starting, Ready, Busy };

    // What identifies a resident compiler: the launcher it runs on and its folder.
    using Key = CompileServerKey;

    std::optional<Key> KeyFor(const QString &compiler, const QString &folder) const;
    void Start(const Key &key);
    void OnReady();
    void OnEnded(bool wasReady);
    // Ends the resident compiler and waits for it (briefly; then it is killed).
    void EndNow();
    bool WaitUntilReady();

    QString m_serverDir;
    ResidentJava m_helper;
    Key m_key;
    std::optional<Key> m_brokenKey;
    State m_state = State::Off;
    QElapsedTimer m_started;
    int m_answerTimeoutMs = 20000;
    int m_warmCompiles = 0;
    bool m_quitting = false;
};
