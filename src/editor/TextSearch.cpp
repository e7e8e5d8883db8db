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

// The characters of a piece followed by its line break, as the search sees them.
void AppendPiece(std::vector<char16_t> &out, const TextSource::Piece &piece, qsizetype from,
                 qsizetype count, bool withBreak) {
    const char16_t *data = piece.Text.utf16();
    out.insert(out.end(), data + from, data + from + count);
    if (withBreak)
        out.push_back(u'\n');
}

QStringView View(const std::vector<char16_t> &units) {
    return QStringView(units.data(), qsizetype(units.size()));
}

} // namespace

// A match may run over the end of a piece into the following ones, wherever the source cuts
// its text. Each piece is scanned on its own; a match that starts in one piece and ends in a
// later one is looked for in a short seam: the last Length() characters before a piece
// joined with its first ones. So the scans stay in plain memory and the seams cost a few
// characters per piece.

qsizetype FindForward(const TextSource &source, const SearchPattern &pattern, qsizetype from) {
    const qsizetype length = pattern.Length();
    const qsizetype total = source.Length();
    from = std::max<qsizetype>(from, 0);
    if (length == 0 || from + length > total)
        return -1;
    // Characters kept before a piece: every start of a match that may run into the piece or
    // over the line break after the piece before, which lies in no piece's text.
    const qsizetype overlap = length - 1;
    const qsizetype window = length;
    std::vector<char16_t> before; // the text [beforeStart, the current piece's start)
    qsizetype beforeStart = from;
    std::vector<char16_t> seam;
    for (int index = source.PieceIndexAt(from); index < source.PieceCount(); ++index) {
        const TextSource::Piece piece = source.PieceAt(index);
        const qsizetype size = piece.Text.size();
        if (!before.empty()) {
            seam = before;
            AppendPiece(seam, piece, 0, std::min(overlap, size), false);
            const qsizetype found =
                ScanForward(View(seam), std::max<qsizetype>(from - beforeStart, 0), pattern);
            // A match that starts inside the piece is the piece's own scan's.
            if (found >= 0 && found < qsizetype(before.size()))
                return beforeStart + found;
        }
        const qsizetype found = ScanForward(piece.Text, from - piece.Start, pattern);
        if (found >= 0)
            return piece.Start + found;
        // Keep the last `window` characters before the next piece.
        const qsizetype keep = std::min(window - (piece.BreakAfter ? 1 : 0), size);
        if (keep < size)
            before.clear();
        AppendPiece(before, piece, size - keep, keep, piece.BreakAfter);
        if (qsizetype(before.size()) > window)
            before.erase(before.begin(), before.end() - window);
        beforeStart = piece.Start + size + (piece.BreakAfter ? 1 : 0) - qsizetype(before.size());
    }
    // A last piece may be followed by a line break of its own, with no piece after it.
    const qsizetype found =
        ScanForward(View(before), std::max<qsizetype>(from - beforeStart, 0), pattern);
    return found >= 0 ? beforeStart + found : -1;
}

qsizetype FindBackward(const TextSource &source, const SearchPattern &pattern,
                       qsizetype lastStart) {
    const qsizetype length = pattern.Length();
    const qsizetype total = source.Length();
    lastStart = std::min(lastStart, total - length);
    if (length == 0 || lastStart < 0)
        return -1;
    const qsizetype overlap = length - 1;
    int index = source.PieceIndexAt(lastStart);
    // The text from the start of the piece after the current one, as far as a match that
    // starts in the current piece can reach (at most `overlap` characters).
    std::vector<char16_t> after;
    if (overlap > 0) {
        const TextSource::Piece piece = source.PieceAt(index);
        const qsizetype next = piece.Start + piece.Text.size() + (piece.BreakAfter ? 1 : 0);
        const qsizetype need = std::min(overlap, lastStart + length - next);
        for (int i = index + 1; i < source.PieceCount() && qsizetype(after.size()) < need; ++i) {
            const TextSource::Piece following = source.PieceAt(i);
            const qsizetype take = std::min(need - qsizetype(after.size()), following.Text.size());
            AppendPiece(after, following, 0, take,
                        following.BreakAfter && qsizetype(after.size()) + take < need);
        }
    }
    std::vector<char16_t> seam;
    std::vector<char16_t> scratch;
    for (; index >= 0; --index) {
        const TextSource::Piece piece = source.PieceAt(index);
        const qsizetype size = piece.Text.size();
        if (overlap > 0 || piece.BreakAfter) {
            const qsizetype tail = std::min(overlap, size);
            seam.clear();
            AppendPiece(seam, piece, size - tail, tail, piece.BreakAfter);
            // Only matches that start in the piece (or on its break) and run past its text.
            const qsizetype seamStart = piece.Start + size - tail;
            const qsizetype last = std::min(lastStart - seamStart, qsizetype(seam.size()) - 1);
            seam.insert(seam.end(), after.begin(), after.end());
            const qsizetype found = ScanBackward(View(seam), last, pattern);
            if (found >= 0 && found + length > tail)
                return seamStart + found;
        }
        const qsizetype found = ScanBackward(piece.Text, lastStart - piece.Start, pattern);
        if (found >= 0)
            return piece.Start + found;
        if (overlap == 0)
            continue;
        // What follows the piece before: this piece, its break, then what followed it.
        scratch.clear();
        AppendPiece(scratch, piece, 0, std::min(overlap, size), piece.BreakAfter && size < overlap);
        const qsizetype more =
            std::min(qsizetype(after.size()), overlap - qsizetype(scratch.size()));
        if (more > 0)
            scratch.insert(scratch.end(), after.begin(), after.begin() + more);
        after.swap(scratch);
    }
    return -1;
}
