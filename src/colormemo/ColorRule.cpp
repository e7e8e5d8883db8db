#include "ColorRule.h"

#include "DrawRules.h"

#include "common/Helpers.h"

namespace {

// Stores the text (upper-cased when asked) into the target, reusing its buffer; reports
// whether the stored text changed.
bool StoreText(QString &target, QStringView text, bool upperCase) {
    if (target.size() == text.size()) {
        qsizetype i = 0;
        while (i < text.size() && target[i] == (upperCase ? upperChar(text[i]) : text[i]))
            ++i;
        if (i == text.size())
            return false;
    }
    target.resize(text.size());
    QChar *data = target.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        data[i] = upperCase ? upperChar(text[i]) : text[i];
    return true;
}

bool StoreColor(TColor &target, TColor value) {
    if (target == value)
        return false;
    target = value;
    return true;
}

} // namespace

QString KeyDrawingTypeDisplayName(TKeyDrawingType type) {
    switch (type) {
    case dtKeyShow:
        return QStringLiteral("Key Show");
    case dtEventDraw:
        return QStringLiteral("Event Draw");
    case dtBeginEnd:
        return QStringLiteral("Begin - End");
    case dtBeginLineEnd:
        return QStringLiteral("Begin - Line End");
    }
    return QStringLiteral("<Other type>");
}

QString KeyDrawingTypeIdent(TKeyDrawingType type) {
    switch (type) {
    case dtKeyShow:
        return QStringLiteral("dtKeyShow");
    case dtEventDraw:
        return QStringLiteral("dtEventDraw");
    case dtBeginEnd:
        return QStringLiteral("dtBeginEnd");
    case dtBeginLineEnd:
        return QStringLiteral("dtBeginLineEnd");
    }
    return QString();
}

TColorRule::TColorRule() = default;

TColorRule::TColorRule(TDrawRules *collection)
    : m_collection(collection), m_owner(collection ? collection->Owner() : nullptr) {}

TColorRule::~TColorRule() = default;

void TColorRule::Assign(const TCMPersistent &source) {
    const auto *rule = dynamic_cast<const TColorRule *>(&source);
    if (!rule)
        AssignError(source);
    if (rule == this)
        return;
    m_name = rule->m_name;
    m_isHotspot = rule->m_isHotspot;
    m_keyDrawingType = rule->m_keyDrawingType;
    m_zOrder = rule->m_zOrder;
    m_keyMaxHeight = rule->m_keyMaxHeight;
    m_keyCase = rule->m_keyCase;
    m_enabled = rule->m_enabled;
    m_partWord = rule->m_partWord;
    m_defKeyColor = rule->m_defKeyColor;
    m_keyBrushColor = rule->m_keyBrushColor;
    m_underline = rule->m_underline;
    m_bold = rule->m_bold;
    m_italic = rule->m_italic;
    m_ignoreOtherRules = rule->m_ignoreOtherRules;
    SetKeywords(rule->m_keywords);
    SetKeyLineEndLst(rule->m_keyLineEndLst);
    SetKeyBegEndLst(rule->m_keyBegEndLst);
}

QString TColorRule::GetDisplayName() const {
    return KeyDrawingTypeDisplayName(m_keyDrawingType);
}

void TColorRule::SetKeywords(const QStringList &lines) {
    if (!m_preparing)
        m_preparedFrom.valid = false;
    if (&lines != &m_keywords)
        static_cast<QStringList &>(m_keywords) = lines;
    BuildPreparedKeywords();
}

void TColorRule::SetKeyBegEndLst(const QStringList &lines) {
    if (!m_preparing)
        m_preparedFrom.valid = false;
    BuildBegEndTable(lines, false);
    if (&lines != &m_keyBegEndLst)
        static_cast<QStringList &>(m_keyBegEndLst) = lines;
}

