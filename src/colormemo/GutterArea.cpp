#include "GutterArea.h"

#include "ColorConvert.h"
#include "ColorMemo.h"

#include <QPainter>

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
    if (gutter.Is3D()) {
        painter.setPen(ToQColor(clBtnHighlight, pal));
        painter.drawLine(size - 2, 0, size - 2, bottom);
        painter.setPen(ToQColor(clBtnShadow, pal));
        painter.drawLine(size - 1, 0, size - 1, bottom);
    }
}
