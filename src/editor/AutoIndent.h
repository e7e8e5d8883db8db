#pragma once

#include <QString>
#include <QStringView>

// Indentation as the editor keeps it while typing, on one line of plain text. Lines hold no
// line break; columns count characters from 0.
namespace AutoIndent {

// One indent step: two spaces, as in the programs the wizard writes, or a tab when the
// editor types tabs.
QString Step(bool tabs);

// What Enter does with the caret at `column` of `line`: `removeAfter` blanks after the caret
// go, `inserted` takes the caret's place and the caret stands `caret` characters into it.
struct Enter {
    QString inserted;
    int caret = 0;
    int removeAfter = 0;
};

// Enter keeps the leading blanks of the line (no more than stand before the caret); after
// code that ends with `{` (a trailing line comment aside) one step more; between `{` and `}`
// the `}` goes to a line of its own at the outer indent and the caret to the inner line.
Enter OnEnter(QStringView line, int column, QStringView step);

// How many blanks before the caret typing `}` at `column` of `line` takes away: one indent
// step when only blanks stand before the caret, otherwise 0.
int DedentOnCloseBrace(QStringView line, int column, QStringView step);

// Whether the last character of code on a line is `{`: blanks and comments after it aside,
// and not inside a string or character literal.
bool EndsWithOpenBrace(QStringView line);

} // namespace AutoIndent
