#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The non-modal replace dialog of an editor window: search text, replace text, match case
// and whole word, kept from one use to the next as long as the window keeps it. It searches
// downwards.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget *parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString &text);
    QString ReplaceText() const;
    void SetReplaceText(const QString &text);
    bool MatchCase() const;
    bool WholeWord() const;

    QLineEdit *FindEdit() const { return m_find; }
    QLineEdit *ReplaceEdit() const { return m_replace; }
    QCheckBox *MatchCaseBox() const { return m_matchCase; }
    QCheckBox *WholeWordBox() const { return m_wholeWord; }
    QPushButton *FindButton() const { return m_findButton; }
    QPushButton *ReplaceButton() const { return m_replaceButton; }
    QPushButton *ReplaceAllButton() const { return m_replaceAllButton; }

signals:
    void Find();
    // The replace (all false) or the replace-all button (all true) was pressed.
    void Replace(bool all);

private:
    QLineEdit *m_find;
    QLineEdit *m_replace;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QPushButton *m_findButton;
    QPushButton *m_replaceButton;
    QPushButton *m_replaceAllButton;
};
