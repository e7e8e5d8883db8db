#pragma once

#include "ColorText.h"

#include <QString>
#include <QStringView>

#include <vector>

// One prepared keyword of a rule: the text searched for (upper-cased when the rule ignores
// case) and the colour of its hits.
struct TPreparedKeyword {
    QString Text;
    TColor Color = 0;
};

// The prepared keywords of a rule, in the order of the rule's Keywords. Records are reused
// between preparations; only the first Count() are in use.
class TPreparedKeywordList {
public:
    qsizetype Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    const TPreparedKeyword &operator[](qsizetype index) const { return m_items[size_t(index)]; }
    const TPreparedKeyword &At(qsizetype index) const { return m_items[size_t(index)]; }
    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cbegin() + m_count; }

    // Marks every record unused; the records stay allocated.
    void Clear() { m_count = 0; }
    // The next record, reused or new; the caller fills it.
    TPreparedKeyword &Add();

private:
    std::vector<TPreparedKeyword> m_items;
    qsizetype m_count = 0;
};

// One record of a rule's begin/end table. Keys hold at most KeyLength characters (a longer
// key is cut) and are zero-terminated.
struct TBegEndEntry {
    static constexpr int KeyLength = 6;

    QChar BeginKey[KeyLength + 1] = {};
    QChar EndKey[KeyLength + 1] = {};
    quint8 BeginLength = 0;
    quint8 EndLength = 0;
    TColor Color = 0;
    TColor BrushColor = 0;

    QStringView BeginKeyView() const { return QStringView(BeginKey, BeginLength); }
    QStringView EndKeyView() const { return QStringView(EndKey, EndLength); }
    // Store a key, cut to its first KeyLength characters; report whether it changed.
    bool SetBeginKey(QStringView key);
    bool SetEndKey(QStringView key);

    bool operator==(const TBegEndEntry &other) const = default;
};

// The begin/end table of a rule. Records are reused between preparations; only the first
// Count() are in use.
class TBegEndList {
public:
    qsizetype Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    const TBegEndEntry &operator[](qsizetype index) const { return m_items[size_t(index)]; }
    const TBegEndEntry &At(qsizetype index) const { return m_items[size_t(index)]; }
    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cbegin() + m_count; }
    // How many records are allocated (in use or kept for reuse).
    qsizetype Capacity() const { return qsizetype(m_items.size()); }

    // Marks every record unused; the records stay allocated.
    void Clear() { m_count = 0; }
    // The next record, reused or new; the caller fills it.
    TBegEndEntry &Add();

private:
    std::vector<TBegEndEntry> m_items;
    qsizetype m_count = 0;
};
