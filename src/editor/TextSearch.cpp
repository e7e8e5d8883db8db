#include "TextSearch.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUILL_SEARCH_AVX2 1
#endif

SearchPattern::SearchPattern(const QString &text, bool matchCase)
    : m_folding(matchCase), m_folded(m_folding.Fold(text)) {
    if (m_folded.isEmpty())
        return;
    m_first = m_folding.Preimage(m_folded.front().unicode());
    m_last = m_folding.Preimage(m_folded.back().unicode());
    m_hasLineBreak = m_folded.contains(u'\n');
}

namespace {

// How many units the vector scan compares a position with at most; rarer folds (a letter
// with more forms than that) take the plain loop.
constexpr size_t MaxVectorUnits = 4;

// Whether the characters between the first and the last match, folded.
inline bool InnerMatches(const char16_t *at, const char16_t *pattern, qsizetype length,
                         const SearchFolding &folding) {
    for (qsizetype k = 1; k < length - 1; ++k) {
        if (folding.Fold(at[k]) != pattern[k])
            return false;
    }
    return true;
}

inline bool MatchesAt(const char16_t *at, const char16_t *pattern, qsizetype length,
                      const SearchFolding &folding) {
    return folding.Fold(at[0]) == pattern[0] &&
           folding.Fold(at[length - 1]) == pattern[length - 1] &&
           InnerMatches(at, pattern, length, folding);
}

#if defined(__SSE2__)
// Marks (two mask bits per unit) the eight positions from `at` whose first character can
// begin and whose last character can end a match.
struct CandidateMask {
    __m128i first[MaxVectorUnits];
    __m128i last[MaxVectorUnits];
    size_t firstCount;
    size_t lastCount;
    qsizetype lastOffset;

    CandidateMask(const SearchPattern &pattern) {
        firstCount = pattern.FirstUnits().size();
        lastCount = pattern.LastUnits().size();
        for (size_t i = 0; i < firstCount; ++i)
            first[i] = _mm_set1_epi16(short(pattern.FirstUnits()[i]));
        for (size_t i = 0; i < lastCount; ++i)
            last[i] = _mm_set1_epi16(short(pattern.LastUnits()[i]));
        lastOffset = pattern.Length() - 1;
    }

    unsigned At(const char16_t *at) const {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at + lastOffset));
        __m128i f = _mm_cmpeq_epi16(a, first[0]);
        for (size_t i = 1; i < firstCount; ++i)
            f = _mm_or_si128(f, _mm_cmpeq_epi16(a, first[i]));
        __m128i l = _mm_cmpeq_epi16(b, last[0]);
        for (size_t i = 1; i < lastCount; ++i)
            l = _mm_or_si128(l, _mm_cmpeq_epi16(b, last[i]));
        return unsigned(_mm_movemask_epi8(_mm_and_si128(f, l)));
    }
};
#endif

bool UsesVectors(const SearchPattern &pattern) {
#if defined(__SSE2__)
    return pattern.FirstUnits().size() <= MaxVectorUnits &&
           pattern.LastUnits().size() <= MaxVectorUnits;
#else
    Q_UNUSED(pattern);
    return false;
#endif
}

#if defined(QUILL_SEARCH_AVX2)
// The candidate scan of ScanForward sixteen units at a time, for processors with AVX2. Moves
// i on to where it stopped; a match, or -1 when the rest is left to the narrower scans.
__attribute__((target("avx2"))) qsizetype
ScanForwardAvx2(const char16_t *data, qsizetype &i, qsizetype last, const SearchPattern &pattern) {
    const qsizetype length = pattern.Length();
    const char16_t *pat = reinterpret_cast<const char16_t *>(pattern.Folded().utf16());
    const size_t firstCount = pattern.FirstUnits().size();
    const size_t lastCount = pattern.LastUnits().size();
    __m256i first[MaxVectorUnits];
    __m256i lastUnits[MaxVectorUnits];
    for (size_t k = 0; k < firstCount; ++k)
        first[k] = _mm256_set1_epi16(short(pattern.FirstUnits()[k]));
    for (size_t k = 0; k < lastCount; ++k)
        lastUnits[k] = _mm256_set1_epi16(short(pattern.LastUnits()[k]));
    for (; i + 15 <= last; i += 16) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(data + i));
        const __m256i b =
            _mm256_loadu_si256(reinterpret_cast<const __m256i *>(data + i + length - 1));
        __m256i f = _mm256_cmpeq_epi16(a, first[0]);
        for (size_t k = 1; k < firstCount; ++k)
            f = _mm256_or_si256(f, _mm256_cmpeq_epi16(a, first[k]));
        __m256i l = _mm256_cmpeq_epi16(b, lastUnits[0]);
        for (size_t k = 1; k < lastCount; ++k)
            l = _mm256_or_si256(l, _mm256_cmpeq_epi16(b, lastUnits[k]));
        unsigned mask = unsigned(_mm256_movemask_epi8(_mm256_and_si256(f, l)));
        while (mask) {
            const int bit = std::countr_zero(mask);
            const qsizetype at = i + bit / 2;
            if (InnerMatches(data + at, pat, length, pattern.Folding()))
                return at;
            mask &= ~(3u << bit);
        }
    }
    return -1;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// First match in text that starts at or after from and ends inside the text.
