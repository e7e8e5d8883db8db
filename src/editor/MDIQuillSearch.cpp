// Find, find again, replace and the incremental search of the editor window.

#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "common/CommandGuard.h"
#include "common/Helpers.h"
#include "DocumentEdits.h"
#include "DocumentMirror.h"
#include "FindDialog.h"
#include "ReplaceDialog.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>

FindDialog *TFMDIQuill::FindDialog1() {
    if (!m_findDialog) {
        m_findDialog = new FindDialog(this);
        m_findDialog->setObjectName(QStringLiteral("FindDialog1"));
        ConnectCommand(m_findDialog, &FindDialog::Find, this, &TFMDIQuill::FindDialog1Find);
    }
    return m_findDialog;
}

ReplaceDialog *TFMDIQuill::ReplaceDialog1() {
    if (!m_replaceDialog) {
        m_replaceDialog = new ReplaceDialog(this);
        m_replaceDialog->setObjectName(QStringLiteral("ReplaceDialog1"));
        ConnectCommand(m_replaceDialog, &ReplaceDialog::Find, this,
                       &TFMDIQuill::ReplaceDialog1Find);
        ConnectCommand(m_replaceDialog, &ReplaceDialog::Replace, this,
                       &TFMDIQuill::ReplaceDialog1Replace);
    }
    return m_replaceDialog;
}

void TFMDIQuill::ShowSearchMessages(const std::vector<SearchMessage> &messages) {
    for (const SearchMessage &message : messages)
        ShowWarningBox(message.Caption, message.Text);
}

const TextSource &TFMDIQuill::SearchSource() {
    return m_doc.searchSource();
}

void TFMDIQuill::SelectInActive(qsizetype start, qsizetype length) {
    QTextCursor cursor = m_activeMemo->textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    m_activeMemo->setTextCursor(cursor);
    m_activeMemo->ensureCursorVisible();
}

void TFMDIQuill::SearchText(const QString &text, bool matchCase, bool down) {
    SearchInActive({text, matchCase, down});
}

bool TFMDIQuill::SearchForReplace(const QString &text, const QString &, bool down, bool matchCase) {
    return SearchInActive({text, matchCase, down});
}

bool TFMDIQuill::SearchInActive(const SearchRequest &request) {
    const TextSource &source = SearchSource();
    const SearchOutcome outcome =
        SearchFromCaret(source, m_activeMemo->textCursor().selectionStart(), request);
    if (outcome.Found) {
        m_activeMemo->setFocus();
        SelectInActive(outcome.Position, outcome.Length);
    }
    ShowSearchMessages(outcome.Messages);
    return outcome.Found;
}

void TFMDIQuill::MnSuchenClick() {
    FindDialog *dialog = FindDialog1();
    const TextSource &source = SearchSource();
    const QString word = WordAtCaret(source, m_activeMemo->textCursor().selectionStart());
    dialog->Present(word);
}

void TFMDIQuill::FindDialog1Find() {
    m_findDialog->close();
    SearchInActive(m_findDialog->Request());
}

void TFMDIQuill::MnWeitersuchenClick() {
    // Before the first find there is no text to search for: nothing happens.
    if (!m_findDialog)
        return;
    m_findDialog->close();
    SearchInActive(m_findDialog->Request());
}

