#include "codegen/JavaTokens.h"

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.isSurrogate() ||
           c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_SpacingCombining;
}

// Where the scan stands between lines: in code, or inside a construct that spans lines.
enum class Open { Code, BlockComment, TextBlock };

// The end of a quoted literal that starts at from (just after its opening quote); a backslash
// escapes the next character. Returns the line's length when the literal is not closed.
qsizetype literalEnd(const QString &line, qsizetype from, QChar quote) {
    for (qsizetype i = from; i < line.size(); ++i) {
        if (line.at(i) == u'\\')
            ++i;
        else if (line.at(i) == quote)
            return i + 1;
    }
    return line.size();
}

// The position after the closing """ of a text block, or -1 when it is not on this line.
qsizetype textBlockEnd(const QString &line, qsizetype from) {
    for (qsizetype i = from; i < line.size(); ++i) {
        if (line.at(i) == u'\\')
            ++i;
        else if (line.mid(i, 3) == QLatin1String("\"\"\""))
            return i + 3;
    }
    return -1;
}

} // namespace

JavaTokens TokenizeJava(const QStringList &lines) {
    JavaTokens result;
    Open open = Open::Code;
    for (int lineNo = 0; lineNo < lines.size(); ++lineNo) {
        const QString &line = lines.at(lineNo);
        result.lineStartsInCode << (open == Open::Code);
        qsizetype i = 0;
        while (i < line.size()) {
            if (open == Open::BlockComment) {
                const qsizetype end = line.indexOf(QLatin1String("*/"), i);
                if (end < 0)
                    break;
                i = end + 2;
                open = Open::Code;
                continue;
            }
            if (open == Open::TextBlock) {
                const qsizetype end = textBlockEnd(line, i);
                if (end < 0)
                    break;
                i = end;
                open = Open::Code;
                continue;
            }
            const QChar c = line.at(i);
            if (c.isSpace()) {
                ++i;
            } else if (line.mid(i, 2) == QLatin1String("//")) {
                break;
            } else if (line.mid(i, 2) == QLatin1String("/*")) {
                open = Open::BlockComment;
                i += 2;
            } else if (line.mid(i, 3) == QLatin1String("\"\"\"")) {
                open = Open::TextBlock;
                i += 3;
            } else if (c == u'"' || c == u'\'') {
                i = literalEnd(line, i + 1, c);
            } else if (isWordChar(c)) {
                const qsizetype start = i;
                while (i < line.size() && isWordChar(line.at(i)))
                    ++i;
                result.tokens.append(
                    {JavaToken::Kind::Word, line.mid(start, i - start), lineNo, int(start)});
            } else {
                result.tokens.append({JavaToken::Kind::Punct, QString(c), lineNo, int(i)});
                ++i;
            }
        }
    }
    return result;
}
