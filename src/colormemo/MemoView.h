#pragma once

#include "ColorView.h"

#include <QTextBlock>

#include <vector>

class TColorMemo;

// The colouring pass's view of a TColorMemo: answers from the document and the layout of the
// visible blocks. Lines are blocks (the control never wraps). Positions are in viewport
// coordinates; lines outside the viewport get estimated positions above or below it, so no
// question costs more than the visible lines.
class TCMMemoView : public TCMView {
public:
    explicit TCMMemoView(const TColorMemo &memo) : m_memo(memo) {}

    int FirstVisibleLine() const override;
    int LineCount() const override;
    int LineFromChar(int index) const override;
    int LineIndex(int line) const override;
    int LineLength(int line) const override;
    int TextLength() const override;
    std::optional<QPoint> PosFromChar(int index) const override;
    int CharFromPos(QPoint point) const override;
    QRect TextRect() const override;
    int LineHeight() const override;
    int SelStart() const override;
    int SelLength() const override;
    bool Focused() const override;
    bool HideSelection() const override;
    void AppendText(int from, int to, QString &into) const override;

    // Top of a visible block in viewport coordinates, or none when it is not on screen.
    std::optional<int> BlockTop(int blockNumber) const;
    // Forgets the line positions; the control calls it when its font or layout changed,
    // which moves lines without touching the document or the scroll state.
    void Invalidate() { m_valid = false; }

private:
    struct VisibleBlock {
        int Number;
        int Top;
    };
    void Refresh() const;

    const TColorMemo &m_memo;
    // Tops of the blocks on screen, recomputed when the document, the scroll state or the
    // layout changed.
    mutable std::vector<VisibleBlock> m_visible;
    mutable bool m_valid = false;
    mutable int m_revision = -1;
    mutable int m_firstNumber = -1;
    mutable qreal m_offsetY = 0;
    mutable int m_height = -1;
};
