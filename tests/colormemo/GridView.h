#pragma once

#include "colormemo/ColorView.h"

#include <QString>

#include <algorithm>
#include <vector>

// A text control made of fixed character cells, for testing the colouring pass without a
// window: every character (tabs too) is one cell of CellWidth x CellHeight pixels, line
// FirstLine is at the top, Rows lines fit fully and half of the next one shows. Lines end
// with LF or CR LF.
class TGridView : public TCMView {
public:
    static constexpr int CellWidth = 8;
    static constexpr int CellHeight = 16;

    explicit TGridView(const QString &text = QString(), int rows = 50) : Rows(rows) {
        SetText(text);
    }

    void SetText(const QString &text) {
        Text = text;
        m_lineStarts.assign(1, 0);
        for (int i = 0; i < int(text.size()); ++i) {
            if (text[i] == u'\n')
                m_lineStarts.push_back(i + 1);
        }
    }
    // Selects `length` characters from `start` (0: just the caret).
    void Select(int start, int length = 0) {
        Start = start;
        Length = length;
    }

    int FirstVisibleLine() const override { return FirstLine; }
    int LineCount() const override { return int(m_lineStarts.size()); }
    int LineFromChar(int index) const override {
        auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), index);
        return int(it - m_lineStarts.begin()) - 1;
    }
    int LineIndex(int line) const override {
        return line < LineCount() ? m_lineStarts[size_t(line)] : int(Text.size());
    }
    int LineLength(int line) const override {
        const int start = LineIndex(line);
        if (line + 1 >= LineCount())
            return int(Text.size()) - start;
        int end = m_lineStarts[size_t(line) + 1] - 1; // the LF
        if (end > start && Text[end - 1] == u'\r')
            --end;
        return end - start;
    }
    int TextLength() const override { return int(Text.size()); }
    std::optional<QPoint> PosFromChar(int index) const override {
        if (index < 0 || index > TextLength())
            return std::nullopt;
        const int line = LineFromChar(index);
        return QPoint((index - LineIndex(line)) * CellWidth, (line - FirstLine) * CellHeight);
    }
    int CharFromPos(QPoint point) const override {
        if (point.x() < 0 || point.y() < 0)
            return -1;
        const int line = FirstLine + point.y() / CellHeight;
        if (line >= LineCount())
            return TextLength();
        return LineIndex(line) + std::min(point.x() / CellWidth, LineLength(line));
    }
    QRect TextRect() const override {
        return QRect(0, 0, 200 * CellWidth, Rows * CellHeight + CellHeight / 2);
    }
    int LineHeight() const override { return CellHeight; }
    int SelStart() const override { return Start; }
    int SelLength() const override { return Length; }
    bool Focused() const override { return HasFocus; }
    bool HideSelection() const override { return HidesSelection; }
    void AppendText(int from, int to, QString &into) const override {
        ++AppendCalls;
        CopiedChars += std::max(0, to - from);
        into.append(QStringView(Text).mid(from, to - from));
    }

    QString Text;
    int FirstLine = 0;
    int Rows = 50;
    int Start = 0;
    int Length = 0;
    bool HasFocus = true;
    bool HidesSelection = true;
    mutable int AppendCalls = 0;
    mutable long long CopiedChars = 0;

private:
    std::vector<int> m_lineStarts;
};