void TColorRule::SetKeyLineEndLst(const QStringList &lines) {
    if (!m_preparing)
        m_preparedFrom.valid = false;
    BuildBegEndTable(lines, true);
    if (&lines != &m_keyLineEndLst)
        static_cast<QStringList &>(m_keyLineEndLst) = lines;
}

void TColorRule::BuildPreparedKeywords() {
    const qsizetype oldCount = m_preparedKeywords.Count();
    bool changed = false;
    m_preparedKeywords.Clear();
    for (const QString &line : std::as_const(m_keywords)) {
        const qsizetype fields = m_fields.Split(line);
        if (fields == 0)
            continue;
        TPreparedKeyword &entry = m_preparedKeywords.Add();
        changed = StoreText(entry.Text, m_fields.Field(0), !m_keyCase) || changed;
        const TColor color = fields >= 2 ? ParseColorText(m_fields.Field(1)) : m_defKeyColor;
        changed = StoreColor(entry.Color, color) || changed;
    }
    // Records beyond the old count held stale content, but then the count differs anyway.
    if (changed || m_preparedKeywords.Count() != oldCount)
        ++m_preparedKeywordsVersion;
}

void TColorRule::BuildBegEndTable(const QStringList &lines, bool lineEnd) {
    m_begEndTable.Clear();
    for (const QString &line : lines) {
        const qsizetype fields = m_fields.Split(line);
        if (fields < (lineEnd ? 1 : 2))
            continue;
        TBegEndEntry &entry = m_begEndTable.Add();
        entry.SetBeginKey(m_fields.Field(0));
        entry.SetEndKey(lineEnd ? QStringView(u"\r\n") : m_fields.Field(1));
        const qsizetype colorField = lineEnd ? 1 : 2;
        entry.Color =
            fields > colorField ? ParseColorText(m_fields.Field(colorField)) : m_defKeyColor;
        entry.BrushColor = m_keyBrushColor;
    }
}

bool TColorRule::PreparedInputs::SameAs(const TColorRule &rule) const {
    // An in-place edit of a list detaches it from the copy kept here, so sharing the data
    // means the lines are the ones the tables were built from.
    return valid && keywords.isSharedWith(rule.m_keywords) &&
           begEnd.isSharedWith(rule.m_keyBegEndLst) && lineEnd.isSharedWith(rule.m_keyLineEndLst) &&
           kind == rule.m_keyDrawingType && keyCase == rule.m_keyCase &&
           defKeyColor == rule.m_defKeyColor && keyBrushColor == rule.m_keyBrushColor;
}

bool TColorRule::Prepare() {
    const bool hasBegEndLines = !m_keyBegEndLst.isEmpty();
    bool hasEntries = hasBegEndLines;
    if (m_keyDrawingType == dtKeyShow)
        hasEntries = hasBegEndLines || !m_keywords.isEmpty();
    else if (m_keyDrawingType == dtBeginLineEnd)
        hasEntries = hasBegEndLines || !m_keyLineEndLst.isEmpty();

    // Rebuilding from unchanged inputs would give the same tables: skip it, so the steady
    // colouring passes do not pay for it.
    if (m_preparedFrom.SameAs(*this))
        return hasEntries;

    m_preparing = true;
    SetKeyBegEndLst(m_keyBegEndLst);
    if (m_keyDrawingType == dtKeyShow)
        SetKeywords(m_keywords);
    else if (m_keyDrawingType == dtBeginLineEnd)
        SetKeyLineEndLst(m_keyLineEndLst);
    m_preparing = false;
    m_preparedFrom = {true,      m_keywords,    m_keyBegEndLst, m_keyLineEndLst, m_keyDrawingType,
                      m_keyCase, m_defKeyColor, m_keyBrushColor};
    return hasEntries;
}

QChar *TColorRule::ScanBuffer(qsizetype textLength) {
    const qsizetype needed = textLength + 1;
    if (needed > m_scanBufferCapacity) {
        m_scanBuffer = std::make_unique<QChar[]>(size_t(needed));
        m_scanBufferCapacity = needed;
    }
    return m_scanBuffer.get();
}
