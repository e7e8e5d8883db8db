// The debugger's share of the editor window: the "&Debuggen" items, the breakpoint and
// current-line marks. The frame's DebugSession decides; the window shows.

#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "debugger/DebugSession.h"
#include "EditorHost.h"
#include "WindowBuildTarget.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

const QColor CurrentLineColor(255, 236, 110);

} // namespace

void TFMDIQuill::CreateDebugCommands() {
    m_memoColor->OnGutterClick = [this](TColorMemo *, int line) { ToggleBreakpointAt(line); };
    const DebugSession *debugging = m_host.Debugging();
    ShowDebugState(debugging ? debugging->State() : DebugState::Idle);
}

void TFMDIQuill::ShowDebugState(DebugState state) {
    m_commandMenus.setEnabled(CommandEnabled::WhileNotDebugging, state == DebugState::Idle);
    m_commandMenus.setEnabled(CommandEnabled::WhileDebugStopped, state == DebugState::Stopped);
}

void TFMDIQuill::MnDebuggenStartenClick() {
    DebugSession *debugging = m_host.Debugging();
    if (!debugging) {
        ui().messageBox(MsgIcon::Warning, QStringLiteral("Hinweis"),
                        QStringLiteral("Der Debugger ist nicht verfügbar."), {MsgButton::Ok});
        return;
    }
    WindowBuildTarget target(*this);
    debugging->Start(target);
}

void TFMDIQuill::MnFortsetzenClick() {
    if (DebugSession *debugging = m_host.Debugging())
        debugging->Resume();
}

void TFMDIQuill::MnUeberspringenClick() {
    if (DebugSession *debugging = m_host.Debugging())
        debugging->StepOver();
}

void TFMDIQuill::MnHineinspringenClick() {
    if (DebugSession *debugging = m_host.Debugging())
        debugging->StepInto();
}

void TFMDIQuill::MnRuecksprungClick() {
    if (DebugSession *debugging = m_host.Debugging())
        debugging->StepOut();
}

void TFMDIQuill::MnHaltepunktClick() {
    ToggleBreakpointAt(m_activeMemo->textCursor().blockNumber());
}

void TFMDIQuill::ToggleBreakpointAt(int line) {
    if (line < 0 || line >= m_doc.text().blockCount())
        return;
    DebugSession *debugging = m_host.Debugging();
    // A document without a file keeps its marks to itself until it is saved.
    if (debugging && m_doc.hasFile()) {
        debugging->ToggleBreakpoint(FileName(), line + 1);
        return;
    }
    QList<int> lines = BreakpointLines();
    if (lines.contains(line + 1))
        lines.removeAll(line + 1);
    else
        lines << line + 1;
    SetBreakpointLines(lines);
}

QList<int> TFMDIQuill::BreakpointLines() const {
    QList<int> lines;
    for (const LineMarkAt &at : m_doc.marks().All())
        if (at.mark.kind == LineMarkKind::Breakpoint)
            lines << at.line + 1;
    return lines;
}

void TFMDIQuill::SetBreakpointLines(const QList<int> &lines) {
    Marks().RemoveKind(LineMarkKind::Breakpoint);
    for (const int line : lines)
        Marks().Set(line - 1, LineMarkKind::Breakpoint, QStringLiteral("Haltepunkt"));
    m_memoColor->RepaintGutter();
}

void TFMDIQuill::ShowCurrentLine(int line) {
    Marks().RemoveKind(LineMarkKind::CurrentLine);
    const QTextBlock block = m_doc.text().findBlockByNumber(line - 1);
    if (block.isValid()) {
        Marks().Set(line - 1, LineMarkKind::CurrentLine, QString());
        QTextCursor cursor(&m_doc.text());
        cursor.setPosition(block.position());
        m_activeMemo->setTextCursor(cursor);
        m_activeMemo->ensureCursorVisible();
        m_activeMemo->setFocus();
    }
    m_memoColor->RepaintGutter();
    ShowBracketBoxes();
}

void TFMDIQuill::ClearCurrentLine() {
    if (m_doc.marks().All().isEmpty())
        return;
    Marks().RemoveKind(LineMarkKind::CurrentLine);
    m_memoColor->RepaintGutter();
    ShowBracketBoxes();
}

void TFMDIQuill::ShowDebugStatus(const QString &text) {
    m_debugStatus = text;
    ShowCaretText();
}

QList<QTextEdit::ExtraSelection> TFMDIQuill::CurrentLineSelections() const {
    QList<QTextEdit::ExtraSelection> selections;
    for (const LineMarkAt &at : m_doc.marks().All()) {
        if (at.mark.kind != LineMarkKind::CurrentLine)
            continue;
        QTextEdit::ExtraSelection bar;
        bar.cursor = QTextCursor(m_doc.text().findBlockByNumber(at.line));
        bar.format.setBackground(CurrentLineColor);
        bar.format.setProperty(QTextFormat::FullWidthSelection, true);
        selections << bar;
    }
    return selections;
}
