#pragma once

#include "ColorText.h"

#include <QColor>
#include <QPalette>

// The screen colour of a stored colour: a mixed colour 0x00BBGGRR directly, a system colour
// 0xFF0000nn from the matching role of the palette.
QColor ToQColor(TColor color, const QPalette &palette);
// The stored (mixed) colour of a screen colour.
TColor FromQColor(const QColor &color);
