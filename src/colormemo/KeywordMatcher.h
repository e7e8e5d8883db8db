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
    // Builds the automaton for these words; a word may appear several times, each copy gets
    // the same pattern number. WordPattern(i) gives the pattern of the i-th word.
    void Build(const std::vector<QStringView> &words);
    int WordCount() const { return int(m_wordPattern.size()); }
    int PatternCount() const { return int(m_patternLength.size()); }
    int WordPattern(int word) const { return m_wordPattern[size_t(word)]; }
    int PatternLength(int pattern) const { return m_patternLength[size_t(pattern)]; }

    // Calls hit(pattern, start) for every occurrence of every pattern in the text, ordered by
    // the end of the occurrence. With `upper` the text is read upper-cased character by
    // character (the words must then be upper-case already).
    template <typename Hit> void Scan(QStringView text, bool upper, Hit &&hit) const {
        if (m_patternLength.empty())
            return;
        const char16_t *p = text.utf16();
        const qsizetype n = text.size();
        int state = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const int cls = CharClass(p[i], upper);
            state = m_delta[size_t(state) * size_t(m_alphabet) + size_t(cls)];
            for (int t = m_output[size_t(state)]; t >= 0; t = m_outputNext[size_t(t)])
                hit(m_statePattern[size_t(t)],
                    int(i) + 1 - m_patternLength[size_t(m_statePattern[size_t(t)])]);
        }
    }

private:
    int CharClass(char16_t c, bool upper) const {
        if (c < 128) {
            if (upper && c >= u'a' && c <= u'z')
                c = char16_t(c - 32);
            return m_asciiClass[c];
        }
        return WideClass(c, upper);
    }
    int WideClass(char16_t c, bool upper) const;

    int m_alphabet = 1; // class 0: any character that no word uses
    std::uint16_t m_asciiClass[128] = {};
    std::vector<std::pair<char16_t, int>> m_wideClass; // sorted by character
    std::vector<int> m_delta;                          // state * alphabet + class -> state
    std::vector<int> m_output;       // state -> first accepting state on its suffix chain, or -1
    std::vector<int> m_outputNext;   // accepting state -> next accepting state, or -1
    std::vector<int> m_statePattern; // state -> pattern accepted there, or -1
    std::vector<int> m_patternLength;
    std::vector<int> m_wordPattern;
};
