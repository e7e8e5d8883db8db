#include "CMParamFile.h"

#include "CMStringList.h"

namespace {

char16_t AsciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

// 'text' with every single quote doubled, between single quotes.
QString Quoted(const QString &text) {
    QString result;
    result.reserve(text.size() + 2);
    result += u'\'';
    for (QChar c : text) {
        result += c;
        if (c == u'\'')
            result += u'\'';
    }
    result += u'\'';
    return result;
}

} // namespace

TCMParamList::TCMParamList(const QString &name) : m_name(name) {}

TCMParamList::~TCMParamList() = default;

TCMParamList *TCMParamList::Add(std::unique_ptr<TCMParamList> param) {
    m_items.push_back(std::move(param));
    return m_items.back().get();
}

void TCMParamList::DeleteParam(int index) {
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
}

void TCMParamList::Clear() {
    m_items.clear();
}

bool TCMParamList::SameName(const QString &a, const QString &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i].unicode()) != AsciiUpper(b[i].unicode()))
            return false;
    }
    return true;
}

TCMParamList *TCMParamList::FindParam(const QString &name) const {
    for (const auto &item : m_items) {
        if (SameName(item->Name(), name))
            return item.get();
    }
    return nullptr;
}

int TCMParamList::IndexOf(const TCMParamList *param) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_items[size_t(i)].get() == param)
            return i;
    }
    return -1;
}

bool TCMParamList::ReadBool(const QString &name, bool defaultValue) const {
    const auto *param = dynamic_cast<const TCMBoolParam *>(FindParam(name));
    return param ? param->Value() : defaultValue;
}

QString TCMParamList::ReadIdent(const QString &name, const QString &defaultValue) const {
    const auto *param = dynamic_cast<const TCMIdentifierParam *>(FindParam(name));
    return param ? param->Value() : defaultValue;
}

int TCMParamList::ReadInteger(const QString &name, int defaultValue) const {
    const auto *param = dynamic_cast<const TCMIntegerParam *>(FindParam(name));
    return param ? param->Value() : defaultValue;
}

QString TCMParamList::ReadString(const QString &name, const QString &defaultValue) const {
    const auto *param = dynamic_cast<const TCMStringParam *>(FindParam(name));
    return param ? param->Value() : defaultValue;
}

void TCMParamList::WriteBool(const QString &name, bool value) {
    ParamOfClass<TCMBoolParam>(name)->SetValue(value);
}

void TCMParamList::WriteIdent(const QString &name, const QString &value) {
    ParamOfClass<TCMIdentifierParam>(name)->SetValue(value);
}

void TCMParamList::WriteInteger(const QString &name, int value) {
    ParamOfClass<TCMIntegerParam>(name)->SetValue(value);
}

void TCMParamList::WriteString(const QString &name, const QString &value) {
    ParamOfClass<TCMStringParam>(name)->SetValue(value);
}

void TCMParamList::SaveToStrings(QStringList &strings, const QString &indent) const {
    strings.append(indent + u'<');
    const QString childIndent = indent + QStringLiteral("  ");
    for (const auto &item : m_items)
        item->SaveToStrings(strings, childIndent);
    strings.append(indent + u'>');
    strings.append(indent + u' ');
}

QString TCMParamList::ValueText() const {
    return QString();
}

void TCMIdentifierParam::SaveToStrings(QStringList &strings, const QString &indent) const {
    strings.append(QStringLiteral("%1%2 = %3").arg(indent, Name(), m_value));
}

void TCMIntegerParam::SaveToStrings(QStringList &strings, const QString &indent) const {
    strings.append(indent + Name() + QStringLiteral(" = ") + QString::number(m_value));
}

void TCMBoolParam::SaveToStrings(QStringList &strings, const QString &indent) const {
    strings.append(indent + Name() +
                   (m_value ? QStringLiteral(" = True") : QStringLiteral(" = False")));
}

QString TCMBoolParam::ValueText() const {
    return m_value ? QStringLiteral("True") : QStringLiteral("False");
}

void TCMStringParam::SaveToStrings(QStringList &strings, const QString &indent) const {
    const QString head = indent + Name() + QStringLiteral(" = ");
    const QStringList lines = SplitTextLines(m_value);
    if (lines.isEmpty()) {
        strings.append(head + QStringLiteral("''"));
        return;
    }
    strings.append(head + Quoted(lines.first()));
    const QString continuation(head.size(), u' ');
    for (qsizetype i = 1; i < lines.size(); ++i)
        strings.append(continuation + Quoted(lines[i]));
}

QString TCMStringParam::ValueText() const {
    TCMStringList lines;
    lines.SetText(m_value);
    return lines.CommaText();
}
