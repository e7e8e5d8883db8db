#include "HotSpot.h"

void THotSpot::Assign(const TCMPersistent &source) {
    const auto *other = dynamic_cast<const THotSpot *>(&source);
    if (!other)
        AssignError(source);
    BeginChar = other->BeginChar;
    EndChar = other->EndChar;
    Color = other->Color;
    MarkerColor = other->MarkerColor;
    Active = other->Active;
    Underlined = other->Underlined;
}
