#include "GutterArea.h"

#include "ColorConvert.h"
#include "ColorMemo.h"

#include "common/CommandGuard.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <optional>

TCMGutterArea::TCMGutterArea(TColorMemo *memo) : QWidget(memo), m_memo(memo) {}

// Background, the numbers of the lines on screen and the raised edge.
void TCMGutterArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const TColorMemo &memo = *m_memo;
    const TCMGutterOptions &gutter = memo.m_gutter;
    const int size = gutter.Size();
    if (size <= 0)
        return;
    const QPalette &pal = memo.palette();
    const int bottom = height();
    painter.setFont(memo.font());
    painter.fillRect(QRect(0, 0, size, bottom), ToQColor(gutter.Color(), pal));
    if (gutter.ShowLineNumbers()) {
        int flags = Qt::AlignVCenter;
        switch (gutter.Alignment()) {
        case TCMAlignment::Left:
            flags |= Qt::AlignLeft;
            break;
        case TCMAlignment::Right:
            flags |= Qt::AlignRight;
            break;
        case TCMAlignment::Center:
            flags |= Qt::AlignHCenter;
            break;
        }
        painter.setPen(ToQColor(gutter.NumColor(), pal));
        const int right = size - 1 - (gutter.Is3D() ? 3 : 0);
        // One number beside each line on screen, counted from the first visible line.
        const int lineHeight = memo.m_view.LineHeight();
        const int topInGutter = memo.viewport()->geometry().top() - memo.contentsRect().top();
        const QStringList numbers = memo.GutterNumbers();
        const int first = memo.m_view.FirstVisibleLine();
        for (int i = 0; i < numbers.size(); ++i) {
            const QRect rect(1, topInGutter + *memo.m_view.BlockTop(first + i), right - 1,
                             lineHeight);
            painter.drawText(rect, flags, numbers[i]);
        }
    }
    PaintMarks(painter);
    if (gutter.Is3D()) {
        painter.setPen(ToQColor(clBtnHighlight, pal));
        painter.drawLine(size - 2, 0, size - 2, bottom);
        painter.setPen(ToQColor(clBtnShadow, pal));
        painter.drawLine(size - 1, 0, size - 1, bottom);
    }
}

QColor TCMGutterArea::MarkColor(LineMarkKind kind) {
    switch (kind) {
    case LineMarkKind::Error:
        return QColor(220, 30, 30);
    case LineMarkKind::Warning:
        return QColor(240, 170, 0);
    case LineMarkKind::Breakpoint:
        return QColor(140, 0, 60);
    case LineMarkKind::CurrentLine:
        return QColor(250, 210, 40);
    }
    return QColor(Qt::black);
}

int TCMGutterArea::LineAt(int y) const {
    const TColorMemo &memo = *m_memo;
    const int lineHeight = memo.m_view.LineHeight();
    const int topInGutter = memo.viewport()->geometry().top() - memo.contentsRect().top();
    const int first = memo.m_view.FirstVisibleLine();
    for (int line = first; memo.m_view.BlockTop(line); ++line) {
        const int top = topInGutter + *memo.m_view.BlockTop(line);
        if (y >= top && y < top + lineHeight)
            return line;
    }
    return -1;
}

// A bar at the left edge for the current line, a dot for the other kinds; an error is
// painted above a warning above a breakpoint. The dots keep clear of the numbers: at the
// gutter's right edge unless the numbers stand there.
void TCMGutterArea::PaintMarks(QPainter &painter) {
    const TColorMemo &memo = *m_memo;
    const TCMGutterOptions &gutter = memo.m_gutter;
    const bool dotsLeft = gutter.ShowLineNumbers() && gutter.Alignment() == TCMAlignment::Right;
    const int dotsRight = gutter.Size() - (gutter.Is3D() ? 3 : 0) - 4;
    if (!memo.m_lineMarks)
        return;
    const int lineHeight = memo.m_view.LineHeight();
    const int topInGutter = memo.viewport()->geometry().top() - memo.contentsRect().top();
    const int first = memo.m_view.FirstVisibleLine();
    int last = first;
    while (memo.m_view.BlockTop(last + 1))
        ++last;
    QList<LineMarkAt> marks = memo.m_lineMarks->MarksBetween(first, last);
    if (marks.isEmpty())
        return;
    std::stable_sort(marks.begin(), marks.end(), [](const LineMarkAt &a, const LineMarkAt &b) {
        return int(a.mark.kind) > int(b.mark.kind);
    });
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int dot = std::max(4, std::min(lineHeight - 4, 9));
    for (const LineMarkAt &at : std::as_const(marks)) {
        const std::optional<int> top = memo.m_view.BlockTop(at.line);
        if (!top)
            continue;
        const int y = topInGutter + *top;
        const QColor color = MarkColor(at.mark.kind);
        if (at.mark.kind == LineMarkKind::CurrentLine) {
            // Beside the dots, so a breakpoint on the line leaves it in view.
            const int width = dot + 3;
            PaintArrow(painter, QRect(dotsLeft ? 6 + dot : dotsRight - dot - 2 - width, y, width,
                                      lineHeight));
            continue;
        }
        painter.setPen(color.darker(130));
        painter.setBrush(color);
        const int left = dotsLeft ? 4 : dotsRight - dot;
        painter.drawEllipse(QRect(left, y + (lineHeight - dot) / 2, dot, dot));
    }
    painter.restore();
}

// The current line's arrow, pointing at the text, in the rectangle beside the line.
void TCMGutterArea::PaintArrow(QPainter &painter, const QRect &rect) {
    const qreal middle = rect.top() + rect.height() / 2.0;
    const qreal half = std::max(3.0, std::min(rect.height() / 2.0 - 1, 6.0));
    const qreal left = rect.left();
    const qreal right = rect.right();
    const qreal neck = right - half;
    const QPolygonF arrow{{left, middle - half / 2}, {neck, middle - half / 2},
                          {neck, middle - half},     {right, middle},
                          {neck, middle + half},     {neck, middle + half / 2},
                          {left, middle + half / 2}};
    const QColor color = MarkColor(LineMarkKind::CurrentLine);
    painter.setPen(color.darker(160));
    painter.setBrush(color);
    painter.drawPolygon(arrow);
}

void TCMGutterArea::mousePressEvent(QMouseEvent *event) {
    const int line =
        event->button() == Qt::LeftButton ? LineAt(event->position().toPoint().y()) : -1;
    if (line >= 0 && m_memo->OnGutterClick) {
        RunCommand([&] { m_memo->OnGutterClick(m_memo, line); });
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

bool TCMGutterArea::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const int line = m_memo->m_lineMarks ? LineAt(help->pos().y()) : -1;
    QStringList texts;
    if (line >= 0)
        for (const LineMarkAt &at : m_memo->m_lineMarks->MarksBetween(line, line))
            if (!at.mark.text.isEmpty())
                texts << at.mark.text;
    if (texts.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), texts.join(u'\n'), this);
    }
    return true;
}
