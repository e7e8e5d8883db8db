#pragma once

#include <QString>

// The text an undo history watches and restores: the active text control of a window, or a
// plain string in tests. Offsets count characters from the start, one per line break.
class UndoDocument {
public:
    virtual ~UndoDocument() = default;
    virtual int length() const = 0;
    // The characters [position, position + count) of the current text.
    virtual QString text(int position, int count) const = 0;
    // Replaces the characters [position, position + count) with `text` as one edit.
    virtual void replace(int position, int count, const QString &text) = 0;
    // Start of the selection (the caret when nothing is selected).
    virtual int caret() const = 0;
    // Puts the caret at `offset` with nothing selected.
    virtual void setCaret(int offset) = 0;
    // Marks the text as changed.
    virtual void setModified() = 0;
};
