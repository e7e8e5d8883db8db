#include "Memo.h"

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool TMemo::Modified() const { return document()->isModified(); }

void TMemo::SetModified(bool modified) { document()->setModified(modified); }
