#include "DocumentEdits.h"

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
