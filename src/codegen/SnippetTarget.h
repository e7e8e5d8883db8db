#pragma once

#include <QString>
#include <QStringList>

// The text a snippet works on, seen as a list of lines. A line break at the very end of the
// text ends the last line and adds no empty one: "a\nb\n" has two lines, like "a\nb"; the
// empty text has none. The editor implements it over its active text control; tests over
// a plain list.
class SnippetTarget {
public:
    virtual ~SnippetTarget() = default;

    virtual int lineCount() const = 0;
    // The text of line index (0-based, without its break).
    virtual QString line(int index) const = 0;
    // The 0-based line that holds the caret; lineCount() when the caret stands after a
    // break at the very end of the text.
    virtual int caretLine() const = 0;
    // Inserts whole lines in order so that the first becomes line index (0 <= index <=
    // lineCount(); lineCount() appends). Existing lines are never split. The caret ends
    // after the inserted lines.
    virtual void insertLines(int index, const QStringList &lines) = 0;
    // Marks the document as changed.
    virtual void setModified() = 0;
};
