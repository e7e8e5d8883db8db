#include "WindowRecovery.h"

#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "editor/MDIQuill.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace {

QString encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8WithBom:
        return QStringLiteral("UTF-8 mit BOM");
    case TextEncoding::Windows1252:
        return QStringLiteral("Windows-1252");
    case TextEncoding::Utf8:
        break;
    }
    return QStringLiteral("UTF-8");
}

} // namespace

WindowRecovery::WindowRecovery(TFMDIQuill &window)
    : m_window(&window), m_memoColor(window.MemoColor()), m_memoSW(window.MemoSW()) {}

TMemo *WindowRecovery::activeMemo() const {
    if (!m_window || !m_memoColor || !m_memoSW)
        return nullptr;
    return m_window->ActiveMemo();
}

bool WindowRecovery::isModified() const {
    const TMemo *memo = activeMemo();
    return memo && memo->Modified();
}

RecoveryCopy WindowRecovery::takeCopy() const {
    RecoveryCopy copy;
    const TMemo *memo = activeMemo();
    if (!memo)
        return copy;
    const EditorDocument &document = m_window->Document();
    if (document.hasFile())
        copy.fileName = document.fileName();
    copy.encoding = encodingName(document.format().encoding);
    copy.caret = memo->textCursor().position();
    // The raw text is a cheap copy of the control's own; its paragraph separators become
    // line breaks on the writer's thread.
    copy.text = memo->document()->toRawText();
    return copy;
}

void RestoreRecoveredText(TFMDIQuill &window, const RecoveryCopy &copy) {
    TMemo *memo = window.ActiveMemo();
    // Room for the recovered text and for typing on, as after loading a file of its size.
    const int needed = int(std::min<qsizetype>(copy.text.size() + 40000, INT_MAX));
    if (memo->MaxLength() > 0 && memo->MaxLength() < needed)
        memo->SetMaxLength(needed);
    QTextCursor all(memo->document());
    all.select(QTextCursor::Document);
    all.insertText(copy.text);
    memo->SetModified(true);
    QTextCursor caret(memo->document());
    caret.setPosition(
        int(std::clamp<qsizetype>(copy.caret, 0, memo->document()->characterCount() - 1)));
    memo->setTextCursor(caret);
    window.SetStatusPanel(1, QStringLiteral("geändert"));
}
