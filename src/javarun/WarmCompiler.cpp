#include "WarmCompiler.h"

#include "common/CommandGuard.h"
#include "WarmCompileRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QtEndian>
#include <QTimer>

#include <limits>

namespace {

// The refusal among the answers (see the resident compiler's source).
constexpr qint32 Refused = std::numeric_limits<qint32>::min();
// Any other negative answer means it no longer works in that folder; exit codes from 3 on
// mean the compiler itself failed (out of memory, a crash). Either way the process, with
// its own memory and a fresh start, compiles, and a new resident compiler is started.
constexpr int FirstSystemError = 3;

// A resident compiler not ready this long after its start is no quicker than a process.
constexpr int StartLimitMs = 1500;
// How long an ended one may take to go before it is killed.
constexpr int EndGraceMs = 2000;

// Exit codes of our own event loops; anything else means the application is quitting.
enum LoopResult { Answered = 0x5171, Died, TimedOut };

void AppendWord(QByteArray &bytes, qint32 word) {
    char raw[4];
    qToBigEndian(word, raw);
    bytes.append(raw, 4);
}

void AppendText(QByteArray &bytes, const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    AppendWord(bytes, qint32(utf8.size()));
    bytes.append(utf8);
}

// Lets a resident compiler go without waiting for it: its input is closed, which ends it;
// should it not end, it is killed. The process object goes once it has ended (or with its
// parent at the latest).
void LetGo(QProcess *process) {
    process->disconnect();
    ConnectCommand(process, &QProcess::finished, process, &QObject::deleteLater);
    process->closeWriteChannel();
    QTimer::singleShot(EndGraceMs, process, [process] { process->kill(); });
}

} // namespace

WarmCompiler::WarmCompiler(const QString &serverDir, QObject *parent)
    : QObject(parent),
      m_serverDir(serverDir.isEmpty() ? QCoreApplication::applicationDirPath() : serverDir) {
    // A compile that was waiting when the application was told to quit may have asked
    // for a new one; none is started from then on.
    if (QCoreApplication::instance())
        ConnectCommand(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
            m_quitting = true;
            EndNow();
        });
}

WarmCompiler::~WarmCompiler() {
    EndNow();
}

void WarmCompiler::EndNow() {
    if (!m_process)
        return;
    m_process->disconnect(this);
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(EndGraceMs)) {
        m_process->kill();
        m_process->waitForFinished(EndGraceMs);
    }
    delete m_process;
    m_process = nullptr;
    m_state = State::Off;
}

std::optional<WarmCompiler::Key> WarmCompiler::KeyFor(const QString &compiler,
                                                      const QString &folder) const {
    if (!QFileInfo(QDir(m_serverDir).filePath(CompileServerClassFile())).isFile())
        return std::nullopt;
    if (!WarmEnvironmentAllowed(QProcessEnvironment::systemEnvironment()))
        return std::nullopt;
    Key key{JdkLauncherOf(compiler), QFileInfo(folder).canonicalFilePath()};
    if (key.launcher.isEmpty() || key.folder.isEmpty())
        return std::nullopt;
    return key;
}

void WarmCompiler::Prepare(const QString &compiler, const QString &folder) {
    if (m_quitting)
        return;
    const std::optional<Key> key = KeyFor(compiler, folder);
    if (!key)
        return;
    if ((m_state != State::Off && m_key == *key) || m_brokenKey == *key)
        return;
    Start(*key);
}

void WarmCompiler::Start(const Key &key) {
    Stop();
    m_key = key;
    const Command command = CompileServerCommand(key.launcher, m_serverDir);
    m_process = new QProcess(this);
    m_process->setProgram(command.program);
    m_process->setArguments(command.arguments);
    m_process->setWorkingDirectory(key.folder);
    m_process->setProcessEnvironment(
        CompileServerEnvironment(QProcessEnvironment::systemEnvironment()));
    m_process->setStandardErrorFile(QProcess::nullDevice());
    ConnectCommand(m_process, &QProcess::readyReadStandardOutput, this, &WarmCompiler::OnOutput);
    ConnectCommand(m_process, &QProcess::finished, this, &WarmCompiler::OnEnded);
    ConnectCommand(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            OnEnded();
    });
    m_state = State::Starting;
    m_started.start();
    m_process->start();
}

void WarmCompiler::Stop() {
    if (m_process)
        LetGo(m_process);
    m_process = nullptr;
    m_state = State::Off;
    m_buffer.clear();
}

