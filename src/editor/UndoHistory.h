#pragma once

#include "editor/TextChunks.h"

#include <QString>

#include <vector>

class UndoDocument;

// The whole-text undo history of one editor window: up to 400 numbered snapshots of the
// text and caret, the number of the entry undo restores next and the highest entry filled.
//
// Every entry behaves as a full copy of the text, but only the text of the latest snapshot
// is held whole; each entry is kept as the difference to its neighbour. The history learns
// what changed since the last snapshot from the document's change notifications
// (contentsChange), so a snapshot reads and compares only the changed part of the text, and
// undo and redo write only the part that differs.
class UndoHistory {
public:
    // Number of entries of UndoStates.
    static constexpr int stateCount = 400;

    // One entry: its text and the caret offset at the moment of the snapshot.
    struct UndoState {
        QString text;
        int offset = 0;
    };

    explicit UndoHistory(UndoDocument &document);

    // The document reports a change: `removed` characters at `position` were replaced by
    // `added` ones. Counts that are too large only cost time; too small ones lose text, so
    // when in doubt call textReset().
    void contentsChange(int position, int removed, int added);
    // The whole text may have changed in ways not reported (another control became active).
    void textReset();

    // Takes a snapshot of the text and caret unless the text equals LastUndoText.
    void SaveUndoState();
    // Restores entry UndoPos and steps back; nothing at the oldest state.
    void Undo();
    // Steps forward and restores that entry; nothing at the newest state.
    void Redo();

    int UndoPos() const { return m_undoPos; }
    int UndoTop() const { return int(m_entries.size()); }
    // Text of the most recent snapshot (built on request: a full copy).
    QString LastUndoText() const { return m_last.toString(); }
    // Entry `number` (1 to UndoTop) as text and offset (built on request: a full copy).
    UndoState UndoStates(int number) const;
    // Bytes of memory the history holds for its texts.
    qsizetype historyBytes() const;

private:
    // How the text of one entry differs from the next one: both share `prefix` characters at
    // the start and all characters after `before` (in the lower) or `after` (in the higher).
    struct Step {
        int prefix = 0;
        QString before;
        QString after;
    };
    struct Entry {
        int length = 0;
        int offset = 0;
    };
    // Start and end lengths that a range of texts have in common.
    struct Common {
        int prefix = 0;
        int suffix = 0;
    };

    int entryLength(int number) const;
    // What entries `from` and `to` (0 for the text of the latest snapshot) share.
    Common commonOfPath(int from, int to) const;
    // Characters [prefix, length - suffix) of entry `number`.
    QString middleOf(int number, Common range) const;
    // How entry `number` differs from the current text (before = entry, after = current).
    Step diffToCurrent(int number) const;
    // Restores entry `number` into the document.
    void restore(int number);
    void markAllChanged();

    UndoDocument &m_document;
    std::vector<Entry> m_entries; // entry 1 first; size is UndoTop
    std::vector<Step> m_steps;    // m_steps[i]: from entry i + 1 to entry i + 2
    TextChunks m_last;            // LastUndoText
    int m_lastNumber = 0;         // entry that holds LastUndoText; 0 before the first snapshot
    int m_undoPos = 0;
    // The current text is entry m_base (or LastUndoText when 0) except between m_common.prefix
    // and m_common.suffix, as far as the change notifications tell.
    int m_base = 0;
    bool m_changed = true;
    Common m_common;
    int m_length = 0; // of the current text, as last seen
    bool m_restoring = false;
};
