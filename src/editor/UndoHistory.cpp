#include "UndoHistory.h"

#include "editor/UndoDocument.h"

#include <QStringList>

#include <algorithm>
#include <climits>

namespace {
// "Everything in common" before it is clipped to real lengths.
constexpr int unlimited = INT_MAX / 4;
} // namespace

UndoHistory::UndoHistory(UndoDocument &document)
    : m_document(document), m_length(document.length()) {
    // The root: the empty LastUndoText of a new window.
    m_nodes.push_back(Node{});
    markAllChanged();
}

void UndoHistory::markAllChanged() {
    m_changed = true;
    m_common = {0, 0};
    m_baseMiddle.assign(middleOf(m_base, {0, 0}));
}

void UndoHistory::restart() {
    // The root becomes the current text, with nothing to rebuild it from but the text itself.
    m_nodes.assign(1, Node{});
    m_nodes[0].length = m_length;
    m_freeNodes.clear();
    m_entries.clear();
    m_undoPos = 0;
    m_lastNode = 0;
    m_base = 0;
    m_changed = false;
    m_common = {};
    m_baseMiddle.assign(QString());
}

void UndoHistory::contentsChange(int position, int removed, int added, const QString &removedText) {
    if (m_restoring)
        return;
    const int before = m_length;
    const int length = m_document.length();
    m_length = length;
    if (position < 0 || removed < 0 || added < 0 || position + removed > before ||
        length != before - removed + added || removedText.size() != removed) {
        // What the text was is lost: keep nothing that would need it.
        restart();
        return;
    }
    // The characters [from, to) of the text before the change.
    const auto old = [&](int from, int to) {
        QString text;
        if (from < position)
            text += m_document.text(from, std::min(to, position) - from);
        const int a = std::max(from, position);
        const int b = std::min(to, position + removed);
        if (a < b)
            text += QStringView(removedText).mid(a - position, b - a);
        const int c = std::max(from, position + removed);
        if (c < to)
            text += m_document.text(c + added - removed, to - c);
        return text;
    };
    if (!m_changed) {
        m_changed = true;
        m_common = {position, before - position - removed};
        m_baseMiddle.assign(removedText);
        return;
    }
    // The changed range grows to take in this change; what it newly covers was still the
    // text of m_base before the change.
    const int oldEnd = before - m_common.suffix;
    const int from = std::min(m_common.prefix, position);
    const int to = std::max(oldEnd, position + removed);
    if (from < m_common.prefix)
        m_baseMiddle.replace(0, 0, old(from, m_common.prefix));
    if (oldEnd < to)
        m_baseMiddle.replace(m_baseMiddle.length(), 0, old(oldEnd, to));
    m_common = {from, before - to};
}

std::vector<UndoHistory::Move> UndoHistory::pathBetween(int from, int to) const {
    std::vector<int> up;
    for (int n = from; n >= 0; n = m_nodes[size_t(n)].parent)
        up.push_back(n);
    std::vector<int> down;
    for (int n = to; n >= 0; n = m_nodes[size_t(n)].parent)
        down.push_back(n);
    // Drop the common ancestors; what is left meets below the lowest of them.
    while (!up.empty() && !down.empty() && up.back() == down.back()) {
        up.pop_back();
        down.pop_back();
    }
    std::vector<Move> path;
    path.reserve(up.size() + down.size());
    for (int n : up)
        path.push_back({n, true});
    for (auto n = down.rbegin(); n != down.rend(); ++n)
        path.push_back({*n, false});
    return path;
}

UndoHistory::Common UndoHistory::commonOfPath(int from, int to) const {
    Common common{unlimited, unlimited};
    for (const Move &move : pathBetween(from, to)) {
        const Node &node = m_nodes[size_t(move.node)];
        common.prefix = std::min(common.prefix, node.step.prefix);
        common.suffix =
            std::min(common.suffix, node.length - node.step.prefix - int(node.step.after.size()));
    }
    return common;
}

