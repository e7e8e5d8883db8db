#include "UndoHistory.h"

#include "editor/UndoDocument.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {
// "Everything in common" before it is clipped to real lengths.
constexpr int unlimited = INT_MAX / 4;
} // namespace

UndoHistory::UndoHistory(UndoDocument &document)
    : m_document(document), m_length(document.length()) {
    markAllChanged();
}

void UndoHistory::markAllChanged() {
    m_changed = true;
    m_common = {0, 0};
}

void UndoHistory::textReset() {
    markAllChanged();
    m_length = m_document.length();
}

void UndoHistory::contentsChange(int position, int removed, int added) {
    if (m_restoring)
        return;
    const int length = m_document.length();
    if (position < 0 || removed < 0 || added < 0 || length != m_length - removed + added) {
        // The counts do not add up: trust nothing about this change.
        markAllChanged();
        m_length = length;
        return;
    }
    m_length = length;
    if (!m_changed) {
        m_changed = true;
        m_common = {unlimited, unlimited};
    }
    m_common.prefix = std::min(m_common.prefix, position);
    m_common.suffix = std::min(m_common.suffix, std::max(0, length - position - added));
    const int shorter = std::min(length, entryLength(m_base));
    m_common.prefix = std::min(m_common.prefix, shorter);
    m_common.suffix = std::min(m_common.suffix, shorter - m_common.prefix);
}

int UndoHistory::entryLength(int number) const {
    return number == 0 ? m_last.length() : m_entries[size_t(number - 1)].length;
}

UndoHistory::Common UndoHistory::commonOfPath(int from, int to) const {
    Common common{unlimited, unlimited};
    for (int i = std::min(from, to); i < std::max(from, to); ++i) {
        const Step &step = m_steps[size_t(i - 1)];
        common.prefix = std::min(common.prefix, step.prefix);
        common.suffix =
            std::min(common.suffix, entryLength(i) - step.prefix - int(step.before.size()));
    }
    return common;
}

QString UndoHistory::middleOf(int number, Common range) const {
    const int length = entryLength(number);
    if (length - range.suffix - range.prefix <= 0)
        return {};
    // The range is followed from the entry to the latest snapshot step by step: where a step
    // changed part of it, that part is the step's own text; the rest is a range of the
    // neighbour, and at the end of LastUndoText. Only the requested characters are copied.
    struct Piece {
        QString text; // taken from a step
        int from = 0; // otherwise the range [from, to) of the text reached so far
        int to = 0;
        bool literal = false;
    };
    std::vector<Piece> pieces{{{}, range.prefix, length - range.suffix, false}};
    std::vector<Piece> next;
    for (int level = number; level != m_lastNumber;) {
        const bool up = level < m_lastNumber;
        const Step &step = m_steps[size_t(up ? level - 1 : level - 2)];
        const QString &own = up ? step.before : step.after;
        const int start = step.prefix;
        const int end = start + int(own.size());
        const int shift = int(up ? step.after.size() : step.before.size()) - int(own.size());
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
        level += up ? 1 : -1;
    }
    QString result;
    result.reserve(length - range.suffix - range.prefix);
    for (const Piece &piece : pieces)
        result += piece.literal ? piece.text : m_last.mid(piece.from, piece.to - piece.from);
    return result;
}

UndoHistory::Step UndoHistory::diffToCurrent(int number) const {
    const Common path = commonOfPath(m_base, number);
    const Common own = m_changed ? m_common : Common{unlimited, unlimited};
    const int length = m_length;
    const int shorter = std::min(length, entryLength(number));
    Common range;
    range.prefix = std::min({own.prefix, path.prefix, shorter});
    range.suffix = std::min({own.suffix, path.suffix, shorter - range.prefix});

    Step step;
    step.before = middleOf(number, range);
    step.after = m_document.text(range.prefix, length - range.suffix - range.prefix);
    // Only what really differs is kept.
    const qsizetype both = std::min(step.before.size(), step.after.size());
    qsizetype head = 0;
    while (head < both && step.before[head] == step.after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < both - head &&
           step.before[step.before.size() - 1 - tail] == step.after[step.after.size() - 1 - tail])
        ++tail;
    step.prefix = range.prefix + int(head);
    step.before = step.before.mid(head, step.before.size() - head - tail);
    step.after = step.after.mid(head, step.after.size() - head - tail);
    return step;
}

void UndoHistory::SaveUndoState() {
    if (!m_changed && m_base == m_lastNumber)
        return;
    const Step toLast = diffToCurrent(m_lastNumber);
    if (toLast.before.isEmpty() && toLast.after.isEmpty()) {
        // Changed and changed back: the text is LastUndoText again.
        m_base = m_lastNumber;
        m_changed = false;
        return;
    }

    // Everything is worked out on the old entries before any of them changes.
    const bool shift = m_undoPos >= stateCount;
    int target = shift ? stateCount : m_undoPos + 1;
    const int lower = shift ? stateCount : target - 1;
    std::optional<Step> fromLower;
    if (lower >= 1)
        fromLower = diffToCurrent(lower);
    std::optional<Step> toUpper;
    if (!shift && target + 1 <= UndoTop()) {
        const Step up = diffToCurrent(target + 1);
        toUpper = Step{up.prefix, up.after, up.before};
    }
    const Entry entry{m_length, m_document.caret()};

    if (shift) {
        // The oldest entry is dropped and all others move down by one.
        m_entries.erase(m_entries.begin());
        m_steps.erase(m_steps.begin());
    }
    if (target <= UndoTop())
        m_entries[size_t(target - 1)] = entry;
    else
        m_entries.push_back(entry);
    if (fromLower) {
        if (size_t(target - 2) < m_steps.size())
            m_steps[size_t(target - 2)] = std::move(*fromLower);
        else
            m_steps.push_back(std::move(*fromLower));
    }
    if (toUpper)
        m_steps[size_t(target - 1)] = std::move(*toUpper);
    m_undoPos = target;
    m_last.replace(toLast.prefix, int(toLast.before.size()), toLast.after);
    m_lastNumber = target;
    m_base = target;
    m_changed = false;
}

void UndoHistory::restore(int number) {
    const Step step = diffToCurrent(number);
    if (!step.before.isEmpty() || !step.after.isEmpty()) {
        m_restoring = true;
        m_document.replace(step.prefix, int(step.after.size()), step.before);
        m_restoring = false;
    }
    m_length = m_document.length();
    m_base = number;
    m_changed = false;
    m_document.setCaret(std::clamp(m_entries[size_t(number - 1)].offset, 0, m_length));
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
    return {middleOf(number, {0, 0}), m_entries[size_t(number - 1)].offset};
}

qsizetype UndoHistory::historyBytes() const {
    qsizetype total = m_last.bytes();
    total += qsizetype(m_entries.capacity() * sizeof(Entry));
    total += qsizetype(m_steps.capacity() * sizeof(Step));
    for (const Step &step : m_steps)
        total += (step.before.capacity() + step.after.capacity()) * qsizetype(sizeof(QChar));
    return total;
}
