#pragma once

#include "editor/UndoDocument.h"
#include "editor/UndoHistory.h"

#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPointer>

// The undo history of one editor window bound to its active text control: it follows the
// control's document changes, and switches the control's own undo off so that only this
// history answers undo and redo.
class MemoUndo : private UndoDocument {
public:
    MemoUndo();
    ~MemoUndo() override;
    MemoUndo(const MemoUndo &) = delete;
    MemoUndo &operator=(const MemoUndo &) = delete;

    // The control the history works on from now on (the active one); nullptr detaches.
    void setMemo(QPlainTextEdit *memo);
    QPlainTextEdit *memo() const { return m_memo; }

    UndoHistory &history() { return m_history; }
    const UndoHistory &history() const { return m_history; }

private:
    int length() const override;
    QString text(int position, int count) const override;
    void replace(int position, int count, const QString &text) override;
    int caret() const override;
    void setCaret(int offset) override;
    void setModified() override;

    QPointer<QPlainTextEdit> m_memo;
    QMetaObject::Connection m_connection;
    UndoHistory m_history;
};
