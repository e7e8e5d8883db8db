// The check while typing in the editor window: showing its marks. The check itself is
// WindowLiveCheck's, the marks' logic CheckMarks'.

#include "MDIQuill.h"

#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "WindowLiveCheck.h"

#include <QHelpEvent>
#include <QTextBlock>
#include <QToolTip>

namespace {

const QColor ErrorColor(220, 30, 30);
const QColor WarningColor(240, 150, 0);

} // namespace

QList<QTextEdit::ExtraSelection> TFMDIQuill::CheckUnderlines() const {
    QList<QTextEdit::ExtraSelection> underlines;
    if (!m_liveCheck)
        return underlines;
    for (const CheckMarks::Mark &mark : m_liveCheck->Marks().Marks()) {
        if (!mark.range.hasSelection())
            continue;
        QTextEdit::ExtraSelection underline;
        underline.cursor = mark.range;
        underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.format.setUnderlineColor(mark.kind == DiagnosticKind::Warning ? WarningColor
                                                                                : ErrorColor);
        underlines << underline;
    }
    return underlines;
}

QString TFMDIQuill::CheckStatusText() const {
    if (!m_liveCheck || m_liveCheck->Marks().IsEmpty())
        return QString();
    const QTextBlock block =
        m_activeMemo->document()->findBlock(m_activeMemo->textCursor().selectionStart());
    const CheckMarks::Mark *mark = m_liveCheck->Marks().OnLine(block.blockNumber());
    return mark ? CheckMarkStatus(mark->kind, mark->message, mark->explanation) : QString();
}

void TFMDIQuill::ShowCheckMarks() {
    ShowBracketBoxes();
    m_memoColor->RepaintGutter();
    // The caret's line may have gained or lost its mark; the panel shows a search prompt
    // or a notice unchanged.
    const QString shown = StatusPanel(0);
    if (shown.isEmpty() || shown.startsWith(QStringLiteral("Zeile:")) ||
        shown.startsWith(QStringLiteral("Fehler: ")) ||
        shown.startsWith(QStringLiteral("Warnung: ")))
        ShowCaretText();
}

bool TFMDIQuill::CheckToolTip(QObject *watched, QEvent *event) {
    TMemo *memo = watched == m_memoColor->viewport() ? static_cast<TMemo *>(m_memoColor)
                  : watched == m_memoSW->viewport()  ? m_memoSW
                                                     : nullptr;
    if (!memo || !m_liveCheck)
        return false;
    auto *help = static_cast<QHelpEvent *>(event);
    const QTextCursor at = memo->cursorForPosition(help->pos());
    // The character under the mouse: the cursor lands before or after it.
    const QRect before = memo->cursorRect(at);
    int position = at.position();
    if (help->pos().x() < before.left() && position > 0)
        --position;
    const CheckMarks::Mark *mark = m_liveCheck->Marks().At(position);
    if (!mark)
        return false;
    QToolTip::showText(help->globalPos(), CheckMarkTip(mark->message, mark->explanation),
                       memo->viewport());
    return true;
}

void TFMDIQuill::ShowCompileMarks(const CompileResult &result) {
    m_liveCheck->ShowCompile(result);
}

void TFMDIQuill::ApplyLiveCheckSetting() {
    m_liveCheck->SettingsChanged();
}
