#pragma once

#include "codegen/NewFile.h"

#include <QString>
#include <QStringList>

// The generated starting program for one wizard result.
struct TJavaSource {
    // False for a Kind outside 1 to 7: the target keeps its text (it is not even cleared).
    bool Replace = false;
    // The lines that replace the target's text, in order.
    QStringList Lines;
    // Kinds 4, 6 and 7: the caret goes to the start of the text after filling; otherwise it
    // stays where appending the lines leaves it, at the end.
    bool CaretAtStart = false;
    // Notices for elements outside the element list, each shown as a warning with the caption
    // "Fehler"; the element's lines are then missing from Lines.
    QStringList Notices;
};

// The Java source for a wizard result. The MDI kind copies cascadeTile in place of its
// window-arrangement methods (the editor window's hidden MemoCascade_Tile lines).
TJavaSource GenerateJavaSource(const TNewFile &newFile, const QStringList &cascadeTile);
// The same with the arrangement methods shipped in the program (CascadeTileLines).
TJavaSource GenerateJavaSource(const TNewFile &newFile);

// The window-arrangement methods setCascadeFrame(), MnCascade_click() and MnTile_click() of the
// MDI program, as the lines that fill MemoCascade_Tile.
QStringList CascadeTileLines();
