#pragma once

#include <QChar>
#include <QStringView>

// A small Java scanner that tells code apart from strings, character literals and comments,
// one character at a time. Strings, character literals and line comments end at a line
// break; block comments and text blocks may span lines.
class JavaLexState {
public:
    enum class State { Code, LineComment, BlockComment, String, Char, TextBlock };

    State state() const { return m_state; }
    // Whether the last character stepped over ended a block comment that began before the
    // scan started (a "*/" seen in code).
    bool strayCommentEnd() const { return m_strayEnd; }

    // Steps over the character at `i` of `text` and returns how many characters the step
    // consumed (1, or more for "//", "/*", "*/", an escape or a text-block quote). `code`
    // tells whether the character at i is code (a bracket there counts).
    int step(QStringView text, qsizetype i, bool &code) {
        const QChar c = text[i];
        const auto at = [&](qsizetype k) { return k < text.size() ? text[k] : QChar(); };
        m_strayEnd = false;
        code = false;
        switch (m_state) {
        case State::Code:
            if (c == u'/' && at(i + 1) == u'/') {
                m_state = State::LineComment;
                return 2;
            }
            if (c == u'/' && at(i + 1) == u'*') {
                m_state = State::BlockComment;
                return 2;
            }
            if (c == u'*' && at(i + 1) == u'/') {
                m_strayEnd = true;
                return 2;
            }
            if (c == u'"') {
                if (at(i + 1) == u'"' && at(i + 2) == u'"') {
                    m_state = State::TextBlock;
                    return 3;
                }
                m_state = State::String;
                return 1;
            }
            if (c == u'\'') {
                m_state = State::Char;
                return 1;
            }
            code = true;
            return 1;
        case State::LineComment:
            if (c == u'\n')
                m_state = State::Code;
            return 1;
        case State::BlockComment:
            if (c == u'*' && at(i + 1) == u'/') {
                m_state = State::Code;
                return 2;
            }
            return 1;
        case State::String:
        case State::Char:
            if (c == u'\\')
                return at(i + 1) == u'\n' ? 1 : 2;
            if (c == u'\n' || (c == u'"' && m_state == State::String) ||
                (c == u'\'' && m_state == State::Char))
                m_state = State::Code;
            return 1;
        case State::TextBlock:
            if (c == u'\\')
                return 2;
            if (c == u'"' && at(i + 1) == u'"' && at(i + 2) == u'"') {
                m_state = State::Code;
                return 3;
            }
            return 1;
        }
        return 1;
    }

private:
    State m_state = State::Code;
    bool m_strayEnd = false;
};
