#include "PrintLayout.h"

#include "colormemo/PrintOptions.h"

#include <algorithm>

int PrintLayout::LinesOn(int page) const {
    if (page < 0 || page >= PageCount)
        return 0;
    return std::clamp(LineCount - FirstLine(page), 0, LinesPerPage);
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
    layout.LinesPerPage = std::max(1, (bodyBottom - bodyTop) / h);

    const int digits = int(QString::number(std::max(1, layout.LineCount)).size());
    const int numberWidth = std::min((digits + 1) * std::max(1, digitWidth), width / 2);
    layout.Numbers = QRect(left, bodyTop, numberWidth, layout.LinesPerPage * h);
    layout.Body = QRect(left + numberWidth, bodyTop, std::max(1, width - numberWidth),
                        layout.LinesPerPage * h);
    layout.PageCount =
        std::max(1, (layout.LineCount + layout.LinesPerPage - 1) / layout.LinesPerPage);
    return layout;
}

QString PageFooter(int page) {
    return QStringLiteral("Seite %1").arg(page + 1);
}
