#pragma once

#include "editor/UndoHistory.h"

#include <QString>

#include <algorithm>
#include <vector>

// The history exactly as the window's fields describe it: whole copies, nothing clever.
struct WholeCopies {
    std::vector<UndoHistory::UndoState> states =
        std::vector<UndoHistory::UndoState>(UndoHistory::stateCount + 1);
    int pos = 0;
    int top = 0;
    QString last;

    void save(const QString &text, int offset) {
        if (text == last)
            return;
        if (pos >= UndoHistory::stateCount) {
            for (int i = 2; i <= UndoHistory::stateCount; ++i)
                states[size_t(i - 1)] = states[size_t(i)];
            pos = UndoHistory::stateCount - 1;
        }
        ++pos;
        states[size_t(pos)] = {text, offset};
        top = std::max(top, pos);
        last = text;
    }
    // The state the document is set to, if any.
    const UndoHistory::UndoState *undo() {
        if (pos <= 0)
            return nullptr;
        return &states[size_t(pos--)];
    }
    const UndoHistory::UndoState *redo() {
        if (pos >= top)
            return nullptr;
        return &states[size_t(++pos)];
    }
};
