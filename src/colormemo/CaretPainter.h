#pragma once

#include <QRect>
#include <QTimer>

#include <functional>

class QColor;
class QPainter;
class TCMView;

// The colouring control's own caret: a bar one pixel wide inside the caret's line box,
// painted after the coloured runs so they never hide it, blinking while it is shown. It
// asks the view where the caret stands and tells its owner which rectangles to repaint.
class TCMCaretPainter {
public:
    using UpdateFn = std::function<void(const QRect &)>;

    TCMCaretPainter(const TCMView &view, UpdateFn update);

    // The bar for a caret at a character index; empty when the index has no position.
    QRect Rect(int index) const;
    // Shows the caret at the index at once and blinks it every `interval` milliseconds
    // (no blinking for a negative interval). Repaints where it was and where it is.
    void Restart(int index, int interval);
    void Stop() { m_timer.stop(); }
    // Paints the bar at the index while it is in its visible phase.
    void Paint(QPainter &painter, int index, const QColor &color);

private:
    void Toggle();
    void Repaint(const QRect &bar) const;

    const TCMView &m_view;
    UpdateFn m_update;
    QTimer m_timer;
    bool m_on = true;
    int m_index = 0;
    QRect m_shown; // where the bar was last shown
};
