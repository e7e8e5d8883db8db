#include "DocumentEdits.h"

#include "LineComments.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

void ReplaceRanges(QTextDocument &document, const std::vector<qsizetype> &positions,
                   qsizetype length, const QString &replacement) {
    if (positions.empty())
        return;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // From the last range back, so the positions of the others stay valid.
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        cursor.setPosition(int(*it));
        cursor.setPosition(int(*it + length), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
    }
    cursor.endEditBlock();
}

AutoIndent::Enter PlanEnter(const QTextCursor &cursor, QStringView step) {
    const QTextDocument *document = cursor.document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    const int column = cursor.selectionStart() - first.position();
    // The line as it is once the selection is gone.
    const QString line =
        first.text().left(column) + last.text().mid(cursor.selectionEnd() - last.position());
    return AutoIndent::OnEnter(line, column, step);
}

void ApplyEnter(QTextCursor &cursor, const AutoIndent::Enter &plan) {
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int at = cursor.position();
    cursor.setPosition(at + plan.removeAfter, QTextCursor::KeepAnchor);
    cursor.insertText(plan.inserted);
    cursor.endEditBlock();
    cursor.setPosition(at + plan.caret);
}

int PlanCloseBrace(const QTextCursor &cursor, QStringView step) {
    if (cursor.hasSelection())
        return 0;
    const QTextBlock block = cursor.block();
    return AutoIndent::DedentOnCloseBrace(block.text(), cursor.position() - block.position(), step);
}

void ApplyCloseBrace(QTextCursor &cursor, int dedent) {
    cursor.beginEditBlock();
    if (dedent > 0)
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, dedent);
    cursor.insertText(QStringLiteral("}"));
    cursor.endEditBlock();
}

void ToggleLineComments(QTextCursor &cursor) {
    QTextDocument *document = cursor.document();
    const QTextBlock startBlock = document->findBlock(cursor.selectionStart());
    const QTextBlock endBlock = document->findBlock(cursor.selectionEnd());
    const LineComments::LineRange range =
        LineComments::LinesOf(startBlock.blockNumber(), endBlock.blockNumber(),
                              cursor.selectionEnd() - endBlock.position());
    const QTextBlock first = document->findBlockByNumber(range.first);
    const QTextBlock last = document->findBlockByNumber(range.last);
    QStringList lines;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        lines << block.text();
        if (block == last)
            break;
    }
    const QStringList toggled = LineComments::Toggle(lines);
    const bool selected = cursor.hasSelection();
    const int caretColumn = cursor.position() - first.position();
    const int from = first.position();
    const int to = last.position() + last.length() - 1;

    cursor.beginEditBlock();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    const QString joined = toggled.join(u'\n');
    cursor.insertText(joined);
    cursor.endEditBlock();
    if (selected) {
        cursor.setPosition(from);
        cursor.setPosition(from + int(joined.size()), QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(from + LineComments::ColumnAfter(lines[0], toggled[0], caretColumn));
    }
}
