#pragma once

#include "CMPersistent.h"
#include "ColorText.h"

#include <QChar>

// Hot-spot settings of the colouring control: text between two marker characters reacts to
// the mouse and is painted in its own colour.
class THotSpot : public TCMPersistent {
public:
    QString ClassName() const override { return QStringLiteral("THotSpot"); }
    // Copies all six values from another THotSpot; anything else raises the assignment error.
    void Assign(const TCMPersistent &source) override;

    QChar BeginChar = QChar(30);   // opens a hot spot
    QChar EndChar = QChar(31);     // closes it
    TColor Color = clBlue;         // text colour of the hot-spot text
    TColor MarkerColor = clWindow; // text colour of the two markers
    bool Active = false;           // scanned, underlined and mouse-sensitive only when true
    bool Underlined = true;        // hot-spot text is painted underlined
};
