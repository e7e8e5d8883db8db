#pragma once

#include "KonsoleEngine.h"
#include "KonsoleProtocol.h"

#include "javarun/ResidentJava.h"

#include <QStringDecoder>
#include <QTimer>

#include <functional>

// The console's engine: the resident Java helper with the JDK's shell engine. Knows the
// helper's answers and turns them into text of the transcript; restarts Java (with the
// class path kept) when it ended or could not be stopped.
class KonsoleClient : public KonsoleEngine {
    Q_OBJECT
public:
    // launcher: gives the java launcher to start (asked at each start, so a changed setting
    // counts); helperDir: the folder of the helper's class files, "" for "konsole" in the
    // program's folder.
    explicit KonsoleClient(std::function<QString()> launcher, const QString &helperDir = QString(),
                           QObject *parent = nullptr);

    void Start() override;
    bool IsReady() const override { return m_state == State::Idle || m_state == State::Busy; }
    void Evaluate(const QString &input) override;
    void Stop() override;
    void Reset() override;
    void SetClassPath(const QStringList &folders) override;

    // The helper's process id, 0 when none runs.
    qint64 ProcessId() const { return m_helper.ProcessId(); }
    // How long a stopped evaluation may take to end before Java is ended and started afresh.
    void SetStopGrace(int ms) { m_stopGraceMs = ms; }

private:
    enum class State { Off, Starting, Idle, Busy };

    void send(KonsoleRequest kind, const QStringList &texts = {});
    void onReady();
    void onReceived();
    void onEnded(bool wasReady);
    void takeAnswer(KonsoleAnswer kind, const QByteArray &bytes);
    // Ends Java at once and starts it afresh; the request that ran ends as Restarted.
    void restart(const QString &note);

    std::function<QString()> m_launcher;
    QString m_helperDir;
    ResidentJava m_helper;
    State m_state = State::Off;
    QStringList m_classPath;
    // Answers the console asked for itself (the class path after a restart), not reported.
    int m_ownRequests = 0;
    // The request that runs must end as Restarted once Java is back.
    bool m_restartPending = false;
    QStringDecoder m_outDecoder{QStringDecoder::Utf8};
    QStringDecoder m_errDecoder{QStringDecoder::Utf8};
    QTimer m_stopTimer;
    int m_stopGraceMs = 3000;
};
