// The view switch of the editor window: both views show the one document, so a switch moves
// no text; towards the colour view the tabs become two spaces.

#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "DocumentEdits.h"
#include "SwitchView.h"

#include <QTextCursor>
#include <QTextDocument>

void TFMDIQuill::SwitchViewTo(bool color) {
    const EditorView shown =
        m_activeMemo == m_memoColor ? EditorView::Color : EditorView::Monochrome;
    const EditorView wanted = color ? EditorView::Color : EditorView::Monochrome;
    QTextDocument &text = m_doc.text();
    const int leftAt = m_leftAtRevision[color ? 0 : 1];
    std::vector<qsizetype> tabs;
    if (wanted == EditorView::Color && shown != wanted)
        tabs = TabPositions(SearchSource());
    const ViewSwitch change =
        SwitchView(shown, wanted, !tabs.empty(), leftAt < 0 || leftAt != text.revision());
    if (!change.Switch)
        return;
    TMemo *old = m_activeMemo;
    TMemo *target = color ? static_cast<TMemo *>(m_memoColor) : m_memoSW;
    // The view left behind shows the text as it is now, tabs and all.
    m_leftAtRevision[color ? 1 : 0] = text.revision();
    if (change.ReplaceTabs) {
        // One step of the history of its own: undo gives the tabs back at once.
        m_doc.undo().SaveUndoState();
        ReplaceRanges(text, tabs, 1, QStringLiteral("  "));
        text.setModified(true);
        m_doc.undo().SaveUndoState();
    }
    if (change.CaretToStart) {
        QTextCursor cursor(&text);
        target->setTextCursor(cursor);
    }
    target->SetMaxLength(old->MaxLength());
    SetActiveMemo(target);
}

void TFMDIQuill::MnSetMemoColorClick() {
    SwitchViewTo(true);
    m_memoColor->setFocus();
}

void TFMDIQuill::MnSerMemoSWClick() {
    SwitchViewTo(false);
    m_memoSW->setFocus();
}
