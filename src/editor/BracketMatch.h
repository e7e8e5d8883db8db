#pragma once

#include <QStringView>

class TextSource;

// The partner of the bracket at the caret, on plain text. Brackets in strings, character
// literals, text blocks and comments do not count. The search never reads more than
// SearchLimit characters on either side of the caret, so a keystroke in a huge file stays
// cheap.
namespace BracketMatch {

inline constexpr int SearchLimit = 200000;

enum class Status {
    None,      // no bracket of code next to the caret
    Matched,   // bracket and partner found
    Unmatched, // the bracket has no partner (or a wrong one) in the text
    Unknown    // the partner would lie beyond the search limit
};

struct Result {
    Status status = Status::None;
    int bracket = -1; // offset of the bracket next to the caret
    int partner = -1; // offset of its partner when matched
};

// The part of a text of `length` characters that a search at `caret` reads: [from, to).
struct Window {
    int from = 0;
    int to = 0;
};
Window WindowAround(int caret, int length, int limit = SearchLimit);

// The bracket just before the caret (preferred) or just after it, and its partner. `text`
// holds the characters [offset, offset + text.size()) of a text of `length` characters,
// line breaks as '\n'; a window that does not start at the text's start is read from its
// first line start on. A block comment that began before the window is noticed at its end
// ("*/" in code), and the brackets before that point are dropped.
Result Find(QStringView text, int offset, int length, int caret);

// The same search on a text in pieces, copying out only the window around the caret.
Result Find(const TextSource &source, int caret);

// Where Ctrl+M puts the caret: just after the partner; none unless matched.
int CaretAfterJump(const Result &result);

} // namespace BracketMatch
