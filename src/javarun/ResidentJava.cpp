#include "ResidentJava.h"

#include "common/CommandGuard.h"

#include <QProcess>
#include <QTimer>

namespace {

// How long an ended helper may take to go before it is killed.
constexpr int EndGraceMs = 2000;

} // namespace

ResidentJava::ResidentJava(QObject *parent) : QObject(parent) {}

ResidentJava::~ResidentJava() {
    EndNow();
}

void ResidentJava::Start(const Command &command, const QString &workingDirectory,
                         const QProcessEnvironment &environment) {
    LetGo();
    m_process = new QProcess(this);
    m_process->setProgram(command.program);
    m_process->setArguments(command.arguments);
    m_process->setWorkingDirectory(workingDirectory);
    m_process->setProcessEnvironment(environment);
    m_process->setStandardErrorFile(QProcess::nullDevice());
    ConnectCommand(m_process, &QProcess::readyReadStandardOutput, this, &ResidentJava::onOutput);
    ConnectCommand(m_process, &QProcess::finished, this, &ResidentJava::onEnded);
    ConnectCommand(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            onEnded();
    });
    m_process->start();
}

qint64 ResidentJava::ProcessId() const {
    return m_process ? m_process->processId() : 0;
}

void ResidentJava::Send(const QByteArray &request) {
    if (m_process)
        m_process->write(request);
}

std::optional<WarmAnswer> ResidentJava::TakeAnswer() {
    const AnswerFrame frame = DecodeAnswerFrame(m_buffer);
    if (frame.state != FrameState::Complete)
        return std::nullopt;
    WarmAnswer answer{frame.exitCode, m_buffer.mid(AnswerHeadBytes, frame.outputBytes)};
    m_buffer.remove(0, frame.Bytes());
    return answer;
}

FrameState ResidentJava::NextAnswerState() const {
    return DecodeAnswerFrame(m_buffer).state;
}

void ResidentJava::onOutput() {
    if (!m_process)
        return;
    m_buffer += m_process->readAllStandardOutput();
    if (!m_ready) {
        const FrameState ready = DecodeReadyFrame(m_buffer);
        if (ready == FrameState::Incomplete)
            return;
        if (ready == FrameState::Broken) {
            // Not one of ours, or broken: it counts as ended before it was ready.
            LetGo();
            emit Ended(false);
            return;
        }
        m_buffer.remove(0, ReadyFrameBytes);
        m_ready = true;
        emit Ready();
        if (m_buffer.isEmpty())
            return;
    }
    emit Received();
}

void ResidentJava::onEnded() {
    if (!m_process)
        return;
    const bool wasReady = m_ready;
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
    m_ready = false;
    m_buffer.clear();
    emit Ended(wasReady);
}

void ResidentJava::LetGo() {
    if (m_process) {
        QProcess *process = m_process;
        process->disconnect(this);
        ConnectCommand(process, &QProcess::finished, process, &QObject::deleteLater);
        process->closeWriteChannel();
        QTimer::singleShot(EndGraceMs, process, [process] { process->kill(); });
    }
    m_process = nullptr;
    m_ready = false;
    m_buffer.clear();
}

void ResidentJava::EndNow() {
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
    m_ready = false;
    m_buffer.clear();
}

Command ResidentJavaCommand(const QString &launcher, const QStringList &jvmOptions,
                            const QString &classFolder, const QString &mainClass) {
    QStringList arguments = jvmOptions;
    arguments << QStringLiteral("-cp") << classFolder << mainClass;
    return {launcher, arguments};
}

QProcessEnvironment ResidentJavaEnvironment(const QProcessEnvironment &environment) {
    QProcessEnvironment result = environment;
    result.remove(QStringLiteral("JDK_JAVA_OPTIONS"));
    return result;
}
