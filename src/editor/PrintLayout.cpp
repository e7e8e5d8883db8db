#include "PrintLayout.h"

#include "colormemo/PrintOptions.h"

#include <algorithm>
#include <cmath>

int PrintLayout::RowsOn(int page) const {
    if (page < 0 || page >= PageCount)
        return 0;
    return std::clamp(int(Rows.size()) - FirstRow(page), 0, RowsPerPage);
}

void PrintLayout::SetRows(std::vector<PrintRow> rows) {
    Rows = std::move(rows);
    PageCount = std::max(1, (int(Rows.size()) + RowsPerPage - 1) / RowsPerPage);
}

PrintLayout LayOutPages(const QRect &paper, int resolution, const TCMPrintMargins &margins,
                        int lineHeight, int digitWidth, int lineCount) {
    PrintLayout layout;
    layout.Paper = paper;
    layout.LineHeight = std::max(1, lineHeight);
    layout.LineCount = std::max(0, lineCount);
    const int h = layout.LineHeight;
    auto toPixels = [resolution](int hundredths) {
        return int(qint64(std::max(0, hundredths)) * resolution / 100);
    };
    int left = paper.left() + toPixels(margins.Left);
    int right = paper.left() + paper.width() - toPixels(margins.Right);
    int top = paper.top() + toPixels(margins.Top);
    int bottom = paper.top() + paper.height() - toPixels(margins.Bottom);
    // Margins that leave no room shrink to none rather than print nothing.
    if (right - left < 10 * h) {
        left = paper.left();
        right = paper.left() + paper.width();
    }
    if (bottom - top < 5 * h) {
        top = paper.top();
        bottom = paper.top() + paper.height();
    }
    const int width = std::max(1, right - left);
    layout.Header = QRect(left, top, width, h);
    layout.Footer = QRect(left, bottom - h, width, h);
    const int bodyTop = top + 2 * h;
    const int bodyBottom = bottom - 2 * h;
    layout.RowsPerPage = std::max(1, (bodyBottom - bodyTop) / h);

    const int digits = int(QString::number(std::max(1, layout.LineCount)).size());
    const int numberWidth = std::min((digits + 1) * std::max(1, digitWidth), width / 2);
    layout.Numbers = QRect(left, bodyTop, numberWidth, layout.RowsPerPage * h);
    layout.Body = QRect(left + numberWidth, bodyTop, std::max(1, width - numberWidth),
                        layout.RowsPerPage * h);
    std::vector<PrintRow> rows;
    rows.reserve(size_t(layout.LineCount));
    for (int line = 0; line < layout.LineCount; ++line)
        rows.push_back({line, 0, 0});
    layout.SetRows(std::move(rows));
    return layout;
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The longest start of text[from, to) that still fits into `room`: a short piece is measured
// once, a long one in growing steps, so a row costs about its own length, however long the
// line is.
// `fitWidth` gets the width of the whole piece when all of it fits.
int fittingLength(QStringView text, int from, int to, qreal room,
                  const std::function<qreal(QStringView)> &measure, qreal &fitWidth) {
    int fits = 0;
    int step = 128;
    int tooLong = -1;
    while (fits < to - from) {
        const int tryLength = std::min(to - from, fits + step);
        const qreal width = measure(text.mid(from, tryLength));
        if (width <= room) {
            fits = tryLength;
            fitWidth = width;
            step *= 2;
        } else {
            tooLong = tryLength;
            break;
        }
    }
    if (tooLong < 0)
        return fits;
    // Between fits (fitting) and tooLong (not fitting).
    while (tooLong - fits > 1) {
        const int middle = fits + (tooLong - fits) / 2;
        if (measure(text.mid(from, middle)) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    return fits;
}

} // namespace

std::vector<int> WrapLine(QStringView text, qreal width, qreal tabWidth,
                          const std::function<qreal(QStringView)> &measure) {
    std::vector<int> breaks;
    const int length = int(text.size());
    const qreal tab = std::max<qreal>(1, tabWidth);
    int start = 0;
    while (start < length) {
        qreal x = 0;
        int pos = start;
        int afterBlank = -1; // end of the last blank that follows a non-blank on this row
        bool nonBlank = false;
        // Notes the blanks and non-blanks of text[from, to) placed on the row.
        const auto place = [&](int from, int to) {
            for (int i = from; i < to; ++i) {
                if (!isBlank(text[i]))
                    nonBlank = true;
                else if (nonBlank)
                    afterBlank = i + 1;
            }
        };
        int over = -1; // the first character that does not fit
        while (pos < length) {
            if (text[pos] == u'\t') {
                const qreal stop = (std::floor(x / tab) + 1) * tab;
                if (stop > width && pos > start) {
                    over = pos;
                    break;
                }
                x = stop;
                place(pos, pos + 1);
                ++pos;
                continue;
            }
            int end = pos;
            while (end < length && text[end] != u'\t')
                ++end;
            qreal pieceWidth = 0;
            const int fits = fittingLength(text, pos, end, width - x, measure, pieceWidth);
            if (fits < end - pos) {
                place(pos, pos + fits);
                over = pos + fits;
                break;
            }
            x += pieceWidth;
            place(pos, end);
            pos = end;
        }
        if (over < 0)
            break;
        int next;
        if (isBlank(text[over]) && x <= width)
            next = over + 1; // the blank ends the row; on paper it shows nothing
        else if (afterBlank > start)
            next = afterBlank;
        else
            next = std::max(over, start + 1);
        if (next >= length)
            break;
        breaks.push_back(next);
        start = next;
    }
    return breaks;
}

void AppendRows(std::vector<PrintRow> &rows, int line, int length, const std::vector<int> &breaks) {
    int start = 0;
    for (int at : breaks) {
        if (at <= start || at >= length)
            continue;
        rows.push_back({line, start, at - start});
        start = at;
    }
    rows.push_back({line, start, std::max(0, length - start)});
}

QString PageFooter(int page) {
    return QStringLiteral("Seite %1").arg(page + 1);
}

QString ContinuationMark() {
    return QStringLiteral("\u21AA"); // a hooked arrow: the line goes on here
}
