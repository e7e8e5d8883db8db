#pragma once

#include <QRect>
#include <QString>

class TCMPrintMargins;

// The page layout of a printed document, in the device pixels of the printer: inside the
// margins the header line, a blank line, the body lines with their numbers in a column on the
// left, a blank line and the footer line. Margins are in hundredths of an inch from the paper
// edge (100 is an inch).
struct PrintLayout {
    QRect Paper;   // the whole sheet
    QRect Header;  // one line at the top of the area inside the margins
    QRect Footer;  // one line at its bottom
    QRect Numbers; // the line-number column beside the body
    QRect Body;    // the text of LinesPerPage lines
    int LineHeight = 1;
    int LinesPerPage = 1;
    int PageCount = 1;
    int LineCount = 0;

    // The first line (0-based) on a page (0-based) and how many lines the page holds.
    int FirstLine(int page) const { return page * LinesPerPage; }
    int LinesOn(int page) const;
    // Top of the n-th line of a page's body.
    int LineTop(int row) const { return Body.top() + row * LineHeight; }
};

// Lays out pages of paper (device pixels, resolution in dots per inch) for `lineCount` lines
// of the given height; digitWidth is the width of one digit of the numbers. Every page holds
// at least one line, and there is at least one page.
PrintLayout LayOutPages(const QRect &paper, int resolution, const TCMPrintMargins &margins,
                        int lineHeight, int digitWidth, int lineCount);

// The footer of a page (0-based): "Seite n" with n counted from 1.
QString PageFooter(int page);
