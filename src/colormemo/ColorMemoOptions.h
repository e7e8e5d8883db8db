#pragma once

#include <QtGlobal>

// The options of the colouring control, a set of flags.
enum TColorMemoOption : quint8 {
    cmoAcceptFiles = 1 << 0,     // files dropped from the desktop are reported
    cmoAllowCutCopy = 1 << 1,    // cut and copy are carried out
    cmoCalcFullBegEnds = 1 << 2, // begin-end rules scan from the start of the text
    cmoDragText = 1 << 3,        // selected text can be dragged
};
using TColorMemoOptions = quint8;
