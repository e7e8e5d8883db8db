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
    m_drag.Finish();
    // The selection of the press stays while the text is dragged.
    QTextCursor cursor = textCursor();
    cursor.setPosition(m_drag.SelStart());
    cursor.setPosition(m_drag.SelStart() + m_drag.SelLength(), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    auto *drag = new QDrag(this);
    drag->setMimeData(CreateDragData());
    const Qt::DropAction action = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    m_drag.HideMark();
    if (action == Qt::IgnoreAction)
        EndTextDrag();
}

void TColorMemo::EndTextDrag() {
    m_drag.Finish();
    // No drop: the press was a click, which puts the caret at the pressed character.
    const int index = m_drag.PressIndex();
    QTextCursor cursor = textCursor();
    if (index >= 0 && index != cursor.position())
        cursor.setPosition(index);
    cursor.clearSelection();
    setTextCursor(cursor);
    RequestPass(false);
}

bool TColorMemo::DropTextAt(QPoint point, bool copy) {
    const TCMTextDrag::Drop drop = m_drag.PlanDrop(point, copy);
    QTextCursor cursor = textCursor();
    if (drop.What == TCMTextDrag::Drop::Nothing)
        return false;
    if (drop.What == TCMTextDrag::Drop::MoveCaret) {
        cursor.setPosition(drop.Caret);
        setTextCursor(cursor);
        RequestPass(false);
        return true;
    }
    cursor.setPosition(drop.SourceStart);
    cursor.setPosition(drop.SourceStart + drop.SourceLength, QTextCursor::KeepAnchor);
    const QString text = cursor.selectedText();
    // A copy adds text, so it must fit under MaxLength; a move keeps the length.
    if (!drop.RemoveSource && !FitsWhole(text.size(), 0))
        return false;
    cursor.beginEditBlock();
    if (drop.RemoveSource)
        cursor.removeSelectedText();
    cursor.setPosition(drop.InsertAt);
    cursor.insertText(text);
    cursor.endEditBlock();
    // The caret stands after the dropped text, as after any insertion.
    setTextCursor(cursor);
    return true;
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
        // The mark is as high as the font's size in points, and 5 pixels more.
        m_drag.ShowMark(event->position().toPoint(),
                        std::max(1, int(font().pointSizeF() + 0.5)) + 5);
        return;
    }
    if ((m_options & cmoAcceptFiles) && data && data->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void TColorMemo::dragLeaveEvent(QDragLeaveEvent *event) {
    m_drag.HideMark();
    event->accept();
}

void TColorMemo::dropEvent(QDropEvent *event) {
    m_drag.HideMark();
    const QMimeData *data = event->mimeData();
    if (data && data->hasFormat(kDragFormat)) {
        // Text from another colouring control is accepted while dragging but not dropped.
        const bool copy = event->modifiers() & Qt::ControlModifier;
        if (IsOwnDrag(data))
            DropTextAt(event->position().toPoint(), copy);
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
        m_drag.Finish();
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
