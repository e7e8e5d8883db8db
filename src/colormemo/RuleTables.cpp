#include "RuleTables.h"

TPreparedKeyword &TPreparedKeywordList::Add() {
    if (size_t(m_count) == m_items.size())
        m_items.emplace_back();
    return m_items[size_t(m_count++)];
}

TBegEndEntry &TBegEndList::Add() {
    if (size_t(m_count) == m_items.size())
        m_items.emplace_back();
    return m_items[size_t(m_count++)];
}

namespace {

bool StoreKey(QChar (&target)[TBegEndEntry::KeyLength + 1], quint8 &length, QStringView key) {
    const qsizetype n = qMin<qsizetype>(key.size(), TBegEndEntry::KeyLength);
    const QStringView cut = key.first(n);
    if (length == n && QStringView(target, length) == cut)
        return false;
    for (qsizetype i = 0; i < n; ++i)
        target[i] = cut[i];
    for (qsizetype i = n; i <= TBegEndEntry::KeyLength; ++i)
        target[i] = QChar();
    length = quint8(n);
    return true;
}

} // namespace

bool TBegEndEntry::SetBeginKey(QStringView key) {
    return StoreKey(BeginKey, BeginLength, key);
}

bool TBegEndEntry::SetEndKey(QStringView key) {
    return StoreKey(EndKey, EndLength, key);
}
