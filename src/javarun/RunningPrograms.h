#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QProcess;

// The learner's programs that F9 started and that still run after the run command returned
// (an endless loop, an open window, a program waiting for input), so that they can be
// stopped without ending Quill.
class RunningPrograms : public QObject {
    Q_OBJECT
public:
    explicit RunningPrograms(QObject *parent = nullptr);

    // A captured program still running; its process object stays owned elsewhere.
    void Adopt(QProcess *process);
    // A program started in a window of its own, by the process id of that window.
    void AdoptDetached(qint64 processId);

    bool AnyRunning() const;
    // Ends every program: asked to end first, killed 2 s later if it has not. False when
    // none was running.
    bool StopAll();

signals:
    // Whether any program runs; sent when that changes.
    void RunningChanged(bool running);

private:
    void Update();

    QList<QPointer<QProcess>> m_processes;
    QList<qint64> m_detached;
    QTimer m_poll;
    bool m_running = false;
};