qint64 WarmCompiler::ProcessId() const {
    return m_process ? m_process->processId() : 0;
}

void WarmCompiler::OnOutput() {
    if (!m_process)
        return;
    m_buffer += m_process->readAllStandardOutput();
    if (m_state != State::Starting)
        return;
    const FrameState ready = DecodeReadyFrame(m_buffer);
    if (ready == FrameState::Incomplete)
        return;
    if (ready == FrameState::Broken) {
        Stop();
        return;
    }
    m_buffer.remove(0, ReadyFrameBytes);
    m_state = State::Ready;
    emit Ready();
}

void WarmCompiler::OnEnded() {
    if (!m_process)
        return;
    // One that cannot even start (a JVM that refuses our options) is not tried again.
    if (m_state == State::Starting)
        m_brokenKey = m_key;
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
    m_state = State::Off;
    m_buffer.clear();
}

bool WarmCompiler::WaitUntilReady() {
    const qint64 left = StartLimitMs - m_started.elapsed();
    if (left <= 0)
        return false;
    QEventLoop loop;
    QTimer::singleShot(left, &loop, [&loop] { loop.exit(TimedOut); });
    ConnectCommand(this, &WarmCompiler::Ready, &loop, [&loop] { loop.exit(Answered); });
    ConnectCommand(m_process, &QProcess::finished, &loop, [&loop] { loop.exit(Died); });
    loop.exec();
    return m_state == State::Ready;
}

std::optional<WarmAnswer> WarmCompiler::TakeAnswer() {
    const AnswerFrame frame = DecodeAnswerFrame(m_buffer);
    if (frame.state != FrameState::Complete)
        return std::nullopt;
    WarmAnswer answer{frame.exitCode, m_buffer.mid(AnswerHeadBytes, frame.outputBytes)};
    m_buffer.remove(0, frame.Bytes());
    return answer;
}

bool WarmCompiler::CanCompile(const QString &compiler, const QString &folder,
                              const QStringList &arguments) const {
    // A compile started while one waits (the event loop runs) goes to the process.
    if (m_state == State::Busy || m_state == State::Off)
        return false;
    const std::optional<Key> key = KeyFor(compiler, folder);
    return key && *key == m_key &&
           WarmArgumentsAllowed(arguments, LocaleIsUtf8(QProcessEnvironment::systemEnvironment()));
}

std::optional<WarmAnswer> WarmCompiler::Compile(const QString &compiler, const QString &folder,
                                                const QStringList &arguments) {
    if (!CanCompile(compiler, folder, arguments))
        return std::nullopt;
    const QPointer<WarmCompiler> self(this);
    if (m_state == State::Starting && !WaitUntilReady())
        return std::nullopt;
    if (!self || m_state != State::Ready)
        return std::nullopt;

    QByteArray request;
    AppendWord(request, qint32(arguments.size()));
    AppendText(request, m_key.folder);
    for (const QString &argument : arguments)
        AppendText(request, argument);
    m_buffer.clear();
    m_state = State::Busy;
    m_process->write(request);

    QEventLoop loop;
    QTimer::singleShot(m_answerTimeoutMs, &loop, [&loop] { loop.exit(TimedOut); });
    // Connected after OnOutput, so the buffer already holds what arrived.
    ConnectCommand(m_process, &QProcess::readyReadStandardOutput, &loop, [this, &loop] {
        const FrameState state = DecodeAnswerFrame(m_buffer).state;
        if (state == FrameState::Complete)
            loop.exit(Answered);
        else if (state == FrameState::Broken)
            loop.exit(Died);
    });
    ConnectCommand(m_process, &QProcess::finished, &loop, [&loop] { loop.exit(Died); });
    const int result = loop.exec();
    if (!self)
        return std::nullopt;
    std::optional<WarmAnswer> answer;
    if (result == Answered)
        answer = TakeAnswer();
    if (answer && answer->exitCode == Refused && m_state == State::Busy) {
        // Not for this one; should it end because of it, the next Prepare starts another.
        m_state = State::Ready;
        return std::nullopt;
    }
    if (!answer || answer->exitCode < 0 || answer->exitCode >= FirstSystemError) {
        // Dead, hanging, refusing or failed: the process compiles this time, and the next
        // compile gets a new resident compiler.
        Stop();
        return std::nullopt;
    }
    m_state = State::Ready;
    ++m_warmCompiles;
    return answer;
}
