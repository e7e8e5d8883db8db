#include "KonsoleSession.h"

#include "common/CommandGuard.h"

namespace {

const QString Starting = QStringLiteral("Java wird gestartet ...");
const QString ReadyText = QStringLiteral("Bereit");
const QString Running = QStringLiteral("Java rechnet ... (Strg+F2 hält an)");

} // namespace

KonsoleSession::KonsoleSession(KonsoleEngine &engine, KonsoleHistory &history, QObject *parent)
    : QObject(parent), m_engine(engine), m_history(history) {
    ConnectCommand(&m_engine, &KonsoleEngine::Ready, this, [this] {
        m_failed = false;
        setStatus(ReadyText);
        pump();
    });
    ConnectCommand(&m_engine, &KonsoleEngine::Output, this, &KonsoleSession::append);
    ConnectCommand(&m_engine, &KonsoleEngine::Finished, this, &KonsoleSession::onFinished);
    ConnectCommand(&m_engine, &KonsoleEngine::Failed, this, &KonsoleSession::onFailed);
    ConnectCommand(&m_watch, &ClassFolderWatch::Recompiled, this, &KonsoleSession::onRecompiled);
}

void KonsoleSession::append(KonsoleText kind, const QString &text) {
    if (text.isEmpty())
        return;
    m_transcript.Append(kind, text);
    emit Appended(kind, text);
}

void KonsoleSession::appendLine(KonsoleText kind, const QString &text) {
    QString line = text;
    if (!m_transcript.EndsLine())
        line.prepend(u'\n');
    if (!line.endsWith(u'\n'))
        line.append(u'\n');
    append(kind, line);
}

void KonsoleSession::setStatus(const QString &status) {
    m_status = status;
    emit StateChanged();
}

void KonsoleSession::Open() {
    if (m_engine.IsReady())
        return;
    if (m_status != Starting) {
        appendLine(KonsoleText::Note, Starting);
        setStatus(Starting);
    }
    m_engine.Start();
}

void KonsoleSession::Submit(const QString &input) {
    QString text = input;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = text.split(u'\n');
    QString prompt = CurrentPrompt();
    for (const QString &line : lines) {
        appendLine(KonsoleText::Input, prompt + line);
        prompt = MorePrompt;
    }
    const QString whole = m_carry.isEmpty() ? text : m_carry + u'\n' + text;
    if (whole.trimmed().isEmpty()) {
        m_carry.clear();
        emit StateChanged();
        return;
    }
    // Until Java has decided, the next line goes on under the same input.
    m_carry.clear();
    m_queue.append({Op::Evaluate, whole, {}});
    if (m_failed)
        Open();
    pump();
    emit StateChanged();
}

void KonsoleSession::CancelContinuation() {
    if (m_carry.isEmpty())
        return;
    m_history.Add(m_carry);
    m_carry.clear();
    emit StateChanged();
}

void KonsoleSession::Stop() {
    // Waiting input is dropped; the evaluation that runs is ended.
    m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                 [](const Op &op) { return op.kind == Op::Evaluate; }),
                  m_queue.end());
    if (Evaluating())
        m_engine.Stop();
    emit StateChanged();
}

void KonsoleSession::ResetState() {
    m_carry.clear();
    Stop();
    m_queue.append({Op::Reset, {}, QStringLiteral("Konsole zurückgesetzt")});
    if (m_failed)
        Open();
    pump();
    emit StateChanged();
}

void KonsoleSession::ClearTranscript() {
    m_transcript.Clear();
    emit Cleared();
}

void KonsoleSession::followClassFolder() {
    if (!m_folderSource)
        return;
    const QString folder = m_folderSource();
    if (folder.isEmpty() || m_watch.Folders().contains(folder))
        return;
    m_watch.Watch(folder);
    if (m_watch.Folders().contains(folder))
        m_queue.prepend({Op::ClassPath, folder, {}});
}

void KonsoleSession::pump() {
    if (m_running || m_queue.isEmpty() || !m_engine.IsReady())
        return;
    if (m_queue.first().kind == Op::Evaluate) {
        followClassFolder();
        // Not every file system reports a class file written over: look now, so input
        // never meets the old classes after a compile.
        m_checking = true;
        m_watch.CheckNow();
        m_checking = false;
    }
    const Op op = m_queue.takeFirst();
    m_running = true;
    m_runningKind = op.kind;
    m_runningText = op.text;
    m_runningNote = op.note;
    switch (op.kind) {
    case Op::Evaluate:
        setStatus(Running);
        m_engine.Evaluate(op.text);
        break;
    case Op::Reset:
        m_engine.Reset();
        break;
    case Op::ClassPath:
        m_engine.SetClassPath({op.text});
        break;
    }
}

void KonsoleSession::onFinished(KonsoleOutcome outcome) {
    if (!m_running)
        return;
    m_running = false;
    if (m_runningKind == Op::Evaluate) {
        if (outcome == KonsoleOutcome::Incomplete) {
            // Nothing of it ran: it waits for its next line, which a queued one may be.
            m_carry = m_runningText;
            if (!m_queue.isEmpty() && m_queue.first().kind == Op::Evaluate) {
                m_queue.first().text = m_carry + u'\n' + m_queue.first().text;
                m_carry.clear();
            }
        } else {
            m_history.Add(m_runningText);
        }
        if (outcome == KonsoleOutcome::Stopped)
            appendLine(KonsoleText::Note, QStringLiteral("Angehalten."));
    } else if (m_runningKind == Op::Reset && outcome != KonsoleOutcome::Restarted) {
        appendLine(KonsoleText::Note, m_runningNote);
    }
    setStatus(ReadyText);
    pump();
    emit StateChanged();
    if (!Busy())
        emit Idle();
}

void KonsoleSession::onFailed(const QString &message) {
    m_failed = true;
    appendLine(KonsoleText::Error, message);
    if (m_running && m_runningKind == Op::Evaluate)
        m_history.Add(m_runningText);
    m_running = false;
    for (const Op &op : std::as_const(m_queue))
        if (op.kind == Op::Evaluate)
            m_history.Add(op.text);
    m_queue.clear();
    m_carry.clear();
    setStatus(QStringLiteral("Java läuft nicht"));
    emit Idle();
}

void KonsoleSession::onRecompiled() {
    // Objects of the old classes cannot live on with the new ones: a fresh state.
    for (const Op &op : std::as_const(m_queue))
        if (op.kind == Op::Reset)
            return;
    // Before any input that waits: it means the new classes.
    m_queue.prepend({Op::Reset, {}, QStringLiteral("Klassen neu geladen")});
    if (!m_checking)
        pump();
}
