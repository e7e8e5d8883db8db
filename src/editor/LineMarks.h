#pragma once

#include "colormemo/LineMark.h"

#include <QList>
#include <QTextCursor>

#include <vector>

class QTextDocument;

// The marks on the lines of one document: at most one of each kind on a line. A mark stays
// with the text of its line while lines above it come and go, and goes when its line is
// removed (by an edit, an undo or a new text for the whole document).
class LineMarks : public LineMarkSource {
public:
    explicit LineMarks(QTextDocument &document);

    // Puts a mark of `kind` with `text` on `line` (from 0), in place of one of the same kind
    // there; nothing when the line does not exist.
    void Set(int line, LineMarkKind kind, const QString &text);
    // Takes the mark of `kind` off `line`.
    void Remove(int line, LineMarkKind kind);
    // Takes every mark of `kind` off, or every mark at all.
    void RemoveKind(LineMarkKind kind);
    void RemoveAll();
    // The marks on one line, by kind.
    QList<LineMark> On(int line) const;
    // Every mark, by line, then by kind.
    QList<LineMarkAt> All() const;
    QList<LineMarkAt> MarksBetween(int first, int last) const override;
    bool IsEmpty() const { return m_marks.empty(); }

    // The document changed: marks whose line went are dropped, the others cover their line
    // again. Called by the document's owner after every change.
    void Follow();

private:
    // A mark covers its line: from the line's start to the next line's start (the end of the
    // text for the last line). An edit that removes the whole line leaves nothing between.
    struct Entry {
        QTextCursor start;
        QTextCursor end;
        bool lastLine = false;
        LineMark mark;
    };
    void Cover(Entry &entry, int position) const;
    bool Alive(const Entry &entry) const;
    void Sort();

    QTextDocument &m_document;
    std::vector<Entry> m_marks;
};
