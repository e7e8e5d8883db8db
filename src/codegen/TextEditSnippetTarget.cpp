#include "codegen/TextEditSnippetTarget.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// The document always ends in a block; it is an empty one after a break at the very end,
// and in the empty text. Neither counts as a line.
bool EndsWithoutOpenLine(const QTextDocument *doc) {
    return doc->lastBlock().text().isEmpty();
}

} // namespace

int TextEditSnippetTarget::lineCount() const {
    const QTextDocument *doc = m_edit->document();
    return doc->blockCount() - (EndsWithoutOpenLine(doc) ? 1 : 0);
}

QString TextEditSnippetTarget::line(int index) const {
    return m_edit->document()->findBlockByNumber(index).text();
}

int TextEditSnippetTarget::caretLine() const {
    return m_edit->textCursor().blockNumber();
}

void TextEditSnippetTarget::insertLines(int index, const QStringList &lines) {
    QTextDocument *doc = m_edit->document();
    QTextCursor cursor(doc);
    const QString joined = lines.join(QLatin1Char('\n'));
    if (index < lineCount()) {
        cursor.setPosition(doc->findBlockByNumber(index).position());
        cursor.insertText(joined + QLatin1Char('\n'));
    } else {
        cursor.movePosition(QTextCursor::End);
        // A last line without its break gets one before the new lines; otherwise the new
        // lines end in a break as the text did.
        cursor.insertText(EndsWithoutOpenLine(doc) ? joined + QLatin1Char('\n')
                                                   : QLatin1Char('\n') + joined);
    }
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}

void TextEditSnippetTarget::setModified() {
    m_edit->document()->setModified(true);
}
