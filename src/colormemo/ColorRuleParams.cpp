// Transfer of a colour rule to and from a parameter list.
#include "CMParamFile.h"
#include "ColorRule.h"

#include "common/QuillError.h"

namespace {

constexpr int kDefaultMaxHeight = 1;

// The kind named by an identifier, compared with the letters a-z taken as upper case.
bool KindFromIdent(const QString &ident, TKeyDrawingType &kind) {
    for (TKeyDrawingType candidate : {dtKeyShow, dtEventDraw, dtBeginEnd, dtBeginLineEnd}) {
        if (TCMParamList::SameName(ident, KeyDrawingTypeIdent(candidate))) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

void LoadList(const TCMParamList &list, const QString &name, TCMStringList &target) {
    if (const auto *param = dynamic_cast<const TCMStringParam *>(list.FindParam(name)))
        target.SetText(param->Value());
}

} // namespace

void TColorRule::SaveToParams(TCMParamList &list) const {
    const QString kind = KeyDrawingTypeIdent(m_keyDrawingType);
    if (!kind.isEmpty())
        list.WriteIdent(QStringLiteral("KeyDrawingType"), kind);
    if (!m_name.isEmpty())
        list.WriteString(QStringLiteral("Name"), m_name);
    if (m_zOrder != 0)
        list.WriteInteger(QStringLiteral("ZOrder"), m_zOrder);
    if (m_keyMaxHeight != kDefaultMaxHeight)
        list.WriteInteger(QStringLiteral("MaxHeight"), m_keyMaxHeight);
    if (m_defKeyColor != clRed)
        list.WriteInteger(QStringLiteral("DefKeyColor"), qint32(m_defKeyColor));
    if (m_keySelColor != clYellow)
        list.WriteInteger(QStringLiteral("KeySelColor"), qint32(m_keySelColor));
    if (m_keyBrushColor != clWindow)
        list.WriteInteger(QStringLiteral("KeyBrushColor"), qint32(m_keyBrushColor));
    if (!m_keywords.isEmpty())
        list.WriteString(QStringLiteral("Keywords"), m_keywords.Text());
    if (!m_keyBegEndLst.isEmpty())
        list.WriteString(QStringLiteral("KeyBegEndLst"), m_keyBegEndLst.Text());
    if (!m_keyLineEndLst.isEmpty())
        list.WriteString(QStringLiteral("KeyLineEndLst"), m_keyLineEndLst.Text());
    if (!m_enabled)
        list.WriteBool(QStringLiteral("Enabled"), false);
    if (m_keyCase)
        list.WriteBool(QStringLiteral("KeyCase"), true);
    if (m_partWord)
        list.WriteBool(QStringLiteral("PartWord"), true);
    if (m_bold)
        list.WriteBool(QStringLiteral("Bold"), true);
    if (m_italic)
        list.WriteBool(QStringLiteral("Italic"), true);
    if (m_underline)
        list.WriteBool(QStringLiteral("Underline"), true);
    if (m_ignoreOtherRules)
        list.WriteBool(QStringLiteral("Ignore"), true);
}

void TColorRule::LoadFromParams(const TCMParamList &list) {
    // Checked before anything is taken over, so a bad list leaves the rule as it was.
    const int zOrder = list.ReadInteger(QStringLiteral("ZOrder"), m_zOrder);
    if (zOrder < 0 || zOrder > 255)
        throw QuillError(
            QStringLiteral("ZOrder %1 liegt außerhalb des zulässigen Bereichs 0 bis 255.")
                .arg(zOrder));

    TKeyDrawingType kind = m_keyDrawingType;
    if (KindFromIdent(
            list.ReadIdent(QStringLiteral("KeyDrawingType"), KeyDrawingTypeIdent(dtBeginEnd)),
            kind))
        m_keyDrawingType = kind;
    m_name = list.ReadString(QStringLiteral("Name"), m_name);
    m_zOrder = quint8(zOrder);
    m_keyMaxHeight = list.ReadInteger(QStringLiteral("MaxHeight"), m_keyMaxHeight);
    m_defKeyColor = TColor(list.ReadInteger(QStringLiteral("DefKeyColor"), qint32(m_defKeyColor)));
    m_keySelColor = TColor(list.ReadInteger(QStringLiteral("KeySelColor"), qint32(m_keySelColor)));
    m_keyBrushColor =
        TColor(list.ReadInteger(QStringLiteral("KeyBrushColor"), qint32(m_keyBrushColor)));
    LoadList(list, QStringLiteral("Keywords"), m_keywords);
    LoadList(list, QStringLiteral("KeyBegEndLst"), m_keyBegEndLst);
    LoadList(list, QStringLiteral("KeyLineEndLst"), m_keyLineEndLst);
    m_enabled = list.ReadBool(QStringLiteral("Enabled"), m_enabled);
    m_keyCase = list.ReadBool(QStringLiteral("KeyCase"), m_keyCase);
    m_partWord = list.ReadBool(QStringLiteral("PartWord"), m_partWord);
    m_bold = list.ReadBool(QStringLiteral("Bold"), m_bold);
    m_italic = list.ReadBool(QStringLiteral("Italic"), m_italic);
    m_underline = list.ReadBool(QStringLiteral("Underline"), m_underline);
    m_ignoreOtherRules = list.ReadBool(QStringLiteral("Ignore"), m_ignoreOtherRules);
}
