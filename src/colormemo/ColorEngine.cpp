#include "ColorEngine.h"

#include "ColorRule.h"
#include "ColorView.h"
#include "DrawRules.h"
#include "HotSpot.h"

#include "common/Helpers.h"

#include <algorithm>

TColorEngine::TColorEngine() = default;
TColorEngine::~TColorEngine() = default;

void TColorEngine::RulesChanged() {
    for (KeywordGroup &group : m_groups) {
        group.Built = false;
        group.Rules.clear();
    }
}

QStringView TColorEngine::TextOf(const TKeyDescr &span) const {
    const int from = std::max(span.StartPos, m_bufferStart);
    const int to = std::min(span.EndPos + 1, m_bufferStart + int(m_buffer.size()));
    if (to <= from)
        return {};
    return QStringView(m_buffer).mid(from - m_bufferStart, to - from);
}

bool TColorEngine::IsKeywordChar(QChar c) const {
    if (OnIsKeywordChar) {
        bool isKeywordChar = true;
        OnIsKeywordChar(c, isKeywordChar);
        return isKeywordChar;
    }
    return IsBuiltInKeywordChar(c);
}

bool TColorEngine::Colorize(TDrawRules &rules, const TCMView &view, bool onlyFromCaretLine,
                            const THotSpot *hotSpot, TColorMemoOptions options, const Look &look) {
    const bool hotSpotsActive = hotSpot && hotSpot->Active;
    m_spans.Clear();
    m_hotSpots.Clear();
    m_buffer.resize(0);
    m_bufferStart = m_scanStart = m_scanEnd = 0;
    if (rules.Count() == 0 && !OnDrawEx && !hotSpotsActive)
        return false;

    const int lineHeight = view.LineHeight();
    const int selStart = view.SelStart();
    rules.PrepareRules();

    // The scanned text: from the first scanned line up to the first line that is not fully
    // visible. Lines are never coloured in part.
    const int textLength = view.TextLength();
    const int lineCount = view.LineCount();
    int firstLine = onlyFromCaretLine ? view.LineFromChar(selStart) : view.FirstVisibleLine();
    firstLine = std::clamp(firstLine, 0, std::max(0, lineCount - 1));
    m_scanStart = std::min(view.LineIndex(firstLine), textLength);
    const QRect textRect = view.TextRect();
    const int bottom = textRect.y() + textRect.height();
    m_scanEnd = -1;
    for (int line = firstLine; line < lineCount; ++line) {
        const int start = view.LineIndex(line);
        const std::optional<QPoint> pos = view.PosFromChar(start);
        if (!pos || pos->y() < 0 || pos->y() + lineHeight >= bottom) {
            m_scanEnd = start;
            break;
        }
    }
    if (m_scanEnd < 0)
        m_scanEnd = view.LineIndex(lineCount - 1) + view.LineLength(lineCount - 1);
    m_scanEnd = std::clamp(m_scanEnd, m_scanStart, textLength);

    // Copy only what the scanners read: the scanned lines, or the text from its start when
    // begin-end rules must see blocks that opened above.
    bool fullBegEnds = false;
    if (options & cmoCalcFullBegEnds) {
        for (int i = 0; i < rules.Count(); ++i) {
            const TColorRule *rule = rules.Items(i);
            if (rule->Enabled() && rule->KeyDrawingType() == dtBeginEnd)
                fullBegEnds = true;
        }
    }
    m_bufferStart = fullBegEnds ? 0 : m_scanStart;
    view.AppendText(m_bufferStart, m_scanEnd, m_buffer);
    if (m_bufferStart + int(m_buffer.size()) != m_scanEnd)
        m_scanEnd = m_bufferStart + int(m_buffer.size()); // a view that gave less text

    AddCaretLineSpan(view, selStart, look);
    if (hotSpotsActive)
        ScanHotSpots(*hotSpot, look);
    PrepareKeywordGroups(rules);
    ScanKeywordGroups();
    for (int i = 0; i < rules.Count(); ++i) {
        const TColorRule &rule = *rules.Items(i);
        if (!rule.Enabled())
            continue;
        switch (rule.KeyDrawingType()) {
        case dtKeyShow:
            EmitKeywords(rule, look);
            break;
        case dtBeginEnd:
            ScanBeginEnd(rule, fullBegEnds, look);
            break;
        case dtBeginLineEnd:
            ScanBeginEnd(rule, false, look);
            break;
        default:
            break;
        }
    }
    if (OnDrawEx)
        OnDrawEx(QStringView(m_buffer), m_bufferStart, m_scanStart - m_bufferStart);
    if (m_spans.Count() == 0)
        return false;

    int minStart = m_spans[0].StartPos;
    int maxEnd = m_spans[0].EndPos;
    for (int i = 1; i < m_spans.Count(); ++i) {
        minStart = std::min(minStart, m_spans[i].StartPos);
        maxEnd = std::max(maxEnd, m_spans[i].EndPos);
    }
    const int spanCount = m_spans.Count();
    for (int i = 0; i < spanCount; ++i)
        SplitAtLineBreaks(i);
    BuildOwnerMap(minStart, maxEnd);
    BuildRuns(minStart, maxEnd, view);
    return RunCount() > 0;
}

