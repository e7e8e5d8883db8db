// The build commands of the editor window: the window as the build commands see it.

#include "MDIQuill.h"

#include "common/DialogResult.h"
#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "debugger/DebugSession.h"
#include "editor/EditCommands.h"
#include "editor/TextFile.h"
#include "EditorHost.h"
#include "javarun/BuildCommands.h"
#include "settings/SettingsCommands.h"
#include "WindowBuildTarget.h"

#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {

// The status panel that shows the compile; it is free apart from after a file insert.
constexpr int BuildStatusPanel = 1;

// The text of a control with '\n' between lines, exactly as held.
QString RawText(const QPlainTextEdit *memo) {
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

} // namespace

bool WindowBuildTarget::HasFile() const {
    return m_window.Document().hasFile();
}
QString WindowBuildTarget::FileName() const {
    return m_window.FileName();
}
QString WindowBuildTarget::FileBase() const {
    return m_window.FileBase();
}
QString WindowBuildTarget::FileExt() const {
    return m_window.FileExt();
}
QString WindowBuildTarget::SourceEncoding() const {
    // The byte order mark is left to the compiler.
    return m_window.FileFormat().encoding == TextEncoding::Windows1252
               ? QStringLiteral("windows-1252")
               : QStringLiteral("UTF-8");
}
QString WindowBuildTarget::SourceText() const {
    return m_window.ActiveMemo()->toPlainText();
}
bool WindowBuildTarget::Modified() const {
    return m_window.Modified();
}
bool WindowBuildTarget::WriteForBuild() {
    return m_window.WriteForBuild();
}
void WindowBuildTarget::ShowBuildStatus(const QString &text) {
    if (!text.isEmpty())
        m_previousStatus = m_window.StatusPanel(BuildStatusPanel);
    m_window.SetStatusPanel(BuildStatusPanel, text.isEmpty() ? m_previousStatus : text);
}
QObject *WindowBuildTarget::LifetimeObject() {
    return &m_window;
}

void TFMDIQuill::MnCompilerClick() {
    WindowBuildTarget target(*this);
    ::MnCompilerClick(target, m_host.Builds());
}

void TFMDIQuill::MnRunClick() {
    WindowBuildTarget target(*this);
    ::MnRunClick(target, m_host.Builds());
}

void TFMDIQuill::MnProgrammBeendenClick() {
    StopProgram(m_host.Builds());
    if (DebugSession *debugging = m_host.Debugging())
        debugging->Finish();
}

void TFMDIQuill::MnSetMainJavaClick() {
    WindowBuildTarget target(*this);
    ::MnSetMainJava(target, m_host.Builds());
}

void TFMDIQuill::MnBuildAllerDateienClick() {
    BuildAll(m_host.Builds());
}

void TFMDIQuill::MnProgrammEinstellungenClick() {
    ShowEinstProgDialog(this);
}

bool TFMDIQuill::WriteForBuild() {
    QString error;
    if (!m_doc.writeForBuild(RawText(m_activeMemo), error)) {
        ShowError(error);
        return false;
    }
    m_activeMemo->SetModified(false);
    return true;
}

void TFMDIQuill::GoToSourcePlace(int line, int column, const QString &message) {
    TMemo *memo = m_activeMemo;
    const QTextBlock block = memo->document()->findBlockByNumber(line - 1);
    QTextCursor cursor(memo->document());
    if (block.isValid()) {
        if (column >= 0) {
            cursor.setPosition(block.position() + std::min(column, block.length() - 1));
        } else {
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        }
    } else {
        cursor.movePosition(QTextCursor::End);
    }
    memo->setTextCursor(cursor);
    memo->ensureCursorVisible();
    memo->setFocus();
    // The line carries what led here as an error mark in the gutter.
    if (block.isValid() && !message.isEmpty())
        Marks().Set(line - 1, LineMarkKind::Error, message);
    // The status bar names the line the panel led to, as after a click there.
    const QTextBlock start = memo->document()->findBlock(cursor.selectionStart());
    SetStatusPanel(0, EditCommands::CaretText(start.blockNumber(),
                                              cursor.selectionStart() - start.position()));
}
