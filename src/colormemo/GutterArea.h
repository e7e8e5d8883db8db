#pragma once

#include <QWidget>

class TColorMemo;

// The strip left of the text where the colouring control paints its gutter.
class TCMGutterArea : public QWidget {
    Q_OBJECT
public:
    explicit TCMGutterArea(TColorMemo *memo);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TColorMemo *m_memo;
};
