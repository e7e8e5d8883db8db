#include "WindowLiveCheck.h"

#include "common/CommandGuard.h"
#include "common/Helpers.h"
#include "common/Memo.h"
#include "EditorHost.h"
#include "javarun/BuildSteps.h"
#include "javarun/LiveCheckServer.h"
#include "javarun/WarmCompileRules.h"
#include "MDIQuill.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTextDocument>

namespace {

// How long the text must rest before it is checked.
constexpr int PauseMs = 600;

// The text of a document with '\n' between lines, exactly as held: its positions are the
// document's positions.
QString RawText(const QTextDocument &document) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

// The file a window's text is checked as: its file, or for a new window the name it was
// given, in the folder it will be saved in.
QString CheckedFileName(const TFMDIQuill &window) {
    if (window.Document().hasFile())
        return window.FileName();
    if (window.FileDir().isEmpty() || window.FileBase().isEmpty())
        return QString();
    return window.FileDir() + window.FileBase() + window.FileExt();
}

} // namespace

WindowLiveCheck::WindowLiveCheck(TFMDIQuill &window, EditorHost &host)
    : QObject(&window), m_window(window), m_host(host),
      m_marks(*window.ActiveMemo()->document(), window.Marks()) {
    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    ConnectCommand(&m_pause, &QTimer::timeout, this, &WindowLiveCheck::CheckNow);
    ConnectCommand(window.ActiveMemo()->document(), &QTextDocument::contentsChange, this,
                   [this](int, int removed, int added) {
                       // Colours and other formats change no text.
                       if (removed != 0 || added != 0)
                           TextChanged();
                   });
    m_server = m_host.LiveChecks();
    if (m_server)
        ConnectCommand(m_server.data(), &LiveCheckServer::Checked, this,
                       &WindowLiveCheck::Answered);
}

WindowLiveCheck::~WindowLiveCheck() {
    // The frame may be going already; the server tells by itself whether it still is.
    if (m_server)
        m_server->Forget(this);
}

bool WindowLiveCheck::Enabled() const {
    return Settings::FehlerBeimSchreibenMarkieren && m_server &&
           IsCheckedSource(CheckedFileName(m_window)) && m_server->Usable(Settings::Compiler);
}

void WindowLiveCheck::TextChanged() {
    ++m_edits;
    if (Settings::FehlerBeimSchreibenMarkieren && m_server)
        m_pause.start();
}

void WindowLiveCheck::SettingsChanged() {
    if (!Settings::FehlerBeimSchreibenMarkieren) {
        m_pause.stop();
        if (m_server)
            m_server->Forget(this);
        if (!m_marks.IsEmpty()) {
            m_marks.Clear();
            emit MarksChanged();
        }
        return;
    }
    m_pause.start();
}

std::optional<CheckRequest> WindowLiveCheck::Request() const {
    const QString fileName = CheckedFileName(m_window);
    const QString folder = QFileInfo(fileName).absolutePath();
    // A text too long for a request is not even copied (a character is a byte at least).
    if (fileName.isEmpty() || !QFileInfo(folder).isDir() ||
        m_window.Document().text().characterCount() > MaxCheckTextBytes)
        return std::nullopt;
    const QString encoding = m_window.FileFormat().encoding == TextEncoding::Windows1252
                                 ? QStringLiteral("windows-1252")
                                 : QStringLiteral("UTF-8");
    const std::optional<QStringList> options =
        CheckOptions(Settings::CompilerParameter, encoding, CompileClassPath(),
                     LocaleIsUtf8(QProcessEnvironment::systemEnvironment()));
    if (!options)
        return std::nullopt;
    CheckRequest request;
    request.folder = folder;
    request.options = *options;
    request.main = {QFileInfo(fileName).absoluteFilePath(), RawText(m_window.Document().text())};
    // Other windows of the folder with changes not saved stand in for their files.
    QList<CheckText> candidates;
    for (const TFMDIQuill *other : m_host.EditorWindows())
        if (other != &m_window && other->Document().hasFile() && other->Modified())
            candidates.append({other->FileName(), RawText(other->Document().text())});
    request.others = CheckTextsOfFolder(folder, request.main.fileName, candidates);
    return request;
}

void WindowLiveCheck::CheckNow() {
    CheckOwnText();
    if (!Enabled())
        return;
    const QString folder = QFileInfo(CheckedFileName(m_window)).absolutePath();
    for (TFMDIQuill *other : m_host.EditorWindows()) {
        if (other == &m_window || other->LiveCheck().Marks().IsEmpty())
            continue;
        const QString otherFile = CheckedFileName(*other);
        if (!otherFile.isEmpty() && SameFileName(QFileInfo(otherFile).absolutePath(), folder))
            other->LiveCheck().CheckOwnText();
    }
}

void WindowLiveCheck::CheckOwnText() {
    m_pause.stop();
    if (!Enabled())
        return;
    const std::optional<CheckRequest> request = Request();
    if (request)
        m_server->Check(this, m_edits, Settings::Compiler, *request);
}

void WindowLiveCheck::Answered(const QObject *owner, quint64 ticket,
                               const QList<CheckedMessage> &messages) {
    if (owner != this || ticket != m_edits || !Settings::FehlerBeimSchreibenMarkieren)
        return;
    m_marks.Show(messages, m_host.Explanations());
    emit MarksChanged();
}

void WindowLiveCheck::ShowCompile(const CompileResult &result) {
    if (!Settings::FehlerBeimSchreibenMarkieren || !result.ended ||
        !m_window.Document().hasFile() || m_window.Modified())
        return;
    m_marks.Show(CompileMessagesFor(result.diagnostics, m_window.FileName()),
                 m_host.Explanations());
    emit MarksChanged();
}
