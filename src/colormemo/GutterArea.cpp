#include "GutterArea.h"

#include "ColorMemo.h"

#include <QPainter>

TCMGutterArea::TCMGutterArea(TColorMemo *memo) : QWidget(memo), m_memo(memo) {}

void TCMGutterArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    m_memo->PaintGutter(painter);
}
