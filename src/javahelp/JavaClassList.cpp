#include "JavaClassList.h"

#include "common/Helpers.h"
#include "editor/TextFile.h"

#include <algorithm>

namespace {

const QString kEndOfBlock = QStringLiteral("xxxx");

QString shortNameOf(const QString &classLine) {
    const qsizetype dot = classLine.lastIndexOf(u'.');
    return dot < 0 ? classLine : classLine.mid(dot + 1);
}

} // namespace

JavaClassList JavaClassList::fromText(const QString &text) {
    JavaClassList list;
    const qsizetype size = text.size();
    qsizetype pos = 0;
    // Takes the next line; false at the end of the text.
    auto nextLine = [&](QString &line) {
        if (pos >= size)
            return false;
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0)
            end = size;
        line = text.mid(pos, end - pos);
        pos = end + 1;
        return true;
    };

    QString line;
    while (nextLine(line)) {
        // A stray blank line between blocks would otherwise become a nameless class.
        if (TrimBlanksAndControls(line).isEmpty())
            continue;
        list.m_shortNames.append(shortNameOf(line));
        if (pos >= size)
            break; // a class line at the very end names a class but has no entry
        JavaClassEntry entry;
        entry.shortName = list.m_shortNames.constLast();
        entry.fullName = line;
        QString member;
        while (nextLine(member) && member != kEndOfBlock)
            entry.members.append(member);
        list.m_entries.append(std::move(entry));
    }
    return list;
}

bool JavaClassList::load(const QString &fileName, JavaClassList &result, QString &error) {
    DecodedText decoded;
    if (!TextFile::Read(fileName, decoded, error))
        return false;
    result = fromText(decoded.text);
    return true;
}

QStringList JavaClassList::sortedShortNames() const {
    QStringList names = m_shortNames;
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

const JavaClassEntry *JavaClassList::find(const QString &shortName) const {
    for (const JavaClassEntry &entry : m_entries) {
        if (entry.shortName == shortName)
            return &entry;
    }
    return nullptr;
}

bool JavaClassList::memberMatches(const QString &member, const QString &upperFilter) {
    if (upperFilter.isEmpty())
        return true;
    // The same per-character mapping as UpperCaseChars, applied while comparing so that a
    // key stroke on a large class allocates nothing per line.
    const qsizetype n = upperFilter.size();
    for (qsizetype i = member.indexOf(u'.'); i >= 0 && i + n < member.size();
         i = member.indexOf(u'.', i + 1)) {
        qsizetype k = 0;
        while (k < n && member.at(i + 1 + k).toUpper() == upperFilter.at(k))
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

QString JavaClassList::displayText(const JavaClassEntry &entry, const QString &filterText) {
    const QString filter = UpperCaseChars(TrimBlanksAndControls(filterText));
    QString text;
    text.reserve(entry.shortName.size() + entry.fullName.size() + 3 + 64 * entry.members.size());
    text += entry.shortName;
    text += u'\n';
    text += entry.fullName;
    text += u"\n\n";
    for (const QString &member : entry.members) {
        if (memberMatches(member, filter)) {
            text += member;
            text += u'\n';
        }
    }
    return text;
}
