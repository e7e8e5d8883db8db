#pragma once

#include <QList>
#include <QRect>

// What the side-by-side arrangement needs to know of the frame.
struct VerticalTileInput {
    int clientWidth = 0;  // width of the area the windows share
    int clientHeight = 0; // height of the frame's client area
    bool toolBarVisible = true;
    int toolBarHeight = 0;    // height of the tool bar panel
    int panelErrorHeight = 0; // height of the error panel
    int splitterHeight = 0;   // height of the splitter above it
    QList<bool> minimized;    // one flag per window, in window-list order
};

// Places the windows that are not minimised side by side in full height, in list order;
// the first one also takes the pixels that do not divide evenly. Minimised windows get a
// null rectangle and keep their place. Nothing is placed when every window is minimised.
QList<QRect> VerticalTileRects(const VerticalTileInput &input);

// Stacks the windows that are not minimised one above the other in the area, each the full
// width, in list order; the last one also takes the pixels that do not divide evenly.
// Minimised windows get a null rectangle and keep their place.
QList<QRect> StackedTileRects(const QSize &area, const QList<bool> &minimized);