QString UndoHistory::middleOf(int node, Common range) const {
    const int length = m_nodes[size_t(node)].length;
    if (length - range.suffix - range.prefix <= 0)
        return {};
    // The range is followed from the node to m_base step by step: where a step changed part
    // of it, that part is the step's own text; the rest is a range of the neighbour, and at
    // the end of the text of m_base. Only the requested characters are copied.
    struct Piece {
        QString text; // taken from a step
        int from = 0; // otherwise the range [from, to) of the text reached so far
        int to = 0;
        bool literal = false;
    };
    std::vector<Piece> pieces{{{}, range.prefix, length - range.suffix, false}};
    std::vector<Piece> next;
    for (const Move &move : pathBetween(node, m_base)) {
        const Step &step = m_nodes[size_t(move.node)].step;
        const QString &own = move.up ? step.after : step.before;
        const int start = step.prefix;
        const int end = start + int(own.size());
        const int shift = int(move.up ? step.before.size() : step.after.size()) - int(own.size());
        next.clear();
        const auto addRange = [&next](int from, int to) {
            if (!next.empty() && !next.back().literal && next.back().to == from)
                next.back().to = to;
            else
                next.push_back({{}, from, to, false});
        };
        for (Piece &piece : pieces) {
            if (piece.literal) {
                next.push_back(std::move(piece));
                continue;
            }
            if (piece.from < start)
                addRange(piece.from, std::min(piece.to, start));
            const int from = std::max(piece.from, start);
            const int to = std::min(piece.to, end);
            if (from < to)
                next.push_back({own.mid(from - start, to - from), 0, 0, true});
            if (piece.to > end)
                addRange(std::max(piece.from, end) + shift, piece.to + shift);
        }
        std::swap(pieces, next);
    }
    QString result;
    result.reserve(length - range.suffix - range.prefix);
    for (const Piece &piece : pieces)
        result += piece.literal ? piece.text : baseText(piece.from, piece.to);
    return result;
}

QString UndoHistory::baseText(int from, int to) const {
    if (to <= from)
        return {};
    if (!m_changed)
        return m_document.text(from, to - from);
    const int baseLength = m_nodes[size_t(m_base)].length;
    const int middleEnd = baseLength - m_common.suffix;
    const int shift = m_length - baseLength;
    QString text;
    text.reserve(to - from);
    if (from < m_common.prefix)
        text += m_document.text(from, std::min(to, m_common.prefix) - from);
    const int a = std::max(from, m_common.prefix);
    const int b = std::min(to, middleEnd);
    if (a < b)
        text += m_baseMiddle.mid(a - m_common.prefix, b - a);
    const int c = std::max(from, middleEnd);
    if (c < to)
        text += m_document.text(c + shift, to - c);
    return text;
}

QString UndoHistory::lastText(int from, int to) const {
    const int length = m_nodes[size_t(m_lastNode)].length;
    if (to <= from)
        return {};
    return middleOf(m_lastNode, {from, length - to});
}

QString UndoHistory::LastUndoText() const {
    return middleOf(m_lastNode, {0, 0});
}

UndoHistory::Step UndoHistory::diffToCurrent(int node) const {
    const Common path = commonOfPath(m_base, node);
    const Common own = m_changed ? m_common : Common{unlimited, unlimited};
    const int length = m_length;
    const int shorter = std::min(length, m_nodes[size_t(node)].length);
    Common range;
    range.prefix = std::min({own.prefix, path.prefix, shorter});
    range.suffix = std::min({own.suffix, path.suffix, shorter - range.prefix});

    return trimmed(range.prefix, middleOf(node, range),
                   m_document.text(range.prefix, length - range.suffix - range.prefix));
}

UndoHistory::Step UndoHistory::trimmed(int prefix, QString before, QString after) {
    // Only what really differs is kept.
    const qsizetype both = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < both && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < both - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const qsizetype removed = before.size() - head - tail;
    const qsizetype added = after.size() - head - tail;
    if ((removed == 0) != (added == 0)) {
        // Lines put in or taken out whole may match at several places (a line removed before
        // a line that starts like it). Of the places the change can slide to, one at the
        // start of a line is taken, so that an undo or redo takes the very lines the edit
        // did, and the marks on the others stay where they are.
        const QString &text = removed > 0 ? before : after;
        const qsizetype size = std::max(removed, added);
        qsizetype at = head;
        while (at > 0 && text[at - 1] != u'\n' && text[at - 1] == text[at + size - 1])
            --at;
        if (at > 0 && text[at - 1] == u'\n') {
            tail += head - at;
            head = at;
        }
    }
    if (head == 0 && tail == 0)
        return {prefix, std::move(before), std::move(after)};
    return {prefix + int(head), before.mid(head, before.size() - head - tail),
            after.mid(head, after.size() - head - tail)};
}

