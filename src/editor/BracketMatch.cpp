#include "BracketMatch.h"

#include "JavaLexState.h"
#include "TextSource.h"

#include <algorithm>
#include <vector>

namespace BracketMatch {

namespace {

struct Bracket {
    int position;
    char16_t c;
};

bool IsOpen(char16_t c) {
    return c == u'(' || c == u'[' || c == u'{';
}

bool IsBracket(char16_t c) {
    return IsOpen(c) || c == u')' || c == u']' || c == u'}';
}

char16_t PartnerOf(char16_t c) {
    switch (c) {
    case u'(':
        return u')';
    case u'[':
        return u']';
    case u'{':
        return u'}';
    case u')':
        return u'(';
    case u']':
        return u'[';
    default:
        return u'{';
    }
}

// Reads the window's code brackets in order, as far as asked.
class BracketReader {
public:
    BracketReader(QStringView text, int offset) : m_text(text), m_offset(offset) {
        if (offset > 0) {
            // Mid-line the state is not known; a line start is outside strings and line
            // comments. A window without any line break is read from its start, as best it can.
            const qsizetype lineBreak = text.indexOf(u'\n');
            m_next = lineBreak < 0 ? 0 : lineBreak + 1;
        }
    }

    // Reads up to the window index `end` (exclusive); false when nothing is left to read.
    bool readTo(qsizetype end) {
        end = std::min(end, m_text.size());
        if (m_next >= m_text.size())
            return false;
        while (m_next < end) {
            bool code = false;
            const int width = m_lex.step(m_text, m_next, code);
            const char16_t c = m_text[m_next].unicode();
            if (code && IsBracket(c))
                m_brackets.push_back({m_offset + int(m_next), c});
            else if (m_lex.strayCommentEnd() && m_offset > 0) {
                m_brackets.clear(); // all before was inside a comment that began earlier
                ++m_clears;
            }
            m_next += width;
        }
        return true;
    }

    const std::vector<Bracket> &brackets() const { return m_brackets; }
    // How often the brackets read so far were dropped.
    int clears() const { return m_clears; }

private:
    QStringView m_text;
    int m_offset;
    qsizetype m_next = 0;
    JavaLexState m_lex;
    std::vector<Bracket> m_brackets;
    int m_clears = 0;
};

} // namespace

Window WindowAround(int caret, int length, int limit) {
    caret = std::clamp(caret, 0, length);
    // One more on each side: the bracket itself may stand just before or after the caret.
    return {std::max(0, caret - limit - 1), std::min(length, caret + limit + 1)};
}

Result Find(QStringView text, int offset, int length, int caret) {
    // The state at the caret needs everything before it; after it, reading stops at the
    // partner.
    BracketReader reader(text, offset);
    reader.readTo(qsizetype(caret) - offset + 1);
    const std::vector<Bracket> &brackets = reader.brackets();
    const auto at = [&](int position) -> std::ptrdiff_t {
        const auto it = std::lower_bound(brackets.begin(), brackets.end(), position,
                                         [](const Bracket &b, int p) { return b.position < p; });
        return it != brackets.end() && it->position == position ? it - brackets.begin() : -1;
    };
    std::ptrdiff_t index = at(caret - 1);
    if (index < 0)
        index = at(caret);
    if (index < 0)
        return {};

    const Bracket own = brackets[size_t(index)];
    const bool forward = IsOpen(own.c);
    std::vector<char16_t> pending; // brackets opened (or closed) between, waiting for theirs
    // Whether the bracket at j settles the search; fills `result` when it does.
    Result result{Status::Unmatched, own.position, -1};
    const auto settles = [&](const Bracket &b) {
        if (IsOpen(b.c) == forward) {
            pending.push_back(b.c);
            return false;
        }
        if (!pending.empty()) {
            // A wrong partner inside is forgiven; it only matters for the outer bracket.
            pending.pop_back();
            return false;
        }
        if (b.c == PartnerOf(own.c))
            result = {Status::Matched, own.position, b.position};
        return true;
    };
    if (forward) {
        size_t j = size_t(index) + 1;
        qsizetype readEnd = qsizetype(caret) - offset + 1;
        const int clears = reader.clears();
        for (;;) {
            for (; j < reader.brackets().size(); ++j)
                if (settles(reader.brackets()[j]))
                    return result;
            readEnd += 4096;
            if (!reader.readTo(readEnd))
                break;
            if (reader.clears() != clears)
                return {}; // the bracket was inside a comment after all
        }
    } else {
        for (std::ptrdiff_t j = index - 1; j >= 0; --j)
            if (settles(brackets[size_t(j)]))
                return result;
    }
    const bool windowEnds = forward ? offset + int(text.size()) < length : offset > 0;
    if (windowEnds)
        result.status = Status::Unknown;
    return result;
}

Result Find(const TextSource &source, int caret) {
    const int length = int(source.Length());
    const Window window = WindowAround(caret, length);
    QString text;
    text.reserve(window.to - window.from);
    for (int i = source.PieceIndexAt(window.from); i < source.PieceCount(); ++i) {
        const TextSource::Piece piece = source.PieceAt(i);
        if (piece.Start >= window.to)
            break;
        const qsizetype skip = std::max<qsizetype>(0, window.from - piece.Start);
        text += piece.Text.mid(skip, std::max<qsizetype>(0, window.to - piece.Start - skip));
        if (piece.BreakAfter && piece.Start + piece.Text.size() >= window.from &&
            piece.Start + piece.Text.size() < window.to)
            text += u'\n';
    }
    return Find(text, window.from, length, caret);
}

int CaretAfterJump(const Result &result) {
    return result.status == Status::Matched ? result.partner + 1 : -1;
}

} // namespace BracketMatch
