#include "VerticalTiling.h"

#include <algorithm>

QList<QRect> StackedTileRects(const QSize &area, const QList<bool> &minimized) {
    QList<QRect> rects(minimized.size());
    const int n = static_cast<int>(std::count(minimized.begin(), minimized.end(), false));
    if (n == 0 || area.isEmpty())
        return rects;
    const int height = area.height() / n;
    int y = 0;
    int placed = 0;
    for (int i = 0; i < minimized.size(); ++i) {
        if (minimized.at(i))
            continue;
        const bool last = ++placed == n;
        const int h = last ? area.height() - y : height;
        rects[i] = QRect(0, y, area.width(), h);
        y += h;
    }
    return rects;
}

QList<QRect> VerticalTileRects(const VerticalTileInput &input) {
    QList<QRect> rects(input.minimized.size());
    const int n =
        static_cast<int>(std::count(input.minimized.begin(), input.minimized.end(), false));
    if (n == 0)
        return rects;

    const int t = input.toolBarVisible ? input.toolBarHeight + 1 : 0;
    const int m = t == 0 ? 6 : 10;
    const int shared = std::max(0, input.clientWidth - 2 * n);
    const int w = shared / n;
    const int r = shared % n;
    const int height =
        std::max(0, input.clientHeight - t - m - input.panelErrorHeight - input.splitterHeight);

    int x = 0;
    for (int i = 0; i < input.minimized.size(); ++i) {
        if (input.minimized.at(i))
            continue;
        // Only the first window of the list takes the remainder, even when it is minimised
        // and the remainder is then lost: the arrangement has always behaved so.
        const int width = i == 0 ? w + r : w;
        rects[i] = QRect(x, 0, width, height);
        x += width;
    }
    return rects;
}
