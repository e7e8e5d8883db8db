#pragma once

#include "SearchLogic.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The non-modal find dialog of an editor window. It keeps its text and options from one use
// to the next as long as the window keeps it. The whole-word option is shown but cannot be
// chosen: the search has none.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString &text);
    bool MatchCase() const;
    bool Down() const;
    // The text and options as the search reads them.
    SearchRequest Request() const;

    QLineEdit *TextEdit() const { return m_text; }
    QCheckBox *WholeWordBox() const { return m_wholeWord; }
    QCheckBox *MatchCaseBox() const { return m_matchCase; }
    QRadioButton *UpButton() const { return m_up; }
    QRadioButton *DownButton() const { return m_down; }
    QPushButton *FindButton() const { return m_find; }

signals:
    // The find button was pressed.
    void Find();

private:
    QLineEdit *m_text;
    QCheckBox *m_wholeWord;
    QCheckBox *m_matchCase;
    QRadioButton *m_up;
    QRadioButton *m_down;
    QPushButton *m_find;
};
