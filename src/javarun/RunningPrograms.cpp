#include "RunningPrograms.h"

#include "common/CommandGuard.h"
#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#endif

namespace {

constexpr int KillAfterMs = 2000;
constexpr int PollMs = 500;

bool DetachedAlive(qint64 processId) {
#ifdef Q_OS_UNIX
    return processId > 0 && ::kill(static_cast<pid_t>(processId), 0) == 0;
#else
    Q_UNUSED(processId);
    return false;
#endif
}

void SignalDetached(qint64 processId, bool kill) {
#ifdef Q_OS_UNIX
    if (processId > 0)
        ::kill(static_cast<pid_t>(processId), kill ? SIGKILL : SIGTERM);
#else
    Q_UNUSED(processId);
    Q_UNUSED(kill);
#endif
}

} // namespace

RunningPrograms::RunningPrograms(QObject *parent) : QObject(parent) {
    // A program in a window of its own is no child of ours: look whether it still runs.
    m_poll.setInterval(PollMs);
    ConnectCommand(&m_poll, &QTimer::timeout, this, &RunningPrograms::Update);
}

void RunningPrograms::Adopt(QProcess *process) {
    if (!process || process->state() == QProcess::NotRunning)
        return;
    m_processes << process;
    ConnectCommand(process, &QProcess::finished, this, &RunningPrograms::Update);
    ConnectCommand(process, &QObject::destroyed, this, &RunningPrograms::Update,
                   Qt::QueuedConnection);
    Update();
}

void RunningPrograms::AdoptDetached(qint64 processId) {
    if (!DetachedAlive(processId))
        return;
    m_detached << processId;
    m_poll.start();
    Update();
}

bool RunningPrograms::AnyRunning() const {
    for (const QPointer<QProcess> &process : m_processes)
        if (process && process->state() != QProcess::NotRunning)
            return true;
    for (qint64 processId : m_detached)
        if (DetachedAlive(processId))
            return true;
    return false;
}

bool RunningPrograms::StopAll() {
    const bool any = AnyRunning();
    for (const QPointer<QProcess> &process : std::as_const(m_processes)) {
        if (!process || process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        const QPointer<QProcess> target = process;
        QTimer::singleShot(KillAfterMs, this, [target] {
            if (target && target->state() != QProcess::NotRunning)
                target->kill();
        });
    }
    for (qint64 processId : std::as_const(m_detached)) {
        if (!DetachedAlive(processId))
            continue;
        SignalDetached(processId, false);
        QTimer::singleShot(KillAfterMs, this, [processId] {
            if (DetachedAlive(processId))
                SignalDetached(processId, true);
        });
    }
    return any;
}

void RunningPrograms::Update() {
    m_processes.removeIf([](const QPointer<QProcess> &process) {
        return !process || process->state() == QProcess::NotRunning;
    });
    m_detached.removeIf([](qint64 processId) { return !DetachedAlive(processId); });
    if (m_detached.isEmpty())
        m_poll.stop();
    const bool running = !m_processes.isEmpty() || !m_detached.isEmpty();
    if (running != m_running) {
        m_running = running;
        emit RunningChanged(running);
    }
}