void TFMDIQuill::MnSuchenErsetzenClick() {
    ReplaceDialog *dialog = ReplaceDialog1();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TFMDIQuill::ReplaceDialog1Find() {
    SearchInActive({m_replaceDialog->FindText(), m_replaceDialog->MatchCase(), true,
                    m_replaceDialog->WholeWord()});
}

void TFMDIQuill::ReplaceDialog1Replace(bool all) {
    const QString replacement = m_replaceDialog->ReplaceText();
    const QTextCursor cursor = m_activeMemo->textCursor();
    ReplaceOutcome outcome;
    {
        const TextSource &source = SearchSource();
        outcome = PlanReplace(source, cursor.selectionStart(),
                              cursor.selectionEnd() - cursor.selectionStart(),
                              m_replaceDialog->FindText(), replacement,
                              m_replaceDialog->MatchCase(), all, m_replaceDialog->WholeWord());
    }
    if (!outcome.Searched)
        return;
    // Every replacement in one edit, however many there are.
    ReplaceRanges(*m_activeMemo->document(), outcome.Positions, outcome.Length, replacement);
    if (outcome.Found || !outcome.Positions.empty())
        m_activeMemo->setFocus();
    if (outcome.SelectStart >= 0)
        SelectInActive(outcome.SelectStart, outcome.SelectLength);
    if (!outcome.Status.isEmpty())
        SetStatusPanel(2, outcome.Status);
    ShowSearchMessages(outcome.Messages);
}

// --- Incremental search ---

void TFMDIQuill::MnIncrementielleSucheClick() {
    // Ctrl+I (or the menu item) while searching goes to the next match.
    if (IncrementalSearchGoesOn()) {
        ApplyIncremental(m_incrementalSearch.Next(SearchSource()));
        return;
    }
    m_statusBar->setVisible(true);
    const QTextCursor cursor = m_activeMemo->textCursor();
    m_incrementalSearch.Start(
        {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()});
    m_incrementalMemo = m_activeMemo;
    m_incrementalRevision = m_activeMemo->document()->revision();
    SetStatusPanel(0, m_incrementalSearch.Prompt());
    SetStatusPanel(1, QString());
    SetStatusPanel(2, IncrementalSearch::EndHint());
    m_activeMemo->viewport()->update();
    // The typed characters reach the search through the text control's keys.
    m_activeMemo->setFocus();
    BeepTimes(1);
}

bool TFMDIQuill::IncrementalSearchGoesOn() {
    if (!m_incrementalSearch.IsActive())
        return false;
    // A search whose text or control changed under it (a command from the menu, a view
    // switch) is over: its positions no longer hold.
    if (m_incrementalMemo == m_activeMemo &&
        m_incrementalRevision == m_activeMemo->document()->revision())
        return true;
    ApplyIncremental(m_incrementalSearch.End());
    return false;
}

void TFMDIQuill::ApplyIncremental(const IncrementalSearch::Reaction &reaction) {
    if (reaction.Select)
        SelectInActive(reaction.Range.Start, reaction.Range.Length);
    if (reaction.Ended) {
        SetStatusPanel(2, QString());
        ShowCaretText();
    } else if (m_incrementalSearch.IsActive()) {
        SetStatusPanel(0, m_incrementalSearch.Prompt());
    }
    if (reaction.Beep)
        BeepTimes(1);
}

bool TFMDIQuill::IncrementalSearchEvent(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress &&
        (watched == m_memoColor->viewport() || watched == m_memoSW->viewport())) {
        // A click ends the search and then goes on as usual.
        RunCommand([&] { ApplyIncremental(m_incrementalSearch.End()); });
        return false;
    }
    if (watched != m_memoColor && watched != m_memoSW)
        return false;
    // A key the user gave to compiling or running does that, whatever the search would do.
    const auto isBuildKey = [this](const QKeyEvent *key) {
        return IsBuildKey(QKeySequence(
            QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()))));
    };
    switch (type) {
    case QEvent::ShortcutOverride: {
        // Keys the search uses must arrive as key presses, not as the shortcut of an item.
        const auto *key = static_cast<QKeyEvent *>(event);
        const IncrementalSearch::Key kind =
            IncrementalSearch::Classify(key->key(), key->modifiers(), key->text());
        if (kind == IncrementalSearch::Key::Leave || kind == IncrementalSearch::Key::Ignore ||
            isBuildKey(key))
            return false;
        event->accept();
        return true;
    }
    case QEvent::KeyPress: {
        if (!IncrementalSearchGoesOn())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isBuildKey(key)) {
            RunCommand([&] { ApplyIncremental(m_incrementalSearch.End()); });
            return false;
        }
        bool consumed = true;
        RunCommand([&] {
            const IncrementalSearch::Reaction reaction = m_incrementalSearch.KeyPressed(
                SearchSource(), key->key(), key->modifiers(), key->text());
            consumed = reaction.Consumed;
            ApplyIncremental(reaction);
        });
        return consumed;
    }
    case QEvent::KeyRelease:
        // The prompt stays: no caret text (nor an undo snapshot) for the keys of the search,
        // the release of the Ctrl+I that started it included.
        return true;
    case QEvent::InputMethod: {
        if (!IncrementalSearchGoesOn())
            return false;
        const QString typed = static_cast<QInputMethodEvent *>(event)->commitString();
        RunCommand([&] { ApplyIncremental(m_incrementalSearch.Type(SearchSource(), typed)); });
        return true;
    }
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            RunCommand([&] { ApplyIncremental(m_incrementalSearch.End()); });
        return false;
    default:
        return false;
    }
}