qsizetype ScanForward(QStringView text, qsizetype from, const SearchPattern &pattern) {
    const qsizetype length = pattern.Length();
    const qsizetype last = text.size() - length;
    const char16_t *data = text.utf16();
    const char16_t *pat = reinterpret_cast<const char16_t *>(pattern.Folded().utf16());
    const SearchFolding &folding = pattern.Folding();
    qsizetype i = std::max<qsizetype>(from, 0);
#if defined(QUILL_SEARCH_AVX2)
    if (UsesVectors(pattern) && last - i >= 64 && HasAvx2()) {
        const qsizetype found = ScanForwardAvx2(data, i, last, pattern);
        if (found >= 0)
            return found;
    }
#endif
#if defined(__SSE2__)
    if (UsesVectors(pattern)) {
        const CandidateMask candidates(pattern);
        for (; i + 7 <= last; i += 8) {
            unsigned mask = candidates.At(data + i);
            while (mask) {
                const int bit = std::countr_zero(mask);
                const qsizetype at = i + bit / 2;
                if (InnerMatches(data + at, pat, length, folding))
                    return at;
                mask &= ~(3u << bit);
            }
        }
    }
#endif
    for (; i <= last; ++i) {
        if (MatchesAt(data + i, pat, length, folding))
            return i;
    }
    return -1;
}

// Last match in text that starts at or before lastStart and ends inside the text.
qsizetype ScanBackward(QStringView text, qsizetype lastStart, const SearchPattern &pattern) {
    const qsizetype length = pattern.Length();
    const char16_t *data = text.utf16();
    const char16_t *pat = reinterpret_cast<const char16_t *>(pattern.Folded().utf16());
    const SearchFolding &folding = pattern.Folding();
    qsizetype i = std::min(lastStart, text.size() - length);
#if defined(__SSE2__)
    if (UsesVectors(pattern)) {
        const CandidateMask candidates(pattern);
        for (; i - 7 >= 0; i -= 8) {
            const qsizetype base = i - 7;
            unsigned mask = candidates.At(data + base);
            while (mask) {
                const int bit = 31 - std::countl_zero(mask);
                const qsizetype at = base + bit / 2;
                if (InnerMatches(data + at, pat, length, folding))
                    return at;
                mask &= (1u << (bit & ~1)) - 1;
            }
        }
    }
#endif
    for (; i >= 0; --i) {
        if (MatchesAt(data + i, pat, length, folding))
            return i;
    }
    return -1;
}

// Character access over the pieces for the rare search text with a line break, whose matches
// may run over the end of a piece. Walks piece by piece, so reading in order is cheap.
class PieceReader {
public:
    explicit PieceReader(const TextSource &source) : m_source(source) {}

    char16_t At(qsizetype position) {
        if (position < m_piece.Start || position > m_end || m_index < 0) {
            m_index = m_source.PieceIndexAt(position);
            Load();
        }
        while (position > m_end && m_index + 1 < m_source.PieceCount()) {
            ++m_index;
            Load();
        }
        while (position < m_piece.Start && m_index > 0) {
            --m_index;
            Load();
        }
        const qsizetype offset = position - m_piece.Start;
        return offset < m_piece.Text.size() ? m_piece.Text[offset].unicode() : u'\n';
    }

private:
    void Load() {
        m_piece = m_source.PieceAt(m_index);
        m_end = m_piece.Start + m_piece.Text.size() - (m_piece.BreakAfter ? 0 : 1);
    }

    const TextSource &m_source;
    int m_index = -1;
    TextSource::Piece m_piece;
    qsizetype m_end = -1; // last position the piece covers, its break included
};

bool MatchesAcrossPieces(PieceReader &reader, qsizetype at, const SearchPattern &pattern) {
    const QString &folded = pattern.Folded();
    for (qsizetype k = 0; k < folded.size(); ++k) {
        if (pattern.Folding().Fold(reader.At(at + k)) != folded[k].unicode())
            return false;
    }
    return true;
}

} // namespace

qsizetype FindForward(const TextSource &source, const SearchPattern &pattern, qsizetype from) {
    const qsizetype length = pattern.Length();
    const qsizetype total = source.Length();
    from = std::max<qsizetype>(from, 0);
    if (length == 0 || from + length > total)
        return -1;
    if (pattern.HasLineBreak()) {
        PieceReader reader(source);
        for (qsizetype p = from; p + length <= total; ++p) {
            if (MatchesAcrossPieces(reader, p, pattern))
                return p;
        }
        return -1;
    }
    // Without a line break in the text, a match lies inside one piece.
    for (int index = source.PieceIndexAt(from); index < source.PieceCount(); ++index) {
        const TextSource::Piece piece = source.PieceAt(index);
        const qsizetype found = ScanForward(piece.Text, from - piece.Start, pattern);
        if (found >= 0)
            return piece.Start + found;
    }
    return -1;
}

qsizetype FindBackward(const TextSource &source, const SearchPattern &pattern,
                       qsizetype lastStart) {
    const qsizetype length = pattern.Length();
    const qsizetype total = source.Length();
    lastStart = std::min(lastStart, total - length);
    if (length == 0 || lastStart < 0)
        return -1;
    if (pattern.HasLineBreak()) {
        PieceReader reader(source);
        for (qsizetype p = lastStart; p >= 0; --p) {
            if (MatchesAcrossPieces(reader, p, pattern))
                return p;
        }
        return -1;
    }
    for (int index = source.PieceIndexAt(lastStart); index >= 0; --index) {
        const TextSource::Piece piece = source.PieceAt(index);
        const qsizetype found = ScanBackward(piece.Text, lastStart - piece.Start, pattern);
        if (found >= 0)
            return piece.Start + found;
    }
    return -1;
}
