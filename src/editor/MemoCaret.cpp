#include "MemoCaret.h"

#include <QTextCursor>

int MemoCaret::caret() const {
    return m_memo ? m_memo->textCursor().selectionStart() : 0;
}

void MemoCaret::setCaret(int offset) {
    if (!m_memo)
        return;
    QTextCursor cursor = m_memo->textCursor();
    cursor.setPosition(offset);
    m_memo->setTextCursor(cursor);
}
