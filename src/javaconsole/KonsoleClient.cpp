#include "KonsoleClient.h"

#include "common/CommandGuard.h"
#include "KonsoleProtocol.h"

#include "javarun/OutputCollector.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

KonsoleClient::KonsoleClient(std::function<QString()> launcher, const QString &helperDir,
                             QObject *parent)
    : KonsoleEngine(parent), m_launcher(std::move(launcher)),
      m_helperDir(
          helperDir.isEmpty()
              ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("konsole"))
              : helperDir) {
    ConnectCommand(&m_helper, &ResidentJava::Ready, this, &KonsoleClient::onReady);
    ConnectCommand(&m_helper, &ResidentJava::Received, this, &KonsoleClient::onReceived);
    ConnectCommand(&m_helper, &ResidentJava::Ended, this, &KonsoleClient::onEnded);
    m_stopTimer.setSingleShot(true);
    ConnectCommand(&m_stopTimer, &QTimer::timeout, this, [this] {
        if (m_state == State::Busy)
            restart(QStringLiteral("Die Auswertung ließ sich nicht anhalten: Java wurde beendet "
                                   "und neu gestartet, Variablen und Methoden sind verloren."));
    });
}

void KonsoleClient::Start() {
    if (m_state != State::Off)
        return;
    const QString launcher = m_launcher ? m_launcher() : QString();
    if (launcher.isEmpty()) {
        emit Failed(QStringLiteral(
            "Die Java-Konsole braucht ein JDK: Bitte unter Einstellungen den Java-Compiler "
            "(javac) eines JDK eintragen."));
        return;
    }
    if (!QFileInfo(QDir(m_helperDir).filePath(KonsoleHelperClassFile())).isFile()) {
        emit Failed(QStringLiteral("Die Java-Konsole fehlt: %1 wurde nicht gefunden.")
                        .arg(QDir(m_helperDir).filePath(KonsoleHelperClassFile())));
        return;
    }
    m_state = State::Starting;
    m_outDecoder.resetState();
    m_errDecoder.resetState();
    m_helper.Start(KonsoleHelperCommand(launcher, m_helperDir), QDir::tempPath(),
                   ResidentJavaEnvironment(QProcessEnvironment::systemEnvironment()));
}

void KonsoleClient::send(KonsoleRequest kind, const QStringList &texts) {
    m_helper.Send(KonsoleRequestBytes(kind, texts));
}

void KonsoleClient::onReady() {
    m_state = State::Idle;
    if (!m_classPath.isEmpty()) {
        ++m_ownRequests;
        send(KonsoleRequest::ClassPath, m_classPath);
    }
    if (m_restartPending) {
        m_restartPending = false;
        emit Finished(KonsoleOutcome::Restarted);
        return;
    }
    emit Ready();
}

void KonsoleClient::Evaluate(const QString &input) {
    if (m_state != State::Idle)
        return;
    m_state = State::Busy;
    send(KonsoleRequest::Evaluate, {input});
}

void KonsoleClient::Stop() {
    if (m_state != State::Busy)
        return;
    send(KonsoleRequest::Stop);
    m_stopTimer.start(m_stopGraceMs);
}

void KonsoleClient::Reset() {
    if (m_state != State::Idle)
        return;
    m_state = State::Busy;
    send(KonsoleRequest::Reset);
}

void KonsoleClient::SetClassPath(const QStringList &folders) {
    for (const QString &folder : folders)
        if (!m_classPath.contains(folder))
            m_classPath.append(folder);
    if (m_state != State::Idle) {
        // Sent once Java is ready; the request still ends as asked.
        if (m_state == State::Off || m_state == State::Starting)
            QMetaObject::invokeMethod(
                this, [this] { emit Finished(KonsoleOutcome::Done); }, Qt::QueuedConnection);
        return;
    }
    m_state = State::Busy;
    send(KonsoleRequest::ClassPath, folders);
}

void KonsoleClient::onReceived() {
    while (const std::optional<WarmAnswer> answer = m_helper.TakeAnswer())
        takeAnswer(KonsoleAnswer(answer->exitCode), answer->output);
    if (m_helper.IsRunning() && m_helper.NextAnswerState() == FrameState::Broken)
        restart(QStringLiteral("Java hat unverständlich geantwortet und wurde neu gestartet."));
}

void KonsoleClient::takeAnswer(KonsoleAnswer kind, const QByteArray &bytes) {
    switch (kind) {
    case KonsoleAnswer::Out:
        emit Output(KonsoleText::Out, m_outDecoder.decode(bytes));
        return;
    case KonsoleAnswer::Err:
        emit Output(KonsoleText::Err, m_errDecoder.decode(bytes));
        return;
    case KonsoleAnswer::Value:
        emit Output(KonsoleText::Value, QString::fromUtf8(bytes));
        return;
    case KonsoleAnswer::Info:
        emit Output(KonsoleText::Info, QString::fromUtf8(bytes));
        return;
    case KonsoleAnswer::Error:
        emit Output(KonsoleText::Error, QString::fromUtf8(bytes));
        return;
    case KonsoleAnswer::Exception:
        emit Output(KonsoleText::Exception, QString::fromUtf8(bytes));
        return;
    case KonsoleAnswer::Cut:
        emit Output(KonsoleText::Note, OutputCollector().TruncationLine() + u'\n');
        return;
    case KonsoleAnswer::Done:
    case KonsoleAnswer::Incomplete:
    case KonsoleAnswer::Stopped:
        break;
    default:
        return; // a kind of a later helper: nothing to show
    }
    if (m_ownRequests > 0) {
        --m_ownRequests;
        return;
    }
    m_stopTimer.stop();
    if (m_state != State::Busy)
        return;
    m_state = State::Idle;
    // Output cut in the middle of a character shows what came whole.
    m_outDecoder.resetState();
    m_errDecoder.resetState();
    emit Finished(kind == KonsoleAnswer::Done         ? KonsoleOutcome::Done
                  : kind == KonsoleAnswer::Incomplete ? KonsoleOutcome::Incomplete
                                                      : KonsoleOutcome::Stopped);
}

void KonsoleClient::restart(const QString &note) {
    const bool wasBusy = m_state == State::Busy;
    m_stopTimer.stop();
    m_helper.LetGo();
    m_state = State::Off;
    m_ownRequests = 0;
    emit Output(KonsoleText::Note, note + u'\n');
    m_restartPending = wasBusy;
    Start();
    if (m_state == State::Off)
        m_restartPending = false; // it cannot start again: Failed said why
}

void KonsoleClient::onEnded(bool wasReady) {
    if (!wasReady) {
        // Failed ends whatever request waited for it.
        m_state = State::Off;
        m_restartPending = false;
        emit Failed(QStringLiteral("Java konnte für die Java-Konsole nicht gestartet werden."));
        return;
    }
    // A learner's System.exit ends the JVM that runs the shell: it starts afresh.
    restart(QStringLiteral("Java wurde beendet und neu gestartet: Variablen und Methoden sind "
                           "verloren."));
}
