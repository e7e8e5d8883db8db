#include "SwitchView.h"

#include "TextSource.h"

ViewSwitch SwitchView(EditorView shown, EditorView wanted, bool hasTabs, bool changedSinceShown) {
    ViewSwitch result;
    if (shown == wanted)
        return result;
    result.Switch = true;
    result.ReplaceTabs = wanted == EditorView::Color && hasTabs;
    // A view that still shows the text it had keeps its caret; on a changed text the caret
    // goes to the start, as when a control is given a new text.
    result.CaretToStart = changedSinceShown || result.ReplaceTabs;
    return result;
}

std::vector<qsizetype> TabPositions(const TextSource &text) {
    std::vector<qsizetype> positions;
    for (int i = 0; i < text.PieceCount(); ++i) {
        const TextSource::Piece piece = text.PieceAt(i);
        for (qsizetype at = piece.Text.indexOf(u'\t'); at >= 0;
             at = piece.Text.indexOf(u'\t', at + 1))
            positions.push_back(piece.Start + at);
    }
    return positions;
}
