#pragma once

#include "ColorText.h"

#include <QtGlobal>

#include <vector>

// Font styles of a span, added to the control's own font style.
enum TFontStyle : quint8 {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = quint8;

// The two priorities above the rules' own: hot-spot text, and the markers around it.
inline constexpr quint8 kHotSpotTextZOrder = 252;
inline constexpr quint8 kHotSpotMarkerZOrder = 253;

// One coloured span, and also one painted run: the characters StartPos..EndPos (inclusive;
// EndPos < StartPos is empty) in a text colour, background colour and font style.
struct TKeyDescr {
    int StartPos = 0;
    int EndPos = -1;
    TColor Color = 0;
    TColor BrushColor = 0;
    quint8 ZOrder = 0;      // priority (see the reserved values below)
    bool IsKeyword = false; // found by a keyword rule
    TFontStyles Style = 0;
    bool IgnoreOthers = false; // the rule's IgnoreOtherRules

    bool operator==(const TKeyDescr &other) const = default;
};

// The span and run records of the control: records are kept and reused, so a steady pass
// allocates nothing. Spans are the records before the run mark, runs those from it on.
class TKeyDescrList {
public:
    int Count() const { return m_count; }
    TKeyDescr &operator[](int index) { return m_items[size_t(index)]; }
    const TKeyDescr &operator[](int index) const { return m_items[size_t(index)]; }

    // Marks every record unused.
    void Clear() {
        m_count = 0;
        m_runMark = 0;
    }
    // Drops the records from `count` on.
    void Truncate(int count) { m_count = count; }
    // The next record, reused or new, with its style set to `style`; the caller fills the rest.
    TKeyDescr &Add(TFontStyles style) {
        if (size_t(m_count) == m_items.size())
            m_items.emplace_back();
        TKeyDescr &item = m_items[size_t(m_count++)];
        item = TKeyDescr();
        item.Style = style;
        return item;
    }
    // Appends a copy of a record of this list.
    TKeyDescr &AddCopy(int index) {
        if (size_t(m_count) == m_items.size())
            m_items.emplace_back();
        m_items[size_t(m_count)] = m_items[size_t(index)];
        return m_items[size_t(m_count++)];
    }

    // Where the runs begin.
    int RunMark() const { return m_runMark; }
    void SetRunMark() { m_runMark = m_count; }

private:
    std::vector<TKeyDescr> m_items;
    int m_count = 0;
    int m_runMark = 0;
};
