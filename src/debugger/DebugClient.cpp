#include "DebugClient.h"

#include "common/CommandGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

DebugClient::DebugClient(std::function<QString()> launcher, const QString &helperDir,
                         QObject *parent)
    : DebugEngine(parent), m_launcher(std::move(launcher)),
      m_helperDir(
          helperDir.isEmpty()
              ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("debugger"))
              : helperDir) {
    ConnectCommand(&m_helper, &ResidentJava::Ready, this, &DebugClient::onReady);
    ConnectCommand(&m_helper, &ResidentJava::Received, this, &DebugClient::onReceived);
    ConnectCommand(&m_helper, &ResidentJava::Ended, this, &DebugClient::onEnded);
}

void DebugClient::send(DebugRequest kind, const QStringList &texts) {
    m_helper.Send(DebugRequestBytes(kind, texts));
}

void DebugClient::sendListen() {
    send(DebugRequest::Listen, {m_mainClass, QString::number(m_connectTimeoutMs)});
}

void DebugClient::Listen(const QString &mainClass) {
    if (m_debugging)
        return; // one program at a time
    m_mainClass = mainClass;
    m_stopped = false;
    if (m_helper.IsReady()) {
        m_debugging = true;
        sendListen();
        return;
    }
    if (!m_helper.IsRunning()) {
        const QString launcher = m_launcher ? m_launcher() : QString();
        if (launcher.isEmpty()) {
            emit Failed(QStringLiteral(
                "Der Debugger braucht ein JDK: Bitte unter Einstellungen den Java-Compiler "
                "(javac) eines JDK eintragen."));
            return;
        }
        const QString classFile = QDir(m_helperDir).filePath(DebugHelperClassFile());
        if (!QFileInfo(classFile).isFile()) {
            emit Failed(
                QStringLiteral("Der Debugger fehlt: %1 wurde nicht gefunden.").arg(classFile));
            return;
        }
        m_helper.Start(DebugHelperCommand(launcher, m_helperDir), QDir::tempPath(),
                       ResidentJavaEnvironment(QProcessEnvironment::systemEnvironment()));
    }
    // Sent once the helper is ready.
    m_debugging = true;
}

void DebugClient::SetBreakpoints(const QString &fileName, const QList<int> &lines) {
    if (lines.isEmpty())
        m_breakpoints.remove(fileName);
    else
        m_breakpoints.insert(fileName, lines);
    if (!m_helper.IsReady())
        return; // a helper yet to start gets them all when it is ready
    QStringList texts{fileName};
    for (const int line : lines)
        texts << QString::number(line);
    send(DebugRequest::Breakpoints, texts);
}

void DebugClient::runOn(DebugRequest kind) {
    if (!m_debugging || !m_stopped)
        return;
    m_stopped = false;
    send(kind);
}

void DebugClient::Resume() {
    runOn(DebugRequest::Resume);
}

void DebugClient::StepOver() {
    runOn(DebugRequest::StepOver);
}

void DebugClient::StepInto() {
    runOn(DebugRequest::StepInto);
}

void DebugClient::StepOut() {
    runOn(DebugRequest::StepOut);
}

void DebugClient::SelectFrame(int index) {
    if (m_debugging && m_stopped)
        send(DebugRequest::Frame, {QString::number(index)});
}

void DebugClient::Expand(qint64 objectId) {
    if (m_debugging && m_stopped)
        send(DebugRequest::Expand, {QString::number(objectId)});
}

void DebugClient::Finish() {
    if (!m_debugging)
        return;
    if (m_helper.IsReady()) {
        // The helper answers Ended (or has already said how the program ended).
        send(DebugRequest::Finish);
        return;
    }
    // The helper still starts: no program was asked for yet.
    m_debugging = false;
    m_stopped = false;
    QMetaObject::invokeMethod(
        this, [this] { emit Ended(); }, Qt::QueuedConnection);
}

void DebugClient::onReady() {
    for (auto it = m_breakpoints.cbegin(); it != m_breakpoints.cend(); ++it) {
        QStringList texts{it.key()};
        for (const int line : it.value())
            texts << QString::number(line);
        send(DebugRequest::Breakpoints, texts);
    }
    if (m_debugging)
        sendListen();
}

void DebugClient::onReceived() {
    while (const std::optional<WarmAnswer> frame = m_helper.TakeAnswer()) {
        if (!IsKnownDebugAnswer(frame->exitCode))
            continue; // a kind of a later helper
        const std::optional<DebugAnswer> answer = DecodeDebugAnswer(frame->exitCode, frame->output);
        if (!answer) {
            m_helper.LetGo();
            fail(QStringLiteral("Der Debugger hat unverständlich geantwortet und wurde beendet."));
            return;
        }
        take(*answer);
        if (!m_helper.IsRunning())
            return;
    }
    if (m_helper.IsRunning() && m_helper.NextAnswerState() == FrameState::Broken) {
        m_helper.LetGo();
        fail(QStringLiteral("Der Debugger hat unverständlich geantwortet und wurde beendet."));
    }
}

void DebugClient::take(const DebugAnswer &answer) {
    if (!m_debugging)
        return; // what a debugging that is over still said
    switch (answer.kind) {
    case DebugAnswerKind::Listening:
        emit Listening(answer.port);
        return;
    case DebugAnswerKind::Stopped:
        m_stopped = true;
        emit Stopped(answer.stop);
        return;
    case DebugAnswerKind::Variables:
        emit Variables(answer.frameIndex, answer.variables);
        return;
    case DebugAnswerKind::Children:
        emit Children(answer.objectId, answer.variables);
        return;
    case DebugAnswerKind::Moved:
        emit BreakpointMoved(answer.fileName, answer.fromLine, answer.toLine);
        return;
    case DebugAnswerKind::Ended:
        m_debugging = false;
        m_stopped = false;
        emit Ended();
        return;
    case DebugAnswerKind::Failed:
        fail(answer.message);
        return;
    }
}

void DebugClient::fail(const QString &message) {
    if (!m_debugging)
        return;
    m_debugging = false;
    m_stopped = false;
    emit Failed(message);
}

void DebugClient::onEnded(bool wasReady) {
    // An idle helper that ended is started afresh by the next Listen, without a word.
    fail(wasReady ? QStringLiteral("Der Debugger wurde unerwartet beendet.")
                  : QStringLiteral("Java konnte für den Debugger nicht gestartet werden."));
}
