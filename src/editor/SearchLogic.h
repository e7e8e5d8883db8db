#pragma once

#include "TextSource.h"

#include <QString>

#include <vector>

// What find, find again and replace decide, apart from any window: the window hands in the
// text (as a TextSource), the caret and the dialog's values, and carries out the result.

struct SearchRequest {
    QString Text;
    bool MatchCase = false;
    bool Down = true;
    // Only matches that neither begin nor end inside a word (see IsWholeWord).
    bool WholeWord = false;
};

// A box the window shows with ShowWarningBox.
struct SearchMessage {
    QString Caption;
    QString Text;
    bool operator==(const SearchMessage &) const = default;
};

struct SearchOutcome {
    bool Searched = false; // false for an empty search text: nothing happens at all
    bool Found = false;
    qsizetype Position = -1; // start of the match, to be selected
    qsizetype Length = 0;
    std::vector<SearchMessage> Messages; // the box when nothing was found
};

// The word a find proposes: the characters from the caret on up to a tab, a line break or a
// character with a code from 32 to 47; empty when there is none.
QString WordAtCaret(const TextSource &text, qsizetype selStart);

// The text in a box about a failed search.
QString NotFoundText(const QString &searchText);

// Searches from next to the caret, never wrapping: downwards from selStart + 1, upwards from
// selStart - 1. A match that begins exactly at the caret is not found, so searching again
// moves on from the last match. The box names the text as compared (upper case when match
// case is off).
SearchOutcome SearchFromCaret(const TextSource &text, qsizetype selStart,
                              const SearchRequest &request);

// What a replace does: the ranges to replace (all of the search text's length, in the text
// as it was), then what to select or where the caret goes, and the boxes to show. Replace
// searches downwards only.
struct ReplaceOutcome {
    bool Searched = false;            // false for an empty search text: nothing happens at all
    std::vector<qsizetype> Positions; // ascending starts of the ranges to replace
    qsizetype Length = 0;             // length of each range
    // After the replacements: the match to select (Found), or the caret (SelectLength 0);
    // SelectStart is -1 when caret and selection stay as they were.
    bool Found = false;
    qsizetype SelectStart = -1;
    qsizetype SelectLength = 0;
    std::vector<SearchMessage> Messages;
    // After replace all: the status-bar text that says how many places were replaced.
    QString Status;
};

// The replace and replace-all buttons: the selection is replaced first when it equals the
// search text ignoring case (whatever the match-case option says), then the next match is
// searched; replace all goes on replacing while matches are found. Matches are searched
// from one character after the end of each replacement, so a match that touches the one
// before is left alone.
// With `wholeWord`, only whole-word matches count, the selection included.
ReplaceOutcome PlanReplace(const TextSource &text, qsizetype selStart, qsizetype selLength,
                           const QString &searchText, const QString &replaceText, bool matchCase,
                           bool replaceAll, bool wholeWord = false);

// The status-bar text after replace all: "12 Stellen ersetzt" ("1 Stelle ersetzt").
QString ReplacedCountText(qsizetype count);

// Whether the `length` characters from `position` neither begin nor end inside a word: the
// character before them and their first one are not both word characters, nor their last
// one and the one after them. Word characters are letters, digits, '_' and '$', as in Java
// names; a character outside the BMP counts whole.
bool IsWholeWord(const TextSource &text, qsizetype position, qsizetype length);

// Whether a selected text counts as the search text for replace: equal ignoring case.
bool SelectionMatches(QStringView selected, QStringView searchText);

// The characters from..from+length-1 of a text source.
QString TextRange(const TextSource &text, qsizetype from, qsizetype length);
