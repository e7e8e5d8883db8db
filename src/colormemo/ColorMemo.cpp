#include "ColorMemo.h"

TColorMemo::TColorMemo(QWidget *parent) : TMemo(parent) {}
