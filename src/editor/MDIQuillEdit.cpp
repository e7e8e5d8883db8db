// The window's editing commands, caret text and undo: thin slots over EditCommands and the
// undo history.
#include "MDIQuill.h"

#include "common/Memo.h"
#include "editor/EditCommands.h"
#include "settings/Settings.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

namespace {

// Selects `length` characters from `start` (before it when negative), clipped to the text.
void SetSelection(TMemo *memo, EditCommands::Selection selection) {
    const int end = memo->document()->characterCount() - 1;
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(std::clamp(selection.start, 0, end));
    cursor.setPosition(std::clamp(selection.start + selection.length, 0, end),
                       QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

void Remove(TMemo *memo, const EditCommands::TextEdit &edit) {
    QTextCursor cursor(memo->document());
    cursor.setPosition(edit.position);
    cursor.setPosition(edit.position + edit.removed, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    memo->setTextCursor(cursor);
}

} // namespace

// --- Caret text and undo snapshots ---

void TFMDIQuill::ShowCaretText() {
    // While the program is stopped, the panel says where, whatever the caret does.
    if (!m_debugStatus.isEmpty()) {
        SetStatusPanel(0, m_debugStatus);
        return;
    }
    const int start = m_activeMemo->textCursor().selectionStart();
    const QTextBlock block = m_activeMemo->document()->findBlock(start);
    const QString checked = CheckStatusText();
    SetStatusPanel(0, checked.isEmpty()
                          ? EditCommands::CaretText(block.blockNumber(), start - block.position())
                          : checked);
}

void TFMDIQuill::MemoColorKeyUp() {
    ShowCaretText();
    if (Settings::UndoMitKeyUp && !m_skipSnapshot)
        m_doc.undo().SaveUndoState();
}

void TFMDIQuill::MemoSWKeyUp() {
    MemoColorKeyUp();
}

void TFMDIQuill::MemoColorMouseUp() {
    ShowCaretText();
}

void TFMDIQuill::MemoSWMouseUp() {
    ShowCaretText();
}

void TFMDIQuill::TimerUndoTimer() {
    m_doc.undo().SaveUndoState();
}

void TFMDIQuill::ConfigureUndoTimer() {
    if (Settings::UndoMitKeyUp) {
        m_timerUndo->stop();
        return;
    }
    // Loading keeps the interval within the dialog's range; held to it here as well, so
    // that the milliseconds can neither overflow nor keep the timer firing without pause.
    const int interval = std::clamp(Settings::UndoTimerIntervall, Settings::UndoTimerIntervallMin,
                                    Settings::UndoTimerIntervallMax) *
                         1000;
    // A running timer with that interval keeps counting; a restart would delay the snapshot.
    if (!m_timerUndo->isActive() || m_timerUndo->interval() != interval)
        m_timerUndo->start(interval);
}

void TFMDIQuill::MnRueckgaengigClick() {
    m_doc.undo().Undo();
}

void TFMDIQuill::MnWiderrufenClick() {
    m_doc.undo().Redo();
}

// --- Selection and lines ---

void TFMDIQuill::MnAllesmarkierenClick() {
    m_activeMemo->selectAll();
}

void TFMDIQuill::MnBlockLoeschenClick() {
    m_activeMemo->textCursor().removeSelectedText();
    m_activeMemo->SetModified(true);
}

void TFMDIQuill::MnAktuelleZeileloeschenClick() {
    const QTextDocument *document = m_activeMemo->document();
    const QTextBlock block = document->findBlock(m_activeMemo->textCursor().selectionStart());
    const bool last = !block.next().isValid();
    if (const auto edit = EditCommands::DeleteLine(block.position(), block.length() - 1, !last,
                                                   !(last && block.length() == 1)))
        Remove(m_activeMemo, *edit);
}

void TFMDIQuill::MnZeilebisEndeLoeschenClick() {
    const int caret = m_activeMemo->textCursor().selectionStart();
    const QTextBlock block = m_activeMemo->document()->findBlock(caret);
    if (const auto edit =
            EditCommands::DeleteToLineEnd(caret, block.position(), block.length() - 1))
        Remove(m_activeMemo, *edit);
}

void TFMDIQuill::ShiftBlock(bool right) {
    const QTextCursor selection = m_activeMemo->textCursor();
    const EditCommands::Selection before{selection.selectionStart(),
                                         selection.selectionEnd() - selection.selectionStart()};
    const QTextDocument *document = m_activeMemo->document();
    const QTextBlock first = document->findBlock(before.start);
    const QTextBlock last = document->findBlock(before.start + before.length);
    QStringList lines;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        lines << block.text();
        if (block == last)
            break;
    }
    const EditCommands::BlockResult result =
        right ? EditCommands::BlockRight(lines, before) : EditCommands::BlockLeft(lines, before);
    // Only the first character of a line changes: one edit per line, undone as one change.
    QTextCursor cursor(m_activeMemo->document());
    cursor.beginEditBlock();
    QTextBlock block = first;
    for (qsizetype i = 0; i < lines.size(); ++i, block = block.next()) {
        cursor.setPosition(block.position());
        if (result.lines[i].size() > lines[i].size()) {
            cursor.insertText(QStringLiteral(" "));
        } else if (result.lines[i].size() < lines[i].size()) {
            cursor.setPosition(block.position() + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
    cursor.endEditBlock();
    SetSelection(m_activeMemo, result.selection);
}

void TFMDIQuill::MnBlocknachlinksClick() {
    ShiftBlock(false);
}

void TFMDIQuill::MnBlocknachrechtsClick() {
    ShiftBlock(true);
}

void TFMDIQuill::MnGehezuClick() {
    const std::optional<QString> answer =
        ui().inputText(QStringLiteral("Gehe Zu"), QStringLiteral("gewünschte Zeile"), QString());
    if (!answer)
        return;
    const QTextDocument *document = m_activeMemo->document();
    const int lines =
        EditCommands::LineCount(document->blockCount(), document->lastBlock().length() - 1);
    if (const std::optional<int> line = EditCommands::GoToLine(*answer, lines))
        SetSelection(m_activeMemo, {document->findBlockByNumber(*line).position(), 1});
}