void TColorEngine::AddCaretLineSpan(const TCMView &view, int selStart, const Look &look) {
    // From the start of the caret's line up to the character before the caret, cut to the
    // scanned text.
    const int lineStart = view.LineIndex(view.LineFromChar(selStart));
    const int start = std::max(lineStart, m_scanStart);
    const int end = std::min(selStart - 1, m_scanEnd - 1);
    if (end < start)
        return;
    TKeyDescr &span = m_spans.Add(look.FontStyle);
    span.StartPos = start;
    span.EndPos = end;
    span.Color = look.FontColor;
    span.BrushColor = look.Color;
}

void TColorEngine::ScanHotSpots(const THotSpot &hotSpot, const Look &look) {
    if (hotSpot.BeginChar.isNull() || hotSpot.EndChar.isNull())
        return;
    const QStringView text = QStringView(m_buffer).mid(m_scanStart - m_bufferStart);
    const int base = m_scanStart;
    qsizetype from = 0;
    while (true) {
        const qsizetype b = text.indexOf(hotSpot.BeginChar, from);
        const qsizetype e = text.indexOf(hotSpot.EndChar, from);
        if (b >= 0 && e >= 0 && b < e) {
            m_hotSpots.Add(base + int(b) + 1, base + int(e) - 1);
            auto addSpan = [&](qsizetype first, qsizetype last, TColor color, quint8 zOrder) {
                TKeyDescr &span = m_spans.Add(look.FontStyle);
                span.StartPos = base + int(first);
                span.EndPos = base + int(last);
                span.Color = color;
                span.BrushColor = look.Color;
                span.ZOrder = zOrder;
            };
            addSpan(b, b, hotSpot.MarkerColor, kHotSpotMarkerZOrder);
            if (b + 1 <= e - 1) {
                addSpan(b + 1, e - 1, hotSpot.Color, kHotSpotTextZOrder);
                SplitAtLineBreaks(m_spans.Count() - 1);
            }
            addSpan(e, e, hotSpot.MarkerColor, kHotSpotMarkerZOrder);
        }
        if (e < 0)
            break;
        from = e + 1;
    }
}

void TColorEngine::AddRuleSpan(const TColorRule &rule, int start, int end, TColor color,
                               TColor brush, bool keyword, const Look &look) {
    TFontStyles style = look.FontStyle;
    if (rule.Bold())
        style |= fsBold;
    if (rule.Italic())
        style |= fsItalic;
    if (rule.Underline())
        style |= fsUnderline;
    TKeyDescr &span = m_spans.Add(style);
    span.StartPos = start;
    span.EndPos = end;
    span.Color = color;
    span.BrushColor = brush;
    span.ZOrder = keyword && rule.IsHotspot() ? kHotSpotTextZOrder : rule.ZOrder();
    span.IsKeyword = keyword;
    span.IgnoreOthers = rule.IgnoreOtherRules();
}

