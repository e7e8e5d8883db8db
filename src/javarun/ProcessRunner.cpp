#include "ProcessRunner.h"

#include "common/CommandGuard.h"
#include "RunPlan.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <memory>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr int SliceMs = 100;
constexpr int MaxWaits = 31;
constexpr int PauseMs = 300;
constexpr qint64 ChunkSize = 2500;

// Exit codes of our own event loops; anything else means the application is quitting.
constexpr int SliceOver = 0x5171;
constexpr int ChildEnded = 0x5172;

const QString FinishedLine = QStringLiteral("-- Fertig --");

void AddLine(RunOutput *output, const QString &line) {
    if (output)
        output->AppendLine(line);
}

// Waits without freezing the window; returns at once when the application is quitting.
void Pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, [&loop] { loop.exit(SliceOver); });
    loop.exec();
}

// True once the application has been told to quit: every event loop then ends at once.
// A command still running (closing the frame ends the waiting of a compile) must not start
// further programs.
bool ApplicationQuitting() {
    QEventLoop probe;
    QTimer::singleShot(0, &probe, [&probe] { probe.exit(SliceOver); });
    return probe.exec(QEventLoop::ExcludeUserInputEvents) != SliceOver;
}

// Moves what the child wrote into the collector, in chunks of at most 2500 bytes.
void Drain(QProcess *process, OutputCollector &collector) {
    char buffer[ChunkSize];
    for (;;) {
        const qint64 got = process->read(buffer, ChunkSize);
        if (got <= 0)
            break;
        collector.Append(QByteArray(buffer, got));
        if (got < ChunkSize)
            break;
    }
}

// The system's error code behind a failed start, read back from the error text that the
// process class composes from it; "missing file" when the text names none.
int StartErrorCode(const QProcess &process) {
    const QString text = process.errorString();
    for (int code = 1; code < 256; ++code) {
        const QString message = QString::fromLocal8Bit(std::strerror(code));
        if (!message.isEmpty() && !message.startsWith(QStringLiteral("Unknown error")) &&
            text.endsWith(message))
            return code;
    }
    return ENOENT;
}

#ifdef Q_OS_UNIX
// The child's standard input: a pipe holding the line end written before the child starts.
// Afterwards it tells what the child left unread, as the shared pipe of the original
// design did by handing the unread line end back as the first output.
class InputPipe {
public:
    ~InputPipe() {
        CloseWrite();
        if (m_read >= 0)
            ::close(m_read);
    }
    bool Open() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return false;
        m_read = fds[0];
        m_write = fds[1];
        return true;
    }
    int ReadEnd() const { return m_read; }
    void Write(const char *bytes, size_t size) {
        [[maybe_unused]] const ssize_t written = ::write(m_write, bytes, size);
    }
    void CloseWrite() {
        if (m_write >= 0)
            ::close(m_write);
        m_write = -1;
    }
    // What is still in the pipe. With the write end closed a read never blocks.
    QByteArray TakeUnread() {
        CloseWrite();
        QByteArray unread;
        char buffer[256];
        for (;;) {
            const ssize_t got = ::read(m_read, buffer, sizeof buffer);
            if (got <= 0)
                break;
            unread.append(buffer, got);
        }
        return unread;
    }

private:
    int m_read = -1;
    int m_write = -1;
};
#endif

// Waits in slices of 100 ms, keeping the window responsive, until the child ends, the
// wait fails, the application quits or (unless untilEnd) 31 slices have passed. Returns
// the number of slices.
int WaitForChild(QProcess *process, bool untilEnd, bool &waitFailed) {
    QEventLoop loop;
    QTimer slice;
    slice.setSingleShot(true);
    slice.setInterval(SliceMs);
    ConnectCommand(&slice, &QTimer::timeout, &loop, [&loop] { loop.exit(SliceOver); });
    ConnectCommand(process, &QProcess::finished, &loop, [&loop] { loop.exit(ChildEnded); });
    ConnectCommand(process, &QProcess::errorOccurred, &loop,
                   [&loop, &waitFailed](QProcess::ProcessError error) {
                       if (error == QProcess::ReadError || error == QProcess::UnknownError) {
                           waitFailed = true;
                           loop.exit(ChildEnded);
                       }
                   });
    int waits = 0;
    for (;;) {
        int result = ChildEnded;
        if (process->state() != QProcess::NotRunning && !waitFailed) {
            slice.start();
            result = loop.exec();
            slice.stop();
        }
        ++waits;
        if (result == ChildEnded || process->state() == QProcess::NotRunning || waitFailed)
            return waits;
        if (result != SliceOver) // the application is quitting
            return waits;
        if (!untilEnd && waits >= MaxWaits)
            return waits;
    }
}

// A child still running when the runner returns goes on running. Its process object
// moves to the application; its further output is read and dropped up to the limit, so
// the child never blocks on a full pipe, and then the pipe is closed. The object goes
// when the child ends (or with the application, which then ends the hidden child).
QProcess *LetRunOn(QProcess *process, qint64 limit) {
    process->disconnect();
    process->setParent(QCoreApplication::instance());
    auto dropped = std::make_shared<qint64>(0);
    ConnectCommand(process, &QProcess::readyReadStandardOutput, process, [process, dropped, limit] {
        *dropped += process->readAll().size();
        if (*dropped > limit)
            process->closeReadChannel(QProcess::StandardOutput);
    });
    ConnectCommand(process, &QProcess::finished, process, &QObject::deleteLater);
    // A hidden child does not outlive the application here: it is ended and reaped when
    // the application quits, not left to the destructor, which warns about it.
    ConnectCommand(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, process,
                   [process] {
                       process->kill();
                       process->waitForFinished();
                   });
    return process;
}

} // namespace

