// The frame's share of the debugger: the session, its panel beside the error panel, the
// tool buttons, and the windows as the session's host.
#include "TFMain.h"

#include "common/Memo.h"
#include "debugger/TFDebugPanel.h"
#include "editor/MDIQuill.h"
#include "FrameMenus.h"
#include "javarun/RunningPrograms.h"

#include <QLayout>
#include <QMdiArea>
#include <QSplitter>
#include <QToolButton>

#include <algorithm>

void TFMain::createDebugger() {
    m_debugHost = std::make_unique<FrameDebugHost>(*this);
    m_debugSession = std::make_unique<DebugSession>(*m_debugHost);
    // The panel goes beside the error panel, on a splitter of its own.
    auto *beside = new QSplitter(Qt::Horizontal, m_panelError);
    beside->setObjectName(QStringLiteral("SplitterDebug"));
    // The layout hands back the item it held the panel's text in: ours to delete.
    delete m_panelError->layout()->replaceWidget(m_memo1, beside);
    beside->addWidget(m_memo1);
    m_debugPanel = new TFDebugPanel(*m_debugSession, beside);
    beside->addWidget(m_debugPanel);
    beside->setStretchFactor(0, 1);
    beside->setStretchFactor(1, 1);
    m_debugPanel->hide();
    // The debugger's tool buttons make the row wider than the frame's smallest width; the
    // frame may still be made as narrow as before, the row's end is then cut off.
    m_panelButton->setMinimumWidth(std::max(0, m_panelButton->minimumSizeHint().width() - 200));
    // A new window shows the breakpoints its file had and the items as the debugging stands.
    ConnectCommand(this, &TFMain::editorWindowCreated, this, [this](TFMDIQuill *window) {
        window->ShowDebugState(m_debugSession->State());
        if (window->Document().hasFile())
            m_debugSession->DocumentOpened(window->FileName());
    });
    ShowDebugState(DebugState::Idle);
}

void TFMain::SetDebugEngine(DebugEngine *engine) {
    m_debugSession->SetEngine(engine);
    m_debugEngine.reset(engine);
}

bool TFMain::programToEnd(bool programsRunning) const {
    return programsRunning || (m_debugSession && m_debugSession->State() != DebugState::Idle);
}

void TFMain::ShowDebugState(DebugState state) {
    const bool idle = state == DebugState::Idle;
    const bool stopped = state == DebugState::Stopped;
    for (const CommandRow<TFMain> &row : FrameCommandRows()) {
        QToolButton *button = ToolButton(QString::fromLatin1(row.name));
        if (button && row.enabled == CommandEnabled::WhileNotDebugging)
            button->setEnabled(idle);
        if (button && row.enabled == CommandEnabled::WhileDebugStopped)
            button->setEnabled(stopped);
    }
    for (TFMDIQuill *window : EditorWindows())
        window->ShowDebugState(state);
    m_debugPanel->setVisible(!idle);
    const RunningPrograms *programs = m_workspace.Programs();
    showProgramRunning(programs && programs->AnyRunning());
}

void TFMain::BnDebuggenStartenClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnDebuggenStartenClick();
}

void TFMain::BnFortsetzenClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnFortsetzenClick();
}

void TFMain::BnUeberspringenClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnUeberspringenClick();
}

void TFMain::BnHineinspringenClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnHineinspringenClick();
}

void TFMain::BnRuecksprungClick() {
    if (TFMDIQuill *window = ActiveEditorWindow())
        window->MnRuecksprungClick();
}

// --- the session's host

BuildHost &FrameDebugHost::Builds() {
    return m_frame.Builds();
}

TFMDIQuill *FrameDebugHost::windowOf(const QString &fileName) const {
    for (TFMDIQuill *window : m_frame.EditorWindows())
        if (window->Document().holdsFile(fileName))
            return window;
    return nullptr;
}

std::optional<QList<int>> FrameDebugHost::BreakpointMarks(const QString &fileName) const {
    if (const TFMDIQuill *window = windowOf(fileName))
        return window->BreakpointLines();
    return std::nullopt;
}

void FrameDebugHost::SetBreakpointMarks(const QString &fileName, const QList<int> &lines) {
    for (TFMDIQuill *window : m_frame.EditorWindows())
        if (window->Document().holdsFile(fileName))
            window->SetBreakpointLines(lines);
}

bool FrameDebugHost::ShowCurrentLine(const QString &fileName, int line) {
    ClearCurrentLine();
    TFMDIQuill *window = windowOf(fileName);
    if (!window) {
        // A class of the program's folder that has no window yet.
        m_frame.OpenFileByName(fileName);
        window = windowOf(fileName);
    }
    if (!window)
        return false;
    m_frame.showWindow(window);
    window->ShowCurrentLine(line);
    return true;
}

void FrameDebugHost::ClearCurrentLine() {
    for (TFMDIQuill *window : m_frame.EditorWindows())
        window->ClearCurrentLine();
}

void FrameDebugHost::ShowDebugStatus(const QString &text) {
    if (text.isEmpty()) {
        for (TFMDIQuill *window : m_frame.EditorWindows())
            window->ShowDebugStatus(text);
    } else if (TFMDIQuill *window = m_frame.ActiveEditorWindow()) {
        window->ShowDebugStatus(text);
    }
}

void FrameDebugHost::ShowDebugState(DebugState state) {
    m_frame.ShowDebugState(state);
}
