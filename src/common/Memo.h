#pragma once

#include <QPlainTextEdit>

// The plain multi-line text control of the program: a QPlainTextEdit with the behaviour the
// editor relies on (MaxLength on user input, the modified flag of its document).
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    // Limits how many characters the user can enter; 0 means no limit.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length) { m_maxLength = length; }

    bool Modified() const;
    void SetModified(bool modified);

    // Clipboard commands; a control may refuse some (the colouring control without
    // permission for cut and copy). Hosts call these rather than cut()/copy()/paste().
    virtual void CutToClipboard() { cut(); }
    virtual void CopyToClipboard() { copy(); }
    virtual void PasteFromClipboard() { paste(); }

private:
    int m_maxLength = 0;
};
