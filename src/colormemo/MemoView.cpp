#include "MemoView.h"

#include "ColorMemo.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

void TCMMemoView::Refresh() const {
    const QTextDocument *doc = m_memo.document();
    const QTextBlock first = m_memo.firstVisibleBlock();
    const qreal offsetY = m_memo.contentOffset().y();
    const int height = m_memo.viewport()->height();
    if (m_valid && doc->revision() == m_revision && first.blockNumber() == m_firstNumber &&
        offsetY == m_offsetY && height == m_height)
        return;
    m_valid = true;
    m_revision = doc->revision();
    m_firstNumber = first.blockNumber();
    m_offsetY = offsetY;
    m_height = height;
    m_visible.clear();
    qreal top = offsetY;
    for (QTextBlock block = first; block.isValid() && top < height; block = block.next()) {
        m_visible.push_back({block.blockNumber(), int(top)});
        top += m_memo.blockBoundingRect(block).height();
    }
}

std::optional<int> TCMMemoView::BlockTop(int blockNumber) const {
    Refresh();
    if (m_visible.empty() || blockNumber < m_visible.front().Number ||
        blockNumber > m_visible.back().Number)
        return std::nullopt;
    return m_visible[size_t(blockNumber - m_visible.front().Number)].Top;
}

int TCMMemoView::FirstVisibleLine() const {
    return m_memo.firstVisibleBlock().blockNumber();
}

int TCMMemoView::LineCount() const {
    return m_memo.document()->blockCount();
}

int TCMMemoView::LineFromChar(int index) const {
    const QTextDocument *doc = m_memo.document();
    const QTextBlock block = doc->findBlock(std::clamp(index, 0, TextLength()));
    return block.isValid() ? block.blockNumber() : doc->blockCount() - 1;
}

int TCMMemoView::LineIndex(int line) const {
    const QTextBlock block = m_memo.document()->findBlockByNumber(line);
    return block.isValid() ? block.position() : TextLength();
}

int TCMMemoView::LineLength(int line) const {
    const QTextBlock block = m_memo.document()->findBlockByNumber(line);
    return block.isValid() ? block.length() - 1 : 0;
}

int TCMMemoView::TextLength() const {
    return m_memo.document()->characterCount() - 1;
}

std::optional<QPoint> TCMMemoView::PosFromChar(int index) const {
    if (index < 0 || index > TextLength())
        return std::nullopt;
    const QTextBlock block = m_memo.document()->findBlock(index);
    if (!block.isValid())
        return std::nullopt;
    Refresh();
    const int lineHeight = LineHeight();
    const int number = block.blockNumber();
    if (m_visible.empty() || number < m_visible.front().Number) {
        const int first = m_visible.empty() ? number + 1 : m_visible.front().Number;
        return QPoint(0, int(m_offsetY) - (first - number) * lineHeight);
    }
    if (number > m_visible.back().Number)
        return QPoint(0, m_height + (number - m_visible.back().Number) * lineHeight);
    const int top = m_visible[size_t(number - m_visible.front().Number)].Top;
    const QTextLayout *layout = block.layout();
    const int column = index - block.position();
    const QTextLine line = layout ? layout->lineForTextPosition(column) : QTextLine();
    const qreal x = m_memo.contentOffset().x() + (layout ? layout->position().x() : 0) +
                    (line.isValid() ? line.cursorToX(column) : 0);
    const qreal y = top + (layout ? layout->position().y() : 0) + (line.isValid() ? line.y() : 0);
    return QPoint(qRound(x), qRound(y));
}

int TCMMemoView::CharFromPos(QPoint point) const {
    if (!m_memo.viewport()->rect().contains(point))
        return -1;
    return m_memo.cursorForPosition(point).position();
}

QRect TCMMemoView::TextRect() const {
    return m_memo.viewport()->rect();
}

int TCMMemoView::LineHeight() const {
    return m_memo.fontMetrics().height();
}

int TCMMemoView::SelStart() const {
    return m_memo.textCursor().selectionStart();
}

int TCMMemoView::SelLength() const {
    const QTextCursor cursor = m_memo.textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

bool TCMMemoView::Focused() const {
    return m_memo.hasFocus();
}

bool TCMMemoView::HideSelection() const {
    return m_memo.HideSelection();
}

void TCMMemoView::AppendText(int from, int to, QString &into) const {
    const QTextDocument *doc = m_memo.document();
    for (QTextBlock block = doc->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const QString text = block.text();
        const int start = std::max(from - block.position(), 0);
        const int end = std::min(to - block.position(), int(text.size()) + 1);
        if (end <= start)
            continue;
        into.append(QStringView(text).mid(start, std::min(end, int(text.size())) - start));
        if (end > text.size())
            into.append(u'\n');
    }
}
