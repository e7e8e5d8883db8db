#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// Case folding for the search: with match case off every character maps to its upper-case
// form by the simple mapping, one character to one, so lengths and positions never change
// ("ß" stays "ß", "ä" becomes "Ä"). The 8-bit range goes through a 256-entry table, which
// maps every code to itself when case matters; characters above it fold by the same simple
// mapping.
class SearchFolding {
public:
    explicit SearchFolding(bool matchCase);

    bool MatchCase() const { return m_matchCase; }
    // The table of the 8-bit range.
    const std::array<char16_t, 256> &Table() const { return m_table; }

    char16_t Fold(char16_t c) const {
        if (c < 256)
            return m_table[c];
        return m_matchCase ? c : FoldWide(c);
    }
    // The text with every character folded.
    QString Fold(QStringView text) const;
    // Every code unit that folds to `folded`, in increasing order.
    std::vector<char16_t> Preimage(char16_t folded) const;

private:
    static char16_t FoldWide(char16_t c);

    bool m_matchCase;
    std::array<char16_t, 256> m_table;
};
