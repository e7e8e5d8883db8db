#include "KeywordMatcher.h"

#include <algorithm>
#include <deque>
#include <map>

int TCMKeywordMatcher::WideClass(char16_t c, bool upper) const {
    if (upper) {
        c = QChar(c).toUpper().unicode();
        if (c < 128)
            return m_asciiClass[c];
    }
    if (m_wideClass.empty())
        return 0;
    auto it =
        std::lower_bound(m_wideClass.begin(), m_wideClass.end(), c,
                         [](const std::pair<char16_t, int> &e, char16_t v) { return e.first < v; });
    return it != m_wideClass.end() && it->first == c ? it->second : 0;
}

void TCMKeywordMatcher::Build(const std::vector<QStringView> &words) {
    // Alphabet: one class per character that some word uses.
    std::fill(std::begin(m_asciiClass), std::end(m_asciiClass), std::uint16_t(0));
    m_wideClass.clear();
    std::map<char16_t, int> classes;
    for (QStringView word : words) {
        for (QChar ch : word)
            classes.emplace(ch.unicode(), 0);
    }
    int next = 1;
    for (auto &[ch, cls] : classes) {
        cls = next++;
        if (ch < 128)
            m_asciiClass[ch] = std::uint16_t(cls);
        else
            m_wideClass.emplace_back(ch, cls);
    }
    m_alphabet = next;

    // The trie of distinct words; equal words share one pattern.
    std::vector<std::vector<std::pair<int, int>>> children(1); // state -> (class, child)
    m_statePattern.assign(1, -1);
    m_patternLength.clear();
    m_wordPattern.clear();
    std::vector<int> depth(1, 0);
    for (QStringView word : words) {
        int state = 0;
        for (QChar ch : word) {
            const int cls = classes[ch.unicode()];
            auto &kids = children[size_t(state)];
            auto it = std::find_if(kids.begin(), kids.end(),
                                   [cls](const std::pair<int, int> &k) { return k.first == cls; });
            if (it != kids.end()) {
                state = it->second;
            } else {
                const int child = int(children.size());
                kids.emplace_back(cls, child);
                children.emplace_back();
                m_statePattern.push_back(-1);
                depth.push_back(depth[size_t(state)] + 1);
                state = child;
            }
        }
        if (word.isEmpty()) {
            m_wordPattern.push_back(-1);
            continue;
        }
        if (m_statePattern[size_t(state)] < 0) {
            m_statePattern[size_t(state)] = int(m_patternLength.size());
            m_patternLength.push_back(int(word.size()));
        }
        m_wordPattern.push_back(m_statePattern[size_t(state)]);
    }

    // Breadth-first: failure links, the complete transition table and the output chains.
    const size_t states = children.size();
    const size_t alpha = size_t(m_alphabet);
    m_delta.assign(states * alpha, 0);
    m_output.assign(states, -1);
    m_outputNext.assign(states, -1);
    std::vector<int> fail(states, 0);
    std::deque<int> queue;
    for (const auto &[cls, child] : children[0]) {
        m_delta[size_t(cls)] = child;
        queue.push_back(child);
    }
    while (!queue.empty()) {
        const int s = queue.front();
        queue.pop_front();
        const int f = fail[size_t(s)];
        // Output chain: this state if it accepts, then the chain of its failure state.
        const int inherited = m_output[size_t(f)];
        if (m_statePattern[size_t(s)] >= 0) {
            m_output[size_t(s)] = s;
            m_outputNext[size_t(s)] = inherited;
        } else {
            m_output[size_t(s)] = inherited;
        }
        for (size_t c = 0; c < alpha; ++c)
            m_delta[size_t(s) * alpha + c] = m_delta[size_t(f) * alpha + c];
        for (const auto &[cls, child] : children[size_t(s)]) {
            fail[size_t(child)] = m_delta[size_t(f) * alpha + size_t(cls)];
            m_delta[size_t(s) * alpha + size_t(cls)] = child;
            queue.push_back(child);
        }
    }
}
