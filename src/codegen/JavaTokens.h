#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The parts of Java source text that are code: words and single punctuation characters,
// with comments, string literals, text blocks and character literals left out. Enough to
// count braces and find declarations; no further Java grammar.
struct JavaToken {
    enum class Kind { Word, Punct };
    Kind kind = Kind::Punct;
    QString text; // the word, or the one punctuation character
    int line = 0; // 0-based
    int column = 0;

    bool is(QChar c) const { return kind == Kind::Punct && text.size() == 1 && text.at(0) == c; }
    bool isWord(QLatin1String word) const { return kind == Kind::Word && text == word; }
};

struct JavaTokens {
    QList<JavaToken> tokens;
    // One entry per line: false when the line starts inside a block comment or a text block,
    // where a line inserted in front would become part of it.
    QList<bool> lineStartsInCode;
};

// Splits lines of Java source into tokens. Unterminated literals end at the end of their
// line; an unterminated block comment or text block runs to the end of the text.
JavaTokens TokenizeJava(const QStringList &lines);
