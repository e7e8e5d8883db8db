#include "CaretPainter.h"

#include "ColorView.h"
#include "common/CommandGuard.h"

#include <QPainter>

TCMCaretPainter::TCMCaretPainter(const TCMView &view, UpdateFn update)
    : m_view(view), m_update(std::move(update)) {
    ConnectCommand(&m_timer, &QTimer::timeout, &m_timer, [this] { Toggle(); });
}

QRect TCMCaretPainter::Rect(int index) const {
    // Inside the caret's line box, so repainting the caret never touches the line above.
    const std::optional<QPoint> pos = m_view.PosFromChar(index);
    if (!pos)
        return QRect();
    return QRect(pos->x(), pos->y(), 1, m_view.LineHeight());
}

void TCMCaretPainter::Repaint(const QRect &bar) const {
    if (m_update)
        m_update(bar.adjusted(-1, 0, 1, 0));
}

void TCMCaretPainter::Restart(int index, int interval) {
    m_on = true;
    m_index = index;
    if (interval >= 0)
        m_timer.start(interval);
    else
        m_timer.stop();
    // Only where the caret was and where it is now.
    Repaint(m_shown);
    m_shown = Rect(index);
    Repaint(m_shown);
}

void TCMCaretPainter::Toggle() {
    m_on = !m_on;
    m_shown = Rect(m_index);
    Repaint(m_shown);
}

void TCMCaretPainter::Paint(QPainter &painter, int index, const QColor &color) {
    m_index = index;
    if (m_on)
        painter.fillRect(Rect(index), color);
}
