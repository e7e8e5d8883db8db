#pragma once

#include "CMPersistent.h"
#include "CMStringList.h"
#include "ColorText.h"
#include "RuleTables.h"

#include <QString>

#include <memory>
#include <vector>

class IColorRuleOwner;
class TCMParamList;
class TDrawRules;

// The kind of a colour rule (one byte; other values can be stored and are shown as
// "<Other type>").
enum TKeyDrawingType : quint8 {
    dtKeyShow = 0,      // every occurrence of each keyword
    dtEventDraw = 1,    // produces no spans
    dtBeginEnd = 2,     // from a begin key to its end key, at most KeyMaxHeight lines
    dtBeginLineEnd = 3, // from a begin key to the end of its line
};

// "Key Show", "Event Draw", "Begin - End", "Begin - Line End", or "<Other type>".
QString KeyDrawingTypeDisplayName(TKeyDrawingType type);
// "dtKeyShow", "dtEventDraw", "dtBeginEnd", "dtBeginLineEnd", or empty outside 0..3.
QString KeyDrawingTypeIdent(TKeyDrawingType type);

// One colour rule: published properties that decide what is coloured and how, and the
// tables derived from them by preparation, which the colouring scanner reads.
class TColorRule : public TCMPersistent {
public:
    // A new rule with the new-rule values and no owner. Rules inside a collection are created
    // by TDrawRules::Add and know the collection's owning control.
    TColorRule();
    ~TColorRule() override;
    TColorRule(const TColorRule &) = delete;
    TColorRule &operator=(const TColorRule &) = delete;

    QString ClassName() const override { return QStringLiteral("TColorRule"); }
    // Copies every published property except KeySelColor and IntChar, the lists through
    // their property writes (Keywords, KeyLineEndLst, KeyBegEndLst). Throws QuillError and
    // changes nothing when the source is not a TColorRule.
    void Assign(const TCMPersistent &source) override;
    // The display name of the rule's kind.
    virtual QString GetDisplayName() const;

    // Rebuilds the derived tables from the entry lists and the current colours and case
    // flag. Returns whether the rule has entry lines to scan for.
    bool Prepare();

    // Writes into the list what differs from a new rule.
    virtual void SaveToParams(TCMParamList &list) const;
    // Reads the rule from the list; missing parameters keep the current value, except a
    // missing kind, which gives dtBeginEnd. Throws QuillError (and changes nothing) when
    // ZOrder lies outside 0..255. The entry lists are replaced in place; the derived tables
    // follow at the next preparation.
    virtual void LoadFromParams(const TCMParamList &list);

    // --- owner
    TDrawRules *Collection() const { return m_collection; }
    IColorRuleOwner *Owner() const { return m_owner; }

    // --- published properties (plain stores unless noted)
    quint8 ZOrder() const { return m_zOrder; }
    void SetZOrder(quint8 value) { m_zOrder = value; }
    QString IntChar() const { return m_intChar; }
    void SetIntChar(const QString &value) { m_intChar = value; }

    // The entry lists may be edited in place; edits reach the tables at the next Prepare.
    TCMStringList &Keywords() { return m_keywords; }
    const TCMStringList &Keywords() const { return m_keywords; }
    TCMStringList &KeyBegEndLst() { return m_keyBegEndLst; }
    const TCMStringList &KeyBegEndLst() const { return m_keyBegEndLst; }
    TCMStringList &KeyLineEndLst() { return m_keyLineEndLst; }
    const TCMStringList &KeyLineEndLst() const { return m_keyLineEndLst; }
    // Property writes: copy the lines (unless the list is the rule's own) and rebuild
    // PreparedKeywords or BegEndTable at once.
    void SetKeywords(const QStringList &lines);
    void SetKeyBegEndLst(const QStringList &lines);
    void SetKeyLineEndLst(const QStringList &lines);

