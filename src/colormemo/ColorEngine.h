#pragma once

#include "ColorMemoOptions.h"
#include "ColorText.h"
#include "HotKeywordList.h"
#include "KeyDescr.h"
#include "KeywordMatcher.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

class TCMView;
class TColorRule;
class TDrawRules;
class THotSpot;

// The colouring pass of the colouring control, apart from any widget: it copies the lines
// that need colouring from a view, scans them against the rules and the hot-spot markers,
// decides which span owns each character and joins characters of one owner into runs.
// The widget then paints the runs; the engine never paints.
class TColorEngine {
public:
    // The control's own look, which the caret-line span, the hot spots and the highlight use.
    struct Look {
        TColor FontColor = clWindowText;
        TColor Color = clWindow;
        TFontStyles FontStyle = 0;
    };

    TColorEngine();
    ~TColorEngine();
    TColorEngine(const TColorEngine &) = delete;
    TColorEngine &operator=(const TColorEngine &) = delete;

    // Runs one pass over the view's text. With `onlyFromCaretLine` the scan starts at the
    // caret's line instead of the first visible one. Returns whether there are runs to paint.
    // `hotSpot` may be null (no hot spots).
    bool Colorize(TDrawRules &rules, const TCMView &view, bool onlyFromCaretLine,
                  const THotSpot *hotSpot, TColorMemoOptions options, const Look &look);

    // Forgets what was built from the rules; call when rules were added, removed or replaced.
    void RulesChanged();

    // The runs of the last pass, in painting order.
    int RunCount() const { return m_spans.Count() - m_spans.RunMark(); }
    const TKeyDescr &Run(int index) const { return m_spans[m_spans.RunMark() + index]; }
    // The characters of a span or run of the last pass (inside the scanned text).
    QStringView TextOf(const TKeyDescr &span) const;
    // Every record of the last pass: the spans before RunMark(), the runs from it on.
    const TKeyDescrList &Records() const { return m_spans; }
    // The hot-spot ranges the last pass found.
    const TcmHotKeywordList &HotSpots() const { return m_hotSpots; }
    // The scanned text of the last pass: ScanStart() up to ScanEnd() (exclusive).
    int ScanStart() const { return m_scanStart; }
    int ScanEnd() const { return m_scanEnd; }

    // The built-in keyword-character test: digits, ASCII letters and the underscore.
    static bool IsBuiltInKeywordChar(QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
               u == u'_';
    }

    // Called once per pass after the rules were scanned: the copied text (its first character
    // is the text's character `bufferStart`), and the offset in it of the first scanned line.
    std::function<void(QStringView buffer, int bufferStart, int fromOffset)> OnDrawEx;
    // Replaces the built-in keyword-character test; isKeywordChar is true on entry.
    std::function<void(QChar c, bool &isKeywordChar)> OnIsKeywordChar;

private:
    // The keyword rules that read the text the same way (with or without upper-casing) share
    // one automaton and one sweep over the text.
    struct KeywordGroup {
        std::vector<const TColorRule *> Rules;
        std::vector<quint32> Versions;
        std::vector<int> WordOffset; // first word of each rule in the automaton
        TCMKeywordMatcher Matcher;
        bool Built = false;
        std::vector<int> PatternFirst; // hits of this pass, grouped by pattern
        std::vector<int> HitOrder;
    };

    bool IsKeywordChar(QChar c) const;
    void AddCaretLineSpan(const TCMView &view, int selStart, const Look &look);
    void ScanHotSpots(const THotSpot &hotSpot, const Look &look);
    void PrepareKeywordGroups(const TDrawRules &rules);
    void ScanKeywordGroups();
    void GroupHits(KeywordGroup &group, const std::vector<std::pair<int, int>> &hits);
    void EmitKeywords(const TColorRule &rule, const Look &look);
    void ScanBeginEnd(const TColorRule &rule, bool fullBegEnds, const Look &look);
    void AddRuleSpan(const TColorRule &rule, int start, int end, TColor color, TColor brush,
                     bool keyword, const Look &look);
    void SplitAtLineBreaks(int index);
    void BuildOwnerMap(int minStart, int maxEnd);
    void BuildRuns(int minStart, int maxEnd, const TCMView &view);
    QChar At(int textIndex) const { return m_buffer.at(textIndex - m_bufferStart); }

    QString m_buffer;      // the text from m_bufferStart up to m_scanEnd
    int m_bufferStart = 0; // text index of m_buffer[0]
    int m_scanStart = 0;
    int m_scanEnd = 0;
    TKeyDescrList m_spans;
    std::vector<int> m_ownerMap; // span index per character from MinStart, -1 none
    TcmHotKeywordList m_hotSpots;
    KeywordGroup m_groups[2];                     // [0]: text as it is, [1]: text upper-cased
    std::vector<const TColorRule *> m_groupRules; // scratch while grouping
    std::vector<std::pair<int, int>> m_hits[2];   // scratch: (pattern, start) per group
    std::vector<int> m_patternFill;               // scratch for grouping the hits
};
