#pragma once

#include "OutputCollector.h"
#include "RunOutput.h"

#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// What happened, for the callers that care and for tests; the user sees only the panel.
struct CapturedRunReport {
    bool started = false;
    bool ended = false;     // the child had ended when the waiting stopped
    int waits = 0;          // slices waited
    qint64 processId = 0;   // of a started child
    int exitCode = -1;      // of a child that ended normally
    bool truncated = false; // output beyond the limit was dropped
    // The child, when it was left running; it goes away when the child ends.
    QPointer<QProcess> leftRunning;
};

struct CapturedRunOptions {
    // False: a learner's program, waited for in at most 31 slices of 100 ms and left
    // running after that. True: the compiler, waited for until it ends, because what
    // follows depends on its result.
    bool waitForEnd = false;
    // Told what is going on while waiting for the end, and "" afterwards.
    std::function<void(const QString &)> status;
    qint64 outputLimit = OutputCollector::DefaultLimit;
    // CLASSPATH for the child; "" leaves the environment as it is.
    QString classPath;
    // Options of our own before the configured parameters (the debugger's agent).
    QStringList ownOptions = {};
    // Told the child once it runs, while the run still waits for it: a run that waits for
    // its end hands it to "Programm beenden" here.
    std::function<void(QProcess *)> started = {};
    // When set, shows the finished output in place of the run (the compile makes its result
    // of it): the panel's text without its closing lines, the line that says the output was
    // cut ("" when nothing was), and the report so far. Not called when the run failed.
    std::function<void(const QString &panelText, const QString &truncationLine,
                       const CapturedRunReport &report)>
        showFinished = {};
};

// The pieces a captured run shows, for the runs that do not start a process (the resident
// compiler) to show the very same panel text.

// Clears the panel and writes the "Datei" line and an empty line; returns that text, each
// line ended, as the start of the finished panel.
QString BeginCapturedPanel(RunOutput *panel, const QString &fileName);
// The finished panel: the start, what the child left unread of its input and what it wrote
// (line ends made uniform; a line end at the very end starts no empty line), the line that
// says the output was cut, and "-- Fertig --".
void FinishCapturedPanel(RunOutput *panel, const QString &start, const QByteArray &unreadInput,
                         const OutputCollector &collector);
// The finished panel's text before its closing lines, as FinishCapturedPanel shows it.
QString FinishedPanelText(const QString &start, const QByteArray &unreadInput,
                          const OutputCollector &collector);
// The line that says the output was cut, "" when nothing was.
QString TruncationLineOf(const OutputCollector &collector);
// Shows a finished run: its text, the line that says the output was cut (unless ""), and
// "-- Fertig --".
void ShowFinishedPanel(RunOutput *panel, const QString &text, const QString &truncationLine);
// The status text while the compiler runs.
QString CompileStatusText(const QString &target);
// The pause after every captured run; the window stays responsive, and it ends at once
// when the application quits.
void PauseAfterRun();

// Runs program with the configured parameters and the target in the directory of
// fileName and shows what it writes (standard output and error, in order) in the panel:
// a "Datei" line, an empty line, the output and "-- Fertig --", or a failure line. The
// line end written to the child's input first shows up in front of the output unless the
// child read it; the child's input then ends, so a program that reads gets end-of-file
// instead of waiting unseen. Keeps the window responsive while it waits, stops waiting when
// the application quits, never kills the child, and returns only after a 300 ms pause that
// also keeps the window responsive. The output may be null. Once the application is
// quitting it starts nothing and leaves the output alone.
CapturedRunReport RunCaptured(const QString &fileName, const QString &program,
                              const QString &parameters, const QString &target, RunOutput *output,
                              const CapturedRunOptions &options = {});