int UndoHistory::addNode(int parent, Step step, int length) {
    Node node{parent, std::move(step), length, true};
    if (m_freeNodes.empty()) {
        m_nodes.push_back(std::move(node));
        return int(m_nodes.size()) - 1;
    }
    const int index = m_freeNodes.back();
    m_freeNodes.pop_back();
    m_nodes[size_t(index)] = std::move(node);
    return index;
}

void UndoHistory::prune() {
    std::vector<int> uses(m_nodes.size(), 0);
    for (const Entry &entry : m_entries)
        ++uses[size_t(entry.node)];
    ++uses[size_t(m_lastNode)];
    ++uses[size_t(m_base)];
    std::vector<int> children(m_nodes.size(), 0);
    for (const Node &node : m_nodes)
        if (node.alive && node.parent >= 0)
            ++children[size_t(node.parent)];
    const auto drop = [&](int index) {
        m_nodes[size_t(index)] = Node{};
        m_nodes[size_t(index)].alive = false;
        m_freeNodes.push_back(index);
    };
    bool dropped = true;
    while (dropped) {
        dropped = false;
        for (size_t i = 0; i < m_nodes.size(); ++i) {
            Node &node = m_nodes[i];
            if (!node.alive || uses[i] > 0)
                continue;
            if (children[i] == 0) {
                // A text nobody needs at the end of a branch.
                if (node.parent >= 0)
                    --children[size_t(node.parent)];
                drop(int(i));
                dropped = true;
            } else if (node.parent < 0 && children[i] == 1) {
                // An unneeded root: its only child becomes the root.
                for (Node &child : m_nodes)
                    if (child.alive && child.parent == int(i)) {
                        child.parent = -1;
                        child.step = Step{};
                    }
                drop(int(i));
                dropped = true;
            }
        }
    }
}

std::vector<UndoHistory::Span> UndoHistory::changedSpans() const {
    // Every edit from LastUndoText to the current text widens or adds a span; outside the
    // spans both texts hold the same characters, shifted by the spans before.
    std::vector<Span> spans;
    const auto edit = [&spans](int start, int end, int newLength) {
        const int delta = newLength - (end - start);
        size_t first = 0;
        while (first < spans.size() && spans[first].t1 < start)
            ++first;
        size_t last = first;
        while (last < spans.size() && spans[last].t0 <= end)
            ++last;
        const int shiftBefore = first > 0 ? spans[first - 1].t1 - spans[first - 1].l1 : 0;
        Span merged;
        if (first < last) {
            const Span &a = spans[first];
            const Span &b = spans[last - 1];
            merged.t0 = std::min(start, a.t0);
            merged.l0 = a.t0 <= start ? a.l0 : start - shiftBefore;
            merged.l1 = b.t1 >= end ? b.l1 : end - (b.t1 - b.l1);
            merged.t1 = std::max(end, b.t1) + delta;
        } else {
            merged = {start, end + delta, start - shiftBefore, end - shiftBefore};
        }
        for (size_t k = last; k < spans.size(); ++k) {
            spans[k].t0 += delta;
            spans[k].t1 += delta;
        }
        spans.erase(spans.begin() + qsizetype(first), spans.begin() + qsizetype(last));
        spans.insert(spans.begin() + qsizetype(first), merged);
    };
    for (const Move &move : pathBetween(m_lastNode, m_base)) {
        const Step &step = m_nodes[size_t(move.node)].step;
        if (move.up)
            edit(step.prefix, step.prefix + int(step.after.size()), int(step.before.size()));
        else
            edit(step.prefix, step.prefix + int(step.before.size()), int(step.after.size()));
    }
    if (m_changed) {
        const int baseLength = m_nodes[size_t(m_base)].length;
        edit(m_common.prefix, baseLength - m_common.suffix,
             m_length - m_common.suffix - m_common.prefix);
    }
    return spans;
}

