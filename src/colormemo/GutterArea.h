#pragma once

#include "LineMark.h"

#include <QColor>
#include <QWidget>

class QPainter;

class TColorMemo;

// The strip left of the text where the colouring control paints its gutter: line numbers
// and the marks on lines, whose texts its tool tip shows.
class TCMGutterArea : public QWidget {
    Q_OBJECT
public:
    explicit TCMGutterArea(TColorMemo *memo);

    // The line (from 0) shown at a height of the gutter, -1 for none.
    int LineAt(int y) const;
    // The colour a mark of `kind` is painted in.
    static QColor MarkColor(LineMarkKind kind);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void PaintMarks(QPainter &painter);
    void PaintArrow(QPainter &painter, const QRect &rect);

    TColorMemo *m_memo;
};
