#include "Completion.h"

#include <QHash>

#include <algorithm>

namespace {

bool isIdentifierStart(QChar c) {
    return c.isLetter() || c == u'_' || c == u'$';
}

bool isIdentifierPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Calls `token(view, position, isIdentifier)` for every identifier and every other
// non-blank character of the text, in order; comments, strings and character literals are
// skipped whole, numbers come as one non-identifier token.
template <typename Fn> void forEachToken(const QString &text, Fn &&token) {
    const qsizetype size = text.size();
    const QChar *data = text.constData();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = data[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'/' && i + 1 < size && data[i + 1] == u'/') {
            while (i < size && data[i] != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < size && data[i + 1] == u'*') {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? size : end + 2;
        } else if (c == u'"' || c == u'\'') {
            ++i;
            while (i < size && data[i] != c && data[i] != u'\n')
                i += data[i] == u'\\' ? 2 : 1;
            ++i;
        } else if (isIdentifierStart(c)) {
            const qsizetype start = i;
            while (i < size && isIdentifierPart(data[i]))
                ++i;
            token(QStringView(data + start, i - start), start, true);
        } else if (c.isDigit()) {
            const qsizetype start = i;
            while (i < size && (isIdentifierPart(data[i]) || data[i] == u'.'))
                ++i;
            token(QStringView(data + start, i - start), start, false);
        } else {
            token(QStringView(data + i, 1), i, false);
            ++i;
        }
    }
}

bool startsWithIgnoringCase(QStringView name, QStringView prefix) {
    return name.startsWith(prefix, Qt::CaseInsensitive);
}

bool lessIgnoringCase(const QString &a, const QString &b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

// The class a variable, parameter or field `name` is declared with: the nearest declaration
// before `caret`, else the first after it. A declaration is a class of the index, perhaps with
// type arguments, directly followed by the name; arrays do not count.
const CompletionIndex::ClassInfo *declaredClass(const QString &text, QStringView name,
                                                qsizetype caret, const CompletionIndex &index) {
    const CompletionIndex::ClassInfo *before = nullptr;
    const CompletionIndex::ClassInfo *after = nullptr;
    const CompletionIndex::ClassInfo *type = nullptr; // the class just read, if any
    int depth = 0;                                    // inside its type arguments
    forEachToken(text, [&](QStringView token, qsizetype position, bool identifier) {
        if (depth > 0) {
            if (token == u"<")
                ++depth;
            else if (token == u">")
                --depth;
            return;
        }
        if (identifier) {
            if (type && token == name) {
                if (position < caret)
                    before = type;
                else if (!after)
                    after = type;
            }
            type = index.find(token.toString());
            return;
        }
        if (type && token == u"<")
            depth = 1;
        else
            type = nullptr;
    });
    return before ? before : after;
}

// The class the receiver chain before the dot at `dot` stands for ("System.out" ->
// PrintStream); nullptr when it is not known.
const CompletionIndex::ClassInfo *receiverClass(const QString &text, qsizetype dot, qsizetype caret,
                                                const CompletionIndex &index) {
    QList<QStringView> chain; // last link first
    qsizetype end = dot;
    for (;;) {
        qsizetype start = end;
        while (start > 0 && isIdentifierPart(text.at(start - 1)))
            --start;
        if (start == end || !isIdentifierStart(text.at(start)))
            return nullptr;
        chain.prepend(QStringView(text).mid(start, end - start));
        if (start > 0 && text.at(start - 1) == u'.') {
            end = start - 1;
            continue;
        }
        break;
    }
    const QString first = chain.first().toString();
    const CompletionIndex::ClassInfo *current = index.find(first);
    // A declared variable hides a class of the same name only when the class is not known.
    if (!current)
        current = declaredClass(text, chain.first(), caret, index);
    for (qsizetype i = 1; current && i < chain.size(); ++i) {
        const CompletionIndex::ClassInfo *next = nullptr;
        for (const CompletionMember &member : current->members) {
            if (!member.isMethod && member.name == chain.at(i)) {
                next = member.typeName.isEmpty() ? nullptr : index.find(member.typeName);
                break;
            }
        }
        current = next;
    }
    return current;
}

// Exact starts first, each group keeping its order.
void putExactFirst(QList<CompletionCandidate> &candidates, const QString &prefix) {
    std::stable_partition(candidates.begin(), candidates.end(),
                          [&](const CompletionCandidate &c) { return c.text.startsWith(prefix); });
}

} // namespace

namespace Completion {

const QStringList &javaKeywords() {
    static const QStringList keywords = {
        QStringLiteral("abstract"),   QStringLiteral("assert"),     QStringLiteral("boolean"),
        QStringLiteral("break"),      QStringLiteral("byte"),       QStringLiteral("case"),
        QStringLiteral("catch"),      QStringLiteral("char"),       QStringLiteral("class"),
        QStringLiteral("continue"),   QStringLiteral("default"),    QStringLiteral("do"),
        QStringLiteral("double"),     QStringLiteral("else"),       QStringLiteral("enum"),
        QStringLiteral("extends"),    QStringLiteral("false"),      QStringLiteral("final"),
        QStringLiteral("finally"),    QStringLiteral("float"),      QStringLiteral("for"),
        QStringLiteral("if"),         QStringLiteral("implements"), QStringLiteral("import"),
        QStringLiteral("instanceof"), QStringLiteral("int"),        QStringLiteral("interface"),
        QStringLiteral("long"),       QStringLiteral("native"),     QStringLiteral("new"),
        QStringLiteral("null"),       QStringLiteral("package"),    QStringLiteral("private"),
        QStringLiteral("protected"),  QStringLiteral("public"),     QStringLiteral("record"),
        QStringLiteral("return"),     QStringLiteral("short"),      QStringLiteral("static"),
        QStringLiteral("super"),      QStringLiteral("switch"),     QStringLiteral("synchronized"),
        QStringLiteral("this"),       QStringLiteral("throw"),      QStringLiteral("throws"),
        QStringLiteral("true"),       QStringLiteral("try"),        QStringLiteral("var"),
        QStringLiteral("void"),       QStringLiteral("volatile"),   QStringLiteral("while")};
    return keywords;
}

CompletionResult candidatesAt(const QString &text, qsizetype caret, const CompletionIndex &index) {
    CompletionResult result;
    caret = std::clamp<qsizetype>(caret, 0, text.size());
    qsizetype start = caret;
    while (start > 0 && isIdentifierPart(text.at(start - 1)))
        --start;
    result.wordStart = start;
    result.prefix = text.mid(start, caret - start);

    if (start > 0 && text.at(start - 1) == u'.') {
        if (const CompletionIndex::ClassInfo *owner =
                receiverClass(text, start - 1, caret, index)) {
            result.members = true;
            result.className = owner->shortName;
            for (const CompletionMember &member : owner->members) {
                if (startsWithIgnoringCase(member.name, result.prefix))
                    result.candidates.append(
                        {member.name, member.signature, member.isMethod, member.takesParameters});
            }
            putExactFirst(result.candidates, result.prefix);
            return result;
        }
    }

    // Name -> what it is shown with; a class's full name wins over a plain word.
    QHash<QString, QString> words;
    for (const QString &keyword : javaKeywords())
        if (startsWithIgnoringCase(keyword, result.prefix))
            words.insert(keyword, QStringLiteral("Schlüsselwort"));
    for (const CompletionIndex::ClassInfo &info : index.classes())
        if (startsWithIgnoringCase(info.shortName, result.prefix))
            words.insert(info.shortName, info.fullName);
    forEachToken(text, [&](QStringView token, qsizetype position, bool identifier) {
        // The word being typed is not a candidate for itself.
        if (!identifier || position == start || !startsWithIgnoringCase(token, result.prefix))
            return;
        const QString word = token.toString();
        if (!words.contains(word))
            words.insert(word, QString());
    });
    result.candidates.reserve(words.size());
    for (auto it = words.cbegin(); it != words.cend(); ++it)
        result.candidates.append({it.key(), it.value(), false, false});
    std::sort(result.candidates.begin(), result.candidates.end(),
              [](const CompletionCandidate &a, const CompletionCandidate &b) {
                  return lessIgnoringCase(a.text, b.text);
              });
    putExactFirst(result.candidates, result.prefix);
    return result;
}

QList<CompletionCandidate> narrowed(const QList<CompletionCandidate> &candidates,
                                    const QString &prefix) {
    QList<CompletionCandidate> result;
    for (const CompletionCandidate &candidate : candidates)
        if (startsWithIgnoringCase(candidate.text, prefix))
            result.append(candidate);
    std::stable_sort(result.begin(), result.end(),
                     [](const CompletionCandidate &a, const CompletionCandidate &b) {
                         return lessIgnoringCase(a.text, b.text);
                     });
    putExactFirst(result, prefix);
    return result;
}

Insertion insertionFor(const CompletionCandidate &candidate) {
    if (!candidate.isMethod)
        return {candidate.text, candidate.text.size()};
    return {candidate.text + QStringLiteral("()"),
            candidate.text.size() + (candidate.takesParameters ? 1 : 2)};
}

} // namespace Completion
