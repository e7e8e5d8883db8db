#include "CheckMarks.h"

#include "common/Helpers.h"
#include "editor/LineMarks.h"
#include "javarun/CheckExplanations.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// The document position of a place (line from 1, column from 0), clipped to the text.
int PositionOf(const QTextDocument &document, int line, int column) {
    const QTextBlock block = document.findBlockByNumber(std::max(line, 1) - 1);
    if (!block.isValid())
        return document.characterCount() - 1;
    return block.position() + std::clamp(column, 0, block.length() - 1);
}

LineMarkKind GutterKind(DiagnosticKind kind) {
    return kind == DiagnosticKind::Warning ? LineMarkKind::Warning : LineMarkKind::Error;
}

// Errors before warnings, then by place.
int Rank(const CheckMarks::Mark &mark) {
    return mark.kind == DiagnosticKind::Warning ? 1 : 0;
}

} // namespace

CheckSpan CheckSpanOf(const QTextDocument &document, const CheckedMessage &message) {
    const QTextBlock block = document.findBlockByNumber(std::max(message.line, 1) - 1);
    if (!block.isValid()) {
        const int end = document.characterCount() - 1;
        return {end, end};
    }
    const QString text = block.text();
    if (message.column < 0) {
        // The line's text without its indentation.
        int first = 0;
        while (first < text.size() && text.at(first).isSpace())
            ++first;
        int last = int(text.size());
        while (last > first && text.at(last - 1).isSpace())
            --last;
        return {block.position() + first, block.position() + last};
    }
    const int start = PositionOf(document, message.line, message.column);
    const int end = PositionOf(document, message.endLine, message.endColumn);
    if (end > start)
        return {start, end};
    // Only a place: the word there, the sign there, the word that ends there (the compiler
    // points behind it when something is missing), or one character.
    int column = int(start - block.position());
    int from = column;
    int to = column;
    if (column < text.size() && IsWordChar(text.at(column))) {
        while (from > 0 && IsWordChar(text.at(from - 1)))
            --from;
        while (to < text.size() && IsWordChar(text.at(to)))
            ++to;
    } else if (column < text.size() && !text.at(column).isSpace()) {
        to = column + 1;
    } else if (column > 0 && IsWordChar(text.at(column - 1))) {
        while (from > 0 && IsWordChar(text.at(from - 1)))
            --from;
    } else if (column < text.size()) {
        to = column + 1;
    } else if (column > 0) {
        from = column - 1;
    }
    return {block.position() + from, block.position() + to};
}

QList<CheckedMessage> CompileMessagesFor(const QList<Diagnostic> &diagnostics,
                                         const QString &fileName) {
    QList<CheckedMessage> messages;
    for (const Diagnostic &diagnostic : diagnostics) {
        if (diagnostic.kind == DiagnosticKind::Note || !SameFileName(diagnostic.fileName, fileName))
            continue;
        CheckedMessage message;
        message.kind = diagnostic.kind;
        message.line = message.endLine = diagnostic.line;
        message.column = message.endColumn = diagnostic.column;
        message.message = diagnostic.message;
        messages.append(message);
    }
    return messages;
}

QString CheckMarkTip(const QString &message, const QString &explanation) {
    return explanation.isEmpty() ? message : message + u'\n' + explanation;
}

QString CheckMarkStatus(DiagnosticKind kind, const QString &message, const QString &explanation) {
    const QString first = message.left(message.indexOf(u'\n'));
    QString text = (kind == DiagnosticKind::Warning ? QStringLiteral("Warnung: ")
                                                    : QStringLiteral("Fehler: ")) +
                   first;
    if (!explanation.isEmpty())
        text += QStringLiteral(" – ") + explanation;
    return text;
}

CheckMarks::CheckMarks(QTextDocument &document, LineMarks &lines)
    : m_document(document), m_lines(lines) {}

void CheckMarks::Clear() {
    m_marks.clear();
    m_lines.RemoveKind(LineMarkKind::Error);
    m_lines.RemoveKind(LineMarkKind::Warning);
}

void CheckMarks::Show(const QList<CheckedMessage> &messages,
                      const CheckExplanations *explanations) {
    Clear();
    for (const CheckedMessage &message : messages) {
        const CheckSpan span = CheckSpanOf(m_document, message);
        Mark mark;
        mark.kind = message.kind;
        mark.message = message.message;
        if (explanations)
            mark.explanation = explanations->Explain(message.message);
        mark.range = QTextCursor(&m_document);
        mark.range.setPosition(span.start);
        mark.range.setPosition(span.end, QTextCursor::KeepAnchor);
        m_marks.append(mark);
    }
    std::stable_sort(m_marks.begin(), m_marks.end(),
                     [](const Mark &a, const Mark &b) { return Rank(a) < Rank(b); });
    // One gutter mark of a kind on a line: the messages of that line one below the other.
    for (const Mark &mark : m_marks) {
        const int line = m_document.findBlock(mark.range.selectionStart()).blockNumber();
        const LineMarkKind kind = GutterKind(mark.kind);
        QString tip = CheckMarkTip(mark.message, mark.explanation);
        for (const LineMark &there : m_lines.On(line))
            if (there.kind == kind)
                tip = there.text + u'\n' + tip;
        m_lines.Set(line, kind, tip);
    }
}

const CheckMarks::Mark *CheckMarks::At(int position) const {
    for (const Mark &mark : m_marks)
        if (mark.range.selectionStart() <= position && position < mark.range.selectionEnd())
            return &mark;
    return nullptr;
}

const CheckMarks::Mark *CheckMarks::OnLine(int line) const {
    for (const Mark &mark : m_marks) {
        const QTextBlock first = m_document.findBlock(mark.range.selectionStart());
        if (first.blockNumber() == line)
            return &mark;
    }
    return nullptr;
}
