#pragma once

#include "RecoveryKeeper.h"

#include <QPointer>

class TFMDIQuill;
class TMemo;

// An editor window as the recovery keeper sees it: its modified flag, and its active
// text control's text, caret, file name and encoding. A window that is gone counts as
// unmodified.
class WindowRecovery : public RecoverableDocument {
public:
    explicit WindowRecovery(TFMDIQuill &window);

    bool isModified() const override;
    RecoveryCopy takeCopy() const override;

private:
    TMemo *activeMemo() const;

    QPointer<TFMDIQuill> m_window;
    QPointer<TMemo> m_memoColor;
    QPointer<TMemo> m_memoSW;
};

// Puts a recovered text into a window as an edit: the window shows it marked as changed,
// caret where it was, and nothing is written to its file until the learner saves.
void RestoreRecoveredText(TFMDIQuill &window, const RecoveryCopy &copy);
