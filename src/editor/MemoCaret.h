#pragma once

#include "editor/EditorDocument.h"

#include <QPlainTextEdit>
#include <QPointer>

// The caret of the text control the user works in, as the undo history of its document keeps
// it and puts it back.
class MemoCaret : public DocumentCaret {
public:
    // The control whose caret counts from now on; nullptr for none.
    void setMemo(QPlainTextEdit *memo) { m_memo = memo; }
    QPlainTextEdit *memo() const { return m_memo; }

    int caret() const override;
    void setCaret(int offset) override;

private:
    QPointer<QPlainTextEdit> m_memo;
};
