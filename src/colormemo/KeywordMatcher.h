#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// Finds every occurrence of a set of words in one sweep over a text (an automaton over all
// words at once), instead of one search per word. Occurrences may overlap; the caller picks.
class TCMKeywordMatcher {
public:
    // Builds the automaton for these words; equal words share one pattern number, which
    // WordPattern gives. With `upper` the text is read upper-cased character by character
    // (the words must then be upper-case already).
    void Build(const std::vector<QStringView> &words, bool upper);
    int WordCount() const { return int(m_wordPattern.size()); }
    int PatternCount() const { return int(m_patternLength.size()); }
    int WordPattern(int word) const { return m_wordPattern[size_t(word)]; }
    int PatternLength(int pattern) const { return m_patternLength[size_t(pattern)]; }
    bool Upper() const { return m_upper; }

    // Calls hit(pattern, start) for every occurrence of every pattern in the text, ordered by
    // the end of the occurrence.
    template <typename Hit> void Scan(QStringView text, Hit &&hit) const {
        if (m_patternLength.empty())
            return;
        const char16_t *p = text.utf16();
        const qsizetype n = text.size();
        std::uint32_t row = 0;
        for (qsizetype i = 0; i < n; ++i)
            row = Step(row, p[i], int(i), hit);
    }

    // Scan with two automata in one sweep: their steps do not depend on each other, so the
    // processor overlaps them.
    template <typename HitA, typename HitB>
    static void ScanPair(QStringView text, const TCMKeywordMatcher &a, HitA &&hitA,
                         const TCMKeywordMatcher &b, HitB &&hitB) {
        if (a.m_patternLength.empty()) {
            b.Scan(text, hitB);
            return;
        }
        if (b.m_patternLength.empty()) {
            a.Scan(text, hitA);
            return;
        }
        const char16_t *p = text.utf16();
        const qsizetype n = text.size();
        std::uint32_t rowA = 0;
        std::uint32_t rowB = 0;
        for (qsizetype i = 0; i < n; ++i) {
            rowA = a.Step(rowA, p[i], int(i), hitA);
            rowB = b.Step(rowB, p[i], int(i), hitB);
        }
    }

private:
    // One character: the next row, reporting the patterns that end at position i.
    template <typename Hit>
    std::uint32_t Step(std::uint32_t row, char16_t c, int i, Hit &hit) const {
        const std::uint32_t cls = c < 128 ? m_asciiClass[c] : WideClass(c);
        const std::uint32_t entry = m_delta[row + cls];
        row = entry & kRowMask;
        if (entry & kOutputFlag) [[unlikely]] {
            const int state = int(row / std::uint32_t(m_alphabet));
            for (int t = m_output[size_t(state)]; t >= 0; t = m_outputNext[size_t(t)]) {
                const int pattern = m_statePattern[size_t(t)];
                hit(pattern, i + 1 - m_patternLength[size_t(pattern)]);
            }
        }
        return row;
    }

    static constexpr std::uint32_t kOutputFlag = 0x80000000u;
    static constexpr std::uint32_t kRowMask = 0x7FFFFFFFu;

    std::uint32_t WideClass(char16_t c) const;

    bool m_upper = false;
    int m_alphabet = 1;                   // class 0: any character that no word uses
    std::uint16_t m_asciiClass[128] = {}; // with upper-casing already applied
    std::vector<std::pair<char16_t, std::uint16_t>> m_wideClass; // sorted by character
    // Row offset (state * alphabet) + class -> row offset of the next state, with
    // kOutputFlag set when some pattern ends in that state.
    std::vector<std::uint32_t> m_delta;
    std::vector<int> m_output;       // state -> first accepting state on its suffix chain, or -1
    std::vector<int> m_outputNext;   // accepting state -> next accepting state, or -1
    std::vector<int> m_statePattern; // state -> pattern accepted there, or -1
    std::vector<int> m_patternLength;
    std::vector<int> m_wordPattern;
};
