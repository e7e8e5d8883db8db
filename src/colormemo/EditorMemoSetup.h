#pragma once

#include "ColorText.h"

#include <array>

class TColorMemo;

// Sets up a colouring control the way the editor window shows a document: Courier New at
// 13 pixels, tabs typed as text, no wrapping, both scroll bars, a 3-D gutter of 80 pixels
// with line numbers in the window text colour, cut/copy and text dragging allowed, tab stops
// of 32 dialog units, print margins of 100 with centred header and footer, and the four
// editor rules "Operatoren", "klassen", "java" and "Kommentar".
void SetupEditorColorMemo(TColorMemo &memo);

// Gives the four editor rules (positions 0 to 3) the user's colours and repaints.
void ApplyEditorRuleColors(TColorMemo &memo, const std::array<TColor, 4> &colors);
