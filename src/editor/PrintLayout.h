#pragma once

#include <QRect>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

class TCMPrintMargins;

// One printed row: a whole line, or a piece of a line too long for the body. The rows of a
// line follow each other without a gap, the first starting at offset 0 of the line.
struct PrintRow {
    int Line = 0;   // 0-based
    int Start = 0;  // offset of the row's first character in the line
    int Length = 0; // characters of the line on this row
    // Whether the row carries on a line begun on an earlier row (marked in the number column).
    bool Continued() const { return Start > 0; }
};

// The page layout of a printed document, in the device pixels of the printer: inside the
// margins the header line, a blank line, the body rows with the line numbers in a column on
// the left, a blank line and the footer line. Margins are in hundredths of an inch from the
// paper edge (100 is an inch). A line wider than the body takes several rows.
struct PrintLayout {
    QRect Paper;   // the whole sheet
    QRect Header;  // one line at the top of the area inside the margins
    QRect Footer;  // one line at its bottom
    QRect Numbers; // the line-number column beside the body
    QRect Body;    // the text of RowsPerPage rows
    int LineHeight = 1;
    int RowsPerPage = 1;
    int PageCount = 1;
    int LineCount = 0;
    // Every row of the document in order; one per line until SetRows.
    std::vector<PrintRow> Rows;

    // The first row (index into Rows) on a page (0-based) and how many rows the page holds.
    int FirstRow(int page) const { return page * RowsPerPage; }
    int RowsOn(int page) const;
    // Top of the n-th row of a page's body.
    int RowTop(int row) const { return Body.top() + row * LineHeight; }
    // Takes the rows of the lines as they are broken to fit the body; PageCount follows.
    void SetRows(std::vector<PrintRow> rows);
};

// Lays out pages of paper (device pixels, resolution in dots per inch) for `lineCount` lines
// of the given height, one row each; digitWidth is the width of one digit of the numbers.
// Every page holds at least one row, and there is at least one page.
PrintLayout LayOutPages(const QRect &paper, int resolution, const TCMPrintMargins &margins,
                        int lineHeight, int digitWidth, int lineCount);

// Where a line breaks into rows no wider than `width`: the offsets at which the second and
// later rows start, ascending (none when the line fits). `measure` gives the width of a piece
// without tabs; a tab moves on to the next multiple of tabWidth from the row's start. A row
// ends after its last blank that follows a non-blank character, else before the first
// character that does not fit; a blank that does not fit still ends its row (it shows
// nothing). Every row holds at least one character, so no character is ever left out.
std::vector<int> WrapLine(QStringView text, qreal width, qreal tabWidth,
                          const std::function<qreal(QStringView)> &measure);

// Appends the rows of line `line` of `length` characters that breaks at `breaks` (as
// WrapLine gives them). An empty line is one empty row.
void AppendRows(std::vector<PrintRow> &rows, int line, int length, const std::vector<int> &breaks);

// The footer of a page (0-based): "Seite n" with n counted from 1.
QString PageFooter(int page);
// What the number column shows beside a row that carries on the line above it.
QString ContinuationMark();
