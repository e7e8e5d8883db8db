#pragma once

#include "javahelp/Completion.h"

#include <QFrame>
#include <QPointer>

class QListWidget;
class QPlainTextEdit;

// The completion list under the caret of a text control. Up and Down choose, Enter or Tab
// insert, Esc closes; other keys go to the text control and narrow the list to the word
// typed so far (a key that leaves the word closes it). The popup deletes itself on close.
class CompletionPopup : public QFrame {
    Q_OBJECT
public:
    CompletionPopup(QPlainTextEdit *memo, const CompletionResult &result);

    // Shows the list below the caret and takes the keys.
    void showAtCaret();
    QListWidget *list() const { return m_list; }
    // The candidates now shown, in list order.
    const QList<CompletionCandidate> &shown() const { return m_shown; }

signals:
    // The learner chose `candidate` for the word from `wordStart` to the caret.
    void chosen(const CompletionCandidate &candidate, qsizetype wordStart);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill(const QList<CompletionCandidate> &candidates);
    void choose();
    // After a key went to the text control: narrows to the word now typed, or closes.
    void followText();

    QPointer<QPlainTextEdit> m_memo;
    QListWidget *m_list = nullptr;
    QList<CompletionCandidate> m_all;
    QList<CompletionCandidate> m_shown;
    qsizetype m_wordStart = 0;
};
