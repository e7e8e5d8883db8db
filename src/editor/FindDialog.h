#pragma once

#include "SearchLogic.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The non-modal find dialog of an editor window (and of the class reference). It keeps its
// text and options from one use to the next as long as its window keeps it.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString &text);
    bool MatchCase() const;
    bool Down() const;
    bool WholeWord() const;
    // Shows the dialog in front with its text selected, so that typing replaces it; a
    // non-empty `proposed` text becomes the search text first.
    void Present(const QString &proposed);
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
