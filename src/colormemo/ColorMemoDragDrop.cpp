#include "ColorMemo.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

// Dragging selected text inside the control, and files dropped from the desktop.

namespace {

// The format a text drag of a colouring control carries besides its plain text: the address
// of the source control, so a drop knows where the text came from.
const QString kDragFormat = QStringLiteral("application/x-quill-colormemo-source");

} // namespace

QMimeData *TColorMemo::CreateDragData() const {
    auto *data = new QMimeData;
    data->setText(textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    data->setData(kDragFormat, QByteArray::number(quintptr(this)));
    return data;
}

bool TColorMemo::IsOwnDrag(const QMimeData *data) const {
    return data && data->data(kDragFormat) == QByteArray::number(quintptr(this));
}

void TColorMemo::StartTextDrag() {
    m_dragPending = false;
    // The selection of the press stays while the text is dragged.
    QTextCursor cursor = textCursor();
    cursor.setPosition(m_dragSelStart);
    cursor.setPosition(m_dragSelStart + m_dragSelLength, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    auto *drag = new QDrag(this);
    drag->setMimeData(CreateDragData());
    const Qt::DropAction action = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    HideInsertionMark();
    if (action == Qt::IgnoreAction)
        EndTextDrag(false);
}

void TColorMemo::EndTextDrag(bool dropped) {
    m_dragPending = false;
    if (dropped)
        return;
    // No drop: the press was a click, which puts the caret at the pressed character.
    const int index = m_view.CharFromPos(m_pressPoint);
    QTextCursor cursor = textCursor();
    if (index >= 0 && index != cursor.position())
        cursor.setPosition(index);
    cursor.clearSelection();
    setTextCursor(cursor);
    RequestPass(false);
}

bool TColorMemo::DropTextAt(QPoint point, bool copy) {
    if (m_dragSelLength <= 0)
        return false;
    int index = m_view.CharFromPos(point);
    if (index < 0)
        return false;
    QTextCursor cursor = textCursor();
    const int start = m_dragSelStart;
    const int length = m_dragSelLength;
    if (index >= start && index <= start + length) {
        cursor.setPosition(index);
        setTextCursor(cursor);
        RequestPass(false);
        return true;
    }
    const int textLength = document()->characterCount() - 1;
    if (start + length > textLength)
        return false;
    cursor.beginEditBlock();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    const QString text = cursor.selectedText();
    if (!copy) {
        if (index > start)
            index -= length;
        cursor.removeSelectedText();
    }
    cursor.setPosition(index);
    cursor.insertText(text);
    cursor.endEditBlock();
    cursor.setPosition(index);
    setTextCursor(cursor);
    return true;
}

void TColorMemo::PaintInsertionMark(QPoint viewportPoint) {
    HideInsertionMark();
    const int index = m_view.CharFromPos(viewportPoint);
    if (index < 0)
        return;
    const std::optional<QPoint> pos = m_view.PosFromChar(index);
    if (!pos)
        return;
    const int height = std::max(1, int(font().pointSizeF() + 0.5)) + 5;
    m_insertionMark = QRect(pos->x(), pos->y(), 2, height);
    viewport()->update(m_insertionMark);
}

void TColorMemo::HideInsertionMark() {
    if (m_insertionMark.isEmpty())
        return;
    const QRect old = m_insertionMark;
    m_insertionMark = QRect();
    viewport()->update(old);
}

void TColorMemo::dragEnterEvent(QDragEnterEvent *event) {
    // Entering decides like moving: our own text shows the insertion mark, files are taken
    // only with cmoAcceptFiles.
    dragMoveEvent(event);
}

void TColorMemo::dragMoveEvent(QDragMoveEvent *event) {
    const QMimeData *data = event->mimeData();
    if (data && data->hasFormat(kDragFormat)) {
        event->acceptProposedAction();
        PaintInsertionMark(event->position().toPoint());
        return;
    }
    if ((m_options & cmoAcceptFiles) && data && data->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void TColorMemo::dragLeaveEvent(QDragLeaveEvent *event) {
    HideInsertionMark();
    event->accept();
}

void TColorMemo::dropEvent(QDropEvent *event) {
    HideInsertionMark();
    const QMimeData *data = event->mimeData();
    if (data && data->hasFormat(kDragFormat)) {
        // Text from another colouring control is accepted while dragging but not dropped.
        const bool copy = event->modifiers() & Qt::ControlModifier;
        if (IsOwnDrag(data))
            DropTextAt(event->position().toPoint(), copy);
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
        m_dragPending = false;
        return;
    }
    if ((m_options & cmoAcceptFiles) && data && data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            const QString file = url.toLocalFile();
            if (!file.isEmpty() && OnDropFile)
                OnDropFile(this, file);
        }
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}
