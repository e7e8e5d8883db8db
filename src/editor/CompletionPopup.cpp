#include "CompletionPopup.h"

#include "common/CommandGuard.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

CompletionPopup::CompletionPopup(QPlainTextEdit *memo, const CompletionResult &result)
    : QFrame(memo, Qt::Popup), m_memo(memo), m_all(result.candidates),
      m_wordStart(result.wordStart) {
    setObjectName(QStringLiteral("CompletionPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("CompletionList"));
    m_list->setFont(memo->font());
    m_list->setUniformItemSizes(true); // thousands of words must not stall the first paint
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->installEventFilter(this);
    ConnectCommand(m_list, &QListWidget::itemActivated, this, [this] { choose(); });
    fill(m_all);
}

void CompletionPopup::fill(const QList<CompletionCandidate> &candidates) {
    m_shown = candidates;
    m_list->clear();
    QStringList lines;
    lines.reserve(candidates.size());
    for (const CompletionCandidate &c : candidates)
        lines << (c.signature.isEmpty() ? c.text : c.text + QStringLiteral("    ") + c.signature);
    m_list->addItems(lines);
    if (!lines.isEmpty())
        m_list->setCurrentRow(0);
}

void CompletionPopup::showAtCaret() {
    const QRect caret = m_memo->cursorRect();
    QPoint below = m_memo->viewport()->mapToGlobal(caret.bottomLeft());
    const int rows = std::min<int>(10, std::max<qsizetype>(1, m_shown.size()));
    const int height = rows * m_list->sizeHintForRow(0) + 2 * m_list->frameWidth() + 4;
    const int width = std::min(600, std::max(200, m_list->sizeHintForColumn(0) + 40));
    // Above the caret when there is no room below it.
    if (const QScreen *screen = m_memo->screen();
        screen && below.y() + height > screen->availableGeometry().bottom())
        below.setY(m_memo->viewport()->mapToGlobal(caret.topLeft()).y() - height);
    setGeometry(below.x(), below.y(), width, height);
    show();
    m_list->setFocus();
}

void CompletionPopup::choose() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_shown.size())
        return;
    const CompletionCandidate candidate = m_shown.at(row);
    const qsizetype wordStart = m_wordStart;
    close();
    emit chosen(candidate, wordStart);
}

void CompletionPopup::followText() {
    if (!m_memo) {
        close();
        return;
    }
    const QTextCursor cursor = m_memo->textCursor();
    const qsizetype caret = cursor.position();
    QString word;
    for (qsizetype pos = m_wordStart; pos < caret; ++pos)
        word += m_memo->document()->characterAt(int(pos));
    const bool inWord = caret >= m_wordStart && !cursor.hasSelection() &&
                        std::all_of(word.cbegin(), word.cend(), [](QChar c) {
                            return c.isLetterOrNumber() || c == u'_' || c == u'$';
                        });
    if (!inWord) {
        close();
        return;
    }
    const QList<CompletionCandidate> narrowed = Completion::narrowed(m_all, word);
    if (narrowed.isEmpty()) {
        close();
        return;
    }
    fill(narrowed);
}

bool CompletionPopup::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return false; // the list moves its current row
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        choose();
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    default:
        break;
    }
    if (!m_memo) {
        close();
        return true;
    }
    // Everything else is typing: the text control gets it, the list follows.
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                   ushort(key->count()));
    QApplication::sendEvent(m_memo, &copy);
    followText();
    return true;
}