void UndoHistory::SaveUndoState() {
    if (!m_changed && m_base == m_lastNode)
        return;
    // Compared with LastUndoText only where an edit since it may have changed something.
    const std::vector<Span> spans = changedSpans();
    const int lastLength = m_nodes[size_t(m_lastNode)].length;
    bool same = m_length == lastLength;
    QStringList current;
    for (const Span &span : spans) {
        current << m_document.text(span.t0, span.t1 - span.t0);
        same = same && current.last() == lastText(span.l0, span.l1);
    }
    if (!same && spans.size() > 1 && m_length == lastLength) {
        // Spans can differ one by one while the texts are equal: an edit after an undo may
        // put back elsewhere what the undo took away (an "a" typed before an "a" the undo
        // removed). The texts can differ only from the first span to the last.
        const Span &first = spans.front();
        const Span &last = spans.back();
        same = m_document.text(first.t0, last.t1 - first.t0) == lastText(first.l0, last.l1);
    }
    if (same) {
        // Changed and changed back: the text is LastUndoText again.
        m_base = m_lastNode;
        m_changed = false;
        m_baseMiddle.assign(QString());
        return;
    }
    // The new snapshot hangs below the text it was edited from; an unchanged text (a
    // restored entry) is that text's node itself.
    Step fromBase;
    if (m_changed && m_base == m_lastNode && spans.size() == 1)
        fromBase = trimmed(spans[0].t0, lastText(spans[0].l0, spans[0].l1),
                           current[0]); // the one span is the change itself: no second read
    else if (m_changed)
        fromBase = diffToCurrent(m_base);
    int node = m_base;
    if (!fromBase.before.isEmpty() || !fromBase.after.isEmpty())
        node = addNode(m_base, std::move(fromBase), m_length);

    if (m_undoPos >= stateCount) {
        // The oldest entry is dropped and all others move down by one.
        m_entries.erase(m_entries.begin());
        m_undoPos = stateCount - 1;
    }
    const Entry entry{node, m_document.caret()};
    if (m_undoPos < UndoTop())
        m_entries[size_t(m_undoPos)] = entry;
    else
        m_entries.push_back(entry);
    ++m_undoPos;
    m_lastNode = node;
    m_base = node;
    m_changed = false;
    m_baseMiddle.assign(QString());
    prune();
}

void UndoHistory::restore(int number) {
    const Entry entry = m_entries[size_t(number - 1)];
    // Step by step from the current text to the entry: each write is one edit's size, however
    // far apart the edits lie.
    m_restoring = true;
    if (m_changed) {
        const Step back = diffToCurrent(m_base);
        if (!back.before.isEmpty() || !back.after.isEmpty())
            m_document.replace(back.prefix, int(back.after.size()), back.before);
    }
    for (const Move &move : pathBetween(m_base, entry.node)) {
        const Step &step = m_nodes[size_t(move.node)].step;
        if (move.up)
            m_document.replace(step.prefix, int(step.after.size()), step.before);
        else
            m_document.replace(step.prefix, int(step.before.size()), step.after);
    }
    m_restoring = false;
    m_length = m_document.length();
    const bool baseChanged = m_base != entry.node;
    m_base = entry.node;
    m_changed = false;
    m_baseMiddle.assign(QString());
    m_document.setCaret(std::clamp(entry.offset, 0, m_length));
    if (baseChanged)
        prune();
}

void UndoHistory::Undo() {
    if (m_undoPos <= 0)
        return;
    restore(m_undoPos);
    --m_undoPos;
    m_document.setModified();
}

void UndoHistory::Redo() {
    if (m_undoPos >= UndoTop())
        return;
    ++m_undoPos;
    restore(m_undoPos);
    m_document.setModified();
}

UndoHistory::UndoState UndoHistory::UndoStates(int number) const {
    if (number < 1 || number > UndoTop())
        return {};
    const Entry &entry = m_entries[size_t(number - 1)];
    return {middleOf(entry.node, {0, 0}), entry.offset};
}

qsizetype UndoHistory::historyBytes() const {
    qsizetype total = m_baseMiddle.bytes();
    total += qsizetype(m_entries.capacity() * sizeof(Entry));
    total += qsizetype(m_nodes.capacity() * sizeof(Node));
    for (const Node &node : m_nodes)
        total +=
            (node.step.before.capacity() + node.step.after.capacity()) * qsizetype(sizeof(QChar));
    return total;
}