    int KeyMaxHeight() const { return m_keyMaxHeight; }
    void SetKeyMaxHeight(int value) { m_keyMaxHeight = value; }
    TKeyDrawingType KeyDrawingType() const { return m_keyDrawingType; }
    void SetKeyDrawingType(TKeyDrawingType value) { m_keyDrawingType = value; }
    bool KeyCase() const { return m_keyCase; }
    void SetKeyCase(bool value) { m_keyCase = value; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool Bold() const { return m_bold; }
    void SetBold(bool value) { m_bold = value; }
    bool Italic() const { return m_italic; }
    void SetItalic(bool value) { m_italic = value; }
    bool Underline() const { return m_underline; }
    void SetUnderline(bool value) { m_underline = value; }
    bool PartWord() const { return m_partWord; }
    void SetPartWord(bool value) { m_partWord = value; }
    TColor DefKeyColor() const { return m_defKeyColor; }
    void SetDefKeyColor(TColor value) { m_defKeyColor = value; }
    TColor KeySelColor() const { return m_keySelColor; }
    void SetKeySelColor(TColor value) { m_keySelColor = value; }
    TColor KeyBrushColor() const { return m_keyBrushColor; }
    void SetKeyBrushColor(TColor value) { m_keyBrushColor = value; }
    bool IsHotspot() const { return m_isHotspot; }
    void SetIsHotspot(bool value) { m_isHotspot = value; }
    bool IgnoreOtherRules() const { return m_ignoreOtherRules; }
    void SetIgnoreOtherRules(bool value) { m_ignoreOtherRules = value; }
    QString Name() const { return m_name; }
    void SetName(const QString &value) { m_name = value; }

    // --- derived state, read by the scanner
    const TPreparedKeywordList &PreparedKeywords() const { return m_preparedKeywords; }
    const TBegEndList &BegEndTable() const { return m_begEndTable; }
    // A counter that changes exactly when the content of the prepared keywords changed, so a
    // scanner can keep structures built from them until they really differ.
    quint32 PreparedKeywordsVersion() const { return m_preparedKeywordsVersion; }

    // The scan buffer for an upper-cased copy of the scanned text: at least textLength + 1
    // characters. It grows when needed and never shrinks.
    QChar *ScanBuffer(qsizetype textLength);
    qsizetype ScanBufferCapacity() const { return m_scanBufferCapacity; }

private:
    friend class TDrawRules;
    explicit TColorRule(TDrawRules *collection);

    void BuildPreparedKeywords();
    void BuildBegEndTable(const QStringList &lines, bool lineEnd);

    TDrawRules *m_collection = nullptr;
    IColorRuleOwner *m_owner = nullptr;

    quint8 m_zOrder = 0;
    QString m_intChar;
    TCMStringList m_keywords;
    TCMStringList m_keyBegEndLst;
    TCMStringList m_keyLineEndLst;
    int m_keyMaxHeight = 1;
    TKeyDrawingType m_keyDrawingType = dtBeginEnd;
    bool m_keyCase = false;
    bool m_enabled = true;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_partWord = false;
    TColor m_defKeyColor = clRed;
    TColor m_keySelColor = clYellow;
    TColor m_keyBrushColor = clWindow;
    bool m_isHotspot = false;
    bool m_ignoreOtherRules = false;
    QString m_name;

    TPreparedKeywordList m_preparedKeywords;
    TBegEndList m_begEndTable;
    quint32 m_preparedKeywordsVersion = 0;
    std::unique_ptr<QChar[]> m_scanBuffer;
    qsizetype m_scanBufferCapacity = 0;
    TFieldSplitter m_fields; // scratch: the fields of the entry being split
    bool m_preparing = false;

    // What the last preparation built the tables from.
    struct PreparedInputs {
        bool valid = false;
        QStringList keywords;
        QStringList begEnd;
        QStringList lineEnd;
        TKeyDrawingType kind = dtBeginEnd;
        bool keyCase = false;
        TColor defKeyColor = 0;
        TColor keyBrushColor = 0;
        bool SameAs(const TColorRule &rule) const;
    };
    PreparedInputs m_preparedFrom;
};
