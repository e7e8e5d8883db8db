#pragma once

#include <QtGlobal>

#include <vector>

// The text ranges of the hot spots the last colouring pass found: pairs of first and last
// character index, in the order they were found.
class TcmHotKeywordList {
public:
    struct Range {
        int First = 0;
        int Last = 0;
        bool operator==(const Range &other) const = default;
    };

    TcmHotKeywordList() { m_items.reserve(10); }

    int Count() const { return int(m_items.size()); }
    const Range &operator[](int index) const { return m_items[size_t(index)]; }
    void Clear() { m_items.clear(); }
    void Add(int first, int last) { m_items.push_back({first, last}); }
    // The first range that holds the index, or none.
    const Range *Find(int index) const {
        for (const Range &range : m_items) {
            if (range.First <= index && index <= range.Last)
                return &range;
        }
        return nullptr;
    }

private:
    std::vector<Range> m_items;
};