void TColorEngine::PrepareKeywordGroups(const TDrawRules &rules) {
    for (int upper = 0; upper < 2; ++upper) {
        KeywordGroup &group = m_groups[upper];
        m_groupRules.clear();
        for (int i = 0; i < rules.Count(); ++i) {
            const TColorRule *rule = rules.Items(i);
            if (rule->Enabled() && rule->KeyDrawingType() == dtKeyShow &&
                !rule->PreparedKeywords().IsEmpty() && rule->KeyCase() == (upper == 0))
                m_groupRules.push_back(rule);
        }
        bool same = group.Built && group.Rules == m_groupRules;
        for (size_t r = 0; same && r < m_groupRules.size(); ++r)
            same = group.Versions[r] == m_groupRules[r]->PreparedKeywordsVersion();
        if (same)
            continue;
        group.Rules = m_groupRules;
        group.Versions.clear();
        group.WordOffset.clear();
        std::vector<QStringView> words;
        for (const TColorRule *rule : group.Rules) {
            group.Versions.push_back(rule->PreparedKeywordsVersion());
            group.WordOffset.push_back(int(words.size()));
            for (const TPreparedKeyword &keyword : rule->PreparedKeywords())
                words.emplace_back(keyword.Text);
        }
        group.Matcher.Build(words, upper == 1);
        group.Built = true;
    }
}

void TColorEngine::ScanKeywordGroups() {
    // Every occurrence of every keyword of the keyword rules, in one sweep over the text.
    const QStringView text = QStringView(m_buffer).mid(m_scanStart - m_bufferStart);
    for (auto &hits : m_hits)
        hits.clear();
    if (!m_groups[0].Rules.empty() || !m_groups[1].Rules.empty()) {
        TCMKeywordMatcher::ScanPair(
            text, m_groups[0].Matcher,
            [this](int pattern, int start) { m_hits[0].emplace_back(pattern, start); },
            m_groups[1].Matcher,
            [this](int pattern, int start) { m_hits[1].emplace_back(pattern, start); });
    }
    GroupHits(m_groups[0], m_hits[0]);
    GroupHits(m_groups[1], m_hits[1]);
}

void TColorEngine::GroupHits(KeywordGroup &group, const std::vector<std::pair<int, int>> &hits) {
    // The hits grouped by keyword, each group in text order.
    group.PatternFirst.clear();
    group.HitOrder.clear();
    if (group.Rules.empty() || hits.empty())
        return;
    const int patterns = group.Matcher.PatternCount();
    group.PatternFirst.assign(size_t(patterns) + 1, 0);
    for (const auto &hit : hits)
        ++group.PatternFirst[size_t(hit.first) + 1];
    for (int p = 0; p < patterns; ++p)
        group.PatternFirst[size_t(p) + 1] += group.PatternFirst[size_t(p)];
    group.HitOrder.resize(hits.size());
    m_patternFill.assign(group.PatternFirst.begin(), group.PatternFirst.end() - 1);
    for (const auto &hit : hits)
        group.HitOrder[size_t(m_patternFill[size_t(hit.first)]++)] = hit.second;
}

