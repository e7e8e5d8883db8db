#include "TextDrag.h"

#include "ColorView.h"

#include <QPainter>

TCMTextDrag::TCMTextDrag(const TCMView &view, UpdateFn update)
    : m_view(view), m_update(std::move(update)) {}

bool TCMTextDrag::PressOnSelection(QPoint point) const {
    const int start = m_view.SelStart();
    const int length = m_view.SelLength();
    const int index = m_view.CharFromPos(point);
    return length > 0 && index >= start && index <= start + length;
}

void TCMTextDrag::Press(QPoint point) {
    m_pending = true;
    m_pressPoint = point;
    m_selStart = m_view.SelStart();
    m_selLength = m_view.SelLength();
}

bool TCMTextDrag::ShouldStart(QPoint point, int threshold) const {
    return (point - m_pressPoint).manhattanLength() >= threshold;
}

int TCMTextDrag::PressIndex() const {
    return m_view.CharFromPos(m_pressPoint);
}

TCMTextDrag::Drop TCMTextDrag::PlanDrop(QPoint point, bool copy) const {
    Drop drop;
    if (m_selLength <= 0)
        return drop;
    const int index = m_view.CharFromPos(point);
    if (index < 0)
        return drop;
    if (index >= m_selStart && index <= m_selStart + m_selLength) {
        drop.What = Drop::MoveCaret;
        drop.Caret = index;
        return drop;
    }
    if (m_selStart + m_selLength > m_view.TextLength())
        return drop;
    drop.What = Drop::Insert;
    drop.SourceStart = m_selStart;
    drop.SourceLength = m_selLength;
    drop.RemoveSource = !copy;
    // A move takes the text out first, so a point after it moves up by its length.
    drop.InsertAt = !copy && index > m_selStart ? index - m_selLength : index;
    return drop;
}

void TCMTextDrag::ShowMark(QPoint point, int height) {
    HideMark();
    const int index = m_view.CharFromPos(point);
    if (index < 0)
        return;
    const std::optional<QPoint> pos = m_view.PosFromChar(index);
    if (!pos)
        return;
    m_mark = QRect(pos->x(), pos->y(), 2, height);
    if (m_update)
        m_update(m_mark);
}

void TCMTextDrag::HideMark() {
    if (m_mark.isEmpty())
        return;
    const QRect old = m_mark;
    m_mark = QRect();
    if (m_update)
        m_update(old);
}

void TCMTextDrag::PaintMark(QPainter &painter) const {
    if (m_mark.isEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(m_mark, Qt::white);
    painter.restore();
}
