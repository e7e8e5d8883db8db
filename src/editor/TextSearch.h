#pragma once

#include "SearchFolding.h"
#include "TextSource.h"

#include <QString>

#include <vector>

// A search text prepared for searching: folded once, with the code units that can begin and
// end a match, so the scan over the text tests only those and folds only at candidates.
class SearchPattern {
public:
    SearchPattern(const QString &text, bool matchCase);

    // The text as it is compared (upper case when match case is off).
    const QString &Folded() const { return m_folded; }
    qsizetype Length() const { return m_folded.size(); }
    bool IsEmpty() const { return m_folded.isEmpty(); }
    const SearchFolding &Folding() const { return m_folding; }
    // Code units that fold to the first and to the last character of the text.
    const std::vector<char16_t> &FirstUnits() const { return m_first; }
    const std::vector<char16_t> &LastUnits() const { return m_last; }

private:
    SearchFolding m_folding;
    QString m_folded;
    std::vector<char16_t> m_first;
    std::vector<char16_t> m_last;
};

// The first position p >= from at which the whole pattern matches; -1 when there is none
// (also for an empty pattern). Matches are found wherever the source cuts its pieces.
qsizetype FindForward(const TextSource &source, const SearchPattern &pattern, qsizetype from);
// The last position p <= lastStart at which the whole pattern matches (inside the text);
// -1 when there is none.
qsizetype FindBackward(const TextSource &source, const SearchPattern &pattern, qsizetype lastStart);
