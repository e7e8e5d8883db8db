#pragma once

#include <QStringList>

// Commenting lines out and in with line comments, on plain lines without their breaks.
namespace LineComments {

// Whether a line is commented out: "//" after its leading blanks.
bool IsCommented(const QString &line);

// When every line is commented out, each loses its "//" (and one space after it);
// otherwise every line gets "// " in front.
QStringList Toggle(const QStringList &lines);

// The column of `column` in `before` once that line became `after` by Toggle: text after
// the change keeps its place, a column inside the removed marker goes to where it stood.
int ColumnAfter(const QString &before, const QString &after, int column);

// The lines a command works on: those of the selection [start, end] given as line numbers
// of its ends, where a selection that ends at column 0 of a later line leaves that line out.
struct LineRange {
    int first = 0;
    int last = 0;
};
LineRange LinesOf(int startLine, int endLine, int endColumn);

} // namespace LineComments
