#pragma once

#include "common/Memo.h"

// The syntax-colouring text control.
class TColorMemo : public TMemo {
    Q_OBJECT
public:
    explicit TColorMemo(QWidget *parent = nullptr);
};
