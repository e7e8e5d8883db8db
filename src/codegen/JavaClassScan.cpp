#include "codegen/JavaClassScan.h"

#include "codegen/JavaTokens.h"

#include <algorithm>

namespace {

using Tokens = QList<JavaToken>;

// For every brace its partner's index, -1 when it has none.
QList<int> matchBraces(const Tokens &t) {
    QList<int> match(t.size(), -1);
    QList<int> open;
    for (int i = 0; i < t.size(); ++i) {
        if (t.at(i).is(u'{')) {
            open.append(i);
        } else if (t.at(i).is(u'}') && !open.isEmpty()) {
            match[i] = open.last();
            match[open.takeLast()] = i;
        }
    }
    return match;
}

bool isTypeWord(const Tokens &t, int i) {
    const JavaToken &token = t.at(i);
    if (token.kind != JavaToken::Kind::Word || (i > 0 && t.at(i - 1).is(u'.')))
        return false;
    return token.text == QLatin1String("class") || token.text == QLatin1String("interface") ||
           token.text == QLatin1String("enum");
}

// The index of the last token of an annotation that starts with "@" at i.
int annotationEnd(const Tokens &t, int i) {
    int k = i + 1; // the name
    while (k + 2 < t.size() && t.at(k + 1).is(u'.') && t.at(k + 2).kind == JavaToken::Kind::Word)
        k += 2;
    if (k + 1 < t.size() && t.at(k + 1).is(u'(')) {
        int depth = 0;
        for (++k; k < t.size(); ++k) {
            if (t.at(k).is(u'('))
                ++depth;
            else if (t.at(k).is(u')') && --depth == 0)
                break;
        }
    }
    return std::min(k, int(t.size()) - 1);
}

// Walks the members directly in a class body (tokens open+1 up to end, exclusive): records
// the last field declaration and the line starts that lie between members.
class BodyWalk {
public:
    BodyWalk(const Tokens &t, const QList<int> &match, const JavaTokens &scanned, int lineCount,
             JavaClass &c)
        : m_t(t), m_match(match), m_scanned(scanned), m_lineCount(lineCount), m_class(c) {}

    void run(int open, int end, bool closed) {
        m_lastEnd = open;
        for (int k = open + 1; k < end; ++k) {
            if (!m_inMember)
                startMember(k);
            const JavaToken &token = m_t.at(k);
            if (token.is(u'{')) {
                // Braces inside an initializer or an argument belong to the member; any other
                // body (method, constructor, initializer block, nested type) ends it.
                const int partner = m_match.at(k) < 0 ? end : m_match.at(k);
                if (m_paren == 0 && !m_sawEquals)
                    endMember(partner);
                k = partner;
            } else if (token.is(u'@') && k + 1 < end &&
                       m_t.at(k + 1).kind == JavaToken::Kind::Word &&
                       !m_t.at(k + 1).isWord(QLatin1String("interface"))) {
                k = annotationEnd(m_t, k);
            } else if (token.is(u'(')) {
                if (m_paren++ == 0 && !m_sawEquals)
                    m_parenBeforeEquals = true;
            } else if (token.is(u')')) {
                m_paren = std::max(0, m_paren - 1);
            } else if (token.is(u'=') && m_paren == 0) {
                m_sawEquals = true;
            } else if (token.is(u';') && m_paren == 0) {
                if (m_memberTokens > 0 && !m_parenBeforeEquals && !m_isType)
                    m_class.lastFieldLine = token.line;
                endMember(k);
                continue;
            } else if (isTypeWord(m_t, k)) {
                m_isType = true;
            }
            ++m_memberTokens;
        }
        if (m_inMember)
            return; // an unfinished member: no place after it
        const int lastLine = m_t.at(m_lastEnd).line;
        addBoundaries(lastLine, closed ? m_t.at(end).line : m_lineCount);
    }

private:
    void startMember(int k) {
        addBoundaries(m_t.at(m_lastEnd).line, m_t.at(k).line);
        m_inMember = true;
        m_sawEquals = m_parenBeforeEquals = m_isType = false;
        m_paren = m_memberTokens = 0;
    }

    void endMember(int k) {
        m_inMember = false;
        m_lastEnd = k;
    }

    // The line starts after line `after` up to line `upTo`, where no comment is open. The
    // line count itself stands for appending at the end of the text.
    void addBoundaries(int after, int upTo) {
        for (int line = after + 1; line <= upTo; ++line) {
            if (line >= m_lineCount || m_scanned.lineStartsInCode.at(line))
                m_class.memberBoundaries.append(line);
        }
    }

    const Tokens &m_t;
    const QList<int> &m_match;
    const JavaTokens &m_scanned;
    const int m_lineCount;
    JavaClass &m_class;
    int m_lastEnd = 0;
    bool m_inMember = false;
    bool m_sawEquals = false;
    bool m_parenBeforeEquals = false;
    bool m_isType = false;
    int m_paren = 0;
    int m_memberTokens = 0;
};

} // namespace

QList<JavaClass> ScanJavaClasses(const QStringList &lines) {
    const JavaTokens scanned = TokenizeJava(lines);
    const Tokens &t = scanned.tokens;
    const QList<int> match = matchBraces(t);
    QList<JavaClass> classes;
    QList<std::pair<int, int>> bodies; // open and close token of each class; close -1: unclosed
    for (int i = 0; i + 1 < t.size(); ++i) {
        if (!t.at(i).isWord(QLatin1String("class")) || !isTypeWord(t, i) ||
            t.at(i + 1).kind != JavaToken::Kind::Word)
            continue;
        int open = i + 2;
        while (open < t.size() && !t.at(open).is(u'{') && !t.at(open).is(u';') &&
               !t.at(open).is(u'}'))
            ++open;
        if (open >= t.size() || !t.at(open).is(u'{'))
            continue;
        JavaClass c;
        c.name = t.at(i + 1).text;
        c.declarationLine = t.at(i).line;
        c.openLine = t.at(open).line;
        const int close = match.at(open);
        c.closeLine = close < 0 ? -1 : t.at(close).line;
        BodyWalk(t, match, scanned, int(lines.size()), c)
            .run(open, close < 0 ? int(t.size()) : close, close >= 0);
        classes.append(c);
        bodies.append({open, close});
    }
    for (int c = 0; c < classes.size(); ++c) {
        for (int d = 0; d < c; ++d) {
            const auto [open, close] = bodies.at(d);
            if (open < bodies.at(c).first && (close < 0 || close > bodies.at(c).first))
                ++classes[c].depth;
        }
    }
    return classes;
}

int ClassAtLine(const QList<JavaClass> &classes, int line) {
    int best = -1;
    for (int i = 0; i < classes.size(); ++i) {
        if (classes.at(i).holdsLine(line) &&
            (best < 0 || classes.at(i).depth >= classes.at(best).depth))
            best = i;
    }
    return best >= 0 || classes.isEmpty() ? best : 0;
}
