#include "MemoUndo.h"

#include "common/CommandGuard.h"
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

MemoUndo::MemoUndo() : m_history(*this) {}

MemoUndo::~MemoUndo() {
    QObject::disconnect(m_connection);
}

void MemoUndo::setMemo(QPlainTextEdit *memo) {
    if (memo == m_memo)
        return;
    QObject::disconnect(m_connection);
    m_memo = memo;
    if (memo) {
        memo->setUndoRedoEnabled(false);
        m_connection =
            ConnectCommand(memo->document(), &QTextDocument::contentsChange, memo->document(),
                           [this](int position, int removed, int added) {
                               m_history.contentsChange(position, removed, added);
                           });
    }
    m_history.textReset();
}

int MemoUndo::length() const {
    return m_memo ? m_memo->document()->characterCount() - 1 : 0;
}

QString MemoUndo::text(int position, int count) const {
    if (!m_memo || count <= 0)
        return {};
    const QTextDocument *document = m_memo->document();
    if (count > length() / 4) {
        // A large part is cut from the raw text at once, its paragraph separators made breaks.
        QString raw = document->toRawText().mid(position, count);
        raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        return raw;
    }
    // Block by block, each line's text and its break.
    QString result;
    result.reserve(count);
    const int end = position + count;
    for (QTextBlock block = document->findBlock(position); block.isValid() && result.size() < count;
         block = block.next()) {
        const int start = block.position();
        const QString line = block.text();
        const int from = std::max(0, position - start);
        result += QStringView(line).mid(from, std::max(0, end - start - from));
        if (start + line.size() < end && block.next().isValid())
            result += QLatin1Char('\n');
    }
    result.truncate(count);
    return result;
}

void MemoUndo::replace(int position, int count, const QString &text) {
    if (!m_memo)
        return;
    QTextCursor cursor(m_memo->document());
    cursor.setPosition(position);
    cursor.setPosition(position + count, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

int MemoUndo::caret() const {
    return m_memo ? m_memo->textCursor().selectionStart() : 0;
}

void MemoUndo::setCaret(int offset) {
    if (!m_memo)
        return;
    QTextCursor cursor = m_memo->textCursor();
    cursor.setPosition(offset);
    m_memo->setTextCursor(cursor);
}

void MemoUndo::setModified() {
    if (m_memo)
        m_memo->document()->setModified(true);
}
