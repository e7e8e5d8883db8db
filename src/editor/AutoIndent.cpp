#include "AutoIndent.h"

#include "JavaLexState.h"

#include <algorithm>

namespace AutoIndent {

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

qsizetype LeadingBlanks(QStringView text) {
    qsizetype n = 0;
    while (n < text.size() && IsBlank(text[n]))
        ++n;
    return n;
}

} // namespace

QString Step(bool tabs) {
    return tabs ? QStringLiteral("\t") : QStringLiteral("  ");
}

bool EndsWithOpenBrace(QStringView line) {
    // A line starts outside any string; a block comment open on an earlier line is not
    // known here, which only costs an indent step that the user takes back.
    using State = JavaLexState::State;
    JavaLexState lex;
    QChar last;
    for (qsizetype i = 0; i < line.size();) {
        const State before = lex.state();
        bool code = false;
        const int width = lex.step(line, i, code);
        const State after = lex.state();
        const auto literal = [](State s) {
            return s == State::String || s == State::Char || s == State::TextBlock;
        };
        if (code) {
            if (!IsBlank(line[i]))
                last = line[i];
        } else if (literal(before) || literal(after)) {
            last = u'"'; // a literal ends the code, whatever it holds
        }
        if (after == State::LineComment)
            break;
        i += width;
    }
    return last == u'{';
}

Enter OnEnter(QStringView line, int column, QStringView step) {
    column = std::clamp(column, 0, int(line.size()));
    const QStringView before = line.left(column);
    const QStringView after = line.mid(column);
    const QString indent = before.left(LeadingBlanks(before)).toString();
    const int removeAfter = int(LeadingBlanks(after));
    const bool opens = EndsWithOpenBrace(before);
    const bool closesNext = after.mid(removeAfter).startsWith(u'}');

    Enter result;
    result.removeAfter = removeAfter;
    result.inserted = QLatin1Char('\n') + indent;
    if (opens) {
        result.inserted += step;
        result.caret = int(result.inserted.size());
        if (closesNext)
            result.inserted += QLatin1Char('\n') + indent;
    } else {
        result.caret = int(result.inserted.size());
    }
    return result;
}

int DedentOnCloseBrace(QStringView line, int column, QStringView step) {
    column = std::clamp(column, 0, int(line.size()));
    const QStringView before = line.left(column);
    if (LeadingBlanks(before) != before.size() || before.isEmpty())
        return 0;
    // A tab is one step whatever the setting; spaces go up to the width of a step.
    if (before.back() == u'\t')
        return 1;
    const int width = step == u"\t" ? 2 : int(step.size());
    int spaces = 0;
    while (spaces < width && spaces < before.size() && before[before.size() - 1 - spaces] == u' ')
        ++spaces;
    return spaces;
}

} // namespace AutoIndent
