#pragma once

#include "DebugEngine.h"

#include "javarun/ResidentJava.h"

#include <QMap>

#include <functional>

#include "DebugProtocol.h"

// The engine that debugs with the resident debug helper: started at the first Listen and kept
// running between programs; it keeps the breakpoints and gives them to a helper started
// afresh. A helper that dies or answers what cannot be read fails the debugging; the next
// Listen starts a new one.
class DebugClient : public DebugEngine {
    Q_OBJECT
public:
    // launcher: gives the java launcher of a JDK to start the helper with (asked at each
    // start, so a changed setting counts); helperDir: the folder of the helper's class files,
    // "" for "debugger" in the program's folder.
    explicit DebugClient(std::function<QString()> launcher, const QString &helperDir = QString(),
                         QObject *parent = nullptr);

    void Listen(const QString &mainClass) override;
    void SetBreakpoints(const QString &fileName, const QList<int> &lines) override;
    void Resume() override;
    void StepOver() override;
    void StepInto() override;
    void StepOut() override;
    void SelectFrame(int index) override;
    void Expand(qint64 objectId) override;
    void Finish() override;

    // The helper's process id, 0 when none runs.
    qint64 ProcessId() const { return m_helper.ProcessId(); }
    // How long the helper waits for the program to connect before the debugging fails.
    void SetConnectTimeout(int ms) { m_connectTimeoutMs = ms; }

private:
    void send(DebugRequest kind, const QStringList &texts = {});
    void sendListen();
    void runOn(DebugRequest kind);
    void onReady();
    void onReceived();
    void onEnded(bool wasReady);
    void take(const DebugAnswer &answer);
    // Ends the debugging with the message.
    void fail(const QString &message);

    std::function<QString()> m_launcher;
    QString m_helperDir;
    ResidentJava m_helper;
    QMap<QString, QList<int>> m_breakpoints;
    // From Listen to Ended or Failed.
    bool m_debugging = false;
    // While the program stands at a stop.
    bool m_stopped = false;
    QString m_mainClass;
    int m_connectTimeoutMs = 60000;
};
