#pragma once

#include "editor/TextChunks.h"

#include <QString>

#include <vector>

class UndoDocument;

// The whole-text undo history of one editor window: up to 400 numbered snapshots of the
// text and caret, the number of the entry undo restores next and the highest entry filled.
//
// Every entry behaves as a full copy of the text, but the history holds no copy of its own:
// every entry is rebuilt from the document's current text through the differences between
// snapshots that followed each other, and through what the edits since the last snapshot
// took away. The history learns those edits from the document's change notifications
// (contentsChange, with the removed characters), so a snapshot reads and compares only the
// changed part of the text, and undo and redo write only the part that differs.
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

    // The document reports a change: the `removed` characters at `position`, whose text was
    // `removedText`, were replaced by `added` ones. Counts that are too large only cost time;
    // too small ones lose text. Counts that do not add up to the document's new length cannot
    // be followed: the history then starts anew from the current text.
    void contentsChange(int position, int removed, int added, const QString &removedText);

    // Takes a snapshot of the text and caret unless the text equals LastUndoText.
    void SaveUndoState();
    // Restores entry UndoPos and steps back; nothing at the oldest state.
    void Undo();
    // Steps forward and restores that entry; nothing at the newest state.
    void Redo();

    int UndoPos() const { return m_undoPos; }
    int UndoTop() const { return int(m_entries.size()); }
    // Text of the most recent snapshot (built on request: a full copy).
    QString LastUndoText() const;
    // Entry `number` (1 to UndoTop) as text and offset (built on request: a full copy).
    UndoState UndoStates(int number) const;
    // Bytes of memory the history holds for its texts (none is a copy of the whole text).
    qsizetype historyBytes() const;

private:
    // How a text differs from another: both share `prefix` characters at the start and all
    // characters after `before` (in the first) or `after` (in the second).
    struct Step {
        int prefix = 0;
        QString before;
        QString after;
    };
    // A text the history can rebuild: its parent's text changed by `step` (the root has no
    // parent). Every step is one edit between two snapshots or a snapshot and the text it
    // was taken from, so steps stay as small as the edits; entries refer to nodes.
    struct Node {
        int parent = -1;
        Step step; // before: the parent's part, after: this node's part
        int length = 0;
        bool alive = true;
    };
    struct Entry {
        int node = 0;
        int offset = 0;
    };
    // Start and end lengths that a range of texts have in common.
    struct Common {
        int prefix = 0;
        int suffix = 0;
    };
    // One move along the tree: from `node` to its parent (up) or from its parent to `node`.
    struct Move {
        int node = 0;
        bool up = false;
    };

    // A range [t0, t1) of the current text that may differ from the range [l0, l1) of
    // LastUndoText.
    struct Span {
        int t0 = 0;
        int t1 = 0;
        int l0 = 0;
        int l1 = 0;
    };

    std::vector<Move> pathBetween(int from, int to) const;
    // Where the current text may differ from LastUndoText, in order.
    std::vector<Span> changedSpans() const;
    // What the texts of nodes `from` and `to` share.
    Common commonOfPath(int from, int to) const;
    // Characters [prefix, length - suffix) of the text of `node`.
    QString middleOf(int node, Common range) const;
    // Characters [from, to) of the text of m_base: the current text, with what the edits
    // since then took away put back.
    QString baseText(int from, int to) const;
    // Characters [from, to) of LastUndoText.
    QString lastText(int from, int to) const;
    // Forgets every entry: the current text becomes the only one the history knows.
    void restart();
    // How the text of `node` differs from the current text (before = node, after = current).
    Step diffToCurrent(int node) const;
    // The step from `before` to `after` at `prefix`, without their common start and end.
    static Step trimmed(int prefix, QString before, QString after);
    int addNode(int parent, Step step, int length);
    // Drops nodes that no entry, LastUndoText or the current text needs any more.
    void prune();
    void restore(int number);
    void markAllChanged();

    UndoDocument &m_document;
    std::vector<Node> m_nodes;
    std::vector<int> m_freeNodes;
    std::vector<Entry> m_entries; // entry 1 first; size is UndoTop
    int m_lastNode = 0;           // node whose text is LastUndoText
    int m_undoPos = 0;
    // The current text is that of node m_base except between m_common.prefix and
    // m_common.suffix, as far as the change notifications tell; there the text of m_base
    // was m_baseMiddle.
    int m_base = 0;
    bool m_changed = true;
    Common m_common;
    TextChunks m_baseMiddle;
    int m_length = 0; // of the current text, as last seen
    bool m_restoring = false;
};
