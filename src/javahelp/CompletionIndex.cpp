#include "CompletionIndex.h"

#include <algorithm>

namespace {

bool isModifier(QStringView word) {
    static const char *const modifiers[] = {"static",   "final",   "abstract",  "synchronized",
                                            "native",   "default", "transient", "volatile",
                                            "strictfp", "public",  "protected"};
    for (const char *modifier : modifiers)
        if (word == QLatin1String(modifier))
            return true;
    return false;
}

// The type part of a member line with its modifiers and type parameters ("<T>") taken off.
QString stripModifiers(QString type) {
    for (;;) {
        type = type.trimmed();
        if (type.startsWith(u'<')) {
            int depth = 0;
            qsizetype i = 0;
            for (; i < type.size(); ++i) {
                if (type.at(i) == u'<')
                    ++depth;
                else if (type.at(i) == u'>' && --depth == 0)
                    break;
            }
            type = type.mid(i + 1);
            continue;
        }
        const qsizetype space = type.indexOf(u' ');
        if (space > 0 && isModifier(QStringView(type).left(space))) {
            type = type.mid(space + 1);
            continue;
        }
        return type;
    }
}

// "Map<String, String>" -> "Map", "System.Logger" -> "Logger"; empty for arrays, which have
// no members of a class.
QString baseTypeName(const QString &type) {
    if (type.contains(u'['))
        return QString();
    QString base = type.left(type.indexOf(u'<') < 0 ? type.size() : type.indexOf(u'<'));
    return base.mid(base.lastIndexOf(u'.') + 1).trimmed();
}

bool lessIgnoringCase(const QString &a, const QString &b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

bool CompletionIndex::parseMember(const QString &line, CompletionMember &member) {
    if (line.startsWith(QLatin1String("new ")))
        return false;
    const qsizetype paren = line.indexOf(u'(');
    const QString head = paren < 0 ? line.trimmed() : line.left(paren).trimmed();
    const qsizetype space = head.lastIndexOf(u' ');
    if (space <= 0)
        return false;
    const QString qualified = head.mid(space + 1);
    const qsizetype dot = qualified.lastIndexOf(u'.');
    if (dot < 0 || dot + 1 >= qualified.size())
        return false;
    member.name = qualified.mid(dot + 1);
    const QString type = stripModifiers(head.left(space));
    member.typeName = baseTypeName(type);
    member.isMethod = paren >= 0;
    if (member.isMethod) {
        const qsizetype close = line.indexOf(u')', paren);
        member.takesParameters = close > paren + 1;
        member.signature = type + u' ' + member.name + line.mid(paren);
    } else {
        member.takesParameters = false;
        member.signature = type + u' ' + member.name;
    }
    return true;
}

CompletionIndex CompletionIndex::build(const JavaClassList &list) {
    CompletionIndex index;
    index.m_classes.reserve(list.entries().size());
    for (const JavaClassEntry &entry : list.entries()) {
        ClassInfo info;
        info.shortName = entry.shortName;
        info.fullName = entry.fullName;
        info.members.reserve(entry.members.size());
        for (const QString &line : entry.members) {
            CompletionMember member;
            if (parseMember(line, member))
                info.members.append(std::move(member));
        }
        std::stable_sort(info.members.begin(), info.members.end(),
                         [](const CompletionMember &a, const CompletionMember &b) {
                             return lessIgnoringCase(a.name, b.name);
                         });
        index.m_classes.append(std::move(info));
    }
    std::stable_sort(index.m_classes.begin(), index.m_classes.end(),
                     [](const ClassInfo &a, const ClassInfo &b) {
                         return lessIgnoringCase(a.shortName, b.shortName);
                     });
    // Backwards, so that of equal short names the first in sorted order wins.
    for (qsizetype i = index.m_classes.size() - 1; i >= 0; --i)
        index.m_byName.insert(index.m_classes.at(i).shortName, i);
    return index;
}

const CompletionIndex::ClassInfo *CompletionIndex::find(const QString &shortName) const {
    const auto it = m_byName.constFind(shortName);
    return it == m_byName.constEnd() ? nullptr : &m_classes.at(*it);
}