void TColorEngine::EmitKeywords(const TColorRule &rule, const Look &look) {
    const TPreparedKeywordList &keywords = rule.PreparedKeywords();
    if (keywords.IsEmpty())
        return;
    const bool upper = !rule.KeyCase();
    const KeywordGroup &group = m_groups[upper ? 1 : 0];
    const auto found = std::find(group.Rules.begin(), group.Rules.end(), &rule);
    if (found == group.Rules.end() || group.HitOrder.empty())
        return;
    const int wordOffset = group.WordOffset[size_t(found - group.Rules.begin())];
    const TCMKeywordMatcher &matcher = group.Matcher;
    const QStringView text = QStringView(m_buffer).mid(m_scanStart - m_bufferStart);
    auto charAt = [&](qsizetype i) -> QChar {
        const QChar c = text[i];
        return upper ? upperChar(c) : c;
    };
    const bool partWord = rule.PartWord();
    // Keyword by keyword, in the rule's order: the occurrences a search from the start finds
    // when it goes on after each occurrence, accepted at word boundaries unless PartWord.
    for (qsizetype k = 0; k < keywords.Count(); ++k) {
        const int pattern = matcher.WordPattern(wordOffset + int(k));
        if (pattern < 0)
            continue;
        const int n = matcher.PatternLength(pattern);
        int nextAllowed = 0;
        const int firstHit = group.PatternFirst[size_t(pattern)];
        const int endHit = group.PatternFirst[size_t(pattern) + 1];
        for (int h = firstHit; h < endHit; ++h) {
            const int p = group.HitOrder[size_t(h)];
            if (p < nextAllowed)
                continue;
            nextAllowed = p + n;
            const bool accepted =
                partWord || ((p == 0 || !IsKeywordChar(charAt(p - 1))) &&
                             (p + n >= text.size() || !IsKeywordChar(charAt(p + n))));
            if (!accepted)
                continue;
            const int start = m_scanStart + p;
            AddRuleSpan(rule, start, start + n - 1, keywords[k].Color, rule.KeyBrushColor(), true,
                        look);
            if (rule.IsHotspot())
                m_hotSpots.Add(start, start + n - 1);
        }
    }
}

namespace {

// The first occurrence of a non-empty key in the text at or after `from`, or -1.
qsizetype FindKey(QStringView text, QStringView key, qsizetype from) {
    const char16_t *p = text.utf16();
    const char16_t *k = key.utf16();
    const qsizetype last = text.size() - key.size();
    for (qsizetype i = std::max<qsizetype>(from, 0); i <= last; ++i) {
        if (p[i] != k[0])
            continue;
        qsizetype j = 1;
        while (j < key.size() && p[i + j] == k[j])
            ++j;
        if (j == key.size())
            return i;
    }
    return -1;
}

} // namespace

void TColorEngine::ScanBeginEnd(const TColorRule &rule, bool fullBegEnds, const Look &look) {
    const bool lineEnd = rule.KeyDrawingType() == dtBeginLineEnd;
    const int maxLines = lineEnd ? 0 : rule.KeyMaxHeight();
    const QStringView buffer(m_buffer);
    const qsizetype first = m_scanStart - m_bufferStart; // offsets into the buffer
    const qsizetype end = buffer.size();                 // one past the last character
    if (end <= first)
        return;
    // The next line break at or after `from` (a CR directly before its LF counts as the
    // break), or -1.
    auto findBreak = [&](qsizetype from) -> qsizetype {
        for (qsizetype i = from; i < end; ++i) {
            const char16_t c = buffer[i].unicode();
            if (c == u'\n' || c == u'\r')
                return i;
        }
        return -1;
    };
    for (const TBegEndEntry &entry : rule.BegEndTable()) {
        const QStringView beginKey = entry.BeginKeyView();
        const QStringView endKey = entry.EndKeyView();
        if (beginKey.isEmpty())
            continue;
        qsizetype s = fullBegEnds ? 0 : first;
        while (s < end) {
            qsizetype b = FindKey(buffer, beginKey, s);
            if (b < 0)
                break;
            // e: where the end was found; last: the span's last character; next: where the
            // search goes on. Without an end the span runs through the scanned text.
            qsizetype e;
            qsizetype last;
            qsizetype next;
            if (lineEnd) {
                e = findBreak(b + 1);
                last = e < 0 ? end - 1 : e - 1;
                next = e < 0 ? end : e + 1;
            } else {
                e = endKey.isEmpty() ? -1 : FindKey(buffer, endKey, b + 1);
                last = e < 0 ? end - 1 : e + endKey.size() - 1;
                next = e < 0 ? end : e + 1;
                if (maxLines > 0) {
                    // At most maxLines lines: stop before the maxLines-th break inside.
                    int count = 0;
                    qsizetype from = b;
                    while (true) {
                        const qsizetype k = findBreak(from);
                        if (k < 0 || k > last)
                            break;
                        if (++count == maxLines) {
                            last = k - 1;
                            next = k;
                            break;
                        }
                        from = buffer[k] == u'\r' && k + 1 < end && buffer[k + 1] == u'\n' ? k + 2
                                                                                           : k + 1;
                    }
                }
            }
            if (e < 0 || e > first) {
                b = std::max(b, first);
                if (b <= last)
                    AddRuleSpan(rule, m_bufferStart + int(b), m_bufferStart + int(last),
                                entry.Color, entry.BrushColor, false, look);
            }
            s = next;
        }
    }
}