QString BeginCapturedPanel(RunOutput *panel, const QString &fileName) {
    const QString fileLine = QStringLiteral("Datei \"%1\"").arg(fileName);
    if (panel)
        panel->Clear();
    AddLine(panel, fileLine);
    AddLine(panel, QString());
    return fileLine + QStringLiteral("\n\n");
}

QString FinishedPanelText(const QString &start, const QByteArray &unreadInput,
                          const OutputCollector &collector) {
    QString text = start + QString::fromLocal8Bit(unreadInput) + collector.Text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QString TruncationLineOf(const OutputCollector &collector) {
    return collector.Truncated() ? collector.TruncationLine() : QString();
}

void ShowFinishedPanel(RunOutput *panel, const QString &text, const QString &truncationLine) {
    if (!panel)
        return;
    panel->SetText(text);
    if (!truncationLine.isEmpty())
        panel->AppendLine(truncationLine);
    panel->AppendLine(FinishedLine);
}

void FinishCapturedPanel(RunOutput *panel, const QString &start, const QByteArray &unreadInput,
                         const OutputCollector &collector) {
    if (panel)
        ShowFinishedPanel(panel, FinishedPanelText(start, unreadInput, collector),
                          TruncationLineOf(collector));
}

QString CompileStatusText(const QString &target) {
    return QStringLiteral("Kompiliere %1 ...").arg(target);
}

void PauseAfterRun() {
    Pause(PauseMs);
}

CapturedRunReport RunCaptured(const QString &fileName, const QString &program,
                              const QString &parameters, const QString &target, RunOutput *panel,
                              const CapturedRunOptions &options) {
    CapturedRunReport report;
    if (ApplicationQuitting())
        return report;
    const QString header = BeginCapturedPanel(panel, fileName);

#ifdef Q_OS_UNIX
    InputPipe input;
    if (!input.Open()) {
        AddLine(panel, QStringLiteral("Konnte die Pipes nicht erzeugen"));
        Pause(PauseMs);
        return report;
    }
    input.Write("\r\n", 2);
    // The input ends after the line end: a program that reads more gets end-of-file and
    // its error shows, instead of waiting for input nobody can type.
    input.CloseWrite();
#endif

    const Command command = CapturedCommand(program, parameters, target, options.ownOptions);
    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setWorkingDirectory(WorkingDirectoryOf(fileName));
    if (!options.classPath.isEmpty())
        process->setProcessEnvironment(ClassPathEnvironment(options.classPath));
    process->setProgram(command.program);
    process->setArguments(command.arguments);
#ifdef Q_OS_UNIX
    process->setStandardInputFile(QProcess::nullDevice());
    const int inputFd = input.ReadEnd();
    process->setChildProcessModifier([inputFd] { ::dup2(inputFd, STDIN_FILENO); });
#endif

    OutputCollector collector(options.outputLimit);
    ConnectCommand(process, &QProcess::readyReadStandardOutput, process,
                   [process, &collector] { Drain(process, collector); });
    process->start();
    if (!process->waitForStarted(-1)) {
        AddLine(panel, QStringLiteral("Konnte Kommando nicht starten, Fehler: #%1")
                           .arg(StartErrorCode(*process)));
        delete process;
        Pause(PauseMs);
        return report;
    }
#ifndef Q_OS_UNIX
    process->write("\r\n", 2);
    process->closeWriteChannel();
#endif
    report.started = true;
    report.processId = process->processId();
    if (options.started)
        options.started(process);

    if (options.waitForEnd && options.status)
        options.status(CompileStatusText(target));
    bool waitFailed = false;
    report.waits = WaitForChild(process, options.waitForEnd, waitFailed);
    if (options.waitForEnd && options.status)
        options.status(QString());
    report.ended = process->state() == QProcess::NotRunning;
    if (report.ended && process->exitStatus() == QProcess::NormalExit)
        report.exitCode = process->exitCode();

    QByteArray unreadInput;
#ifdef Q_OS_UNIX
    unreadInput = input.TakeUnread();
#endif
    if (waitFailed) {
        AddLine(panel, QStringLiteral("Operation wurde abgebrochen!"));
    } else {
        // Whatever reached the pipe by now, without waiting for more.
        for (int poll = 0; !report.ended && poll < 16 && process->waitForReadyRead(0); ++poll)
            Drain(process, collector);
        Drain(process, collector);
        report.truncated = collector.Truncated();
        if (options.showFinished)
            options.showFinished(FinishedPanelText(header, unreadInput, collector),
                                 TruncationLineOf(collector), report);
        else
            FinishCapturedPanel(panel, header, unreadInput, collector);
    }

    if (report.ended)
        delete process;
    else
        report.leftRunning = LetRunOn(process, options.outputLimit);
    Pause(PauseMs);
    return report;
}
