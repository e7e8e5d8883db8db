#include "SearchFolding.h"

#include <QChar>

namespace {

// Simple upper-case mapping of every code unit (surrogates map to themselves), built once.
const std::vector<char16_t> &UpperTable() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c) {
            const char32_t upper = QChar::toUpper(c);
            t[c] = upper < 0x10000 ? char16_t(upper) : char16_t(c);
        }
        return t;
    }();
    return table;
}

} // namespace

SearchFolding::SearchFolding(bool matchCase) : m_matchCase(matchCase) {
    for (int c = 0; c < 256; ++c)
        m_table[size_t(c)] = matchCase ? char16_t(c) : UpperTable()[size_t(c)];
}

char16_t SearchFolding::FoldWide(char16_t c) {
    return UpperTable()[c];
}

QString SearchFolding::Fold(QStringView text) const {
    QString folded(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(folded.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = Fold(text[i].unicode());
    return folded;
}

std::vector<char16_t> SearchFolding::Preimage(char16_t folded) const {
    if (m_matchCase)
        return {folded};
    std::vector<char16_t> units;
    for (int c = 0; c < 256; ++c) {
        if (m_table[size_t(c)] == folded)
            units.push_back(char16_t(c));
    }
    const std::vector<char16_t> &upper = UpperTable();
    for (size_t c = 256; c < upper.size(); ++c) {
        if (upper[c] == folded)
            units.push_back(char16_t(c));
    }
    return units;
}