void TColorEngine::SplitAtLineBreaks(int index) {
    // One piece per line, without trailing blanks and line breaks; the span keeps the piece
    // on its last line.
    while (true) {
        TKeyDescr &span = m_spans[index];
        int lf = -1;
        for (int i = span.StartPos; i < span.EndPos; ++i) {
            if (At(i) == u'\n') {
                lf = i;
                break;
            }
        }
        if (lf < 0)
            return;
        int q = lf;
        while (q > span.StartPos && (At(q) == u'\n' || At(q) == u'\r' || At(q) == u' '))
            --q;
        const int start = span.StartPos;
        span.StartPos = lf + 1;
        if (q >= start) {
            TKeyDescr &piece = m_spans.AddCopy(index);
            piece.StartPos = start;
            piece.EndPos = q;
        }
    }
}

void TColorEngine::BuildOwnerMap(int minStart, int maxEnd) {
    m_ownerMap.assign(size_t(maxEnd - minStart + 3), -1);
    const int size = int(m_ownerMap.size());
    for (int s = 0; s < m_spans.Count(); ++s) {
        const TKeyDescr &span = m_spans[s];
        if (span.EndPos < span.StartPos)
            continue;
        bool overrides = false;
        if (span.IgnoreOthers) {
            const int owner = m_ownerMap[size_t(span.StartPos - minStart)];
            overrides = owner < 0 || !m_spans[owner].IgnoreOthers;
        }
        for (int i = span.StartPos; i <= span.EndPos; ++i) {
            const int slot = i - minStart;
            if (slot < 0 || slot >= size || At(i) == u'\t')
                continue;
            const int owner = m_ownerMap[size_t(slot)];
            if (!overrides && owner >= 0 && m_spans[owner].ZOrder > span.ZOrder)
                continue;
            m_ownerMap[size_t(slot)] = s;
        }
    }
}

void TColorEngine::BuildRuns(int minStart, int maxEnd, const TCMView &view) {
    const int selStart = view.SelStart();
    const int selLength = view.SelLength();
    const int selEnd = selStart + selLength;
    const bool showSelection = view.Focused() || !view.HideSelection();
    m_spans.SetRunMark();
    int owner = -1;
    int runStart = 0;
    for (int i = 0; i <= maxEnd - minStart + 1; ++i) {
        const int pos = minStart + i;
        const bool boundary = selLength != 0 && (pos == selStart || pos == selEnd);
        const int here = m_ownerMap[size_t(i)];
        if (here == owner && !boundary)
            continue;
        if (owner >= 0) {
            TKeyDescr &run = m_spans.AddCopy(owner);
            run.StartPos = minStart + runStart;
            run.EndPos = pos - 1;
            if (showSelection && run.EndPos >= selStart && run.EndPos < selEnd)
                run.BrushColor = clHighlight;
        }
        runStart = i;
        owner = here;
    }
}
