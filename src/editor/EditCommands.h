#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The arithmetic of the editor window's line and block commands, on plain values. Offsets
// count characters from the start of the text, one per line break; lines and columns count
// from 0 unless a name says otherwise.
namespace EditCommands {

// A selection as the window sets it: `length` characters from `start`; a negative length
// selects that many characters before start.
struct Selection {
    int start = 0;
    int length = 0;
};

// One replacement in the text: `removed` characters at `position` become `inserted`.
struct TextEdit {
    int position = 0;
    int removed = 0;
    QString inserted;
};

// The caret text of status panel 0: "Zeile: 12  Spalte: 5" for line 11, column 4.
QString CaretText(int line, int column);

// Number of lines in the line list of a text with `blockCount` blocks whose last block has
// `lastBlockLength` characters: a break at the very end does not start another line, so
// "a\nb\n" has two lines and the empty text none.
int LineCount(int blockCount, int lastBlockLength);

// The lines first..last of a block command with their new text and the selection after it.
struct BlockResult {
    QStringList lines;
    Selection selection;
};

// Block left: one leading space goes from every line that has one; the selection length
// shrinks by one for every line of the range, changed or not.
BlockResult BlockLeft(const QStringList &lines, Selection selection);
// Block right: every line gets one space in front; the length grows by one per line.
BlockResult BlockRight(const QStringList &lines, Selection selection);

// Delete current line: the line starting at `lineStart` with `lineLength` characters goes
// with its break (`hasBreak`). Nothing when the caret is on the empty place after a final
// break, which is not a line (`isLine` false).
std::optional<TextEdit> DeleteLine(int lineStart, int lineLength, bool hasBreak, bool isLine);

// Delete to end of line: from the caret to the end of its line; nothing at offset 0.
std::optional<TextEdit> DeleteToLineEnd(int caret, int lineStart, int lineLength);

// Go to line: the line (from 0) that the answer of the input box asks for, or nothing for an
// empty answer, one that is no whole number, or a number past the last line. Numbers of 1 or
// less go to the first line.
std::optional<int> GoToLine(const QString &answer, int lineCount);

} // namespace EditCommands
