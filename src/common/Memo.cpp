#include "Memo.h"

#include "Helpers.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QTextDocument>

namespace {

// The text a key press inserts, or the empty text for a key that inserts nothing (moving,
// deleting, shortcuts).
QString TypedText(const QKeyEvent *event, bool tabChangesFocus) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return modifiers == Qt::NoModifier ? QStringLiteral("\n") : QString();
    if (key == Qt::Key_Tab)
        return modifiers == Qt::NoModifier && !tabChangesFocus ? QStringLiteral("\t") : QString();
    // Ctrl with Alt is AltGr on some keyboards, which types characters.
    const bool altGr = (modifiers & Qt::ControlModifier) && (modifiers & Qt::AltModifier);
    if ((modifiers & Qt::MetaModifier) || ((modifiers & Qt::ControlModifier) && !altGr))
        return QString();
    const QString text = event->text();
    for (const QChar c : text) {
        if (!c.isPrint())
            return QString();
    }
    return text;
}

} // namespace

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool TMemo::Modified() const {
    return document()->isModified();
}

void TMemo::SetModified(bool modified) {
    document()->setModified(modified);
}

void TMemo::resizeEvent(QResizeEvent *event) {
    if (m_relayoutOnResize || lineWrapMode() != NoWrap) {
        QPlainTextEdit::resizeEvent(event);
        return;
    }
    // The base lays the document out anew when the width changes, and only then: it is
    // told the width stayed. The scroll bars still follow the new size.
    QResizeEvent sameWidth(event->size(), QSize(event->size().width(), event->oldSize().height()));
    QPlainTextEdit::resizeEvent(&sameWidth);
}

void TMemo::ShowDocument(QTextDocument *document) {
    if (document == this->document())
        return;
    setDocument(document);
    // The text is laid out in the font of the controls that show it.
    this->document()->setDefaultFont(font());
    DocumentShown();
}

int TMemo::SelectionLength() const {
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

qsizetype TMemo::Room(int replaced) const {
    if (m_maxLength <= 0)
        return -1;
    const int length = document()->characterCount() - 1;
    return std::max(0, m_maxLength - (length - replaced));
}

QString TMemo::LimitInsertion(const QString &text, int replaced) const {
    const qsizetype room = Room(replaced);
    if (room < 0 || text.size() <= room)
        return text;
    BeepTimes(1);
    return text.left(room);
}

bool TMemo::FitsWhole(qsizetype length, int replaced) const {
    const qsizetype room = Room(replaced);
    if (room < 0 || length <= room)
        return true;
    BeepTimes(1);
    return false;
}

void TMemo::keyPressEvent(QKeyEvent *event) {
    const QString typed =
        m_maxLength > 0 && !isReadOnly() ? TypedText(event, tabChangesFocus()) : QString();
    if (!typed.isEmpty()) {
        const QString fitting = LimitInsertion(typed, SelectionLength());
        if (fitting.size() < typed.size()) {
            if (!fitting.isEmpty()) {
                QTextCursor cursor = textCursor();
                cursor.insertText(fitting);
                setTextCursor(cursor);
            }
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent *event) {
    const QString commit = event->commitString();
    if (m_maxLength > 0 && !commit.isEmpty()) {
        const QString fitting = LimitInsertion(commit, SelectionLength());
        if (fitting.size() < commit.size()) {
            QInputMethodEvent limited(event->preeditString(), event->attributes());
            limited.setCommitString(fitting, event->replacementStart(), event->replacementLength());
            QPlainTextEdit::inputMethodEvent(&limited);
            return;
        }
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TMemo::dropEvent(QDropEvent *event) {
    const QMimeData *data = event->mimeData();
    if (m_maxLength > 0 && data && data->hasText() && !isReadOnly()) {
        // Moving text inside the control takes it out first.
        const bool ownMove = event->source() &&
                             (event->source() == this || event->source() == viewport()) &&
                             event->dropAction() == Qt::MoveAction;
        if (!FitsWhole(data->text().size(), ownMove ? SelectionLength() : 0)) {
            event->ignore();
            return;
        }
    }
    QPlainTextEdit::dropEvent(event);
}

void TMemo::insertFromMimeData(const QMimeData *source) {
    // Pasting comes here (and dropping, which was checked whole before); only plain text is
    // ever inserted.
    if (m_maxLength <= 0 || !source) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = source->text();
    const QString fitting = LimitInsertion(text, SelectionLength());
    if (fitting.size() == text.size()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    if (fitting.isEmpty())
        return;
    QMimeData limited;
    limited.setText(fitting);
    QPlainTextEdit::insertFromMimeData(&limited);
}
