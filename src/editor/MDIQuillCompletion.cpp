// "Wort &vervollständigen": the completion list under the caret and the insert it makes.
#include "MDIQuill.h"

#include "common/CommandGuard.h"
#include "common/Memo.h"
#include "editor/CompletionPopup.h"
#include "editor/EditorHost.h"
#include "javahelp/Completion.h"

#include <QTextCursor>
#include <QTextDocument>

void TFMDIQuill::MnWortVervollstaendigenClick() {
    const CompletionIndex *classes = m_host.CompletionClasses();
    const CompletionIndex none;
    const CompletionResult result =
        Completion::candidatesAt(m_activeMemo->toPlainText(), m_activeMemo->textCursor().position(),
                                 classes ? *classes : none);
    if (result.candidates.isEmpty())
        return;
    if (result.candidates.size() == 1) {
        InsertCompletion(result.candidates.first(), result.wordStart);
        return;
    }
    auto *popup = new CompletionPopup(m_activeMemo, result);
    ConnectCommand(popup, &CompletionPopup::chosen, this, &TFMDIQuill::InsertCompletion);
    popup->showAtCaret();
}

void TFMDIQuill::InsertCompletion(const CompletionCandidate &candidate, qsizetype wordStart) {
    const Completion::Insertion insertion = Completion::insertionFor(candidate);
    QTextCursor cursor = m_activeMemo->textCursor();
    const int caret = cursor.position();
    if (wordStart > caret)
        return;
    // Snapshots before and after: one undo takes back exactly the insert.
    m_doc.undo().SaveUndoState();
    cursor.setPosition(int(wordStart));
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    cursor.insertText(insertion.text);
    cursor.setPosition(int(wordStart + insertion.caretOffset));
    m_activeMemo->setTextCursor(cursor);
    m_activeMemo->SetModified(true);
    m_doc.undo().SaveUndoState();
    m_activeMemo->setFocus();
    ShowCaretText();
}
