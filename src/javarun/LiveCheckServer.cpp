#include "LiveCheckServer.h"

#include "common/CommandGuard.h"
#include "WarmCompileRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <algorithm>

LiveCheckServer::LiveCheckServer(const QString &serverDir, QObject *parent)
    : QObject(parent),
      m_serverDir(serverDir.isEmpty() ? QCoreApplication::applicationDirPath() : serverDir) {
    m_answerTimer.setSingleShot(true);
    ConnectCommand(&m_helper, &ResidentJava::Ready, this, &LiveCheckServer::OnReady);
    ConnectCommand(&m_helper, &ResidentJava::Received, this, &LiveCheckServer::OnReceived);
    ConnectCommand(&m_helper, &ResidentJava::Ended, this, &LiveCheckServer::OnEnded);
    ConnectCommand(&m_answerTimer, &QTimer::timeout, this, &LiveCheckServer::OnTimeout);
}

LiveCheckServer::~LiveCheckServer() {
    m_helper.EndNow();
}

std::optional<LiveCheckServer::Key> LiveCheckServer::KeyFor(const QString &compiler,
                                                            const QString &folder) const {
    return CompileServerKeyFor(m_serverDir, compiler, folder);
}

bool LiveCheckServer::Usable(const QString &compiler) const {
    return KeyFor(compiler, QDir::tempPath()).has_value();
}

void LiveCheckServer::Check(const QObject *owner, quint64 ticket, const QString &compiler,
                            const CheckRequest &request) {
    const std::optional<Key> key = KeyFor(compiler, request.folder);
    if (!key || key == m_brokenKey || !FitsCheckRequest(request))
        return;
    std::erase_if(m_waiting, [owner](const Job &job) { return job.owner == owner; });
    Job job{owner, ticket, *key, request};
    // The resident compiler is asked with its own name for the folder.
    job.request.folder = key->folder;
    m_waiting.push_back(std::move(job));
    Next();
}

void LiveCheckServer::Forget(const QObject *owner) {
    std::erase_if(m_waiting, [owner](const Job &job) { return job.owner == owner; });
    if (m_running && m_running->owner == owner)
        m_running->owner = nullptr;
}

void LiveCheckServer::Stop() {
    m_waiting.clear();
    m_running.reset();
    m_answerTimer.stop();
    m_helper.LetGo();
    m_key.reset();
}

void LiveCheckServer::Next() {
    if (m_running || m_waiting.empty())
        return;
    const Key &wanted = m_waiting.front().key;
    if (!m_key || *m_key != wanted || !m_helper.IsRunning()) {
        m_key = wanted;
        Command command = CompileServerCommand(wanted.launcher, m_serverDir);
        command.arguments << QStringLiteral("checks");
        m_helper.Start(command, wanted.folder,
                       CompileServerEnvironment(QProcessEnvironment::systemEnvironment()));
        return; // OnReady sends it
    }
    if (!m_helper.IsReady())
        return;
    m_running = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_helper.DropReceived();
    m_helper.Send(EncodeCheckRequest(m_running->request));
    m_answerTimer.start(m_answerTimeoutMs);
}

void LiveCheckServer::OnReady() {
    Next();
}

void LiveCheckServer::OnReceived() {
    if (!m_running) {
        m_helper.DropReceived();
        return;
    }
    const FrameState state = m_helper.NextAnswerState();
    if (state == FrameState::Incomplete)
        return;
    m_answerTimer.stop();
    const Job job = std::move(*m_running);
    m_running.reset();
    std::optional<WarmAnswer> answer;
    if (state == FrameState::Complete)
        answer = m_helper.TakeAnswer();
    std::optional<QList<CheckedMessage>> messages;
    if (answer && answer->exitCode == 0)
        messages = DecodeCheckMessages(answer->output);
    if (!answer || (answer->exitCode != 0 && answer->exitCode != CheckRefusedWord)) {
        // Broken, or no longer in its folder: the next check starts a new one.
        m_helper.LetGo();
        m_key.reset();
    }
    if (messages) {
        ++m_answered;
        if (job.owner)
            emit Checked(job.owner, job.ticket, *messages);
    }
    Next();
}

void LiveCheckServer::OnEnded(bool wasReady) {
    // One that cannot even start (a JVM that refuses our options) is not tried again.
    if (!wasReady && m_key)
        m_brokenKey = m_key;
    m_key.reset();
    m_running.reset();
    m_answerTimer.stop();
    if (wasReady)
        Next();
    else
        std::erase_if(m_waiting, [this](const Job &job) { return job.key == m_brokenKey; });
}

void LiveCheckServer::OnTimeout() {
    // Hanging: the check is dropped, the next one gets a new resident compiler.
    m_running.reset();
    m_helper.LetGo();
    m_key.reset();
    Next();
}
