#pragma once

#include <QPoint>
#include <QRect>

#include <functional>

class QPainter;
class TCMView;

// Dragging selected text inside the colouring control, apart from the widget: where a press
// may start a drag, the insertion mark under the mouse, and what a drop does to the text.
// It asks the view where characters stand and tells its owner which rectangles to repaint;
// the owner carries out the edits.
class TCMTextDrag {
public:
    using UpdateFn = std::function<void(const QRect &)>;

    // What a drop of the dragged text does.
    struct Drop {
        enum Kind {
            Nothing,   // no character at the drop point, or the dragged range is gone
            MoveCaret, // dropped onto the dragged text itself: only the caret moves
            Insert,    // the dragged text goes to InsertAt (after its removal for a move)
        };
        Kind What = Nothing;
        int Caret = 0;             // MoveCaret: where the caret goes
        int SourceStart = 0;       // Insert: the dragged text
        int SourceLength = 0;      //
        bool RemoveSource = false; // Insert: a move, so the source is deleted first
        int InsertAt = 0;          // Insert: index after the removal
    };

    TCMTextDrag(const TCMView &view, UpdateFn update);

    // Whether a press at a point lies on the selection (both ends included).
    bool PressOnSelection(QPoint point) const;
    // Remembers the selection and the press point; the drag starts once the mouse has moved
    // far enough.
    void Press(QPoint point);
    bool Pending() const { return m_pending; }
    // Whether the mouse has moved far enough from the press point to start the drag.
    bool ShouldStart(QPoint point, int threshold) const;
    // The drag started or ended: nothing is pending any more.
    void Finish() { m_pending = false; }
    // The remembered selection.
    int SelStart() const { return m_selStart; }
    int SelLength() const { return m_selLength; }
    // The character under the press point, or -1: where a press that never became a drag
    // puts the caret.
    int PressIndex() const;

    // What dropping the remembered text at a point does; `copy` keeps the source.
    Drop PlanDrop(QPoint point, bool copy) const;

    // The insertion mark: a bar 2 pixels wide and `height` high at the character under the
    // point (none when there is no character there).
    void ShowMark(QPoint point, int height);
    void HideMark();
    // Paints the mark by inverting the pixels under it.
    void PaintMark(QPainter &painter) const;

private:
    const TCMView &m_view;
    UpdateFn m_update;
    bool m_pending = false;
    QPoint m_pressPoint;
    int m_selStart = 0;
    int m_selLength = 0;
    QRect m_mark; // empty when no mark is shown
};
