// The window's help while typing code: indentation on Enter and `}`, boxes on matching
// brackets and the jump between them, line comments. Thin slots over the plain-text units.
#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "editor/BracketMatch.h"
#include "editor/DocumentEdits.h"
#include "settings/Settings.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString IndentStep() {
    return AutoIndent::Step(Settings::InEditMitTabs);
}

bool IsPlainEnter(const QKeyEvent *key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool IsCloseBrace(const QKeyEvent *key) {
    // AltGr, which types `}` on a German keyboard, may arrive as Ctrl+Alt.
    const Qt::KeyboardModifiers held = key->modifiers();
    const bool command =
        (held & Qt::MetaModifier) || ((held & Qt::ControlModifier) && !(held & Qt::AltModifier));
    return !command && key->text() == QLatin1String("}");
}

QTextEdit::ExtraSelection Box(QTextDocument *document, int position, const QColor &color) {
    QTextEdit::ExtraSelection box;
    box.cursor = QTextCursor(document);
    box.cursor.setPosition(position);
    box.cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    box.format.setBackground(color);
    return box;
}

} // namespace

bool TFMDIQuill::TypeWithIndent(TMemo *memo, const QKeyEvent *key) {
    if (!Settings::AutomatischEinruecken || memo->isReadOnly() || memo->overwriteMode())
        return false;
    QTextCursor cursor = memo->textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    if (IsPlainEnter(key)) {
        const AutoIndent::Enter plan = PlanEnter(cursor, IndentStep());
        // The line break with its indent is one insertion: whole or not at all.
        if (memo->FitsWhole(plan.inserted.size(), selected + plan.removeAfter)) {
            ApplyEnter(cursor, plan);
            memo->setTextCursor(cursor);
            memo->SetModified(true);
        }
        return true;
    }
    if (IsCloseBrace(key)) {
        const int dedent = PlanCloseBrace(cursor, IndentStep());
        if (dedent == 0)
            return false;
        ApplyCloseBrace(cursor, dedent);
        memo->setTextCursor(cursor);
        memo->SetModified(true);
        return true;
    }
    return false;
}

void TFMDIQuill::ShowBracketBoxes() {
    TMemo *other = m_activeMemo == m_memoSW ? static_cast<TMemo *>(m_memoColor) : m_memoSW;
    // The current line's bar and the check's underlines stand in both views, under the
    // boxes, which stand only in the active one.
    const QList<QTextEdit::ExtraSelection> shared = CurrentLineSelections() + CheckUnderlines();
    if (!other->extraSelections().isEmpty() || !shared.isEmpty())
        other->setExtraSelections(shared);
    const QTextCursor cursor = m_activeMemo->textCursor();
    QList<QTextEdit::ExtraSelection> boxes = shared;
    if (!cursor.hasSelection()) {
        QTextDocument *document = m_activeMemo->document();
        const BracketMatch::Result found = BracketMatch::Find(SearchSource(), cursor.position());
        if (found.status == BracketMatch::Status::Matched) {
            const QColor partner(160, 210, 255);
            boxes << Box(document, found.bracket, partner) << Box(document, found.partner, partner);
        } else if (found.status == BracketMatch::Status::Unmatched) {
            boxes << Box(document, found.bracket, QColor(255, 120, 120));
        }
    }
    m_activeMemo->setExtraSelections(boxes);
}

void TFMDIQuill::MnZurPassendenKlammerClick() {
    QTextCursor cursor = m_activeMemo->textCursor();
    const int caret =
        BracketMatch::CaretAfterJump(BracketMatch::Find(SearchSource(), cursor.position()));
    if (caret < 0)
        return;
    cursor.setPosition(caret);
    m_activeMemo->setTextCursor(cursor);
}

void TFMDIQuill::MnZeilenKommentierenClick() {
    if (m_activeMemo->isReadOnly())
        return;
    QTextCursor cursor = m_activeMemo->textCursor();
    ToggleLineComments(cursor);
    m_activeMemo->setTextCursor(cursor);
    m_activeMemo->SetModified(true);
}
