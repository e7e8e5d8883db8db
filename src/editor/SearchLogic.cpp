#include "SearchLogic.h"

#include "TextSearch.h"

#include <algorithm>

namespace {

const QString SearchCaption = QStringLiteral("Suchen");
const QString ReplaceCaption = QStringLiteral("Suchen/Ersetzen");

bool EndsWord(char16_t c) {
    return c == 9 || c == 10 || c == 13 || (c >= 32 && c <= 47);
}

bool IsWordCharacter(char32_t c) {
    return c == u'_' || c == u'$' || QChar::isLetterOrNumber(c);
}

// The character that ends right before `position` (0 at the start of the text).
char32_t CharacterBefore(const TextSource &text, qsizetype position) {
    if (position <= 0)
        return 0;
    const qsizetype from = std::max<qsizetype>(position - 2, 0);
    const QString units = TextRange(text, from, position - from);
    if (units.size() == 2 && units[0].isHighSurrogate() && units[1].isLowSurrogate())
        return QChar::surrogateToUcs4(units[0], units[1]);
    return units.isEmpty() ? 0 : units.back().unicode();
}

// The character that starts at `position` (0 at the end of the text).
char32_t CharacterAt(const TextSource &text, qsizetype position) {
    const QString units = TextRange(text, position, 2);
    if (units.size() == 2 && units[0].isHighSurrogate() && units[1].isLowSurrogate())
        return QChar::surrogateToUcs4(units[0], units[1]);
    return units.isEmpty() ? 0 : units.front().unicode();
}

// The nearest match from `from` on (downwards) or back (upwards), whole words only when
// asked for.
qsizetype FindMatch(const TextSource &text, const SearchPattern &pattern, qsizetype from, bool down,
                    bool wholeWord) {
    for (;;) {
        const qsizetype found =
            down ? FindForward(text, pattern, from) : FindBackward(text, pattern, from);
        if (found < 0 || !wholeWord || IsWholeWord(text, found, pattern.Length()))
            return found;
        from = down ? found + 1 : found - 1;
    }
}

} // namespace

bool IsWholeWord(const TextSource &text, qsizetype position, qsizetype length) {
    const auto inWord = [&](qsizetype at) {
        return IsWordCharacter(CharacterBefore(text, at)) && IsWordCharacter(CharacterAt(text, at));
    };
    return !inWord(position) && !inWord(position + length);
}

QString ReplacedCountText(qsizetype count) {
    return count == 1 ? QStringLiteral("1 Stelle ersetzt")
                      : QStringLiteral("%1 Stellen ersetzt").arg(count);
}

QString WordAtCaret(const TextSource &text, qsizetype selStart) {
    QString word;
    selStart = std::max<qsizetype>(selStart, 0);
    if (selStart >= text.Length())
        return word;
    for (int index = text.PieceIndexAt(selStart); index < text.PieceCount(); ++index) {
        const TextSource::Piece piece = text.PieceAt(index);
        const qsizetype from = std::max<qsizetype>(selStart - piece.Start, 0);
        for (qsizetype i = from; i < piece.Text.size(); ++i) {
            if (EndsWord(piece.Text[i].unicode()))
                return word;
            word.append(piece.Text[i]);
        }
        if (piece.BreakAfter)
            return word;
    }
    return word;
}

QString NotFoundText(const QString &searchText) {
    return QStringLiteral("Der Suchstring\r\n") + searchText +
           QStringLiteral("\r\nkonnte nicht gefunden werden");
}

SearchOutcome SearchFromCaret(const TextSource &text, qsizetype selStart,
                              const SearchRequest &request) {
    SearchOutcome outcome;
    if (request.Text.isEmpty())
        return outcome;
    outcome.Searched = true;
    const SearchPattern pattern(request.Text, request.MatchCase);
    const qsizetype start = std::max<qsizetype>(selStart, 0);
    const qsizetype found = FindMatch(text, pattern, request.Down ? start + 1 : start - 1,
                                      request.Down, request.WholeWord);
    if (found < 0) {
        outcome.Messages.push_back({SearchCaption, NotFoundText(pattern.Folded())});
        return outcome;
    }
    outcome.Found = true;
    outcome.Position = found;
    outcome.Length = pattern.Length();
    return outcome;
}

bool SelectionMatches(QStringView selected, QStringView searchText) {
    if (selected.size() != searchText.size())
        return false;
    const SearchFolding folding(false);
    for (qsizetype i = 0; i < selected.size(); ++i) {
        if (folding.Fold(selected[i].unicode()) != folding.Fold(searchText[i].unicode()))
            return false;
    }
    return true;
}

QString TextRange(const TextSource &text, qsizetype from, qsizetype length) {
    QString result;
    from = std::max<qsizetype>(from, 0);
    const qsizetype to = std::min(from + std::max<qsizetype>(length, 0), text.Length());
    for (int index = text.PieceIndexAt(from); index < text.PieceCount() && from < to; ++index) {
        const TextSource::Piece piece = text.PieceAt(index);
        const qsizetype begin = std::max(from, piece.Start) - piece.Start;
        const qsizetype end = std::min(to, piece.Start + piece.Text.size()) - piece.Start;
        if (end > begin)
            result.append(piece.Text.mid(begin, end - begin));
        if (piece.BreakAfter && to > piece.Start + piece.Text.size() &&
            from <= piece.Start + piece.Text.size())
            result.append(u'\n');
    }
    return result;
}

ReplaceOutcome PlanReplace(const TextSource &text, qsizetype selStart, qsizetype selLength,
                           const QString &searchText, const QString &replaceText, bool matchCase,
                           bool replaceAll, bool wholeWord) {
    ReplaceOutcome outcome;
    if (searchText.isEmpty())
        return outcome;
    outcome.Searched = true;
    const SearchPattern pattern(searchText, matchCase);
    const qsizetype length = pattern.Length();
    const qsizetype growth = replaceText.size() - length;
    outcome.Length = length;
    selStart = std::max<qsizetype>(selStart, 0);

    // Positions are in the text as it was; after k replacements before it, a position has
    // moved by k * growth.
    auto moved = [&](qsizetype position) {
        return position + qsizetype(outcome.Positions.size()) * growth;
    };
    qsizetype next = selStart + 1;
    if (selLength == length && SelectionMatches(TextRange(text, selStart, selLength), searchText) &&
        (!wholeWord || IsWholeWord(text, selStart, selLength))) {
        outcome.Positions.push_back(selStart);
        next = selStart + length + 1;
    }
    qsizetype found = FindMatch(text, pattern, next, true, wholeWord);
    while (replaceAll && found >= 0) {
        outcome.Positions.push_back(found);
        found = FindMatch(text, pattern, found + length + 1, true, wholeWord);
    }
    if (replaceAll)
        outcome.Status = ReplacedCountText(qsizetype(outcome.Positions.size()));
    if (found >= 0) {
        outcome.Found = true;
        outcome.SelectStart = moved(found);
        outcome.SelectLength = length;
        return outcome;
    }
    if (!outcome.Positions.empty())
        outcome.SelectStart = moved(outcome.Positions.back()) + length;
    outcome.Messages.push_back({SearchCaption, NotFoundText(pattern.Folded())});
    if (!replaceAll)
        outcome.Messages.push_back({ReplaceCaption, NotFoundText(searchText)});
    return outcome;
}
