#include "BracketMatch.h"

#include "JavaLexState.h"

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

// The brackets of code in the window, in order.
std::vector<Bracket> CodeBrackets(QStringView text, int offset) {
    qsizetype i = 0;
    if (offset > 0) {
        // Mid-line the state is not known; a line start is outside strings and line comments.
        // A window without any line break is read from its start, as best it can be.
        const qsizetype lineBreak = text.indexOf(u'\n');
        i = lineBreak < 0 ? 0 : lineBreak + 1;
    }
    std::vector<Bracket> brackets;
    JavaLexState lex;
    while (i < text.size()) {
        bool code = false;
        const int width = lex.step(text, i, code);
        if (code && IsBracket(text[i].unicode()))
            brackets.push_back({offset + int(i), text[i].unicode()});
        else if (lex.strayCommentEnd() && offset > 0)
            brackets.clear(); // all before was inside a comment that began earlier
        i += width;
    }
    return brackets;
}

} // namespace

Window WindowAround(int caret, int length, int limit) {
    caret = std::clamp(caret, 0, length);
    // One more on each side: the bracket itself may stand just before or after the caret.
    return {std::max(0, caret - limit - 1), std::min(length, caret + limit + 1)};
}

Result Find(QStringView text, int offset, int length, int caret) {
    const std::vector<Bracket> brackets = CodeBrackets(text, offset);
    const auto at = [&](int position) {
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
    Result result{Status::Unmatched, own.position, -1};
    const bool forward = IsOpen(own.c);
    std::vector<char16_t> pending; // brackets opened (or closed) between, waiting for theirs
    const std::ptrdiff_t stepBy = forward ? 1 : -1;
    for (std::ptrdiff_t j = index + stepBy; j >= 0 && j < std::ptrdiff_t(brackets.size());
         j += stepBy) {
        const char16_t c = brackets[size_t(j)].c;
        if (IsOpen(c) == forward) {
            pending.push_back(c);
            continue;
        }
        if (!pending.empty()) {
            // A wrong partner inside is forgiven; it only matters for the outer bracket.
            pending.pop_back();
            continue;
        }
        if (c == PartnerOf(own.c))
            result = {Status::Matched, own.position, brackets[size_t(j)].position};
        return result;
    }
    const bool windowEnds = forward ? offset + int(text.size()) < length : offset > 0;
    if (windowEnds)
        result.status = Status::Unknown;
    return result;
}

int CaretAfterJump(const Result &result) {
    return result.status == Status::Matched ? result.partner + 1 : -1;
}

} // namespace BracketMatch
