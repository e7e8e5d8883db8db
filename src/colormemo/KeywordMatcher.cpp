#include "KeywordMatcher.h"

#include "common/Helpers.h"

#include <algorithm>
#include <map>

std::uint32_t TCMKeywordMatcher::WideClass(char16_t c) const {
    if (m_upper) {
        c = upperChar(QChar(c)).unicode();
        if (c < 128)
            return m_asciiClass[c];
    }
    if (m_wideClass.empty())
        return 0;
    auto it = std::lower_bound(
        m_wideClass.begin(), m_wideClass.end(), c,
        [](const std::pair<char16_t, std::uint16_t> &e, char16_t v) { return e.first < v; });
    return it != m_wideClass.end() && it->first == c ? it->second : 0;
}

void TCMKeywordMatcher::Build(const std::vector<QStringView> &words, bool upper) {
    m_upper = upper;
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
            m_wideClass.emplace_back(ch, std::uint16_t(cls));
    }
    if (upper) {
        // Lower-case letters read as their upper-case forms.
        for (char16_t c = u'a'; c <= u'z'; ++c)
            m_asciiClass[c] = m_asciiClass[c - 32];
    }
    m_alphabet = next;

    // The trie of distinct words; equal words share one pattern.
    std::vector<std::vector<std::pair<int, int>>> children(1); // state -> (class, child)
    m_statePattern.assign(1, -1);
    m_patternLength.clear();
    m_wordPattern.clear();
    for (QStringView word : words) {
        if (word.isEmpty()) {
            m_wordPattern.push_back(-1);
            continue;
        }
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
                state = child;
            }
        }
        if (m_statePattern[size_t(state)] < 0) {
            m_statePattern[size_t(state)] = int(m_patternLength.size());
            m_patternLength.push_back(int(word.size()));
        }
        m_wordPattern.push_back(m_statePattern[size_t(state)]);
    }

    // Breadth first: failure links, the complete transition table and the output chains.
    // States are numbered in breadth-first order, so the rows of the shallow states, where a
    // scan spends most of its steps, lie together in memory.
    const size_t states = children.size();
    const size_t alpha = size_t(m_alphabet);
    std::vector<int> order; // breadth-first order of the trie states
    std::vector<int> number(states, 0);
    order.reserve(states);
    order.push_back(0);
    for (size_t i = 0; i < order.size(); ++i) {
        for (const auto &[cls, child] : children[size_t(order[i])]) {
            number[size_t(child)] = int(order.size());
            order.push_back(child);
        }
    }
    std::vector<int> delta(states * alpha, 0);
    std::vector<int> output(states, -1);
    std::vector<int> outputNext(states, -1);
    std::vector<int> statePattern(states, -1);
    std::vector<int> fail(states, 0);
    for (size_t i = 0; i < states; ++i)
        statePattern[size_t(number[i])] = m_statePattern[i];
    for (const auto &[cls, child] : children[0])
        delta[size_t(cls)] = number[size_t(child)];
    for (size_t i = 1; i < order.size(); ++i) {
        const int old = order[i];
        const int s = int(i);
        const int f = fail[size_t(s)];
        // Output chain: this state if it accepts, then the chain of its failure state.
        const int inherited = output[size_t(f)];
        if (statePattern[size_t(s)] >= 0) {
            output[size_t(s)] = s;
            outputNext[size_t(s)] = inherited;
        } else {
            output[size_t(s)] = inherited;
        }
        for (size_t c = 0; c < alpha; ++c)
            delta[size_t(s) * alpha + c] = delta[size_t(f) * alpha + c];
        for (const auto &[cls, child] : children[size_t(old)]) {
            const int childNumber = number[size_t(child)];
            fail[size_t(childNumber)] = delta[size_t(f) * alpha + size_t(cls)];
            delta[size_t(s) * alpha + size_t(cls)] = childNumber;
        }
    }
    m_statePattern = std::move(statePattern);
    m_output = std::move(output);
    m_outputNext = std::move(outputNext);
    m_delta.resize(delta.size());
    for (size_t i = 0; i < delta.size(); ++i) {
        const int target = delta[i];
        m_delta[i] = std::uint32_t(size_t(target) * alpha) |
                     (m_output[size_t(target)] >= 0 ? kOutputFlag : 0u);
    }
}
