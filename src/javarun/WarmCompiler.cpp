#include "WarmCompiler.h"

#include "common/CommandGuard.h"
#include "WarmCompileRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
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

// Exit codes of our own event loops; anything else means the application is quitting.
enum LoopResult { Answered = 0x5171, Died, TimedOut };

} // namespace

WarmCompiler::WarmCompiler(const QString &serverDir, QObject *parent)
    : QObject(parent),
      m_serverDir(serverDir.isEmpty() ? QCoreApplication::applicationDirPath() : serverDir) {
    ConnectCommand(&m_helper, &ResidentJava::Ready, this, &WarmCompiler::OnReady);
    ConnectCommand(&m_helper, &ResidentJava::Ended, this, &WarmCompiler::OnEnded);
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
    m_helper.EndNow();
    m_state = State::Off;
}

std::optional<WarmCompiler::Key> WarmCompiler::KeyFor(const QString &compiler,
                                                      const QString &folder) const {
    return CompileServerKeyFor(m_serverDir, compiler, folder);
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
    m_state = State::Starting;
    m_started.start();
    m_helper.Start(CompileServerCommand(key.launcher, m_serverDir), key.folder,
                   CompileServerEnvironment(QProcessEnvironment::systemEnvironment()));
}

void WarmCompiler::Stop() {
    m_helper.LetGo();
    m_state = State::Off;
}

qint64 WarmCompiler::ProcessId() const {
    return m_helper.ProcessId();
}

void WarmCompiler::OnReady() {
    if (m_state != State::Starting)
        return;
    m_state = State::Ready;
    emit Ready();
}

void WarmCompiler::OnEnded(bool wasReady) {
    // One that cannot even start (a JVM that refuses our options) is not tried again.
    if (!wasReady && m_state == State::Starting)
        m_brokenKey = m_key;
    m_state = State::Off;
}

bool WarmCompiler::WaitUntilReady() {
    const qint64 left = StartLimitMs - m_started.elapsed();
    if (left <= 0)
        return false;
    QEventLoop loop;
    QTimer::singleShot(left, &loop, [&loop] { loop.exit(TimedOut); });
    ConnectCommand(this, &WarmCompiler::Ready, &loop, [&loop] { loop.exit(Answered); });
    ConnectCommand(&m_helper, &ResidentJava::Ended, &loop, [&loop] { loop.exit(Died); });
    loop.exec();
    return m_state == State::Ready;
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
    AppendFrameWord(request, qint32(arguments.size()));
    AppendFrameText(request, m_key.folder);
    for (const QString &argument : arguments)
        AppendFrameText(request, argument);
    m_helper.DropReceived();
    m_state = State::Busy;
    m_helper.Send(request);

    QEventLoop loop;
    QTimer::singleShot(m_answerTimeoutMs, &loop, [&loop] { loop.exit(TimedOut); });
    ConnectCommand(&m_helper, &ResidentJava::Received, &loop, [this, &loop] {
        const FrameState state = m_helper.NextAnswerState();
        if (state == FrameState::Complete)
            loop.exit(Answered);
        else if (state == FrameState::Broken)
            loop.exit(Died);
    });
    ConnectCommand(&m_helper, &ResidentJava::Ended, &loop, [&loop] { loop.exit(Died); });
    const int result = loop.exec();
    if (!self)
        return std::nullopt;
    std::optional<WarmAnswer> answer;
    if (result == Answered)
        answer = m_helper.TakeAnswer();
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
