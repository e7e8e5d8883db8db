// Find, find again, replace and the incremental-search prompt of the editor window.

#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "common/CommandGuard.h"
#include "common/Helpers.h"
#include "DocumentEdits.h"
#include "DocumentMirror.h"
#include "FindDialog.h"
#include "ReplaceDialog.h"

#include <QStatusBar>
#include <QTextCursor>

FindDialog *TFMDIQuill::FindDialog1() {
    if (!m_findDialog) {
        m_findDialog = new FindDialog(this);
        m_findDialog->setObjectName(QStringLiteral("FindDialog1"));
        connect(m_findDialog, &FindDialog::Find, this, Guarded([this] { FindDialog1Find(); }));
    }
    return m_findDialog;
}

ReplaceDialog *TFMDIQuill::ReplaceDialog1() {
    if (!m_replaceDialog) {
        m_replaceDialog = new ReplaceDialog(this);
        m_replaceDialog->setObjectName(QStringLiteral("ReplaceDialog1"));
        connect(m_replaceDialog, &ReplaceDialog::Find, this,
                Guarded([this] { ReplaceDialog1Find(); }));
        connect(m_replaceDialog, &ReplaceDialog::Replace, this,
                Guarded([this](bool all) { ReplaceDialog1Replace(all); }));
    }
    return m_replaceDialog;
}

void TFMDIQuill::ShowSearchMessages(const std::vector<SearchMessage> &messages) {
    for (const SearchMessage &message : messages)
        ShowWarningBox(message.Caption, message.Text);
}

const TextSource &TFMDIQuill::SearchSource() {
    if (!m_mirror || m_mirror->document() != m_activeMemo->document())
        m_mirror = std::make_unique<DocumentMirror>(*m_activeMemo->document());
    return m_mirror->Source();
}

void TFMDIQuill::SelectInActive(qsizetype start, qsizetype length) {
    QTextCursor cursor = m_activeMemo->textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    m_activeMemo->setTextCursor(cursor);
    m_activeMemo->ensureCursorVisible();
}

void TFMDIQuill::SearchText(const QString &text, bool matchCase, bool down) {
    SearchForReplace(text, QString(), down, matchCase);
}

bool TFMDIQuill::SearchForReplace(const QString &text, const QString &, bool down, bool matchCase) {
    const TextSource &source = SearchSource();
    const SearchOutcome outcome = SearchFromCaret(
        source, m_activeMemo->textCursor().selectionStart(), {text, matchCase, down});
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
    if (!word.isEmpty())
        dialog->SetFindText(word);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TFMDIQuill::FindDialog1Find() {
    m_findDialog->close();
    const SearchRequest request = m_findDialog->Request();
    SearchText(request.Text, request.MatchCase, request.Down);
}

void TFMDIQuill::MnWeitersuchenClick() {
    // Before the first find there is no text to search for: nothing happens.
    if (!m_findDialog)
        return;
    m_findDialog->close();
    const SearchRequest request = m_findDialog->Request();
    SearchText(request.Text, request.MatchCase, request.Down);
}

void TFMDIQuill::MnSuchenErsetzenClick() {
    ReplaceDialog *dialog = ReplaceDialog1();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TFMDIQuill::ReplaceDialog1Find() {
    SearchForReplace(m_replaceDialog->FindText(), m_replaceDialog->ReplaceText(), true,
                     m_replaceDialog->MatchCase());
}

void TFMDIQuill::ReplaceDialog1Replace(bool all) {
    const QString replacement = m_replaceDialog->ReplaceText();
    const QTextCursor cursor = m_activeMemo->textCursor();
    ReplaceOutcome outcome;
    {
        const TextSource &source = SearchSource();
        outcome = PlanReplace(
            source, cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
            m_replaceDialog->FindText(), replacement, m_replaceDialog->MatchCase(), all);
    }
    if (!outcome.Searched)
        return;
    // Every replacement in one edit, however many there are.
    ReplaceRanges(*m_activeMemo->document(), outcome.Positions, outcome.Length, replacement);
    if (outcome.Found || !outcome.Positions.empty())
        m_activeMemo->setFocus();
    if (outcome.SelectStart >= 0)
        SelectInActive(outcome.SelectStart, outcome.SelectLength);
    ShowSearchMessages(outcome.Messages);
}

void TFMDIQuill::MnIncrementielleSucheClick() {
    m_statusBar->setVisible(true);
    const QStringList panels = IncrementalPrompt::Panels();
    for (int i = 0; i < panels.size(); ++i)
        SetStatusPanel(i, panels[i]);
    m_activeMemo->viewport()->update();
    m_incrementalPrompt.Start();
    BeepTimes(IncrementalPrompt::Beeps);
}
